#include "core/drop_mode.h"

#include <gtest/gtest.h>

namespace zarkit {
namespace {

DropMode Mode(std::uint32_t flags, std::string filter = "") {
    DropMode mode;
    mode.flags = flags;
    mode.extension_filter = std::move(filter);
    return mode;
}

TEST(DropMode, CallbacksWithoutThePerFileOneAreRefusedAndChangeNothing) {
    DropMode installed;
    EXPECT_EQ(installed.flags, 0x03u);

    DropMode wanted = Mode(DROP_CALLBACKS | DROP_FILES, ".exe");
    wanted.on_text_dropped = [](std::string_view) { return 0; };
    wanted.on_items_dropped = [](DroppedItems&) { return 0; };
    EXPECT_FALSE(SetDropMode(installed, wanted));
    EXPECT_EQ(installed.flags, 0x03u);
    EXPECT_EQ(installed.extension_filter, "");
    EXPECT_FALSE(installed.on_text_dropped);

    int files = 0;
    wanted.on_file_dropped = [&files](ItemRecord&, DroppedPathKind) { return ++files, 0; };
    EXPECT_TRUE(SetDropMode(installed, wanted));
    EXPECT_EQ(installed.flags, DROP_CALLBACKS | DROP_FILES);
    EXPECT_EQ(installed.extension_filter, ".exe");
    ItemRecord record;
    installed.on_file_dropped(record, DroppedPathKind::kFile);
    EXPECT_EQ(files, 1);
    EXPECT_TRUE(installed.on_items_dropped);

    // Without callbacks none is needed.
    EXPECT_TRUE(SetDropMode(installed, Mode(DROP_FILES | DROP_DUPLICATES)));
    EXPECT_EQ(installed.flags, DROP_FILES | DROP_DUPLICATES);
    EXPECT_FALSE(installed.on_file_dropped);
}

TEST(DropMode, PathsByStatusAndFlags) {
    const DropMode both = Mode(DROP_FILES | DROP_FOLDERS);
    EXPECT_EQ(AcceptDroppedPath(PathStatus::kUnreadable, "C:\\gone", both), DropDecision::kReject);
    EXPECT_EQ(AcceptDroppedPath(PathStatus::kDirectory, "C:\\Tools", both), DropDecision::kFolder);
    EXPECT_EQ(AcceptDroppedPath(PathStatus::kRegularFile, "C:\\a.exe", both), DropDecision::kFile);
    EXPECT_EQ(AcceptDroppedPath(PathStatus::kOther, "\\\\.\\pipe\\x", both), DropDecision::kReject);

    // A folder is not taken as a file when folders are not wanted.
    const DropMode files = Mode(DROP_FILES);
    EXPECT_EQ(AcceptDroppedPath(PathStatus::kDirectory, "C:\\Tools", files), DropDecision::kReject);
    const DropMode folders = Mode(DROP_FOLDERS);
    EXPECT_EQ(AcceptDroppedPath(PathStatus::kRegularFile, "C:\\a.exe", folders),
              DropDecision::kReject);
}

TEST(DropMode, ExtensionFilterComparesTheFileNamesLastDotInAnyCase) {
    const DropMode exe = Mode(DROP_FILES | DROP_FOLDERS | DROP_EXTFILTER, ".Exe");
    EXPECT_EQ(AcceptDroppedPath(PathStatus::kRegularFile, "C:\\T\\a.EXE", exe),
              DropDecision::kFile);
    EXPECT_EQ(AcceptDroppedPath(PathStatus::kRegularFile, "C:\\T\\a.exe.txt", exe),
              DropDecision::kReject);
    EXPECT_EQ(AcceptDroppedPath(PathStatus::kRegularFile, "C:\\dir.exe\\readme", exe),
              DropDecision::kReject);
    // The filter applies to files only.
    EXPECT_EQ(AcceptDroppedPath(PathStatus::kDirectory, "C:\\Tools", exe), DropDecision::kFolder);

    const DropMode none = Mode(DROP_FILES | DROP_EXTFILTER);
    EXPECT_EQ(AcceptDroppedPath(PathStatus::kRegularFile, "C:\\T\\Makefile", none),
              DropDecision::kFile);
    EXPECT_EQ(AcceptDroppedPath(PathStatus::kRegularFile, "C:\\T\\a.c", none),
              DropDecision::kReject);

    EXPECT_EQ(FileExtension("C:\\a.b\\c"), "");
    EXPECT_EQ(FileExtension("C:\\a\\.profile"), ".profile");
    EXPECT_EQ(FileExtension("C:\\a\\b."), ".");
    EXPECT_EQ(FileExtension("c.tar.gz"), ".gz");
}

}  // namespace
}  // namespace zarkit
