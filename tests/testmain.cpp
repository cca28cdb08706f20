// The main of every test executable: makes the Qt application object first (as the program
// does), then switches the process to a Portuguese locale, so that any code that reads numbers
// or case through the C library's locale shows up as a failure.
#include <QCoreApplication>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

#ifdef ZV_TEST_GUI
#include <QApplication>
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
#ifdef ZV_TEST_GUI
    // A fixed screen (1024 x 768, 96 dpi, windows without frames), so that geometry is the same
    // on every machine; also when the environment asks for the plain offscreen platform.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" ZV_TEST_DATA "/offscreen-1024x768.json");
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    const char* pt = std::setlocale(LC_ALL, "pt_PT.UTF-8");
    if (!pt && std::getenv("ZV_REQUIRE_PT_LOCALE")) {
        fprintf(stderr, "the pt_PT.UTF-8 locale is required but not installed\n");
        return 2;
    }
    return RUN_ALL_TESTS();
}
