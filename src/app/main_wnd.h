#pragma once

#include <string>

#include "core/geometry.h"
#include "ui/window.h"

namespace zarkit {

// The drawer: the program's one top-level window, at the left edge of the screen.
class CMainWnd : public ui::Window {
public:
    explicit CMainWnd(std::string module_directory);
    ~CMainWnd() override;

    static bool RegisterWindowClass();
    bool CreateDrawer(const Rect& full_rect);

    // The open drawer's rectangle in screen coordinates; sliding takes its width from it.
    void SetFullRect(const Rect& rect) { m_FullRect = rect; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

private:
    int OnCreate();
    void OnDestroy();

    std::string m_ModuleDirectory;
    Rect m_FullRect;
};

}  // namespace zarkit
