#include "platform/exact_path.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"

#include <QStringList>
#include <QVector>

namespace platform {

namespace {

// The exact name of the subfolder of folder that shown names; shown itself,
// with found false, when no subfolder or several fit.
QString subfolderNamed(const QString& folder, const QString& shown, bool& found)
{
    found = true;
    if (shown.isEmpty() || shown == QLatin1String(".") || shown == QLatin1String("..")
        || folderExists(joinPath(folder, shown)))
        return shown;
    found = false;
    QVector<DirEntry> entries;
    if (listFolder(folder, entries).failed())
        return shown;
    QString match;
    for (const DirEntry& entry : entries) {
        if (readableFileName(entry.name) != shown || !folderExists(joinPath(folder, entry.name)))
            continue;
        if (found) {
            found = false;  // two folders read alike: which one was meant cannot be told
            return shown;
        }
        found = true;
        match = entry.name;
    }
    return found ? match : shown;
}

}  // namespace

QString exactPathOf(const QString& shownPath, const QString& heldPath)
{
    if (!shownPath.startsWith(QLatin1Char('/')))
        return shownPath;
    const QStringList shown = shownPath.split(QLatin1Char('/'));
    const QStringList held = heldPath.startsWith(QLatin1Char('/')) ? heldPath.split(QLatin1Char('/')) : QStringList();
    QString exact;
    bool followsHeld = !held.isEmpty();
    bool searching = true;
    for (int i = 1; i < shown.size(); ++i) {
        const QString& part = shown.at(i);
        followsHeld = followsHeld && i < held.size() && readableFileName(held.at(i)) == part;
        QString name = part;
        if (followsHeld)
            name = held.at(i);
        else if (searching)
            name = subfolderNamed(exact.isEmpty() ? QStringLiteral("/") : exact, part, searching);
        exact += QLatin1Char('/') + name;
    }
    return exact.isEmpty() ? QStringLiteral("/") : exact;
}

}  // namespace platform
