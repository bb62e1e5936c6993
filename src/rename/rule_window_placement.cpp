#include "rename/rule_window_placement.h"

#include <cmath>

namespace {

// Left and bottom edge of the main window as if centred on the screen.
double centredMainLeft(QSize screen, QSize mainWindow)
{
    return std::floor((screen.width() - mainWindow.width()) / 2.0);
}

double centredMainBottom(QSize screen, QSize mainWindow)
{
    return std::floor((screen.height() - mainWindow.height()) / 2.0) + mainWindow.height();
}

double straddlingLeft(QSize screen, QSize mainWindow, QSize own)
{
    return centredMainLeft(screen, mainWindow) + mainWindow.width() - own.width() / 2.0;
}

}  // namespace

QPointF fileNameWindowPlace(QSize screen, QSize mainWindow, QSize own, int extensionWindowHeight)
{
    return QPointF(straddlingLeft(screen, mainWindow, own),
                   centredMainBottom(screen, mainWindow) - own.height() - extensionWindowHeight);
}

QPointF extensionWindowPlace(QSize screen, QSize mainWindow, QSize own)
{
    return QPointF(straddlingLeft(screen, mainWindow, own), centredMainBottom(screen, mainWindow) - own.height());
}
