// The child of the crash test: opens the store, which holds the state named on the command
// line, then applies the following steps for ever, saying "saved N" after each save. Before
// some steps it plays another writer too, whose file the step then goes onto.
// The test kills it at random moments.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/core/store_crash_steps.h"

namespace {

class CountingSink final : public zarkit::TableLoadSink {
public:
    bool BeginTable(const std::string&) override { return true; }
    void InsertItemRecord(zarkit::ItemRecord&) override { ++items_; }
    void EndTable() override {}

private:
    std::size_t items_ = 0;
};

// Unbuffered, so that a report is out of the process the moment it is made.
bool Report(std::uint64_t state) {
    const std::string line = "saved " + std::to_string(state) + "\n";
    return ::write(STDOUT_FILENO, line.data(), line.size()) == static_cast<ssize_t>(line.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s STORE STATE\n", argv[0]);
        return 2;
    }
    zarkit::Store store = zarkit::MakeCrashTestStore();
    std::string error;
    if (!store.Open(argv[1], &error)) {
        std::fprintf(stderr, "store_crash_child: %s\n", error.c_str());
        return 3;
    }
    // As the program starts up: the load may touch the document, too.
    CountingSink sink;
    store.LoadAllTables(sink);
    zarkit::Settings settings;
    store.ReadSettings(settings);

    for (std::uint64_t state = std::strtoull(argv[2], nullptr, 10) + 1;; ++state) {
        if (!zarkit::ApplyCrashStepWithWriters(store, argv[1], state)) {
            std::fprintf(stderr, "store_crash_child: step %llu failed\n",
                         static_cast<unsigned long long>(state));
            return 4;
        }
        if (!Report(state)) {
            return 5;
        }
    }
}
