// A small window inspector for end-to-end tests, run under Wine beside the program.
//
//   zkprobe windows               one line per visible top-level window:
//                                 hwnd|pid|class|title|left,top,right,bottom|exstyle|child texts
//   zkprobe items CLASS           the entries of the visible list control inside the first
//                                 top-level window of CLASS, in index order:
//                                 index|label|x,y (screen centre of its icon)|selected
//                                 (line breaks in a label become blanks)
//   zkprobe post CLASS MSG [W L]  posts a message to the first top-level window of CLASS
//   zkprobe postreg CLASS NAME [W L]  the same with the message registered under NAME
//   zkprobe send CLASS MSG [W L]  sends it and waits for the answer: a message whose lParam
//                                 may be a pointer (WM_SETTINGCHANGE) cannot be posted
//   zkprobe traydel CLASS ID      takes that window's notification-area icon ID away, as
//                                 a restarting task bar loses every icon
//   zkprobe resources CLASS       of the process owning the first top-level window of CLASS:
//                                 user=N gdi=N windows=N private_kb=N working_set_kb=N
//   zkprobe postchild CLASS CHILD MSG [W L]
//                                 posts a message to the first visible descendant of class
//                                 CHILD inside the first top-level window of CLASS
//   zkprobe close CLASS           posts WM_CLOSE to it
//   zkprobe sync CLASS            returns once that window's thread has handled a message:
//                                 what it was busy with (closing a dialog, say) is done
//   zkprobe press TITLE BUTTON    clicks the button with that text in the dialog (or message
//                                 box) with that title
//   zkprobe keyacl PATH [SDDL]    prints the access list of HKLM\PATH as SDDL, or sets it
//   zkprobe focus                 the window in front and where its keyboard focus is:
//                                 foreground class|foreground title|focus class|focus id
//   zkprobe hold PATH MS          opens the file sharing it with nobody, prints "holding", and
//                                 keeps it so for MS milliseconds
//   zkprobe controls TITLE        the controls of that dialog, one a line, in template order:
//                                 id|class|text|left,top,right,bottom|enabled|checked
//                                 (checked: 1 ticked, 0 not, - not a check box; a hot-key
//                                 control's text is its key word, 0xHHLL)
//   zkprobe monitors              the monitors Windows (Wine) reports, one a line:
//                                 device|left,top,right,bottom|work area|primary (1 or 0)
//   zkprobe shown TITLE ID        1 when control ID of that dialog is visible, else 0
//   zkprobe entries TITLE ID      the entries of drop-down list ID of that dialog, one a line,
//                                 the chosen one marked with a leading *
//   zkprobe accessible CLASS [ID] the accessible object of the first top-level window of CLASS,
//                                 or of its first visible descendant with control id ID, as
//                                 a screen reader asks for it; one line for the object, then
//                                 one a child: child|role|state|name|left,top,width,height|
//                                 default action (role and state in hex); the object's line
//                                 ends with |focus=CHILD|selection=CHILD (empty: none)
//   zkprobe accaction CLASS ID CHILD  does that child's default action
#include <windows.h>

#include <commctrl.h>
#include <oleacc.h>
#include <psapi.h>
#include <sddl.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>

namespace {

std::string Utf8(const wchar_t* text) {
    char buffer[16384];
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return n > 0 ? std::string(buffer) : std::string();
}

BOOL CALLBACK AppendChildText(HWND child, LPARAM out) {
    wchar_t text[4096];
    GetWindowTextW(child, text, 4096);
    // One window per output line: line breaks in a text become blanks.
    for (wchar_t* c = text; *c != L'\0'; ++c) {
        if (*c == L'\r' || *c == L'\n') {
            *c = L' ';
        }
    }
    if (text[0] != L'\0') {
        auto* line = reinterpret_cast<std::string*>(out);
        *line += '[' + Utf8(text) + ']';
    }
    return TRUE;
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
    if (!IsWindowVisible(window)) {
        return TRUE;
    }
    wchar_t class_name[256];
    wchar_t title[512];
    GetClassNameW(window, class_name, 256);
    GetWindowTextW(window, title, 512);
    RECT rect;
    GetWindowRect(window, &rect);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    std::string children;
    EnumChildWindows(window, AppendChildText, reinterpret_cast<LPARAM>(&children));
    const auto ex_style = static_cast<unsigned long>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    std::printf("%p|%lu|%s|%s|%ld,%ld,%ld,%ld|0x%lx|%s\n", static_cast<void*>(window), pid,
                Utf8(class_name).c_str(), Utf8(title).c_str(), rect.left, rect.top, rect.right,
                rect.bottom, ex_style, children.c_str());
    return TRUE;
}

struct ButtonSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK FindButton(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ButtonSearch*>(param);
    wchar_t text[256];
    GetWindowTextW(child, text, 256);
    std::wstring plain;
    for (const wchar_t* c = text; *c != L'\0'; ++c) {
        if (*c != L'&') {
            plain += *c;
        }
    }
    if (plain == search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

struct ChildSearch {
    const wchar_t* class_name;
    HWND found;
};

BOOL CALLBACK FindVisibleChild(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ChildSearch*>(param);
    wchar_t class_name[256];
    GetClassNameW(child, class_name, 256);
    if (std::wcscmp(class_name, search->class_name) == 0 && IsWindowVisible(child)) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindVisibleList(HWND child, LPARAM param) {
    wchar_t class_name[64];
    GetClassNameW(child, class_name, 64);
    if (std::wcscmp(class_name, L"SysListView32") == 0 && IsWindowVisible(child)) {
        *reinterpret_cast<HWND*>(param) = child;
        return FALSE;
    }
    return TRUE;
}

// The list lives in another process: its answers go through memory allocated there.
int PrintItems(const wchar_t* top_class) {
    const HWND top = FindWindowW(top_class, nullptr);
    HWND list = nullptr;
    if (top != nullptr) {
        EnumChildWindows(top, FindVisibleList, reinterpret_cast<LPARAM>(&list));
    }
    if (list == nullptr) {
        std::fprintf(stderr, "no visible list\n");
        return 2;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) {
        return 2;
    }
    constexpr SIZE_T kTextChars = 1024;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, 64 * 1024, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (remote == nullptr) {
        CloseHandle(process);
        return 2;
    }
    auto* remote_text = reinterpret_cast<wchar_t*>(remote + 4096);
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        LVITEMW item{};
        item.pszText = remote_text;
        item.cchTextMax = kTextChars;
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        SendMessageW(list, LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(remote));
        wchar_t text[kTextChars] = L"";
        ReadProcessMemory(process, remote_text, text, sizeof text, nullptr);
        text[kTextChars - 1] = L'\0';
        // One entry per output line, whatever its label holds.
        for (wchar_t* c = text; *c != L'\0'; ++c) {
            if (*c == L'\r' || *c == L'\n') {
                *c = L' ';
            }
        }

        RECT rect{LVIR_ICON, 0, 0, 0};
        WriteProcessMemory(process, remote, &rect, sizeof rect, nullptr);
        SendMessageW(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote, &rect, sizeof rect, nullptr);
        POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(list, &centre);
        const bool selected =
            (SendMessageW(list, LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        std::printf("%d|%s|%ld,%ld|%d\n", index, Utf8(text).c_str(), centre.x, centre.y,
                    selected ? 1 : 0);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return 0;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM) {
    wchar_t class_name[64];
    GetClassNameW(control, class_name, 64);
    // Asked for, not read: across processes GetWindowTextW gives an edit field's
    // creation text rather than what it holds now.
    wchar_t text[1024] = L"";
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        &copied);
    text[1023] = L'\0';
    if (std::wcscmp(class_name, HOTKEY_CLASSW) == 0) {
        // A hot-key control has no text: its key word stands in for it.
        DWORD_PTR word = 0;
        SendMessageTimeoutW(control, HKM_GETHOTKEY, 0, 0, SMTO_BLOCK, 2000, &word);
        std::swprintf(text, 1024, L"0x%04X", static_cast<unsigned>(word & 0xFFFF));
    }
    for (wchar_t* c = text; *c != L'\0'; ++c) {
        if (*c == L'\r' || *c == L'\n' || *c == L'|') {
            *c = L' ';
        }
    }
    RECT rect;
    GetWindowRect(control, &rect);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    const DWORD kind = style & BS_TYPEMASK;
    const bool check_box =
        std::wcscmp(class_name, L"Button") == 0 && (kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX);
    const char* checked = "-";
    if (check_box) {
        checked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? "1" : "0";
    }
    std::printf("%d|%s|%s|%ld,%ld,%ld,%ld|%d|%s\n", GetDlgCtrlID(control), Utf8(class_name).c_str(),
                Utf8(text).c_str(), rect.left, rect.top, rect.right, rect.bottom,
                IsWindowEnabled(control) ? 1 : 0, checked);
    return TRUE;
}

// Stands in for a machine whose keys a normal user may read but not change.
int KeyAccessList(const wchar_t* path, const wchar_t* sddl) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, READ_CONTROL | WRITE_DAC, &key) !=
        ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot open the key\n");
        return 2;
    }
    int status = 1;
    if (sddl == nullptr) {
        DWORD size = 0;
        RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, nullptr, &size);
        std::string buffer(size, '\0');
        wchar_t* text = nullptr;
        if (RegGetKeySecurity(key, DACL_SECURITY_INFORMATION, buffer.data(), &size) ==
                ERROR_SUCCESS &&
            ConvertSecurityDescriptorToStringSecurityDescriptorW(
                buffer.data(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
            std::printf("%s\n", Utf8(text).c_str());
            LocalFree(text);
            status = 0;
        }
    } else {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                                 nullptr)) {
            status = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS
                         ? 0
                         : 1;
            LocalFree(descriptor);
        }
    }
    RegCloseKey(key);
    return status;
}

struct WindowCount {
    DWORD pid;
    int count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param) {
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param) {
    auto* counted = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == counted->pid) {
        ++counted->count;
        EnumChildWindows(window, CountChild, param);
    }
    return TRUE;
}

// What the process holds: its GUI objects as the system counts them, its windows, and
// its memory.
int PrintResources(const wchar_t* top_class) {
    const HWND top = FindWindowW(top_class, nullptr);
    if (top == nullptr) {
        return 2;
    }
    WindowCount windows{0, 0};
    GetWindowThreadProcessId(top, &windows.pid);
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, windows.pid);
    if (process == nullptr) {
        return 2;
    }
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    std::printf("user=%lu gdi=%lu windows=%d private_kb=%llu working_set_kb=%llu\n",
                GetGuiResources(process, GR_USEROBJECTS), GetGuiResources(process, GR_GDIOBJECTS),
                windows.count, static_cast<unsigned long long>(memory.PrivateUsage / 1024),
                static_cast<unsigned long long>(memory.WorkingSetSize / 1024));
    CloseHandle(process);
    return 0;
}

BOOL CALLBACK FindVisibleId(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<std::pair<int, HWND>*>(param);
    if (GetDlgCtrlID(child) == search->first && IsWindowVisible(child)) {
        search->second = child;
        return FALSE;
    }
    return TRUE;
}

HWND FindAccessibleWindow(const wchar_t* top_class, const wchar_t* id) {
    const HWND top = FindWindowW(top_class, nullptr);
    if (top == nullptr || id == nullptr) {
        return top;
    }
    std::pair<int, HWND> search{static_cast<int>(std::wcstol(id, nullptr, 0)), nullptr};
    EnumChildWindows(top, FindVisibleId, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::string Text(BSTR text) {
    std::string out = text != nullptr ? Utf8(text) : std::string();
    for (char& c : out) {
        if (c == '|' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return out;
}

std::string ChildText(const VARIANT& child) {
    return V_VT(&child) == VT_I4 ? std::to_string(V_I4(&child)) : std::string();
}

void PrintAccessibleChild(IAccessible* accessible, long id) {
    VARIANT child;
    VariantInit(&child);
    V_VT(&child) = VT_I4;
    V_I4(&child) = id;
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    accessible->get_accRole(child, &role);
    accessible->get_accState(child, &state);
    BSTR name = nullptr;
    BSTR action = nullptr;
    accessible->get_accName(child, &name);
    accessible->get_accDefaultAction(child, &action);
    long left = 0, top = 0, width = 0, height = 0;
    accessible->accLocation(&left, &top, &width, &height, child);
    std::printf("%ld|0x%lx|0x%lx|%s|%ld,%ld,%ld,%ld|%s", id,
                V_VT(&role) == VT_I4 ? static_cast<long>(V_I4(&role)) : -1L,
                V_VT(&state) == VT_I4 ? static_cast<long>(V_I4(&state)) : 0L, Text(name).c_str(),
                left, top, width, height, Text(action).c_str());
    SysFreeString(name);
    SysFreeString(action);
}

// The object lives in the program's process: every answer comes through COM from there.
int PrintAccessible(const wchar_t* top_class, const wchar_t* id) {
    const HWND window = FindAccessibleWindow(top_class, id);
    if (window == nullptr) {
        std::fprintf(stderr, "no such window\n");
        return 2;
    }
    IAccessible* accessible = nullptr;
    const HRESULT result = AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(&accessible));
    if (FAILED(result) || accessible == nullptr) {
        std::fprintf(stderr, "AccessibleObjectFromWindow failed: 0x%08lx\n",
                     static_cast<unsigned long>(result));
        return 1;
    }
    VARIANT focus, selection;
    VariantInit(&focus);
    VariantInit(&selection);
    accessible->get_accFocus(&focus);
    accessible->get_accSelection(&selection);
    PrintAccessibleChild(accessible, CHILDID_SELF);
    std::printf("|focus=%s|selection=%s\n", ChildText(focus).c_str(), ChildText(selection).c_str());
    VariantClear(&focus);
    VariantClear(&selection);
    long count = 0;
    accessible->get_accChildCount(&count);
    for (long child = 1; child <= count && child <= 10000; ++child) {
        PrintAccessibleChild(accessible, child);
        std::printf("\n");
    }
    accessible->Release();
    return 0;
}

int AccessibleAction(const wchar_t* top_class, const wchar_t* id, const wchar_t* child_id) {
    const HWND window = FindAccessibleWindow(top_class, id);
    IAccessible* accessible = nullptr;
    if (window == nullptr ||
        FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&accessible)))) {
        return 2;
    }
    VARIANT child;
    VariantInit(&child);
    V_VT(&child) = VT_I4;
    V_I4(&child) = std::wcstol(child_id, nullptr, 0);
    const HRESULT result = accessible->accDoDefaultAction(child);
    accessible->Release();
    return SUCCEEDED(result) ? 0 : 1;
}

}  // namespace

// The focus of another thread is read through its GUI thread information.
int PrintFocus() {
    const HWND front = GetForegroundWindow();
    if (front == nullptr) {
        std::printf("|||\n");
        return 0;
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(front, nullptr), &info);
    wchar_t front_class[256] = L"";
    wchar_t title[512] = L"";
    wchar_t focus_class[256] = L"";
    GetClassNameW(front, front_class, 256);
    GetWindowTextW(front, title, 512);
    if (info.hwndFocus != nullptr) {
        GetClassNameW(info.hwndFocus, focus_class, 256);
    }
    std::printf("%s|%s|%s|%d\n", Utf8(front_class).c_str(), Utf8(title).c_str(),
                Utf8(focus_class).c_str(),
                info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0);
    return 0;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& m = info.rcMonitor;
        const RECT& w = info.rcWork;
        std::printf("%s|%ld,%ld,%ld,%ld|%ld,%ld,%ld,%ld|%d\n", Utf8(info.szDevice).c_str(), m.left,
                    m.top, m.right, m.bottom, w.left, w.top, w.right, w.bottom,
                    (info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? 1 : 0);
    }
    return TRUE;
}

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wcscmp(argv[1], L"accessible") == 0) {
        CoInitialize(nullptr);
        const int status = PrintAccessible(argv[2], argc > 3 ? argv[3] : nullptr);
        CoUninitialize();
        return status;
    }
    if (argc >= 5 && std::wcscmp(argv[1], L"accaction") == 0) {
        CoInitialize(nullptr);
        const int status = AccessibleAction(argv[2], argv[3], argv[4]);
        CoUninitialize();
        return status;
    }
    if (argc >= 2 && std::wcscmp(argv[1], L"windows") == 0) {
        EnumWindows(PrintWindow, 0);
        return 0;
    }
    if (argc >= 2 && std::wcscmp(argv[1], L"monitors") == 0) {
        return EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0) ? 0 : 1;
    }
    if (argc >= 2 && std::wcscmp(argv[1], L"focus") == 0) {
        return PrintFocus();
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"resources") == 0) {
        return PrintResources(argv[2]);
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"items") == 0) {
        return PrintItems(argv[2]);
    }
    if (argc >= 4 && std::wcscmp(argv[1], L"send") == 0) {
        const HWND window = FindWindowW(argv[2], nullptr);
        if (window == nullptr) {
            std::fprintf(stderr, "no window of that class\n");
            return 2;
        }
        const auto message = static_cast<UINT>(std::wcstoul(argv[3], nullptr, 0));
        const WPARAM wparam = argc > 4 ? std::wcstoull(argv[4], nullptr, 0) : 0;
        const LPARAM lparam = argc > 5 ? std::wcstoll(argv[5], nullptr, 0) : 0;
        DWORD_PTR answer = 0;
        return SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, 20000, &answer) !=
                       0
                   ? 0
                   : 1;
    }
    const bool registered = argc >= 4 && std::wcscmp(argv[1], L"postreg") == 0;
    if (argc >= 3 &&
        (std::wcscmp(argv[1], L"post") == 0 || std::wcscmp(argv[1], L"close") == 0 || registered)) {
        const HWND window = FindWindowW(argv[2], nullptr);
        if (window == nullptr) {
            std::fprintf(stderr, "no window of that class\n");
            return 2;
        }
        const bool close = std::wcscmp(argv[1], L"close") == 0;
        const UINT message = close        ? WM_CLOSE
                             : registered ? RegisterWindowMessageW(argv[3])
                                          : static_cast<UINT>(std::wcstoul(argv[3], nullptr, 0));
        const WPARAM wparam = (!close && argc > 4) ? std::wcstoull(argv[4], nullptr, 0) : 0;
        const LPARAM lparam = (!close && argc > 5) ? std::wcstoll(argv[5], nullptr, 0) : 0;
        return PostMessageW(window, message, wparam, lparam) ? 0 : 1;
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"keyacl") == 0) {
        return KeyAccessList(argv[2], argc > 3 ? argv[3] : nullptr);
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"sync") == 0) {
        const HWND window = FindWindowW(argv[2], nullptr);
        DWORD_PTR answer = 0;
        return window != nullptr &&
                       SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer) != 0
                   ? 0
                   : 2;
    }
    if (argc >= 4 && std::wcscmp(argv[1], L"traydel") == 0) {
        const HWND window = FindWindowW(argv[2], nullptr);
        if (window == nullptr) {
            std::fprintf(stderr, "no window of that class\n");
            return 2;
        }
        NOTIFYICONDATAW icon{};
        icon.cbSize = sizeof icon;
        icon.hWnd = window;
        icon.uID = static_cast<UINT>(std::wcstoul(argv[3], nullptr, 0));
        return Shell_NotifyIconW(NIM_DELETE, &icon) ? 0 : 1;
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"controls") == 0) {
        const HWND dialog = FindWindowW(L"#32770", argv[2]);
        if (dialog == nullptr) {
            std::fprintf(stderr, "no window with that title\n");
            return 2;
        }
        EnumChildWindows(dialog, PrintControl, 0);
        return 0;
    }
    if (argc >= 4 &&
        (std::wcscmp(argv[1], L"entries") == 0 || std::wcscmp(argv[1], L"shown") == 0)) {
        const HWND dialog = FindWindowW(L"#32770", argv[2]);
        const HWND list =
            dialog != nullptr
                ? GetDlgItem(dialog, static_cast<int>(std::wcstol(argv[3], nullptr, 0)))
                : nullptr;
        if (list == nullptr) {
            std::fprintf(stderr, "no such dialog or control\n");
            return 2;
        }
        if (std::wcscmp(argv[1], L"shown") == 0) {
            std::printf("%d\n", IsWindowVisible(list) ? 1 : 0);
            return 0;
        }
        const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
        const auto chosen = static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[1024] = L"";
            if (SendMessageW(list, CB_GETLBTEXTLEN, i, 0) < 1024) {
                SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            }
            std::printf("%s%s\n", i == chosen ? "*" : "", Utf8(text).c_str());
        }
        return 0;
    }
    if (argc >= 5 && std::wcscmp(argv[1], L"postchild") == 0) {
        const HWND window = FindWindowW(argv[2], nullptr);
        if (window == nullptr) {
            std::fprintf(stderr, "no window of that class\n");
            return 2;
        }
        ChildSearch search{argv[3], nullptr};
        EnumChildWindows(window, FindVisibleChild, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            std::fprintf(stderr, "no visible child of that class\n");
            return 2;
        }
        const auto message = static_cast<UINT>(std::wcstoul(argv[4], nullptr, 0));
        const WPARAM wparam = argc > 5 ? std::wcstoull(argv[5], nullptr, 0) : 0;
        const LPARAM lparam = argc > 6 ? std::wcstoll(argv[6], nullptr, 0) : 0;
        return PostMessageW(search.found, message, wparam, lparam) ? 0 : 1;
    }
    if (argc >= 4 && std::wcscmp(argv[1], L"press") == 0) {
        const HWND dialog = FindWindowW(L"#32770", argv[2]);
        if (dialog == nullptr) {
            std::fprintf(stderr, "no window with that title\n");
            return 2;
        }
        ButtonSearch search{argv[3], nullptr};
        EnumChildWindows(dialog, FindButton, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            std::fprintf(stderr, "no such button\n");
            return 2;
        }
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(search.found), BN_CLICKED),
                     reinterpret_cast<LPARAM>(search.found));
        return 0;
    }
    if (argc >= 4 && std::wcscmp(argv[1], L"hold") == 0) {
        // Another program that has the file open and shares it with nobody.
        const HANDLE file = CreateFileW(argv[2], GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            std::fprintf(stderr, "cannot open the file: %lu\n", GetLastError());
            return 2;
        }
        std::printf("holding\n");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 0)));
        CloseHandle(file);
        return 0;
    }
    std::fprintf(
        stderr,
        "usage: zkprobe windows | monitors | focus | items CLASS | resources CLASS | post CLASS "
        "MSG [W L] |"
        " postreg CLASS NAME [W L] | send CLASS MSG [W L] | postchild CLASS CHILD MSG [W L] | "
        "close CLASS |"
        " sync CLASS | traydel CLASS ID | press TITLE BUTTON | controls TITLE | entries TITLE ID | "
        "shown TITLE ID |"
        " keyacl PATH [SDDL] | accessible CLASS [ID] | accaction CLASS ID CHILD | hold PATH MS\n");
    return 2;
}
