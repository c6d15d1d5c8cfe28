#include "app/drawer_warning.h"

#include "app/busy_scope.h"
#include "core/product.h"
#include "ui/text.h"

namespace zarkit {

void WarnOverDrawer(HWND window, const std::string& text) {
    const HWND drawer = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
    const BusyScope busy(drawer);
    MessageBoxW(drawer, ui::Widen(text).c_str(), ui::Widen(product::kAppTitle).c_str(),
                MB_OK | MB_ICONWARNING);
}

}  // namespace zarkit
