#include "app/hyperlink.h"

#include <optional>
#include <vector>

#include "app/accessibility/high_contrast.h"
#include "core/hyperlink_rules.h"
#include "core/product.h"
#include "ui/gdi.h"
#include "ui/text.h"
#include "ui/trace.h"
#include <commctrl.h>
#include <shellapi.h>

namespace zarkit {
namespace {

constexpr UINT kHoverPeriodMs = 100;
constexpr UINT_PTR kTipToolId = 1;
constexpr UINT_PTR kSubclassId = 1;
constexpr int kHandCursorResource = 106;
// What the registry hands back, in characters.
constexpr DWORD kRegistryValueLimit = 260;

int ShellOpen(const std::wstring& file, int show_command) {
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, show_command);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

// WinExec's contract (one command line, a show command, a result above 31 on success)
// with the wide command line WinExec itself cannot take.
int StartProgram(const std::wstring& command_line, int show_command) {
    std::vector<wchar_t> buffer(command_line.begin(), command_line.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show_command);
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process) != FALSE;
    const DWORD error = started ? 0 : GetLastError();
    if (started) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        ui::TraceLastError(L"CHyperLink::OpenTarget: CreateProcessW");
    }
    return ProgramStartResult(started, error);
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

CHyperLink::~CHyperLink() {
    Detach();
}

bool CHyperLink::Attach(HWND control) {
    if (m_Control != nullptr || !IsWindow(control)) {
        return false;
    }
    m_Control = control;

    // Without it the static reports no clicks, and answers HTTRANSPARENT to hit tests,
    // so the mouse never reaches it.
    SetWindowLongPtrW(control, GWL_STYLE, GetWindowLongPtrW(control, GWL_STYLE) | SS_NOTIFY);
    const std::wstring text = WindowText(control);
    if (m_Target.empty()) {
        m_Target = ui::Narrow(text);
    }
    if (text.empty()) {
        SetWindowTextW(control, ui::Widen(m_Target).c_str());
    }
    CreateFonts();
    FitToText();
    LoadHandCursor();
    SetUnderlineMode(UnderlineOnHover);
    CreateTip();

    if (!SetWindowSubclass(control, &CHyperLink::SubclassProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this))) {
        ui::TraceLastError(L"CHyperLink::Attach: SetWindowSubclass");
        Detach();
        return false;
    }
    return true;
}

void CHyperLink::Detach() {
    if (m_Control == nullptr) {
        return;
    }
    KillTimer(m_Control, m_HoverTimerId);
    RemoveWindowSubclass(m_Control, &CHyperLink::SubclassProc, kSubclassId);
    // The fonts go with this object; the control lives on with its own.
    if (IsWindow(m_Control)) {
        SendMessageW(m_Control, WM_SETFONT, reinterpret_cast<WPARAM>(m_FontOriginal), FALSE);
    }
    m_Tip.Reset();
    m_Control = nullptr;
}

void CHyperLink::CreateFonts() {
    m_FontOriginal = reinterpret_cast<HFONT>(SendMessageW(m_Control, WM_GETFONT, 0, 0));
    HGDIOBJ font = m_FontOriginal;
    if (font == nullptr) {
        font = GetStockObject(DEFAULT_GUI_FONT);
    }
    if (font == nullptr) {
        font = GetStockObject(ANSI_VAR_FONT);
    }
    LOGFONTW description{};
    if (GetObjectW(font, sizeof description, &description) == 0) {
        ui::TraceLastError(L"CHyperLink::CreateFonts: GetObjectW");
        return;
    }
    m_FontPlain.Reset(CreateFontIndirectW(&description));
    description.lfUnderline = TRUE;
    m_FontUnderlined.Reset(CreateFontIndirectW(&description));
}

void CHyperLink::FitToText() {
    if (m_Control == nullptr || !m_FitToText) {
        return;
    }
    RECT window{};
    GetWindowRect(m_Control, &window);
    MapWindowPoints(nullptr, GetParent(m_Control), reinterpret_cast<POINT*>(&window), 2);
    const Rect client = ui::ClientRect(m_Control);

    const std::wstring text = WindowText(m_Control);
    SIZE extent{};
    {
        const ui::WindowDc dc(m_Control);
        const ui::SelectScope select(dc.Get(), m_FontUnderlined.Get());
        GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(m_Control, GWL_STYLE));
    const DWORD kind = style & SS_TYPEMASK;
    const TextAlign align = kind == SS_CENTER  ? TextAlign::kCenter
                            : kind == SS_RIGHT ? TextAlign::kRight
                                               : TextAlign::kLeft;
    const Rect fitted = FitRectToText(ui::ToRect(window), client.Width(), client.Height(),
                                      extent.cx, extent.cy, align, (style & SS_CENTERIMAGE) != 0);
    SetWindowPos(m_Control, nullptr, fitted.left, fitted.top, fitted.Width(), fitted.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHyperLink::LoadHandCursor() {
    if (m_HandCursor) {
        return;
    }
    wchar_t directory[MAX_PATH] = L"";
    const UINT length = GetWindowsDirectoryW(directory, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        const std::wstring path = std::wstring(directory) + L"\\winhlp32.exe";
        // As data: only its cursor is wanted, none of its code.
        if (const HMODULE module =
                LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
            if (const HCURSOR cursor = LoadCursorW(module, MAKEINTRESOURCEW(kHandCursorResource))) {
                m_HandCursor.Reset(CopyCursor(cursor));
            }
            FreeLibrary(module);
        }
    }
    if (!m_HandCursor) {
        // A link without a hand looks broken; the system has had one since Windows 2000.
        m_HandCursor.Reset(CopyCursor(LoadCursorW(nullptr, IDC_HAND)));
    }
}

void CHyperLink::CreateTip() {
    m_Tip.Reset(CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_Control, nullptr,
                                GetModuleHandleW(nullptr), nullptr));
    if (!m_Tip) {
        ui::TraceLastError(L"CHyperLink::CreateTip: CreateWindowExW");
        return;
    }
    std::wstring text = ui::Widen(m_Target);
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    // The tooltip subclasses the control itself to see the mouse messages it needs.
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = m_Control;
    tool.uId = kTipToolId;
    GetClientRect(m_Control, &tool.rect);
    tool.lpszText = text.data();
    if (!SendMessageW(m_Tip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) {
        ui::Trace(L"CHyperLink::CreateTip: TTM_ADDTOOLW failed\n");
    }
}

void CHyperLink::SetUnderlineMode(int mode) {
    if (mode == m_UnderlineMode) {
        return;
    }
    if (m_Control != nullptr) {
        const HFONT font = mode == UnderlineAlways ? m_FontUnderlined.Get() : m_FontPlain.Get();
        SendMessageW(m_Control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        InvalidateRect(m_Control, nullptr, TRUE);
    }
    m_UnderlineMode = mode;
}

void CHyperLink::MarkVisited(bool visited) {
    m_Visited = visited;
    if (m_Control != nullptr) {
        InvalidateRect(m_Control, nullptr, TRUE);
    }
}

HBRUSH CHyperLink::OnCtlColor(HDC dc) const {
    // In high contrast a link takes the colour the user's scheme gives links.
    SetTextColor(dc, HighContrastOn() ? GetSysColor(COLOR_HOTLIGHT)
                     : m_Hovering     ? m_HoverColor
                     : m_Visited      ? m_VisitedColor
                                      : m_NormalColor);
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

LRESULT CALLBACK CHyperLink::SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR, DWORD_PTR self) {
    try {
        return reinterpret_cast<CHyperLink*>(self)->HandleMessage(message, wparam, lparam);
    } catch (...) {
        // An exception must not unwind through user32's frames.
        ui::Trace(L"CHyperLink::SubclassProc: exception in message 0x%04X\n", message);
        return DefSubclassProc(window, message, wparam, lparam);
    }
}

LRESULT CHyperLink::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    const HWND window = m_Control;
    switch (message) {
        case WM_SETCURSOR:
            if (m_HandCursor) {
                SetCursor(m_HandCursor.Get());
                return TRUE;
            }
            return FALSE;
        case WM_MOUSEMOVE:
            OnMouseMove();
            break;
        case WM_TIMER:
            if (wparam == m_HoverTimerId) {
                OnHoverTimer();
            }
            break;
        case WM_LBUTTONDOWN: {
            // The static reports STN_CLICKED to its parent here; the link acts on it itself.
            const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
            OnClicked();
            return result;
        }
        case WM_ERASEBKGND:
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            break;
        case WM_NCDESTROY:
            Detach();
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

void CHyperLink::OnMouseMove() {
    if (m_Hovering) {
        return;
    }
    m_Hovering = true;
    if (m_UnderlineMode == UnderlineOnHover) {
        SendMessageW(m_Control, WM_SETFONT, reinterpret_cast<WPARAM>(m_FontUnderlined.Get()), TRUE);
    }
    InvalidateRect(m_Control, nullptr, TRUE);
    SetTimer(m_Control, m_HoverTimerId, kHoverPeriodMs, nullptr);
}

void CHyperLink::OnHoverTimer() {
    const DWORD position = GetMessagePos();
    POINT pointer{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(m_Control, &pointer);
    if (ui::ClientRect(m_Control).Contains(Point{pointer.x, pointer.y})) {
        return;
    }
    m_Hovering = false;
    KillTimer(m_Control, m_HoverTimerId);
    if (m_UnderlineMode != UnderlineAlways) {
        SendMessageW(m_Control, WM_SETFONT, reinterpret_cast<WPARAM>(m_FontPlain.Get()), TRUE);
    }
    InvalidateRect(m_Control, nullptr, TRUE);
}

void CHyperLink::OnClicked() {
    m_Hovering = false;
    const int result = OpenTarget(m_Target, SW_SHOW);
    m_Visited = result > 32;
    if (m_Visited) {
        MarkVisited(true);
    } else {
        MessageBeep(MB_ICONEXCLAMATION);
        ShowOpenError(result);
    }
}

void CHyperLink::OnDestroy() {
    // The timer is the control's; it must not fire into a window that is going.
    KillTimer(m_Control, m_HoverTimerId);
    // The tooltip is owned by the control, so the system destroys it along with it.
    if (IsWindow(m_Tip.Get())) {
        m_Tip.Reset();
    } else {
        m_Tip.Release();
    }
}

int CHyperLink::OpenTarget(const std::string& target, int show_command) const {
    if (IsMailTarget(target)) {
        return ShellOpen(ui::Widen(MailText(target)), show_command);
    }
    const int result = ShellOpen(ui::Widen(target), show_command);
    if (result > 32) {
        return result;
    }
    // The shell could not open it: start the program registered for web pages directly.
    std::wstring page_class;
    if (ReadRegDefault(HKEY_CLASSES_ROOT, L".htm", page_class) != ERROR_SUCCESS) {
        return result;
    }
    std::wstring command;
    if (ReadRegDefault(HKEY_CLASSES_ROOT, page_class + L"\\shell\\open\\command", command) !=
        ERROR_SUCCESS) {
        return result;
    }
    const std::optional<std::string> command_line =
        FallbackCommandLine(ui::Narrow(command), target);
    if (!command_line) {
        return result;
    }
    return StartProgram(ui::Widen(*command_line), show_command);
}

void CHyperLink::ShowOpenError(int code) const {
    const HWND owner = m_Control != nullptr ? GetParent(m_Control) : nullptr;
    MessageBoxW(owner, ui::Widen(OpenErrorText(code)).c_str(),
                ui::Widen(product::kAppTitle).c_str(), MB_ICONEXCLAMATION | MB_OK);
}

LONG CHyperLink::ReadRegDefault(HKEY root, const std::wstring& sub_key, std::wstring& value) {
    HKEY opened = nullptr;
    const LONG open_error = RegOpenKeyExW(root, sub_key.c_str(), 0, KEY_QUERY_VALUE, &opened);
    if (open_error != ERROR_SUCCESS) {
        return open_error;
    }
    const ui::KeyHandle key(opened);
    wchar_t buffer[kRegistryValueLimit + 1] = L"";
    DWORD type = 0;
    DWORD size = kRegistryValueLimit * sizeof(wchar_t);
    const LONG read_error = RegQueryValueExW(key.Get(), nullptr, nullptr, &type,
                                             reinterpret_cast<BYTE*>(buffer), &size);
    if (read_error != ERROR_SUCCESS) {
        return read_error;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return ERROR_INVALID_DATA;
    }
    // Stored strings need not end in a terminator; the buffer has room for one more.
    buffer[size / sizeof(wchar_t)] = L'\0';
    value = buffer;
    return ERROR_SUCCESS;
}

}  // namespace zarkit
