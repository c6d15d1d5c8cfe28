#include <gtest/gtest.h>

#include "ui/com.h"
#include <commctrl.h>

// The Windows-side tests create COM objects (MSXML, the shell) and use OLE, so the test
// thread starts OLE for the whole run, as the drawer's thread does.
int main(int argc, char** argv) {
    const zarkit::ui::OleApartment apartment;
    if (!apartment.Ok()) {
        return 2;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
