#include "common/ui/Forms.h"

namespace vanto {

FormRegistry& Forms() {
    static FormRegistry registry;
    return registry;
}

} // namespace vanto
