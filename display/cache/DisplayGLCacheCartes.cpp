#include "DisplayGLCacheCartes.h"

#include "GM_FichierRegulier.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMutex>
#include <QSaveFile>
#include <QStandardPaths>

#include <zlib.h>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// Bytes of the size header qCompress puts before the zlib stream.
constexpr int TAILLE_ENTETE = 4;
// Room for the PNG signature, header, end and a few small chunks.
constexpr qint64 MARGE_PNG = 4096;
constexpr int LONGUEUR_EMPREINTE = 12;

QMutex& mutexRacine()
{
    static QMutex mutex;
    return mutex;
}

QString& racineFixee()
{
    static QString racine;
    return racine;
}

bool tailleAcceptable(const QSize& taille)
{
    return taille.width() > 0 && taille.height() > 0 && taille.width() <= DisplayGLCacheCartes::COTE_MAX
           && taille.height() <= DisplayGLCacheCartes::COTE_MAX;
}

// Inflates a qCompress block into exactly the size its header claims, when
// that size is at most maximum; empty on any mismatch.
QByteArray decompresse(const QByteArray& contenu, qint64 maximum)
{
    if (contenu.size() <= TAILLE_ENTETE)
        return QByteArray();
    const auto* octets = reinterpret_cast<const uchar*>(contenu.constData());
    const quint32 annonce = (quint32(octets[0]) << 24) | (quint32(octets[1]) << 16) | (quint32(octets[2]) << 8)
                            | quint32(octets[3]);
    if (annonce == 0 || qint64(annonce) > maximum)
        return QByteArray();

    QByteArray sortie(static_cast<qsizetype>(annonce), Qt::Uninitialized);
    z_stream flux{};
    if (inflateInit(&flux) != Z_OK)
        return QByteArray();
    flux.next_in = const_cast<Bytef*>(octets + TAILLE_ENTETE);
    flux.avail_in = static_cast<uInt>(contenu.size() - TAILLE_ENTETE);
    flux.next_out = reinterpret_cast<Bytef*>(sortie.data());
    flux.avail_out = static_cast<uInt>(annonce);
    const int resultat = inflate(&flux, Z_FINISH);
    const bool complet = resultat == Z_STREAM_END && flux.total_out == annonce && flux.avail_in == 0;
    inflateEnd(&flux);
    return complet ? sortie : QByteArray();
}

} // namespace

void DisplayGLCacheCartes::setRacine(const QString& racine)
{
    QMutexLocker verrou(&mutexRacine());
    racineFixee() = racine;
}

QString DisplayGLCacheCartes::racine()
{
    {
        QMutexLocker verrou(&mutexRacine());
        if (!racineFixee().isEmpty())
            return racineFixee();
    }
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

bool DisplayGLCacheCartes::nomDeDossierValide(const QString& nom)
{
    return !nom.isEmpty() && nom != QLatin1String(".") && nom != QLatin1String("..")
           && !nom.contains(QLatin1Char('/')) && !nom.contains(QLatin1Char('\\')) && !nom.contains(QChar(0));
}

QString DisplayGLCacheCartes::prepareDossier(const QString& nom)
{
    if (!nomDeDossierValide(nom))
        return QString();
    const QString base = racine();
    if (base.isEmpty())
        return QString();
    const QString chemin = QDir::cleanPath(base + QLatin1Char('/') + nom);
    if (!QDir().mkpath(chemin))
        return QString();
    QFileInfo info(chemin);
    if (info.isSymLink() || !info.isDir())
        return QString();
#ifdef Q_OS_UNIX
    if (info.ownerId() != static_cast<uint>(::getuid()))
        return QString();
#endif
    const QFileDevice::Permissions proprietaire = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                  | QFileDevice::ExeOwner | QFileDevice::ReadUser
                                                  | QFileDevice::WriteUser | QFileDevice::ExeUser;
    if (info.permissions() != proprietaire && !QFile::setPermissions(chemin, proprietaire))
        return QString();
    return chemin;
}

QByteArray DisplayGLCacheCartes::empreinte(const QByteArray& source)
{
    return QCryptographicHash::hash(source, QCryptographicHash::Sha1).toHex().left(LONGUEUR_EMPREINTE);
}

QString DisplayGLCacheCartes::cheminFichier(const QString& dossier, const QSize& taille, int style, int couleur,
                                            int valeur, const QByteArray& empreinte)
{
    return QStringLiteral("%1/w%2_h%3_%4_%5_%6_%7.jsg")
        .arg(dossier)
        .arg(taille.width())
        .arg(taille.height())
        .arg(style)
        .arg(couleur)
        .arg(valeur)
        .arg(QString::fromLatin1(empreinte));
}

qint64 DisplayGLCacheCartes::tailleMaxDecompressee(const QSize& taille)
{
    if (!tailleAcceptable(taille))
        return 0;
    // Eight-bit RGBA rows with their filter byte, stored without any
    // compression, plus the block and chunk headers around them.
    const qint64 brut = (4 * qint64(taille.width()) + 1) * qint64(taille.height());
    return brut + brut / 64 + MARGE_PNG;
}

qint64 DisplayGLCacheCartes::tailleMaxFichier(const QSize& taille)
{
    const qint64 max = tailleMaxDecompressee(taille);
    return max == 0 ? 0 : TAILLE_ENTETE + max + max / 1000 + 64;
}

QImage DisplayGLCacheCartes::decode(const QByteArray& contenu, const QSize& taille)
{
    if (!tailleAcceptable(taille))
        return QImage();
    QByteArray png = decompresse(contenu, tailleMaxDecompressee(taille));
    if (png.isEmpty())
        return QImage();
    QBuffer tampon(&png);
    if (!tampon.open(QIODevice::ReadOnly))
        return QImage();
    QImageReader lecteur(&tampon, "png");
    lecteur.setDecideFormatFromContent(false);
    // The header's size first: a picture of another size is never decoded.
    if (!lecteur.canRead() || lecteur.size() != taille)
        return QImage();
    const QImage image = lecteur.read();
    if (image.isNull() || image.size() != taille)
        return QImage();
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QByteArray DisplayGLCacheCartes::encode(const QImage& image)
{
    if (image.isNull())
        return QByteArray();
    QByteArray png;
    QBuffer tampon(&png);
    if (!tampon.open(QIODevice::WriteOnly) || !image.save(&tampon, "PNG"))
        return QByteArray();
    return qCompress(png);
}

QImage DisplayGLCacheCartes::lit(const QString& chemin, const QSize& taille)
{
    // Only a regular file of its own: a pipe under a card's name would hold
    // the start in open(), a link would read what it leads to.
    QFile fichier;
    if (!GM_FichierRegulier::ouvreEnLecture(fichier, chemin))
        return QImage();
    const qint64 octets = fichier.size();
    if (octets <= TAILLE_ENTETE || octets > tailleMaxFichier(taille))
        return QImage();
    const QByteArray contenu = fichier.readAll();
    if (contenu.size() != octets)
        return QImage();
    return decode(contenu, taille);
}

bool DisplayGLCacheCartes::ecrit(const QString& chemin, const QImage& image)
{
    const QByteArray contenu = encode(image);
    if (contenu.isEmpty())
        return false;
    // A save file writes over a link's target: the link goes aside first.
    if (!GM_FichierRegulier::ecarte(chemin))
        return false;
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return false;
    if (fichier.write(contenu) != contenu.size()) {
        fichier.cancelWriting();
        return false;
    }
    return fichier.commit();
}
