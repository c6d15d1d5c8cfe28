#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "app/notification_icon.h"
#include "app/raw_tab_ctrl.h"
#include "app/zarkit_list_ctrl_view.h"
#include "core/edge_slider.h"
#include "core/geometry.h"
#include "core/settings.h"
#include "core/store.h"
#include "ui/com.h"
#include "ui/handles.h"
#include "ui/window.h"

namespace zarkit {

// The drawer: the program's one top-level window, at the left edge of the screen.
// It owns the tab strip (and through it every table's list), the store, and the
// sliding in and out.
class CMainWnd : public ui::Window {
public:
    explicit CMainWnd(std::string module_directory);
    ~CMainWnd() override;

    static bool RegisterWindowClass();
    bool CreateDrawer(const Rect& full_rect);

    // The open drawer's rectangle in screen coordinates; sliding takes its width from it.
    void SetFullRect(const Rect& rect) { m_FullRect = rect; }

    // Table operations: each keeps the stored table, its list and its tab in step.
    CZarkitListCtrlView* AddTable(std::string name);
    void DeleteTable(const std::string& name);
    void RenameTable(const std::string& old_name, const std::string& new_name);

    // The list of the table named `name` (trimmed, any case), or nullptr.
    CZarkitListCtrlView* FindTableList(std::string_view name) const;

    // Freezes the sliding around a dialog, message box or menu of the drawer.
    void SetBusy();
    void ClearBusy() { m_Busy = 0; }

    // Adds the notification-area icon (with the start-up balloon while Show_TipOnStart is
    // on) or removes it; the shell's answer, which nobody needs to act on.
    bool SetTrayIcon(bool add);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    int OnCreate();
    bool OpenStore();
    void OnPaint();
    void OnTimer(UINT_PTR timer_id);
    void OnDestroy();
    void ShowError(const std::string& text) const;

    // COM first: it must outlive the store's document.
    ui::ComApartment m_Com;
    CRawTabCtrl m_TabCtrl;
    int m_FirstRun = 0;
    ui::Bitmap m_BackgroundBitmap;
    ui::Bitmap m_EdgeBitmap;
    Rect m_ListFrame;
    Rect m_FullRect;
    std::unique_ptr<Store> m_Store;
    int m_Busy = 0;
    Settings m_Settings;
    NotificationIcon m_TrayIcon;
    EdgeSlider m_Slider;
    std::string m_ModuleDirectory;
};

}  // namespace zarkit
