#include "GM_FichierRegulier.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

bool GM_FichierRegulier::ecarte(const QString& chemin)
{
    const QFileInfo entree(chemin);
    // isSymLink before exists: exists follows the link, and a link to
    // nothing is still an entry that a write would go through. Nothing is
    // written into a folder: the write fails, and is told.
    if (!entree.isSymLink() && (!entree.exists() || entree.isFile() || entree.isDir()))
        return true;
    const QString base = chemin + QStringLiteral(".not-a-file-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString cote = base;
    for (int n = 2; (QFileInfo(cote).exists() || QFileInfo(cote).isSymLink()) && n < 100; ++n)
        cote = base + QStringLiteral("-%1").arg(n);
    // rename(2) moves the entry itself; QFile::rename would look through a
    // link first.
    const bool ecartee = std::rename(QFile::encodeName(chemin).constData(), QFile::encodeName(cote).constData()) == 0;
    qWarning().noquote() << (ecartee ? QStringLiteral("'%1' is not a regular file: moved aside to '%2'")
                                           .arg(chemin, cote)
                                     : QStringLiteral("'%1' is not a regular file and cannot be moved aside: "
                                                      "nothing is written there")
                                           .arg(chemin));
    return ecartee;
}
