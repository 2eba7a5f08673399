// Test entry: the first argument after GoogleTest's own is the host path of
// the tlqedit.exe under test.
#include <gtest/gtest.h>

#include <cstdio>

#include "editor_under_test.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: test_editor [gtest options] PATH_OF_TLQEDIT.exe\n");
        return 2;
    }
    tlq::test::set_editor_path_from_host(argv[1]);
    return RUN_ALL_TESTS();
}
