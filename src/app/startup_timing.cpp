#include "app/startup_timing.h"

#include "ui/trace.h"

namespace zarkit {

bool StartupTiming::Done(Step step) {
    const bool before = (done_ & step) != 0;
    if (before || Complete()) {
        return true;
    }
    done_ |= step;
    if (Complete()) {
        ui::Trace(L"Zarkit: start-up done %.0f ms after the process began\n",
                  ui::MillisecondsSinceProcessStart());
    }
    return false;
}

void StartupTiming::Opened() {
    if (!open_measured_ && opened_at_ < 0) {
        opened_at_ = ui::PreciseMilliseconds();
    }
}

void StartupTiming::ListPainted() {
    if (open_measured_ || opened_at_ < 0) {
        return;
    }
    open_measured_ = true;
    ui::Trace(L"Zarkit: first opening, list painted %.1f ms after the dwell\n",
              ui::PreciseMilliseconds() - opened_at_);
}

}  // namespace zarkit
