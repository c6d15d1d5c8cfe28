#include "app/zarkit_list_ctrl_view.h"

#include "ui/handles.h"

namespace zarkit {
namespace {

constexpr wchar_t kClassName[] = L"ZarkitListView";

}  // namespace

bool CZarkitListCtrlView::RegisterWindowClass() {
    return ui::Window::RegisterWindowClass(kClassName);
}

bool CZarkitListCtrlView::CreateView(HWND tab_strip, const Rect& rect) {
    // A list has no control id of its own: all bits set.
    return Create(0, kClassName, L"ZarkitListView", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect,
                  tab_strip, static_cast<UINT_PTR>(0xFFFF));
}

bool CZarkitListCtrlView::InsertItemRecord(ItemRecord& record) {
    records_.push_back(record);
    return true;
}

LRESULT CZarkitListCtrlView::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            OnPaint();
            return 0;
        default:
            return DefaultProc(message, wparam, lparam);
    }
}

void CZarkitListCtrlView::OnPaint() {
    ui::PaintScope paint(Hwnd());
    RECT client;
    GetClientRect(Hwnd(), &client);
    FillRect(paint.Dc(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

}  // namespace zarkit
