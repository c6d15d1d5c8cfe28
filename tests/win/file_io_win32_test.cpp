#include "io/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "test_files.h"
#include "ui/handles.h"
#include "ui/text.h"
#include "ui/win32.h"

namespace zarkit::io {
namespace {

namespace fs = std::filesystem;

// Each test works in a fresh folder under %TEMP% and removes it afterwards.
class FileIoWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = FreshTestFolder(L"zk_file_io");
        ASSERT_FALSE(folder_.empty());
    }

    void TearDown() override { RemoveTestFolder(folder_); }

    std::string Utf8(const fs::path& path) const { return ui::Narrow(path.wstring()); }

    std::vector<std::wstring> Names(const fs::path& folder) const {
        std::vector<std::wstring> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().wstring());
        }
        return names;
    }

    std::string Read(const fs::path& path) const {
        std::string bytes;
        FileError error;
        EXPECT_TRUE(ReadFileBytes(Utf8(path), &bytes, &error)) << error.text;
        return bytes;
    }

    fs::path folder_;
};

TEST_F(FileIoWin32Test, ReplacesAnExistingFileAndLeavesNothingElse) {
    const fs::path target = folder_ / L"info_data.xml";
    FileError error;
    ASSERT_TRUE(ReplaceFileContent(Utf8(target), "old content that is longer", &error))
        << error.text;
    ASSERT_TRUE(ReplaceFileContent(Utf8(target), std::string("new\0\r\n", 6), &error))
        << error.text;
    EXPECT_EQ(Read(target), std::string("new\0\r\n", 6));
    EXPECT_EQ(Names(folder_), std::vector<std::wstring>{L"info_data.xml"});

    ASSERT_TRUE(ReplaceFileContent(Utf8(target), "", &error)) << error.text;
    EXPECT_EQ(Read(target), "");
    EXPECT_TRUE(FileExists(Utf8(target)));
}

TEST_F(FileIoWin32Test, ReadOnlyTargetFailsKeepsItsContentAndLeavesNoTemporaryFile) {
    const fs::path target = folder_ / L"info_data.xml";
    FileError error;
    ASSERT_TRUE(ReplaceFileContent(Utf8(target), "kept", &error)) << error.text;
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_FALSE(ReplaceFileContent(Utf8(target), "lost", &error));
    EXPECT_NE(error.text.find("info_data.xml"), std::string::npos) << error.text;
    EXPECT_EQ(error.problem, FileProblem::kReadOnly);
    EXPECT_EQ(Read(target), "kept");
    EXPECT_EQ(Names(folder_), std::vector<std::wstring>{L"info_data.xml"});
}

// Another program that opened the file without letting others delete or write it keeps
// it from being replaced; the user is told it is in use, not that access is denied.
TEST_F(FileIoWin32Test, AFileAnotherProgramHoldsIsInUse) {
    const fs::path target = folder_ / L"info_data.xml";
    FileError error;
    ASSERT_TRUE(ReplaceFileContent(Utf8(target), "kept", &error)) << error.text;
    {
        const ui::FileHandle holder(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(ReplaceFileContent(Utf8(target), "lost", &error));
        EXPECT_EQ(error.problem, FileProblem::kInUse) << error.text;
        std::string bytes;
        EXPECT_FALSE(ReadFileBytes(Utf8(target), &bytes, &error));
        EXPECT_EQ(error.problem, FileProblem::kInUse) << error.text;
    }
    EXPECT_EQ(Read(target), "kept");
    EXPECT_EQ(Names(folder_), std::vector<std::wstring>{L"info_data.xml"});
}

TEST_F(FileIoWin32Test, MissingFolderFailsAndCreatesNothing) {
    const fs::path target = folder_ / L"missing" / L"info_data.xml";
    FileError error;
    EXPECT_FALSE(ReplaceFileContent(Utf8(target), "x", &error));
    EXPECT_FALSE(error.text.empty());
    EXPECT_FALSE(fs::exists(folder_ / L"missing"));
    EXPECT_TRUE(Names(folder_).empty());

    std::string bytes = "untouched";
    EXPECT_FALSE(ReadFileBytes(Utf8(target), &bytes, &error));
    EXPECT_NE(error.text.find("missing"), std::string::npos) << error.text;
    EXPECT_EQ(error.problem, FileProblem::kNotFound);
    EXPECT_EQ(bytes, "untouched");
    EXPECT_FALSE(FileExists(Utf8(target)));
}

TEST_F(FileIoWin32Test, PathsWithCharactersOutsideEveryCodePage) {
    const fs::path inner = folder_ / L"Werkzeuge \u00FC \u5DE5\u5177 \U0001F600";
    ASSERT_TRUE(fs::create_directory(inner));
    const fs::path target = inner / L"info_data.xml";
    FileError error;
    ASSERT_TRUE(ReplaceFileContent(Utf8(target), "<File_Desc/>", &error)) << error.text;
    EXPECT_TRUE(FileExists(Utf8(target)));
    EXPECT_TRUE(FileExists(Utf8(inner)));
    EXPECT_EQ(Read(target), "<File_Desc/>");
    // The file really has that name, not a code-page approximation of it.
    EXPECT_TRUE(fs::exists(target));
    EXPECT_EQ(Names(inner), std::vector<std::wstring>{L"info_data.xml"});
}

TEST_F(FileIoWin32Test, ReadsAFileAnotherProgramHoldsOpenForWriting) {
    const fs::path target = folder_ / L"info_data.xml";
    FileError error;
    ASSERT_TRUE(ReplaceFileContent(Utf8(target), "shared", &error)) << error.text;
    const ui::FileHandle editor(CreateFileW(target.c_str(), GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(editor);
    EXPECT_EQ(Read(target), "shared");
}

// A NUL would cut the path short at the Win32 call and name a different file.
TEST_F(FileIoWin32Test, PathWithEmbeddedNulIsRefused) {
    const std::string cut = Utf8(folder_ / L"info_data.xml");
    const std::string path = cut + std::string("\0.bak", 5);
    FileError error;
    EXPECT_FALSE(ReplaceFileContent(path, "x", &error));
    EXPECT_FALSE(error.text.empty());
    EXPECT_FALSE(FileExists(cut));
    EXPECT_FALSE(FileExists(path));
    std::string bytes;
    EXPECT_FALSE(ReadFileBytes(path, &bytes, &error));
    EXPECT_TRUE(Names(folder_).empty());
}

// Access denied, a sharing violation or a name Windows will not look up are no proof that
// the file is missing; replacing it on that belief would lose it.
TEST_F(FileIoWin32Test, OnlyNotFoundCountsAsMissing) {
    EXPECT_FALSE(FileExists(Utf8(folder_ / L"info_data.xml")));
    EXPECT_FALSE(FileExists(Utf8(folder_ / L"gone" / L"info_data.xml")));
    EXPECT_TRUE(FileExists(Utf8(folder_ / L"info_data?.xml")));
    EXPECT_TRUE(FileExists(Utf8(folder_ / L"info_data*.xml")));
}

TEST_F(FileIoWin32Test, CreateNeverReplacesAnExistingFile) {
    const fs::path target = folder_ / L"info_data.xml";
    FileError error;
    ASSERT_TRUE(CreateFileContent(Utf8(target), "first", &error)) << error.text;
    EXPECT_FALSE(CreateFileContent(Utf8(target), "second", &error));
    EXPECT_NE(error.text.find("info_data.xml"), std::string::npos) << error.text;
    EXPECT_EQ(Read(target), "first");
    EXPECT_EQ(Names(folder_), std::vector<std::wstring>{L"info_data.xml"});
    EXPECT_FALSE(CreateFileContent(Utf8(folder_ / L"gone" / L"x"), "x", &error));
}

TEST_F(FileIoWin32Test, EachReplaceKeepsTheFileItReplacesAsTheBackup) {
    const fs::path target = folder_ / L"info_data.xml";
    const fs::path backup = folder_ / L"info_data.xml.bak";
    FileError error;
    bool kept = true;
    ASSERT_TRUE(ReplaceFileContentKeepingBackup(Utf8(target), "one", Utf8(backup), &error, &kept))
        << error.text;
    EXPECT_FALSE(kept);
    EXPECT_FALSE(fs::exists(backup));
    ASSERT_TRUE(ReplaceFileContentKeepingBackup(Utf8(target), "two", Utf8(backup), &error, &kept));
    EXPECT_TRUE(kept);
    ASSERT_TRUE(ReplaceFileContentKeepingBackup(Utf8(target), "three", Utf8(backup), &error));
    EXPECT_EQ(Read(target), "three");
    EXPECT_EQ(Read(backup), "two");

    // A save killed after keeping the backup leaves both names on one file; the next
    // save must still leave nothing else behind.
    ASSERT_TRUE(DeleteFileW(backup.c_str()));
    ASSERT_TRUE(CreateHardLinkW(backup.c_str(), target.c_str(), nullptr));
    ASSERT_TRUE(ReplaceFileContentKeepingBackup(Utf8(target), "four", Utf8(backup), &error));
    EXPECT_EQ(Read(target), "four");
    EXPECT_EQ(Read(backup), "three");
    EXPECT_EQ(Names(folder_), (std::vector<std::wstring>{L"info_data.xml", L"info_data.xml.bak"}));
}

TEST_F(FileIoWin32Test, ABackupThatCannotBeMadeDoesNotStopTheReplace) {
    const fs::path target = folder_ / L"info_data.xml";
    const fs::path backup = folder_ / L"info_data.xml.bak";
    FileError error;
    ASSERT_TRUE(ReplaceFileContent(Utf8(target), "old", &error)) << error.text;
    ASSERT_TRUE(fs::create_directories(backup / L"inside"));
    bool kept = true;
    ASSERT_TRUE(ReplaceFileContentKeepingBackup(Utf8(target), "new", Utf8(backup), &error, &kept))
        << error.text;
    EXPECT_FALSE(kept);
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(Names(folder_), (std::vector<std::wstring>{L"info_data.xml", L"info_data.xml.bak"}));
}

TEST_F(FileIoWin32Test, LeftoverTemporaryFilesAreRemovedAndNothingElse) {
    const fs::path target = folder_ / L"info_data.xml";
    FileError error;
    ASSERT_TRUE(ReplaceFileContent(Utf8(target), "store", &error)) << error.text;
    for (const wchar_t* name :
         {L"info_data.xml.1f2c-18c3a-0-0.tmp", L"info_data.xml.a-b.tmp", L"info_data.xml.bak",
          L"info_data.xml.bak.1-2.tmp", L"info_data.xml.my notes.tmp"}) {
        ASSERT_TRUE(ReplaceFileContent(Utf8(folder_ / name), "x", &error)) << error.text;
    }
    RemoveTemporaryFiles(Utf8(target));
    std::vector<std::wstring> names = Names(folder_);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"info_data.xml", L"info_data.xml.bak",
                                                L"info_data.xml.bak.1-2.tmp",
                                                L"info_data.xml.my notes.tmp"}));
}

}  // namespace
}  // namespace zarkit::io
