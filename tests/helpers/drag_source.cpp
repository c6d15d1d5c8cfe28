// Both ends of a real OLE drag for end-to-end tests, driven from outside with the mouse.
//
//   drag_source files RESULT PATH   window "Zarkit drag source" at (600,100)-(800,300): a left
//                                   press in it drags PATH as a file list (copy only);
//                                   appends "effect N" to RESULT when the drag ends
//   drag_source text RESULT FILE    the same window, dragging the UTF-8 text that FILE holds at
//                                   the time of the press as UTF-16 text (copy only); appends
//                                   "effect N" to RESULT when the drag ends
//   drag_source items RESULT        the same window, dragging two item records as a list does;
//                                   appends "taken ID" for each record the target took
//   drag_source target RESULT       window "Zarkit drop target" at (100,100)-(400,400) with the
//                                   list's drop target: appends "file PATH", "text TEXT" and
//                                   "item ID" for what is dropped on it, taking every item
//
// RESULT lines are UTF-8. Each window ends on WM_CLOSE.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/dropped_files.h"
#include "app/item_drag.h"
#include "app/messages.h"
#include "app/my_drop_target.h"
#include "core/item_block.h"
#include "ui/com.h"
#include "ui/data_object.h"
#include "ui/drop_source.h"
#include "ui/text.h"
#include "ui/window.h"
#include <shellapi.h>
#include <shlobj.h>

namespace {

using namespace zarkit;

std::wstring g_result;

void Append(const std::string& line) {
    FILE* file = _wfopen(g_result.c_str(), L"ab");
    if (file != nullptr) {
        std::fwrite(line.data(), 1, line.size(), file);
        std::fputc('\n', file);
        std::fclose(file);
    }
}

std::vector<std::uint8_t> FileList(const std::wstring& path) {
    const std::wstring names = path + L'\0' + L'\0';
    std::vector<std::uint8_t> bytes(sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(bytes.data(), &header, sizeof header);
    std::memcpy(bytes.data() + sizeof header, names.data(), names.size() * sizeof(wchar_t));
    return bytes;
}

// The file's UTF-8 text as terminated UTF-16.
std::vector<std::uint8_t> TextOf(const std::wstring& file) {
    std::string utf8;
    if (FILE* in = _wfopen(file.c_str(), L"rb")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
            utf8.append(buffer, n);
        }
        std::fclose(in);
    }
    const std::wstring text = ui::Widen(utf8) + L'\0';
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return {bytes, bytes + text.size() * sizeof(wchar_t)};
}

ItemRecord Item(const char* name, const char* identifier) {
    ItemRecord record;
    record.path = std::string("C:\\windows\\") + name + ".exe";
    record.display_name = name;
    record.work_dir = "C:\\windows";
    record.identifier = identifier;
    return record;
}

class HelperWindow : public ui::Window {
public:
    enum class Mode { kFiles, kText, kItems, kTarget };

    HelperWindow(Mode mode, std::wstring path) : mode_(mode), path_(std::move(path)) {}

    bool Open() {
        if (!RegisterWindowClass(L"ZarkitDragHelper")) {
            return false;
        }
        const bool target = mode_ == Mode::kTarget;
        const Rect rect = target ? Rect{100, 100, 400, 400} : Rect{600, 100, 800, 300};
        if (!Create(WS_EX_TOPMOST, L"ZarkitDragHelper",
                    target ? L"Zarkit drop target" : L"Zarkit drag source", WS_POPUP | WS_VISIBLE,
                    rect, nullptr, 0)) {
            return false;
        }
        return !target || CMyDropTarget::Register(Hwnd());
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        switch (message) {
            case WM_LBUTTONDOWN:
                if (mode_ == Mode::kFiles) {
                    Drag(CF_HDROP, FileList(path_));
                } else if (mode_ == Mode::kText) {
                    Drag(CF_UNICODETEXT, TextOf(path_));
                } else if (mode_ == Mode::kItems) {
                    for (const std::string& id :
                         DragItems(Hwnd(), {Item("notepad", "{A}"), Item("regedit", "{B}")})) {
                        Append("taken " + id);
                    }
                }
                return 0;
            case WM_DROPFILES:
                for (const std::string& path : DroppedFilePaths(reinterpret_cast<HDROP>(wparam))) {
                    Append("file " + path);
                }
                return 0;
            case WM_ZK_DROPTEXT:
                Append("text " + ui::Narrow(reinterpret_cast<const wchar_t*>(wparam)));
                return 0;
            case WM_ZK_DROPITEMS: {
                auto* items = reinterpret_cast<DroppedItems*>(wparam);
                for (const ItemRecord& record : items->block.records) {
                    Append("item " + record.identifier);
                    items->taken.push_back(record.identifier);
                }
                return 0;
            }
            case WM_PAINT: {
                PAINTSTRUCT paint;
                const HDC dc = BeginPaint(Hwnd(), &paint);
                FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_HIGHLIGHT));
                EndPaint(Hwnd(), &paint);
                return 0;
            }
            case WM_DESTROY:
                if (mode_ == Mode::kTarget) {
                    CMyDropTarget::Revoke(Hwnd());
                }
                PostQuitMessage(0);
                return 0;
            default:
                return DefaultProc(message, wparam, lparam);
        }
    }

private:
    void Drag(CLIPFORMAT format, const std::vector<std::uint8_t>& bytes) {
        const ui::ComPtr<ui::DataObject> data = ui::MakeCom<ui::DataObject>();
        data->SetBytes(format, bytes);
        const ui::ComPtr<ui::DropSource> source = ui::MakeCom<ui::DropSource>();
        DWORD effect = DROPEFFECT_NONE;
        const HRESULT result = DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY, &effect);
        Append("effect " + std::to_string(result == DRAGDROP_S_DROP ? effect : 0));
    }

    Mode mode_;
    std::wstring path_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        return 2;
    }
    const std::wstring mode = argv[1];
    g_result = argv[2];
    HelperWindow::Mode kind;
    if (mode == L"files" && argc >= 4) {
        kind = HelperWindow::Mode::kFiles;
    } else if (mode == L"text" && argc >= 4) {
        kind = HelperWindow::Mode::kText;
    } else if (mode == L"items") {
        kind = HelperWindow::Mode::kItems;
    } else if (mode == L"target") {
        kind = HelperWindow::Mode::kTarget;
    } else {
        return 2;
    }
    const ui::OleApartment ole;
    if (!ole.Ok()) {
        return 3;
    }
    HelperWindow window(kind, argc >= 4 ? argv[3] : L"");
    if (!window.Open()) {
        return 4;
    }
    Append("ready");
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
