#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>

// Reads a trash as any desktop does, by the freedesktop.org trash format
// alone: NAME -> the original path of files/NAME, from info/NAME.trashinfo.
// Each .trashinfo is checked: its header, a path escaped byte by byte, a
// deletion date in local time; files/ holds exactly the entries info/ names.
QMap<QByteArray, QByteArray> readTrash(const QByteArray& trashFolder);

// The original path one .trashinfo records, checked as above.
QByteArray readTrashInfo(const QByteArray& infoFile);

// The names in a folder, as bytes, sorted; none for a folder that is not there.
QList<QByteArray> rawNames(const QByteArray& folder);
