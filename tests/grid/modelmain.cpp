// The main of the grid model's tests. The model is plain C++ and this program links no Qt (the
// test GridModel.LinksNoQt checks it), so it has a main of its own: the tests run under a
// Portuguese locale, where any number read through the C library's locale would show.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!std::setlocale(LC_ALL, "pt_PT.UTF-8") && std::getenv("ZV_REQUIRE_PT_LOCALE")) {
        std::fprintf(stderr, "the pt_PT.UTF-8 locale is required but not installed\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
