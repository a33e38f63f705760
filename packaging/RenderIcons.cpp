// Renders the program's icon, packaging/icons/wyndlor.svg, into the PNG
// sizes the icon theme and the programs' window icons use:
//     render-icons SVG OUTFOLDER SIZE...   writes OUTFOLDER/wyndlor-SIZE.png
// Built on demand (`cmake --build build --target icons`), after a change of
// the drawing; the PNGs are kept in the source tree.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: render-icons SVG OUTFOLDER SIZE...\n", stderr);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "render-icons: %s is not a valid SVG\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        const QString out = QStringLiteral("%1/wyndlor-%2.png").arg(QString::fromLocal8Bit(argv[2])).arg(size);
        if (!image.save(out)) {
            std::fprintf(stderr, "render-icons: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
