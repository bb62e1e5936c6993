#include "shared/system_information.h"

#include <QStandardPaths>

namespace SystemInformation {

QStringList knownViewers()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor"), QStringLiteral("hwinfo-gui"),
            QStringLiteral("lshw-gtk"), QStringLiteral("xfce4-taskmanager")};
}

QString findViewer()
{
    for (const QString& viewer : knownViewers()) {
        const QString path = QStandardPaths::findExecutable(viewer);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

QString unavailableMessage()
{
    return QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");
}

}  // namespace SystemInformation
