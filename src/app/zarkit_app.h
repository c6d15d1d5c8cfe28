#pragma once

#include <string>

#include "app/app_paths.h"
#include "ui/application.h"
#include "ui/handles.h"

namespace zarkit {

// The process: its whole life runs inside InitInstance, which always returns false.
class CZarkitApp : public ui::Application {
public:
    // `executable_path` gives the program's own path, empty when it cannot.
    explicit CZarkitApp(std::string (*executable_path)() = &ExecutablePath);

protected:
    bool InitInstance() override;

private:
    std::string (*m_ExecutablePath)();
    ui::KernelHandle m_InstanceMutex;
};

}  // namespace zarkit
