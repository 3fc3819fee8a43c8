#pragma once

#include "GM_LoadSaveElement.h"

#include <QMetaType>
#include <QString>

class Carte;

// One announcement of the first trick: a run of consecutive cards in one
// suit, or four cards of one rank. A plain value; the record's text is its
// four fields in order.
class Annonce : public GM_LoadSaveElement
{
public:
    enum Type { Aucune = 0, TroisCartes = 1, QuatreCartes = 2, CinqCartesOuPlus = 3, Carre = 4 };

    // The suit field of four of a kind.
    static constexpr int COULEUR_CARRE = 4;
    // No announcement is worth more than 200; the bound keeps a peer's text
    // from overflowing the sums and multiplied scores built on it.
    static constexpr int POINTS_MAX = 1000;

    Annonce() = default;
    Annonce(int type, int couleur, int valeur, int points);
    ~Annonce() override;
    Annonce(const Annonce&) = default;
    Annonce& operator=(const Annonce&) = default;

    // Refuses a kind, suit or rank out of range and a run reaching below the
    // six, since such an announcement would name cards that no deck holds,
    // and points outside 0..POINTS_MAX. On failure nothing is replaced.
    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;

    // Cards counted for the kind. A run of six to nine cards is a five-card
    // run here, in comparisons as in the cards it covers.
    static int nombreDeCartes(int type);
    int getNombreDeCartes() const { return nombreDeCartes(type_); }

    // Value of four cards of that rank in the deal's trump mode; 0 when four
    // of that rank are not worth an announcement in that mode.
    static int valeurCarre(int valeur, int modeAtout);
    // Value of a run of that many cards; 0 below three.
    static int valeurSuite(int longueur);

    // True when the fields are those a text may carry: cards of the 36-card
    // numbering (a none announcement always qualifies) and bounded points.
    bool estValide() const;
    // Bit i set for each counted card of index i; 0 for none and for an
    // invalid announcement.
    quint64 getMasque() const;
    // The four cards of one rank.
    static quint64 masqueDeValeur(int valeur);
    // Whether the card is one of the announcement's counted cards. An
    // invalid announcement covers nothing.
    bool contientCarte(const Carte* carte) const;
    bool contientCarte(int couleur, int valeur) const;

    // Bubble text: "Pas d'annonce", "Trois cartes" or the points.
    QString getNom() const;

    bool operator==(const Annonce& o) const
    {
        return type_ == o.type_ && couleur_ == o.couleur_ && valeur_ == o.valeur_ && points_ == o.points_;
    }
    bool operator!=(const Annonce& o) const { return !(*this == o); }

    int type_ = Aucune;
    int couleur_ = 1;   // suit of a run, COULEUR_CARRE for four of a kind
    int valeur_ = 6;    // highest rank of a run, rank of four of a kind
    int points_ = 0;
};

// 1 when a beats b, 0 when b beats a or they tie. mode is the deal's trump
// mode (Bas en Haut reverses ranks); couleurAtout the trump suit, which
// breaks an otherwise exact tie in a's favour only.
int compareAnnonces(const Annonce& a, int mode, int couleurAtout, const Annonce& b);

Q_DECLARE_METATYPE(Annonce)
