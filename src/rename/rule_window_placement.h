#pragma once

#include <QPointF>
#include <QSize>

// Where the two rule windows open, in twips, from the screen size and the
// outer sizes of the windows. Both straddle the right edge of the main window
// as if it stood centred on the screen: the extension operation window with
// its bottom on the main window's bottom, the file-name operation window
// directly above it.
QPointF fileNameWindowPlace(QSize screen, QSize mainWindow, QSize own, int extensionWindowHeight);
QPointF extensionWindowPlace(QSize screen, QSize mainWindow, QSize own);
