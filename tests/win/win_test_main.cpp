#include <gtest/gtest.h>

#include "ui/com.h"

// The Windows-side tests create COM objects (MSXML, the shell), so the test thread is
// a single-threaded apartment for the whole run, as the drawer's thread is.
int main(int argc, char** argv) {
    const zarkit::ui::ComApartment apartment;
    if (!apartment.Ok()) {
        return 2;
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
