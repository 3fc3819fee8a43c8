#include "ZB_FicheIdentification.h"

#include "GM_SpacesSeparatedString.h"
#include "ZB_CleDeJoueur.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QtEndian>

const QString ZB_FicheIdentification::CleVide(KeyLength, QLatin1Char('0'));

void ZB_FicheIdentification::chargeValeursDepuisString(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    OptionsDuJoueur joueur;
    joueur.litChamps(s);
    QString cle;
    QString publique;
    QString signature;
    if (s.hasOptionalField()) {
        cle = s.getNext();
        if (!estCle(cle))
            GM_SpacesSeparatedString::throwCorrupted();
    }
    if (s.hasOptionalField()) {
        publique = s.getNext();
        if (!ZB_CleDeJoueur::estPublique(publique))
            GM_SpacesSeparatedString::throwCorrupted();
        if (cle == CleVide)
            cle.clear();
    }
    if (s.hasOptionalField()) {
        signature = s.getNext();
        if (!ZB_CleDeJoueur::estSignature(signature))
            GM_SpacesSeparatedString::throwCorrupted();
    }
    joueur_ = joueur;
    cle_ = cle;
    publique_ = publique;
    signature_ = signature;
}

QString ZB_FicheIdentification::sauveValeursDansString() const
{
    GM_SpacesSeparatedString s;
    joueur_.ecritChamps(s);
    if (!publique_.isEmpty()) {
        s.addString(cle_.isEmpty() ? CleVide : cle_);
        s.addString(publique_);
        if (!signature_.isEmpty())
            s.addString(signature_);
    } else if (!cle_.isEmpty()) {
        s.addString(cle_);
    }
    return s.getString();
}

QString ZB_FicheIdentification::genereCle()
{
    return ZB_CleDeJoueur::hexAuHasard(KeyLength);
}

bool ZB_FicheIdentification::estCle(const QString& texte)
{
    return ZB_CleDeJoueur::estHex(texte, KeyLength);
}

bool ZB_FicheIdentification::memeCle(const QString& a, const QString& b)
{
    if (!estCle(a) || !estCle(b))
        return false;
    char16_t difference = 0;
    for (qsizetype i = 0; i < KeyLength; ++i)
        difference |= char16_t(a.at(i).unicode() ^ b.at(i).unicode());
    return difference == 0;
}

qint64 ZB_FicheIdentification::idDeCle(const QString& cle)
{
    if (!estCle(cle))
        return -1;
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(QByteArrayLiteral("zubrik seat id\n"));
    h.addData(cle.toLatin1());
    const QByteArray empreinte = h.result();
    // 62 bits: far from -1 and from what a sum or a sign could reach.
    return qint64(qFromBigEndian<quint64>(empreinte.constData()) >> 2);
}

QString ZB_FicheIdentification::masqueCles(const QString& texte)
{
    static const QRegularExpression cle(
        QStringLiteral("(?<![0-9A-Za-z])[0-9A-Fa-f]{%1}(?![0-9A-Za-z])").arg(KeyLength));
    QString masque = texte;
    return masque.replace(cle, QStringLiteral("<seat key>"));
}
