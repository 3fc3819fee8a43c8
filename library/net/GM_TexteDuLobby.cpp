#include "GM_TexteDuLobby.h"

QString GM_TexteDuLobby::borne(const QString& texte, int max)
{
    if (texte.size() <= max || max < 1)
        return texte;
    qsizetype garde = max - 1;
    if (garde > 0 && texte.at(garde - 1).isHighSurrogate())
        --garde;
    return texte.left(garde) + QChar(0x2026);
}

QStringList GM_TexteDuLobby::champs(const QString& entree, int maxChamps, int max)
{
    QStringList resultat;
    qsizetype debut = 0;
    // Split by hand: an entry of a million commas must not become a
    // million strings only to keep a few.
    while (resultat.size() < maxChamps) {
        const qsizetype virgule = entree.indexOf(QLatin1Char(','), debut);
        const qsizetype fin = virgule < 0 ? entree.size() : virgule;
        resultat << borne(entree.mid(debut, qMin<qsizetype>(fin - debut, max + 1)), max);
        if (virgule < 0)
            break;
        debut = virgule + 1;
    }
    return resultat;
}
