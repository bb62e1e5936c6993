#include "platform/mount_points.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QVector>

namespace platform {

namespace {

// The table writes blanks, tabs, line breaks and backslashes as "\ooo".
QByteArray unescapedField(const QByteArray& field)
{
    QByteArray point;
    for (int i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            point += char(field.mid(i + 1, 3).toInt(nullptr, 8));
            i += 3;
        } else {
            point += field.at(i);
        }
    }
    return point;
}

// "36 35 98:0 /root /mount/point options ...": the root is the folder of the
// file system that the mount point shows.
struct Mount {
    QByteArray id, parent, device, root, point;
};

QVector<Mount> mountTable()
{
    QVector<Mount> mounts;
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (!table.open(QIODevice::ReadOnly))
        return mounts;
    const QList<QByteArray> lines = table.readAll().split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() > 4)
            mounts.append(Mount{fields.at(0), fields.at(1), fields.at(2), unescapedField(fields.at(3)),
                                unescapedField(fields.at(4))});
    }
    return mounts;
}

QByteArray withSlash(const QByteArray& folder)
{
    return folder.endsWith('/') ? folder : folder + '/';
}

bool lies(const QByteArray& path, const QByteArray& mountPoint)
{
    return path == mountPoint || path.startsWith(withSlash(mountPoint));
}

// Where path, shown by mount, lies in the mount's file system.
QByteArray placeInFileSystem(const Mount& mount, const QByteArray& path)
{
    const QByteArray below = mount.point == "/" ? path : path.mid(mount.point.size());
    return mount.root == "/" ? (below.isEmpty() ? QByteArrayLiteral("/") : below) : mount.root + below;
}

}  // namespace

QByteArray mountPointWithin(const QByteArray& folder)
{
    if (folder.isEmpty())
        return QByteArray();
    const QVector<Mount> mounts = mountTable();
    const QByteArray inside = withSlash(folder);
    const Mount* holder = nullptr;
    QHash<QByteArray, const Mount*> byId;
    for (const Mount& mount : mounts) {
        if (mount.point.startsWith(inside))
            return mount.point;
        // The last of equals is the one on top.
        if (lies(folder, mount.point) && (!holder || mount.point.size() >= holder->point.size()))
            holder = &mount;
        byId.insert(mount.id, &mount);
    }
    if (!holder)
        return QByteArray();
    // A bind mount shows a folder that lies elsewhere too: what is mounted
    // inside it there is inside it here as well, and would go along with it.
    const QByteArray place = withSlash(placeInFileSystem(*holder, folder));
    for (const Mount& mount : mounts) {
        const Mount* parent = byId.value(mount.parent);
        if (!parent || parent->device != holder->device)
            continue;
        const QByteArray mountedAt = placeInFileSystem(*parent, mount.point);
        if (mountedAt.startsWith(place))
            return inside + mountedAt.mid(place.size());
    }
    return QByteArray();
}

}  // namespace platform
