#pragma once

#include "GM_LoadSaveElement.h"

#include <QMetaType>

class TypeDePartie;

// A trump request and its answer. In a request, chibre 1 tells the partner
// that the choice was passed to them; in an answer, chibre 1 with nothing
// chosen passes the choice to the partner.
class StatusAtout : public GM_LoadSaveElement
{
public:
    enum Mode {
        Aucun = 0,
        HautEnBas = 5,
        BasEnHaut = 6,
        ZigZagDepartEnBas = 7,
        ZigZagDepartEnHaut = 8,
        ToutAtout = 9,
        SansAtout = 10,
        Inverse = 11,
        Inconnu = 12
    };

    StatusAtout() = default;
    StatusAtout(bool chibre, bool choisi, int atout, int multiplicateur);
    ~StatusAtout() override;

    void chargeValeursDepuisString(const QString& text) override;
    QString sauveValeursDansString() const override;

    // Fills the multiplier from the game type once a mode is chosen.
    void remplitMultiplicateur(const TypeDePartie& type);
    bool estPasseAuPartenaire() const { return chibre_ && !choisi_ && atout_ == Aucun; }
    // The mode in force for the first trick of a deal played in mode: a
    // zig-zag starts in its own direction; any other mode holds throughout.
    static int modeDuPremierPli(int mode)
    {
        return mode == ZigZagDepartEnBas ? int(BasEnHaut) : mode == ZigZagDepartEnHaut ? int(HautEnBas) : mode;
    }

    bool operator==(const StatusAtout& o) const
    {
        return chibre_ == o.chibre_ && choisi_ == o.choisi_ && atout_ == o.atout_ && multiplicateur_ == o.multiplicateur_;
    }
    bool operator!=(const StatusAtout& o) const { return !(*this == o); }

    bool chibre_ = false;
    bool choisi_ = false;
    int atout_ = Aucun;
    int multiplicateur_ = -1;
};

Q_DECLARE_METATYPE(StatusAtout)
