#include "JoueurResau.h"

#include "AI_Joueur.h"
#include "AI_ProbaSimplifiee.h"

JoueurResau::JoueurResau()
    : substitut_(std::make_unique<AI_Joueur>())
{
}

JoueurResau::~JoueurResau() = default;

JoueurResau& JoueurResau::operator=(const JoueurResau& autre)
{
    if (this == &autre)
        return *this;
    copieEtat(autre);
    substitut_->copieSubstitut(*autre.substitut_);
    return *this;
}

void JoueurResau::initialise(DisplayA* display, const OptionsDuJoueur& options, QObject* destinataire, int noJoueur,
                             const TypeDePartie& typeDePartie, bool modeSimple)
{
    display_ = display;
    options_ = options;
    destinataire_ = destinataire;
    noJoueur_ = noJoueur;
    demandeEnAttente_ = AttenteAucune;
    noTableEnAttente_ = -1;
    substitut_->initialise(display, options, destinataire, noJoueur, typeDePartie, modeSimple);
}

bool JoueurResau::substitutJoue(int modeJeu)
{
    return modeJeu == ModeOrdinateur || modeJeu == ModeOrdinateurAbsent || modeJeu == ModeRemplacant
        || modeJeu == ModeOrdinateurPartout;
}

void JoueurResau::prepareSubstitut()
{
    substitut_->demande_ = demande_;
    substitut_->main_ = main_;
}

void JoueurResau::garde(int attente, const InfoDemande& demande)
{
    demandeEnAttente_ = attente;
    noTableEnAttente_ = demande.noTable_;
}

int JoueurResau::peutJouerCarte(const Carte&)
{
    return 0;
}

bool JoueurResau::estJoueurManuel()
{
    return false;
}

void JoueurResau::annuleDemande()
{
    substitut_->annuleDemande();
}

void JoueurResau::demandeConseilCarte(QSharedPointer<Partie> partie, const EnsembleDeCartes* main, int joueurAtout,
                                      Cb_CarteConseil* callback)
{
    substitut_->demandeConseilCarte(partie, main != nullptr ? main : &main_, joueurAtout, callback);
}

void JoueurResau::annuleConseilCarte()
{
    substitut_->annuleConseilCarte();
}

void JoueurResau::conseilAtout(const EnsembleDeCartes& main, StatusAtout& conseil)
{
    substitut_->conseilAtout(main, conseil);
}

void JoueurResau::conseilMise(const EnsembleDeCartes& main, ZB_StatusMise& conseil)
{
    substitut_->conseilMise(main, conseil);
}

void JoueurResau::choisitAtout(StatusAtout&) {}
void JoueurResau::choisitMise(ZB_StatusMise&) {}
void JoueurResau::actionDistribue() {}
void JoueurResau::actionRamasser() {}
void JoueurResau::afficheAnalyse() {}
void JoueurResau::cacheAnalyse() {}

void JoueurResau::metAJourProbabilites(QSharedPointer<Partie> partie, const Carte* carte)
{
    substitut_->metAJourProbabilites(partie, carte);
}

void JoueurResau::recoitAnnonces(int noJoueur, const AnnoncesJoueur& annonces)
{
    substitut_->recoitAnnonces(noJoueur, annonces);
}

void JoueurResau::attribueCarte(int noJoueur, const Carte& carte)
{
    substitut_->attribueCarte(noJoueur, carte);
}

void JoueurResau::marqueCartesConnues(int noJoueur, const EnsembleDeCartes& cartes)
{
    substitut_->marqueCartesConnues(noJoueur, cartes);
    demandeEnAttente_ = AttenteAucune;
}

void JoueurResau::attribueCartes(int noJoueur, const EnsembleDeCartes& cartes)
{
    substitut_->attribueCartes(noJoueur, cartes);
}

void JoueurResau::miseAnnoncee(int noJoueur, const ZB_StatusMise& mise)
{
    substitut_->miseAnnoncee(noJoueur, mise);
}

void JoueurResau::cartesRecues(const EnsembleDeCartes& cartes)
{
    substitut_->cartesRecues(cartes);
}

void JoueurResau::setCarteRetournee(const Carte& carte)
{
    substitut_->setCarteRetournee(carte);
}

void JoueurResau::reinitialise()
{
    annuleDemande();
    main_.vide();
    substitut_->reinitialise();
}

void JoueurResau::demande_ChoisitAtout(const StatusAtout& atout, const InfoDemande& demande)
{
    demande_ = demande;
    if (substitutJoue(modeJeu_)) {
        prepareSubstitut();
        substitut_->demande_ChoisitAtout_(atout);
        return;
    }
    atoutEnAttente_ = atout;
    partieAtout_ = contexte_;
    garde(AttenteAtout, demande);
}

void JoueurResau::demande_ChoisitMise(const ZB_StatusMise& mise, const InfoDemande& demande)
{
    demande_ = demande;
    if (substitutJoue(modeJeu_)) {
        prepareSubstitut();
        substitut_->demande_ChoisitMise_(mise);
        return;
    }
    miseEnAttente_ = mise;
    partieMise_ = contexte_;
    garde(AttenteMise, demande);
}

void JoueurResau::demande_Annonce(const InfoDemande& demande, int modeAtout)
{
    demande_ = demande;
    if (substitutJoue(modeJeu_)) {
        prepareSubstitut();
        substitut_->demande_Annonce_(modeAtout);
        return;
    }
    partieAnnonce_ = contexte_;
    modeAtoutAnnonce_ = modeAtout;
    garde(AttenteAnnonce, demande);
}

void JoueurResau::demande_Carte(QSharedPointer<Partie> partie, const InfoDemande& demande, const StatusAtout& atout)
{
    demande_ = demande;
    const int joueurAtout = partie.isNull() ? 4 : partie->joueurQuiAChoisiAtout_;
    if (substitutJoue(modeJeu_)) {
        prepareSubstitut();
        substitut_->annuleConseilCarte();
        substitut_->demande_Carte_(partie, joueurAtout, main_, atout);
        return;
    }
    partieCarte_ = partie;
    joueurAtoutCarte_ = joueurAtout;
    mainCarte_ = main_;
    garde(AttenteCarte, demande);
}

void JoueurResau::demande_ActionDistribue(const InfoDemande& demande)
{
    demande_ = demande;
    // Whoever answers, the substitute starts the new deal knowing nothing.
    if (AI_ProbaSimplifiee* modele = substitut_->getProbabilites())
        modele->reinitialise();
    if (substitutJoue(modeJeu_)) {
        prepareSubstitut();
        substitut_->demande_ActionDistribue_();
        return;
    }
    garde(AttenteDistribue, demande);
}

void JoueurResau::demande_ActionRamasser(const InfoDemande& demande)
{
    demande_ = demande;
    if (substitutJoue(modeJeu_)) {
        prepareSubstitut();
        substitut_->demande_ActionRamasser_();
        return;
    }
    garde(AttenteRamasser, demande);
}

void JoueurResau::demande_ActionFinDePartie(bool gagne, bool egalite, bool enLigne, bool sansNouvellePartie,
                                            const InfoDemande& demande)
{
    Q_UNUSED(sansNouvellePartie);
    demande_ = demande;
    if (substitutJoue(modeJeu_)) {
        prepareSubstitut();
        substitut_->demande_ActionFinDePartie_(gagne, egalite, enLigne);
        return;
    }
    finGagne_ = gagne;
    finEgalite_ = egalite;
    finEnLigne_ = enLigne;
    garde(AttenteFinDePartie, demande);
}

void JoueurResau::forwardPendingRequest()
{
    if (demandeEnAttente_ == AttenteAucune)
        return;
    prepareSubstitut();
    switch (demandeEnAttente_) {
    case AttenteAtout:
        substitut_->demande_ChoisitAtout_(atoutEnAttente_);
        break;
    case AttenteAnnonce:
        substitut_->demande_Annonce_(modeAtoutAnnonce_);
        break;
    case AttenteCarte:
        // The seat may have been answered meanwhile: play only on its turn.
        if (!contexte_.isNull() && contexte_->noDuProchainAJouer_ == noJoueur_) {
            substitut_->annuleConseilCarte();
            substitut_->demande_Carte_(partieCarte_.isNull() ? contexte_ : partieCarte_, joueurAtoutCarte_,
                                       mainCarte_, contexte_->atoutChoisi_);
        }
        break;
    case AttenteDistribue:
        substitut_->demande_ActionDistribue_();
        break;
    case AttenteRamasser:
        substitut_->demande_ActionRamasser_();
        break;
    case AttenteFinDePartie:
        substitut_->demande_ActionFinDePartie_(finGagne_, finEgalite_, finEnLigne_);
        break;
    case AttenteMise:
        substitut_->demande_ChoisitMise_(miseEnAttente_);
        break;
    default:
        break;
    }
    demandeEnAttente_ = AttenteAucune;
}
