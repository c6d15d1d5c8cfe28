#pragma once

#include "ui/handles.h"
#include "ui/win32.h"

namespace zarkit {

// Asks the system to tell a window (WM_DEVICECHANGE) when a monitor is connected or
// disconnected, for as long as the watch lives. Changes of the desktop's layout come as
// WM_DISPLAYCHANGE as well; a monitor can come and go without one (mirrored, say).
class MonitorWatch {
public:
    // False when the system refused; the drawer then learns of monitors from the other
    // messages alone.
    bool Start(HWND window);
    void Stop() { m_Registration.Reset(); }

    // Whether a WM_DEVICECHANGE is a monitor arriving or leaving.
    static bool IsMonitorChange(WPARAM event, LPARAM data);

private:
    ui::DeviceNotification m_Registration;
};

}  // namespace zarkit
