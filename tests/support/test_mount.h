#pragma once

#include <QByteArray>
#include <QString>

// A volume mounted inside a test's own folder for as long as it lives.
class TestMount {
public:
    TestMount() = default;
    ~TestMount();
    TestMount(const TestMount&) = delete;
    TestMount& operator=(const TestMount&) = delete;

    // A small tmpfs on the folder at; with from, a bind mount of that folder
    // or file on at instead. False where this run may not mount.
    bool attach(const QString& at, const QString& from = QString());

private:
    QByteArray at_;
};
