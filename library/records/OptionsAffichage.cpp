#include "OptionsAffichage.h"

#include "GM_SpacesSeparatedString.h"
#include "OptionsDuJoueur.h"

#include <cmath>

namespace {

// The record comes back from the settings file, which a user may edit: a
// choice out of range would pick no button in the options dialog and no
// theme, deck or language, so it is brought to the nearest one.
int lisChoix(GM_SpacesSeparatedString& s, int min, int max)
{
    return qBound(min, s.nextInt(), max);
}

double lisReel(GM_SpacesSeparatedString& s)
{
    const double valeur = s.nextDouble();
    if (!std::isfinite(valeur))
        GM_SpacesSeparatedString::throwCorrupted();
    return valeur;
}

QString lisTexte(GM_SpacesSeparatedString& s)
{
    return GM_SpacesSeparatedString::sanitizeFreeText(s.nextString());
}

} // namespace

OptionsAffichage::OptionsAffichage()
    : noms_{QStringLiteral("Alphonse"), QString::fromUtf8(OptionsDuJoueur::NOM_PARTENAIRE), QStringLiteral("Gertrude")}
{
    saisons_[Hiver] = {true, QStringLiteral("2000-12-21"), QStringLiteral("2000-03-19")};
    saisons_[Printemps] = {true, QStringLiteral("2000-03-20"), QStringLiteral("2000-06-19")};
    saisons_[Ete] = {true, QStringLiteral("2000-06-20"), QStringLiteral("2000-09-22")};
    saisons_[Automne] = {true, QStringLiteral("2000-09-23"), QStringLiteral("2000-12-20")};
}

OptionsAffichage::~OptionsAffichage() = default;

void OptionsAffichage::chargeValeursDepuisString(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    QStringList noms;
    for (int i = 0; i < NOMBRE_NOMS; ++i)
        noms.append(lisTexte(s));
    noms_ = noms;
    helpCard_ = s.nextBool();
    animatedScores_ = s.nextBool();
    useRightSpace_ = s.nextBool();
    quality_ = lisChoix(s, QUALITE_MIN, QUALITE_MAX);
    cardStyle_ = lisChoix(s, 0, STYLE_CARTES_MAX);
    debug_ = s.nextBool();
    randomNames_ = s.nextBool();
    appStyle_ = lisChoix(s, 0, STYLE_APPLICATION_MAX);

    // Texts of older versions end earlier: each later field is read only
    // while one follows.
    if (!s.hasOptionalField())
        return;
    language_ = lisChoix(s, 0, LANGUE_MAX);
    if (!s.hasOptionalField())
        return;
    ramassageAuto_ = s.nextBool();
    if (!s.hasOptionalField())
        return;
    ramassageDelay_ = lisChoix(s, 0, DELAI_RAMASSAGE_MAX);
    if (!s.hasOptionalField())
        return;
    coloredCard_ = s.nextBool();
    if (!s.hasOptionalField())
        return;
    sounds_ = s.nextBool();
    if (!s.hasOptionalField())
        return;
    facteur1_ = lisReel(s);
    for (Periode& saison : saisons_) {
        if (!s.hasOptionalField())
            return;
        saison.actif = s.nextBool();
        if (!s.hasOptionalField())
            return;
        saison.debut = lisTexte(s);
        if (!s.hasOptionalField())
            return;
        saison.fin = lisTexte(s);
    }
    if (!s.hasOptionalField())
        return;
    dealInverted_ = s.nextBool();
    if (!s.hasOptionalField())
        return;
    // Scales every text of the table: an edited 0 or 1000 would leave
    // nothing readable.
    fontSize_ = qBound(TAILLE_POLICE_MIN, lisReel(s), TAILLE_POLICE_MAX);
    if (!s.hasOptionalField())
        return;
    reserve_ = s.nextBool();
    if (!s.hasOptionalField())
        return;
    vibrate_ = s.nextBool();
}

QString OptionsAffichage::sauveValeursDansString() const
{
    GM_SpacesSeparatedString s;
    // Names and dates are typed by the user: keep them from breaking the
    // record. Always three names, whatever the list holds.
    for (int i = 0; i < NOMBRE_NOMS; ++i)
        s.addString(GM_SpacesSeparatedString::sanitizeFreeText(noms_.value(i)));
    s.addBool(helpCard_);
    s.addBool(animatedScores_);
    s.addBool(useRightSpace_);
    s.addInt(quality_);
    s.addInt(cardStyle_);
    s.addBool(debug_);
    s.addBool(randomNames_);
    s.addInt(appStyle_);
    s.addInt(language_);
    s.addBool(ramassageAuto_);
    s.addInt(ramassageDelay_);
    s.addBool(coloredCard_);
    s.addBool(sounds_);
    s.addDouble(facteur1_);
    for (const Periode& saison : saisons_) {
        s.addBool(saison.actif);
        s.addString(GM_SpacesSeparatedString::sanitizeFreeText(saison.debut));
        s.addString(GM_SpacesSeparatedString::sanitizeFreeText(saison.fin));
    }
    s.addBool(dealInverted_);
    s.addDouble(fontSize_);
    s.addBool(reserve_);
    s.addBool(vibrate_);
    return s.getString();
}

bool OptionsAffichage::operator==(const OptionsAffichage& o) const
{
    return noms_ == o.noms_ && helpCard_ == o.helpCard_ && animatedScores_ == o.animatedScores_
        && useRightSpace_ == o.useRightSpace_ && quality_ == o.quality_ && cardStyle_ == o.cardStyle_
        && debug_ == o.debug_ && randomNames_ == o.randomNames_ && appStyle_ == o.appStyle_
        && language_ == o.language_ && ramassageAuto_ == o.ramassageAuto_ && ramassageDelay_ == o.ramassageDelay_
        && coloredCard_ == o.coloredCard_ && sounds_ == o.sounds_ && facteur1_ == o.facteur1_
        && saisons_ == o.saisons_ && dealInverted_ == o.dealInverted_ && fontSize_ == o.fontSize_
        && reserve_ == o.reserve_ && vibrate_ == o.vibrate_;
}
