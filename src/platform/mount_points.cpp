#include "platform/mount_points.h"

#include <QFile>
#include <QList>

namespace platform {

namespace {

// The table writes blanks, tabs, line breaks and backslashes as "\ooo".
QByteArray unescaped(const QByteArray& field)
{
    QByteArray plain;
    plain.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int value = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                plain.append(char(value));
                i += 3;
                continue;
            }
        }
        plain.append(field.at(i));
    }
    return plain;
}

}  // namespace

QVector<QByteArray> mountPointsInside(const QByteArray& realFolder)
{
    QVector<QByteArray> inside;
    QFile table(QStringLiteral("/proc/self/mountinfo"));
    if (realFolder.isEmpty() || !table.open(QIODevice::ReadOnly))
        return inside;
    const QByteArray prefix = realFolder.endsWith('/') ? realFolder : realFolder + '/';
    const QList<QByteArray> lines = table.readAll().split('\n');
    for (const QByteArray& line : lines) {
        // "36 35 98:0 /root /mount/point options ..."
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 5)
            continue;
        const QByteArray mountPoint = unescaped(fields.at(4));
        if (mountPoint.startsWith(prefix))
            inside.append(mountPoint);
    }
    return inside;
}

}  // namespace platform
