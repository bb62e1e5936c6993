#pragma once

#include <QString>
#include <QStringList>

namespace FileOps {

// A built name that would put a copy somewhere the user did not choose, hide
// it (a leading "."), or that the file system cannot store, is refused before
// anything is copied.
// maxNameBytes is the tightest limit of the folders the name goes into;
// fatNames: one of them is of the FAT family (USB sticks, SD cards), which
// cannot store control characters, " * : < > ? \ | nor a trailing dot or blank,
// and counts 255 UTF-16 units of a name instead of bytes.
bool isUsableTargetName(const QString& newName, int maxNameBytes, bool fatNames = false);

// The folders a run writes into, looked up once for the whole run: the
// destination, then staging folders, which count where they share its file system.
class TargetNameCheck {
public:
    explicit TargetNameCheck(const QStringList& folders);
    bool isUsable(const QString& newName) const { return isUsableTargetName(newName, maxNameBytes_, fatNames_); }

private:
    int maxNameBytes_;
    bool fatNames_ = false;
};

// The refusal, naming the file whose copy would get newName.
QString unusableNameMessage(const QString& sourceName, const QString& newName);

}  // namespace FileOps
