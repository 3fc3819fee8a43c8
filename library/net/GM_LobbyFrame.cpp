#include "GM_LobbyFrame.h"

QByteArray GM_LobbyFrame::escape(const QByteArray& champ)
{
    qsizetype speciaux = 0;
    for (const char c : champ)
        if (c == FieldEnd || c == RecordEnd || c == Escape)
            ++speciaux;
    if (speciaux == 0)
        return champ;
    QByteArray sortie;
    sortie.reserve(champ.size() + speciaux);
    for (const char c : champ) {
        switch (c) {
        case FieldEnd: sortie.append(Escape).append(EscapedFieldEnd); break;
        case RecordEnd: sortie.append(Escape).append(EscapedRecordEnd); break;
        case Escape: sortie.append(Escape).append(Escape); break;
        default: sortie.append(c); break;
        }
    }
    return sortie;
}

bool GM_LobbyFrame::unescape(const QByteArray& champ, QByteArray& sortie)
{
    if (!champ.contains(Escape)) {
        sortie = champ;
        return true;
    }
    sortie.clear();
    sortie.reserve(champ.size());
    for (qsizetype i = 0; i < champ.size(); ++i) {
        const char c = champ.at(i);
        if (c != Escape) {
            sortie.append(c);
            continue;
        }
        if (++i == champ.size())
            return false;
        switch (champ.at(i)) {
        case EscapedFieldEnd: sortie.append(FieldEnd); break;
        case EscapedRecordEnd: sortie.append(RecordEnd); break;
        case Escape: sortie.append(Escape); break;
        default: return false;
        }
    }
    return true;
}

bool GM_LobbyFrame::motValide(const QByteArray& mot)
{
    if (mot.size() != LongueurMot)
        return false;
    for (const char c : mot)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

QList<QByteArray> GM_LobbyFrame::messages(const QByteArray& mot, const QStringList& champs)
{
    QList<QByteArray> sortie;
    sortie.reserve(2 + 2 * champs.size());
    sortie << mot;
    for (const QString& champ : champs)
        sortie << escape(champ.toUtf8()) << QByteArray(1, FieldEnd);
    sortie << QByteArray(1, RecordEnd);
    return sortie;
}

QByteArray GM_LobbyFrame::record(const QByteArray& mot, const QStringList& champs)
{
    QByteArray sortie = mot;
    for (const QString& champ : champs)
        sortie.append(escape(champ.toUtf8())).append(FieldEnd);
    sortie.append(RecordEnd);
    return sortie;
}

qsizetype GM_LobbyFrame::taille(const QByteArray& mot, const QStringList& champs)
{
    qsizetype n = mot.size() + 1;
    for (const QString& champ : champs)
        n += escape(champ.toUtf8()).size() + 1;
    return n;
}
