#include "ZB_CleDeJoueur.h"

#include <QCryptographicHash>
#include <QRandomGenerator>
#include <QtEndian>

#include <openssl/evp.h>

#include <memory>

namespace {

struct LibereCle {
    void operator()(EVP_PKEY* cle) const { EVP_PKEY_free(cle); }
};
struct LibereContexte {
    void operator()(EVP_MD_CTX* contexte) const { EVP_MD_CTX_free(contexte); }
};
using Cle = std::unique_ptr<EVP_PKEY, LibereCle>;
using Contexte = std::unique_ptr<EVP_MD_CTX, LibereContexte>;

Cle clePrivee(const QByteArray& graine)
{
    return Cle(EVP_PKEY_new_raw_private_key(EVP_PKEY_ED25519, nullptr,
                                            reinterpret_cast<const unsigned char*>(graine.constData()),
                                            size_t(graine.size())));
}

} // namespace

bool ZB_CleDeJoueur::estHex(const QString& texte, int chiffres)
{
    if (texte.size() != chiffres)
        return false;
    for (const QChar c : texte)
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))))
            return false;
    return true;
}

ZB_CleDeJoueur ZB_CleDeJoueur::depuisGraine(const QByteArray& graine)
{
    ZB_CleDeJoueur cle;
    if (graine.size() != GraineLength)
        return cle;
    const Cle privee = clePrivee(graine);
    if (!privee)
        return cle;
    unsigned char publique[32];
    size_t taille = sizeof publique;
    if (EVP_PKEY_get_raw_public_key(privee.get(), publique, &taille) != 1 || taille != sizeof publique)
        return cle;
    cle.graine_ = graine;
    cle.publique_ = QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(publique), int(taille)).toHex());
    return cle;
}

QString ZB_CleDeJoueur::signe(const QByteArray& message) const
{
    if (!estValide())
        return QString();
    const Cle privee = clePrivee(graine_);
    const Contexte contexte(EVP_MD_CTX_new());
    if (!privee || !contexte || EVP_DigestSignInit(contexte.get(), nullptr, nullptr, nullptr, privee.get()) != 1)
        return QString();
    unsigned char signature[64];
    size_t taille = sizeof signature;
    if (EVP_DigestSign(contexte.get(), signature, &taille, reinterpret_cast<const unsigned char*>(message.constData()),
                       size_t(message.size()))
        != 1)
        return QString();
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(signature), int(taille)).toHex());
}

bool ZB_CleDeJoueur::verifie(const QString& publique, const QByteArray& message, const QString& signature)
{
    if (!estPublique(publique) || !estSignature(signature))
        return false;
    const QByteArray brute = QByteArray::fromHex(publique.toLatin1());
    const QByteArray signee = QByteArray::fromHex(signature.toLatin1());
    const Cle cle(EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr,
                                              reinterpret_cast<const unsigned char*>(brute.constData()),
                                              size_t(brute.size())));
    const Contexte contexte(EVP_MD_CTX_new());
    if (!cle || !contexte || EVP_DigestVerifyInit(contexte.get(), nullptr, nullptr, nullptr, cle.get()) != 1)
        return false;
    return EVP_DigestVerify(contexte.get(), reinterpret_cast<const unsigned char*>(signee.constData()),
                            size_t(signee.size()), reinterpret_cast<const unsigned char*>(message.constData()),
                            size_t(message.size()))
        == 1;
}

QString ZB_CleDeJoueur::hexAuHasard(int chiffres)
{
    QString texte;
    texte.reserve(chiffres);
    for (int i = 0; i < chiffres / 8; ++i)
        texte += QStringLiteral("%1").arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
    return texte;
}

QString ZB_CleDeJoueur::genereDefi()
{
    return hexAuHasard(DefiLength);
}

qint64 ZB_CleDeJoueur::idDePublique(const QString& publique)
{
    if (!estPublique(publique))
        return -1;
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(QByteArrayLiteral("zubrik signed seat id\n"));
    h.addData(publique.toLatin1());
    const QByteArray empreinte = h.result();
    return qint64((qFromBigEndian<quint64>(empreinte.constData()) >> 2) | (quint64(1) << 62));
}

QByteArray ZB_CleDeJoueur::messageDeDefi(const QString& defi, qint64 id, const QString& publique, quint16 port)
{
    // Told apart from anything else this key could ever sign.
    return QByteArrayLiteral("zubrik seat proof\n") + defi.toLatin1() + '\n' + QByteArray::number(id) + '\n'
         + publique.toLatin1() + '\n' + QByteArray::number(port);
}
