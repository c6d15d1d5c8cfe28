#pragma once

#include "ui/application.h"
#include "ui/handles.h"

namespace zarkit {

// The process: its whole life runs inside InitInstance, which always returns false.
class CZarkitApp : public ui::Application {
protected:
    bool InitInstance() override;

private:
    ui::KernelHandle m_InstanceMutex;
};

}  // namespace zarkit
