#include "app/store_recovery.h"

#include "core/file_messages.h"
#include "core/product.h"
#include "ui/text.h"
#include "ui/win32.h"
#include "xml/msxml_document.h"

namespace zarkit {
namespace {

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int ShowMessage(const std::string& text, UINT type) {
    return MessageBoxW(nullptr, ui::Widen(text).c_str(), ui::Widen(product::kAppTitle).c_str(),
                       type);
}

}  // namespace

bool AskToRestoreBackup(const std::string& path, const std::string& error) {
    const std::string backup = FileNameOf(Store::BackupPathOf(path));
    const std::string damaged = FileNameOf(Store::DamagedPathOf(path));
    const std::string text =
        "Zarkit cannot load its tables and settings:\n\n" + error +
        "\n\nThe backup made before the last change, " + backup +
        ", is intact and can take its place.\n\nYes: keep the damaged file as " + damaged +
        ", restore the backup and start.\nNo: quit and change no file.";
    return ShowMessage(text, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

bool RecoverDamagedStore(Store& store, const std::string& path, const std::string& error) {
    if (!Store::BackupLoads(&MakeMsxmlDocument, path)) {
        // The store is the user's work: say what is wrong, touch nothing, and stop.
        ShowMessage(
            "Zarkit cannot load its tables and settings, and leaves the file as it is.\n\n" + error,
            MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!AskToRestoreBackup(path, error)) {
        return false;
    }
    io::FileError restore_error;
    std::string open_error;
    if (!Store::RestoreBackup(path, &restore_error)) {
        open_error = FileProblemReason(restore_error);
    } else if (!store.Open(path, &open_error)) {
        open_error = FileProblemReason(store.LastError());
    }
    if (!open_error.empty()) {
        ShowMessage(
            "Zarkit could not put the backup in place of its damaged file.\n\n" + open_error,
            MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

bool AskToRetryStoreInUse() {
    return ShowMessage(StoreInUseMessage(product::kStoreFileName),
                       MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDRETRY;
}

}  // namespace zarkit
