// What every form is given when it is made: the program's shared state (working paths, tester name, pending
// tester job, chosen phrase), the tester link, the dialogs and the clock. The main form owns all of it; a form
// never fetches these from the main form.
#pragma once

#include "common/WorkingPaths.h"

#include <string>

namespace vanto {

class Clock;
class Dialogs;
class TesterLink;

// The tester job the wait dialog runs on its next tick.
enum class TesterJob { None = 0, RecordDirectory = 1, ReferenceList = 2, ReferenceWrite = 3, Continuous = 4 };

// State more than one form uses; owned by the main form, which recomputes the paths on every show.
struct SharedState {
    WorkingPaths Paths;
    std::string TesterName;
    TesterJob PendingJob = TesterJob::None;
    std::string SelectedPhrase; // the phrase chosen in the phrase picker, empty when none
};

class FormContext {
public:
    FormContext(SharedState& state, TesterLink& link, vanto::Dialogs& dialogs, const vanto::Clock& clock)
        : state_(&state), link_(&link), dialogs_(&dialogs), clock_(&clock) {}

    SharedState& State() const { return *state_; }
    const WorkingPaths& Paths() const { return state_->Paths; }
    const std::string& TesterName() const { return state_->TesterName; }
    TesterLink& Link() const { return *link_; }
    vanto::Dialogs& Dialogs() const { return *dialogs_; }
    const vanto::Clock& Clock() const { return *clock_; }

private:
    SharedState* state_;
    TesterLink* link_;
    vanto::Dialogs* dialogs_;
    const vanto::Clock* clock_;
};

} // namespace vanto
