#pragma once

// A headless match for tests and benchmarks: one table in a small stand-in
// for the room, which owns the table's list, starts the match with the game
// inscription, moves the state on after each step with the room's jumps,
// ends each deal, and checks every card before the table sees it.

#include "Carte.h"
#include "EvenementDeJeu.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "PasDeSalle.h"
#include "Partie.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_RoomTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QEventLoop>
#include <QTimer>

#include <array>
#include <memory>
#include <set>

namespace match_sans_tete {


// Stands in for the room: owns the table's list, starts the match with the
// game inscription, moves the state on after each step with the room's
// jumps, ends each deal, and checks every card before the table sees it.
class SalleDeMatch : public QObject, public ListeDesEvenements::Executor
{
public:
    ListeDesEvenements liste{this, 0};
    ZB_RoomTable* table = nullptr;
    int cartesIllegales = 0;
    int cartesEnDouble = 0;
    int donnesTerminees = 0;
    int redistributions = 0;
    int finsDeMatch = 0;
    int confirmations = 0;
    int mises = 0;
    QList<int> cartesParDonne;
    std::set<int> cartesDeLaDonne;
    QString erreur;
    // Decisions of the seats (trump, bid, announcements, card) and the time
    // from each request to its answer.
    int decisions = 0;
    qint64 tempsDecisionsNs = 0;
    QElapsedTimer horloge;
    qint64 debutDemandeNs = -1;

    SalleDeMatch() { horloge.start(); }

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override
    {
        if (!ev.valide_)
            return false;
        if (ev.type_ == EvenementDeJeu::InP) {
            OptionsDePartie options;
            options.chargeValeursDepuisString(ev.texte_);
            table->nouvellePartie(ZB_RoomTable::ReseauLocal, options);
            return true;
        }
        if (ev.type_ == EvenementDeJeu::Ajo && ev.etat_ == liste.getEtatAttendu())
            verifieCarte(ev);
        if (ev.type_ == EvenementDeJeu::Chm)
            ++mises;
        if (debutDemandeNs >= 0 && EvenementDeJeu::estEnDirect(ev.mode_)
            && (ev.type_ == EvenementDeJeu::Ajo || ev.type_ == EvenementDeJeu::Cho || ev.type_ == EvenementDeJeu::Chm
                || ev.type_ == EvenementDeJeu::Ann)) {
            ++decisions;
            tempsDecisionsNs += horloge.nsecsElapsed() - debutDemandeNs;
            debutDemandeNs = -1;
        }
        return table->cb_executeUnEvenement(ev);
    }
    void envoieEvenement(const EvenementDeJeu&) override {}
    void continueLeJeu(int mode, double* delaiMs, int, bool force) override
    {
        const int etat = liste.getEtatAttendu();
        if (etat >= EtatDeJeu::QuestionNouvellePartie)
            return;
        // The new-player states nobody waits for are skipped.
        int suivant = pas_de_salle::etatSuivant(*table, liste, etat, true,
                                                pas_de_salle::Entrees::SiAttenduesOuEnQueue);
        if (etat == EtatDeJeu::AttendMise4_4) {
            // Every seat passed: the deal is redone.
            ++redistributions;
        } else if (etat == EtatDeJeu::Tour9_AttendRamasseTas4) {
            // End of the round: the deal's points join the match.
            ++donnesTerminees;
            cartesParDonne << int(cartesDeLaDonne.size());
            cartesDeLaDonne.clear();
            table->termineDonne(false);
            suivant = EtatDeJeu::InscriptionJoueur0;
        }
        if (suivant == EtatDeJeu::Tour1_AttendConfirmationAnnonces1)
            ++confirmations;
        if (suivant == EtatDeJeu::FinDePartie)
            ++finsDeMatch;
        liste.setEtatAttendu(suivant);
        const bool decision = (suivant >= EtatDeJeu::AttendMise1_1 && suivant <= EtatDeJeu::AttendAnnonce4)
                             || JoueurHumain::estEtatDeJeuDeCarte(suivant);
        if (decision && mode == 0)
            debutDemandeNs = horloge.nsecsElapsed();
        try {
            table->continueLeJeu(mode, delaiMs, false, force);
        } catch (const std::exception& e) {
            erreur = QStringLiteral("state %1: %2").arg(suivant).arg(QString::fromUtf8(e.what()));
            throw;
        }
    }
    void noteActiviteJoueur(const EvenementDeJeu&) override {}
    bool peutContinuer(int&, int) override { return true; }

private:
    void verifieCarte(const EvenementDeJeu& ev)
    {
        const QSharedPointer<Partie> partie = table->getPartie();
        const JoueurHumain* joueur = table->getJoueur(ev.noJoueur_);
        if (partie.isNull() || joueur == nullptr)
            return;
        for (const Carte* carte : joueur->main_) {
            if (carte->toString() != ev.texte_)
                continue;
            if (!cartesDeLaDonne.insert(carte->getIndex()).second)
                ++cartesEnDouble;
            if (ev.noJoueur_ != partie->noDuProchainAJouer_
                || !Partie::estCodeJouable(partie->estCarteValide(carte, ev.noJoueur_, joueur->main_)))
                ++cartesIllegales;
            return;
        }
        ++cartesIllegales;
    }
};

// combinaisons -1 keeps the default strength.
inline OptionsDuJoueur ordinateur(int siege, int combinaisons = 30)
{
    OptionsDuJoueur j;
    j.nom_ = QStringLiteral("IA%1").arg(siege);
    j.id_ = 700 + siege;
    j.distant_ = 0;
    j.ordinateur_ = 1;
    if (combinaisons > 0)
        j.optionsAI_.nbrCombinations_ = combinaisons;
    return j;
}

// The local user, answering by hand.
inline OptionsDuJoueur humain(int siege)
{
    OptionsDuJoueur j;
    j.nom_ = QStringLiteral("Vous");
    j.id_ = 800 + siege;
    j.distant_ = 0;
    j.ordinateur_ = 0;
    return j;
}

// One table in its fake room, started the way the room starts a game: the
// game inscription, then the four seats' inscriptions.
struct Banc {
    SalleDeMatch salle;
    ZB_DisplayEmpty display;
    std::unique_ptr<ZB_RoomTable> table;

    // affichage: the screen the table drives (null: none).
    explicit Banc(bool modeSimple, DisplayA* affichage = nullptr)
        : table(std::make_unique<ZB_RoomTable>(nullptr, modeSimple, false))
    {
        salle.table = table.get();
        salle.liste.sansDelai_ = true;
        table->initialise(nullptr, nullptr, 0, affichage ? affichage : &display, &salle.liste, true, QString(),
                          QString(), false);
    }

    void demarre(const OptionsDePartie& options, quint32 graine, int combinaisons = 30)
    {
        std::array<OptionsDuJoueur, 4> joueurs;
        for (int siege = 0; siege < 4; ++siege)
            joueurs[size_t(siege)] = ordinateur(siege, combinaisons);
        demarre(options, graine, joueurs);
    }

    // The same with the seats' own records (a local user at a seat).
    void demarre(const OptionsDePartie& options, quint32 graine, const std::array<OptionsDuJoueur, 4>& joueurs)
    {
        table->settingsPartie().random_.initialise(graine);
        QMutexLocker verrou(salle.liste.getMutex());
        salle.liste.setEtatAttendu(EtatDeJeu::AttendInscriptionPartie);
        EvenementDeJeu inscription(EvenementDeJeu::InP, options.sauveValeursDansString(), ZB_RoomTable::SiegeTable,
                                   EtatDeJeu::AttendInscriptionPartie, EvenementDeJeu::Local_Table, -1, 0, -1, 0,
                                   ZB_ICI);
        salle.liste.execute_unlocked(-1, inscription, false);
        for (int siege = 0; siege < 4; ++siege) {
            const OptionsDuJoueur& joueur = joueurs[size_t(siege)];
            EvenementDeJeu ev(EvenementDeJeu::InJ, joueur.sauveValeursDansString(), ZB_RoomTable::SiegeTable,
                              2 + siege, EvenementDeJeu::Local_Table, joueur.id_, 0, -1, 0, ZB_ICI);
            salle.liste.execute_unlocked(-1, ev, false);
        }
        salle.liste.flush_unlocked();
    }

    // Runs the event loop until the match asks for a new game; fails with
    // the last state after 30 s without an executed event.
    bool attendFin(QString& pourquoi)
    {
        QElapsedTimer inactif;
        inactif.start();
        int derniers = -1;
        while (!salle.liste.attend(EtatDeJeu::QuestionNouvellePartie) && salle.erreur.isEmpty()) {
            // Sleeps in the event loop while the computer players think.
            QEventLoop boucle;
            QTimer::singleShot(1, &boucle, &QEventLoop::quit);
            boucle.exec();
            const int executes = salle.liste.getExecutes().blockCount();
            if (executes != derniers) {
                derniers = executes;
                inactif.restart();
            } else if (inactif.elapsed() > 30000) {
                pourquoi = QStringLiteral("no progress for 30 s in state %1").arg(salle.liste.getEtatAttendu());
                return false;
            }
        }
        pourquoi = salle.erreur;
        return salle.erreur.isEmpty();
    }

    int total(int equipe) const
    {
        return table->getSettingsPartie().scores_[size_t(equipe)] + table->totalDonne(equipe);
    }
};

inline OptionsDePartie optionsDuPreset(int genre, int idPreset)
{
    TypeDePartie::initTypesDePartie(genre);
    OptionsDePartie options(genre);
    options.idPreset_ = idPreset;
    return options;
}

} // namespace match_sans_tete
