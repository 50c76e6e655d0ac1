#include "qt/AppIdentity.h"

#include "window/AppIdentity.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QString WindowTitle()
{
    return QString::fromUtf8(kWindowTitle);
}

QIcon QuilletIcon()
{
    QSvgRenderer renderer(QStringLiteral(":/quillet/quillet.svg"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
