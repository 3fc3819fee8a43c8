#include "AI_Joueur.h"

#include "AI_Conseil.h"
#include "AI_Evaluation.h"
#include "AI_HistoEvaluationCarte.h"
#include "AI_HistoEvaluations.h"
#include "AI_ProbaSimplifiee.h"
#include "AI_Simulation.h"
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "DisplayA.h"
#include "GM_Exception.h"
#include "GM_KnuthRandom.h"
#include "ZB_AIError.h"
#include "ZB_AnalyseJoueurA.h"

#include <QCoreApplication>
#include <QDebug>

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <vector>

// ---------------------------------------------------------------------------
// The search thread

AI_Joueur::Thread::Thread() = default;

AI_Joueur::Thread::~Thread()
{
    arrete();
}

void AI_Joueur::Thread::prepare(const Partie& partie, int joueurAtout, const EnsembleDeCartes& main,
                                Joueur::Cb_CarteConseil* callback, const StatusAtout& atout)
{
    partie_.copie(partie);
    joueurAtout_ = joueurAtout;
    main_ = main;
    callback_ = callback;
    atout_ = atout;
    stop_.store(false);
    debut_ = QDateTime::currentDateTimeUtc();
}

void AI_Joueur::Thread::arrete()
{
    if (isRunning()) {
        stop_.store(true);
        wait();
    }
}

int AI_Joueur::Thread::nombreDIterations(double nbrCombinations, bool modeSimple)
{
    // Written so that NaN also means no search.
    if (modeSimple || !(nbrCombinations > 0.0))
        return 0;
    const double tours = std::round(nbrCombinations / 1000.0);
    return tours >= ITERATIONS_MAX ? ITERATIONS_MAX : int(tours);
}

int AI_Joueur::Thread::nombreDeFilsEffectif() const
{
    const int n = nombreDeFils_ > 0 ? nombreDeFils_ : QThread::idealThreadCount();
    return n < 1 ? 2 : n;
}

Carte* AI_Joueur::Thread::ouvertureAtout(const Partie& partie, const EnsembleDeCartes& candidats, int noJoueur,
                                         int joueurAtout, const StatusAtout& atout)
{
    if (!partie.cartesJoueesValides_.estVide())
        return nullptr;
    const int couleur = partie.getCouleurAtout();
    const int partenaire = (noJoueur + 2) % 4;
    const bool notreAtout = (joueurAtout == noJoueur || joueurAtout == partenaire) && couleur != 0;
    const bool atoutImpose = joueurAtout == 4 && atout.choisi_ && atout.atout_ == partie.atoutChoisi_.atout_;
    if (!notreAtout && !atoutImpose)
        return nullptr;
    if (couleur == 0)
        return nullptr;

    // Trumps by strength, strongest first.
    Carte* parForce[9] = {};
    for (Carte* c : candidats) {
        if (c->getCouleur() == couleur) {
            const int force = c->getForce(partie.atoutEnCours_, partie.ordreBelote_);
            if (force >= 0 && force <= 8)
                parForce[force] = c;
        }
    }
    int plusForte = 8;
    while (plusForte >= 0 && parForce[plusForte] == nullptr)
        --plusForte;
    if (plusForte < 0)
        return nullptr;
    if (joueurAtout == partenaire || plusForte == 8)
        return parForce[plusForte];
    // The bottom of the run that the highest trump heads: it wins as surely
    // and keeps the stronger cards.
    int f = plusForte;
    while (f > 0 && parForce[f - 1] != nullptr)
        --f;
    return parForce[f];
}

void AI_Joueur::Thread::run()
{
    statistiques_ = Statistiques();
    bool erreur = false;
    Carte* carte = nullptr;
    try {
        carte = cherche(erreur);
    } catch (const GM_Exception& e) {
        qWarning().noquote() << QStringLiteral("AI_Joueur::Thread::run: search failed: ") + e.getMessage();
        erreur = true;
    } catch (const std::exception& e) {
        qWarning().noquote() << QStringLiteral("AI_Joueur::Thread::run: search failed: ") + QString::fromUtf8(e.what());
        erreur = true;
    }
    // A cancelled search answers with no card, so that nothing is played for
    // a request that is no longer pending; the callback still runs, because
    // its receiver may be waiting for it (the advice lock).
    if (erreur || stop_.load())
        carte = nullptr;
    if (callback_ != nullptr)
        callback_->carteConseillee(carte, erreur);
}

Carte* AI_Joueur::Thread::cherche(bool& erreur)
{
    const int moi = noJoueur_;
    if (partie_.noDuProchainAJouer_ != moi) {
        qWarning().noquote() << QStringLiteral("AI_Joueur: seat %1 asked for a card while seat %2 is to play")
                                    .arg(moi)
                                    .arg(partie_.noDuProchainAJouer_);
        erreur = true;
        return nullptr;
    }

    // 1. Legal cards, among the hand's cards that the deal still holds.
    const quint64 jouables =
        partie_.getMasqueCartesJouables(moi, main_.getMasque() & partie_.cartesEnMain_.getMasque());
    EnsembleDeCartes candidats;
    for (quint64 m = jouables; m != 0; m &= m - 1)
        candidats.ajouteCarte(main_.getCarte(__builtin_ctzll(m)));
    if (candidats.estVide()) {
        qWarning().noquote() << QStringLiteral("AI_Joueur: seat %1 has no legal card").arg(moi);
        erreur = true;
        return nullptr;
    }

    // 2. to 5. The answers that need no search.
    const int tours = nombreDIterations(options_.optionsAI_.nbrCombinations_, modeSimple_);
    if (candidats.getNombreDeCartes() == 1)
        return candidats.getCarte(candidats.premier());
    if (Carte* ouverture = ouvertureAtout(partie_, candidats, moi, joueurAtout_, atout_))
        return ouverture;
    if (tours == 0 || modele_ == nullptr || generateur_ == nullptr)
        return candidats.getCarte(candidats.premier());

    // 6. Sampled deals, every candidate judged on each.
    AI_HistoEvaluations histo(257 * partie_.multiplicateur_, &stop_);
    AI_ProbaSimplifiee modele(*modele_);
    EnsembleDeCartes mains[4];
    bool adversairesAtout = false;
    const int nFils = nombreDeFilsEffectif();
    const int nCandidats = int(candidats.getNombreDeCartes());
    // One node reserve per evaluation running at a time, kept over the
    // iterations: the k-th evaluation of a batch always takes the k-th.
    // Declared first, so that it outlives every evaluation.
    std::vector<std::unique_ptr<AI_Simulation::Reserve>> reserves(size_t(std::max(1, std::min(nFils, nCandidats))));
    for (auto& reserve : reserves)
        reserve = std::make_unique<AI_Simulation::Reserve>();
    std::vector<AI_HistoEvaluationCarte> histosCarte;
    std::vector<std::unique_ptr<AI_Evaluation>> evaluations;
    histosCarte.reserve(size_t(nCandidats));
    evaluations.reserve(size_t(nCandidats));

    for (int r = 0; r < tours && !stop_.load(std::memory_order_relaxed); ++r) {
        modele = *modele_;
        // The player always knows its own hand, whatever the model was told.
        for (const Carte* c : main_) {
            for (int j = 0; j < 4; ++j) {
                const int i = AI_ProbaSimplifiee::index(j, c->getValeur(), c->getCouleur());
                if (j == moi)
                    modele.connues[i] = 1;
                else
                    modele.vueJoueur[i] = 0;
            }
        }
        modele.metAJour(nullptr, partie_);

        int nombres[4];
        AI_ProbaSimplifiee::nombresDeCartes(partie_, nombres);
        const AI_ProbaSimplifiee::Distribution d =
            modele.distribueInconnues(moi, mains, nombres, partie_.cartesEnMain_, *generateur_, &stop_, r % 2 == 0);
        if (d == AI_ProbaSimplifiee::DistributionInterrompue)
            break;
        if (d != AI_ProbaSimplifiee::DistributionReussie) {
            qWarning().noquote() << QStringLiteral("AI_Joueur: seat %1 cannot deal the unseen cards: %2")
                                        .arg(moi)
                                        .arg(partie_.toString());
            erreur = true;
            stop_.store(true);
            break;
        }
        ++statistiques_.iterations;

        adversairesAtout = false;
        if (const int atout = partie_.getCouleurAtout()) {
            for (int j = 0; j < 4 && !adversairesAtout; ++j) {
                if (j % 2 == moi % 2)
                    continue;
                for (int v = Carte::Six; v <= Carte::As && !adversairesAtout; ++v)
                    adversairesAtout = modele.getVueJoueur(j, atout, v) != 0;
            }
        }

        for (Carte* c : candidats) {
            if (stop_.load(std::memory_order_relaxed))
                break;
            histosCarte.emplace_back(c, moi % 2 == 0, &histo);
            AI_Simulation::Reserve* reserve = reserves[evaluations.size() % reserves.size()].get();
            evaluations.push_back(std::make_unique<AI_Evaluation>(modele, partie_, mains, moi, &options_.optionsAI_,
                                                                  generateur_, analyse_, c, &histosCarte.back(),
                                                                  &stop_, fluxPrives_, reserve));
        }

        const int n = int(evaluations.size());
        if (nFils == 1) {
            for (auto& e : evaluations)
                e->evalue();
        } else {
            for (int debut = 0; debut < n; debut += nFils) {
                if (stop_.load(std::memory_order_relaxed))
                    break;
                const int fin = std::min(n, debut + nFils);
                for (int k = debut; k < fin; ++k)
                    evaluations[size_t(k)]->start(QThread::InheritPriority);
                for (int k = debut; k < fin; ++k)
                    evaluations[size_t(k)]->wait();
            }
        }
        for (const auto& e : evaluations) {
            ++statistiques_.evaluations;
            statistiques_.parties += e->getParties();
            statistiques_.noeuds += e->getNoeuds();
            statistiques_.tirages += e->getTirages();
        }
        evaluations.clear();
        histosCarte.clear();
    }

    if (erreur || stop_.load())
        return nullptr;
    AI_HistoEvaluations::Contexte contexte;
    contexte.partie = &partie_;
    contexte.noJoueur = moi;
    contexte.joueurAtout = joueurAtout_;
    contexte.adversairesAtout = adversairesAtout;
    contexte.options = options_.optionsAI_;
    Carte* choisie = histo.choisitCarte(contexte);
    // Only hands that disagree with the deal leave every play-out short;
    // a legal card keeps the game going.
    return choisie != nullptr ? choisie : candidats.getCarte(candidats.premier());
}

// ---------------------------------------------------------------------------
// The player

AI_Joueur::AI_Joueur() = default;

AI_Joueur::~AI_Joueur()
{
    // Stopped, not waited out: a full search at high strength would hold the
    // caller for seconds. The search calls back with no card.
    thread_.arrete();
}

QString AI_Joueur::texteErreur()
{
    return QObject::tr("Malheureusement, le jeu ne peut pas continuer, car un problème majeur a été détecté durant "
                       "les calculs de l'intelligence artificielle. La partie est endommagée. Merci de choisir "
                       "'Nouvelle Partie' pour en commencer une nouvelle. Vous pouvez également signaler le problème "
                       "en utilisant le bouton 'Bug'.");
}

void AI_Joueur::initialise(DisplayA* display, const OptionsDuJoueur& options, QObject* destinataire, int noJoueur,
                           const TypeDePartie& typeDePartie, bool modeSimple)
{
    annuleDemande();
    display_ = display;
    noJoueur_ = noJoueur;
    options_ = options;
    destinataire_ = destinataire;
    demande_ = InfoDemande();
    main_.vide();
    compteurMises_ = 0;
    cartesVisibles_ = (options.ordinateur_ == 0 && options.distant_ == 0) ? 1
                    : (display != nullptr && display->estFenetreVisible())     ? 1
                                                                               : 0;

    ZB_AnalyseJoueurA* analyse = display != nullptr ? display->getAnalyseJoueur(noJoueur) : nullptr;
    std::unique_ptr<AI_ProbaSimplifiee> modele(analyse != nullptr ? analyse->creeProbabilites(options.optionsAI_)
                                                                   : nullptr);
    if (modele == nullptr)
        modele = std::make_unique<AI_ProbaSimplifiee>(nullptr, options.optionsAI_);
    modele_ = std::move(modele);
    // Seed 0: a computer seat replays the same sequence after every
    // initialisation.
    generateur_ = std::make_unique<GM_KnuthRandom>(true);
    typeDePartie_ = typeDePartie;
    modeSimple_ = modeSimple;

    thread_.options_ = options;
    thread_.noJoueur_ = noJoueur;
    thread_.noPartenaire_ = (noJoueur + 2) % 4;
    thread_.analyse_ = analyse;
    thread_.modele_ = modele_.get();
    thread_.generateur_ = generateur_.get();
    thread_.stop_.store(false);
    thread_.modeSimple_ = modeSimple;

    premiereMiseEquipe_ = ZB_StatusMise();
    derniereMiseEquipe_ = ZB_StatusMise();
    miseEquipeConnue_ = false;
}

int AI_Joueur::peutJouerCarte(const Carte&)
{
    return 0;
}

bool AI_Joueur::estJoueurManuel()
{
    return false;
}

void AI_Joueur::annuleDemande()
{
    thread_.arrete();
}

void AI_Joueur::annuleConseilCarte()
{
    annuleDemande();
}

bool AI_Joueur::attendRecherche(unsigned long millisecondes)
{
    return thread_.wait(millisecondes);
}

void AI_Joueur::lanceRecherche(const Partie& partie, int joueurAtout, const EnsembleDeCartes& main,
                               Joueur::Cb_CarteConseil* callback, const StatusAtout& atout)
{
    // The thread's request may only change while it is idle.
    thread_.arrete();
    thread_.modeSimple_ = modeSimple_;
    thread_.prepare(partie, joueurAtout, main, callback, atout);
    thread_.start(QThread::InheritPriority);
}

void AI_Joueur::demandeConseilCarte(QSharedPointer<Partie> partie, const EnsembleDeCartes* main, int joueurAtout,
                                    Joueur::Cb_CarteConseil* callback)
{
    if (partie.isNull()) {
        if (callback != nullptr)
            callback->carteConseillee(nullptr, false);
        return;
    }
    lanceRecherche(*partie, joueurAtout, main != nullptr ? *main : main_, callback, partie->atoutChoisi_);
}

void AI_Joueur::demande_Carte_(QSharedPointer<Partie> partie, int joueurAtout, const EnsembleDeCartes& main,
                               const StatusAtout& atout)
{
    annuleDemande();
    if (main.estVide()) {
        qWarning().noquote() << QStringLiteral("ERROR: Calling 'demande_Carte_' to player = %1, while he has %2 "
                                               "cards in hand")
                                    .arg(options_.sauveValeursDansString())
                                    .arg(main.getNombreDeCartes());
        return;
    }
    if (partie.isNull()) {
        qWarning().noquote() << QStringLiteral("AI_Joueur::demande_Carte_: no game for seat %1").arg(noJoueur_);
        return;
    }
    demandeCarte_ = demande_;
    lanceRecherche(*partie, joueurAtout, main, this, atout);
}

void AI_Joueur::posteErreur()
{
    if (destinataire_ != nullptr)
        QCoreApplication::postEvent(destinataire_, new ZB_AIError(QObject::tr("Erreur"), texteErreur()));
}

void AI_Joueur::carteConseillee(Carte* carte, bool erreur)
{
    // On the search thread.
    if (erreur) {
        posteErreur();
        return;
    }
    if (carte == nullptr)
        return;
    try {
        reponse_Carte(demandeCarte_.noDemande_, *carte, demandeCarte_.etat_, 0, demandeCarte_.noTable_);
    } catch (const GM_Exception& e) {
        // Nothing may leave a worker thread: the answer was refused, so the
        // table hears of a failure rather than waiting for a card forever.
        qWarning().noquote() << QStringLiteral("AI_Joueur: seat %1 card answer refused: %2")
                                    .arg(noJoueur_)
                                    .arg(e.getMessage());
        posteErreur();
    }
}

void AI_Joueur::conseilAtout(const EnsembleDeCartes& main, StatusAtout& conseil)
{
    AI_Conseil::conseilAtout(main, typeDePartie_, betBelote_, conseil);
}

void AI_Joueur::conseilMise(const EnsembleDeCartes& main, ZB_StatusMise& conseil)
{
    AI_Conseil::conseilMise(main, carteRetournee_, typeDePartie_, betBelote_, derniereMiseEquipe_, compteurMises_,
                            conseil);
}

void AI_Joueur::choisitAtout(StatusAtout&) {}
void AI_Joueur::choisitMise(ZB_StatusMise&) {}
void AI_Joueur::actionDistribue() {}
void AI_Joueur::actionRamasser() {}
void AI_Joueur::afficheAnalyse() {}
void AI_Joueur::cacheAnalyse() {}

void AI_Joueur::metAJourProbabilites(QSharedPointer<Partie> partie, const Carte* carte)
{
    thread_.wait();
    if (modele_ != nullptr && !partie.isNull())
        modele_->metAJour(carte, *partie);
}

void AI_Joueur::recoitAnnonces(int noJoueur, const AnnoncesJoueur& annonces)
{
    if (modele_ != nullptr)
        modele_->recoitAnnonces(noJoueur, annonces);
}

void AI_Joueur::attribueCarte(int noJoueur, const Carte& carte)
{
    if (modele_ != nullptr)
        modele_->attribueCarte(noJoueur, carte);
}

void AI_Joueur::marqueCartesConnues(int noJoueur, const EnsembleDeCartes& cartes)
{
    if (modele_ != nullptr)
        modele_->marqueCartesConnues(noJoueur, cartes);
}

void AI_Joueur::attribueCartes(int noJoueur, const EnsembleDeCartes& cartes)
{
    if (modele_ != nullptr)
        modele_->attribueCartes(noJoueur, cartes);
}

void AI_Joueur::miseAnnoncee(int noJoueur, const ZB_StatusMise& mise)
{
    if (noJoueur < 0 || noJoueur > 3 || noJoueur_ < 0 || noJoueur % 2 != noJoueur_ % 2)
        return;
    if (mise.miseFaite_) {
        if (miseEquipeConnue_ && derniereMiseEquipe_.miseFaite_ && derniereMiseEquipe_.atoutMise_ == mise.atoutMise_)
            ++compteurMises_;
        else
            compteurMises_ = 1;
    }
    if (!miseEquipeConnue_ || premiereMiseEquipe_.atoutMise_ != mise.atoutMise_)
        premiereMiseEquipe_ = mise;
    derniereMiseEquipe_ = mise;
    miseEquipeConnue_ = true;
}

void AI_Joueur::cartesRecues(const EnsembleDeCartes& cartes)
{
    if (modele_ != nullptr)
        modele_->cartesRecues(noJoueur_, cartes);
}

void AI_Joueur::setCarteRetournee(const Carte& carte)
{
    carteRetournee_ = &carte;
}

void AI_Joueur::reinitialiseModele()
{
    if (modele_ != nullptr)
        modele_->reinitialise();
}

void AI_Joueur::reinitialise()
{
    annuleDemande();
    main_.vide();
    reinitialiseModele();
    carteRetournee_ = nullptr;
}

void AI_Joueur::demande_ChoisitAtout_(const StatusAtout& demande)
{
    StatusAtout conseil = demande;
    conseilAtout(main_, conseil);
    if (conseil.choisi_) {
        const int mode = conseil.atout_;
        conseil.multiplicateur_ = (mode >= 1 && mode <= 11) ? typeDePartie_.multiplicateurs_[size_t(mode)] : 1;
    }
    reponse_ChoisitAtout(demande_.noDemande_, conseil, demande_.etat_, 0, demande_.noTable_, demande_.version_);
}

void AI_Joueur::demande_Annonce_(int modeAtout)
{
    reponse_Annonce(demande_.noDemande_, AnnoncesJoueur(main_, modeAtout), demande_.etat_, 0, demande_.noTable_);
}

void AI_Joueur::demande_ActionDistribue_()
{
    enAction_ = true;
    reinitialiseModele();
    reponse_ActionDistribue(demande_.noDemande_, demande_.etat_, 0, demande_.noTable_);
    enAction_ = false;
}

void AI_Joueur::demande_ActionRamasser_()
{
    enAction_ = true;
    reponse_ActionRamasser(demande_.noDemande_, demande_.etat_, 0, demande_.noTable_);
    enAction_ = false;
}

void AI_Joueur::demande_ChoisitMise_(const ZB_StatusMise& mise)
{
    ZB_StatusMise conseil = mise;
    conseilMise(main_, conseil);
    reponse_ChoisitMise(demande_.noDemande_, conseil, demande_.etat_, 0, demande_.noTable_, demande_.version_);
}

void AI_Joueur::demande_ActionFinDePartie_(bool gagne, bool egalite, bool enLigne)
{
    Q_UNUSED(gagne);
    Q_UNUSED(egalite);
    Q_UNUSED(enLigne);
    enAction_ = true;
    reponse_ActionFinDePartie(demande_.noDemande_, true, demande_.etat_, 0, demande_.noTable_);
    enAction_ = false;
}

void AI_Joueur::copieSubstitut(const AI_Joueur& autre)
{
    if (this == &autre)
        return;
    thread_.arrete();
    // Another player's search must not run while its state is read.
    const_cast<AI_Joueur&>(autre).thread_.arrete();
    if (generateur_ == nullptr)
        generateur_ = std::make_unique<GM_KnuthRandom>(true);
    if (autre.generateur_ != nullptr)
        *generateur_ = *autre.generateur_;
    else
        generateur_->reseedFromTime();
    modeSimple_ = autre.modeSimple_;
    if (autre.modele_ != nullptr) {
        if (modele_ == nullptr)
            modele_ = std::make_unique<AI_ProbaSimplifiee>(*autre.modele_);
        else
            *modele_ = *autre.modele_;
    }
    noJoueur_ = autre.noJoueur_;
    thread_.noJoueur_ = autre.thread_.noJoueur_;
    thread_.noPartenaire_ = autre.thread_.noPartenaire_;
    thread_.partie_.copie(autre.thread_.partie_);
    thread_.modele_ = modele_.get();
    thread_.generateur_ = generateur_.get();
    thread_.modeSimple_ = modeSimple_;
    thread_.stop_.store(autre.thread_.stop_.load());
}
