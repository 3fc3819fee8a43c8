#include "OptionsDePartie.h"

#include "GM_SpacesSeparatedString.h"

#include <cmath>

namespace {

// Preset ids up to this one are looked up in the shared preset table. The
// table keeps an entry for every id it is asked for, and the id comes from
// files and peers: beyond the bound, a default game type is taken directly,
// which is what the table would hand out for an unknown id anyway.
constexpr int ID_PRESET_LIMITE = 63;

TypeDePartie typePersonalise(int genre)
{
    TypeDePartie::initTypesDePartie(genre);
    return TypeDePartie::getTypeDePartie(TypeDePartie::ID_PERSONALISE);
}

quint8 lisOctet(GM_SpacesSeparatedString& s)
{
    const int valeur = s.nextInt();
    if (valeur < 0 || valeur > 255)
        GM_SpacesSeparatedString::throwCorrupted();
    return quint8(valeur);
}

} // namespace

OptionsDePartie::OptionsDePartie()
    : typeDePartie_(typePersonalise(TypeDePartie::GenreBelote))
{
}

OptionsDePartie::OptionsDePartie(int genre)
    : idPreset_(genre > 0 ? 6 : 0)
    , typeDePartie_(typePersonalise(genre))
    , genre_(quint8(genre))
    , penalites_(1)
    , valeur6_(30)
    , charge_(1)
{
}

OptionsDePartie::~OptionsDePartie() = default;

void OptionsDePartie::chargeValeursDepuisString(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    idPreset_ = s.nextInt();
    valeur2_ = s.nextInt();
    modeDeJeu_ = s.nextInt();
    s.nextInt(); // format number

    if (s.hasOptionalField())
        s.nextRecord(optionsAIAdversaires_);
    if (s.hasOptionalField()) {
        s.nextRecord(typeDePartie_);
    } else {
        // Older texts name only the preset: the kind is the one this record
        // held before reading, since the kind field comes later.
        TypeDePartie::initTypesDePartie(genre_);
        typeDePartie_ = idPreset_ >= 0 && idPreset_ <= ID_PRESET_LIMITE ? TypeDePartie::getTypeDePartie(idPreset_)
                                                                          : TypeDePartie();
    }
    if (s.hasOptionalField())
        s.nextRecord(optionsAIPartenaire_);
    if (s.hasOptionalField())
        genre_ = lisOctet(s);
    if (s.hasOptionalField())
        penalites_ = lisOctet(s);
    if (s.hasOptionalField()) {
        // Becomes a timer interval in every seat: only a real number will do.
        const double delai = s.nextDouble();
        if (!std::isfinite(delai))
            GM_SpacesSeparatedString::throwCorrupted();
        delaiReponse_ = delai;
    }
    if (s.hasOptionalField())
        collecteReponses_ = s.nextInt();
    if (s.hasOptionalField())
        valeur6_ = s.nextInt();
    if (s.hasOptionalField())
        texte7_ = GM_SpacesSeparatedString::sanitizeFreeText(s.nextString());
    if (s.hasOptionalField())
        idPartie_ = s.nextLongLong();
    charge_ = 1;
}

QString OptionsDePartie::sauveValeursDansString() const
{
    return sauveValeursDansString(VERSION_PROTOCOLE_ACTUELLE);
}

QString OptionsDePartie::sauveValeursDansString(int version) const
{
    GM_SpacesSeparatedString s;
    s.addInt(idPreset_);
    s.addInt(valeur2_);
    s.addInt(modeDeJeu_);
    s.addInt(FORMAT);
    s.addRecord(optionsAIAdversaires_);
    s.addString(typeDePartie_.sauveValeursDansString(version));
    s.addRecord(optionsAIPartenaire_);
    s.addInt(genre_);
    s.addInt(penalites_);
    s.addDouble(delaiReponse_);
    s.addInt(collecteReponses_);
    if (version >= 2) {
        s.addInt(valeur6_);
        // Travels inside game events over the network and in game files: it
        // must not end the record or the line early.
        s.addString(GM_SpacesSeparatedString::sanitizeFreeText(texte7_));
        s.addLongLong(idPartie_);
    }
    return s.getString();
}

bool OptionsDePartie::operator==(const OptionsDePartie& o) const
{
    return valeur2_ == o.valeur2_ && idPreset_ == o.idPreset_
        && (idPreset_ != TypeDePartie::ID_PERSONALISE || typeDePartie_ == o.typeDePartie_) && charge_ == o.charge_
        && modeDeJeu_ == o.modeDeJeu_ && optionsAIAdversaires_.memesReglages(o.optionsAIAdversaires_)
        && optionsAIPartenaire_.memesReglages(o.optionsAIPartenaire_) && genre_ == o.genre_
        && penalites_ == o.penalites_ && delaiReponse_ == o.delaiReponse_
        && collecteReponses_ == o.collecteReponses_ && valeur6_ == o.valeur6_ && texte7_ == o.texte7_
        && idPartie_ == o.idPartie_;
}
