// What a collapsed start leaves until the strip is on the screen: the tables come in
// once, whether the first paint or the first poll of the pointer asks for them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drawer_fixture.h"
#include "ui/com.h"
#include <oleacc.h>

namespace zarkit {
namespace {

class DrawerStartupTest : public DrawerTest {
protected:
    // The tables on the tab strip, as a screen reader counts them.
    long TablesShown() const {
        ui::ComPtr<IAccessible> strip;
        if (FAILED(AccessibleObjectFromWindow(GetDlgItem(drawer_->Hwnd(), kTabStripId),
                                              OBJID_CLIENT, __uuidof(IAccessible),
                                              strip.PutVoid())) ||
            !strip) {
            ADD_FAILURE() << "no accessible object for the tab strip";
            return -1;
        }
        long count = -1;
        EXPECT_EQ(strip->get_accChildCount(&count), S_OK);
        return count;
    }

    void DispatchStartupRest() {
        PostMessageW(drawer_->Hwnd(), WM_ZK_STARTUPREST, 0, 0);
        PaintAndRest();
    }

    std::vector<Monitor> OneScreen() const {
        return {MakeMonitor({0, 0, 1024, 768}, "\\\\.\\DISPLAY1", true)};
    }
};

TEST_F(DrawerStartupTest, TheTablesComeInOnceTheStripIsPaintedAndOnlyOnce) {
    Create(OneScreen());
    EXPECT_EQ(TablesShown(), 0);
    EXPECT_EQ(VisibleList(), nullptr);

    PaintAndRest();
    EXPECT_EQ(TablesShown(), 2);
    EXPECT_NE(VisibleList(), nullptr);
    // Asked again (a second paint, a second message), nothing is loaded twice.
    DispatchStartupRest();
    PollWithThePointerAway();
    EXPECT_EQ(TablesShown(), 2);
}

// Covered from the start, the strip may never be painted: the pointer's first poll brings
// the tables in before the drawer could open, and a paint coming later adds nothing.
TEST_F(DrawerStartupTest, AStripNeverPaintedGetsItsTablesAtTheFirstPoll) {
    Create(OneScreen());
    ValidateRect(drawer_->Hwnd(), nullptr);
    PollWithThePointerAway();
    EXPECT_EQ(TablesShown(), 2);
    DispatchStartupRest();
    EXPECT_EQ(TablesShown(), 2);
}

// A drawer that opens at start shows its list from its first picture.
TEST_F(DrawerStartupTest, AnAnimatedStartHasItsTablesBeforeItsFirstPaint) {
    std::string store = DrawerSettings("");
    const std::string collapsed = "<Animate_WindowOnStart>no";
    store.replace(store.find(collapsed), collapsed.size(), "<Animate_WindowOnStart>yes");
    CreateOn(OneScreen(), store);
    EXPECT_EQ(TablesShown(), 2);
    EXPECT_NE(VisibleList(), nullptr);
}

}  // namespace
}  // namespace zarkit
