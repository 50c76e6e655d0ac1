// quillet-render-icon: renders the icon's SVG into a square PNG of the size asked for, at
// build time, for the sizes the hicolor icon theme holds beside the scalable one. It
// uses the Qt SVG module the window already links, so the PNGs need no other tool.
//   quillet-render-icon quillet.svg 48 48x48.png

#include <QGuiApplication>
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
    // No display is needed, nor wanted, to paint into an image; and the arguments are
    // not Qt's options.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);

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
