#include "app/busy_scope.h"

#include "app/main_wnd.h"
#include "core/edge_slider.h"

namespace zarkit {

BusyScope::BusyScope(CMainWnd& drawer) {
    Raise(&drawer.m_Busy);
}

BusyScope::BusyScope(HWND window) {
    CMainWnd* drawer = CMainWnd::OfWindow(window);
    Raise(drawer != nullptr ? &drawer->m_Busy : nullptr);
}

BusyScope::~BusyScope() {
    if (m_Flag != nullptr) {
        *m_Flag = m_WasBusy;
    }
}

void BusyScope::Raise(bool* flag) {
    m_Flag = flag;
    if (m_Flag != nullptr) {
        m_WasBusy = *m_Flag;
        *m_Flag = true;
    }
    Sleep(kBusyPauseMs);
}

}  // namespace zarkit
