#include "ZB_RoomTable.h"

#include "DecisionsDeTable.h"
#include "DisplayA.h"
#include "GM_Exception.h"
#include "Partie.h"
#include "ZB_RoomTableOutils.h"
#include "ZB_VerrouEvenements.h"

#include <exception>

// ZB_RoomTable: undo and redo of the local player's moves.

using namespace ZB_RoomTableOutils;

namespace {

// The view mode of the display while the table is rebuilt: the user only
// watches.
constexpr int ModeVueAnnulation = 1;
// An undo needs the deal's snapshot, taken before the first deal request.
constexpr int PremierEtatAnnulable = EtatDeJeu::AttendDistribue1;
// From the Belote pair's decision on, the match is decided: the states that
// follow are set by the table itself, then the end-of-game answers are asked
// for. Neither the slate's pair seats nor an undo go there.
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

bool ZB_RoomTable::evenementsDeLaDonne_(QStringList& evenements, QString& raison) const
{
    evenements.clear();
    QByteArray bloc;
    const int local = getNoJoueurLocal();
    m_listeDesEvenements->getReplay(bloc, EvenementDeJeu::RsI, local >= 0 ? local : int(SiegeTable), m_noTable);

    bool snapshot = false;
    std::array<bool, 4> inscrits{};
    QString reste = QString::fromUtf8(bloc);
    while (!reste.isEmpty()) {
        EvenementDeJeu ev;
        QString suite;
        if (!ev.fromString(reste, suite) || suite.size() >= reste.size()) {
            raison = QStringLiteral("the record holds a text that does not read");
            return false;
        }
        reste = suite;
        if (ev.type_ == EvenementDeJeu::RsV || ev.type_ == EvenementDeJeu::RsI || ev.type_ == EvenementDeJeu::ReE)
            continue;
        if (ev.type_ == EvenementDeJeu::Enr)
            snapshot = true;
        if (ev.type_ == EvenementDeJeu::InJ && EtatDeJeu::estInscriptionJoueur(ev.etat_))
            inscrits[size_t(ev.etat_ - EtatDeJeu::InscriptionJoueur0)] = true;
        ev.valide_ = true;
        evenements << ev.toString(m_listeDesEvenements->version_);
    }
    // The snapshot carries the deal generator: without it the replay would
    // deal other cards.
    if (!snapshot) {
        raison = QStringLiteral("the record holds no snapshot of the deal");
        return false;
    }
    for (bool inscrit : inscrits) {
        if (!inscrit) {
            raison = QStringLiteral("a seat has no inscription in the record");
            return false;
        }
    }
    return true;
}

bool ZB_RoomTable::rebatitJusqua_(const QStringList& evenements, int cible)
{
    ListeDesEvenements* liste = m_listeDesEvenements;
    QStringList lignes(QString::fromLatin1(ListeDesEvenements::VersionDuFichier));
    int premierEtat = ListeDesEvenements::NombreEtats;
    for (const QString& texte : evenements) {
        EvenementDeJeu ev;
        QString reste;
        if (!ev.fromString(texte, reste))
            return false;
        if (cible >= 0 && ev.etat_ >= cible)
            continue;
        ev.valide_ = true;
        // An undo replays at once and unseen, and no seat answers what it replays.
        ev.mode_ = EvenementDeJeu::ModeRejeuImmediat;
        lignes << ev.toString(liste->version_);
        premierEtat = qMin(premierEtat, ev.etat_);
    }
    if (lignes.size() < 2)
        return false;

    // The reset keeps the players' records, the match options and the
    // game type; the snapshot in the replayed lines brings back the deal
    // generator, the scores and the request number, and the inscriptions
    // seat the same players again, so the same cards are dealt.
    reinitialise(false);
    // The record starts with the game inscription (state 1) when the room
    // wrote one, else with the players' inscriptions.
    liste->recommence(premierEtat);
    liste->replay(lignes, SiegeTable, false, -1, nullptr);
    const int dernierEtat = liste->getDernierEvenement().etat_;
    liste->flush_unlocked();
    return !liste->estReplayEnCours() && liste->getEtatExecute() == dernierEtat;
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
    if (etat < PremierEtatAnnulable || etat >= PremierEtatMatchDecide || liste->estReplayEnCours())
        return false;

    int etatCible = -1;
    QMap<int, int> refaireApres = m_historiqueRefaire;
    if (refaire) {
        if (m_evenementsRefaire.isEmpty()) {
            refaireApres.clear();
        } else if (cible >= 0) {
            etatCible = cible;
        } else {
            // The nearest state left by an undo, so that redo retraces the
            // undos one at a time.
            const auto suivant = refaireApres.upperBound(etat);
            if (suivant != refaireApres.end())
                etatCible = suivant.key();
        }
        if (refaireApres.isEmpty() || etatCible <= etat || etatCible > refaireApres.lastKey())
            return false;
        // Ordered by state: the states now reached come first.
        for (auto it = refaireApres.begin(); it != refaireApres.end() && it.key() <= etatCible;)
            it = refaireApres.erase(it);
    } else {
        etatCible = cible >= 0 ? cible
                  : !m_historiqueAnnuler.isEmpty() ? m_historiqueAnnuler.lastKey()
                                                   : EtatDeJeu::AttendAtout;
        if ((etatCible >= etat || etatCible == EtatDeJeu::AttendAtout) && etat >= EtatDeJeu::Tour1_AttendCarte1)
            etatCible = etatDuPliPrecedent(etat);
        if (etatCible >= etat || etatCible < PremierEtatAnnulable)
            return false;
        refaireApres.insert(etat, etat);
    }

    // The deal as it stands, for an undo and to come back to it should the
    // rewind fail.
    QStringList actuels;
    QString raison;
    bool possible = false;
    try {
        possible = evenementsDeLaDonne_(actuels, raison);
    } catch (const GM_Exception& e) {
        raison = e.getMessage();
    }
    if (!possible) {
        verrou.unlock();
        avertitAnnulation(raison);
        return false;
    }
    const QStringList& aRejouer = refaire ? m_evenementsRefaire : actuels;

    if (m_display != nullptr)
        m_display->setModeVue(ModeVueAnnulation);
    // The match statistics belong to the match, which the reset would empty.
    const GM_GameStats statistiques = m_statsPartie;
    // The replayed moves empty the redo history as live moves do.
    const QMap<int, int> refaireAvant = m_historiqueRefaire;
    bool rebati = false;
    try {
        rebati = rebatitJusqua_(aRejouer, etatCible);
        if (!rebati)
            raison = QStringLiteral("the replay stopped before state %1").arg(etatCible);
    } catch (const GM_Exception& e) {
        raison = e.getMessage();
    } catch (const std::exception& e) {
        raison = QString::fromUtf8(e.what());
    }
    if (rebati) {
        // The replayed moves of the local player rebuilt the undo history
        // below the target; the moves now undone wait in the redo history.
        if (!refaire && refaireAvant.isEmpty())
            m_evenementsRefaire = actuels;
        m_historiqueRefaire = refaireApres;
    } else {
        avertitAnnulation(raison);
        try {
            if (!rebatitJusqua_(actuels, -1))
                avertitAnnulation(QStringLiteral("the deal could not be rebuilt as it stood"));
        } catch (const GM_Exception& e) {
            avertitAnnulation(e.getMessage());
        } catch (const std::exception& e) {
            avertitAnnulation(QString::fromUtf8(e.what()));
        }
        m_historiqueRefaire = refaireAvant;
    }
    if (m_historiqueRefaire.isEmpty())
        m_evenementsRefaire.clear();
    m_statsPartie = statistiques;
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
        m_display->afficheBoutonsAnnuler(!m_historiqueAnnuler.isEmpty(), !m_historiqueRefaire.isEmpty());
    return rebati;
}
