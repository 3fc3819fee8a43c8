#pragma once

#include "Annonce.h"
#include "GM_LoadSaveElement.h"

#include <QMetaType>
#include <QString>

#include <array>

class Carte;
class EnsembleDeCartes;

// A player's announcements for a deal: the three best combinations of the
// hand, best first, each made of cards that the ones before it left over.
// The text is a record of the three announcement records; the flag is not
// part of it.
class AnnoncesJoueur : public GM_LoadSaveElement
{
public:
    static constexpr int NOMBRE = 3;

    // Three none announcements.
    AnnoncesJoueur();
    // Detection in the deal's trump mode. Works on the hand's bit mask and
    // allocates nothing, so the computer player can run it on sampled hands.
    AnnoncesJoueur(const EnsembleDeCartes& main, int modeAtout);
    // Throws GM_Exception with the record error on a bad text.
    explicit AnnoncesJoueur(const QString& text);
    ~AnnoncesJoueur() override;
    AnnoncesJoueur(const AnnoncesJoueur&) = default;
    AnnoncesJoueur& operator=(const AnnoncesJoueur&) = default;

    // On failure nothing is replaced.
    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;

    // Whether the card is one of the counted cards of any announcement.
    bool contientCarte(const Carte* carte) const;
    // Sum of the three announcements' points.
    int getTotalPoints() const;
    // Counted cards of the three announcements.
    quint64 getMasque() const;

    // The best announcement of a card set (given as the bit mask of card
    // indexes): runs and four of a kind found in one walk by index, the first
    // of equals kept.
    static Annonce meilleureAnnonce(quint64 masque, int modeAtout);

    bool operator==(const AnnoncesJoueur& o) const { return annonces_ == o.annonces_ && actif_ == o.actif_; }
    bool operator!=(const AnnoncesJoueur& o) const { return !(*this == o); }

    std::array<Annonce, NOMBRE> annonces_;
    // Set on construction; the table display shows a seat's announcement
    // bubble only while it is set.
    int actif_ = 1;
};

Q_DECLARE_METATYPE(AnnoncesJoueur)
