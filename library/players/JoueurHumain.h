#pragma once

#include "DisplayASiege.h"
#include "GM_GameStatsPlayer.h"
#include "GM_MessageBoxEmitter.h"
#include "InfoDemande.h"
#include "Joueur.h"
#include "TypeDePartie.h"

#include <QDateTime>
#include <QMutex>
#include <QPointer>
#include <QSharedPointer>
#include <QString>
#include <QTimer>

#include <memory>

class JoueurResau;
class Partie;
class StatusAtout;
class ZB_StatusMise;

// The player every seat of a table holds. At the local user's seat it turns
// the table's requests into choices on the seat's panel and posts the user's
// answers; whatever sits at the seat, its assistant keeps every request so
// that this machine's computer can answer at once or take over later (a
// participant who left, a user who was too slow online). It also runs the
// online turn timer and raises the end-of-game statistics box.
//
// Rules:
// - The online turn's clock runs whatever covers the table: the other
//   players never wait for a box on this screen.
// - Online, the end-of-game box is answered within a turn's time: when the
//   time is out the computer answers for the user (play on) and the box is
//   taken down; a later click on it answers nothing.
class JoueurHumain : public Joueur, private GM_MessageBoxEmitter, public DisplayASiege
{
    Q_OBJECT

public:
    // Request ids of the answers the user may give before any request of
    // that kind arrived.
    static constexpr int ID_ATOUT = -101;
    static constexpr int ID_MISE = -102;
    static constexpr int ID_DISTRIBUE = -103;
    static constexpr int ID_RAMASSER = -104;
    static constexpr int ID_FIN_DE_PARTIE = -105;

    // Statistics counters read by the end-of-game box. The table that fills
    // the records uses the same numbers.
    enum CompteurStats {
        StatsPointsAnnonces = 1,
        StatsPointsPlis = 2,
        StatsMatchs = 3,     // matches in Jass, capots in Belote
        StatsDedans = 4      // failed contracts (Belote)
    };

    // Box kinds of the end-of-game box, passed as its icon value.
    enum GenreBoiteFin { BoiteFinNormale = 1, BoiteFinRubicon = 1000, BoiteFinGagne = 1001 };

    static constexpr double PENALITE_LENTEUR = 0.2;

    // contexteDeJeu: the table object whose parent receives the answers;
    // null while the seat is not attached to a game.
    explicit JoueurHumain(QObject* contexteDeJeu = nullptr);
    ~JoueurHumain() override;
    JoueurHumain(const JoueurHumain&) = delete;
    JoueurHumain& operator=(const JoueurHumain&) = delete;

    // Seats the player and its assistant. delaiActif: the online turn timer
    // applies, with delaiEnLigne seconds per answer.
    void initialise(const OptionsDuJoueur& options, QObject* contexteDeJeu, int noJoueur, bool afficheAnalyse,
                    const TypeDePartie& typeDePartie, bool delaiActif, DisplayA* display,
                    double delaiEnLigne = 30.0, bool modeSimple = false);

    // The table's current deal, through which turns are checked; null when
    // detached. Shared with the assistant.
    void setPartie(QSharedPointer<Partie> partie);
    QSharedPointer<Partie> getPartie() const;
    // Attaches to (or, with null, detaches from) a game context; the
    // receiver of the answers follows.
    void setContexteDeJeu(QObject* contexteDeJeu);
    QObject* getContexteDeJeu() const;

    // Copies the state of a player that held this seat before.
    void copieEtat(const JoueurHumain& autre);

    ZB_OPERATIONS_DE_JOUEUR

    // A new deal after everybody passed.
    virtual void reinitialise();
    // Sets the play mode of the seat and of the assistant.
    virtual void setMode(const int& mode);

    // Requests of the table.
    void demande_ChoisitAtout(const StatusAtout& atout, const InfoDemande& demande);
    void demande_ChoisitMise(const ZB_StatusMise& mise, const InfoDemande& demande);
    void demande_Carte(QSharedPointer<Partie> partie, const InfoDemande& demande);
    void demande_Annonce(const InfoDemande& demande, int modeAtout);
    void demande_ActionDistribue(const InfoDemande& demande);
    void demande_ActionRamasser(const InfoDemande& demande);
    void demande_ActionFinDePartie(bool gagne, bool egalite, bool enLigne, bool pasDeNouvellePartie,
                                   const InfoDemande& demande, const GM_GameStatsPlayer& statsJoueur,
                                   const GM_GameStatsPlayer& statsEquipe, const GM_GameStatsPlayer& statsAdversaires);

    using GM_MessageBoxEmitter::getMessageBoxDisplayer;
    using GM_MessageBoxEmitter::setMessageBoxDisplayer;

    JoueurResau* getAide() const { return aide_.get(); }
    // The seat is the local user's seat on the display: requests are shown
    // on its panel even when the user does not answer them.
    bool demandePanneau_ = false;
    void marqueSiegeLocal() override { demandePanneau_ = true; }
    bool estAfficheSurPanneau() override;

    // Timer state, for the table and for tests.
    int getSecondesEcoulees() const { return secondesEcoulees_; }
    int getEssaisRestants() const { return essaisRestants_; }
    double getDelaiEnLigne() const { return delaiEnLigne_; }
    bool estDelaiActif() const { return delaiActif_; }
    bool estDelaiEnCours() const { return timerDelaiEnLigne_.isActive(); }
    bool estFinDePartieEnCours() const { return timerFinDePartie_.isActive(); }
    bool estReponseFinEnCours() const { return timerReponseFin_.isActive(); }
    QString getTexteAide() const { return texteAide_; }
    QDateTime getDernierDepassement() const { return dernierDepassement_; }
    void setDernierDepassement(const QDateTime& moment) { dernierDepassement_ = moment; }
    const InfoDemande& getDemandeAtout() const { return demandeAtout_; }
    const InfoDemande& getDemandeMise() const { return demandeMise_; }
    const InfoDemande& getDemandeDistribue() const { return demandeDistribue_; }
    const InfoDemande& getDemandeRamasser() const { return demandeRamasser_; }
    const InfoDemande& getDemandeFinDePartie() const { return demandeFinDePartie_; }

    // Whether a game-state code is one in which a card is played.
    static bool estEtatDeJeuDeCarte(int etat);
    // The text of the end-of-game box for the stored flags and records, and
    // its kind.
    QString texteFinDePartie(int& genreBoite) const;

signals:
    void signalPlayerExcluded();
    void signalPlayerTooSlow(qint64 dataBaseUserId, double penalty);

public slots:
    void OnTimeoutFinDePartie();
    void OnTimeoutOnlineDelay();
    void OnEndGameMessageBoxReturnValue(int result);
    // The online end-of-game box was left unanswered for a turn's time.
    void OnTimeoutReponseFin();

private:
    bool estEnDirect(const InfoDemande& demande) const { return demande.estEnDirect(); }
    void demarreDelai();
    // Stops the online timer; the caller holds the timer mutex.
    void arreteDelai_unlocked();
    // A user's answer counts only while the seat is still the user's: false
    // when the delay ran out; otherwise the delay is stopped.
    bool prendReponse_unlocked();
    // Sets the cursor while a seat other than the user's decides.
    void placeCurseur();
    // The assistant answers with the seat's current hand and request.
    void synchroniseAide();
    QString ligneStats(const GM_GameStatsPlayer& stats, const char* modele) const;

    mutable QMutex mutexContexte_;
    QPointer<QObject> contexteDeJeu_;
    QSharedPointer<Partie> partie_;
    TypeDePartie typeDePartie_;
    // The computer assistant: advice, analysis and the substitute that
    // plays the seat when the user is away.
    std::unique_ptr<JoueurResau> aide_;
    bool afficheAnalyse_ = false;
    bool gagne_ = false;
    bool egalite_ = false;
    bool enLigne_ = false;
    bool pasDeNouvellePartie_ = false;
    QTimer timerFinDePartie_;
    // Online: the end-of-game box's time; the box, while one waits for its
    // answer.
    QTimer timerReponseFin_;
    bool boiteFinOuverte_ = false;
    uint boiteFin_ = 0;
    int secondesEcoulees_ = 0;
    int essaisRestants_ = 2;
    QTimer timerDelaiEnLigne_;
    double delaiEnLigne_ = 30.0;
    bool delaiActif_ = false;
    QString texteAide_;
    QDateTime dernierDepassement_;
    QMutex mutexDelai_;
    GM_GameStatsPlayer statsJoueur_;
    GM_GameStatsPlayer statsEquipe_;
    GM_GameStatsPlayer statsAdversaires_;
    InfoDemande demandeAtout_;
    InfoDemande demandeMise_;
    InfoDemande demandeDistribue_;
    InfoDemande demandeRamasser_;
    InfoDemande demandeFinDePartie_;
};
