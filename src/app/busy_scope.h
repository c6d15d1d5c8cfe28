#pragma once

#include "ui/win32.h"

namespace zarkit {

class CMainWnd;

// Freezes the drawer's sliding for one scope, around a dialog, a message box or a menu:
// while the flag is up the edge polling leaves the drawer where it is, so it neither
// collapses under an open dialog nor opens under a menu. Raising it first blocks the
// UI thread for kBusyPauseMs. The flag goes down on every way out of the scope, an
// exception included; a scope inside another leaves it up for the outer one.
class BusyScope {
public:
    explicit BusyScope(CMainWnd& drawer);
    // The drawer that `window` is or lies in; without one there is nothing to freeze,
    // and the scope only pauses.
    explicit BusyScope(HWND window);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    void Raise(bool* flag);

    bool* m_Flag = nullptr;
    bool m_WasBusy = false;
};

}  // namespace zarkit
