#include "GM_GameStats.h"

#include "Annonce.h"
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "GM_SpacesSeparatedString.h"

#include <QMetaType>

GM_GameStats::GM_GameStats() = default;

GM_GameStats::~GM_GameStats() = default;

void GM_GameStats::chargeValeursDepuisString(const QString& text)
{
    // Read into a copy: a text refused half-way (a damaged snapshot in a
    // game file, a bad record from a peer) leaves this record as it was,
    // not with its identity replaced and its players gone.
    GM_GameStats lu(*this);
    GM_SpacesSeparatedString s(text);
    lu.typePartie_ = s.nextInt();
    lu.id1_ = s.nextLongLong();
    lu.indicateur_ = s.nextBool();
    const QString idTexte = s.nextString();
    if (!estTexteGenerateurValide(idTexte))
        GM_SpacesSeparatedString::throwCorrupted();
    lu.idTexte_ = idTexte;
    for (int& v : lu.valeurs_)
        v = s.nextInt();
    for (int& v : lu.valeurs2_)
        v = s.nextInt();
    lu.valeur3_ = s.nextInt();

    // Each entry takes at least two tokens, so a large count simply runs out
    // of text and fails; a negative one is refused outright.
    const int nombre = s.nextInt();
    if (nombre < 0)
        GM_SpacesSeparatedString::throwCorrupted();
    lu.m_statsPlayer.clear();
    for (int i = 0; i < nombre; ++i) {
        const qint64 cle = s.nextLongLong();
        s.nextRecord(lu.getPlayer(cle));
    }
    for (GM_GameStatsPlayer& equipe : lu.equipes_)
        s.nextRecord(equipe);

    if (s.hasOptionalField())
        lu.valeur4_ = s.nextInt();
    if (s.hasOptionalField())
        lu.id2_ = s.nextLongLong();
    *this = std::move(lu);
}

QString GM_GameStats::sauveValeursDansString() const
{
    GM_SpacesSeparatedString s;
    s.addInt(typePartie_);
    s.addLongLong(id1_);
    s.addBool(indicateur_);
    // The table only stores generator texts here; anything else is made
    // harmless rather than allowed to break the record.
    s.addString(estTexteGenerateurValide(idTexte_) ? idTexte_ : GM_SpacesSeparatedString::sanitizeFreeText(idTexte_));
    for (int v : valeurs_)
        s.addInt(v);
    for (int v : valeurs2_)
        s.addInt(v);
    s.addInt(valeur3_);
    s.addInt(int(m_statsPlayer.size()));
    for (auto it = m_statsPlayer.cbegin(); it != m_statsPlayer.cend(); ++it) {
        s.addLongLong(it.key());
        s.addRecord(it.value());
    }
    for (const GM_GameStatsPlayer& equipe : equipes_)
        s.addRecord(equipe);
    s.addInt(valeur4_);
    s.addLongLong(id2_);
    return s.getString();
}

void GM_GameStats::registerMetaType()
{
    qRegisterMetaType<GM_GameStats>("GM_GameStats");
}

void GM_GameStats::reset(const int& typePartie)
{
    valeurs2_ = {0, 0};
    valeur3_ = 0;
    m_statsPlayer.clear();
    typePartie_ = typePartie;
    for (GM_GameStatsPlayer& equipe : equipes_)
        equipe.reset(typePartie);
}

GM_GameStatsPlayer& GM_GameStats::getPlayer(qint64 databaseId)
{
    auto it = m_statsPlayer.find(databaseId);
    if (it == m_statsPlayer.end())
        it = m_statsPlayer.insert(databaseId, GM_GameStatsPlayer());
    return it.value();
}

void GM_GameStats::ajouteValeur(int equipe, qint64 joueur1, qint64 joueur2, const int& compteur, int montant)
{
    if (!GM_GameStatsPlayer::estCompteurValide(compteur) || equipe < 0 || equipe > 1)
        return;
    for (qint64 id : {joueur1, joueur2}) {
        GM_GameStatsPlayer& joueur = getPlayer(id);
        joueur.databaseId = id;
        joueur.typePartie_ = typePartie_;
        joueur.ajoute(compteur, montant);
    }
    equipes_[equipe].typePartie_ = typePartie_;
    equipes_[equipe].ajoute(compteur, montant);
}

bool GM_GameStats::estTexteGenerateurValide(const QString& texte)
{
    if (texte.contains(QLatin1Char('\n')) || texte.contains(QLatin1Char('\r')))
        return false;
    if (!texte.startsWith(QLatin1Char('{'))) {
        return !texte.contains(QLatin1Char('!')) && !texte.contains(QLatin1Char('{'))
            && !texte.contains(QLatin1Char('}'));
    }
    // One record text: the opening brace closes on the last character only.
    int profondeur = 0;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        if (texte.at(i) == QLatin1Char('{'))
            ++profondeur;
        else if (texte.at(i) == QLatin1Char('}') && --profondeur == 0)
            return i == texte.size() - 1;
    }
    return false;
}

bool GM_GameStats::operator==(const GM_GameStats& o) const
{
    return typePartie_ == o.typePartie_ && id1_ == o.id1_ && indicateur_ == o.indicateur_ && idTexte_ == o.idTexte_
        && valeurs_ == o.valeurs_ && valeurs2_ == o.valeurs2_ && valeur3_ == o.valeur3_ && valeur4_ == o.valeur4_
        && id2_ == o.id2_ && m_statsPlayer == o.m_statsPlayer && equipes_ == o.equipes_;
}

int indexStatsAnnonces(const AnnoncesJoueur& annonces)
{
    int index = 31;
    for (const Annonce& a : annonces.annonces_) {
        switch (a.type_) {
        case Annonce::TroisCartes: index = 6; break;
        case Annonce::QuatreCartes: index = 7; break;
        case Annonce::CinqCartesOuPlus: index = 8; break;
        case Annonce::Carre:
            switch (a.valeur_) {
            case Carte::Six: index = 15; break;
            case Carte::Sept: index = 16; break;
            case Carte::Huit: index = 17; break;
            case Carte::Neuf: index = 9; break;
            case Carte::Dix: index = 11; break;
            case Carte::Valet: index = 10; break;
            case Carte::Dame: index = 12; break;
            case Carte::Roi: index = 13; break;
            case Carte::As: index = 14; break;
            default: break;
            }
            break;
        default: break;
        }
    }
    return index;
}
