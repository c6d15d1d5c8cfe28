#pragma once

#include <string>

#include "ui/win32.h"
#include <commctrl.h>

namespace zarkit::ui {

// A list-view control by its handle. Owns nothing: the control is a child window and
// goes with its parent.
class ListView {
public:
    ListView() = default;
    explicit ListView(HWND control) : control_(control) {}

    HWND Hwnd() const { return control_; }
    void Attach(HWND control) { control_ = control; }

    int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    int SelectedCount() const { return static_cast<int>(Send(LVM_GETSELECTEDCOUNT)); }
    // The next selected entry after `after` (-1: the first), or -1.
    int NextSelected(int after = -1) const {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(after), LVNI_SELECTED));
    }

    // The new entry's index, or -1. At `index` (the end by default).
    int Insert(const std::wstring& label, int image, LPARAM data, int index = -1) const {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = index < 0 ? Count() : index;
        item.pszText = const_cast<wchar_t*>(label.c_str());
        item.iImage = image;
        item.lParam = data;
        return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }
    bool Delete(int index) const { return Send(LVM_DELETEITEM, static_cast<WPARAM>(index)) != 0; }

    LPARAM Data(int index) const {
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = index;
        return Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
    }
    bool SetLabel(int index, const std::wstring& label) const {
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = const_cast<wchar_t*>(label.c_str());
        return Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(&item)) != 0;
    }
    std::wstring Label(int index) const {
        wchar_t buffer[1024] = L"";
        LVITEMW item{};
        item.pszText = buffer;
        item.cchTextMax = static_cast<int>(sizeof buffer / sizeof buffer[0]);
        Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    // Only this entry selected, with the focus, and scrolled into view.
    void SelectOnly(int index) const {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
        Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    }
    HWND EditLabel(int index) const {
        return reinterpret_cast<HWND>(Send(LVM_EDITLABELW, static_cast<WPARAM>(index)));
    }

    // The entry under a point of the client area, or -1.
    int HitTest(POINT point) const {
        LVHITTESTINFO hit{};
        hit.pt = point;
        const int index = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        return (hit.flags & LVHT_ONITEM) != 0 ? index : -1;
    }

    void AddExtendedStyle(DWORD styles) const {
        Send(LVM_SETEXTENDEDLISTVIEWSTYLE, styles, styles);
    }
    void SetNormalImageList(HIMAGELIST images) const {
        Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images));
    }

private:
    LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const {
        return SendMessageW(control_, message, wparam, lparam);
    }

    HWND control_ = nullptr;
};

}  // namespace zarkit::ui
