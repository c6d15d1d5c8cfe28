#pragma once

#include <string>
#include <string_view>

#include "io/file_io.h"

// What the user is told when the store's file cannot be read or written: the reason in
// words they can act on, rather than a system error code.
namespace zarkit {

// "The disk is full.", "Another program is using the file.", ...; the system's own text
// for a reason without words of ours.
std::string FileProblemReason(const io::FileError& error);

// A change that could not be saved in `file_name`, and so was undone.
std::string SaveFailureMessage(std::string_view file_name, const io::FileError& error);

// The store file could be neither read nor created at start.
std::string UnreadableStoreMessage(std::string_view file_name, const io::FileError& error);
std::string UncreatableStoreMessage(std::string_view file_name, const io::FileError& error);

// Another program holds the store file at start: the user may try again.
std::string StoreInUseMessage(std::string_view file_name);

}  // namespace zarkit
