#include "support/desktop_session.h"
#include "support/private_data_home.h"

#include <QApplication>
#include <QStyleFactory>

#include <cstring>

#include <gtest/gtest.h>

// The window tests that need a real desktop: a private X server with a window
// manager, or, where none can be started, every test skips.
int main(int argc, char** argv)
{
    bool listing = false;
    for (int i = 1; i < argc; ++i)
        listing = listing || std::strcmp(argv[i], "--gtest_list_tests") == 0;
    DesktopSession session;
    const bool started = !listing && !session.start().isEmpty();
    DesktopSession::setAvailable(started);
    qputenv("QT_QPA_PLATFORM", started ? "xcb" : "offscreen");
    const PrivateDataHome dataHome;
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
