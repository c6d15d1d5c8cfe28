#include <gtest/gtest.h>

#include "ui/win32.h"
#include <ole2.h>

// The Windows-side tests create COM objects (MSXML, the shell) and register drop targets,
// so the test thread has OLE started for the whole run, as the drawer's thread has.
int main(int argc, char** argv) {
    if (FAILED(OleInitialize(nullptr))) {
        return 2;
    }
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
