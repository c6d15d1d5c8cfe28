#include "tests/core/store_crash_steps.h"

#include <array>

#include "io/file_io.h"
#include "xml/pugi_document.h"

namespace zarkit {
namespace {

// Unicode and characters XML escapes, so that every save goes through both.
constexpr std::array<const char*, 3> kTableBases{"Tools & <Utilities>", "Игры", "Web \"🌐\""};
constexpr std::uint64_t kTableCount = kTableBases.size();
constexpr int kItemsPerTableAtStart = 5;
// An item added at step m is deleted at step m + 2 + 4 * kWindow.
constexpr std::uint64_t kWindow = 6;

std::string TableNameAt(std::uint64_t table, std::uint64_t state) {
    // Table k is renamed at every step 8q with q % 3 == k; find the last one up to `state`.
    const std::int64_t q = static_cast<std::int64_t>(state / 8);
    const std::int64_t k = static_cast<std::int64_t>(table);
    const std::int64_t last = q - ((q - k) % 3 + 3) % 3;
    std::string name = kTableBases[table];
    if (last >= 1) {
        name += " #" + std::to_string(last * 8);
    }
    return name;
}

std::uint64_t TableOfItem(std::uint64_t m) {
    return (m / 4) % kTableCount;
}

ItemRecord Item(std::uint64_t m) {
    const std::string number = std::to_string(m);
    ItemRecord record;
    record.identifier = FormatItemIdentifier({static_cast<std::uint32_t>(m),
                                              0x7D40,
                                              0x4E8B,
                                              {0x9C, 0x21, 0x5B, 0x7E, 0x0D, 0x4A, 0x6F, 0x13}});
    if (m % 20 == 1) {
        record.path = "17";
        record.display_name = "My Computer " + number;
        record.special_folder = 1;
        record.folder_id = 17;
        return record;
    }
    record.path = "C:\\Program Files\\App " + number + "\\app" + number + ".exe";
    record.display_name = "App " + number;
    record.work_dir = "C:\\Program Files\\App " + number;
    if (m % 3 == 0) {
        record.start_params = "--profile=\"" + number + "\" <&>";
    }
    return record;
}

Settings SettingsAt(std::uint64_t n) {
    Settings settings;
    settings.Start_OnWindow = n % 3 == 0;
    settings.Show_TickCount = static_cast<int>(n % 100000);
    settings.Show_TipOnStart = n % 5 != 0;
    settings.Animate_WindowOnStart = n % 7 != 0;
    settings.SelTable_MouseOn = n % 2 == 0;
    return settings;
}

}  // namespace

Store MakeCrashTestStore() {
    return Store(&MakePugiDocument, [] { return std::optional<Guid>(); });
}

bool MakeInitialCrashState(const std::string& path) {
    if (!Store::CreateDefaultStore(&MakePugiDocument, path)) {
        return false;
    }
    Store store = MakeCrashTestStore();
    if (!store.Open(path, nullptr)) {
        return false;
    }
    for (std::uint64_t table = 0; table < kTableCount; ++table) {
        const std::string name = TableNameAt(table, 0);
        if (store.AddTable(name) != StoreResult::kDone) {
            return false;
        }
        // Never deleted: identifiers far above any step number.
        for (int i = 0; i < kItemsPerTableAtStart; ++i) {
            ItemRecord record = Item(0xF0000000u + table * 16 + static_cast<std::uint64_t>(i));
            if (!store.AddItem(name, record)) {
                return false;
            }
        }
    }
    return true;
}

bool ApplyCrashStep(Store& store, std::uint64_t n) {
    const std::uint64_t before = n - 1;
    switch (n % 4) {
        case 1:
            return store.AddItem(TableNameAt(TableOfItem(n), before), Item(n));
        case 2: {
            ItemRecord record = Item(n - 1);
            record.display_name = "Renamed " + std::to_string(n - 1) + " at " + std::to_string(n);
            return store.RenameItem(TableNameAt(TableOfItem(n - 1), before), record);
        }
        case 3:
            if (n > 2 + 4 * kWindow) {
                const std::uint64_t m = n - 2 - 4 * kWindow;
                return store.DeleteItem(TableNameAt(TableOfItem(m), before), Item(m));
            }
            return store.WriteSettings(SettingsAt(n));
        default:
            if (n % 8 == 0) {
                const std::uint64_t table = (n / 8) % kTableCount;
                return store.RenameTable(TableNameAt(table, before), TableNameAt(table, n)) ==
                       StoreResult::kDone;
            }
            return store.WriteSettings(SettingsAt(n));
    }
}

bool HasOtherWriter(std::uint64_t n) {
    return n % 5 == 4;
}

bool ApplyOtherWriter(const std::string& path, std::uint64_t n) {
    std::string bytes;
    if (!io::ReadFileBytes(path, &bytes, nullptr)) {
        return false;
    }
    const std::unique_ptr<XmlDocument> document = MakePugiDocument();
    if (!document->Parse(bytes, nullptr)) {
        return false;
    }
    const XmlNode file_desc = document->SelectSingle(document->DocumentNode(), "File_Desc");
    XmlNode mark = document->SelectSingle(file_desc, "Other_Writer");
    if (!mark) {
        mark = document->CreateElement("Other_Writer");
        if (!mark || !document->AppendChild(file_desc, mark)) {
            return false;
        }
    }
    const std::optional<std::string> written =
        document->SetText(mark, std::to_string(n)) ? document->Serialize() : std::nullopt;
    return written && io::ReplaceFileContent(path, *written, nullptr);
}

bool ApplyCrashStepWithWriters(Store& store, const std::string& path, std::uint64_t n) {
    return (!HasOtherWriter(n) || ApplyOtherWriter(path, n)) && ApplyCrashStep(store, n);
}

}  // namespace zarkit
