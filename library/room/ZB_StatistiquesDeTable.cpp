#include "ZB_StatistiquesDeTable.h"

#include "AnnoncesJoueur.h"
#include "GM_GameStats.h"
#include "JoueurHumain.h"
#include "ZB_PointsA.h"
#include "ZB_RoomTableOutils.h"

#include <utility>

using namespace ZB_RoomTableOutils;

ZB_StatistiquesDeTable::ZB_StatistiquesDeTable(GM_GameStats& stats, CleDeSiege cle)
    : stats_(stats)
    , cle_(std::move(cle))
{
}

void ZB_StatistiquesDeTable::resultatsPli(const ZB_PointsDonne& resultat)
{
    if (resultat.derniersPlis_[0] == 0 && resultat.derniersPlis_[1] == 0)
        return;
    for (int equipe = 0; equipe < 2; ++equipe) {
        const qint64 joueur1 = cle_(equipe);
        const qint64 joueur2 = cle_(equipe + 2);
        const int score = resultat.getScore(equipe);
        const int annonces = resultat.pointsAnnonces_[equipe] + resultat.pointsAnnoncesPris_[equipe];
        stats_.ajouteValeur(equipe, joueur1, joueur2, JoueurHumain::StatsPointsPlis, score - annonces);
        if (annonces != 0)
            stats_.ajouteValeur(equipe, joueur1, joueur2, JoueurHumain::StatsPointsAnnonces, annonces);
        stats_.ajouteValeur(equipe, joueur1, joueur2, StatsPointsEquipe0 + equipe, score);
        if (resultat.match_[equipe] != 0)
            stats_.ajouteValeur(equipe, joueur1, joueur2, JoueurHumain::StatsMatchs, 1);
        if (resultat.chute_[equipe] != 0)
            stats_.ajouteValeur(equipe, joueur1, joueur2, JoueurHumain::StatsDedans, 1);
        stats_.valeurs2_[size_t(equipe)] += score;
    }
}

void ZB_StatistiquesDeTable::annoncesDecidees(int siegeMeilleur, const AnnoncesJoueur& meilleur, int siegePartenaire,
                                              const AnnoncesJoueur& partenaire, int credit)
{
    if (!estSiege(siegeMeilleur) || !estSiege(siegePartenaire))
        return;
    const int equipe = siegeMeilleur % 2;
    const qint64 cleMeilleur = cle_(siegeMeilleur);
    const qint64 clePartenaire = cle_(siegePartenaire);
    stats_.ajouteValeur(equipe, cleMeilleur, clePartenaire, JoueurHumain::StatsPointsAnnonces, credit);
    stats_.ajouteValeur(equipe, cleMeilleur, clePartenaire, StatsPointsEquipe0 + equipe, credit);
    stats_.valeurs2_[size_t(equipe)] += credit;

    // Index 31 (nothing announced) is no counter: ajoute ignores it.
    const int indexMeilleur = indexStatsAnnonces(meilleur);
    stats_.getPlayer(cleMeilleur).ajoute(indexMeilleur, 1);
    stats_.equipes_[size_t(equipe)].ajoute(indexMeilleur, 1);
    stats_.getPlayer(clePartenaire).ajoute(indexStatsAnnonces(partenaire), 1);
}

void ZB_StatistiquesDeTable::annoncesFinDeDonne(const std::array<AnnoncesJoueur, 4>& annonces,
                                                const std::array<int, 4>& sieges, int nombre)
{
    // Confirmed announcements were counted when they were decided and have
    // left the slots.
    for (int slot = 0; slot < qMin(nombre, 4); ++slot) {
        const int siege = sieges[size_t(slot)];
        const int index = indexStatsAnnonces(annonces[size_t(slot)]);
        if (estSiege(siege) && GM_GameStatsPlayer::estCompteurValide(index))
            stats_.getPlayer(cle_(siege)).ajoute(index, 1);
    }
}

void ZB_StatistiquesDeTable::accordeAuScore(int t0, int t1)
{
    const int scores[2] = {t0, t1};
    for (int equipe = 0; equipe < 2; ++equipe) {
        const int ecart = scores[equipe] - stats_.valeurs2_[size_t(equipe)];
        if (ecart == 0)
            continue;
        const qint64 joueur1 = cle_(equipe);
        const qint64 joueur2 = cle_(equipe + 2);
        stats_.ajouteValeur(equipe, joueur1, joueur2, JoueurHumain::StatsPointsPlis, ecart);
        stats_.ajouteValeur(equipe, joueur1, joueur2, StatsPointsEquipe0 + equipe, ecart);
        stats_.valeurs2_[size_t(equipe)] += ecart;
    }
}

bool ZB_StatistiquesDeTable::finDeMatch(int t0, int t1)
{
    accordeAuScore(t0, t1);
    const bool egalite = t0 == t1;
    const int gagnante = t1 <= t0 ? 0 : 1;
    stats_.valeurs_[1] = qMax(t0, t1);
    // Each seat's entry is made here when play did not make it (a match
    // without a trick counted).
    for (int siege = 0; siege < 4; ++siege) {
        const qint64 cle = cle_(siege);
        GM_GameStatsPlayer& entree = stats_.getPlayer(cle);
        entree.databaseId = cle;
        entree.typePartie_ = stats_.typePartie_;
        auto points = [&entree](int equipe) { return entree.compteurs_[size_t(StatsPointsEquipe0 + equipe)]; };
        auto part = [this, &points](int equipe) {
            const int total = stats_.valeurs2_[size_t(equipe)];
            return total == 0 ? 0.0 : double(points(equipe)) / double(total);
        };
        entree.valeur_ = egalite ? part(0) + part(1) : part(gagnante);
        const int equipe = siege % 2;
        // Set for a player who did not play the whole match for its team.
        entree.indicateur_ = points(equipe) != stats_.valeurs2_[size_t(equipe)];
        stats_.equipes_[size_t(equipe)].indicateur_ = entree.indicateur_;
    }
    return !stats_.m_statsPlayer.isEmpty();
}

bool ZB_StatistiquesDeTable::debutDeMatch()
{
    if (stats_.id1_ == -1 || stats_.valeur3_ != 0 || stats_.m_statsPlayer.isEmpty())
        return false;
    stats_.valeur3_ = 1;
    return true;
}

void ZB_StatistiquesDeTable::reprendCliche(const GM_GameStats& cliche)
{
    if (cliche.typePartie_ == 0)
        return;
    stats_.idTexte_ = cliche.idTexte_;
    stats_.valeurs2_ = cliche.valeurs2_;
    stats_.m_statsPlayer = cliche.m_statsPlayer;
    stats_.equipes_ = cliche.equipes_;
}
