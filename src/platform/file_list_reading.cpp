#include "platform/file_list_reading.h"

#include "platform/file_name_codec.h"
#include "platform/file_system.h"
#include "platform/folded_name.h"
#include "platform/wildcard.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A look-up of one name costs about as much as this many entries of a reading.
constexpr int EntriesPerLookUp = 4;

// A folder whose entries are looked up by name: no path to walk per entry.
class OpenFolder {
public:
    explicit OpenFolder(const QString& path)
        : fd_(::open(encodeFileName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
    }
    ~OpenFolder()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    // The entry name, a link itself; zeros when it is gone.
    FileIdentity identityOf(const QString& name) const
    {
        struct stat info;
        if (fd_ < 0 || ::fstatat(fd_, encodeFileName(name).constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return FileIdentity{};
        return FileIdentity{info.st_dev, info.st_ino};
    }

private:
    int fd_;
};

bool listsIdentities(const QVector<DirEntry>& entries)
{
    return entries.isEmpty() || entries.first().device != 0;
}

// The entries a list shows, in listing order, with the names it shows for them.
struct Shown {
    QVector<int> entries;
    QStringList names;
};

Shown shownEntries(const QString& folder, const QString& pattern, const QVector<DirEntry>& entries)
{
    Shown shown;
    shown.entries.reserve(entries.size());
    shown.names.reserve(entries.size());
    const bool everyName = matchesEveryName(pattern);
    for (int i = 0; i < entries.size(); ++i) {
        const DirEntry& entry = entries.at(i);
        if (!entry.isOrdinary() || entry.isDirectory)
            continue;
        if (entry.isLink && !fileExists(joinPath(folder, entry.name)))
            continue;
        const QString name = readableFileName(entry.name);
        if (everyName || matchesWildcard(name, pattern)) {
            shown.entries.append(i);
            shown.names.append(name);
        }
    }
    return shown;
}

bool listedAsBefore(const QVector<DirEntry>& entries, const Shown& shown, const FileListReading& previous)
{
    if (shown.entries.size() != previous.rowsInListingOrder.size())
        return false;
    for (int i = 0; i < shown.entries.size(); ++i)
        if (entries.at(shown.entries.at(i)).name != previous.names.at(previous.rowsInListingOrder.at(i)))
            return false;
    return true;
}

// The names shown in list order, as their places in the listing: sorted by
// their folded forms, then as shown, then by their exact names.
QVector<int> listOrder(const QVector<DirEntry>& entries, const Shown& shown)
{
    const int count = int(shown.entries.size());
    QByteArray keys;
    keys.reserve(count * 32);
    QVector<int> keyEnds(count);
    for (int i = 0; i < count; ++i) {
        appendFoldedKey(shown.names.at(i), keys);
        keyEnds[i] = int(keys.size());
    }
    // Indices move through the sort, not the names.
    QVector<int> order(count);
    for (int i = 0; i < count; ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const int aStart = a == 0 ? 0 : keyEnds.at(a - 1);
        const int bStart = b == 0 ? 0 : keyEnds.at(b - 1);
        const int aLength = keyEnds.at(a) - aStart;
        const int bLength = keyEnds.at(b) - bStart;
        int byName = std::memcmp(keys.constData() + aStart, keys.constData() + bStart,
                                 size_t(std::min(aLength, bLength)));
        if (byName == 0)
            byName = aLength - bLength;
        if (byName == 0)
            byName = shown.names.at(a).compare(shown.names.at(b));
        if (byName == 0)
            byName = entries.at(shown.entries.at(a)).name.compare(entries.at(shown.entries.at(b)).name);
        return byName < 0;
    });
    return order;
}

}  // namespace

FsError readFileList(const QString& folder, const QString& pattern, const FileListReading& previous,
                     FileListReading& reading)
{
    QVector<DirEntry> entries;
    const FsError error = listFolder(folder, entries);
    if (error.failed())
        return error;
    const Shown shown = shownEntries(folder, pattern, entries);
    FileListReading result;
    if (listedAsBefore(entries, shown, previous)) {
        result.names = previous.names;
        result.rowsInListingOrder = previous.rowsInListingOrder;
    } else {
        const QVector<int> order = listOrder(entries, shown);
        result.names.reserve(order.size());
        result.rowsInListingOrder.resize(order.size());
        for (int row = 0; row < order.size(); ++row) {
            result.names.append(entries.at(shown.entries.at(order.at(row))).name);
            result.rowsInListingOrder[order.at(row)] = row;
        }
    }
    if (listsIdentities(entries)) {
        result.identities.resize(shown.entries.size());
        for (int i = 0; i < shown.entries.size(); ++i) {
            const DirEntry& entry = entries.at(shown.entries.at(i));
            result.identities[result.rowsInListingOrder.at(i)] = FileIdentity{entry.device, entry.inode};
        }
    }
    reading = std::move(result);
    return FsError{};
}

void NotedFiles::note(const QString& folder, const QStringList& names, int listedCount)
{
    files_.clear();
    if (names.isEmpty())
        return;
    files_.reserve(names.size());
    for (const QString& name : names)
        files_.insert(name, FileIdentity{});
    QVector<DirEntry> entries;
    if (qint64(names.size()) * EntriesPerLookUp > listedCount && !listFolder(folder, entries).failed()
        && listsIdentities(entries)) {
        for (const DirEntry& entry : entries) {
            const auto noted = files_.find(entry.name);
            if (noted != files_.end())
                *noted = FileIdentity{entry.device, entry.inode};
        }
        return;
    }
    const OpenFolder open(folder);
    for (auto noted = files_.begin(); noted != files_.end(); ++noted)
        *noted = open.identityOf(noted.key());
}

QSet<QString> NotedFiles::kept(const QString& folder, const QStringList& selected, const FileListReading& reading)
{
    QSet<QString> kept;
    kept.reserve(selected.size());
    QHash<QString, FileIdentity> unconfirmed;
    for (const QString& name : selected) {
        const auto noted = files_.constFind(name);
        if (noted == files_.cend())
            kept.insert(name);
        else
            unconfirmed.insert(name, noted.value());
    }
    files_.clear();
    auto keepWhenSame = [this, &kept, &unconfirmed](const QString& name, const FileIdentity& now) {
        const auto noted = unconfirmed.constFind(name);
        if (noted != unconfirmed.cend() && noted.value() == now) {
            kept.insert(name);
            files_.insert(name, now);
        }
    };
    if (unconfirmed.isEmpty())
        return kept;
    if (!reading.identities.isEmpty()) {
        for (int row = 0; row < reading.names.size(); ++row)
            keepWhenSame(reading.names.at(row), reading.identities.at(row));
        return kept;
    }
    const OpenFolder open(folder);
    for (auto noted = unconfirmed.cbegin(); noted != unconfirmed.cend(); ++noted)
        keepWhenSame(noted.key(), open.identityOf(noted.key()));
    return kept;
}

}  // namespace platform
