#pragma once

namespace zarkit {

class TableController;

// The tables a new store starts with: "Common" (the special folders, the web browser and
// two system tools, where they exist) and "WebSites" (five sites). Rows that cannot be
// listed are left out.
void AddDefaultContent(TableController& tables);

}  // namespace zarkit
