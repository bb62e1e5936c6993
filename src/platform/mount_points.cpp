#include "platform/mount_points.h"

#include <QFile>
#include <QList>

namespace platform {

namespace {

// The table writes blanks, tabs, line breaks and backslashes as "\ooo".
QByteArray unescapedMountPoint(const QByteArray& field)
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

}  // namespace

QByteArray mountPointWithin(const QByteArray& folder)
{
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (folder.isEmpty() || !table.open(QIODevice::ReadOnly))
        return QByteArray();
    const QByteArray inside = folder.endsWith('/') ? folder : folder + '/';
    const QList<QByteArray> lines = table.readAll().split('\n');
    for (const QByteArray& line : lines) {
        // "36 35 98:0 /root /mount/point options ..."
        const QByteArray point = unescapedMountPoint(line.split(' ').value(4));
        if (point.startsWith(inside))
            return point;
    }
    return QByteArray();
}

}  // namespace platform
