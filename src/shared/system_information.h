#pragma once

#include <QString>
#include <QStringList>

namespace SystemInformation {

// Viewers of the machine's hardware and system, in the order they are tried.
QStringList knownViewers();

// The full path of the first known viewer on PATH, or an empty text.
QString findViewer();

QString unavailableMessage();

}  // namespace SystemInformation
