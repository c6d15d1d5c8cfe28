#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/find_view.h"
#include "app/hot_key_registration.h"
#include "app/notification_icon.h"
#include "app/placement/monitor_source.h"
#include "app/placement/monitor_watch.h"
#include "app/raw_tab_ctrl.h"
#include "app/run_key.h"
#include "app/startup_timing.h"
#include "app/table_controller.h"
#include "core/dpi_scale.h"
#include "core/drawer_placement.h"
#include "core/edge_slider.h"
#include "core/geometry.h"
#include "core/settings.h"
#include "core/store.h"
#include "ui/handles.h"
#include "ui/window.h"

namespace zarkit {

// The drawer: the program's one top-level window, at the edge of a screen that the
// settings choose. It owns the tab strip (and through it every table's list), the tables,
// and the sliding in and out; it paints itself and dispatches the program's commands.
class CMainWnd : public ui::Window {
public:
    // The monitors come from `monitors`, the system's when none is given.
    CMainWnd(std::string module_directory, std::string probe_file,
             std::unique_ptr<MonitorSource> monitors = nullptr);
    ~CMainWnd() override;

    static bool RegisterWindowClass();
    // Creates the drawer, hidden, open at the place its settings choose (which it reads
    // from the store while it is created).
    bool CreateDrawer();

    // Where it lives now.
    const DrawerPlacement& Placement() const { return m_Placement; }

    TableController& Tables() { return m_Tables; }

    // The drawer that `window` is or lies in, or null.
    static CMainWnd* OfWindow(HWND window);

    // While set, the edge polling does nothing: see BusyScope.
    bool IsBusy() const { return m_Busy; }

    // Adds the notification-area icon (with the start-up balloon while Show_TipOnStart is
    // on) or removes it; the shell's answer, which nobody needs to act on.
    bool SetTrayIcon(bool add);

    // Makes the start-with-Windows value match Start_OnWindow.
    RunValueResult UpdateRunKey();

    // The keyboard (main_wnd_keyboard.cpp).
    // Whether the drawer is open rather than the strip.
    bool IsOpen() const;
    // Ctrl+Tab and its kin: the next (+1) or previous (-1) table, with the focus in its list.
    void StepTable(int step);
    // Tab in a list: the keyboard focus to the tab strip.
    void FocusTabs();
    // Ctrl+Shift+Page Down and Up: the current table one place later (+1) or earlier (-1).
    void MoveCurrentTable(int step);
    // Esc: the strip at once, and the focus back to the window that had it before.
    void CloseByKeyboard();
    // A character typed in a list: it goes onto the find line.
    void TypeIntoFind(char32_t character);
    // Something was started from a list: the drawer need not stay open for the keyboard.
    void OnItemsLaunched();
    // The list on show has painted itself.
    void OnListPainted() { m_Timing.ListPainted(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    int OnCreate();
    // What start-up leaves until the strip has shown: the tray icon, the Run value, the
    // hot key.
    void ListFirstTable();
    void OnIconsArrived();
    void TakeArrivedIcons();
    void OnStartupRest();
    void NoteFirstTableListed();
    std::unique_ptr<Store> OpenStore();
    void OnPaint();
    void PaintEdgeGraphic(HDC dc, HDC memory, const Rect& client) const;
    void OnTimer(UINT_PTR timer_id);
    // Moves the window as the slider decided, and puts it back on top when it says so.
    void ApplySlide(const SlideStep& step);
    void OnDestroy();

    // The screen and its scale (main_wnd_display.cpp).
    void ApplyDpi(int dpi);
    void ApplyLayout();
    bool FullScreenProgramInFront() const;

    // Its monitor and edge (placement/main_wnd_placement.cpp).
    // Decides the place again from the settings and the monitors there are now, and moves
    // the drawer there.
    void PlaceDrawer(PlacedAs as = PlacedAs::kAsItWas);
    void PlaceDrawer(const std::vector<Monitor>& monitors, PlacedAs as);
    void ApplyPlacement(const DrawerPlacement& placement, PlacedAs as);
    // After Settings: a new place is taken at once, and the drawer waits there as the
    // strip; the same place moves nothing.
    void MoveToChosenPlace();
    void OnDisplayChange(int width, int height);
    void OnDeviceChange(WPARAM event, LPARAM data);
    // The monitor watch's timer: placed again when the monitors differ from those it was
    // placed on.
    void CheckMonitors();
    void ShowError(const std::string& text) const;

    // The keyboard (main_wnd_keyboard.cpp).
    void ApplyHotKey();
    void OnHotKey();
    void OpenByKeyboard();
    void FocusCurrentList();
    void NoteForegroundWindow();
    void OnActivateApp(bool active);
    void OnKeyDown(WPARAM key);
    bool OnTabStripKey(const KeyPress& press);

    // The program's commands (main_wnd_commands.cpp).
    static bool IsCommandMessage(UINT message);
    void OnCommandMessage(UINT message, WPARAM wparam);
    void OnAddTable();
    void OnDelTable();
    void OnAddSpecial(WPARAM which);
    void OnRenameTable();
    void OnAddItems(WPARAM mode);
    void OnSettings();
    void OnAbout();
    // A change the file could not take, told once (see TableController::NoteStoreFailure).
    void OnStoreFailed();

    // The file written by another program too (main_wnd_store.cpp).
    bool CanRebuildTables() const;
    void CheckStoreWhenIdle(DWORD now);
    void OnStoreReloaded();
    // Puts the settings record into effect: hover selection, the lists' order, the Run
    // value, the hot key.
    void ApplySettings();
    void OnContextMenu(LPARAM where);
    bool OnMenuCommand(WPARAM wparam);

    friend class BusyScope;

    std::string m_ModuleDirectory;
    // Before the tab strip: the tables' lists, which the tab strip owns, use it.
    TableController m_Tables;
    CRawTabCtrl m_TabCtrl;
    // After the tab strip: its window lies in the tab strip's.
    CFindView m_FindView;
    bool m_FirstRun = false;
    // The collapsed strip at start: the tables are loaded and the first one listed once it
    // has been painted.
    bool m_FirstTableWaits = false;
    bool m_StartupRestDone = false;  // what waits for the first paint has been done
    static constexpr UINT_PTR kIconPassTimerId = 5;
    static constexpr ULONGLONG kIconPassPeriodMs = 100;
    ULONGLONG m_LastIconPass = 0;
    ui::Bitmap m_BackgroundBitmap;
    ui::Bitmap m_EdgeBitmap;
    Rect m_ListFrame;
    std::unique_ptr<MonitorSource> m_Monitors;
    MonitorWatch m_MonitorWatch;
    // The open drawer's rectangle (which sliding takes its width from), its strip, edge
    // and monitor.
    DrawerPlacement m_Placement;
    // While the drawer moves to a new place: the DPI change that the move itself sends
    // is already being applied.
    bool m_Placing = false;
    int m_Dpi = kDefaultDpi;
    DrawerMetrics m_Metrics = DrawerMetricsForDpi(kDefaultDpi);
    bool m_Busy = false;
    Settings m_Settings;
    NotificationIcon m_TrayIcon;
    EdgeSlider m_Slider;
    HotKeyRegistration m_HotKey;
    // The last window of another program that was in front: Esc gives the focus back to it.
    HWND m_ReturnFocus = nullptr;
    DWORD m_LastStoreCheck = 0;
    StartupTiming m_Timing;
};

}  // namespace zarkit
