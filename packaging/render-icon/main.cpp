// quillet-render-icon: renders the icon's SVG into a square PNG of the size asked for, at
// build time, for the sizes the hicolor icon theme holds beside the scalable one. It
// uses the Qt SVG module the window already links, so the PNGs need no other tool.
//   quillet-render-icon quillet.svg 48 48x48.png
//
// No QGuiApplication: painting the icon's shapes into an image needs no window system,
// and starting one would only talk about the display it does not find. (Text in the SVG
// would need one, for its fonts; the icon has none.)

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: quillet-render-icon SVG SIZE PNG\n";
        return 2;
    }
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&isNumber);
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!isNumber || size < 1 || !renderer.isValid()) {
        std::cerr << "quillet-render-icon: cannot render '" << argv[1] << "' at size '" << argv[2] << "'\n";
        return 1;
    }

    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::cerr << "quillet-render-icon: cannot write '" << argv[3] << "'\n";
        return 1;
    }
    return 0;
}
