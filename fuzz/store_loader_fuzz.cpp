// libFuzzer target over the store's loader. Every input is loaded as the program loads
// its store, changed, saved, and loaded again: whatever opened once must open again, and
// give back what was saved.

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/store.h"
#include "xml/pugi_document.h"

namespace zarkit {
namespace {

struct LoadedTable {
    std::string name;
    std::vector<ItemRecord> items;
    friend bool operator==(const LoadedTable&, const LoadedTable&) = default;
};

// Keeps a copy of everything, so that every byte handed over is read.
class KeepingSink final : public TableLoadSink {
public:
    bool BeginTable(const std::string& name) override {
        tables.push_back({name, {}});
        return true;
    }
    void InsertItemRecord(ItemRecord& record) override { tables.back().items.push_back(record); }
    void EndTable() override {}

    std::vector<LoadedTable> tables;
};

GuidSource CountingGuids() {
    auto next = std::make_shared<std::uint32_t>(0);
    return [next]() -> std::optional<Guid> {
        return Guid{(*next)++, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
    };
}

// One folder per process (libFuzzer's -jobs runs several), on tmpfs when there is one:
// the store is saved several times per input.
const std::string& StorePath() {
    // Never destroyed: the clean-up at exit still needs it.
    static const std::string* const path = [] {
        namespace fs = std::filesystem;
        const fs::path shm("/dev/shm");
        const fs::path dir = (fs::is_directory(shm) ? shm : fs::temp_directory_path()) /
                             ("zarkit-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(std::filesystem::path(StorePath()).parent_path(), ignored);
        });
        return new std::string((dir / "info_data.xml").string());
    }();
    return *path;
}

bool WriteInput(const std::uint8_t* data, std::size_t size) {
    const int fd = ::open(StorePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    bool written = true;
    for (std::size_t done = 0; written && done < size;) {
        const ssize_t got = ::write(fd, data + done, size - done);
        written = got > 0;
        done += written ? static_cast<std::size_t>(got) : 0;
    }
    return ::close(fd) == 0 && written;
}

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "store_loader_fuzz: %s %s\n", what, detail.c_str());
    std::abort();
}

void Run(const std::uint8_t* data, std::size_t size) {
    if (!WriteInput(data, size)) {
        Fail("cannot write", StorePath());
    }
    Store store(&MakePugiDocument, CountingGuids());
    if (!store.Open(StorePath(), nullptr)) {
        return;
    }
    KeepingSink loaded;
    store.LoadAllTables(loaded);
    Settings settings;
    store.ReadSettings(settings);

    store.AddTable("Fuzz & <Table>");
    const std::string first = loaded.tables.empty() ? "Fuzz & <Table>" : loaded.tables[0].name;
    store.RenameTable(first, first + " \xD0\x98");
    const std::string table = first + " \xD0\x98";
    ItemRecord added;
    added.path = "C:\\Program Files\\Fuzz\\fuzz.exe";
    added.display_name = "Fuzz \"item\"";
    added.work_dir = "C:\\Program Files\\Fuzz";
    added.start_params = "--a=<b>";
    added.identifier = "{00000000-0000-0000-0000-000000000001}";
    store.AddItem(table, added);
    if (!loaded.tables.empty() && !loaded.tables[0].items.empty()) {
        const auto& items = loaded.tables[0].items;
        store.DeleteItem(table, items.front());
        ItemRecord renamed = items.back();
        renamed.display_name += " renamed";
        store.RenameItem(table, renamed);
    }
    settings.Show_TickCount ^= 1;
    settings.SelTable_MouseOn = !settings.SelTable_MouseOn;
    store.WriteSettings(settings);
    store.Save();

    // What the program now holds in memory...
    KeepingSink held;
    store.LoadAllTables(held);
    Settings held_settings;
    store.ReadSettings(held_settings);

    // ...is what it finds in the file the next time it starts.
    Store again(&MakePugiDocument, CountingGuids());
    std::string error;
    if (!again.Open(StorePath(), &error)) {
        Fail("a saved store does not open again:", error);
    }
    KeepingSink reloaded;
    again.LoadAllTables(reloaded);
    Settings reloaded_settings;
    again.ReadSettings(reloaded_settings);
    if (reloaded.tables != held.tables) {
        Fail("the tables and items loaded again differ from those saved", "");
    }
    if (reloaded_settings != held_settings) {
        Fail("the settings loaded again differ from those saved", "");
    }
}

}  // namespace
}  // namespace zarkit

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zarkit::Run(data, size);
    return 0;
}
