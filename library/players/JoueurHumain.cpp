#include "JoueurHumain.h"

#include "AI_Joueur.h"
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "DisplayA.h"
#include "DisplayAPanelDeJoueur.h"
#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "JoueurResau.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "ZB_AnalyseJoueurA.h"
#include "ZB_MessageDeTable.h"
#include "ZB_StatusMise.h"

#include <QDebug>
#include <QLocale>
#include <QMutexLocker>

namespace {

constexpr int INTERVALLE_FIN_DE_PARTIE_MS = 4500;
constexpr int INTERVALLE_DELAI_MS = 1000;
// A timeout help text stays on screen at least this long.
constexpr qint64 DUREE_TEXTE_DEPASSEMENT_MS = 5000;
constexpr int CURSEUR_DISTANT = 16;
constexpr int CURSEUR_ORDINATEUR = 3;

// A choice is animated when it comes from live play or from the table's own
// catch-up, not from a replay.
bool estAnime(const InfoDemande& demande)
{
    return EvenementDeJeu::estAuRythme(demande.mode_);
}

} // namespace

JoueurHumain::JoueurHumain(QObject* contexteDeJeu)
    : aide_(std::make_unique<JoueurResau>())
    , demandeAtout_(-1, 3, ID_ATOUT, -100, 0)
    , demandeMise_(-1, 3, ID_MISE, -100, 0)
    , demandeDistribue_(-1, 3, ID_DISTRIBUE, -100, 0)
    , demandeRamasser_(-1, 3, ID_RAMASSER, -100, 0)
    , demandeFinDePartie_(-1, 3, ID_FIN_DE_PARTIE, -100, 0)
{
    setContexteDeJeu(contexteDeJeu);
    timerFinDePartie_.setInterval(INTERVALLE_FIN_DE_PARTIE_MS);
    timerFinDePartie_.setSingleShot(true);
    connect(&timerFinDePartie_, &QTimer::timeout, this, &JoueurHumain::OnTimeoutFinDePartie);
    timerReponseFin_.setSingleShot(true);
    connect(&timerReponseFin_, &QTimer::timeout, this, &JoueurHumain::OnTimeoutReponseFin);
    timerDelaiEnLigne_.setInterval(INTERVALLE_DELAI_MS);
    connect(&timerDelaiEnLigne_, &QTimer::timeout, this, &JoueurHumain::OnTimeoutOnlineDelay);
}

JoueurHumain::~JoueurHumain()
{
    // A timer slot or a user action still running on another call path ends
    // before the game pointer and the assistant go away.
    {
        QMutexLocker lockContexte(&mutexContexte_);
        QMutexLocker lockDelai(&mutexDelai_);
        timerDelaiEnLigne_.stop();
        timerFinDePartie_.stop();
        timerReponseFin_.stop();
    }
    // The assistant's substitute stops its search before it is deleted,
    // and the assistant goes before the game pointer and the timers.
    aide_.reset();
}

void JoueurHumain::initialise(const OptionsDuJoueur& options, QObject* contexteDeJeu, int noJoueur,
                              bool afficheAnalyse, const TypeDePartie& typeDePartie, bool delaiActif,
                              DisplayA* display, double delaiEnLigne, bool modeSimple)
{
    display_ = display;
    noJoueur_ = noJoueur;
    options_ = options;
    setContexteDeJeu(contexteDeJeu);
    demande_ = InfoDemande();
    main_.vide();
    afficheAnalyse_ = afficheAnalyse;

    if (ZB_AnalyseJoueurA* analyse = display_ != nullptr ? display_->getAnalyseJoueur(noJoueur_) : nullptr) {
        analyse->cache();
        analyse->setPosition(noJoueur_);
        analyse->setTitre(tr("Analyse '") + nomAffiche() + QLatin1Char('\''));
        if (afficheAnalyse_)
            analyse->affiche();
    }
    typeDePartie_ = typeDePartie;
    aide_->initialise(display_, options_, destinataire_, noJoueur_, typeDePartie_, modeSimple);
    {
        QMutexLocker lock(&mutexDelai_);
        timerDelaiEnLigne_.stop();
        secondesEcoulees_ = 0;
        essaisRestants_ = 2;
        delaiActif_ = delaiActif;
        // A delay that is not a positive number would time the user out at
        // the first tick of every request.
        delaiEnLigne_ = delaiEnLigne > 0.0 ? delaiEnLigne : 30.0;
    }
    const int modeAffichage = display_ != nullptr ? display_->getModeAffichage() : 0;
    if (modeAffichage == 1)
        setMode(ModeOrdinateurPartout);
    else if (modeAffichage == 2)
        setMode(ModeOrdinateur);
    else
        setMode(ModeAucun);
    if (DisplayAPanelDeJoueur* p = panel())
        p->initialise(nomAffiche(), noJoueur_, options_.distant_ != 0, options_.ordinateur_ != 0, this,
                      typeDePartie_, 0, 0);
    cartesVisibles_ = (options_.ordinateur_ == 0 && options_.distant_ == 0) ? 1
                    : (display_ != nullptr && display_->estFenetreVisible())  ? 1
                                                                              : 0;
}

void JoueurHumain::setPartie(QSharedPointer<Partie> partie)
{
    QMutexLocker lock(&mutexContexte_);
    partie_ = partie;
    aide_->setContexte(partie);
}

QSharedPointer<Partie> JoueurHumain::getPartie() const
{
    QMutexLocker lock(&mutexContexte_);
    return partie_;
}

void JoueurHumain::setContexteDeJeu(QObject* contexteDeJeu)
{
    QMutexLocker lock(&mutexContexte_);
    contexteDeJeu_ = contexteDeJeu;
    // The table is the context's parent; a context without one receives the
    // answers itself rather than letting them fall on the floor.
    QObject* destinataire = nullptr;
    if (contexteDeJeu != nullptr)
        destinataire = contexteDeJeu->parent() != nullptr ? contexteDeJeu->parent() : contexteDeJeu;
    if (destinataire != nullptr || contexteDeJeu == nullptr) {
        destinataire_ = destinataire;
        aide_->destinataire_ = destinataire;
        if (AI_Joueur* substitut = aide_->getSubstitut())
            substitut->destinataire_ = destinataire;
    }
    if (contexteDeJeu == nullptr) {
        partie_.clear();
        aide_->setContexte(QSharedPointer<Partie>());
    }
}

QObject* JoueurHumain::getContexteDeJeu() const
{
    QMutexLocker lock(&mutexContexte_);
    return contexteDeJeu_.data();
}

void JoueurHumain::copieEtat(const JoueurHumain& autre)
{
    if (this == &autre)
        return;
    Joueur::copieEtat(autre);
    *aide_ = *autre.aide_;
    afficheAnalyse_ = autre.afficheAnalyse_;
    gagne_ = autre.gagne_;
    egalite_ = autre.egalite_;
    enLigne_ = autre.enLigne_;
    pasDeNouvellePartie_ = autre.pasDeNouvellePartie_;
    QMutexLocker lock(&mutexDelai_);
    secondesEcoulees_ = autre.secondesEcoulees_;
    essaisRestants_ = autre.essaisRestants_;
    delaiActif_ = autre.delaiActif_;
    texteAide_ = autre.texteAide_;
    dernierDepassement_ = autre.dernierDepassement_;
    statsJoueur_ = autre.statsJoueur_;
    statsEquipe_ = autre.statsEquipe_;
    statsAdversaires_ = autre.statsAdversaires_;
}

bool JoueurHumain::estEtatDeJeuDeCarte(int etat)
{
    return EvenementDeJeu::estEtatDeCarte(etat);
}

int JoueurHumain::peutJouerCarte(const Carte& carte)
{
    const QSharedPointer<Partie> partie = getPartie();
    if (partie.isNull() || !estEtatDeJeuDeCarte(demande_.etat_) || partie->noDuProchainAJouer_ != noJoueur_)
        return 0;
    // Only a card of the seat's own hand may ever be played.
    Carte* dansLaMain = main_.getCarte(carte.getIndex());
    if (dansLaMain == nullptr)
        return 0;
    return partie->estCarteValide(dansLaMain, noJoueur_, main_);
}

bool JoueurHumain::estJoueurManuel()
{
    return options_.distant_ == 0 && modeJeu_ == ModeManuel;
}

bool JoueurHumain::estAfficheSurPanneau()
{
    return estJoueurManuel() || demandePanneau_;
}

void JoueurHumain::synchroniseAide()
{
    // The table takes played cards out of this player's hand only.
    aide_->main_ = main_;
}

void JoueurHumain::placeCurseur()
{
    if (display_ == nullptr)
        return;
    if (!estJoueurManuel())
        display_->setCurseur(options_.distant_ == 1 ? CURSEUR_DISTANT : CURSEUR_ORDINATEUR);
    else
        display_->restaureCurseur();
}

void JoueurHumain::demarreDelai()
{
    QMutexLocker lock(&mutexDelai_);
    if (modeJeu_ == ModeManuel && essaisRestants_ >= 1 && delaiActif_)
        timerDelaiEnLigne_.start();
}

void JoueurHumain::arreteDelai_unlocked()
{
    secondesEcoulees_ = 0;
    timerDelaiEnLigne_.stop();
    // A timeout notice is left for a while, then goes with the next stop.
    if (!dernierDepassement_.isValid()
        || dernierDepassement_.msecsTo(QDateTime::currentDateTimeUtc()) > DUREE_TEXTE_DEPASSEMENT_MS)
        texteAide_.clear();
    if (display_ != nullptr)
        display_->setTexteAide(texteAide_);
}

void JoueurHumain::annuleDemande()
{
    aide_->annuleDemande();
}

void JoueurHumain::demandeConseilCarte(QSharedPointer<Partie> partie, const EnsembleDeCartes* main, int joueurAtout,
                                       Cb_CarteConseil* callback)
{
    aide_->demandeConseilCarte(partie, main != nullptr ? main : &main_, joueurAtout, callback);
}

void JoueurHumain::annuleConseilCarte()
{
    aide_->annuleConseilCarte();
}

void JoueurHumain::conseilAtout(const EnsembleDeCartes& main, StatusAtout& conseil)
{
    aide_->conseilAtout(main, conseil);
}

void JoueurHumain::conseilMise(const EnsembleDeCartes& main, ZB_StatusMise& conseil)
{
    aide_->conseilMise(main, conseil);
}

bool JoueurHumain::prendReponse_unlocked()
{
    // Once the online delay has run out the computer has answered already.
    if (delaiActif_ && !timerDelaiEnLigne_.isActive())
        return false;
    arreteDelai_unlocked();
    return true;
}

void JoueurHumain::choisitAtout(StatusAtout& atout)
{
    QMutexLocker lock(&mutexDelai_);
    if (!prendReponse_unlocked())
        return;
    if (estAfficheSurPanneau())
        if (DisplayAPanelDeJoueur* p = panel())
            p->finChoixAtout();
    if (atout.choisi_) {
        const int mode = atout.atout_;
        atout.multiplicateur_ = (mode >= 1 && mode <= 11) ? typeDePartie_.multiplicateurs_[size_t(mode)] : 1;
    }
    reponse_ChoisitAtout(demandeAtout_.noDemande_, atout, demandeAtout_.etat_, EvenementDeJeu::Local_Human,
                         demandeAtout_.noTable_, demandeAtout_.version_);
}

void JoueurHumain::choisitMise(ZB_StatusMise& mise)
{
    QMutexLocker lock(&mutexDelai_);
    if (!prendReponse_unlocked())
        return;
    if (estAfficheSurPanneau())
        if (DisplayAPanelDeJoueur* p = panel())
            p->finChoixAtout();
    reponse_ChoisitMise(demandeMise_.noDemande_, mise, demandeMise_.etat_, EvenementDeJeu::Local_Human,
                        demandeMise_.noTable_, demandeMise_.version_);
}

void JoueurHumain::actionDistribue()
{
    QMutexLocker lock(&mutexDelai_);
    if (!prendReponse_unlocked())
        return;
    if (estAfficheSurPanneau())
        if (DisplayAPanelDeJoueur* p = panel())
            p->effaceAttente();
    reponse_ActionDistribue(demandeDistribue_.noDemande_, demandeDistribue_.etat_, EvenementDeJeu::Local_Human,
                            demandeDistribue_.noTable_);
}

void JoueurHumain::actionRamasser()
{
    QMutexLocker lock(&mutexDelai_);
    if (!prendReponse_unlocked())
        return;
    if (estAfficheSurPanneau())
        if (DisplayAPanelDeJoueur* p = panel())
            p->effaceAttenteRamasser();
    reponse_ActionRamasser(demandeRamasser_.noDemande_, demandeRamasser_.etat_, EvenementDeJeu::Local_Human,
                           demandeRamasser_.noTable_);
}

void JoueurHumain::afficheAnalyse()
{
    if (display_ == nullptr)
        return;
    if (display_->getModeAffichage() != 0)
        aide_->afficheAnalyse();
    if (noJoueur_ >= 0)
        if (ZB_AnalyseJoueurA* analyse = display_->getAnalyseJoueur(noJoueur_))
            analyse->affiche();
}

void JoueurHumain::cacheAnalyse()
{
    if (display_ == nullptr)
        return;
    if (display_->getModeAffichage() != 0)
        aide_->cacheAnalyse();
    if (noJoueur_ >= 0)
        if (ZB_AnalyseJoueurA* analyse = display_->getAnalyseJoueur(noJoueur_))
            analyse->cache();
}

void JoueurHumain::metAJourProbabilites(QSharedPointer<Partie> partie, const Carte* carte)
{
    QMutexLocker lock(&mutexDelai_);
    arreteDelai_unlocked();
    aide_->metAJourProbabilites(partie, carte);
}

void JoueurHumain::recoitAnnonces(int noJoueur, const AnnoncesJoueur& annonces)
{
    aide_->recoitAnnonces(noJoueur, annonces);
}

void JoueurHumain::attribueCarte(int noJoueur, const Carte& carte)
{
    aide_->attribueCarte(noJoueur, carte);
}

void JoueurHumain::marqueCartesConnues(int noJoueur, const EnsembleDeCartes& cartes)
{
    aide_->marqueCartesConnues(noJoueur, cartes);
}

void JoueurHumain::attribueCartes(int noJoueur, const EnsembleDeCartes& cartes)
{
    aide_->attribueCartes(noJoueur, cartes);
}

void JoueurHumain::miseAnnoncee(int noJoueur, const ZB_StatusMise& mise)
{
    if (noJoueur == noJoueur_)
        if (DisplayAPanelDeJoueur* p = panel())
            p->finChoixMise();
    aide_->miseAnnoncee(noJoueur, mise);
}

void JoueurHumain::cartesRecues(const EnsembleDeCartes& cartes)
{
    if (estAfficheSurPanneau())
        if (DisplayAPanelDeJoueur* p = panel())
            p->effaceAttente();
    synchroniseAide();
    aide_->cartesRecues(cartes);
}

void JoueurHumain::setCarteRetournee(const Carte& carte)
{
    aide_->setCarteRetournee(carte);
}

void JoueurHumain::reinitialise()
{
    annuleDemande();
    if (estJoueurManuel())
        if (DisplayAPanelDeJoueur* p = panel())
            p->cacheCartes();
    main_.vide();
    aide_->reinitialise();
    if (DisplayAPanelDeJoueur* p = panel())
        p->finChoixMise();
}

void JoueurHumain::setMode(const int& mode)
{
    const int nouveau = mode; // mode may refer to a field changed below
    const int ancien = modeJeu_;
    modeJeu_ = nouveau;
    aide_->modeJeu_ = nouveau;
    if ((ancien == ModeManuel || ancien == ModeHumainDistant || ancien == ModeOrdinateurDistant)
        && nouveau == ModeRemplacant) {
        synchroniseAide();
        aide_->forwardPendingRequest();
    }
}

void JoueurHumain::demande_ChoisitAtout(const StatusAtout& atout, const InfoDemande& demande)
{
    demandeAtout_ = demande;
    demande_ = demande;
    placeCurseur();
    if (estAfficheSurPanneau())
        if (DisplayAPanelDeJoueur* p = panel()) {
            p->afficheChoix();
            p->afficheChoixAtout(!atout.chibre_, estAnime(demande), demande.etat_);
        }
    if (estEnDirect(demande)) {
        synchroniseAide();
        aide_->demande_ChoisitAtout(atout, demande);
        demarreDelai();
    }
}

void JoueurHumain::demande_ChoisitMise(const ZB_StatusMise& mise, const InfoDemande& demande)
{
    demandeMise_ = demande;
    demande_ = demande;
    placeCurseur();
    if (estAfficheSurPanneau())
        if (DisplayAPanelDeJoueur* p = panel()) {
            p->afficheChoixPourMise();
            p->afficheChoixMise(mise, estAnime(demande), demande.etat_);
        }
    if (estEnDirect(demande)) {
        synchroniseAide();
        aide_->demande_ChoisitMise(mise, demande);
        demarreDelai();
    }
}

void JoueurHumain::demande_Carte(QSharedPointer<Partie> partie, const InfoDemande& demande)
{
    demande_ = demande;
    if (!partie.isNull() && getPartie() != partie)
        setPartie(partie);
    if (estAfficheSurPanneau())
        if (DisplayAPanelDeJoueur* p = panel()) {
            p->cacheChoix();
            p->demandeCarte(demande);
        }
    if (estEnDirect(demande)) {
        synchroniseAide();
        aide_->demande_Carte(partie, demande, partie.isNull() ? StatusAtout() : partie->atoutChoisi_);
        demarreDelai();
    }
}

void JoueurHumain::demande_Annonce(const InfoDemande& demande, int modeAtout)
{
    demande_ = demande;
    if (!estEnDirect(demande))
        return;
    synchroniseAide();
    aide_->demande_Annonce(demande, modeAtout);
    bool repond = false;
    {
        QMutexLocker lock(&mutexDelai_);
        repond = modeJeu_ == ModeManuel && essaisRestants_ >= 1;
    }
    // Announcements are found in the hand, not chosen: the user never waits
    // for them.
    if (repond)
        reponse_Annonce(demande.noDemande_, AnnoncesJoueur(main_, modeAtout), demande.etat_,
                        EvenementDeJeu::Local_Human, demande.noTable_);
}

void JoueurHumain::demande_ActionDistribue(const InfoDemande& demande)
{
    demandeDistribue_ = demande;
    demande_ = demande;
    if (estAfficheSurPanneau())
        if (DisplayAPanelDeJoueur* p = panel())
            p->attendDistribue();
    if (estEnDirect(demande)) {
        synchroniseAide();
        aide_->demande_ActionDistribue(demande);
        demarreDelai();
    }
}

void JoueurHumain::demande_ActionRamasser(const InfoDemande& demande)
{
    demandeRamasser_ = demande;
    demande_ = demande;
    if (estAfficheSurPanneau())
        if (DisplayAPanelDeJoueur* p = panel())
            p->attendRamasser();
    if (estEnDirect(demande)) {
        synchroniseAide();
        aide_->demande_ActionRamasser(demande);
        demarreDelai();
    }
}

void JoueurHumain::demande_ActionFinDePartie(bool gagne, bool egalite, bool enLigne, bool pasDeNouvellePartie,
                                             const InfoDemande& demande, const GM_GameStatsPlayer& statsJoueur,
                                             const GM_GameStatsPlayer& statsEquipe,
                                             const GM_GameStatsPlayer& statsAdversaires)
{
    QMutexLocker lock(&mutexDelai_);
    demandeFinDePartie_ = demande;
    demande_ = demande;
    statsJoueur_ = statsJoueur;
    statsEquipe_ = statsEquipe;
    statsAdversaires_ = statsAdversaires;
    gagne_ = gagne;
    egalite_ = egalite;
    enLigne_ = enLigne;
    pasDeNouvellePartie_ = pasDeNouvellePartie;
    if (!estEnDirect(demande))
        return;
    synchroniseAide();
    aide_->demande_ActionFinDePartie(gagne, egalite, enLigne, pasDeNouvellePartie, demande);
    if (display_ != nullptr)
        if (ZB_AnalyseJoueurA* analyse = display_->getAnalyseJoueur(noJoueur_))
            analyse->effaceMessages();
    if ((modeJeu_ == ModeManuel || modeJeu_ == ModeOrdinateurPartout) && essaisRestants_ > 0)
        timerFinDePartie_.start();
}

void JoueurHumain::OnTimeoutOnlineDelay()
{
    bool exclu = false;
    bool penalite = false;
    qint64 idUtilisateur = -1;
    {
        QMutexLocker lock(&mutexDelai_);
        if (!delaiActif_ || getContexteDeJeu() == nullptr) {
            timerDelaiEnLigne_.stop();
            return;
        }
        // The clock runs on under any box or window on the user's screen: the
        // other players never wait for it, and the computer answers for the
        // user once the time is out.
        texteAide_.clear();
        ++secondesEcoulees_;
        if (secondesEcoulees_ >= delaiEnLigne_) {
            if (DisplayAPanelDeJoueur* p = panel()) {
                p->finChoixAtout();
                p->effaceAttente();
                p->effaceAttenteRamasser();
                p->effaceAttente2();
                p->finDemandeCarte();
            }
            arreteDelai_unlocked();
            --essaisRestants_;
            synchroniseAide();
            try {
                aide_->forwardPendingRequest();
            } catch (const GM_Exception& e) {
                // A timer slot must not let an exception into the event loop;
                // the penalty or exclusion still applies.
                qWarning().noquote() << "JoueurHumain::OnTimeoutOnlineDelay:" << e.getMessage();
            }
            if (essaisRestants_ < 1) {
                setMode(ModeRemplacant);
                envoyeMessage(ZB_MessageDeTable::texte(ZB_MessageDeTable::ExcluPourLenteur),
                              EvenementDeJeu::Local_Table, demande_.noTable_);
                exclu = true;
            } else {
                texteAide_ = tr("Temps écoulé.\n(Encore %1 fois avant exclusion).").arg(essaisRestants_);
                if (display_ != nullptr)
                    display_->setTexteAide(texteAide_);
                dernierDepassement_ = QDateTime::currentDateTimeUtc();
                envoyeMessage(ZB_MessageDeTable::texte(ZB_MessageDeTable::JoueAvecPenalite),
                              EvenementDeJeu::Local_Table, demande_.noTable_);
                penalite = true;
                idUtilisateur = options_.idCompte_;
            }
        } else if (secondesEcoulees_ > delaiEnLigne_ * 0.25) {
            texteAide_ = tr("Temps restant %1[s] avant pénalité.")
                             .arg(QString::number(delaiEnLigne_ - secondesEcoulees_, 'g',
                                                  QLocale::FloatingPointShortest));
            if (display_ != nullptr)
                display_->setTexteAide(texteAide_);
        }
    }
    // Emitted without the lock: the table's handlers may call back into this
    // player.
    if (exclu)
        emit signalPlayerExcluded();
    if (penalite)
        emit signalPlayerTooSlow(idUtilisateur, PENALITE_LENTEUR);
}

QString JoueurHumain::ligneStats(const GM_GameStatsPlayer& stats, const char* modele) const
{
    const bool belote = stats.typePartie_ == 2;
    const int annonces = stats.compteurs_[StatsPointsAnnonces];
    const int plis = stats.compteurs_[StatsPointsPlis];
    const QString dedans = belote ? tr("Dedans: %1, ").arg(stats.compteurs_[StatsDedans]) : QString();
    return tr(modele)
        .arg(annonces)
        .arg(plis)
        .arg(belote ? tr("Capot(s)") : tr("Match(s)"))
        .arg(stats.compteurs_[StatsMatchs])
        .arg(dedans)
        .arg(qint64(annonces) + plis);
}

QString JoueurHumain::texteFinDePartie(int& genreBoite) const
{
    static const char* const ligneEquipe =
        QT_TR_NOOP("Annonces: %1[pts], Plis: %2[pts], %3: %4, %5Total: %6<br><br>");
    static const char* const ligneAdversaires =
        QT_TR_NOOP("Annonces: %1[pts], Plis: %2[pts], %3: %4, %5Total: %6<br>");

    QString texte;
    genreBoite = BoiteFinNormale;
    if (egalite_) {
        texte = tr("Vous êtes ex-aequo!");
    } else if (gagne_) {
        texte = tr("Bien joué. Vous avez gagné!");
        genreBoite = BoiteFinGagne;
    } else {
        texte = tr("Désolé. Vous avez perdu!");
    }
    texte += QStringLiteral("<br><br>") + tr("Statistiques pour votre équipe:<br>")
           + ligneStats(statsEquipe_, ligneEquipe);

    const bool partiel = statsJoueur_.indicateur_;
    const auto& cj = statsJoueur_.compteurs_;
    const auto& ce = statsEquipe_.compteurs_;
    if (partiel
        && (cj[StatsPointsAnnonces] != ce[StatsPointsAnnonces] || cj[StatsPointsPlis] != ce[StatsPointsPlis]
            || cj[StatsMatchs] != ce[StatsMatchs]))
        texte += tr("Statistiques pour vous (partie partielle):<br>") + ligneStats(statsJoueur_, ligneEquipe);

    texte += tr("Equipe adverse:<br>") + ligneStats(statsAdversaires_, ligneAdversaires);

    // A match by imposed trumps ends with its trump order, not at a points
    // target: nobody is 'rubicon' there.
    const bool parAtoutsImposes = typeDePartie_.atoutAutomatique_ == 1 || typeDePartie_.atoutAutomatique_ == 2;
    if (!partiel && !parAtoutsImposes && statsJoueur_.typePartie_ == 1
        && typeDePartie_.decompte_ != TypeDePartie::DecompteAnnonces
        && typeDePartie_.decompte_ != TypeDePartie::DecompteFaitsPlusAnnonces) {
        const double moitie = typeDePartie_.pointsObjectif_ / 2.0;
        const qint64 nous = qint64(cj[StatsPointsAnnonces]) + cj[StatsPointsPlis];
        const auto& ca = statsAdversaires_.compteurs_;
        const qint64 eux = qint64(ca[StatsPointsAnnonces]) + ca[StatsPointsPlis];
        if (moitie > double(nous)) {
            texte += QStringLiteral("<br>")
                   + tr("Vous êtes 'rubicon', car vous avez marqué moins de la moitié des %1 points.")
                         .arg(typeDePartie_.pointsObjectif_);
            genreBoite = BoiteFinRubicon;
        } else if (moitie > double(eux)) {
            texte += QStringLiteral("<br>")
                   + tr("Vos adversaires sont 'rubicon', car ils ont marqué moins de la moitié des %1 points.")
                         .arg(typeDePartie_.pointsObjectif_);
        }
    }
    if (statsJoueur_.databaseId < 0)
        texte += QStringLiteral("<br><br>")
               + tr("Astuce: Pour sauver ces statistiques en ligne et obtenir des 'Titres', connectez-vous sur le "
                    "serveur (Menu 'Jouer en ligne') avant la fin de la partie.");
    texte += QStringLiteral("<br><br>");
    return texte;
}

void JoueurHumain::OnTimeoutFinDePartie()
{
    QMutexLocker lock(&mutexDelai_);
    timerFinDePartie_.stop();
    try {
        // Without a displayer no box would ever be answered and the table
        // would wait for this seat for good: play on at once instead.
        if ((modeJeu_ == ModeManuel || modeJeu_ == ModeOrdinateurPartout) && essaisRestants_ >= 1
            && getMessageBoxDisplayer() != nullptr) {
            int genre = BoiteFinNormale;
            const QString texte = texteFinDePartie(genre);
            const QString titre = tr("Fin de partie.");
            boiteFinOuverte_ = true;
            if (enLigne_ && !pasDeNouvellePartie_)
                boiteFin_ = messageBoxQuestion(
                    static_cast<GM::Icon>(genre), titre,
                    QStringLiteral("%1<br><br>%2").arg(texte, tr("Voulez vous faire une autre partie en ligne?")),
                    GM::Yes | GM::No, this, "OnEndGameMessageBoxReturnValue");
            else
                boiteFin_ = messageBoxQuestion(static_cast<GM::Icon>(genre), titre, texte, GM::Ok, this,
                                               "OnEndGameMessageBoxReturnValue");
            // Online, the other players wait for this answer: they wait no
            // longer than for a move.
            if (enLigne_ && delaiActif_)
                timerReponseFin_.start(static_cast<int>(delaiEnLigne_ * 1000.0));
            return;
        }
        reponse_ActionFinDePartie(demandeFinDePartie_.noDemande_, true, demandeFinDePartie_.etat_,
                                  EvenementDeJeu::Local_Human, demandeFinDePartie_.noTable_);
    } catch (const GM_Exception& e) {
        // A timer slot must not let an exception into the event loop.
        qWarning().noquote() << "JoueurHumain::OnTimeoutFinDePartie:" << e.getMessage();
    }
    arreteDelai_unlocked();
}

void JoueurHumain::OnEndGameMessageBoxReturnValue(int result)
{
    QMutexLocker lock(&mutexDelai_);
    // The computer answered when the time ran out: the click comes late.
    if (!boiteFinOuverte_)
        return;
    boiteFinOuverte_ = false;
    timerReponseFin_.stop();
    try {
        reponse_ActionFinDePartie(demandeFinDePartie_.noDemande_, result != GM::No, demandeFinDePartie_.etat_,
                                  EvenementDeJeu::Local_Human, demandeFinDePartie_.noTable_);
    } catch (const GM_Exception& e) {
        qWarning().noquote() << "JoueurHumain::OnEndGameMessageBoxReturnValue:" << e.getMessage();
    }
    arreteDelai_unlocked();
}

void JoueurHumain::OnTimeoutReponseFin()
{
    uint boite = 0;
    {
        QMutexLocker lock(&mutexDelai_);
        if (!boiteFinOuverte_)
            return;
        boiteFinOuverte_ = false;
        boite = boiteFin_;
        if (getContexteDeJeu() != nullptr) {
            try {
                aide_->forwardPendingRequest();
            } catch (const GM_Exception& e) {
                qWarning().noquote() << "JoueurHumain::OnTimeoutReponseFin:" << e.getMessage();
            }
        }
        arreteDelai_unlocked();
    }
    // The displayer may show the next box from here: no lock is held.
    closeMessageBox(boite);
}
