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

    // Points in a trick. trump is the trump in force for the trick, mode the
    // trump chosen for the deal; they differ only in the zig-zag modes, whose
    // cards keep the values of their starting direction for the whole deal.
    int getPoints(int trump, int mode) const;
    // Strength within the card's own suit, 0 weakest to 8 strongest.
    int getForce(int trump, int belote) const;
    // Belote trump order of the rank, 0 to 8.
    int getOrdreAtout() const;
    // Weight of the card when weighing a hand for a candidate trump mode.
    int getPoidsPourAtout(int modeAtout) const;

    // "suit_rank", the card field of a card-play event.
    QString toString() const;

private:
    int couleur_;
    int valeur_;
    int index_;
};

// Name of a rank for a deck face style (1 German-Swiss, 3 Latin, else French).
QString getNomValeur(int valeur, int styleJeu);
// Short name of a trump mode.
QString getNomAtout(int modeAtout, int styleJeu);
