#include "io/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <random>

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
    std::string error;
    // The target is a folder: the temporary file is written, then cannot take its place.
    fs::create_directories(fs::path(path_) / "inside");
    EXPECT_FALSE(ReplaceFileContent(path_, "new", &error));
    EXPECT_NE(error.find(path_), std::string::npos) << error;
    EXPECT_EQ(Entries(), std::vector<std::string>{"info_data.xml"});
    EXPECT_TRUE(FileExists(path_));

    const std::string missing = (dir_ / "gone" / "info_data.xml").string();
    EXPECT_FALSE(ReplaceFileContent(missing, "new", &error));
    EXPECT_NE(error.find(missing), std::string::npos) << error;
    EXPECT_FALSE(FileExists(missing));

    std::string bytes = "unchanged";
    EXPECT_FALSE(ReadFileBytes(missing, &bytes, &error));
    EXPECT_NE(error.find("Cannot open \"" + missing + "\""), std::string::npos) << error;
    EXPECT_FALSE(ReadFileBytes(path_, &bytes, &error));  // a folder
    EXPECT_EQ(bytes, "unchanged");
}

}  // namespace
}  // namespace zarkit::io
