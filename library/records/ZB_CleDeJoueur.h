#pragma once

#include <QByteArray>
#include <QString>

// A player's signing key for one host (Ed25519), and the proof it gives of
// the player's id there without ever showing the key.
//
// Rules:
// - The key is made from a 32-byte seed (depuisGraine), so that the same
//   seed gives the same key and the same id: a program started again
//   after a crash is the same player to the host.
// - The id is the image of the public key (idDePublique): 62 bits of a
//   hash with bit 62 set, so that no seat key of the older kind
//   (ZB_FicheIdentification::idDeCle, below bit 62) ever proves such an
//   id. Ids are shown to every player at a table; only the holder of the
//   private key can answer a challenge for one.
// - A proof is the signature of messageDeDefi: the host's challenge, the
//   id, the public key and the port the player joined. The host draws a
//   fresh challenge for every connection and checks the port against its
//   own, so a proof one host saw proves nothing anywhere else (another
//   port of the same address, which would pass the host's challenge on,
//   included) or later.
// - Texts are lowercase hexadecimal: a public key PubliqueLength digits, a
//   challenge DefiLength, a signature SignatureLength. Anything else is
//   not one, and checks fail on it (never throw).
// - A default-made key is none: it signs nothing.
class ZB_CleDeJoueur
{
public:
    static constexpr int GraineLength = 32; // bytes
    static constexpr int PubliqueLength = 64;
    static constexpr int DefiLength = 64;
    static constexpr int SignatureLength = 128;

    ZB_CleDeJoueur() = default;
    // None when the seed does not have GraineLength bytes.
    static ZB_CleDeJoueur depuisGraine(const QByteArray& graine);

    bool estValide() const { return !publique_.isEmpty(); }
    const QString& publique() const { return publique_; }
    // The signature of the message, empty for no key.
    QString signe(const QByteArray& message) const;

    static bool verifie(const QString& publique, const QByteArray& message, const QString& signature);
    // A fresh challenge from the system's randomness.
    static QString genereDefi();
    static bool estPublique(const QString& texte) { return estHex(texte, PubliqueLength); }
    static bool estDefi(const QString& texte) { return estHex(texte, DefiLength); }
    static bool estSignature(const QString& texte) { return estHex(texte, SignatureLength); }
    // The id that public key proves, -1 for a text that is not one.
    static qint64 idDePublique(const QString& publique);
    // Only a signature proves this id.
    static bool estIdSigne(qint64 id) { return id >= 0 && (quint64(id) >> 62) == 1; }
    // What the player who joined that port signs to answer that challenge.
    static QByteArray messageDeDefi(const QString& defi, qint64 id, const QString& publique, quint16 port);

    // Lowercase hexadecimal texts of that many digits (a multiple of 8 for
    // hexAuHasard), the form of every key, challenge and signature here.
    static bool estHex(const QString& texte, int chiffres);
    static QString hexAuHasard(int chiffres);

private:
    QByteArray graine_;
    QString publique_;
};
