#pragma once

#include <vector>

#include "core/drawer_placement.h"

namespace zarkit {

// Where the drawer learns which monitors there are: the system in the program, a list made
// up for the purpose in tests.
class MonitorSource {
public:
    virtual ~MonitorSource() = default;
    // Never empty: without an answer from the system, the primary screen's size stands in.
    virtual std::vector<Monitor> Monitors() const = 0;
};

// The monitors of the desktop (EnumDisplayMonitors), each with its DPI.
class SystemMonitors final : public MonitorSource {
public:
    std::vector<Monitor> Monitors() const override;
};

}  // namespace zarkit
