#include "app/placement/monitor_source.h"

#include <utility>

#include "ui/dpi.h"
#include "ui/gdi.h"
#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM list) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(handle, &info)) {
        ui::TraceLastError(L"SystemMonitors: GetMonitorInfoW");
        return TRUE;
    }
    Monitor monitor;
    monitor.bounds = ui::ToRect(info.rcMonitor);
    monitor.work_area = ui::ToRect(info.rcWork);
    monitor.dpi = ui::MonitorDpi(handle);
    monitor.device_name = ui::Narrow(info.szDevice);
    monitor.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    reinterpret_cast<std::vector<Monitor>*>(list)->push_back(std::move(monitor));
    return TRUE;
}

}  // namespace

std::vector<Monitor> SystemMonitors::Monitors() const {
    std::vector<Monitor> monitors;
    if (!EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors))) {
        ui::TraceLastError(L"SystemMonitors: EnumDisplayMonitors");
    }
    if (monitors.empty()) {
        const Rect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        monitors.push_back(Monitor{screen, screen, ui::MonitorDpi(nullptr), "", true});
    }
    return monitors;
}

}  // namespace zarkit
