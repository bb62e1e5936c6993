#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Where the program keeps its two work folders, TEMP (staged copies) and MELT
// (extracted archives), and the lock that makes them one running program's own.
namespace WorkFolders {

// The program folder as stored: without a trailing separator.
QString programFolderFrom(const QString& applicationFolder);

// True for an installed program rather than one run from its own folder:
// its folder lies under /usr, or is not the user's own, or is not writable.
// Root may write anywhere, so write access alone cannot tell.
bool isInstalled(const QString& programFolder, bool ownedByUser, bool writable);

// The same, with the folder's owner and write access looked up.
bool isInstalled(const QString& programFolder);

// The folder that holds TEMP, MELT and the lock: the program folder for a
// program run from its own folder, else this deliverable's folder in the
// per-user data folder (made when missing).
QString baseFolder(const QString& programFolder);

// The manual the help menu opens: beside the program, or the installed one.
QString manualPath(const QString& programFolder, bool installed);

// Settles the hidden temporary files that a killed earlier run left in the
// user's folders (half-made copies go, set-aside files get their names back;
// failures and new names are reported), and keeps this run's account of them
// in baseFolder.
void takeOverPlacementAccount(const QString& baseFolder);

// Removes a work folder with everything in it, hidden entries included, and
// makes it anew, empty. Failures are reported in a message.
void recreate(const QString& folder);

// Removes a work folder with everything in it.
void remove(const QString& folder);

// Held from start to exit by the running program.
class Lock {
public:
    explicit Lock(const QString& baseFolder);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

    // False when another running copy holds the work folders.
    bool tryAcquire();

private:
    std::unique_ptr<QLockFile> file_;
};

// The message a second copy shows before it ends.
QString alreadyRunningMessage();

}  // namespace WorkFolders
