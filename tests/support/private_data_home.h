#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// The per-user data folder (home trash, journals) is folder while this lives.
class ScopedDataHome {
public:
    explicit ScopedDataHome(const QString& folder) : saved_(qgetenv("XDG_DATA_HOME"))
    {
        qputenv("XDG_DATA_HOME", folder.toUtf8());
    }
    ~ScopedDataHome() { qputenv("XDG_DATA_HOME", saved_); }
    ScopedDataHome(const ScopedDataHome&) = delete;
    ScopedDataHome& operator=(const ScopedDataHome&) = delete;

private:
    QByteArray saved_;
};

// Gives the test process a per-user data folder of its own, so that no test
// reaches the user's trash or journals: tests that look at them set their own.
struct PrivateDataHome {
    QTemporaryDir folder;
    ScopedDataHome home{folder.path()};
};
