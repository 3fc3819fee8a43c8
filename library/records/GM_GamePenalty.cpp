#include "GM_GamePenalty.h"

#include "GM_SpacesSeparatedString.h"

#include <cmath>

GM_GamePenalty::GM_GamePenalty(qint64 idPartie, double penalite, int idCompte, int typePartie, int genre)
    : idPartie_(idPartie)
    , penalite_(penalite)
    , idCompte_(idCompte)
    , typePartie_(typePartie)
    , genre_(genre)
{
}

GM_GamePenalty::~GM_GamePenalty() = default;

void GM_GamePenalty::chargeValeursDepuisString(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    const qint64 idPartie = s.nextLongLong();
    const double penalite = s.nextDouble();
    // The lobby adds the penalty to an account's total: "nan" or "inf" would
    // spoil that total for good.
    if (!std::isfinite(penalite))
        GM_SpacesSeparatedString::throwCorrupted();
    const int idCompte = s.nextInt();
    const int typePartie = s.nextInt();
    const int genre = s.nextInt();

    idPartie_ = idPartie;
    penalite_ = penalite;
    idCompte_ = idCompte;
    typePartie_ = typePartie;
    genre_ = genre;
}

QString GM_GamePenalty::sauveValeursDansString() const
{
    GM_SpacesSeparatedString s;
    s.addLongLong(idPartie_);
    s.addDouble(penalite_);
    s.addInt(idCompte_);
    s.addInt(typePartie_);
    s.addInt(genre_);
    return s.getString();
}

void GM_GamePenalty::registerMetaType()
{
    qRegisterMetaType<GM_GamePenalty>("GM_GamePenalty");
}
