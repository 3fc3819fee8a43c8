#include "StatusAtout.h"

#include "GM_SpacesSeparatedString.h"
#include "TypeDePartie.h"

StatusAtout::StatusAtout(bool chibre, bool choisi, int atout, int multiplicateur)
    : chibre_(chibre)
    , choisi_(choisi)
    , atout_(atout)
    , multiplicateur_(multiplicateur)
{
}

StatusAtout::~StatusAtout() = default;

void StatusAtout::chargeValeursDepuisString(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    chibre_ = s.nextBool();
    choisi_ = s.nextBool();
    atout_ = s.nextInt();
    multiplicateur_ = s.nextInt();
}

QString StatusAtout::sauveValeursDansString() const
{
    GM_SpacesSeparatedString s;
    s.addBool(chibre_);
    s.addBool(choisi_);
    s.addInt(atout_);
    s.addInt(multiplicateur_);
    return s.getString();
}

void StatusAtout::remplitMultiplicateur(const TypeDePartie& type)
{
    if (!choisi_)
        return;
    multiplicateur_ = (atout_ >= 1 && atout_ <= 11) ? type.multiplicateurs_[atout_] : 1;
}
