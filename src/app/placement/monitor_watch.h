#pragma once

#include <utility>
#include <vector>

#include "core/drawer_placement.h"
#include "ui/handles.h"
#include "ui/win32.h"

namespace zarkit {

// Learns when the monitors change. The system tells a window (WM_DEVICECHANGE) when a
// monitor is connected or disconnected, and changes of the desktop's layout come as
// WM_DISPLAYCHANGE; where neither comes (Wine sends neither when an X output is switched
// on or off), a look at the monitor list every two seconds finds the change all the same.
class MonitorWatch {
public:
    static constexpr UINT_PTR kCheckTimerId = 4;
    static constexpr UINT kCheckPeriodMs = 2000;

    // Registers for the notifications and starts the check timer on `window`; the
    // notifications may be refused, and the checks then stand alone.
    void Start(HWND window);
    void Stop();

    // The monitors the placement was last decided from, as the system listed them.
    void Note(std::vector<Monitor> monitors) { m_Seen = std::move(monitors); }
    // Whether the system lists other monitors (or other sizes, work areas or DPIs) now.
    bool Changed(const std::vector<Monitor>& now) const { return now != m_Seen; }

    // Whether a WM_DEVICECHANGE is a monitor arriving or leaving.
    static bool IsMonitorChange(WPARAM event, LPARAM data);

private:
    HWND m_Window = nullptr;
    ui::DeviceNotification m_Registration;
    std::vector<Monitor> m_Seen;
};

}  // namespace zarkit
