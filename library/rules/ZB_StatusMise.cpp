#include "ZB_StatusMise.h"

#include "GM_SpacesSeparatedString.h"

ZB_StatusMise::~ZB_StatusMise() = default;

void ZB_StatusMise::chargeValeursDepuisString(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    miseFaite_ = s.nextBool();
    tourMise_ = s.nextInt();
    montantBloque_ = s.nextBool();
    pointsMise_ = s.nextInt();
    atoutMise_ = s.nextInt();
    pasMise_ = s.nextInt();
    miseur_ = s.nextInt();
    premierMiseur_ = s.nextInt();
    miseMin_ = s.nextInt();
    miseMax_ = s.nextInt();
    miseMinDepart_ = s.nextInt();
    typeContrat_ = s.nextInt();
}

QString ZB_StatusMise::sauveValeursDansString() const
{
    GM_SpacesSeparatedString s;
    s.addBool(miseFaite_);
    s.addInt(tourMise_);
    s.addBool(montantBloque_);
    s.addInt(pointsMise_);
    s.addInt(atoutMise_);
    s.addInt(pasMise_);
    s.addInt(miseur_);
    s.addInt(premierMiseur_);
    s.addInt(miseMin_);
    s.addInt(miseMax_);
    s.addInt(miseMinDepart_);
    s.addInt(typeContrat_);
    return s.getString();
}

bool ZB_StatusMise::operator==(const ZB_StatusMise& o) const
{
    return miseFaite_ == o.miseFaite_ && tourMise_ == o.tourMise_ && montantBloque_ == o.montantBloque_
        && pointsMise_ == o.pointsMise_ && atoutMise_ == o.atoutMise_ && miseur_ == o.miseur_
        && pasMise_ == o.pasMise_ && premierMiseur_ == o.premierMiseur_ && miseMin_ == o.miseMin_
        && miseMax_ == o.miseMax_ && miseMinDepart_ == o.miseMinDepart_ && typeContrat_ == o.typeContrat_;
}
