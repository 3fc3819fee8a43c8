#pragma once

#include "GM_LoadSaveElement.h"
#include "OptionsDuJoueur.h"

#include <QString>

// The text a client identifies with to a hosting table: its player's
// OptionsDuJoueur record, then as optional trailing fields a seat key, the
// public key of the player's signing key for that host and the signature
// that answers the host's challenge (ZB_CleDeJoueur). A reader of the
// player record alone reads this text too and never sees the rest, and a
// reader of the record and the key (a host of the previous version) reads
// it and never sees the public key.
//
// Rules:
// - A key is KeyLength lowercase hexadecimal digits, a public key and a
//   signature those of ZB_CleDeJoueur; a text whose trailing fields are not
//   such does not read (GM_Exception), so that a peer cannot make the host
//   compare anything else.
// - Without a key, a public key or a signature the text is exactly the
//   player's record. A public key without a seat key goes behind CleVide,
//   which a reader takes for no key, since an older host reads the field
//   after the record as a key.
// - A seat key proves that a connection is the player who got it: it is
//   written to that player's connection alone, never into a record that
//   others hear, and compared in a time that does not tell how much of it
//   matched. Such a key travels in clear on the plain transports: only a
//   host of the previous version, or a client of it, uses one.
// - A player id may be the image of a key (idDeCle): the key then proves
//   the id by itself, to a host that has never seen it. Such ids are those
//   of clients of the previous version; an id that is the image of a public
//   key (ZB_CleDeJoueur::idDePublique) is proven by a signature only.
class ZB_FicheIdentification : public GM_LoadSaveElement
{
public:
    static constexpr int KeyLength = 32;

    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;

    // A fresh key from the system's randomness.
    static QString genereCle();
    static bool estCle(const QString& texte);
    static bool memeCle(const QString& a, const QString& b);
    // The text with every word that could be a key (KeyLength hexadecimal
    // digits, either case) masked, for a log.
    static QString masqueCles(const QString& texte);
    // The player id that key proves: never negative, -1 for a text that
    // is not a key.
    static qint64 idDeCle(const QString& cle);

    // The seat key's place when there is none but a public key follows.
    static const QString CleVide;

    OptionsDuJoueur joueur_;
    QString cle_;       // empty: none
    QString publique_;  // empty: none
    QString signature_; // empty: none; only with a public key
};
