#include "GM_FichierRegulier.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

bool GM_FichierRegulier::ecarte(const QString& chemin)
{
    const QFileInfo entree(chemin);
    // isSymLink before exists: exists follows the link, and a link to
    // nothing is still an entry that a write would go through. Nothing is
    // written into a folder: the write fails, and is told.
    if (!entree.isSymLink() && (!entree.exists() || entree.isFile() || entree.isDir()))
        return true;
    const QString cote = nomLibre(chemin + QStringLiteral(".not-a-file-")
                                  + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    // rename(2) moves the entry itself; QFile::rename would look through a
    // link first.
    const bool ecartee = !cote.isEmpty()
        && std::rename(QFile::encodeName(chemin).constData(), QFile::encodeName(cote).constData()) == 0;
    qWarning().noquote() << (ecartee ? QStringLiteral("'%1' is not a regular file: moved aside to '%2'")
                                           .arg(chemin, cote)
                                     : QStringLiteral("'%1' is not a regular file and cannot be moved aside: "
                                                      "nothing is written there")
                                           .arg(chemin));
    return ecartee;
}

bool GM_FichierRegulier::ouvreEnLecture(QFile& fichier, const QString& chemin, Liens liens)
{
    if (fichier.isOpen())
        fichier.close();
    fichier.setFileName(chemin);
    // The program's own resources are no files of the system's.
    if (chemin.startsWith(QLatin1Char(':')) || chemin.startsWith(QLatin1String("qrc:")))
        return fichier.open(QIODevice::ReadOnly);
#ifdef Q_OS_UNIX
    const QByteArray nom = QFile::encodeName(chemin);
    struct stat avant = {};
    const int vu = liens == SuitLesLiens ? ::stat(nom.constData(), &avant) : ::lstat(nom.constData(), &avant);
    if (vu != 0 || !S_ISREG(avant.st_mode))
        return false;
    const int descripteur =
        ::open(nom.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (liens == SuitLesLiens ? 0 : O_NOFOLLOW));
    if (descripteur < 0)
        return false;
    // The entry may have been swapped between the look and the opening.
    struct stat ouvert = {};
    if (::fstat(descripteur, &ouvert) != 0 || !S_ISREG(ouvert.st_mode) || ouvert.st_dev != avant.st_dev
        || ouvert.st_ino != avant.st_ino) {
        ::close(descripteur);
        return false;
    }
    // A regular file's reads never wait anyway; QFile expects a plain one.
    ::fcntl(descripteur, F_SETFL, ::fcntl(descripteur, F_GETFL) & ~O_NONBLOCK);
    if (!fichier.open(descripteur, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descripteur);
        return false;
    }
    return true;
#else
    const QFileInfo entree(chemin);
    if ((liens == SansLien && entree.isSymLink()) || !entree.isFile())
        return false;
    return fichier.open(QIODevice::ReadOnly);
#endif
}

QString GM_FichierRegulier::nomLibre(const QString& base, const QString& suffixe)
{
    for (int n = 1; n <= ESSAIS_NOM_MAX; ++n) {
        const QString nom = n == 1 ? base + suffixe : base + QStringLiteral("-%1").arg(n) + suffixe;
        // isSymLink first: exists follows the link, and finds nothing at the
        // end of a dangling one.
        const QFileInfo entree(nom);
        if (!entree.isSymLink() && !entree.exists())
            return nom;
    }
    return QString();
}
