// The tab strip as screen readers see it: its accessible object, asked through the same
// call a screen reader makes, and the events it raises.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/messages.h"
#include "app/raw_tab_ctrl.h"
#include "app/table_controller.h"
#include "app/zarkit_list_ctrl_view.h"
#include "ui/bstr.h"
#include "ui/com.h"
#include "ui/text.h"
#include "ui/win32.h"
#include <oleacc.h>

namespace zarkit {
namespace {

struct WinEvent {
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
};

std::vector<WinEvent>* g_events = nullptr;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                          DWORD) {
    if (g_events != nullptr) {
        g_events->push_back(WinEvent{event, window, object, child});
    }
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

VARIANT Child(long id) {
    VARIANT child;
    VariantInit(&child);
    V_VT(&child) = VT_I4;
    V_I4(&child) = id;
    return child;
}

// A list that, on its way out, asks its tab strip for its accessible object, as a screen
// reader may while the window is going.
class ListThatAsksOnDestroy : public CZarkitListCtrlView {
public:
    using CZarkitListCtrlView::CZarkitListCtrlView;
    ~ListThatAsksOnDestroy() override { Destroy(); }
    LRESULT answer = -1;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message == WM_DESTROY) {
            answer = SendMessageW(GetParent(Hwnd()), WM_GETOBJECT, 0,
                                  static_cast<LPARAM>(static_cast<DWORD>(OBJID_CLIENT)));
        }
        return CZarkitListCtrlView::HandleMessage(message, wparam, lparam);
    }
};

// A strip of three tables in a hidden window of the test's own, the first selected.
class TabStripAccessibleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CZarkitListCtrlView::RegisterWindowClass());
        ASSERT_TRUE(CRawTabCtrl::RegisterWindowClass());
        host_ = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 600, 600, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(host_, nullptr);
        ASSERT_TRUE(tabs_.CreateTabStrip(host_, Rect{44, 20, 495, 556}));
        tabs_.SetLayout(TabLayout::kLeftBar);
        for (const char* name : {"Common", "WebSites", "Tools"}) {
            auto list = std::make_unique<ListThatAsksOnDestroy>(tables_);
            ASSERT_TRUE(list->CreateView(tabs_.Hwnd(), tabs_.GetListArea()));
            list->SetTableName(name);
            tabs_.AddTab(std::move(list));
        }
        tabs_.SelectTab(0, true);
        ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(
            tabs_.Hwnd(), OBJID_CLIENT, __uuidof(IAccessible), accessible_.PutVoid())));
        ASSERT_TRUE(accessible_);
    }
    void TearDown() override {
        if (hook_ != nullptr) {
            UnhookWinEvent(hook_);
        }
        g_events = nullptr;
        accessible_.Reset();
        DestroyWindow(host_);
        Pump();
    }

    void RecordEvents() {
        g_events = &events_;
        hook_ = SetWinEventHook(EVENT_OBJECT_REORDER, EVENT_OBJECT_NAMECHANGE, nullptr,
                                &RecordEvent, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook_, nullptr);
        Pump();
        events_.clear();
    }
    bool Saw(DWORD event, LONG child) {
        Pump();
        for (const WinEvent& seen : events_) {
            if (seen.event == event && seen.window == tabs_.Hwnd() && seen.object == OBJID_CLIENT &&
                seen.child == child) {
                return true;
            }
        }
        return false;
    }

    std::wstring Name(long id) {
        ui::Bstr name;
        EXPECT_EQ(accessible_->get_accName(Child(id), name.Put()), S_OK) << id;
        return std::wstring(name.View());
    }
    long Role(long id) {
        VARIANT role;
        EXPECT_EQ(accessible_->get_accRole(Child(id), &role), S_OK) << id;
        return V_VT(&role) == VT_I4 ? V_I4(&role) : -1;
    }
    long State(long id) {
        VARIANT state;
        EXPECT_EQ(accessible_->get_accState(Child(id), &state), S_OK) << id;
        return V_VT(&state) == VT_I4 ? V_I4(&state) : -1;
    }
    RECT Location(long id) {
        long left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(accessible_->accLocation(&left, &top, &width, &height, Child(id)), S_OK);
        return RECT{left, top, left + width, top + height};
    }
    // Shown within the strip; the host itself stays hidden.
    bool Visible(int position) {
        return (GetWindowLongPtrW(tabs_.TabList(position)->Hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
    }

    HWND host_ = nullptr;
    TableController tables_{tabs_, "", ""};
    CRawTabCtrl tabs_;
    ui::ComPtr<IAccessible> accessible_;
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<WinEvent> events_;
};

TEST_F(TabStripAccessibleTest, APageTabListWithOneNamedTabPerTable) {
    long count = 0;
    ASSERT_EQ(accessible_->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(Role(CHILDID_SELF), ROLE_SYSTEM_PAGETABLIST);
    EXPECT_EQ(Name(CHILDID_SELF), L"Tables");
    const wchar_t* names[] = {L"Common", L"WebSites", L"Tools"};
    for (long id = 1; id <= 3; ++id) {
        EXPECT_EQ(Name(id), names[id - 1]);
        EXPECT_EQ(Role(id), ROLE_SYSTEM_PAGETAB);
    }
    EXPECT_EQ(State(1), STATE_SYSTEM_SELECTED | STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE);
    EXPECT_EQ(State(2), STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE);

    ui::Bstr action;
    ASSERT_EQ(accessible_->get_accDefaultAction(Child(2), action.Put()), S_OK);
    EXPECT_EQ(action.View(), L"Switch");
    VARIANT selection;
    ASSERT_EQ(accessible_->get_accSelection(&selection), S_OK);
    EXPECT_EQ(V_VT(&selection), VT_I4);
    EXPECT_EQ(V_I4(&selection), 1);

    // Each tab where it is drawn on the screen, the first at the bottom of the bar.
    RECT strip{};
    GetWindowRect(tabs_.Hwnd(), &strip);
    const RECT first = Location(1);
    const RECT second = Location(2);
    EXPECT_EQ(first.right, strip.left + 39);
    EXPECT_EQ(first.bottom, strip.bottom - 1);
    EXPECT_LT(second.bottom, first.bottom);
    VARIANT hit;
    ASSERT_EQ(accessible_->accHitTest((second.left + second.right) / 2,
                                      (second.top + second.bottom) / 2, &hit),
              S_OK);
    EXPECT_EQ(V_I4(&hit), 2);

    // Whatever id a client sends, nothing breaks.
    ui::Bstr name;
    EXPECT_EQ(accessible_->get_accName(Child(4), name.Put()), E_INVALIDARG);
    VARIANT text;
    VariantInit(&text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = nullptr;
    EXPECT_EQ(accessible_->get_accName(text, name.Put()), E_INVALIDARG);

    // One object answers every request.
    ui::ComPtr<IAccessible> again;
    ASSERT_TRUE(SUCCEEDED(AccessibleObjectFromWindow(tabs_.Hwnd(), OBJID_CLIENT,
                                                     __uuidof(IAccessible), again.PutVoid())));
    EXPECT_EQ(again.Get(), accessible_.Get());
}

TEST_F(TabStripAccessibleTest, TheDefaultActionSwitchesTablesAsAClickDoes) {
    RecordEvents();
    ASSERT_EQ(accessible_->accDoDefaultAction(Child(2)), S_OK);
    EXPECT_EQ(tabs_.SelectedPosition(), 1);
    EXPECT_FALSE(Visible(0));
    EXPECT_TRUE(Visible(1));
    EXPECT_NE(State(2) & STATE_SYSTEM_SELECTED, 0);
    EXPECT_EQ(State(1) & STATE_SYSTEM_SELECTED, 0);
    MSG posted;
    ASSERT_TRUE(PeekMessageW(&posted, host_, WM_ZK_TABSELECTED, WM_ZK_TABSELECTED, PM_REMOVE));
    EXPECT_EQ(posted.wParam, 1u);
    EXPECT_TRUE(Saw(EVENT_OBJECT_SELECTION, 2));

    // Selecting it again changes nothing and says nothing.
    events_.clear();
    ASSERT_EQ(accessible_->accSelect(SELFLAG_TAKESELECTION, Child(2)), S_OK);
    EXPECT_FALSE(Saw(EVENT_OBJECT_SELECTION, 2));
    EXPECT_EQ(accessible_->accSelect(SELFLAG_ADDSELECTION, Child(1)), E_INVALIDARG);
    EXPECT_EQ(tabs_.SelectedPosition(), 1);
}

TEST_F(TabStripAccessibleTest, ARenameAndChangesOfTheTablesAreAnnounced) {
    RecordEvents();
    tabs_.RenameTab(1, "Sites");
    EXPECT_EQ(Name(2), L"Sites");
    EXPECT_TRUE(Saw(EVENT_OBJECT_NAMECHANGE, 2));
    // The list is named after its table too.
    wchar_t text[64] = L"";
    GetWindowTextW(tabs_.TabList(1)->ListCtrl().Hwnd(), text, 64);
    EXPECT_STREQ(text, L"Sites");

    events_.clear();
    auto list = std::make_unique<CZarkitListCtrlView>(tables_);
    ASSERT_TRUE(list->CreateView(tabs_.Hwnd(), tabs_.GetListArea()));
    list->SetTableName("Games");
    tabs_.AddTab(std::move(list));
    EXPECT_TRUE(Saw(EVENT_OBJECT_REORDER, CHILDID_SELF));
    EXPECT_TRUE(Saw(EVENT_OBJECT_SELECTION, 4));
    long count = 0;
    ASSERT_EQ(accessible_->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 4);
    EXPECT_EQ(Name(4), L"Games");

    events_.clear();
    tabs_.EraseTab(0);
    EXPECT_TRUE(Saw(EVENT_OBJECT_REORDER, CHILDID_SELF));
    ASSERT_EQ(accessible_->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(Name(1), L"Sites");
}

TEST_F(TabStripAccessibleTest, TheFocusedTabIsTheSelectedOneWhileTheStripHasTheKeyboard) {
    VARIANT focus;
    EXPECT_EQ(accessible_->get_accFocus(&focus), S_FALSE);
    EXPECT_EQ(V_VT(&focus), VT_EMPTY);
    ASSERT_EQ(accessible_->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, Child(3)), S_OK);
    EXPECT_EQ(GetFocus(), tabs_.Hwnd());
    EXPECT_EQ(tabs_.SelectedPosition(), 2);
    ASSERT_EQ(accessible_->get_accFocus(&focus), S_OK);
    EXPECT_EQ(V_I4(&focus), 3);
    EXPECT_NE(State(3) & STATE_SYSTEM_FOCUSED, 0);
    SetFocus(host_);
    EXPECT_EQ(State(3) & STATE_SYSTEM_FOCUSED, 0);
}

// The scroll buttons are the pointer's way to tabs out of sight; a screen reader reaches
// every tab as it is and chooses it.
TEST_F(TabStripAccessibleTest, ChoosingATabScrolledOutOfTheBarBringsItBack) {
    const LPARAM next_button = MAKELPARAM(26, 12);
    SendMessageW(tabs_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, next_button);
    SendMessageW(tabs_.Hwnd(), WM_LBUTTONUP, 0, next_button);
    ASSERT_EQ(State(1) & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN),
              STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN);
    long count = 0;
    ASSERT_EQ(accessible_->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 3);

    ASSERT_EQ(accessible_->accDoDefaultAction(Child(1)), S_OK);
    EXPECT_EQ(tabs_.SelectedPosition(), 0);
    EXPECT_EQ(State(1) & STATE_SYSTEM_INVISIBLE, 0);
    EXPECT_GT(Location(1).right, 0);
}

TEST_F(TabStripAccessibleTest, AClientHoldingTheObjectAfterTheStripWentGetsErrorsNotACrash) {
    const HWND lists[] = {tabs_.TabList(0)->Hwnd(), tabs_.TabList(2)->Hwnd()};
    auto* first = static_cast<ListThatAsksOnDestroy*>(tabs_.TabList(0));
    DestroyWindow(tabs_.Hwnd());
    EXPECT_FALSE(IsWindow(lists[0]) || IsWindow(lists[1]));
    // Asked while the strip was being destroyed, after its WM_DESTROY: no object.
    EXPECT_EQ(first->answer, 0);
    long count = -1;
    EXPECT_EQ(accessible_->get_accChildCount(&count), RPC_E_DISCONNECTED);
    ui::Bstr name;
    EXPECT_EQ(accessible_->get_accName(Child(1), name.Put()), RPC_E_DISCONNECTED);
    EXPECT_EQ(accessible_->accDoDefaultAction(Child(2)), RPC_E_DISCONNECTED);
}

}  // namespace
}  // namespace zarkit
