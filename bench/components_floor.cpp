// The second floor of the start-up benchmark: one window, plus the system components the
// program loads before its drawer shows (COM and OLE, an MSXML document, a common-controls
// version 6 list view with large icons, the shell's image list of large icons), and
// nothing of its own. What the program costs beyond this is its own doing.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>

namespace {

LRESULT CALLBACK FloorProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

// DOMDocument, version-independent, and IXMLDOMDocument: as the program asks for them.
constexpr CLSID kDomDocument = {
    0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr IID kXmlDomDocument = {
    0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    IUnknown* document = nullptr;
    CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER, kXmlDomDocument,
                     reinterpret_cast<void**>(&document));
    SHFILEINFOW info{};
    const auto icons = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                       SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES));

    WNDCLASSW window_class{};
    window_class.lpfnWndProc = FloorProc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = L"ComponentsFloor";
    RegisterClassW(&window_class);
    const HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"ComponentsFloor",
                                        L"ComponentsFloor", WS_POPUP | WS_SYSMENU, 0, 96, 510, 576,
                                        nullptr, nullptr, instance, nullptr);
    const HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_ICON, 60,
                                      20, 440, 540, window, nullptr, instance, nullptr);
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(icons));
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (document != nullptr) {
        document->Release();
    }
    OleUninitialize();
    return 0;
}
