#include "ZB_RoomTable.h"

#include "DecisionsDeTable.h"
#include "DisplayA.h"
#include "GM_Exception.h"
#include "ZB_RoomTableOutils.h"
#include "ZB_VerrouEvenements.h"

#include <exception>

// ZB_RoomTable: undo and redo of the local player's moves.

using namespace ZB_RoomTableOutils;

namespace {

// The view mode of the display while the table is rebuilt: the user only
// watches.
constexpr int ModeVueAnnulation = 1;
// From the Belote pair's decision on, the match is decided: the states that
// follow are set by the table itself, then the end-of-game answers are asked
// for. The slate's pair seats are not shown there.
constexpr int PremierEtatMatchDecide = EtatDeJeu::PaireBeloteDecideMatch;

void avertitAnnulation(const QString& raison)
{
    avertit(QStringLiteral("ZB_RoomTable::annuler, the deal could not be rewound: %1").arg(raison));
}

} // namespace

int ZB_RoomTable::etatDuPliPrecedent(int etat) const
{
    return decisions_de_table::etatDuPliPrecedent(etat, m_typeDePartie.genre_);
}

QList<int> ZB_RoomTable::siegesStockAAfficher_()
{
    const int etat = getEtatCourant();
    const bool decide = etat >= PremierEtatMatchDecide;
    QList<int> sieges;
    for (int siege = 0; siege < NombreDeSieges; ++siege) {
        bool& affiche = m_stockAffiche[size_t(siege)];
        if (m_etatsBelote[size_t(siege)] != 2) {
            affiche = false;
            continue;
        }
        if (affiche)
            continue;
        // Announced once: a pair not shown before the match was decided is
        // not shown afterwards either.
        affiche = true;
        if (!decide)
            sieges << siege;
    }
    return sieges;
}

bool ZB_RoomTable::annuler(int cible, bool refaire)
{
    ListeDesEvenements* liste = m_listeDesEvenements;
    // A client only mirrors the server's table: rewound on its own it would
    // wait for moves the server played long ago.
    if (liste == nullptr || m_miroir)
        return false;

    ZB_VerrouEvenements<ListeDesEvenements> verrou(*liste);
    const int etat = getEtatCourant();
    if (!ZB_AnnulationDeTable::estAnnulable(etat) || liste->estReplayEnCours())
        return false;

    const std::optional<ZB_AnnulationDeTable::Plan> plan =
        m_annulation.planifie(etat, cible, refaire, m_typeDePartie.genre_);
    if (!plan.has_value())
        return false;

    // The deal as it stands, for an undo and to come back to it should the
    // rewind fail.
    QStringList actuels;
    QString raison;
    bool possible = false;
    try {
        const int local = getNoJoueurLocal();
        possible = ZB_AnnulationDeTable::evenementsDeLaDonne(*liste, local >= 0 ? local : int(SiegeTable), m_noTable,
                                                             actuels, raison);
    } catch (const GM_Exception& e) {
        raison = e.getMessage();
    }
    if (!possible) {
        verrou.unlock();
        avertitAnnulation(raison);
        return false;
    }
    // A copy: the replay runs the table, which may reach the histories.
    const QStringList aRejouer = m_annulation.aRejouer(*plan, actuels);

    if (m_display != nullptr)
        m_display->setModeVue(ModeVueAnnulation);
    // The match statistics belong to the match, which the reset would empty:
    // the deal is rebuilt on those of its snapshot, so that the moves undone
    // leave them and the moves replayed count once.
    const GM_GameStats avantDonne = m_statsAvantDonne;
    const auto remetAZero = [this, &avantDonne] {
        reinitialise(false);
        m_statsPartie = avantDonne;
    };
    bool rebati = false;
    try {
        rebati = ZB_AnnulationDeTable::rebatitJusqua(*liste, aRejouer, plan->cible, remetAZero);
        if (!rebati)
            raison = QStringLiteral("the replay stopped before state %1").arg(plan->cible);
    } catch (const GM_Exception& e) {
        raison = e.getMessage();
    } catch (const std::exception& e) {
        raison = QString::fromUtf8(e.what());
    }
    if (!rebati) {
        avertitAnnulation(raison);
        try {
            if (!ZB_AnnulationDeTable::rebatitJusqua(*liste, actuels, -1, remetAZero))
                avertitAnnulation(QStringLiteral("the deal could not be rebuilt as it stood"));
        } catch (const GM_Exception& e) {
            avertitAnnulation(e.getMessage());
        } catch (const std::exception& e) {
            avertitAnnulation(QString::fromUtf8(e.what()));
        }
    }
    // The replayed moves of the local player rebuilt the undo history below
    // the target, and emptied the redo history as live moves do.
    m_annulation.termine(*plan, rebati, actuels);
    verrou.unlock();

    // The seat that must act at the target is asked again, live: the table
    // is shown as played again first, so that the request finds a seated
    // user and not a spectator.
    if (m_display != nullptr)
        m_display->afficheTable();
    try {
        liste->flush();
    } catch (const GM_Exception& e) {
        avertitAnnulation(e.getMessage());
    } catch (const std::exception& e) {
        avertitAnnulation(QString::fromUtf8(e.what()));
    }
    if (m_display != nullptr)
        m_display->afficheBoutonsAnnuler(!m_annulation.historiqueAnnuler().isEmpty(),
                                         !m_annulation.historiqueRefaire().isEmpty());
    return rebati;
}
