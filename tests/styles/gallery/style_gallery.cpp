// The style gallery: writes one picture of every widget kind per style, for
// a person to look at. Usage: style_gallery [folder]; without an argument
// the folder comes from ZB_STYLE_GALLERY_DIR. Run it headless with
// QT_QPA_PLATFORM=offscreen, and with QT_SCALE_FACTOR=2 for a
// high-density screen.
#include "StyleGallery.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QStyle>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString folder =
        arguments.size() > 1 ? arguments.at(1) : qEnvironmentVariable("ZB_STYLE_GALLERY_DIR");
    if (folder.isEmpty()) {
        fprintf(stderr, "usage: style_gallery <folder>  (or set ZB_STYLE_GALLERY_DIR)\n");
        return 2;
    }
    if (!QDir().mkpath(folder)) {
        fprintf(stderr, "style_gallery: cannot create %s\n", qPrintable(folder));
        return 1;
    }
    int failures = 0;
    for (const StyleGallery::Entry& entry : StyleGallery::styles()) {
        StyleGallery::install(entry);
        StyleGallery gallery;
        gallery.show();
        QCoreApplication::processEvents();
        const QImage image = gallery.grab().toImage();
        const QString file = QDir(folder).filePath(QStringLiteral("gallery-%1.png").arg(entry.name));
        if (image.isNull() || !image.save(file)) {
            fprintf(stderr, "style_gallery: cannot write %s\n", qPrintable(file));
            ++failures;
        } else {
            printf("%s\n", qPrintable(QDir::toNativeSeparators(file)));
        }
    }
    return failures == 0 ? 0 : 1;
}
