#pragma once

#include "platform/fs_error.h"

#include <QString>

#include <memory>

class QLockFile;

// The two work folders, TEMP (staged copies) and MELT (extracted archives),
// made and removed, and the lock that makes them one running program's own.
namespace WorkFolders {

// Shown when nothing on the desktop opened the manual.
QString manualNotOpenedMessage(const QString& manualPath);

// Removes a work folder with everything in it, hidden entries included, and
// makes it anew, empty. Failures are reported in a message.
void recreate(const QString& folder);

// Removes a work folder with everything in it.
void remove(const QString& folder);

// Held from start to exit by the running program.
class Lock {
public:
    enum class Outcome { Acquired, HeldByAnother, Unusable };

    explicit Lock(const QString& baseFolder);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    // Makes the folder when missing.
    Outcome tryAcquire();

    // After Unusable: why (the folder cannot be made, is not writable, lies
    // on a read-only file system), naming the folder.
    QString unusableMessage() const;

private:
    QString folder_;
    platform::FsError reason_;
    std::unique_ptr<QLockFile> file_;
};

// The message a second copy shows before it ends.
QString alreadyRunningMessage();

}  // namespace WorkFolders
