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

// A store for the crash test: every item it meets carries an identifier, so it never
// needs a new one.
Store MakeCrashTestStore();

}  // namespace zarkit
