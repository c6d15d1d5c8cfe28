// Find as you type over 10,000 items in 100 tables: one keystroke (the text of one, two and
// three letters, and a word typed letter by letter), building the index, and the changes
// that keep it up to date.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/item_finder.h"

namespace zarkit {
namespace {

constexpr int kTables = 100;
constexpr int kItemsPerTable = 100;

// A mix as a real store holds it: programs under Program Files, some with accented or
// Cyrillic names, web sites with their addresses, special folders.
FindItem MakeItem(int index, std::mt19937& random) {
    static const char* const kVendors[] = {"Microsoft Office", "Adobe",   "JetBrains",
                                           "Mozilla Firefox",  "7-Zip",   "VideoLAN\\VLC",
                                           "Notepad++",        "Git\\cmd"};
    static const char* const kNames[] = {
        "Tool",          "Editor",           "Viewer",
        "Player",        "Manager",          "Compiler",
        "R\xC3\xA9seau", "Sch\xC3\xA4tzung", "\xD0\x9E\xD1\x84\xD0\xB8\xD1\x81"};
    const std::string number = std::to_string(index);
    FindItem item;
    item.key = static_cast<std::uint64_t>(index) * 2654435761u;  // not in label order
    item.table = static_cast<std::uint32_t>(index / kItemsPerTable);
    item.order = static_cast<std::uint32_t>(index % kItemsPerTable);
    if (index % 50 == 0) {
        static const char* const kFolders[] = {"My Computer", "Desktop", "My Documents"};
        item.label = kFolders[(index / 50) % 3];
        return item;
    }
    if (index % 20 == 0) {
        item.label = "Project page " + number;
        item.path = "https://www.example.org/projects/page-" + number + ".html";
        return item;
    }
    const std::string vendor = kVendors[index % 8];
    item.label = std::string(kNames[random() % 9]) + " " + number + " (" + vendor + ")";
    item.path =
        "C:\\Program Files\\" + vendor + "\\Product " + number + "\\bin\\tool" + number + ".exe";
    return item;
}

const std::vector<FindItem>& Items() {
    static const std::vector<FindItem> items = [] {
        std::mt19937 random(20240601);
        std::vector<FindItem> made;
        for (int i = 0; i < kTables * kItemsPerTable; ++i) {
            made.push_back(MakeItem(i, random));
        }
        return made;
    }();
    return items;
}

const ItemFinder& Finder() {
    static const ItemFinder finder = [] {
        ItemFinder built;
        built.Build(Items());
        return built;
    }();
    return finder;
}

void FindBuild(benchmark::State& state) {
    for (auto _ : state) {
        ItemFinder finder;
        finder.Build(Items());
        benchmark::DoNotOptimize(finder.Size());
    }
    state.counters["items"] = static_cast<double>(Items().size());
}

// One keystroke: the whole text is searched again and ranked.
void FindKeystroke(benchmark::State& state, const char* text) {
    const ItemFinder& finder = Finder();
    std::size_t found = 0;
    for (auto _ : state) {
        const std::vector<FindMatch> matches = finder.Find(text);
        found = matches.size();
        benchmark::DoNotOptimize(matches.data());
    }
    state.counters["matches"] = static_cast<double>(found);
}

constexpr const char* kTypedWord = "project page 4";
constexpr const char* kTypedAccented = "r\xC3\xA9seau 17";

// The texts on the find line while a word is typed: one more character each time.
std::vector<std::string> Keystrokes(const std::string& word) {
    std::vector<std::string> texts;
    for (std::size_t length = 1; length <= word.size(); ++length) {
        if (length == word.size() || (static_cast<unsigned char>(word[length]) & 0xC0) != 0x80) {
            texts.push_back(word.substr(0, length));
        }
    }
    return texts;
}

// A word typed letter by letter, one search per letter.
void FindTyping(benchmark::State& state, const char* word) {
    const ItemFinder& finder = Finder();
    const std::vector<std::string> texts = Keystrokes(word);
    for (auto _ : state) {
        for (const std::string& text : texts) {
            const std::vector<FindMatch> matches = finder.Find(text);
            benchmark::DoNotOptimize(matches.data());
        }
    }
    state.counters["keystrokes"] = static_cast<double>(texts.size());
}

// Keeping the index current: an item renamed (out of its place and into another), an
// item added and removed again, a table dropped (restored with the clock stopped).
void FindRename(benchmark::State& state) {
    ItemFinder finder;
    finder.Build(Items());
    FindItem item = Items()[kTables * kItemsPerTable / 2 + 1];
    const std::string original = item.label;
    bool flip = false;
    for (auto _ : state) {
        item.label = (flip = !flip) ? "Zz renamed item" : original;
        finder.Put(item);
    }
}

void FindAddRemove(benchmark::State& state) {
    ItemFinder finder;
    finder.Build(Items());
    const FindItem item{1, 42, 100, "Added tool", "C:\\Added\\tool.exe"};
    for (auto _ : state) {
        finder.Put(item);
        finder.Remove(item.key);
    }
}

void FindRemoveTable(benchmark::State& state) {
    ItemFinder finder;  // outside the loop: the old entries go while the clock is stopped
    for (auto _ : state) {
        state.PauseTiming();
        finder.Build(Items());
        state.ResumeTiming();
        finder.RemoveTable(kTables / 2);
        benchmark::DoNotOptimize(finder.Size());
    }
}

BENCHMARK(FindBuild)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(FindKeystroke, one_letter, "t")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(FindKeystroke, two_letters, "to")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(FindKeystroke, three_letters, "too")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(FindKeystroke, one_accented, "\xC3\xA9")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(FindTyping, project_page, kTypedWord)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(FindTyping, reseau, kTypedAccented)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(FindRename)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(FindAddRemove)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(FindRemoveTable)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Prints the table as usual and keeps each benchmark's time per iteration for the summary.
class SummaryReporter final : public benchmark::ConsoleReporter {
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

    void Print(const char* what, const std::string& name, double divisor, double goal_ms) const {
        const auto found = seconds_.find(name);
        if (found == seconds_.end()) {
            return;
        }
        const double ms = found->second * 1e3 / divisor;
        if (goal_ms > 0) {
            std::printf("%-28s %9.3f ms   (goal %.0f ms)\n", what, ms, goal_ms);
        } else {
            std::printf("%-28s %9.3f ms\n", what, ms);
        }
    }

private:
    std::map<std::string, double> seconds_;
};

}  // namespace
}  // namespace zarkit

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    zarkit::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n10,000 items in 100 tables\n");
    reporter.Print("keystroke, 1 letter", "FindKeystroke/one_letter/real_time", 1, 5);
    reporter.Print("keystroke, 2 letters", "FindKeystroke/two_letters/real_time", 1, 5);
    reporter.Print("keystroke, 3 letters", "FindKeystroke/three_letters/real_time", 1, 5);
    reporter.Print("keystroke, typing a word", "FindTyping/project_page/real_time",
                   static_cast<double>(zarkit::Keystrokes(zarkit::kTypedWord).size()), 5);
    reporter.Print("keystroke, typing accented", "FindTyping/reseau/real_time",
                   static_cast<double>(zarkit::Keystrokes(zarkit::kTypedAccented).size()), 5);
    reporter.Print("index build", "FindBuild/real_time", 1, 0);
    reporter.Print("rename one item", "FindRename/real_time", 1, 0);
    reporter.Print("add + remove one item", "FindAddRemove/real_time", 1, 0);
    reporter.Print("remove one table", "FindRemoveTable/real_time", 1, 0);
    benchmark::Shutdown();
    return 0;
}
