#include "app/default_content.h"

#include <shlobj.h>

#include "app/shell_items.h"
#include "app/table_controller.h"
#include "core/product.h"

namespace zarkit {
namespace {

constexpr char kCommon[] = "Common";
constexpr char kWebSites[] = "WebSites";

struct WebSite {
    const char* name;
    const char* address;
};

constexpr WebSite kWebSiteDefaults[] = {
    {"VELMOR Soft Home Page", product::kHomePage},
    {"SourceForge", "https://sourceforge.net/"},
    {"CNN", "https://www.cnn.com/"},
    {"Apple Home Page", "https://www.apple.com/"},
    {"Ars Technica", "https://arstechnica.com/"},
};

void AddCommonDefaults(TableController& tables) {
    // Without the system folder, the tools are looked for by their bare names.
    const std::string system = SpecialFolderPath(CSIDL_SYSTEM);
    const auto in_system = [&system](const char* file) {
        return system.empty() ? std::string(file) : system + "\\" + file;
    };
    tables.AddSpecialFolderToTable(kCommon, CSIDL_DRIVES, "My Computer");
    tables.AddSpecialFolderToTable(kCommon, CSIDL_DESKTOP, "Desktop");
    tables.AddSpecialFolderToTable(kCommon, CSIDL_PERSONAL, "My Documents");
    if (const auto browser = FindAssociatedProgram(tables.EnsureBrowserProbeFile())) {
        tables.AddPathToTable(kCommon, *browser, "Web Browse");
    }
    for (const char* tool : {"mspaint.exe", "calc.exe"}) {
        const std::string path = in_system(tool);
        if (PathExists(path)) {
            tables.AddPathToTable(kCommon, path, "");
        }
    }
}

void AddWebSitesDefaults(TableController& tables) {
    for (const WebSite& site : kWebSiteDefaults) {
        if (!tables.ItemNameExists(site.name, kWebSites)) {
            tables.AddWebSiteToTable(kWebSites, site.address, site.name);
        }
    }
}

}  // namespace

void AddDefaultContent(TableController& tables) {
    AddCommonDefaults(tables);
    AddWebSitesDefaults(tables);
}

}  // namespace zarkit
