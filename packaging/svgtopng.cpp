// Renders an SVG picture into a square PNG with a transparent background:
//   pluvana-svgtopng <picture.svg> <picture.png> <size>
// The build uses it to make the program's icon in every size the desktop asks for.

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <picture.svg> <picture.png> <size>\n", argv[0]);
        return 2;
    }
    const QString in = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    bool ok = false;
    const int size = QString::fromLatin1(argv[3]).toInt(&ok);
    if (!ok || size < 1 || size > 4096) {
        std::fprintf(stderr, "%s: bad size %s\n", argv[0], argv[3]);
        return 2;
    }

    QSvgRenderer renderer(in);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();

    if (!image.convertToFormat(QImage::Format_ARGB32).save(out, "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
