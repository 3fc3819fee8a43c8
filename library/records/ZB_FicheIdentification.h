#pragma once

#include "GM_LoadSaveElement.h"
#include "OptionsDuJoueur.h"

#include <QString>

// The text a client identifies with to a hosting table: its player's
// OptionsDuJoueur record, and as an optional trailing field the seat key
// the host gave that player's first connection. A reader of the player
// record alone reads this text too and never sees the key.
//
// Rules:
// - A key is KeyLength lowercase hexadecimal digits; a text whose trailing
//   field is not one does not read (GM_Exception), so that a peer cannot
//   make the host compare anything else.
// - Without a key the text is exactly the player's record.
// - The key proves that a connection is the player who got it: it is
//   written to that player's connection alone, never into a record that
//   others hear, and compared in a time that does not tell how much of it
//   matched.
// - A player id may be the image of a key (idDeCle): the key then proves
//   the id by itself, to a host that has never seen it. Ids are shown to
//   every client, and such an id cannot be claimed by one who only saw it.
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

    OptionsDuJoueur joueur_;
    QString cle_; // empty: none
};
