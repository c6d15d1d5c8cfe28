#pragma once

#include <string>

#include "core/store.h"

namespace zarkit {

// After `store` failed to open the file at `path` with `error`: tells the user, and when
// the file's backup loads, offers to put it in its place. True when the user took the
// offer and `store` is now open on the restored file; false when the program must end,
// with every file as it was (unless the restoring itself failed half-way, which is
// said).
bool RecoverDamagedStore(Store& store, const std::string& path, const std::string& error);

// The question itself: true for Yes.
bool AskToRestoreBackup(const std::string& path, const std::string& error);

// Another program holds the store: true when the user wants to try again.
bool AskToRetryStoreInUse();

}  // namespace zarkit
