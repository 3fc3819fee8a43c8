#include "OptionsAI.h"

#include "GM_SpacesSeparatedString.h"

#include <cmath>

namespace {

double lisReglage(GM_SpacesSeparatedString& s)
{
    const double valeur = s.nextDouble();
    if (!std::isfinite(valeur))
        GM_SpacesSeparatedString::throwCorrupted();
    return valeur;
}

} // namespace

OptionsAI::OptionsAI(double secondTurnTrump, double thirdTurnTrump, double knowledgeOpponents,
                     double nbrCombinations, int version)
    : secondTurnTrump_(secondTurnTrump)
    , thirdTurnTrump_(thirdTurnTrump)
    , knowledgeOpponents_(knowledgeOpponents)
    , nbrCombinations_(nbrCombinations)
    , version_(version)
{
}

OptionsAI::~OptionsAI() = default;

void OptionsAI::chargeValeursDepuisString(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    // The search turns these into probabilities and a sample count: "nan" or
    // "inf" from a file or a peer would make that conversion undefined.
    const double secondTurnTrump = lisReglage(s);
    const double thirdTurnTrump = lisReglage(s);
    const double knowledgeOpponents = lisReglage(s);
    const double nbrCombinations = lisReglage(s);
    int version = 0;
    if (s.hasOptionalField())
        version = s.nextInt();
    secondTurnTrump_ = secondTurnTrump;
    thirdTurnTrump_ = thirdTurnTrump;
    knowledgeOpponents_ = knowledgeOpponents;
    nbrCombinations_ = nbrCombinations;
    // Records older than the version field carried a knowledge setting of 0.5
    // that the computer player has since replaced by 0.41.
    if (version < 1 && knowledgeOpponents_ == 0.5)
        knowledgeOpponents_ = 0.41;
    version_ = version < 1 ? 1 : version;
}

QString OptionsAI::sauveValeursDansString() const
{
    GM_SpacesSeparatedString s;
    s.addDouble(secondTurnTrump_);
    s.addDouble(thirdTurnTrump_);
    s.addDouble(knowledgeOpponents_);
    s.addDouble(nbrCombinations_);
    s.addInt(version_);
    return s.getString();
}
