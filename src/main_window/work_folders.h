#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Where the program keeps its two work folders, TEMP (staged copies) and MELT
// (extracted archives), and the lock that makes them one running program's own.
namespace WorkFolders {

// The program folder as stored: without a trailing separator.
QString programFolderFrom(const QString& applicationFolder);

// The folder that holds TEMP and MELT: the program folder when it is
// writable, else the per-user data folder.
QString baseFolder(const QString& programFolder);

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
