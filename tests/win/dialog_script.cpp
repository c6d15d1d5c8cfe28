#include "dialog_script.h"

#include <gtest/gtest.h>

namespace zarkit::wintest {

namespace {

DialogScript* g_running = nullptr;

// About five seconds at the timer's 10 ms.
constexpr int kMaxTicks = 500;

bool IsDialogClass(HWND window) {
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

template <typename F>
void ForEachThreadWindow(F f) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            (*reinterpret_cast<F*>(context))(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&f));
}

}  // namespace

DialogScript& DialogScript::Then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

DialogScript& DialogScript::Do(std::function<void()> action) {
    return Then([action = std::move(action)] {
        action();
        return true;
    });
}

INT_PTR DialogScript::Run(const std::function<INT_PTR()>& show) {
    g_running = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &DialogScript::OnTimer);
    EXPECT_NE(timer, 0u);
    const INT_PTR result = show();
    KillTimer(nullptr, timer);
    g_running = nullptr;
    EXPECT_EQ(next_, steps_.size()) << "the dialog closed before step " << next_;
    return result;
}

void CALLBACK DialogScript::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (g_running != nullptr) {
        g_running->Tick();
    }
}

void DialogScript::Tick() {
    if (in_tick_) {
        return;
    }
    in_tick_ = true;
    if (++ticks_ > kMaxTicks) {
        ADD_FAILURE() << (next_ < steps_.size() ? "timed out at step " + std::to_string(next_)
                                                : std::string("the dialog stayed open"));
        CloseAllThreadDialogs();
    } else if (next_ < steps_.size() && steps_[next_]()) {
        ++next_;
    }
    in_tick_ = false;
}

DialogScript::Step CloseBoxOwnedBy(HWND owner, std::wstring& text) {
    return [owner, &text] {
        const HWND box = FindOwnedDialog(owner);
        if (box == nullptr) {
            return false;
        }
        text = MessageBoxText(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        return true;
    };
}

HWND FindOwnedDialog(HWND owner) {
    HWND found = nullptr;
    ForEachThreadWindow([&](HWND window) {
        if (found == nullptr && window != owner && IsDialogClass(window) &&
            IsWindowVisible(window) && GetWindow(window, GW_OWNER) == owner) {
            found = window;
        }
    });
    return found;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = L"";
        GetClassNameW(child, name, 16);
        if (CompareStringOrdinal(name, -1, L"Static", -1, TRUE) == CSTR_EQUAL) {
            text += WindowText(child);
        }
    }
    return text;
}

void Click(HWND dialog, int id) {
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void CloseAllThreadDialogs() {
    std::vector<HWND> dialogs;
    ForEachThreadWindow([&](HWND window) {
        if (IsDialogClass(window)) {
            dialogs.push_back(window);
        }
    });
    for (HWND dialog : dialogs) {
        EndDialog(dialog, IDABORT);
    }
}

}  // namespace zarkit::wintest
