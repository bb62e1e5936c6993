#pragma once

#include <QTemporaryDir>

// Gives the test process a per-user data folder of its own, so that no test
// reaches the user's trash or journals: tests that look at them set their own.
class PrivateDataHome {
public:
    PrivateDataHome() { qputenv("XDG_DATA_HOME", folder_.path().toUtf8()); }

private:
    QTemporaryDir folder_;
};
