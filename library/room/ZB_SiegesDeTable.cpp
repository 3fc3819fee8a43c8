#include "ZB_SiegesDeTable.h"

#include "DecisionsDeTable.h"
#include "EtatDeJeu.h"
#include "JoueurHumain.h"
#include "ZB_RoomTableOutils.h"

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <string>

namespace {

// Seats this machine's computer plays: a connecting client may take them.
bool estPlaceOffrable(int modeJeu)
{
    return modeJeu == Joueur::ModeOrdinateur || modeJeu == Joueur::ModeRemplacant
        || modeJeu == Joueur::ModeOrdinateurPartout;
}

} // namespace

using ZB_RoomTableOutils::estSiege;

ZB_SiegesDeTable::ZB_SiegesDeTable() = default;

ZB_SiegesDeTable::~ZB_SiegesDeTable() = default;

void ZB_SiegesDeTable::assoit(int siege, std::unique_ptr<JoueurHumain> joueur)
{
    if (!estSiege(siege))
        return;
    m_joueurs[size_t(siege)] = std::move(joueur);
}

void ZB_SiegesDeTable::libereJoueurs()
{
    for (std::unique_ptr<JoueurHumain>& joueur : m_joueurs)
        joueur.reset();
}

JoueurHumain& ZB_SiegesDeTable::joueurObligatoire(int siege) const
{
    JoueurHumain* assis = joueur(siege);
    if (assis == nullptr)
        throw std::out_of_range("no player on seat " + std::to_string(siege));
    return *assis;
}

std::array<JoueurHumain*, ZB_SiegesDeTable::NombreDeSieges> ZB_SiegesDeTable::joueurs() const
{
    std::array<JoueurHumain*, NombreDeSieges> joueurs{};
    for (size_t i = 0; i < joueurs.size(); ++i)
        joueurs[i] = m_joueurs[i].get();
    return joueurs;
}

int ZB_SiegesDeTable::siegeLocal() const
{
    for (int i = NombreDeSieges - 1; i >= 0; --i)
        if (joueur(i) != nullptr && joueur(i)->estJoueurManuel())
            return i;
    return -1;
}

QStringList ZB_SiegesDeTable::noms() const
{
    QStringList noms;
    for (const std::unique_ptr<JoueurHumain>& assis : m_joueurs)
        noms << (assis != nullptr ? assis->nomAffiche() : QString());
    return noms;
}

QStringList ZB_SiegesDeTable::nomsPropres() const
{
    QStringList noms;
    for (const std::unique_ptr<JoueurHumain>& assis : m_joueurs)
        if (assis != nullptr)
            noms << assis->options_.nom_;
    return noms;
}

int ZB_SiegesDeTable::premierSiegeDe(qint64 idJoueur) const
{
    for (int i = 0; i < NombreDeSieges; ++i)
        if (joueur(i) != nullptr && joueur(i)->options_.id_ == idJoueur)
            return i;
    return -1;
}

int ZB_SiegesDeTable::dernierSiegeDe(qint64 idJoueur) const
{
    for (int i = NombreDeSieges - 1; i >= 0; --i)
        if (joueur(i) != nullptr && joueur(i)->options_.id_ == idJoueur)
            return i;
    return -1;
}

bool ZB_SiegesDeTable::estOffrable(int siege) const
{
    const JoueurHumain* assis = joueur(siege);
    // The host's own seat stays the host's, even when this machine's
    // computer plays it (a host nobody watches).
    const bool deLHote = assis != nullptr && assis->options_.distant_ == 0
                      && (assis->options_.ordinateur_ == 0 || (m_idHote != -1 && assis->options_.id_ == m_idHote));
    return assis != nullptr && !deLHote && !aUneEntree(siege) && estPlaceOffrable(assis->modeJeu_);
}

int ZB_SiegesDeTable::compteSiegesLibres(int exclu) const
{
    int libres = 0;
    for (int i = 0; i < NombreDeSieges; ++i)
        if (i != exclu && estOffrable(i))
            ++libres;
    return libres;
}

int ZB_SiegesDeTable::siegeAPrendre() const
{
    auto premier = [this](std::initializer_list<int> modes) {
        for (int i = 0; i < NombreDeSieges; ++i)
            if (estOffrable(i) && std::find(modes.begin(), modes.end(), joueur(i)->modeJeu_) != modes.end())
                return i;
        return -1;
    };
    // A computer's seat first, then one whose player left; the host's own
    // seat is never offered (estOffrable).
    const int siege = premier({Joueur::ModeOrdinateur, Joueur::ModeOrdinateurPartout});
    return siege >= 0 ? siege : premier({Joueur::ModeRemplacant});
}

int ZB_SiegesDeTable::placeDeReconnexion(const OptionsDuJoueur& options) const
{
    // A client without an account is known by its id only: -1 would match
    // every computer.
    const qint64 compte = options.idCompte_;
    auto cherche = [this](auto estLui) {
        for (const QMap<int, OptionsDuJoueur>* entrees : {&m_entreesDonne, &m_entreesPli})
            for (auto it = entrees->cbegin(); it != entrees->cend(); ++it)
                if (estSiege(it.key()) && estLui(it.value()))
                    return it.key();
        return -1;
    };
    int siege = cherche([&options](const OptionsDuJoueur& o) { return o.id_ == options.id_; });
    if (siege < 0 && compte != -1)
        siege = cherche([compte](const OptionsDuJoueur& o) { return o.idCompte_ == compte; });
    auto remplace = [this](auto estLui) {
        for (int i = 0; i < NombreDeSieges; ++i) {
            const JoueurHumain* assis = joueur(i);
            if (assis != nullptr && assis->modeJeu_ == Joueur::ModeRemplacant && estLui(assis->options_))
                return i;
        }
        return -1;
    };
    if (siege < 0)
        siege = remplace([&options](const OptionsDuJoueur& o) { return o.id_ == options.id_; });
    if (siege < 0 && compte != -1)
        siege = remplace([compte](const OptionsDuJoueur& o) { return o.idCompte_ == compte; });
    return siege;
}

void ZB_SiegesDeTable::metEnAttente(Attente attente, int siege, const OptionsDuJoueur& options)
{
    if (!estSiege(siege))
        return;
    m_entreesDonne.remove(siege);
    m_entreesPli.remove(siege);
    entrees_(attente).insert(siege, options);
}

void ZB_SiegesDeTable::attendUnOrdinateur(int siege, const QString& nom)
{
    if (!estSiege(siege) || m_entreesDonne.contains(siege))
        return;
    OptionsDuJoueur ordinateur;
    ordinateur.nom_ = nom;
    ordinateur.ordinateur_ = 1;
    ordinateur.optionsAI_ = OptionsAI(0.25, 0.08, 0.5, 5000);
    ordinateur.id_ = OptionsDuJoueur::genereId();
    m_entreesDonne.insert(siege, ordinateur);
}

void ZB_SiegesDeTable::retireEntrees(qint64 idJoueur)
{
    auto retire = [idJoueur](QMap<int, OptionsDuJoueur>& entrees) {
        for (auto it = entrees.begin(); it != entrees.end();) {
            if (it.value().id_ == idJoueur)
                it = entrees.erase(it);
            else
                ++it;
        }
    };
    retire(m_entreesDonne);
    retire(m_entreesPli);
    for (auto it = m_etatsEntreesTraites.begin(); it != m_etatsEntreesTraites.end();) {
        if (it.value() == idJoueur)
            it = m_etatsEntreesTraites.erase(it);
        else
            ++it;
    }
}

QMap<int, OptionsDuJoueur> ZB_SiegesDeTable::prendEntrees()
{
    QMap<int, OptionsDuJoueur> joueurs = m_entreesPli;
    for (auto it = m_entreesDonne.cbegin(); it != m_entreesDonne.cend(); ++it)
        joueurs.insert(it.key(), it.value());
    m_entreesPli.clear();
    m_entreesDonne.clear();
    m_etatsEntreesTraites.clear();
    return joueurs;
}

bool ZB_SiegesDeTable::estEntreeAnnoncee(int etat) const
{
    const int siege = EtatDeJeu::premierNouveauJoueur(etat) >= 0 ? decisions_de_table::siegeDuGroupe(etat) : -1;
    const JoueurHumain* assis = joueur(siege);
    // A seat handed to the computer since then no longer waits.
    return assis != nullptr && assis->modeJeu_ == Joueur::ModeEnAttenteDEntree
        && m_etatsEntreesTraites.value(etat, -1) != -1;
}

bool ZB_SiegesDeTable::estMemeCompte(int siege) const
{
    return estSiege(siege) && m_memeCompte[size_t(siege)] != 0;
}

void ZB_SiegesDeTable::noteComptes()
{
    for (int i = 0; i < NombreDeSieges; ++i) {
        const JoueurHumain* assis = joueur(i);
        if (assis == nullptr)
            continue;
        const qint64 compte = assis->options_.idCompte_;
        m_memeCompte[size_t(i)] = compte == m_comptes[size_t(i)] ? 1 : 0;
        m_comptes[size_t(i)] = compte;
    }
}

void ZB_SiegesDeTable::changeCompte(int siege, qint64 idCompte)
{
    if (!estSiege(siege))
        return;
    m_memeCompte[size_t(siege)] = 0;
    m_comptes[size_t(siege)] = idCompte;
}

void ZB_SiegesDeTable::oublieSession()
{
    m_entreesDonne.clear();
    m_entreesPli.clear();
    m_etatsEntreesTraites.clear();
    m_memeCompte = {};
    m_comptes = {-1, -1, -1, -1};
}

void ZB_SiegesDeTable::noteExclusion(int siege, qint64 idJoueur)
{
    if (siege >= 0 && siege < NombreDeSieges)
        m_exclus[size_t(siege)] = idJoueur;
}

bool ZB_SiegesDeTable::estExclu(int siege, qint64 idJoueur) const
{
    return siege >= 0 && siege < NombreDeSieges && idJoueur != -1 && m_exclus[size_t(siege)] == idJoueur;
}
