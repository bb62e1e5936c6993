#pragma once

#include <QByteArray>
#include <QString>

// A volume mounted inside a test's own folder for as long as it lives. Each
// way to mount gives false where this run may not mount.
class TestMount {
public:
    TestMount() = default;
    ~TestMount();
    TestMount(const TestMount&) = delete;
    TestMount& operator=(const TestMount&) = delete;

    enum class Volume {
        Tmpfs,
        Share,  // a ramfs named "server:/export", as a network share is
    };
    // A new small volume on the folder at.
    bool mountVolume(const QString& at, Volume volume);
    // The folder or file from, mounted again on at.
    bool bind(const QString& at, const QString& from);

private:
    bool mounted(int result, const QString& at);

    QByteArray at_;
};
