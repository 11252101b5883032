// A form whose FormShow runs each time the program shows it (not when the window system re-exposes it).
#pragma once

#include <QShowEvent>

namespace vanto {

template <typename Base> class FormBase : public Base {
public:
    using Base::Base;

    // The show handler: re-initialises the form from the files each time it is shown.
    virtual void FormShow() {}

protected:
    void showEvent(QShowEvent* event) override {
        Base::showEvent(event);
        if (!event->spontaneous()) {
            FormShow();
        }
    }
};

} // namespace vanto
