#pragma once

#include <QString>

// One card. Cards are created once by a deck and never copied; every hand,
// pile and trick holds pointers into the deck, so pointer identity is card
// identity.
class Carte
{
public:
    // Ranks: 6 to 10, then 11 jack (Valet), 12 queen (Dame), 13 king (Roi),
    // 14 ace (As). Suits 1 to 4.
    enum Valeur { Six = 6, Sept = 7, Huit = 8, Neuf = 9, Dix = 10, Valet = 11, Dame = 12, Roi = 13, As = 14 };

    Carte(int couleur, int valeur);
    Carte(const Carte&) = delete;
    Carte& operator=(const Carte&) = delete;
    virtual ~Carte();

    int getCouleur() const { return couleur_; }
    int getValeur() const { return valeur_; }
    int getIndex() const { return index_; }

    // Number of a card in the 36-card numbering, the same in both games.
    static constexpr int indexDe(int couleur, int valeur) { return (couleur - 1) * 9 + (valeur - 6); }
    // The index of a card written "suit_rank" (as a record writes it), -1
    // when the text names no card of the game's deck (Belote has no six).
    static int indexDeTexte(const QString& texte, bool belote);

    // Points in a trick. trump is the trump in force for the trick, mode the
    // trump chosen for the deal; they differ only in the zig-zag modes, whose
    // cards keep the values of their starting direction for the whole deal.
    // Inline, as getForce: the search asks both for every card it plays.
    int getPoints(int trump, int mode) const
    {
        const int r = valeur_ - 6;
        if (couleur_ == trump)
            return kPointsAtout[r];
        if (mode == 8)
            return kPointsHautEnBas[r];
        if (mode == 7)
            return kPointsBasEnHaut[r];
        switch (trump) {
        case 5: return kPointsHautEnBas[r];
        case 6: return kPointsBasEnHaut[r];
        case 9: return kPointsToutAtout[r];
        case 10: return kPointsSansAtout[r];
        case 11: return kPointsInverse[r];
        default: return kPointsNormal[r];
        }
    }
    // Strength within the card's own suit, 0 weakest to 8 strongest.
    int getForce(int trump, int belote) const
    {
        const int r = valeur_ - 6;
        if (couleur_ == trump)
            return belote ? kOrdreAtoutBelote[r] : kForceAtoutJass[r];
        if (belote && trump == 9)
            return kOrdreAtoutBelote[r];
        const int naturel = belote ? kForceNaturelleBelote[r] : r;
        return (trump == 6 || trump == 7) ? 8 - naturel : naturel;
    }
    // Belote trump order of the rank, 0 to 8.
    int getOrdreAtout() const { return kOrdreAtoutBelote[valeur_ - 6]; }
    // Weight of the card when weighing a hand for a candidate trump mode.
    int getPoidsPourAtout(int modeAtout) const;

    // "suit_rank", the card field of a card-play event.
    QString toString() const;

private:
    // Rows indexed by rank - 6: 6, 7, 8, 9, 10, Valet, Dame, Roi, As.
    static constexpr int kPointsAtout[9] = {0, 0, 0, 14, 10, 20, 3, 4, 11};
    static constexpr int kPointsNormal[9] = {0, 0, 0, 0, 10, 2, 3, 4, 11};
    static constexpr int kPointsHautEnBas[9] = {0, 0, 8, 0, 10, 2, 3, 4, 11};
    static constexpr int kPointsBasEnHaut[9] = {11, 0, 8, 0, 10, 2, 3, 4, 0};
    static constexpr int kPointsToutAtout[9] = {0, 0, 0, 9, 5, 14, 1, 3, 6};
    static constexpr int kPointsSansAtout[9] = {0, 0, 0, 0, 10, 2, 3, 4, 19};
    static constexpr int kPointsInverse[9] = {0, 20, 14, 0, 4, 0, 11, 10, 3};

    static constexpr int kForceAtoutJass[9] = {0, 1, 2, 7, 3, 8, 4, 5, 6};
    static constexpr int kOrdreAtoutBelote[9] = {0, 1, 2, 7, 5, 8, 3, 4, 6};
    static constexpr int kForceNaturelleBelote[9] = {0, 1, 2, 3, 7, 4, 5, 6, 8};

    int couleur_;
    int valeur_;
    int index_;
};

// Name of a rank for a deck face style (1 German-Swiss, 3 Latin, else French).
QString getNomValeur(int valeur, int styleJeu);
// Short name of a trump mode.
QString getNomAtout(int modeAtout, int styleJeu);
