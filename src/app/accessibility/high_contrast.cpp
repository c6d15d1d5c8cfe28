#include "app/accessibility/high_contrast.h"

#include <cstring>
#include <string>

#include "ui/text.h"
#include "ui/trace.h"

namespace zarkit {
namespace {

struct HighContrastSetting {
    bool read = false;
    bool on = false;
};

HighContrastSetting& Setting() {
    static HighContrastSetting setting;
    return setting;
}

bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// Where Windows keeps the setting for the user. Wine answers SPI_GETHIGHCONTRAST with "off"
// whatever is set, and refuses SPI_SETHIGHCONTRAST; there this value is the setting.
bool StoredFlagsOn() {
    wchar_t text[32] = L"";
    DWORD size = sizeof text;
    DWORD type = 0;
    const LSTATUS status =
        RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags",
                     RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, text, &size);
    if (status != ERROR_SUCCESS) {
        return false;
    }
    if (type == REG_DWORD) {
        DWORD value = 0;
        std::memcpy(&value, text, sizeof value);
        return (value & HCF_HIGHCONTRASTON) != 0;
    }
    return HighContrastFlagsOn(ui::Narrow(text));
}

bool QueryHighContrast() {
    HIGHCONTRASTW high_contrast{};
    high_contrast.cbSize = sizeof high_contrast;
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof high_contrast, &high_contrast, 0)) {
        ui::TraceLastError(L"SystemParametersInfoW(SPI_GETHIGHCONTRAST)");
        return false;
    }
    if ((high_contrast.dwFlags & HCF_HIGHCONTRASTON) != 0) {
        return true;
    }
    return UnderWine() && StoredFlagsOn();
}

int SystemColourIndex(SystemColour colour) {
    switch (colour) {
        case SystemColour::kWindow:
            return COLOR_WINDOW;
        case SystemColour::kWindowText:
            return COLOR_WINDOWTEXT;
        case SystemColour::kHighlight:
            return COLOR_HIGHLIGHT;
        case SystemColour::kHighlightText:
            return COLOR_HIGHLIGHTTEXT;
        case SystemColour::kButtonFace:
            break;
    }
    return COLOR_BTNFACE;
}

BOOL CALLBACK PassSystemColourChange(HWND child, LPARAM) {
    SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

}  // namespace

bool HighContrastOn() {
    HighContrastSetting& setting = Setting();
    if (!setting.read) {
        setting.on = QueryHighContrast();
        setting.read = true;
    }
    return setting.on;
}

void ReadHighContrast() {
    HighContrastSetting& setting = Setting();
    setting.on = QueryHighContrast();
    setting.read = true;
}

DrawerPalette CurrentDrawerPalette() {
    return DrawerPaletteFor(HighContrastOn());
}

COLORREF ColourOf(const PaintColour& colour) {
    return colour.system ? GetSysColor(SystemColourIndex(*colour.system))
                         : static_cast<COLORREF>(colour.rgb);
}

void ApplySystemColours(HWND top_level) {
    ReadHighContrast();
    // The common controls keep the system colours they drew with until they are told.
    EnumChildWindows(top_level, &PassSystemColourChange, 0);
    RedrawWindow(top_level, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace zarkit
