#include "io/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <random>
#include <vector>

namespace zarkit::io {
namespace {

namespace fs = std::filesystem;

class FileIoPosix : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zarkit-io-" + std::to_string(std::random_device()()));
        fs::create_directories(dir_);
        path_ = (dir_ / "info_data.xml").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(FileIoPosix, ReplaceCreatesThenReplacesWholeContent) {
    const std::string large(3 * 65536 + 17, 'x');
    ASSERT_TRUE(ReplaceFileContent(path_, large, nullptr));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path_, &bytes, nullptr));
    EXPECT_EQ(bytes, large);
    ASSERT_TRUE(ReplaceFileContent(path_, std::string("a\0b", 3), nullptr));
    ASSERT_TRUE(ReadFileBytes(path_, &bytes, nullptr));
    EXPECT_EQ(bytes, std::string("a\0b", 3));
    ASSERT_TRUE(ReplaceFileContent(path_, "", nullptr));
    ASSERT_TRUE(ReadFileBytes(path_, &bytes, nullptr));
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(Entries(), std::vector<std::string>{"info_data.xml"});
}

TEST_F(FileIoPosix, ReplaceKeepsThePermissionsOfTheOldFile) {
    ASSERT_TRUE(ReplaceFileContent(path_, "old", nullptr));
    ASSERT_EQ(::chmod(path_.c_str(), 0640), 0);
    ASSERT_TRUE(ReplaceFileContent(path_, "new", nullptr));
    struct stat info;
    ASSERT_EQ(::stat(path_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FileIoPosix, FailuresNameTheFileAndLeaveNothingBehind) {
    FileError error;
    // The target is a folder: the temporary file is written, then cannot take its place.
    fs::create_directories(fs::path(path_) / "inside");
    EXPECT_FALSE(ReplaceFileContent(path_, "new", &error));
    EXPECT_NE(error.text.find(path_), std::string::npos) << error.text;
    EXPECT_EQ(Entries(), std::vector<std::string>{"info_data.xml"});
    EXPECT_TRUE(FileExists(path_));

    const std::string missing = (dir_ / "gone" / "info_data.xml").string();
    EXPECT_FALSE(ReplaceFileContent(missing, "new", &error));
    EXPECT_NE(error.text.find(missing), std::string::npos) << error.text;
    EXPECT_FALSE(FileExists(missing));

    std::string bytes = "unchanged";
    EXPECT_FALSE(ReadFileBytes(missing, &bytes, &error));
    EXPECT_NE(error.text.find("Cannot open \"" + missing + "\""), std::string::npos) << error.text;
    EXPECT_FALSE(ReadFileBytes(path_, &bytes, &error));  // a folder
    EXPECT_EQ(bytes, "unchanged");
}

TEST_F(FileIoPosix, OnlyNotFoundCountsAsMissing) {
    EXPECT_FALSE(FileExists(path_));
    EXPECT_FALSE(FileExists((dir_ / "gone" / "info_data.xml").string()));
    ASSERT_TRUE(ReplaceFileContent(path_, "x", nullptr));
    EXPECT_FALSE(FileExists(path_ + "/inside"));  // a file on the way: ENOTDIR
    // A name that cannot be looked at is not known to be missing.
    const fs::path loop = dir_ / "loop";
    fs::create_symlink(loop, loop);
    EXPECT_TRUE(FileExists(loop.string()));
}

TEST_F(FileIoPosix, CreateNeverReplacesAnExistingFile) {
    ASSERT_TRUE(CreateFileContent(path_, "first", nullptr));
    FileError error;
    EXPECT_FALSE(CreateFileContent(path_, "second", &error));
    EXPECT_NE(error.text.find(path_), std::string::npos) << error.text;
    // Not even a dangling name: the link it points through stays as it is.
    const std::string dangling = (dir_ / "dangling").string();
    fs::create_symlink(dir_ / "target", dangling);
    EXPECT_FALSE(CreateFileContent(dangling, "third", nullptr));
    EXPECT_FALSE(fs::exists(dir_ / "target"));

    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path_, &bytes, nullptr));
    EXPECT_EQ(bytes, "first");
    EXPECT_EQ(Entries().size(), 2u);
    EXPECT_FALSE(CreateFileContent((dir_ / "gone" / "x").string(), "x", nullptr));
}

TEST_F(FileIoPosix, EachReplaceKeepsTheFileItReplacesAsTheBackup) {
    const std::string backup = path_ + ".bak";
    bool kept = true;
    ASSERT_TRUE(ReplaceFileContentKeepingBackup(path_, "one", backup, nullptr, &kept));
    EXPECT_FALSE(kept) << "nothing to keep yet";
    EXPECT_FALSE(fs::exists(backup));
    for (const char* next : {"two", "three"}) {
        std::string before;
        ASSERT_TRUE(ReadFileBytes(path_, &before, nullptr));
        ASSERT_TRUE(ReplaceFileContentKeepingBackup(path_, next, backup, nullptr, &kept));
        EXPECT_TRUE(kept);
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(path_, &bytes, nullptr));
        EXPECT_EQ(bytes, next);
        ASSERT_TRUE(ReadFileBytes(backup, &bytes, nullptr));
        EXPECT_EQ(bytes, before);
    }
    // The backup is a file of its own: changing the store leaves it alone.
    struct stat store_info, backup_info;
    ASSERT_EQ(::stat(path_.c_str(), &store_info), 0);
    ASSERT_EQ(::stat(backup.c_str(), &backup_info), 0);
    EXPECT_NE(store_info.st_ino, backup_info.st_ino);
    EXPECT_EQ(Entries().size(), 2u);

    // A save killed after keeping the backup leaves both names on one file, and rename()
    // between two names of one file does nothing: the next save must still clean up.
    ASSERT_EQ(::unlink(backup.c_str()), 0);
    ASSERT_EQ(::link(path_.c_str(), backup.c_str()), 0);
    ASSERT_TRUE(ReplaceFileContentKeepingBackup(path_, "four", backup, nullptr));
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(backup, &bytes, nullptr));
    EXPECT_EQ(bytes, "three");
    EXPECT_EQ(Entries().size(), 2u) << "a second name of the backup was left";
}

TEST_F(FileIoPosix, ABackupThatCannotBeMadeDoesNotStopTheReplace) {
    ASSERT_TRUE(ReplaceFileContent(path_, "old", nullptr));
    const std::string backup = path_ + ".bak";
    fs::create_directories(fs::path(backup) / "inside");
    bool kept = true;
    ASSERT_TRUE(ReplaceFileContentKeepingBackup(path_, "new", backup, nullptr, &kept));
    EXPECT_FALSE(kept);
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path_, &bytes, nullptr));
    EXPECT_EQ(bytes, "new");
    EXPECT_EQ(Entries().size(), 2u) << "a temporary file was left";

    // A failed replace keeps the older backup as it was.
    fs::remove_all(backup);
    ASSERT_TRUE(ReplaceFileContentKeepingBackup(path_, "newer", backup, nullptr));
    EXPECT_FALSE(
        ReplaceFileContentKeepingBackup((dir_ / "gone" / "x").string(), "y", backup, nullptr));
    ASSERT_TRUE(ReadFileBytes(backup, &bytes, nullptr));
    EXPECT_EQ(bytes, "new");
}

TEST_F(FileIoPosix, LeftoverTemporaryFilesAreRemovedAndNothingElse) {
    const std::vector<std::string> temporaries = {"info_data.xml.4242-0-123456.tmp",
                                                  "info_data.xml.1a2b-3c-0-1.tmp"};
    const std::vector<std::string> kept = {"info_data.xml",
                                           "info_data.xml.bak",
                                           "info_data.xml.bak.1-2.tmp",
                                           "info_data.xml.tmp",
                                           "info_data.xml.my notes.tmp",
                                           "other.xml.1-2.tmp",
                                           "info_data.xml.1-2.tmp.old"};
    for (const auto& name : temporaries) {
        std::ofstream(dir_ / name) << "x";
    }
    for (const auto& name : kept) {
        std::ofstream(dir_ / name) << "x";
    }
    RemoveTemporaryFiles(path_);
    std::vector<std::string> left = Entries();
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected = kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
    RemoveTemporaryFiles((dir_ / "gone" / "info_data.xml").string());  // no folder: nothing
}

}  // namespace
}  // namespace zarkit::io
