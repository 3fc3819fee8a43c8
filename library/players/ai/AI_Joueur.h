#pragma once

#include "AI_BetBelote.h"
#include "Joueur.h"
#include "OptionsDuJoueur.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_StatusMise.h"

#include <QDateTime>
#include <QThread>

#include <atomic>
#include <climits>
#include <memory>

class AI_ProbaSimplifiee;
class GM_KnuthRandom;
class ZB_AnalyseJoueurA;

// The computer player. Trump, bids and announcements are decided at once on
// the caller's thread; the card is searched on a worker thread so that the
// table's event loop never waits. Every answer is an event posted to the
// table; a search that fails posts a ZB_AIError instead of a card.
class AI_Joueur : public Joueur, private Joueur::Cb_CarteConseil
{
public:
    // The card search: samples the hidden hands many times and judges every
    // legal card on each sample with evaluation threads.
    class Thread : public QThread
    {
    public:
        // What one search did, for benchmarks and the analysis window.
        struct Statistiques
        {
            int iterations = 0;    // sampled deals
            qint64 evaluations = 0;
            qint64 parties = 0;    // random play-outs finished
            qint64 noeuds = 0;     // tree nodes built
            qint64 tirages = 0;    // draws in play-outs
        };

        Thread();
        ~Thread() override;

        // Sets up a request; the thread must not be running.
        void prepare(const Partie& partie, int joueurAtout, const EnsembleDeCartes& main,
                     Joueur::Cb_CarteConseil* callback, const StatusAtout& atout);
        // Raises the stop flag and waits for the search to end.
        void arrete();

        // Sampled deals for a strength: NbrCombinations / 1000 rounded half
        // away from zero, 0 in simple mode; never below 0 and bounded above,
        // since the strength comes from a file or a peer and an unbounded one
        // would hold the seat (and the table waiting for it) for hours.
        static int nombreDIterations(double nbrCombinations, bool modeSimple);
        static constexpr int ITERATIONS_MAX = 1000;
        // The evaluations run side by side: the configured count, else the
        // machine's; 2 when that is unknown.
        int nombreDeFilsEffectif() const;
        // The opening lead in trump of a player whose side chose it (null when
        // the rule does not apply or the hand has no trump).
        static Carte* ouvertureAtout(const Partie& partie, const EnsembleDeCartes& candidats, int noJoueur,
                                     int joueurAtout, const StatusAtout& atout);

        Statistiques getStatistiques() const { return statistiques_; }

        OptionsDuJoueur options_;
        int noJoueur_ = 0;
        int noPartenaire_ = 2;
        ZB_AnalyseJoueurA* analyse_ = nullptr;
        // Borrowed from the player, which owns them and stops the search
        // before it replaces or frees them.
        AI_ProbaSimplifiee* modele_ = nullptr;
        GM_KnuthRandom* generateur_ = nullptr;
        Partie partie_;
        int joueurAtout_ = 4;
        EnsembleDeCartes main_; // copied: the player's hand may change while the search runs
        Joueur::Cb_CarteConseil* callback_ = nullptr;
        std::atomic<bool> stop_{false};
        QDateTime debut_;
        bool modeSimple_ = false;
        StatusAtout atout_;
        int nombreDeFils_ = 0; // 0: the machine's ideal thread count
        // Play-outs draw from per-evaluation streams seeded, in card order on
        // the search thread, from the player's generator instead of locking
        // it for every draw: the card does not depend on the thread count,
        // and a match replays the same from the same seeds.
        bool fluxPrives_ = true;

    protected:
        void run() override;

    private:
        Carte* cherche(bool& erreur);
        Statistiques statistiques_;
    };

    AI_Joueur();
    ~AI_Joueur() override;

    void initialise(DisplayA* display, const OptionsDuJoueur& options, QObject* destinataire, int noJoueur,
                    const TypeDePartie& typeDePartie, bool modeSimple = false);

    ZB_OPERATIONS_DE_JOUEUR

    // A new deal.
    virtual void reinitialise();
    // The requests: each answers with a posted event, the card from the
    // worker thread.
    virtual void demande_ChoisitAtout_(const StatusAtout& demande);
    virtual void demande_Annonce_(int modeAtout);
    virtual void demande_Carte_(QSharedPointer<Partie> partie, int joueurAtout, const EnsembleDeCartes& main,
                                const StatusAtout& atout);
    virtual void demande_ActionDistribue_();
    virtual void demande_ActionRamasser_();
    virtual void demande_ChoisitMise_(const ZB_StatusMise& mise);
    virtual void demande_ActionFinDePartie_(bool gagne, bool egalite, bool enLigne);

    // Waits for the running search, if any; false when the time ran out.
    bool attendRecherche(unsigned long millisecondes = ULONG_MAX);
    bool rechercheEnCours() const { return thread_.isRunning(); }
    // Evaluations run side by side (0: the machine's ideal thread count).
    void setNombreDeFils(int nombre) { thread_.nombreDeFils_ = nombre; }
    // Play-outs draw from private streams seeded from the player's
    // generator (the default): no lock per draw, and the same card whatever
    // the number of threads. Off, every draw locks the shared generator and
    // the draws of parallel evaluations interleave as the threads run.
    void setFluxPrives(bool prives) { thread_.fluxPrives_ = prives; }
    const Thread& getThread() const { return thread_; }
    AI_ProbaSimplifiee* getProbabilites() const { return modele_.get(); }
    GM_KnuthRandom* getGenerateur() const { return generateur_.get(); }
    bool estModeSimple() const { return modeSimple_; }
    bool estEnAction() const { return enAction_; }
    const Carte* getCarteRetournee() const { return carteRetournee_; }
    const ZB_StatusMise& getPremiereMiseEquipe() const { return premiereMiseEquipe_; }
    const ZB_StatusMise& getDerniereMiseEquipe() const { return derniereMiseEquipe_; }
    const TypeDePartie& getTypeDePartie() const { return typeDePartie_; }

    // Takes over another substitute's search state: generator, simple mode,
    // model, seats and game copy. Both searches are stopped first.
    void copieSubstitut(const AI_Joueur& autre);

    // The message of the error event a failed search posts.
    static QString texteErreur();

private:
    void carteConseillee(Carte* carte, bool erreur) override;
    void posteErreur();
    void lanceRecherche(const Partie& partie, int joueurAtout, const EnsembleDeCartes& main,
                        Joueur::Cb_CarteConseil* callback, const StatusAtout& atout);
    void reinitialiseModele();

    // The card-location model and the generator of this seat, lent to the
    // search thread (thread_) while it runs.
    std::unique_ptr<AI_ProbaSimplifiee> modele_;
    std::unique_ptr<GM_KnuthRandom> generateur_;
    const Carte* carteRetournee_ = nullptr;
    TypeDePartie typeDePartie_;
    bool enAction_ = false;
    ZB_StatusMise premiereMiseEquipe_;
    ZB_StatusMise derniereMiseEquipe_;
    bool miseEquipeConnue_ = false;
    AI_BetBelote betBelote_;
    bool modeSimple_ = false;
    // The request a card search answers, fixed when the search starts: the
    // table may move on to other requests while it runs.
    InfoDemande demandeCarte_;
    Thread thread_;
};
