// Test entry for tlqc under Wine.
#include <gtest/gtest.h>

#include "editor_under_test.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // The editor whose Compile tlqc must match: the one of this build.
    tlq::test::set_editor_path_from_host(TLQ_TLQEDIT_FILE);
    return RUN_ALL_TESTS();
}
