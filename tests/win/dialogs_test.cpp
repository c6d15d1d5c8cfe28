#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/dialogs/dlg_add_items.h"
#include "app/dialogs/dlg_add_table.h"
#include "app/dialogs/dlg_rename_table.h"
#include "app/dialogs/dlg_setting.h"
#include "dialog_script.h"
#include "res/resource.h"
#include "ui/handles.h"
#include "ui/text.h"

#include <dlgs.h>  // after <windows.h>

namespace zarkit {
namespace {

using wintest::Click;
using wintest::DialogScript;
using wintest::FindOwnedDialog;
using wintest::MessageBoxText;
using wintest::WindowText;

bool Shown(const ui::ModalDialog& dialog) {
    return dialog.Hwnd() != nullptr && IsWindowVisible(dialog.Hwnd());
}

std::wstring FieldText(const ui::ModalDialog& dialog, int id) {
    return WindowText(GetDlgItem(dialog.Hwnd(), id));
}

void Type(const ui::ModalDialog& dialog, int id, const std::wstring& text) {
    SetDlgItemTextW(dialog.Hwnd(), id, text.c_str());
}

bool Enabled(const ui::ModalDialog& dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog.Hwnd(), id)) != FALSE;
}

bool Checked(const ui::ModalDialog& dialog, int id) {
    return IsDlgButtonChecked(dialog.Hwnd(), id) == BST_CHECKED;
}

// Steps that press OK, wait for the message box it raises, note its text and caption,
// and dismiss it; the dialog must still be open afterwards.
void AddRefusal(DialogScript& script, const ui::ModalDialog& dialog, std::wstring& text,
                std::wstring& caption) {
    script.Do([&] { Click(dialog.Hwnd(), IDOK); })
        .Then([&] {
            const HWND box = FindOwnedDialog(dialog.Hwnd());
            if (box == nullptr) {
                return false;
            }
            text = MessageBoxText(box);
            caption = WindowText(box);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            return true;
        })
        .Then([&] {
            if (FindOwnedDialog(dialog.Hwnd()) != nullptr) {
                return false;
            }
            EXPECT_TRUE(Shown(dialog)) << "the dialog closed on refused input";
            return true;
        });
}

TEST(Dialogs, AddTableRefusesAnEmptyNameAndKeepsBlanksAsTyped) {
    CDlgAddTable dialog;
    std::wstring first_text, first_caption, second_text, second_caption;
    DialogScript script;
    script.Then([&] {
        if (!Shown(dialog)) {
            return false;
        }
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog.Hwnd(), IDOK));
        EXPECT_EQ(FieldText(dialog, IDC_TABLE_NAME), L"");
        return true;
    });
    AddRefusal(script, dialog, first_text, first_caption);
    AddRefusal(script, dialog, second_text, second_caption);
    script.Then([&] {
        Type(dialog, IDC_TABLE_NAME, L"  Werkzeuge \u2013 \u5DE5\u5177 ");
        Click(dialog.Hwnd(), IDOK);
        return true;
    });
    EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }), IDOK);
    EXPECT_EQ(first_text, L"You need enter a valid table name!");
    EXPECT_EQ(first_caption, L"Zarkit");
    EXPECT_EQ(second_text, first_text);
    EXPECT_EQ(dialog.m_TableName, "  Werkzeuge \xE2\x80\x93 \xE5\xB7\xA5\xE5\x85\xB7 ");
}

TEST(Dialogs, AddTableClosedFromItsCaptionIsCancelledAndUnread) {
    CDlgAddTable dialog;
    DialogScript script;
    script.Then([&] { return Shown(dialog); }).Then([&] {
        Type(dialog, IDC_TABLE_NAME, L"typed");
        PostMessageW(dialog.Hwnd(), WM_CLOSE, 0, 0);
        return true;
    });
    EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }), IDCANCEL);
    EXPECT_EQ(dialog.m_TableName, "");
}

TEST(Dialogs, RenameTableShowsTheOldNameAndStartsEmpty) {
    for (const std::wstring& typed : {std::wstring(), std::wstring(L"Neu")}) {
        CDlgReNameTable dialog;
        dialog.SetOldName("R&D \xE5\xB7\xA5\xE5\x85\xB7");
        DialogScript script;
        script.Then([&] {
            if (!Shown(dialog)) {
                return false;
            }
            EXPECT_EQ(FieldText(dialog, IDC_OLD_NAME), L"R&D \u5DE5\u5177");
            EXPECT_EQ(FieldText(dialog, IDC_NEW_NAME), L"");
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog.Hwnd(), IDOK));
            Type(dialog, IDC_NEW_NAME, typed);
            Click(dialog.Hwnd(), IDOK);
            return true;
        });
        EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }), IDOK);
        EXPECT_EQ(dialog.m_NewName, ui::Narrow(typed));
    }
}

TEST(Dialogs, AddItemsDisablesTheOtherModesFields) {
    struct Mode {
        int web_site_mode;
        bool web_site_enabled;
    };
    for (const Mode mode : {Mode{1, true}, Mode{0, false}}) {
        SCOPED_TRACE(mode.web_site_mode);
        CDlgAddItems dialog;
        dialog.SetWebSiteMode(mode.web_site_mode);
        DialogScript script;
        script.Then([&] {
            if (!Shown(dialog)) {
                return false;
            }
            EXPECT_EQ(Enabled(dialog, IDC_WEB_SITE), mode.web_site_enabled);
            EXPECT_EQ(Enabled(dialog, IDC_FILE_PATH), !mode.web_site_enabled);
            EXPECT_EQ(Enabled(dialog, IDC_BROWSE), !mode.web_site_enabled);
            EXPECT_TRUE(Enabled(dialog, IDC_DISPLAY_NAME));
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog.Hwnd(), IDOK));
            Type(dialog, mode.web_site_enabled ? IDC_WEB_SITE : IDC_FILE_PATH,
                 L"  HTTP://Example.com/x");
            Type(dialog, IDC_DISPLAY_NAME, L" Beispiel ");
            Click(dialog.Hwnd(), IDOK);
            return true;
        });
        EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }), IDOK);
        EXPECT_EQ(mode.web_site_enabled ? dialog.m_WebSite : dialog.m_FilePath,
                  "  HTTP://Example.com/x");
        EXPECT_EQ(mode.web_site_enabled ? dialog.m_FilePath : dialog.m_WebSite, "");
        EXPECT_EQ(dialog.m_DisplayName, " Beispiel ");
    }
}

// A file of its own in the temporary folder, removed at the end of the scope.
class TempFile {
public:
    TempFile() {
        wchar_t folder[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, folder);
        path_ = std::wstring(folder) + L"zarkit browse " + std::to_wstring(GetCurrentProcessId()) +
                L".txt";
        ui::FileHandle file(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(file);
    }
    ~TempFile() { DeleteFileW(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

// The open dialog's file name field: a combo box in the newer template, an edit in the older.
HWND FileNameField(HWND file_dialog) {
    const HWND combo = GetDlgItem(file_dialog, cmb13);
    return combo != nullptr ? combo : GetDlgItem(file_dialog, edt1);
}

TEST(Dialogs, AddItemsBrowseKeepsWhatWasTypedAndFillsInTheChosenPath) {
    TempFile chosen;
    CDlgAddItems dialog;
    dialog.SetWebSiteMode(0);
    HWND file_dialog = nullptr;
    DialogScript script;
    script.Then([&] { return Shown(dialog); })
        .Then([&] {
            Type(dialog, IDC_FILE_PATH, L"C:\\typed");
            Type(dialog, IDC_DISPLAY_NAME, L"Keep me");
            Click(dialog.Hwnd(), IDC_BROWSE);
            return true;
        })
        .Then([&] { return (file_dialog = FindOwnedDialog(dialog.Hwnd())) != nullptr; })
        .Then([&] {
            PostMessageW(file_dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        })
        .Then([&] {
            if (FindOwnedDialog(dialog.Hwnd()) != nullptr) {
                return false;
            }
            EXPECT_EQ(FieldText(dialog, IDC_FILE_PATH), L"C:\\typed");
            EXPECT_EQ(FieldText(dialog, IDC_DISPLAY_NAME), L"Keep me");
            Click(dialog.Hwnd(), IDC_BROWSE);
            return true;
        })
        .Then([&] { return (file_dialog = FindOwnedDialog(dialog.Hwnd())) != nullptr; })
        .Then([&] {
            const HWND field = FileNameField(file_dialog);
            EXPECT_NE(field, nullptr);
            SetWindowTextW(field, chosen.Path().c_str());
            Click(file_dialog, IDOK);
            return true;
        })
        .Then([&] {
            if (FindOwnedDialog(dialog.Hwnd()) != nullptr) {
                return false;
            }
            EXPECT_EQ(FieldText(dialog, IDC_FILE_PATH), chosen.Path());
            EXPECT_EQ(FieldText(dialog, IDC_DISPLAY_NAME), L"Keep me");
            Click(dialog.Hwnd(), IDOK);
            return true;
        });
    EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }), IDOK);
    EXPECT_EQ(dialog.m_FilePath, ui::Narrow(chosen.Path()));
    EXPECT_EQ(dialog.m_DisplayName, "Keep me");
}

Settings StoredSettings() {
    Settings settings;
    settings.Start_OnWindow = true;
    settings.Show_TickCount = 450;
    settings.Show_TipOnStart = false;
    settings.Animate_WindowOnStart = true;
    settings.SelTable_MouseOn = false;
    return settings;
}

TEST(Dialogs, SettingsShowsTheStoredValuesRefusesBadDelaysAndTakesTheRest) {
    CDlgSetting dialog;
    dialog.m_Settings = StoredSettings();
    struct Refusal {
        std::wstring typed;
        std::wstring text{};
        std::wstring caption{};
        bool focus_on_field = false;
        bool unchanged = false;
    };
    Refusal refusals[] = {{L"abc"}, {L"-1"}, {L"60001"}, {L""}};
    DialogScript script;
    script.Then([&] {
        if (!Shown(dialog)) {
            return false;
        }
        EXPECT_TRUE(Checked(dialog, IDC_START_ON_WINDOW));
        EXPECT_FALSE(Checked(dialog, IDC_SHOW_TIP_ON_START));
        EXPECT_TRUE(Checked(dialog, IDC_ANIMATE_ON_START));
        EXPECT_FALSE(Checked(dialog, IDC_SEL_TABLE_MOUSE_ON));
        EXPECT_TRUE(Checked(dialog, IDC_SORT_BY_NAME));
        EXPECT_EQ(FieldText(dialog, IDC_SHOW_DELAY), L"450");
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog.Hwnd(), IDOK));
        // Ticked before the refusals: a refused OK must not take them over either.
        Click(dialog.Hwnd(), IDC_SHOW_TIP_ON_START);
        Click(dialog.Hwnd(), IDC_SEL_TABLE_MOUSE_ON);
        Click(dialog.Hwnd(), IDC_START_ON_WINDOW);
        Click(dialog.Hwnd(), IDC_SORT_BY_NAME);
        return true;
    });
    for (Refusal& refusal : refusals) {
        script.Do([&] { Type(dialog, IDC_SHOW_DELAY, refusal.typed); });
        AddRefusal(script, dialog, refusal.text, refusal.caption);
        script.Then([&] {
            refusal.focus_on_field = GetFocus() == GetDlgItem(dialog.Hwnd(), IDC_SHOW_DELAY);
            refusal.unchanged = dialog.m_Settings == StoredSettings();
            return true;
        });
    }
    script.Then([&] {
        Type(dialog, IDC_SHOW_DELAY, L"250ms");
        Click(dialog.Hwnd(), IDOK);
        return true;
    });
    EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }), IDOK);

    const std::wstring not_a_number = L"Please enter a positive integer.";
    const std::wstring out_of_range = L"Please enter a delay from 0 to 60000 milliseconds.";
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.typed);
        EXPECT_EQ(refusal.text, refusal.typed == L"-1" || refusal.typed == L"60001" ? out_of_range
                                                                                    : not_a_number);
        EXPECT_EQ(refusal.caption, L"Zarkit");
        EXPECT_TRUE(refusal.focus_on_field);
        EXPECT_TRUE(refusal.unchanged);
    }
    Settings expected;
    expected.Start_OnWindow = false;
    expected.Show_TickCount = 250;
    expected.Show_TipOnStart = true;
    expected.Animate_WindowOnStart = true;
    expected.SelTable_MouseOn = true;
    expected.Sort_ByName = false;
    EXPECT_EQ(dialog.m_Settings, expected);
}

TEST(Dialogs, SettingsCancelledKeepsEverySetting) {
    CDlgSetting dialog;
    dialog.m_Settings = StoredSettings();
    dialog.m_Settings.Show_TickCount = 0;
    DialogScript script;
    script.Then([&] {
        if (!Shown(dialog)) {
            return false;
        }
        EXPECT_EQ(FieldText(dialog, IDC_SHOW_DELAY), L"0");
        Click(dialog.Hwnd(), IDC_START_ON_WINDOW);
        Click(dialog.Hwnd(), IDC_ANIMATE_ON_START);
        Type(dialog, IDC_SHOW_DELAY, L"100");
        return true;
    });
    script.Do([&] { Click(dialog.Hwnd(), IDCANCEL); });
    EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }), IDCANCEL);
    Settings expected = StoredSettings();
    expected.Show_TickCount = 0;
    EXPECT_EQ(dialog.m_Settings, expected);
}

std::uint16_t HotKeyWord(const ui::ModalDialog& dialog) {
    return LOWORD(SendDlgItemMessageW(dialog.Hwnd(), IDC_HOT_KEY, HKM_GETHOTKEY, 0, 0));
}

void SetHotKeyWord(const ui::ModalDialog& dialog, std::uint16_t word) {
    SendDlgItemMessageW(dialog.Hwnd(), IDC_HOT_KEY, HKM_SETHOTKEY, word, 0);
}

bool WinTicked(const ui::ModalDialog& dialog) {
    return IsDlgButtonChecked(dialog.Hwnd(), IDC_HOT_KEY_WIN) == BST_CHECKED;
}

void SetWin(const ui::ModalDialog& dialog, bool win) {
    CheckDlgButton(dialog.Hwnd(), IDC_HOT_KEY_WIN, win ? BST_CHECKED : BST_UNCHECKED);
}

// A new key that cannot be registered: the dialog says so and stays open with the old
// key, nothing taken; one that can is taken in its written form, once.
TEST(Dialogs, SettingsHotKeyTakenElsewhereKeepsTheOldOne) {
    CDlgSetting dialog;
    dialog.m_Settings = StoredSettings();
    dialog.m_Settings.Hot_Key = "ctrl + alt + q";
    std::vector<HotKey> tried;
    bool free = false;
    dialog.m_TryHotKey = [&](const HotKey& key) {
        tried.push_back(key);
        return free;
    };
    std::wstring text, caption;
    std::uint16_t shown = 0, after_refusal = 0;
    bool win_after_refusal = true;
    DialogScript script;
    script.Then([&] {
        if (!Shown(dialog)) {
            return false;
        }
        shown = HotKeyWord(dialog);
        SetHotKeyWord(dialog, 0x025A);  // Ctrl+Z, with the Win box: Ctrl+Win+Z
        SetWin(dialog, true);
        return true;
    });
    AddRefusal(script, dialog, text, caption);
    script.Then([&] {
        after_refusal = HotKeyWord(dialog);
        win_after_refusal = WinTicked(dialog);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog.Hwnd(), IDC_HOT_KEY));
        free = true;
        SetHotKeyWord(dialog, 0x0374);  // Shift+Ctrl+F5
        Click(dialog.Hwnd(), IDOK);
        return true;
    });
    EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }), IDOK);
    EXPECT_EQ(shown, 0x0651);
    EXPECT_EQ(text,
              L"The hot key Ctrl+Win+Z is already in use by another program. Zarkit keeps "
              L"Ctrl+Alt+Q.");
    EXPECT_EQ(caption, L"Zarkit");
    EXPECT_EQ(after_refusal, 0x0651);
    EXPECT_FALSE(win_after_refusal);
    ASSERT_EQ(tried.size(), 2u);
    EXPECT_EQ(tried[0], (HotKey{kModControl | kModWin, 'Z'}));
    EXPECT_EQ(tried[1], (HotKey{kModControl | kModShift, 0x74}));
    EXPECT_EQ(dialog.m_Settings.Hot_Key, "Ctrl+Shift+F5");
}

// Left as it was, the key is not tried again and its text stays as stored, even one the
// control cannot show or a Ctrl+Alt key of an older store; cleared, it is none. A key the
// program cannot name, or a new Ctrl+Alt chord (AltGr on many keyboards), is refused.
TEST(Dialogs, SettingsHotKeyUnchangedClearedOrUnusable) {
    constexpr std::uint16_t kLeftAlone = 0xFFFF;
    struct Case {
        std::string stored;
        std::uint16_t typed;
        int win;  // -1: the box left alone
        bool shown_win;
        const wchar_t* refusal;  // nullptr: accepted
        std::string result;
    };
    const Case cases[] = {
        {"Win+F1", kLeftAlone, -1, true, nullptr, "Win+F1"},
        {"ctrl+alt+z", kLeftAlone, -1, false, nullptr, "ctrl+alt+z"},
        {"Ctrl+Alt+Z", 0, -1, false, nullptr, ""},
        {"Ctrl+Win+Z", 0, -1, true, nullptr, ""},
        {"Ctrl+Win+Z", kLeftAlone, 0, true, nullptr, "Ctrl+Z"},
        {"Ctrl+Alt+Z", 0x045A, 1, false, nullptr, "Alt+Win+Z"},
        {"Ctrl+Alt+Z", 0x06BA, -1, false, L"cannot use this key", "Ctrl+Alt+Z"},  // Ctrl+Alt+;
        {"Ctrl+Win+Z", 0x0651, 0, true, L"AltGr", "Ctrl+Win+Z"},                  // Ctrl+Alt+Q
        {"Ctrl+Win+Z", 0x0751, 0, true, L"AltGr", "Ctrl+Win+Z"},  // Ctrl+Alt+Shift+Q
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored + " " + std::to_string(c.typed) + " " + std::to_string(c.win));
        CDlgSetting dialog;
        dialog.m_Settings = StoredSettings();
        dialog.m_Settings.Hot_Key = c.stored;
        int tries = 0;
        dialog.m_TryHotKey = [&](const HotKey&) {
            ++tries;
            return true;
        };
        std::wstring text, caption;
        bool shown_win = false;
        DialogScript script;
        script.Then([&] {
            if (!Shown(dialog)) {
                return false;
            }
            shown_win = WinTicked(dialog);
            if (c.typed != kLeftAlone) {
                SetHotKeyWord(dialog, c.typed);
            }
            if (c.win >= 0) {
                SetWin(dialog, c.win == 1);
            }
            return true;
        });
        if (c.refusal != nullptr) {
            AddRefusal(script, dialog, text, caption);
            script.Do([&] { Click(dialog.Hwnd(), IDCANCEL); });
        } else {
            script.Do([&] { Click(dialog.Hwnd(), IDOK); });
        }
        EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }),
                  c.refusal == nullptr ? IDOK : IDCANCEL);
        EXPECT_EQ(shown_win, c.shown_win);
        EXPECT_EQ(dialog.m_Settings.Hot_Key, c.result);
        const bool changed = c.typed != kLeftAlone || c.win >= 0;
        EXPECT_EQ(tries, c.refusal == nullptr && changed ? 1 : 0);
        if (c.refusal != nullptr) {
            EXPECT_NE(text.find(c.refusal), std::wstring::npos) << text;
        }
    }
}

std::vector<std::wstring> ListEntries(const ui::ModalDialog& dialog, int id) {
    std::vector<std::wstring> entries;
    const HWND list = GetDlgItem(dialog.Hwnd(), id);
    const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(list, CB_GETLBTEXTLEN, i, 0)) + 1,
                          L'\0');
        text.resize(static_cast<std::size_t>(
            SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        entries.push_back(text);
    }
    return entries;
}

// Chooses an entry as the user does: the list tells the dialog of the new selection.
void ChooseEntry(const ui::ModalDialog& dialog, int id, int entry) {
    const HWND list = GetDlgItem(dialog.Hwnd(), id);
    SendMessageW(list, CB_SETCURSEL, entry, 0);
    SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

int ChosenEntry(const ui::ModalDialog& dialog, int id) {
    return static_cast<int>(SendDlgItemMessageW(dialog.Hwnd(), id, CB_GETCURSEL, 0, 0));
}

bool NoteShown(const ui::ModalDialog& dialog) {
    return IsWindowVisible(GetDlgItem(dialog.Hwnd(), IDC_INNER_EDGE_NOTE)) != FALSE;
}

// A second screen left of the primary one.
std::vector<Monitor> PrimaryOnTheRight() {
    return {Monitor{{-1280, 0, 0, 1024}, {-1280, 0, 0, 984}, 96, "\\\\.\\DISPLAY2", false},
            Monitor{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 96, "\\\\.\\DISPLAY1", true}};
}

// Nothing stored: the lists show where the drawer is (the primary's outer right edge);
// choosing its inner left edge brings the note, and OK stores what the lists show.
TEST(Dialogs, SettingsPlacementShowsTheDrawersPlaceAndTakesAChosenOne) {
    CDlgSetting dialog;
    dialog.m_Settings = StoredSettings();
    dialog.m_Monitors = PrimaryOnTheRight();
    std::vector<std::wstring> screens, sides;
    int shown_screen = -1, shown_side = -1;
    bool note_at_first = true, note_at_left = false;
    DialogScript script;
    script.Then([&] {
        if (!Shown(dialog)) {
            return false;
        }
        screens = ListEntries(dialog, IDC_DOCK_SCREEN);
        sides = ListEntries(dialog, IDC_DOCK_SIDE);
        shown_screen = ChosenEntry(dialog, IDC_DOCK_SCREEN);
        shown_side = ChosenEntry(dialog, IDC_DOCK_SIDE);
        note_at_first = NoteShown(dialog);
        ChooseEntry(dialog, IDC_DOCK_SIDE, 0);
        note_at_left = NoteShown(dialog);
        Click(dialog.Hwnd(), IDOK);
        return true;
    });
    EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }), IDOK);
    EXPECT_EQ(screens,
              (std::vector<std::wstring>{L"Primary screen", L"Screen 1: 1920 x 1080, primary",
                                         L"Screen 2: 1280 x 1024, left of the primary"}));
    EXPECT_EQ(sides, (std::vector<std::wstring>{L"Left", L"Right"}));
    EXPECT_EQ(shown_screen, 0);
    EXPECT_EQ(shown_side, 1);
    EXPECT_FALSE(note_at_first);
    EXPECT_TRUE(note_at_left);
    EXPECT_EQ(dialog.m_Settings.Dock_Screen, "primary");
    EXPECT_EQ(dialog.m_Settings.Dock_Side, DockSide::kLeft);
}

// Left alone, or changed and changed back, the place stays as stored: none stays none, and
// a screen not connected now keeps its name; changing only the side keeps the screen.
TEST(Dialogs, SettingsPlacementLeftAloneStaysAsStored) {
    for (const bool touched : {false, true}) {
        SCOPED_TRACE(touched);
        CDlgSetting dialog;
        dialog.m_Settings = StoredSettings();
        dialog.m_Monitors = PrimaryOnTheRight();
        DialogScript script;
        script.Then([&] {
            if (!Shown(dialog)) {
                return false;
            }
            if (touched) {
                ChooseEntry(dialog, IDC_DOCK_SCREEN, 2);
                ChooseEntry(dialog, IDC_DOCK_SIDE, 0);
                ChooseEntry(dialog, IDC_DOCK_SCREEN, 0);
                ChooseEntry(dialog, IDC_DOCK_SIDE, 1);
            }
            Click(dialog.Hwnd(), IDOK);
            return true;
        });
        EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }), IDOK);
        EXPECT_EQ(dialog.m_Settings, StoredSettings());
    }

    CDlgSetting dialog;
    dialog.m_Settings = StoredSettings();
    dialog.m_Settings.Dock_Screen = "\\\\.\\DISPLAY3";
    dialog.m_Settings.Dock_Side = DockSide::kLeft;
    dialog.m_Monitors = PrimaryOnTheRight();
    std::wstring shown;
    DialogScript script;
    script.Then([&] {
        if (!Shown(dialog)) {
            return false;
        }
        shown = ListEntries(dialog, IDC_DOCK_SCREEN)
                    .at(static_cast<std::size_t>(ChosenEntry(dialog, IDC_DOCK_SCREEN)));
        ChooseEntry(dialog, IDC_DOCK_SIDE, 1);
        Click(dialog.Hwnd(), IDOK);
        return true;
    });
    EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }), IDOK);
    EXPECT_EQ(shown, L"Screen 3: not connected");
    EXPECT_EQ(dialog.m_Settings.Dock_Screen, "\\\\.\\DISPLAY3");
    EXPECT_EQ(dialog.m_Settings.Dock_Side, DockSide::kRight);
}

struct ColourAnswer {
    HBRUSH brush = nullptr;
    int background_mode = 0;
};

ColourAnswer AskColour(HWND dialog, UINT message, HWND control) {
    const ui::WindowDc dc(dialog);
    SetBkMode(dc.Get(), OPAQUE);
    ColourAnswer answer;
    answer.brush = reinterpret_cast<HBRUSH>(SendMessageW(
        dialog, message, reinterpret_cast<WPARAM>(dc.Get()), reinterpret_cast<LPARAM>(control)));
    answer.background_mode = GetBkMode(dc.Get());
    return answer;
}

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH info{};
    if (GetObjectW(brush, sizeof info, &info) != static_cast<int>(sizeof info)) {
        return CLR_INVALID;
    }
    return info.lbColor;
}

// A point of the dialog in dialog units, as the screen shows it.
COLORREF ScreenPixel(HWND dialog, int x, int y) {
    RECT point{x, y, x, y};
    MapDialogRect(dialog, &point);
    POINT screen{point.left, point.top};
    ClientToScreen(dialog, &screen);
    const ui::WindowDc dc(nullptr);
    return GetPixel(dc.Get(), screen.x, screen.y);
}

TEST(Dialogs, FaceLabelsAndDisabledFieldsAreWhiteWhileEnabledFieldsKeepTheirColours) {
    CDlgAddItems dialog;  // web-site mode: the path field is disabled
    DialogScript script;
    script.Then([&] { return Shown(dialog); }).Then([&] {
        const HWND hwnd = dialog.Hwnd();
        const HWND label = GetWindow(GetDlgItem(hwnd, IDCANCEL), GW_HWNDNEXT);
        for (const auto& [message, control] :
             {std::pair{WM_CTLCOLORDLG, hwnd}, std::pair{WM_CTLCOLORSTATIC, label},
              std::pair{WM_CTLCOLORSTATIC, GetDlgItem(hwnd, IDC_FILE_PATH)},
              std::pair{WM_CTLCOLORBTN, GetDlgItem(hwnd, IDOK)}}) {
            SCOPED_TRACE(message);
            const ColourAnswer answer = AskColour(hwnd, message, control);
            EXPECT_EQ(BrushColour(answer.brush), RGB(255, 255, 255));
            EXPECT_EQ(answer.background_mode, TRANSPARENT);
        }
        const HBRUSH white = AskColour(hwnd, WM_CTLCOLORDLG, hwnd).brush;
        const ColourAnswer edit = AskColour(hwnd, WM_CTLCOLOREDIT, GetDlgItem(hwnd, IDC_WEB_SITE));
        EXPECT_NE(edit.brush, white);
        EXPECT_EQ(edit.background_mode, OPAQUE);

        // And on the screen: the face beside the buttons and inside the disabled field.
        UpdateWindow(hwnd);
        EXPECT_EQ(ScreenPixel(hwnd, 4, 168), RGB(255, 255, 255));
        EXPECT_EQ(ScreenPixel(hwnd, 100, 93), RGB(255, 255, 255));
        Click(hwnd, IDCANCEL);
        return true;
    });
    EXPECT_EQ(script.Run([&] { return dialog.DoModal(); }), IDCANCEL);
}

// A dialog whose handlers throw: nothing may unwind through the dialog manager.
class ThrowingDialog : public ui::ModalDialog {
public:
    explicit ThrowingDialog(bool in_init) : ui::ModalDialog(IDD_ADD_TABLE), in_init_(in_init) {}

protected:
    bool OnInitDialog() override {
        if (in_init_) {
            throw std::runtime_error("init");
        }
        return ui::ModalDialog::OnInitDialog();
    }
    void OnOK() override { throw std::runtime_error("ok"); }

private:
    bool in_init_;
};

TEST(Dialogs, AnExceptionInAHandlerStaysInsideTheDialog) {
    ThrowingDialog broken_init(true);
    EXPECT_EQ(broken_init.DoModal(nullptr), IDCANCEL);

    ThrowingDialog broken_ok(false);
    DialogScript script;
    script.Then([&] { return Shown(broken_ok); })
        .Do([&] { Click(broken_ok.Hwnd(), IDOK); })
        .Then([&] {
            EXPECT_TRUE(Shown(broken_ok));
            Click(broken_ok.Hwnd(), IDCANCEL);
            return true;
        });
    EXPECT_EQ(script.Run([&] { return broken_ok.DoModal(nullptr); }), IDCANCEL);
}

}  // namespace
}  // namespace zarkit
