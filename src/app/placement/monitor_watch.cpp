#include "app/placement/monitor_watch.h"

#include <dbt.h>

#include "ui/trace.h"

namespace zarkit {
namespace {

// GUID_DEVINTERFACE_MONITOR, the device interface class of monitors.
constexpr GUID kMonitorInterface = {
    0xE6F07B5F, 0xEE97, 0x4A90, {0xB0, 0x76, 0x33, 0xF5, 0x7B, 0xF4, 0xEA, 0xA7}};

}  // namespace

void MonitorWatch::Start(HWND window) {
    m_Window = window;
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kMonitorInterface;
    m_Registration.Reset(RegisterDeviceNotificationW(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
    if (!m_Registration) {
        ui::TraceLastError(L"MonitorWatch: RegisterDeviceNotificationW");
    }
    if (SetTimer(window, kCheckTimerId, kCheckPeriodMs, nullptr) == 0) {
        ui::TraceLastError(L"MonitorWatch: SetTimer");
    }
}

void MonitorWatch::Stop() {
    m_Registration.Reset();
    if (m_Window != nullptr) {
        KillTimer(m_Window, kCheckTimerId);
        m_Window = nullptr;
    }
}

bool MonitorWatch::IsMonitorChange(WPARAM event, LPARAM data) {
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) {
        return false;
    }
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header == nullptr || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE) {
        return false;
    }
    const auto* device = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(data);
    return IsEqualGUID(device->dbcc_classguid, kMonitorInterface) != FALSE;
}

}  // namespace zarkit
