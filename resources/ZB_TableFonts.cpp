#include "ZB_TableFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QMutex>
#include <QMutexLocker>

namespace {

const char* const cartoonFaces[] = {":/fonts/ComicNeue-Regular.otf", ":/fonts/ComicNeue-Bold.otf"};
const char* const fallbackFamily = "DejaVu Sans";

QMutex installMutex;
bool installed = false;
bool facesRegistered = false;

} // namespace

QStringList ZB_TableFonts::drawnFamilies()
{
    return {QStringLiteral("Playtime With Hot Toddies"), QStringLiteral("SF Cartoonist Hand"),
            QStringLiteral("Comic Sans MS")};
}

QString ZB_TableFonts::cartoonFamily()
{
    return QStringLiteral("Comic Neue");
}

bool ZB_TableFonts::install()
{
    QMutexLocker lock(&installMutex);
    if (installed)
        return facesRegistered;
    installed = true;
    facesRegistered = true;
    for (const char* face : cartoonFaces) {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(face));
        if (id < 0) {
            qWarning("Embedded font %s could not be registered", face);
            facesRegistered = false;
        }
    }
    const QStringList substitutes{cartoonFamily(), QString::fromLatin1(fallbackFamily)};
    for (const QString& family : drawnFamilies())
        QFont::insertSubstitutions(family, substitutes);
    return facesRegistered;
}
