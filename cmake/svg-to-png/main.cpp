// svg-to-png SIZE IN.svg OUT.png: draws a picture at SIZE x SIZE pixels, transparent around it.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fputs("usage: svg-to-png SIZE IN.svg OUT.png\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const int size = QString::fromLocal8Bit(argv[1]).toInt();
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[2]));
    if (size <= 0 || !renderer.isValid()) {
        std::fprintf(stderr, "svg-to-png: cannot draw %s\n", argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
