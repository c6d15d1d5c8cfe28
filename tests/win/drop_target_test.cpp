#include "app/my_drop_target.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/dropped_files.h"
#include "app/item_drag.h"
#include "app/messages.h"
#include "core/item_block.h"
#include "ui/data_object.h"
#include "ui/text.h"
#include "test_files.h"
#include "ui/window.h"

namespace zarkit {
namespace {

namespace fs = std::filesystem;

// Stands in for a list control: keeps what the drop target sends it. Files go through
// the list's own handling (shortcuts resolved, the drop mode applied).
class RecordingList : public ui::Window {
public:
    enum class Take { kAll, kFirst };

    explicit RecordingList(DWORD style = WS_POPUP, Rect rect = Rect{0, 0, 10, 10}) {
        RegisterWindowClass(L"ZarkitDropTestList");
        EXPECT_TRUE(Create(WS_EX_TOPMOST, L"ZarkitDropTestList", L"", style, rect, nullptr, 0));
    }

    int messages = 0;
    Take take = Take::kAll;
    std::vector<ItemBlock> blocks;
    std::vector<AcceptedPath> files;
    std::vector<std::pair<std::wstring, LPARAM>> texts;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        switch (message) {
            case WM_ZK_DROPITEMS: {
                ++messages;
                auto* items = reinterpret_cast<DroppedItems*>(wparam);
                blocks.push_back(items->block);
                for (const ItemRecord& record : items->block.records) {
                    items->taken.push_back(record.identifier);
                    if (take == Take::kFirst) {
                        break;
                    }
                }
                return 0;
            }
            case WM_DROPFILES: {
                ++messages;
                for (AcceptedPath& path :
                     AcceptedDroppedFiles(reinterpret_cast<HDROP>(wparam), DropMode())) {
                    files.push_back(std::move(path));
                }
                return 0;
            }
            case WM_ZK_DROPTEXT:
                ++messages;
                texts.emplace_back(reinterpret_cast<const wchar_t*>(wparam), lparam);
                return 0;
            default:
                return DefaultProc(message, wparam, lparam);
        }
    }
};

std::vector<std::uint8_t> Utf16(const std::wstring& text, bool terminated = true) {
    const std::size_t chars = text.size() + (terminated ? 1 : 0);
    std::vector<std::uint8_t> bytes(chars * sizeof(wchar_t));
    std::memcpy(bytes.data(), text.c_str(), bytes.size());
    return bytes;
}

ui::ComPtr<ui::DataObject> DataWith(CLIPFORMAT format, const std::vector<std::uint8_t>& bytes) {
    ui::ComPtr<ui::DataObject> data = ui::MakeCom<ui::DataObject>();
    data->SetBytes(format, bytes);
    return data;
}

ItemRecord Item(const std::string& name, const std::string& identifier) {
    ItemRecord record;
    record.path = "C:\\windows\\" + name + ".exe";
    record.display_name = name;
    record.work_dir = "C:\\windows";
    record.identifier = identifier;
    return record;
}

const ItemBlock kTwoItems{0x1234567890ull,
                          {Item("notepad", "{0000000A-0000-abcd-0000-000000000001}"),
                           Item("regedit", "{0000000B-0000-ef01-0000-000000000002}")}};

std::vector<std::uint8_t> Block(const ItemBlock& block) {
    return EncodeItemBlock(block).value_or(Bytes());
}

std::optional<TakenItems> AnswerIn(ui::DataObject* data) {
    const auto bytes = data->GetBytes(ItemTakenFormat());
    return bytes ? DecodeTakenItems(*bytes) : std::nullopt;
}

class DropTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = FreshTestFolder(L"zk_drop");
        ASSERT_FALSE(folder_.empty());
        target_ = ui::MakeCom<CMyDropTarget>(list_.Hwnd());
    }
    void TearDown() override { RemoveTestFolder(folder_); }

    // As OLE calls a target during one drag; the effect Drop reported.
    DWORD DropOn(IDataObject* data) {
        POINTL point{5, 5};
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(target_->DragEnter(data, MK_LBUTTON, point, &effect), S_OK);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target_->DragOver(MK_LBUTTON, point, &effect), S_OK);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
        effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
        EXPECT_EQ(target_->Drop(data, 0, point, &effect), S_OK);
        return effect;
    }

    fs::path File(const std::wstring& name) {
        const fs::path path = folder_ / name;
        std::ofstream(path) << "x";
        return path;
    }

    fs::path folder_;
    RecordingList list_;
    ui::ComPtr<CMyDropTarget> target_;
};

TEST_F(DropTargetTest, FilesAndFoldersReachTheListWithTheirKinds) {
    const fs::path file = File(L"tool \u5DE5\u5177.exe");
    const fs::path folder = folder_ / L"Sub, folder";
    fs::create_directories(folder);
    const fs::path missing = folder_ / L"gone.exe";
    const auto data = DataWith(CF_HDROP, FileDropBytes({file, missing, folder}));

    EXPECT_EQ(DropOn(data.Get()), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(list_.messages, 1);
    ASSERT_EQ(list_.files.size(), 2u);
    EXPECT_EQ(list_.files[0].record.path, ui::Narrow(file.wstring()));
    EXPECT_EQ(list_.files[0].kind, DroppedPathKind::kFile);
    EXPECT_EQ(list_.files[0].record.start_params, "");
    EXPECT_EQ(list_.files[1].record.path, ui::Narrow(folder.wstring()));
    EXPECT_EQ(list_.files[1].kind, DroppedPathKind::kFolder);
}

TEST_F(DropTargetTest, AShortcutBringsItsTargetArgumentsAndWorkingDirectory) {
    const fs::path program = File(L"\u00E9diteur \u5DE5\u5177.exe");
    const fs::path work_dir = folder_ / L"Work \u00E9";
    fs::create_directories(work_dir);
    const fs::path shortcut = folder_ / L"Editor.lnk";
    ASSERT_EQ(SaveShortcut(shortcut, program, L"--open \"a b\" \u00FC", work_dir), S_OK);
    const auto data = DataWith(CF_HDROP, FileDropBytes({shortcut}));

    EXPECT_EQ(DropOn(data.Get()), static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_EQ(list_.files.size(), 1u);
    const ItemRecord& record = list_.files[0].record;
    EXPECT_EQ(ui::Widen(record.path), program.wstring());
    EXPECT_EQ(ui::Widen(record.start_params), L"--open \"a b\" \u00FC");
    EXPECT_EQ(ui::Widen(record.work_dir), work_dir.wstring());
    EXPECT_EQ(list_.files[0].kind, DroppedPathKind::kFile);

    // A file that is not a shortcut keeps its path.
    ItemRecord plain;
    plain.path = ui::Narrow(program.wstring());
    EXPECT_FALSE(ResolveShortcut(plain));
    EXPECT_EQ(ui::Widen(plain.path), program.wstring());
}

TEST_F(DropTargetTest, TextIsSentAsUtf16WhateverItSays) {
    for (const std::wstring text : {L"  HTTP://Example.com", L"ftp://x"}) {
        list_.texts.clear();
        EXPECT_EQ(DropOn(DataWith(CF_UNICODETEXT, Utf16(text)).Get()),
                  static_cast<DWORD>(DROPEFFECT_COPY));
        ASSERT_EQ(list_.texts.size(), 1u);
        EXPECT_EQ(list_.texts[0].first, text);
        EXPECT_EQ(list_.texts[0].second, 1);
    }
    // Text without its terminator ends with its memory.
    list_.texts.clear();
    EXPECT_EQ(DropOn(DataWith(CF_UNICODETEXT, Utf16(L"http://a", false)).Get()),
              static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_EQ(list_.texts.size(), 1u);
    EXPECT_EQ(list_.texts[0].first, L"http://a");
}

TEST_F(DropTargetTest, DataOfNoKnownFormatIsAcceptedAndSendsNothing) {
    EXPECT_EQ(DropOn(DataWith(CF_TEXT, {'a', 0}).Get()), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(list_.messages, 0);
}

TEST_F(DropTargetTest, AFileListRunningPastItsMemoryIsRefused) {
    std::vector<std::uint8_t> list = FileDropBytes({File(L"a.exe")});
    list.resize(list.size() - 4);  // both terminators gone
    EXPECT_EQ(DropOn(DataWith(CF_HDROP, list).Get()), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(list_.messages, 0);
}

TEST_F(DropTargetTest, ItemsFromAnotherListAreSentAndTheAnswerNamesThoseTaken) {
    const auto data = DataWith(ItemDragFormat(), Block(kTwoItems));
    EXPECT_EQ(DropOn(data.Get()), static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_EQ(list_.blocks.size(), 1u);
    EXPECT_EQ(list_.blocks[0], kTwoItems);
    const auto answer = AnswerIn(data.Get());
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->source_list, kTwoItems.source_list);
    EXPECT_EQ(answer->identifiers, (std::vector<std::string>{kTwoItems.records[0].identifier,
                                                             kTwoItems.records[1].identifier}));
}

TEST_F(DropTargetTest, WhenTheListTakesOnlyTheFirstTheAnswerHoldsOnlyTheFirst) {
    list_.take = RecordingList::Take::kFirst;
    const auto data = DataWith(ItemDragFormat(), Block(kTwoItems));
    EXPECT_EQ(DropOn(data.Get()), static_cast<DWORD>(DROPEFFECT_COPY));
    const auto answer = AnswerIn(data.Get());
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->identifiers, (std::vector<std::string>{kTwoItems.records[0].identifier}));
}

TEST_F(DropTargetTest, ItemsFromTheSameListEmptyOrMalformedBlocksAreRefused) {
    ItemBlock own = kTwoItems;
    own.source_list = ListIdentity(list_.Hwnd());
    const ItemBlock empty{kTwoItems.source_list, {}};
    std::vector<std::uint8_t> truncated = Block(kTwoItems);
    truncated.resize(truncated.size() / 2);
    std::vector<std::uint8_t> claims = Block(kTwoItems);
    claims[20] = 0xFF;  // the count, far more records than the block holds
    for (const std::vector<std::uint8_t>& bytes :
         {Block(own), Block(empty), truncated, claims, std::vector<std::uint8_t>{1, 2, 3}}) {
        // Files offered beside a refused block are not taken either.
        const auto data = DataWith(ItemDragFormat(), bytes);
        data->SetBytes(CF_HDROP, FileDropBytes({File(L"a.exe")}));
        EXPECT_EQ(DropOn(data.Get()), static_cast<DWORD>(DROPEFFECT_NONE));
        EXPECT_FALSE(AnswerIn(data.Get()));
    }
    EXPECT_EQ(list_.messages, 0);
}

// A real drag loop: the pointer rests over a registered list and no button is down, so
// OLE drops at once.
TEST(ItemDrag, TheSourceLearnsWhichItemsTheTargetTook) {
    RecordingList target_list(WS_POPUP | WS_VISIBLE, Rect{100, 100, 300, 300});
    target_list.take = RecordingList::Take::kFirst;
    const RecordingList source_list;
    ASSERT_TRUE(CMyDropTarget::Register(target_list.Hwnd()));
    EXPECT_FALSE(CMyDropTarget::Register(target_list.Hwnd()));
    SetForegroundWindow(target_list.Hwnd());
    UpdateWindow(target_list.Hwnd());
    ASSERT_TRUE(SetCursorPos(200, 200));

    const std::vector<std::string> taken = DragItems(source_list.Hwnd(), kTwoItems.records);
    CMyDropTarget::Revoke(target_list.Hwnd());

    ASSERT_EQ(target_list.blocks.size(), 1u);
    EXPECT_EQ(target_list.blocks[0].records, kTwoItems.records);
    EXPECT_EQ(target_list.blocks[0].source_list, ListIdentity(source_list.Hwnd()));
    EXPECT_EQ(taken, (std::vector<std::string>{kTwoItems.records[0].identifier}));
}

}  // namespace
}  // namespace zarkit
