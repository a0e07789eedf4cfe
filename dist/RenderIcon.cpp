// Build tool: renders the application icon's SVG file into the PNG sizes of
// the desktop's icon theme, so that every size is drawn from the one picture.
//   tintora_render_icon ICON.svg OUTDIR SIZE...  ->  OUTDIR/SIZExSIZE/apps/tintora.png
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <iostream>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::cerr << "usage: tintora_render_icon ICON.svg OUTDIR SIZE...\n";
        return 2;
    }
    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        std::cerr << "tintora_render_icon: cannot read " << qPrintable(args.at(1)) << "\n";
        return 1;
    }
    for (const QString& sizeText : args.mid(3)) {
        const int size = sizeText.toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args.at(2)).arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/tintora.png"))) {
            std::cerr << "tintora_render_icon: cannot write into " << qPrintable(folder) << "\n";
            return 1;
        }
    }
    return 0;
}
