#include "GM_SharedFunctions.h"

#include <QDir>
#include <QMutex>
#include <QMutexLocker>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

QMutex& policeMutex()
{
    static QMutex mutex;
    return mutex;
}

std::optional<QFont>& policeDeBase()
{
    static std::optional<QFont> police;
    return police;
}

double facteurDeTaille(int taille)
{
    switch (taille) {
    case 0:
        return 0.8;
    case 1:
        return 0.9;
    case 2:
        return 1.0;
    case 3:
        return 1.1;
    case 4:
        return 2.0;
    case 5:
        return 5.0;
    default:
        return 1.0;
    }
}

// The same month and day in another year; 29 February becomes the 28th in
// years without it.
QDate memeJourEn(int annee, const QDate& modele)
{
    const int jours = QDate(annee, modele.month(), 1).daysInMonth();
    return QDate(annee, modele.month(), std::min(modele.day(), jours));
}

} // namespace

QString appDataPath(const QString& sousDossier)
{
    QString chemin = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QLatin1Char('/');
    if (!chemin.contains(sousDossier, Qt::CaseInsensitive))
        chemin += sousDossier + QLatin1Char('/');
    QDir().mkpath(chemin);
    return chemin;
}

void setScaledFontBase(const QFont& police)
{
    QMutexLocker lock(&policeMutex());
    policeDeBase() = police;
}

void resetScaledFontBase()
{
    QMutexLocker lock(&policeMutex());
    policeDeBase().reset();
}

QFont scaledFont(const int& taille)
{
    QFont police;
    {
        QMutexLocker lock(&policeMutex());
        if (policeDeBase())
            police = *policeDeBase();
    }
    const double facteur = facteurDeTaille(taille);
    if (police.pixelSize() > 0)
        police.setPixelSize(std::max(1, static_cast<int>(std::lround(police.pixelSize() * facteur))));
    else
        police.setPointSizeF(police.pointSizeF() * facteur);
    return police;
}

QString hostAddressToString(const QHostAddress& adresse)
{
    if (adresse.protocol() == QAbstractSocket::IPv6Protocol)
        return QHostAddress(adresse.toIPv6Address()).toString();
    return adresse.toString();
}

bool isDateInSeason(const QDate& jour, const QString& debut, const QString& fin)
{
    const QDate dateDebut = QDate::fromString(debut, Qt::ISODate);
    const QDate dateFin = QDate::fromString(fin, Qt::ISODate);
    if (!jour.isValid() || !dateDebut.isValid() || !dateFin.isValid())
        return false;

    int anneeDebut = jour.year() - 1;
    int anneeFin = jour.year() - 1;
    if (memeJourEn(anneeFin, dateFin) < memeJourEn(anneeDebut, dateDebut))
        ++anneeFin;
    if (memeJourEn(anneeFin, dateFin) < jour) {
        ++anneeDebut;
        ++anneeFin;
    }
    return memeJourEn(anneeDebut, dateDebut) < jour && jour < memeJourEn(anneeFin, dateFin);
}
