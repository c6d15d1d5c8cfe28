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

}  // namespace
}  // namespace zarkit
