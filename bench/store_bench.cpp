// The store on a large file (10,000 items in 100 tables): loading it, and one change with
// its save, each next to its floor, which the store cannot beat: pugixml parsing the same
// bytes alone, and the same bytes put in place without serializing anything.

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/store.h"
#include "io/file_io.h"
#include "xml/pugi_document.h"

namespace zarkit {
namespace {

namespace fs = std::filesystem;

constexpr int kTables = 100;
constexpr int kItemsPerTable = 100;

class CountingSink final : public TableLoadSink {
public:
    bool BeginTable(const std::string&) override { return true; }
    void InsertItemRecord(ItemRecord&) override { ++items; }
    void EndTable() override {}

    std::size_t items = 0;
};

std::string TableName(int table) {
    return "Table " + std::to_string(table);
}

// A mix as a real store holds it: mostly programs under Program Files, some with start
// parameters, some web sites and special folders.
ItemRecord MakeItem(int index, std::mt19937& random) {
    static const char* const kVendors[] = {"Microsoft Office", "Adobe",   "JetBrains",
                                           "Mozilla Firefox",  "7-Zip",   "VideoLAN\\VLC",
                                           "Notepad++",        "Git\\cmd"};
    const std::string number = std::to_string(index);
    ItemRecord record;
    Guid guid{static_cast<std::uint32_t>(random()),
              static_cast<std::uint16_t>(random()),
              static_cast<std::uint16_t>(random()),
              {}};
    for (auto& byte : guid.data4) {
        byte = static_cast<std::uint8_t>(random());
    }
    record.identifier = FormatItemIdentifier(guid);
    if (index % 50 == 0) {
        static const char* const kFolders[][2] = {
            {"17", "My Computer"}, {"0", "Desktop"}, {"5", "My Documents"}};
        const auto& folder = kFolders[(index / 50) % 3];
        record.path = folder[0];
        record.display_name = folder[1];
        record.special_folder = 1;
        return record;
    }
    if (index % 20 == 0) {
        record.path = "C:\\Program Files\\Mozilla Firefox\\firefox.exe";
        record.work_dir = "C:\\Program Files\\Mozilla Firefox";
        record.start_params = "https://www.example.org/projects/page-" + number + ".html";
        record.display_name = "Project page " + number;
        return record;
    }
    const std::string vendor = kVendors[index % 8];
    record.work_dir = "C:\\Program Files\\" + vendor + "\\Product " + number;
    record.path = record.work_dir + "\\bin\\tool" + number + ".exe";
    record.display_name = "Tool " + number + " (" + vendor + ")";
    if (index % 7 == 0) {
        record.start_params = "--profile=\"work " + number + "\" -n";
    }
    return record;
}

// Built through the document rather than with AddItem, which would save 10,000 times.
bool WriteLargeStore(const std::string& path) {
    if (!Store::CreateDefaultStore(&MakePugiDocument, path)) {
        return false;
    }
    Store store(&MakePugiDocument, RandomGuidSource());
    if (!store.Open(path, nullptr)) {
        return false;
    }
    XmlDocument& document = store.Document();
    const XmlNode file_desc = document.SelectSingle(document.DocumentNode(), "File_Desc");
    std::mt19937 random(20240601);
    for (int t = 0; t < kTables; ++t) {
        const XmlNode table = document.CreateElement("Table_Node");
        const XmlNode label = document.CreateElement("Table_Lable");
        document.SetText(label, TableName(t));
        document.AppendChild(table, label);
        for (int i = 0; i < kItemsPerTable; ++i) {
            const ItemRecord record = MakeItem(t * kItemsPerTable + i, random);
            const XmlNode item = document.CreateElement("Table_Item");
            document.SetText(item, record.path);
            document.SetAttribute(item, "Nick_Name", record.display_name);
            document.SetAttribute(item, "Work_Dir", record.work_dir);
            document.SetAttribute(item, "Start_Params", record.start_params);
            document.SetAttribute(item, "Unique_Identifier", record.identifier);
            document.SetAttribute(item, "Is_VirtualFloder", record.special_folder ? "yes" : "no");
            document.AppendChild(table, item);
        }
        document.AppendChild(file_desc, table);
    }
    return store.Save();
}

// The large store, written once per run into a folder that goes with the process.
class BenchFiles {
public:
    static BenchFiles& Get() {
        static BenchFiles files;
        return files;
    }
    ~BenchFiles() {
        std::error_code ignored;
        fs::remove_all(dir_, ignored);
    }

    bool Ready() const { return ready_; }
    const std::string& LargeStore() const { return large_; }
    const std::string& Bytes() const { return bytes_; }
    // A fresh copy of the large store, for benchmarks that change it.
    std::string CopyOfLargeStore(const std::string& name) const {
        const std::string path = (dir_ / name).string();
        return io::ReplaceFileContent(path, bytes_, nullptr) ? path : std::string();
    }

private:
    BenchFiles()
        : dir_(fs::temp_directory_path() / ("zarkit-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(dir_);
        large_ = (dir_ / "info_data.xml").string();
        ready_ = WriteLargeStore(large_) && io::ReadFileBytes(large_, &bytes_, nullptr);
    }

    fs::path dir_;
    std::string large_;
    std::string bytes_;
    bool ready_ = false;
};

void StoreLoad(benchmark::State& state) {
    const BenchFiles& files = BenchFiles::Get();
    std::size_t items = 0;
    for (auto _ : state) {
        Store store(&MakePugiDocument, RandomGuidSource());
        if (!store.Open(files.LargeStore(), nullptr)) {
            state.SkipWithError("the store does not open");
            break;
        }
        CountingSink sink;
        store.LoadAllTables(sink);
        Settings settings;
        store.ReadSettings(settings);
        benchmark::DoNotOptimize(settings);
        items = sink.items;
    }
    state.counters["items"] = static_cast<double>(items);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(files.Bytes().size()));
}

// The floor of StoreLoad: the same bytes, already in memory, parsed by pugixml as the
// document parses them.
void StoreLoadFloor(benchmark::State& state) {
    const std::string& bytes = BenchFiles::Get().Bytes();
    for (auto _ : state) {
        pugi::xml_document document;
        const pugi::xml_parse_result result =
            document.load_buffer(bytes.data(), bytes.size(), PugiParseOptions());
        if (!result) {
            state.SkipWithError(result.description());
            break;
        }
        benchmark::DoNotOptimize(document.first_child());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

// The parts of StoreLoad, to see where its time goes.
void StoreOpen(benchmark::State& state) {
    const BenchFiles& files = BenchFiles::Get();
    for (auto _ : state) {
        Store store(&MakePugiDocument, RandomGuidSource());
        if (!store.Open(files.LargeStore(), nullptr)) {
            state.SkipWithError("the store does not open");
            break;
        }
    }
}

void StoreLoadAllTables(benchmark::State& state) {
    Store store(&MakePugiDocument, RandomGuidSource());
    if (!store.Open(BenchFiles::Get().LargeStore(), nullptr)) {
        state.SkipWithError("the store does not open");
        return;
    }
    for (auto _ : state) {
        CountingSink sink;
        store.LoadAllTables(sink);
        benchmark::DoNotOptimize(sink.items);
    }
}

ItemRecord AddedItem(std::uint32_t serial) {
    ItemRecord record;
    record.path = "C:\\Program Files\\Added Vendor\\Added Product\\bin\\added.exe";
    record.display_name = "Added product";
    record.work_dir = "C:\\Program Files\\Added Vendor\\Added Product\\bin";
    record.identifier = FormatItemIdentifier({serial, 0xADD0, 0x4eed, {0x80, 1, 2, 3, 4, 5, 6, 7}});
    return record;
}

// One AddItem with its save, into the middle table; the item is taken out again with the
// clock stopped, so every round saves a store of the same size.
void StoreAddItem(benchmark::State& state) {
    const std::string path = BenchFiles::Get().CopyOfLargeStore("add_item.xml");
    Store store(&MakePugiDocument, RandomGuidSource());
    if (path.empty() || !store.Open(path, nullptr)) {
        state.SkipWithError("the store does not open");
        return;
    }
    const std::string table = TableName(kTables / 2);
    std::uint32_t serial = 0;
    for (auto _ : state) {
        const ItemRecord record = AddedItem(++serial);
        if (!store.AddItem(table, record)) {
            state.SkipWithError("AddItem failed");
            break;
        }
        state.PauseTiming();
        store.DeleteItem(table, record);
        state.ResumeTiming();
    }
}

// The floor of StoreAddItem: the file that AddItem writes, put in place by the same steps
// as io::ReplaceFileContent, with nothing to serialize.
void StoreAddItemFloor(benchmark::State& state) {
    const std::string path = BenchFiles::Get().CopyOfLargeStore("replace.xml");
    std::string bytes;
    {
        Store store(&MakePugiDocument, RandomGuidSource());
        if (path.empty() || !store.Open(path, nullptr) ||
            !store.AddItem(TableName(kTables / 2), AddedItem(0)) ||
            !io::ReadFileBytes(path, &bytes, nullptr)) {
            state.SkipWithError("the store does not open");
            return;
        }
    }
    const std::string directory = fs::path(path).parent_path().string();
    unsigned serial = 0;
    for (auto _ : state) {
        const std::string temporary =
            path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        struct stat info;
        if (::stat(path.c_str(), &info) == 0) {
            ::fchmod(fd, info.st_mode & 07777);
        }
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (written <= 0) {
                break;
            }
            done += static_cast<std::size_t>(written);
        }
        const bool ok = done == bytes.size() && ::fsync(fd) == 0 && ::close(fd) == 0 &&
                        ::rename(temporary.c_str(), path.c_str()) == 0;
        const int dir_fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::fsync(dir_fd);
        ::close(dir_fd);
        if (!ok) {
            state.SkipWithError("the file could not be replaced");
            break;
        }
    }
}

// The identifiers of one table's items, in file order.
class IdentifierSink final : public TableLoadSink {
public:
    explicit IdentifierSink(std::string table) : table_(std::move(table)) {}
    bool BeginTable(const std::string& name) override {
        in_table_ = name == table_;
        return true;
    }
    void InsertItemRecord(ItemRecord& record) override {
        if (in_table_) {
            identifiers.push_back(record.identifier);
        }
    }
    void EndTable() override {}

    std::vector<std::string> identifiers;

private:
    std::string table_;
    bool in_table_ = false;
};

// One item moved by the user, with its save: the first item of the middle table goes to
// its end, so each round moves the next one and saves a store of the same size.
void StoreMoveItem(benchmark::State& state) {
    const std::string path = BenchFiles::Get().CopyOfLargeStore("move_item.xml");
    Store store(&MakePugiDocument, RandomGuidSource());
    if (path.empty() || !store.Open(path, nullptr)) {
        state.SkipWithError("the store does not open");
        return;
    }
    const std::string table = TableName(kTables / 2);
    IdentifierSink sink(table);
    store.LoadAllTables(sink);
    std::size_t round = 0;
    for (auto _ : state) {
        const std::string& first = sink.identifiers[round++ % sink.identifiers.size()];
        if (store.MoveItems(table, {first}, "") != StoreResult::kDone) {
            state.SkipWithError("MoveItems failed");
            break;
        }
    }
}

// One table moved by the user, with its save: the first table goes after the last.
void StoreMoveTable(benchmark::State& state) {
    const std::string path = BenchFiles::Get().CopyOfLargeStore("move_table.xml");
    Store store(&MakePugiDocument, RandomGuidSource());
    if (path.empty() || !store.Open(path, nullptr)) {
        state.SkipWithError("the store does not open");
        return;
    }
    int round = 0;
    for (auto _ : state) {
        if (store.MoveTable(TableName(round++ % kTables), "") != StoreResult::kDone) {
            state.SkipWithError("MoveTable failed");
            break;
        }
    }
}

BENCHMARK(StoreLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StoreLoadFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StoreOpen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StoreLoadAllTables)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StoreAddItem)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StoreAddItemFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StoreMoveItem)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(StoreMoveTable)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints the table as usual and keeps each benchmark's time per iteration, for the ratios.
class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0 && !run.error_occurred) {
                seconds_[run.benchmark_name()] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
            }
        }
    }

    void PrintRatio(const char* what, const std::string& name, const std::string& floor) const {
        const auto measured = seconds_.find(name);
        const auto floored = seconds_.find(floor);
        if (measured == seconds_.end() || floored == seconds_.end()) {
            return;
        }
        std::printf("%-16s %9.3f ms   floor %9.3f ms   %5.2fx (target 2x)\n", what,
                    measured->second * 1e3, floored->second * 1e3,
                    measured->second / floored->second);
    }

private:
    std::map<std::string, double> seconds_;
};

}  // namespace
}  // namespace zarkit

int main(int argc, char** argv) {
    // A page fault costs some 15 us on a virtual machine, and whether glibc hands freed
    // memory back to the system between two iterations depends on how much one iteration
    // allocated: the figures would measure that threshold, not the code. Every benchmark
    // here keeps its memory alike.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    if (!zarkit::BenchFiles::Get().Ready()) {
        std::fprintf(stderr, "store_bench: the large store could not be written\n");
        return 1;
    }
    zarkit::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n");
    reporter.PrintRatio("load", "StoreLoad/real_time", "StoreLoadFloor/real_time");
    reporter.PrintRatio("add item + save", "StoreAddItem/real_time", "StoreAddItemFloor/real_time");
    benchmark::Shutdown();
    return 0;
}
