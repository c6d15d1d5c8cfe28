#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/win32.h"

namespace zarkit::wintest {

// Drives a modal dialog from the test's own thread: the steps run from a timer
// that every modal loop (the dialog's, a message box's, the file dialog's)
// dispatches. A step returns true when it is done; the next one runs on a later tick.
class DialogScript {
public:
    using Step = std::function<bool()>;

    DialogScript& Then(Step step);
    // A step that is done as soon as it has run.
    DialogScript& Do(std::function<void()> action);
    // Runs `show`, which calls DoModal, and returns its result. When the steps do not
    // finish in time, or the dialog is still open after them, the test fails and
    // every dialog of the thread is closed with IDABORT.
    INT_PTR Run(const std::function<INT_PTR()>& show);

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Tick();

    std::vector<Step> steps_;
    size_t next_ = 0;
    int ticks_ = 0;
    bool in_tick_ = false;
};

// A step that waits for a message box that `owner` owns, notes its text and closes it
// with OK.
DialogScript::Step CloseBoxOwnedBy(HWND owner, std::wstring& text);

// Visible dialog-class windows of this thread that `owner` owns.
HWND FindOwnedDialog(HWND owner);
// The message box's text: its static controls' texts, joined.
std::wstring MessageBoxText(HWND box);
std::wstring WindowText(HWND window);
// Clicks a button the way the user does, once the current step has returned.
void Click(HWND dialog, int id);
void CloseAllThreadDialogs();

}  // namespace zarkit::wintest
