#include "Pictures.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures live in a static library, whose resources are registered by hand.
static void InitResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(resources);
        return true;
    }();
    (void)done;
}

namespace Pictures {

QPixmap Render(const QString& name, QSize size, qreal devicePixelRatio)
{
    InitResources();
    QSvgRenderer renderer(QStringLiteral(":/pictures/%1.svg").arg(name));
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon Icon(const QString& name)
{
    InitResources();
    return QIcon(QStringLiteral(":/pictures/%1.svg").arg(name));
}

} // namespace Pictures
