#include "GM_GameStatsPlayer.h"

#include "GM_SpacesSeparatedString.h"

#include <cmath>
#include <limits>

GM_GameStatsPlayer::GM_GameStatsPlayer()
{
    reset(0);
}

GM_GameStatsPlayer::~GM_GameStatsPlayer() = default;

void GM_GameStatsPlayer::chargeValeursDepuisString(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    std::array<int, NOMBRE_COMPTEURS> compteurs;
    for (int& c : compteurs)
        c = s.nextInt();
    const qint64 id = s.nextLongLong();
    const double valeur = s.nextDouble();
    // The lobby stores the share as a number: "nan" or "inf" is no share.
    if (!std::isfinite(valeur))
        GM_SpacesSeparatedString::throwCorrupted();
    const bool indicateur = s.nextBool();
    const int typePartie = s.nextInt();

    compteurs_ = compteurs;
    databaseId = id;
    valeur_ = valeur;
    indicateur_ = indicateur;
    typePartie_ = typePartie;
}

QString GM_GameStatsPlayer::sauveValeursDansString() const
{
    GM_SpacesSeparatedString s;
    for (int c : compteurs_)
        s.addInt(c);
    s.addLongLong(databaseId);
    s.addDouble(valeur_);
    s.addBool(indicateur_);
    s.addInt(typePartie_);
    return s.getString();
}

void GM_GameStatsPlayer::reset(const int& typePartie)
{
    compteurs_.fill(0);
    compteurs_[0] = 1;
    valeur_ = 0.0;
    indicateur_ = false;
    typePartie_ = typePartie;
}

void GM_GameStatsPlayer::ajoute(int compteur, int montant)
{
    if (!estCompteurValide(compteur))
        return;
    const qint64 somme = qint64(compteurs_[compteur]) + montant;
    constexpr qint64 min = std::numeric_limits<int>::min();
    constexpr qint64 max = std::numeric_limits<int>::max();
    compteurs_[compteur] = int(qBound(min, somme, max));
}
