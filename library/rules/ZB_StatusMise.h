#pragma once

#include "GM_LoadSaveElement.h"

#include <QMetaType>

// The state of a Belote auction: sent with every bid request and returned,
// updated, as the answer.
class ZB_StatusMise : public GM_LoadSaveElement
{
public:
    enum TypeContrat {
        PasEncoreDeMise = 1,
        Simple = 2,
        Contre = 3,
        Surcontre = 4,
        Capot = 5,
        CapotContre = 6,
        CapotSurcontre = 7,
        DonneurForce = 8,
        PrendCouleurRetournee = 9
    };

    ZB_StatusMise() = default;
    ~ZB_StatusMise() override;

    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;

    bool estContre() const { return typeContrat_ == Contre || typeContrat_ == CapotContre; }
    bool estSurcontre() const { return typeContrat_ == Surcontre || typeContrat_ == CapotSurcontre; }
    bool estCapot() const { return typeContrat_ >= Capot && typeContrat_ <= CapotSurcontre; }

    bool operator==(const ZB_StatusMise& o) const;
    bool operator!=(const ZB_StatusMise& o) const { return !(*this == o); }

    bool miseFaite_ = false;      // the player bids (or doubles) rather than passes
    int tourMise_ = -1;           // bid requests already made in this deal's bidding
    bool montantBloque_ = true;   // bids on a turned card: no amount to choose
    int pointsMise_ = -1;         // points of the current bid
    int atoutMise_ = 0;           // trump mode of the bid, 0 when passing or taking the turned suit
    int miseur_ = -1;             // seat of the last bid; the taker when the bidding ends
    int pasMise_ = 10;            // step of the bid amount
    int premierMiseur_ = 0;       // seat that begins this deal's bidding
    int miseMin_ = 80;            // lowest amount that may be bid now
    int miseMax_ = 160;           // highest amount offered
    int miseMinDepart_ = 80;      // the minimum at the start of the bidding
    int typeContrat_ = 0;         // TypeContrat, 0 in a fresh record
};

Q_DECLARE_METATYPE(ZB_StatusMise)
