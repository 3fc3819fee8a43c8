#include "DisplayGLPanelDeJoueur.h"

#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "DisplayASiege.h"
#include "DisplayGLHumanCarte.h"
#include "EnsembleDeCartes.h"
#include "EvenementDeJeu.h"
#include "Joueur.h"
#include "PanelAtouts.h"
#include "Partie.h"
#include "StatusAtout.h"

#include <QPlainTextEdit>
#include <QTextCursor>

DisplayGLPanelDeJoueur::DisplayGLPanelDeJoueur(QObject* parent, PanelAtouts* panelAtouts, QWidget* conteneur,
                                               QPlainTextEdit* journal,
                                               const QList<QSharedPointer<DisplayGLHumanCarte>>& cartes)
    : QObject(parent)
    , panelAtouts_(panelAtouts)
    , conteneur_(conteneur)
    , journal_(journal)
    , cartes_(cartes)
{
    montreApresDonne_.setSingleShot(true);
    connect(&montreApresDonne_, &QTimer::timeout, this, [this] {
        if (conteneur_ && !(spectateur_ && spectateur_()))
            conteneur_->show();
    });
}

DisplayGLPanelDeJoueur::~DisplayGLPanelDeJoueur()
{
    fermeChoix_();
}

// ------------------------------------------------------------------ helpers

bool DisplayGLPanelDeJoueur::estAffiche() const
{
    Joueur* joueur = joueur_.data();
    if (!joueur)
        return false;
    if (joueur->estJoueurManuel())
        return true;
    auto* siege = dynamic_cast<DisplayASiege*>(joueur);
    return siege && siege->estAfficheSurPanneau();
}

bool DisplayGLPanelDeJoueur::estOffert_() const
{
    return estAffiche() && !(spectateur_ && spectateur_());
}

DisplayGLHumanCarte* DisplayGLPanelDeJoueur::sprite_(int index) const
{
    if (index < 0 || index >= cartes_.size())
        return nullptr;
    return cartes_.at(index).data();
}

void DisplayGLPanelDeJoueur::mainEnEtat_(int etat, bool anime)
{
    Joueur* joueur = joueur_.data();
    if (!joueur)
        return;
    for (Carte* carte : joueur->main_)
        if (DisplayGLHumanCarte* sprite = carte ? sprite_(carte->getIndex()) : nullptr)
            sprite->setState(etat, anime, 0);
}

void DisplayGLPanelDeJoueur::montreAtouts_(bool chibre)
{
    if (panelAtouts_)
        panelAtouts_->afficheChoixAtout(type_, chibre);
}

void DisplayGLPanelDeJoueur::montreMises_(const ZB_StatusMise& mise)
{
    Joueur* joueur = joueur_.data();
    if (panelAtouts_ && joueur)
        panelAtouts_->afficheChoixMise(mise, type_, joueur->noJoueur_);
}

void DisplayGLPanelDeJoueur::montreConteneur_()
{
    if (!conteneur_)
        return;
    const int attente = attenteMain_ ? attenteMain_() : 0;
    if (attente > 0 && !conteneur_->isVisible()) {
        montreApresDonne_.start(attente);
        return;
    }
    montreApresDonne_.stop();
    conteneur_->show();
}

void DisplayGLPanelDeJoueur::cacheConteneur_()
{
    montreApresDonne_.stop();
    if (conteneur_)
        conteneur_->hide();
}

void DisplayGLPanelDeJoueur::connecteAtout_()
{
    // One connection, however often the choice is shown: a second one would
    // answer every button twice.
    if (!panelAtouts_ || connexionAtout_)
        return;
    connexionAtout_ = connect(panelAtouts_, &PanelAtouts::signalAtoutButtonPressed_, this,
                              &DisplayGLPanelDeJoueur::OnAtoutButtonPressed_);
}

void DisplayGLPanelDeJoueur::connecteMise_()
{
    if (!panelAtouts_)
        return;
    disconnect(connexionMise_);
    connexionMise_ = connect(panelAtouts_, &PanelAtouts::signalBetAnswer_, this, &DisplayGLPanelDeJoueur::OnBetAnswer_);
}

void DisplayGLPanelDeJoueur::fermeChoix_()
{
    choixAtoutOuvert_ = false;
    choixMiseOuvert_ = false;
    disconnect(connexionAtout_);
    disconnect(connexionMise_);
    connexionAtout_ = {};
    connexionMise_ = {};
}

// ---------------------------------------------------- the player's requests

void DisplayGLPanelDeJoueur::initialise(QString nomAffiche, int noJoueur, bool drapeau1, bool drapeau2,
                                        Joueur* joueur, const TypeDePartie& type, int valeur1, int valeur2)
{
    Q_UNUSED(noJoueur);
    Q_UNUSED(drapeau1);
    Q_UNUSED(drapeau2);
    Q_UNUSED(valeur1);
    Q_UNUSED(valeur2);
    // The table number of the request is the table's to say.
    demande_.etat_ = -1;
    demande_.mode_ = EvenementDeJeu::ModeRejeuTransmis;
    demande_.noDemande_ = -1;
    demande_.version_ = 0;
    attente_ = AttenteAucune;
    carteDemandee_ = false;
    fermeChoix_();
    chibreOffert_ = false;
    joueur_ = joueur;
    type_ = type;
    nom_ = nomAffiche;
    if (panelAtouts_)
        panelAtouts_->setModePrise(false);
    cacheConteneur_();
}

void DisplayGLPanelDeJoueur::afficheCartes(const EnsembleDeCartes& cartes, bool cachees)
{
    Q_UNUSED(cachees);
    if (!estAffiche())
        return;
    for (Carte* carte : cartes)
        if (DisplayGLHumanCarte* sprite = carte ? sprite_(carte->getIndex()) : nullptr)
            sprite->setState(DisplayGLHumanCarte::EnMain, true, 0);
}

void DisplayGLPanelDeJoueur::ajouteTexte(const QString& texte)
{
    if (!estAffiche() || !journal_)
        return;
    journal_->appendPlainText(texte);
    journal_->moveCursor(QTextCursor::End);
}

void DisplayGLPanelDeJoueur::afficheChoix()
{
    if (estOffert_())
        montreConteneur_();
}

void DisplayGLPanelDeJoueur::afficheChoixAtout(bool chibre, bool anime, int inutilise)
{
    Q_UNUSED(inutilise);
    Joueur* joueur = joueur_.data();
    if (!joueur || !estOffert_())
        return;
    chibreOffert_ = chibre;
    montreAtouts_(chibre);
    montreConteneur_();
    if (joueur->estJoueurManuel()) {
        choixMiseOuvert_ = false;
        choixAtoutOuvert_ = true;
        connecteAtout_();
    }
    mainEnEtat_(DisplayGLHumanCarte::Surlignee, anime);
}

void DisplayGLPanelDeJoueur::finChoixAtout()
{
    // Whatever was chosen (a trump or a bid) or ran out, the choice is over.
    fermeChoix_();
    // The strip is shared by the four seats' panels: a seat that never
    // showed it must not close the one the local user is answering.
    if (!estAffiche())
        return;
    cacheConteneur_();
    mainEnEtat_(DisplayGLHumanCarte::EnMain, true);
}

void DisplayGLPanelDeJoueur::cacheChoixAtout()
{
    if (estAffiche())
        cacheConteneur_();
}

void DisplayGLPanelDeJoueur::afficheChoixPourMise()
{
    if (estOffert_())
        montreConteneur_();
}

void DisplayGLPanelDeJoueur::afficheChoixMise(const ZB_StatusMise& mise, bool anime, int inutilise)
{
    Q_UNUSED(inutilise);
    Joueur* joueur = joueur_.data();
    if (!joueur || !estOffert_())
        return;
    mise_ = mise;
    montreMises_(mise_);
    montreConteneur_();
    if (joueur->estJoueurManuel()) {
        choixAtoutOuvert_ = false;
        choixMiseOuvert_ = true;
        connecteMise_();
    }
    mainEnEtat_(DisplayGLHumanCarte::Surlignee, anime);
}

void DisplayGLPanelDeJoueur::finChoixMise()
{
    choixMiseOuvert_ = false;
    disconnect(connexionMise_);
    connexionMise_ = {};
    if (!estAffiche())
        return;
    cacheConteneur_();
    mainEnEtat_(DisplayGLHumanCarte::EnMain, true);
}

void DisplayGLPanelDeJoueur::cacheChoixMise()
{
    if (estAffiche())
        cacheConteneur_();
}

void DisplayGLPanelDeJoueur::cacheChoix()
{
    if (estAffiche())
        cacheConteneur_();
}

void DisplayGLPanelDeJoueur::demandeCarte(const InfoDemande& demande)
{
    demande_ = demande;
    carteDemandee_ = true;
    // The table asks a seat one thing at a time: a deal or collect still
    // pending was answered without the panel (an undo replays its answer
    // from the record), and the next click on the hand must not send it
    // again nor say "Patientez..." while the card is asked.
    attente_ = AttenteAucune;
    Joueur* joueur = joueur_.data();
    if (!joueur || !estAffiche())
        return;
    cacheConteneur_();
    const bool manuel = joueur->estJoueurManuel() && estOffert_();
    for (Carte* carte : joueur->main_) {
        DisplayGLHumanCarte* sprite = carte ? sprite_(carte->getIndex()) : nullptr;
        if (!sprite)
            continue;
        // The local user's seat played by someone else, or only watched: the
        // hand is shown, never offered.
        if (!manuel)
            sprite->setState(DisplayGLHumanCarte::EnMain, true, 0);
        else if (Partie::estCodeJouable(joueur->peutJouerCarte(*carte)))
            sprite->setState(DisplayGLHumanCarte::Posee, true, 0);
        else
            sprite->setState(DisplayGLHumanCarte::Assombrie, true, 0);
    }
}

void DisplayGLPanelDeJoueur::finDemandeCarte()
{
    carteDemandee_ = false;
    if (estAffiche())
        mainEnEtat_(DisplayGLHumanCarte::EnMain, true);
}

void DisplayGLPanelDeJoueur::attendDistribue()
{
    attente_ = AttenteDistribue;
}

void DisplayGLPanelDeJoueur::effaceAttente()
{
    attente_ = AttenteAucune;
}

void DisplayGLPanelDeJoueur::attendRamasser()
{
    attente_ = AttenteRamasser;
}

void DisplayGLPanelDeJoueur::effaceAttenteRamasser()
{
    attente_ = AttenteAucune;
}

void DisplayGLPanelDeJoueur::attendAction2()
{
    attente_ = AttenteAction2;
}

void DisplayGLPanelDeJoueur::effaceAttente2()
{
    attente_ = AttenteAucune;
    if (estAffiche())
        mainEnEtat_(DisplayGLHumanCarte::EnMain, true);
}

void DisplayGLPanelDeJoueur::attendAction4()
{
    attente_ = AttenteAction4;
}

void DisplayGLPanelDeJoueur::effaceAttente4()
{
    attente_ = AttenteAucune;
}

void DisplayGLPanelDeJoueur::montreAnnonce(const AnnoncesJoueur& annonces)
{
    Joueur* joueur = joueur_.data();
    if (!joueur || !estAffiche())
        return;
    for (Carte* carte : joueur->main_)
        if (carte && annonces.contientCarte(carte))
            if (DisplayGLHumanCarte* sprite = sprite_(carte->getIndex()))
                sprite->setState(DisplayGLHumanCarte::Surlignee, true, 0);
}

void DisplayGLPanelDeJoueur::cacheCartes()
{
    if (estAffiche())
        mainEnEtat_(DisplayGLHumanCarte::Cachee, false);
}

bool DisplayGLPanelDeJoueur::executeAttente()
{
    Joueur* joueur = joueur_.data();
    if (!joueur || !joueur->estJoueurManuel())
        return false;
    // The player clears the pending action as it answers, so a second
    // click finds nothing to do.
    switch (attente_) {
    case AttenteDistribue:
        joueur->actionDistribue();
        return true;
    case AttenteRamasser:
        joueur->actionRamasser();
        return true;
    default:
        return false;
    }
}

// ----------------------------------------------------------- user answers

void DisplayGLPanelDeJoueur::joueCarteChoisie(Carte* carte)
{
    Joueur* joueur = joueur_.data();
    if (!carte || !joueur || !carteDemandee_)
        return;
    carteAide_ = -1;
    emit signalSetHelpText(QString());
    // The request is taken before the answer leaves: whatever the answer
    // sets off, no second card goes out for it.
    const InfoDemande demande = demande_;
    carteDemandee_ = false;
    try {
        joueur->reponse_Carte(demande.noDemande_, *carte, demande.etat_, EvenementDeJeu::Local_Human,
                              demande.noTable_);
    } catch (...) {
        // Nothing left: the card stays in the hand, the request open.
        carteDemandee_ = true;
        throw;
    }
    if (DisplayGLHumanCarte* sprite = sprite_(carte->getIndex()))
        sprite->setState(DisplayGLHumanCarte::Cachee, false, 0);
}

void DisplayGLPanelDeJoueur::afficheAideCarte(Carte* carte, int modeChoisi, int atoutEnCours)
{
    Joueur* joueur = joueur_.data();
    if (!carteDemandee_ || !carte || !joueur)
        return;
    const int code = joueur->peutJouerCarte(*carte);
    if (code == 0)
        return;
    QString texte = texteValiditeCarte(code);
    if (Partie::estCodeJouable(code))
        texte += QLatin1Char(' ') + tr("Celle-ci vaut %2 points.").arg(carte->getPoints(atoutEnCours, modeChoisi));
    carteAide_ = carte->getIndex();
    modeAide_ = modeChoisi;
    atoutAide_ = atoutEnCours;
    emit signalSetHelpText(texte);
}

void DisplayGLPanelDeJoueur::retraduitAideCarte()
{
    Joueur* joueur = joueur_.data();
    if (carteAide_ < 0 || !joueur)
        return;
    for (Carte* carte : joueur->main_)
        if (carte && carte->getIndex() == carteAide_) {
            afficheAideCarte(carte, modeAide_, atoutAide_);
            return;
        }
    carteAide_ = -1;
}

void DisplayGLPanelDeJoueur::OnAtoutButtonPressed_(int mode)
{
    Joueur* joueur = joueur_.data();
    if (!joueur || !choixAtoutOuvert_ || mode < MODE_CHIBRE || mode > DERNIER_MODE_ATOUT)
        return;
    // Passing on is allowed only where it was offered: the table would
    // refuse it from the partner who has to choose.
    if (mode == MODE_CHIBRE && !chibreOffert_)
        return;
    fermeChoix_();
    StatusAtout atout;
    atout.multiplicateur_ = -1;
    if (mode == MODE_CHIBRE) {
        atout.chibre_ = true;
    } else {
        atout.atout_ = mode;
        atout.choisi_ = true;
    }
    joueur->choisitAtout(atout);
}

void DisplayGLPanelDeJoueur::OnBetAnswer_(ZB_StatusMise const status)
{
    Joueur* joueur = joueur_.data();
    if (!joueur || !choixMiseOuvert_)
        return;
    fermeChoix_();
    ZB_StatusMise mise = status;
    joueur->choisitMise(mise);
}
