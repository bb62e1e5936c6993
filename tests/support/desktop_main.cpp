#include "support/desktop_session.h"
#include "support/ui_helpers.h"

#include <cstring>

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
    return ui::runWindowTests(argc, argv);
}
