#include "TypeDePartie.h"

#include "GM_SpacesSeparatedString.h"

#include <QMutex>
#include <QMutexLocker>
#include <QCoreApplication>
#include <QObject>

#include <map>

TypeDePartie::TypeDePartie()
{
    multiplicateurs_.fill(1);
    multiplicateurs_[0] = 0;
}

TypeDePartie::~TypeDePartie() = default;

void TypeDePartie::chargeValeursDepuisString(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    defini_ = s.nextBool();
    // Read as it will be written again, so that a record survives a round trip.
    nom_ = GM_SpacesSeparatedString::sanitizeFreeText(s.nextString());
    pointsObjectif_ = s.nextInt();
    for (int& m : multiplicateurs_)
        m = s.nextInt();
    description_ = GM_SpacesSeparatedString::sanitizeFreeText(s.nextString());
    annonces_ = s.nextInt();
    roiDame_ = s.nextInt();
    contrat_ = s.nextInt();
    genre_ = s.nextInt();
    montantContrat_ = s.nextInt();
    arrondi_ = s.nextInt();
    distribution_ = s.nextInt();
    decompte_ = s.nextInt();
    septAnnuleDonne_ = s.nextInt();
    huitAnnuleAnnonces_ = s.nextInt();
    if (s.hasOptionalField())
        atoutAutomatique_ = s.nextInt();
    if (s.hasOptionalField())
        atoutImpose_ = s.nextBool();
}

QString TypeDePartie::sauveValeursDansString() const
{
    return sauveValeursDansString(VERSION_PROTOCOLE_ACTUELLE);
}

QString TypeDePartie::sauveValeursDansString(int version) const
{
    GM_SpacesSeparatedString s;
    s.addBool(defini_);
    // The custom type's name and description are typed by a user or sent by
    // a peer: keep them from breaking the record or a game file's line.
    s.addString(GM_SpacesSeparatedString::sanitizeFreeText(nom_));
    s.addInt(pointsObjectif_);
    for (int m : multiplicateurs_)
        s.addInt(m);
    s.addString(GM_SpacesSeparatedString::sanitizeFreeText(description_));
    s.addInt(annonces_);
    s.addInt(roiDame_);
    s.addInt(contrat_);
    s.addInt(genre_);
    s.addInt(montantContrat_);
    s.addInt(arrondi_);
    s.addInt(distribution_);
    s.addInt(decompte_);
    s.addInt(septAnnuleDonne_);
    s.addInt(huitAnnuleAnnonces_);
    if (version >= 2) {
        s.addInt(atoutAutomatique_);
        s.addBool(atoutImpose_);
    }
    return s.getString();
}

int TypeDePartie::getAtoutsPermis(std::array<bool, NOMBRE_MODES>& permis) const
{
    int nombre = 0;
    for (int i = 0; i < NOMBRE_MODES; ++i) {
        permis[i] = multiplicateurs_[i] >= 1;
        if (permis[i])
            ++nombre;
    }
    return nombre;
}

void TypeDePartie::copieDe(const TypeDePartie& o)
{
    if (this == &o)
        return;
    if (!nom_.isSharedWith(o.nom_))
        nom_ = o.nom_;
    if (!description_.isSharedWith(o.description_))
        description_ = o.description_;
    defini_ = o.defini_;
    pointsObjectif_ = o.pointsObjectif_;
    multiplicateurs_ = o.multiplicateurs_;
    annonces_ = o.annonces_;
    roiDame_ = o.roiDame_;
    contrat_ = o.contrat_;
    genre_ = o.genre_;
    montantContrat_ = o.montantContrat_;
    arrondi_ = o.arrondi_;
    distribution_ = o.distribution_;
    decompte_ = o.decompte_;
    septAnnuleDonne_ = o.septAnnuleDonne_;
    huitAnnuleAnnonces_ = o.huitAnnuleAnnonces_;
    atoutAutomatique_ = o.atoutAutomatique_;
    atoutImpose_ = o.atoutImpose_;
}

bool TypeDePartie::operator==(const TypeDePartie& o) const
{
    return nom_ == o.nom_ && pointsObjectif_ == o.pointsObjectif_ && defini_ == o.defini_
        && description_ == o.description_ && annonces_ == o.annonces_ && roiDame_ == o.roiDame_
        && contrat_ == o.contrat_ && genre_ == o.genre_ && montantContrat_ == o.montantContrat_
        && arrondi_ == o.arrondi_ && distribution_ == o.distribution_ && decompte_ == o.decompte_
        && septAnnuleDonne_ == o.septAnnuleDonne_ && huitAnnuleAnnonces_ == o.huitAnnuleAnnonces_
        && atoutAutomatique_ == o.atoutAutomatique_ && atoutImpose_ == o.atoutImpose_
        && multiplicateurs_ == o.multiplicateurs_;
}

namespace {

struct Preset
{
    int id;
    const char* nom;
    int objectif;
    std::array<int, TypeDePartie::NOMBRE_MODES> multiplicateurs;
    const char* description;
    int annonces, roiDame;
    int contrat, genre, montant, arrondi;
    int distribution, decompte;
    int atoutAutomatique;
    bool atoutImpose;
};

constexpr int X = -1; // a mode that may not be chosen
constexpr std::array<int, 12> kCouleurs = {0, 1, 1, 1, 1, X, X, X, X, X, X, X};
constexpr std::array<int, 12> kCouleursToutSans = {0, 1, 1, 1, 1, X, X, X, X, 1, 1, X};
constexpr const char* kHuit = QT_TRANSLATE_NOOP("QObject", "chaque huit vaut huit points");
constexpr const char* kImpose = QT_TRANSLATE_NOOP("QObject", "l'atout est imposé");

// Id 5 is absent: it depends on the kind and is added separately.
constexpr Preset kPresets[] = {
    {0, QT_TRANSLATE_NOOP("QObject", "Suisse romand"), 1000, kCouleurs, nullptr, 0, 1, 0, 0, -1, 1, 0, 0, 0, false},
    {1, QT_TRANSLATE_NOOP("QObject", "Suisse romand pique double"), 1500, {0, 1, 1, 2, 1, X, X, X, X, X, X, X},
     nullptr, 0, 1, 0, 0, -1, 1, 0, 0, 0, false},
    {2, QT_TRANSLATE_NOOP("QObject", "Suisse allemand"), 3000, {0, 2, 1, 2, 1, 3, 4, X, X, X, X, X}, kHuit, 0, 1, 0,
     0, -1, 1, 0, 0, 0, false},
    {3, QT_TRANSLATE_NOOP("QObject", "Suisse allemand zig zag"), 4000, {0, 2, 1, 2, 1, 3, 4, 5, 5, X, X, X}, kHuit, 0,
     1, 0, 0, -1, 1, 0, 0, 0, false},
    {4, QT_TRANSLATE_NOOP("QObject", "Suisse romand online"), 500, kCouleurs, nullptr, 2, 0, 0, 0, -1, 1, 0, 0, 0,
     false},
    {6, QT_TRANSLATE_NOOP("QObject", "Belote Classique"), 1000, kCouleurs, nullptr, 2, 2, 1, 1, 82, 1, 1, 0, 0, false},
    {7, QT_TRANSLATE_NOOP("QObject", "Belote Classique Online"), 500, kCouleurs, nullptr, 2, 0, 1, 1, 82, 1, 0, 0, 0,
     false},
    {8, QT_TRANSLATE_NOOP("QObject", "Belote Contrée"), 2000, kCouleurs, nullptr, 2, 2, 3, 1, 82, 10, 0, 2, 0, false},
    {9, QT_TRANSLATE_NOOP("QObject", "Belote Coinchée"), 3000, kCouleursToutSans, nullptr, 0, 2, 2, 1, 82, 10, 0, 2,
     0, false},
    {10, QT_TRANSLATE_NOOP("QObject", "Belote Vache"), 1000, kCouleurs, nullptr, 2, 2, 4, 1, 82, 10, 0, 0, 0, false},
    {11, QT_TRANSLATE_NOOP("QObject", "Belote Vache Online"), 500, kCouleurs, nullptr, 2, 0, 4, 1, 82, 1, 0, 0, 0,
     false},
    {12, QT_TRANSLATE_NOOP("QObject", "Belote Contrée Online"), 1000, kCouleurs, nullptr, 2, 0, 3, 1, 82, 1, 0, 2, 0,
     false},
    {13, QT_TRANSLATE_NOOP("QObject", "Belote Coinchée Online"), 1500, kCouleursToutSans, nullptr, 2, 0, 2, 1, 82, 1,
     0, 2, 0, false},
    {14, QT_TRANSLATE_NOOP("QObject", "Suisse romand tournoi court"), TypeDePartie::OBJECTIF_SANS_FIN, kCouleurs,
     kImpose, 2, 0, 0, 0, -1, 1, 0, 0, 1, true},
    {15, QT_TRANSLATE_NOOP("QObject", "Suisse romand tournoi long"), TypeDePartie::OBJECTIF_SANS_FIN, kCouleurs,
     kImpose, 2, 0, 0, 0, -1, 1, 0, 0, 2, true},
    {16, QT_TRANSLATE_NOOP("QObject", "Belote Vache Online"), 500, kCouleurs, nullptr, 2, 0, 4, 1, 82, 1, 0, 0, 0,
     true},
};

constexpr Preset kPersonaliseJass = {TypeDePartie::ID_PERSONALISE, QT_TRANSLATE_NOOP("QObject", "Personalisé"),
                                     1000, kCouleurs, nullptr, 0, 1, 0, 0, -1, 1, 0, 0, 0, false};
constexpr Preset kPersonaliseBelote = {TypeDePartie::ID_PERSONALISE, "Personalisé", 3000, kCouleursToutSans,
                                       nullptr, 0, 2, 1, 1, 82, 1, 1, 0, 0, false};

const Preset* presetDe(int id)
{
    if (id == TypeDePartie::ID_PERSONALISE)
        return &kPersonaliseJass;
    for (const Preset& p : kPresets)
        if (p.id == id)
            return &p;
    return nullptr;
}

void assignePreset(TypeDePartie& t, const Preset& p)
{
    t = TypeDePartie();
    t.defini_ = true;
    // The French texts themselves: the table outlives a change of language,
    // and whoever shows a name or a description translates it then.
    t.nom_ = QString::fromUtf8(p.nom);
    t.pointsObjectif_ = p.objectif;
    t.multiplicateurs_ = p.multiplicateurs;
    t.description_ = p.description ? QString::fromUtf8(p.description) : QString();
    t.annonces_ = p.annonces;
    t.roiDame_ = p.roiDame;
    t.contrat_ = p.contrat;
    t.genre_ = p.genre;
    t.montantContrat_ = p.montant;
    t.arrondi_ = p.arrondi;
    t.distribution_ = p.distribution;
    t.decompte_ = p.decompte;
    t.atoutAutomatique_ = p.atoutAutomatique;
    t.atoutImpose_ = p.atoutImpose;
}

struct TablePresets
{
    QMutex mutex;
    std::map<int, TypeDePartie> types; // node-based: references survive insertions
    bool construite = false;
    int genre = TypeDePartie::GenreJass;

    void construit_unlocked(int g)
    {
        for (const Preset& p : kPresets)
            assignePreset(types[p.id], p);
        assignePreset(types[TypeDePartie::ID_PERSONALISE],
                      g == TypeDePartie::GenreBelote ? kPersonaliseBelote : kPersonaliseJass);
        genre = g;
        construite = true;
    }
};

TablePresets& tablePresets()
{
    static TablePresets table;
    return table;
}

} // namespace

void TypeDePartie::initTypesDePartie(int genre, bool force)
{
    TablePresets& table = tablePresets();
    QMutexLocker lock(&table.mutex);
    if (table.construite && table.genre == genre && !force)
        return;
    table.construit_unlocked(genre);
}

TypeDePartie& TypeDePartie::getTypeDePartie(int id)
{
    TablePresets& table = tablePresets();
    QMutexLocker lock(&table.mutex);
    if (!table.construite)
        table.construit_unlocked(GenreJass);
    return table.types[id];
}

QString TypeDePartie::nomTraduit(int id)
{
    const Preset* p = presetDe(id);
    return p != nullptr ? QObject::tr(p->nom) : QString();
}

QString TypeDePartie::nomDansListe(int id)
{
    const Preset* p = presetDe(id);
    if (p == nullptr)
        return QString();
    const QString nom = QObject::tr(p->nom);
    for (const Preset& autre : kPresets)
        if (autre.id != p->id && qstrcmp(autre.nom, p->nom) == 0 && p->atoutImpose && !autre.atoutImpose)
            return QObject::tr("%1 (tournoi)").arg(nom);
    return nom;
}

QString TypeDePartie::descriptionAffichee() const
{
    // A preset's description is its French text; a text of elsewhere (a
    // custom type, a peer's) has no translation and stays as it is.
    return description_.isEmpty() ? description_ : QCoreApplication::translate("QObject", description_.toUtf8().constData());
}

QString TypeDePartie::descriptionTraduite(int id)
{
    const Preset* p = presetDe(id);
    return p != nullptr && p->description != nullptr ? QObject::tr(p->description) : QString();
}
