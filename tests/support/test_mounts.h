#pragma once

#include <QString>

class TempTree;

// A folder of a test's tree on a file system of its own, mounted for the
// mount's lifetime where this machine allows it (root, FUSE, loop devices):
// tests that need one skip when mounted() is false.
class TestMount {
public:
    enum class Kind {
        Tmpfs,
        Share,         // a ramfs named "server:/export", as a network share's device is
        Exfat,         // an exFAT image through FUSE, as USB sticks and SD cards are
        View,          // a bind mount of another folder or file of the tree
        ReadOnlyView,  // the same, read-only
    };
    // relative: the folder to mount on, made when missing (or the file a view
    // of a file goes on); viewOf: what a view shows.
    TestMount(TempTree& tree, Kind kind, const QString& relative, const QString& viewOf = QString());
    ~TestMount();
    TestMount(const TestMount&) = delete;
    TestMount& operator=(const TestMount&) = delete;

    bool mounted() const { return mounted_; }
    const QString& folder() const { return folder_; }

    // The mounted file system turns read-only, as a failing stick does.
    bool remountReadOnly();

private:
    QString folder_, device_;
    Kind kind_;
    bool mounted_ = false;
};

// A file made immutable (chattr +i) for the object's lifetime, where the file
// system and the user's rights allow it: made() tells.
class ImmutableFile {
public:
    explicit ImmutableFile(const QString& path);
    ~ImmutableFile();
    ImmutableFile(const ImmutableFile&) = delete;
    ImmutableFile& operator=(const ImmutableFile&) = delete;

    bool made() const { return made_; }

private:
    QString path_;
    bool made_;
};
