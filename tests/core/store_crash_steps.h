#pragma once

#include <cstdint>
#include <string>

#include "core/store.h"

namespace zarkit {

// A fixed history of store states that the crash test's child writes and the test
// itself rebuilds: state 0 is made by MakeInitialCrashState, state n by applying step n
// to state n-1. It adds, renames and deletes items, renames tables and writes the
// settings, but keeps only a window of recent items, so the file stays small however
// long the history runs.
bool MakeInitialCrashState(const std::string& path);

// Step `n` (from 1) on a store that holds state n-1; true when it changed and saved.
bool ApplyCrashStep(Store& store, std::uint64_t n);

// Before some steps another writer (a sync client, say) changes the store's file at
// `path` in one step, and the step goes onto its file: a reload and merge.
bool HasOtherWriter(std::uint64_t n);
// The other writer's change before step n: a mark of its own in File_Desc. Done twice, it
// leaves the same bytes.
bool ApplyOtherWriter(const std::string& path, std::uint64_t n);
// Step n as the history makes it: the other writer first, where there is one.
bool ApplyCrashStepWithWriters(Store& store, const std::string& path, std::uint64_t n);

// A store for the crash test: every item it meets carries an identifier, so it never
// needs a new one.
Store MakeCrashTestStore();

}  // namespace zarkit
