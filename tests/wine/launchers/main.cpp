// Test entry for the launcher, compile and shell-integration tests.
#include <gtest/gtest.h>

#include "editor_under_test.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // The editor under test is the one this build embeds the launchers into.
    tlq::test::set_editor_path_from_host(TLQ_TLQEDIT_FILE);
    return RUN_ALL_TESTS();
}
