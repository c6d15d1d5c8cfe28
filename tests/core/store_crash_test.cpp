// Kills a process that saves the store in a loop, at random moments, and checks after
// every kill that the file is whole: it opens, and holds the last state the process
// reported, the one it was saving, or (when another writer changed the file just before,
// and the step was being merged onto it) that writer's file; and that its backup, when
// there is one, opens too and holds the state before that, the same one or the file the
// merge replaced.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <map>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/paths.h"
#include "tests/core/store_crash_steps.h"

extern char** environ;

namespace zarkit {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 250;
constexpr char kStoreName[] = "info_data.xml";
constexpr char kBackupName[] = "info_data.xml.bak";

// The document as the store reads it, written again: free of whatever a writer may vary.
std::optional<std::string> CanonicalForm(const std::string& path, std::string* error) {
    Store store = MakeCrashTestStore();
    if (!store.Open(path, error)) {
        return std::nullopt;
    }
    return store.Document().Serialize();
}

// The expected states, rebuilt by applying the same steps to a store of its own. States
// are asked for in rising order, so only a short window of them is kept.
class ReferenceHistory {
public:
    explicit ReferenceHistory(std::string path) : path_(std::move(path)) {}

    bool Start() {
        if (!MakeInitialCrashState(path_) || !store_.Open(path_, nullptr)) {
            return false;
        }
        return Record();
    }

    // nullptr when a step failed or `state` has been forgotten.
    const std::string* At(std::uint64_t state) {
        while (first_ + states_.size() <= state) {
            const std::uint64_t n = first_ + states_.size();
            if (HasOtherWriter(n)) {
                std::optional<std::string> theirs;
                if (!ApplyOtherWriter(path_, n) || !(theirs = CanonicalForm(path_, nullptr))) {
                    return nullptr;
                }
                theirs_[n] = std::move(*theirs);
            }
            if (!ApplyCrashStep(store_, n) || !Record()) {
                return nullptr;
            }
        }
        return state < first_ ? nullptr : &states_[state - first_];
    }

    // The other writer's file before step `state`, when it has one; nullptr otherwise.
    const std::string* OtherWritersBefore(std::uint64_t state) {
        if (At(state) == nullptr) {
            return nullptr;
        }
        const auto found = theirs_.find(state);
        return found == theirs_.end() ? nullptr : &found->second;
    }

    void ForgetBefore(std::uint64_t state) {
        while (first_ < state && !states_.empty()) {
            states_.pop_front();
            theirs_.erase(first_);
            ++first_;
        }
    }

private:
    bool Record() {
        std::optional<std::string> form = CanonicalForm(path_, nullptr);
        if (!form) {
            return false;
        }
        states_.push_back(std::move(*form));
        return true;
    }

    std::string path_;
    Store store_ = MakeCrashTestStore();
    std::deque<std::string> states_;
    std::map<std::uint64_t, std::string> theirs_;
    std::uint64_t first_ = 0;
};

// The child with its standard output on a pipe.
class Child {
public:
    Child(const std::string& store_path, std::uint64_t state) : next_(state + 1) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        const std::string state_text = std::to_string(state);
        char* const argv[] = {const_cast<char*>(ZARKIT_STORE_CRASH_CHILD),
                              const_cast<char*>(store_path.c_str()),
                              const_cast<char*>(state_text.c_str()), nullptr};
        if (::posix_spawn(&pid_, ZARKIT_STORE_CRASH_CHILD, &actions, nullptr, argv, environ) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(fds[1]);
        out_ = fds[0];
    }
    ~Child() {
        if (pid_ > 0) {
            Kill();
        }
        if (out_ >= 0) {
            ::close(out_);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Started() const { return pid_ > 0 && out_ >= 0; }

    // Reads reports until `reports` have come in all or `deadline` passes; stops early at
    // the end of the output or at a report out of sequence.
    void ReadUntil(Clock::time_point deadline, std::uint64_t reports) {
        while (reports_ < reports) {
            const auto left = deadline - Clock::now();
            if (left <= Clock::duration::zero()) {
                return;
            }
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            const timespec timeout{static_cast<time_t>(ns / 1000000000), ns % 1000000000};
            pollfd fd{out_, POLLIN, 0};
            const int ready = ::ppoll(&fd, 1, &timeout, nullptr);
            if ((ready < 0 && errno != EINTR) || (ready > 0 && !ReadSome())) {
                return;
            }
        }
    }

    // SIGKILL, then every report written before it; the exit status, as waitpid gives it.
    int Kill() {
        ::kill(pid_, SIGKILL);
        while (ReadSome()) {
        }
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
        return status;
    }

    std::uint64_t Reports() const { return reports_; }
    bool InSequence() const { return in_sequence_; }
    // The state of the last report, or the state the child began from.
    std::uint64_t LastSaved() const { return next_ - 1; }

private:
    bool ReadSome() {
        char buffer[4096];
        const ssize_t got = ::read(out_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            return true;
        }
        if (got <= 0) {
            return false;
        }
        pending_.append(buffer, static_cast<std::size_t>(got));
        for (std::size_t end; (end = pending_.find('\n')) != std::string::npos;) {
            in_sequence_ &= pending_.compare(0, end, "saved " + std::to_string(next_)) == 0;
            pending_.erase(0, end + 1);
            ++next_;
            ++reports_;
        }
        return in_sequence_;
    }

    pid_t pid_ = -1;
    int out_ = -1;
    std::uint64_t next_;
    std::uint64_t reports_ = 0;
    bool in_sequence_ = true;
    std::string pending_;
};

// Everything beside the store and its backup.
std::vector<std::string> LeftOvers(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (entry.path().filename() != kStoreName && entry.path().filename() != kBackupName) {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

fs::path UniqueDir(const fs::path& parent) {
    return parent / ("zarkit-crash-" + std::to_string(::getpid()) + "-" +
                     std::to_string(std::random_device()()));
}

class StoreCrash : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = UniqueDir(fs::temp_directory_path());
        // The reference store is never killed: keep its saves off the disk when we can.
        const fs::path shm("/dev/shm");
        reference_dir_ = UniqueDir(fs::is_directory(shm) ? shm : fs::temp_directory_path());
        fs::create_directories(dir_);
        fs::create_directories(reference_dir_);
    }
    void TearDown() override {
        fs::remove_all(dir_);
        fs::remove_all(reference_dir_);
    }

    fs::path dir_;
    fs::path reference_dir_;
};

TEST_F(StoreCrash, EveryKillLeavesTheLastOrTheNextStateAndTheStoreStillSaves) {
    const std::string path = (dir_ / kStoreName).string();
    ReferenceHistory reference((reference_dir_ / kStoreName).string());
    ASSERT_TRUE(reference.Start());
    ASSERT_TRUE(MakeInitialCrashState(path));

    const unsigned seed = std::random_device()();
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::uniform_int_distribution<int> mode(0, 9);
    std::uniform_int_distribution<int> delay_us(0, 30000);
    std::uniform_int_distribution<int> short_delay_us(0, 3000);
    std::uniform_int_distribution<std::uint64_t> report_count(1, 4);

    std::uint64_t state = 0;
    std::uint64_t saves = 0;
    int kills_in_a_save = 0;
    int kills_before_a_merge = 0;
    const auto begin = Clock::now();
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round) + " from state " + std::to_string(state));
        Child child(path, state);
        ASSERT_TRUE(child.Started()) << ZARKIT_STORE_CRASH_CHILD;
        const auto started = Clock::now();
        const auto no_later = started + std::chrono::seconds(10);
        constexpr std::uint64_t kAll = ~std::uint64_t{0};
        switch (mode(random)) {
            case 0:
            case 1:
            case 2:
                // Right after a report: the next save has barely begun.
                child.ReadUntil(no_later, report_count(random));
                break;
            case 3:
            case 4:
            case 5:
                child.ReadUntil(no_later, 1);
                child.ReadUntil(Clock::now() + std::chrono::microseconds(short_delay_us(random)),
                                kAll);
                break;
            default:
                child.ReadUntil(started + std::chrono::microseconds(delay_us(random)), kAll);
                break;
        }
        ASSERT_LT(Clock::now(), no_later) << "the child reported nothing";
        const int status = child.Kill();
        ASSERT_TRUE(child.InSequence()) << "a report out of sequence";
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the child ended by itself, status " << status;

        std::string error;
        const std::optional<std::string> found = CanonicalForm(path, &error);
        ASSERT_TRUE(found) << error;
        // The save after the last report may have replaced the file before the kill.
        const std::uint64_t last = child.LastSaved();
        const std::string* expected = reference.At(last);
        const std::string* next = reference.At(last + 1);
        ASSERT_TRUE(expected && next) << "the reference history failed";
        // Killed after the other writer's save and before the merge: their file, which the
        // next child takes up again.
        const std::string* theirs = reference.OtherWritersBefore(last + 1);
        if (*found == *expected || (theirs != nullptr && *found == *theirs)) {
            state = last;
            kills_before_a_merge += *found != *expected ? 1 : 0;
        } else {
            ASSERT_EQ(*found, *next) << "neither state " << last << " nor the next one";
            state = last + 1;
            ++kills_in_a_save;
        }
        saves += state - (last - child.Reports());

        // The backup is the file the last finished save replaced, or, killed between
        // keeping it and replacing the store, the store itself. Before any save of this
        // history it is one of the initial state's own steps.
        const fs::path backup = dir_ / kBackupName;
        ASSERT_TRUE(fs::exists(backup));
        const std::optional<std::string> kept = CanonicalForm(backup.string(), &error);
        ASSERT_TRUE(kept) << error;
        // After a merge, the file it replaced was the other writer's.
        if (state > 0) {
            const std::string* before = reference.At(state - 1);
            const std::string* merged_onto = reference.OtherWritersBefore(state);
            ASSERT_TRUE(before);
            EXPECT_TRUE(*kept == *before || *kept == *found ||
                        (merged_onto != nullptr && *kept == *merged_onto))
                << "the backup is neither state " << state - 1 << " nor " << state;
        }
        reference.ForgetBefore(state == 0 ? 0 : state - 1);

        // A kill between creating a temporary file and renaming it leaves that file
        // behind until the next start removes it: the new content's, and the backup's
        // second name. Each child names its own by process id and creates it
        // exclusively, so such a file never stands in a later save's way.
        const std::vector<std::string> left = LeftOvers(dir_);
        ASSERT_LE(left.size(), static_cast<std::size_t>(2 * (round + 1)));
        for (const std::string& name : left) {
            ASSERT_TRUE(IsTemporaryFileOf(name, kStoreName) || IsTemporaryFileOf(name, kBackupName))
                << name;
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    const std::size_t left_over = LeftOvers(dir_).size();
    std::printf(
        "%d kills in %.2f s: %llu saves, %d kills after a rename not yet reported, "
        "%d on another writer's file before the merge, %zu temporary files left\n",
        kRounds, seconds, static_cast<unsigned long long>(saves), kills_in_a_save,
        kills_before_a_merge, left_over);
    // Kills that all land between saves would prove nothing.
    EXPECT_GT(kills_in_a_save + static_cast<int>(left_over), 0);

    // With all those files beside it, the store still opens, changes and saves.
    Store store = MakeCrashTestStore();
    ASSERT_TRUE(store.Open(path, nullptr));
    ASSERT_TRUE(ApplyCrashStepWithWriters(store, path, state + 1));
    EXPECT_EQ(CanonicalForm(path, nullptr), *reference.At(state + 1));
    // The file the step replaced: the last state, or the other writer's before the step.
    const std::optional<std::string> backup = CanonicalForm((dir_ / kBackupName).string(), nullptr);
    const std::string* theirs = reference.OtherWritersBefore(state + 1);
    EXPECT_TRUE(backup == *reference.At(state) || (theirs != nullptr && backup == *theirs));
    EXPECT_EQ(LeftOvers(dir_).size(), left_over);

    // As at the next start: every temporary file goes, and nothing else.
    Store::RemoveLeftoverFiles(path);
    EXPECT_EQ(LeftOvers(dir_), std::vector<std::string>{});
    EXPECT_TRUE(fs::exists(dir_ / kBackupName));
}

}  // namespace
}  // namespace zarkit
