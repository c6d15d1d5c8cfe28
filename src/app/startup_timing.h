#pragma once

namespace zarkit {

// Tells in debug traces, once each, when the program's start-up work is over (with the
// time since the process began) and how long the first opening of the drawer took from
// the dwell to the painted list. The start-up benchmark reads them; they cost nothing
// else.
class StartupTiming {
public:
    enum Step : unsigned {
        kFirstPaint = 1,
        kDeferredWork = 2,      // what waits for the first paint
        kFirstTableListed = 4,  // the table shown, listed with its icons
    };

    // Whether the step was done already.
    bool Done(Step step);
    bool Complete() const { return done_ == kAllSteps; }
    // The drawer opened by the pointer: the clock for the first opening starts.
    void Opened();
    // The list on show was painted.
    void ListPainted();

private:
    static constexpr unsigned kAllSteps = kFirstPaint | kDeferredWork | kFirstTableListed;
    unsigned done_ = 0;
    double opened_at_ = -1.0;
    bool open_measured_ = false;
};

}  // namespace zarkit
