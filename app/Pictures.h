#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's pictures, drawn as SVG and rendered at the sizes the windows use.
namespace Pictures {

// ":/pictures/<name>.svg" at size (device pixels follow the screen's ratio).
QPixmap Render(const QString& name, QSize size, qreal devicePixelRatio = 1.0);
QIcon Icon(const QString& name);

} // namespace Pictures
