// Renders the SVG sources of the program's raster pictures into PNG files.
//
//   svg_to_png LIST OUTPUT_FOLDER
//
// LIST holds one picture a line: the SVG source, the PNG path under
// OUTPUT_FOLDER, the width and the height in pixels, separated by tabs
// (tools/assets/gen_assets.py writes it). A picture without transparent
// pixels is stored without an alpha channel, and every file is written with
// the strongest compression, so that the embedded files stay small.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int fieldCount = 4;
constexpr int maximumSide = 4096;
// QImage::save's quality for PNG: 0 asks for the strongest compression.
constexpr int strongestCompression = 0;

bool isOpaque(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return false;
    }
    return true;
}

bool renderOne(const QString& source, const QString& target, int width, int height)
{
    QSvgRenderer renderer(source);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "invalid SVG: %s\n", qPrintable(source));
        return false;
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter);
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (isOpaque(image))
        image = image.convertToFormat(QImage::Format_RGB888);
    if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !image.save(target, "PNG", strongestCompression)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: svg_to_png LIST OUTPUT_FOLDER\n");
        return 2;
    }
    QFile list(QString::fromLocal8Bit(argv[1]));
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir output(QString::fromLocal8Bit(argv[2]));
    QTextStream in(&list);
    int lineNumber = 0;
    int failures = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNumber;
        if (line.trimmed().isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('\t'));
        bool widthOk = false;
        bool heightOk = false;
        const int width = fields.size() == fieldCount ? fields[2].toInt(&widthOk) : 0;
        const int height = fields.size() == fieldCount ? fields[3].toInt(&heightOk) : 0;
        if (!widthOk || !heightOk || width < 1 || height < 1 || width > maximumSide || height > maximumSide) {
            std::fprintf(stderr, "%s:%d: expected source, target, width and height\n", argv[1], lineNumber);
            ++failures;
            continue;
        }
        if (!renderOne(fields[0], output.filePath(fields[1]), width, height))
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
