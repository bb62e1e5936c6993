#pragma once

#include "platform/fs_error.h"

#include <QString>

#include <memory>

class QLockFile;

// Where the program keeps its two work folders, TEMP (staged copies) and MELT
// (extracted archives), and the lock that makes them one running program's own.
namespace WorkFolders {

// The program folder as stored: without a trailing separator.
QString programFolderFrom(const QString& applicationFolder);

// True for an installed program rather than one run from its own folder:
// the installed manual lies beside it (../share/<program>/manual.html), as
// after a package or any `cmake --install`, to /usr or to ~/.local alike.
bool isInstalled(const QString& programFolder);

// The folder that holds TEMP, MELT and the lock: the program folder for a
// program run from its own folder, else this deliverable's folder in the
// per-user data folder.
QString baseFolder(const QString& programFolder);

// The manual the help menu opens: beside the program, or the installed one.
QString manualPath(const QString& programFolder, bool installed);

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
