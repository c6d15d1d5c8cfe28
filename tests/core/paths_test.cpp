#include "core/paths.h"

#include <gtest/gtest.h>

namespace zarkit {
namespace {

TEST(Paths, ModuleDirectoryKeepsTheTrailingBackslashProgramDirectoryDropsIt) {
    EXPECT_EQ(ModuleDirectoryOf("C:\\Program Files\\Zarkit\\zarkit.exe"),
              "C:\\Program Files\\Zarkit\\");
    EXPECT_EQ(ProgramDirectoryOf("C:\\Program Files\\Zarkit\\zarkit.exe"),
              "C:\\Program Files\\Zarkit");
    EXPECT_EQ(ModuleDirectoryOf("C:\\zarkit.exe"), "C:\\");
    EXPECT_EQ(ProgramDirectoryOf("C:\\zarkit.exe"), "C:");
}

TEST(Paths, APathWithoutBackslashHasNoDirectory) {
    EXPECT_EQ(ModuleDirectoryOf("zarkit.exe"), "");
    EXPECT_EQ(ProgramDirectoryOf("zarkit.exe"), "");
}

TEST(Paths, ProbeFileIsOneMetaRefreshLineWithoutLineEnd) {
    EXPECT_EQ(ProbeFileContent("http://example.com/"),
              "<meta HTTP-EQUIV=REFRESH CONTENT=\"0;URL=http://example.com/\">");
}

TEST(Paths, TheUpdaterIsNeverLookedForOutsideTheProgramDirectory) {
    EXPECT_EQ(UpdaterPathOf("C:\\Tools\\Zarkit\\zarkit.exe"), "C:\\Tools\\Zarkit\\Update.exe");
    EXPECT_EQ(UpdaterPathOf("C:\\zarkit.exe"), "C:\\Update.exe");
    EXPECT_EQ(UpdaterPathOf(""), "");
    EXPECT_EQ(UpdaterPathOf("zarkit.exe"), "");
}

TEST(Paths, TemporaryFilesAreKnownByTheirTargetsNameAndAnIdentifier) {
    EXPECT_TRUE(IsTemporaryFileOf("info_data.xml.1f2c-18c3a-0-0.tmp", "info_data.xml"));
    EXPECT_TRUE(IsTemporaryFileOf("info_data.xml.bak.12-3.tmp", "info_data.xml.bak"));
    for (const char* name :
         {"info_data.xml", "info_data.xml.tmp", "info_data.xml..tmp", "info_data.xml.bak.12-3.tmp",
          "info_data.xml.a b.tmp", "info_data.xml.12.tmp.x", "info_data.xmlx12.tmp",
          "xinfo_data.xml.1.tmp", "info_data.xml.1.TMP"}) {
        EXPECT_FALSE(IsTemporaryFileOf(name, "info_data.xml")) << name;
    }
}

TEST(Paths, OnlyLongFullPathsGetTheExtendedLengthPrefix) {
    const std::string folders(300, 'a');
    EXPECT_EQ(ExtendedLengthPath("C:\\short\\x.exe"), "C:\\short\\x.exe");
    EXPECT_EQ(ExtendedLengthPath("C:\\" + folders), "\\\\?\\C:\\" + folders);
    EXPECT_EQ(ExtendedLengthPath("Z:/" + folders + "/b"), "\\\\?\\Z:\\" + folders + "\\b");
    EXPECT_EQ(ExtendedLengthPath("\\\\server\\share\\" + folders),
              "\\\\?\\UNC\\server\\share\\" + folders);
    EXPECT_EQ(ExtendedLengthPath("\\\\?\\C:\\" + folders), "\\\\?\\C:\\" + folders);
    EXPECT_EQ(ExtendedLengthPath(folders), folders);
    const std::string at_limit = "C:\\" + std::string(kLongPathLength - 4, 'b');
    EXPECT_EQ(ExtendedLengthPath(at_limit), at_limit);
    EXPECT_EQ(ExtendedLengthPath(at_limit + "c"), "\\\\?\\" + at_limit + "c");
    for (const std::string& path : {"C:\\" + folders, "\\\\server\\share\\" + folders}) {
        EXPECT_EQ(WithoutExtendedLengthPrefix(ExtendedLengthPath(path)), path);
    }
    EXPECT_EQ(WithoutExtendedLengthPrefix("C:\\x"), "C:\\x");
}

}  // namespace
}  // namespace zarkit
