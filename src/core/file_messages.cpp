#include "core/file_messages.h"

namespace zarkit {

std::string FileProblemReason(const io::FileError& error) {
    switch (error.problem) {
        case io::FileProblem::kDiskFull:
            return "The disk is full.";
        case io::FileProblem::kInUse:
            return "Another program is using the file.";
        case io::FileProblem::kReadOnly:
            return "The file is read-only.";
        case io::FileProblem::kNoAccess:
            return "You are not allowed to change the file or its folder.";
        case io::FileProblem::kNotFound:
            return "The folder of the file is gone.";
        case io::FileProblem::kChangedElsewhere:
            return "Another program changed the file, and it cannot be read now.";
        case io::FileProblem::kNone:
        case io::FileProblem::kOther:
            break;
    }
    return error.text.empty() ? std::string("The reason is unknown.") : error.text;
}

std::string SaveFailureMessage(std::string_view file_name, const io::FileError& error) {
    if (error.problem == io::FileProblem::kChangedElsewhere) {
        return std::string(file_name) +
               " was changed by another program and cannot be read now. Zarkit has not saved "
               "your change.";
    }
    return "Your change could not be saved in " + std::string(file_name) +
           ", so it has been undone.\n\n" + FileProblemReason(error);
}

std::string UnreadableStoreMessage(std::string_view file_name, const io::FileError& error) {
    return "Zarkit cannot read its tables and settings from " + std::string(file_name) +
           ", and leaves the file as it is.\n\n" + FileProblemReason(error);
}

std::string UncreatableStoreMessage(std::string_view file_name, const io::FileError& error) {
    return "Zarkit cannot create " + std::string(file_name) + " for its tables and settings.\n\n" +
           FileProblemReason(error);
}

std::string StoreInUseMessage(std::string_view file_name) {
    return std::string(file_name) +
           " is in use by another program, so Zarkit cannot read its tables and settings "
           "now.\n\nRetry: try again (close the other program first).\nCancel: quit and "
           "change no file.";
}

}  // namespace zarkit
