#pragma once

#include <QIcon>
#include <QPixmap>

// Velda's own icon and About picture, drawn rather than shipped as files.
namespace VeldaArt {

QIcon programIcon();
QPixmap iconPixmap(int size);
// 130 x 147 pixels: files flowing from one folder into another.
QPixmap aboutPicture();

}  // namespace VeldaArt
