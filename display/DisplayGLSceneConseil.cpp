#include "DisplayGLScene.h"

#include "AnalyseJoueur.h"
#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "EtatDeJeu.h"
#include "GL_ObjectSquare.h"
#include "GM_WidgetAutoRound.h"
#include "NomsDeCouleurs.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_StatusMise.h"
#include "ui_MessageBoxGl.h"

#include <QEvent>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QMutexLocker>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>

#include "DisplayGLSceneInterne.h"

using namespace scene_interne;

// Human play beyond the mouse: the computer's advice for the local human
// (the card fetched in the background, its highlight after a pause, the help
// box that explains the situation), the automatic continuation, the online
// marks and the scene's retranslation.

namespace {

// The advised card is tinted only after the human had time to think.
constexpr qint64 DELAI_TEINTE_CONSEIL_MS = 3000;
constexpr int DUREE_NOTIFICATION_MS = 2000;
constexpr int PAS_ATTENTE_AIDE_MS = 50;
constexpr int COTE_ICONE_NOMBRE = 48;
constexpr double AGRANDISSEMENT_POLICE_NOMBRE = 1.1;
constexpr int ATOUTS_PEU = 4;
constexpr int BONUS_TOUS_LES_PLIS = 100;
constexpr int VALEUR_BOUR = 11;
constexpr int CARTES_PAR_COULEUR = 9;
// Deck indices of a trump suit's jack and nine: 9 x suit - 4 and - 6.
constexpr int DECALAGE_BOUR = 4;
constexpr int DECALAGE_NEL = 6;
const char* const SEPARATEUR = "<br><br>";

bool estCodeJouable(int code)
{
    return (code >= 1 && code <= 8) || code == 13;
}

bool estCouleur(int atout)
{
    return atout >= 1 && atout <= 4;
}

} // namespace

// ------------------------------------------------------------------ advice

void DisplayGLScene::carteConseillee(Carte* carte, bool erreur)
{
    // On the search thread.
    bool enCours = false;
    {
        QMutexLocker lock(&mutexCarteConseil_);
        // An answer for a state the table has left advises nothing.
        carteConseil_ = erreur || ignoreConseil_ ? nullptr : carte;
        ignoreConseil_ = false;
        enCours = conseilEnCours_.exchange(false);
    }
    if (enCours)
        placeConseil_.release();
}

bool DisplayGLScene::demandeConseil(Joueur* joueur, QSharedPointer<Partie> partie, int joueurAtout)
{
    if (!joueur)
        return false;
    if (!placeConseil_.tryAcquire()) {
        // The search for an earlier request is stale: it is stopped, and its
        // answer gives the place back.
        if (Joueur* ancien = joueurConseil_.data())
            ancien->annuleConseilCarte();
        if (!placeConseil_.tryAcquire(1, ATTENTE_CONSEIL_MAX_MS)) {
            qWarning() << "DisplayGLScene: the previous advice search does not answer; no advice this time";
            return false;
        }
    }
    {
        QMutexLocker lock(&mutexCarteConseil_);
        carteConseil_ = nullptr;
        ignoreConseil_ = false;
        conseilEnCours_.store(true);
    }
    joueurConseil_ = joueur;
    chronoConseil_.start();
    joueur->demandeConseilCarte(std::move(partie), nullptr, joueurAtout, this);
    return true;
}

bool DisplayGLScene::attendConseil(int delaiMs)
{
    if (!placeConseil_.tryAcquire(1, delaiMs))
        return false;
    placeConseil_.release();
    return true;
}

Carte* DisplayGLScene::carteConseil() const
{
    QMutexLocker lock(&mutexCarteConseil_);
    return carteConseil_;
}

void DisplayGLScene::effaceCarteConseil()
{
    QMutexLocker lock(&mutexCarteConseil_);
    carteConseil_ = nullptr;
    // The search still running answers for a request that is gone.
    if (conseilEnCours_.load())
        ignoreConseil_ = true;
}

void DisplayGLScene::OnHelpCardHightlight()
{
    // While the search runs there is nothing to tint yet; the timer looks
    // again at its next tick.
    if (conseilEnCours_.load())
        return;
    if (!options_.coloredCard_ || !boutonAide_->isEnabled() || !chronoConseil_.isValid()
        || chronoConseil_.elapsed() < DELAI_TEINTE_CONSEIL_MS)
        return;
    const Carte* carte = carteConseil();
    if (!carte)
        return;
    const int index = carte->getIndex();
    if (index < 0 || index >= cartesJeu_.size())
        return;
    if (DisplayGLHumanCarte* sprite = cartesJeu_.at(index).data())
        sprite->setTinted(true);
}

void DisplayGLScene::OnHelpTimeout()
{
    timerAide_.stop();
    refreshStatusText();
}

QString DisplayGLScene::texteConseilMise_(Joueur* joueur) const
{
    ZB_StatusMise conseil = statusMise_;
    joueur->conseilMise(joueur->main_, conseil);
    if (!conseil.miseFaite_)
        return tr("L'ordinateur vous conseille de 'Passer'.");
    if (conseil.atoutMise_ == 0)
        return tr("L'ordinateur vous conseille de 'Prendre'.");
    const bool coinche = styleContre_ == VARIANTE_COINCHE;
    const QString contre = coinche ? tr("Coincher") : tr("Contrer");
    const QString surcontre = coinche ? tr("Surcoincher") : tr("Surcontrer");
    const QString atout = nomAtoutConseil(conseil.atoutMise_, jeuDeCartes_.getStyle());
    switch (conseil.typeContrat_) {
    // An advised bid names its amount and trump, whichever of the two
    // kinds of a plain bid the advice gives.
    case ZB_StatusMise::PasEncoreDeMise:
    case ZB_StatusMise::Simple:
        return tr("L'ordinateur vous conseille de choisir '%1 %2'.").arg(QString::number(conseil.pointsMise_), atout);
    case ZB_StatusMise::Contre:
    case ZB_StatusMise::CapotContre:
        return tr("L'ordinateur vous conseille de '%1'.").arg(contre);
    case ZB_StatusMise::Surcontre:
    case ZB_StatusMise::CapotSurcontre:
        return tr("L'ordinateur vous conseille de '%1'.").arg(surcontre);
    case ZB_StatusMise::Capot:
        return tr("L'ordinateur vous conseille de choisir 'Capot en %1'.").arg(atout);
    case ZB_StatusMise::PrendCouleurRetournee:
        return tr("L'ordinateur vous conseille de 'Prendre'.");
    default:
        return QString();
    }
}

QString DisplayGLScene::texteConseilPli_(const Partie& jeu, int siegeLocal, int atoutsEnJeu) const
{
    const int etat = etatCourant_;
    const int p = ((etat - EtatDeJeu::Tour1_AttendCarte1) % NOMBRE_SIEGES + NOMBRE_SIEGES) % NOMBRE_SIEGES;
    const int preneur = jeu.joueurQuiAChoisiAtout_;
    const bool notreAtout = preneur >= 0 && (preneur == siegeLocal || preneur == (siegeLocal + 2) % NOMBRE_SIEGES);
    const bool couleurAtout = estCouleur(jeu.atoutEnCours_);
    const bool belote = jeu.typeDePartie_.genre_ == TypeDePartie::GenreBelote;
    const QString tousLesPlis = belote ? tr("Capot") : tr("Match");
    const int bonus = BONUS_TOUS_LES_PLIS * jeu.multiplicateur_;
    const QString partenaire =
        tr("Si c'est votre partenaire qui prends la main, donnez lui des points (par exemple un dix). Ou alors si "
           "vous pouvez prendre le 'Pli', n'hésitez pas et jouez vos 'Boques' (cartes gagnantes).");
    const QString br = QString::fromLatin1(SEPARATEUR);
    QString t;
    if (p == 0) {
        t += tr("Vous ouvrez le 'pli', car vous avez remporté la main précédente. ");
        if (notreAtout && couleurAtout) {
            t += br;
            if (atoutsEnJeu < ATOUTS_PEU)
                t += tr("Comme il reste peu d'atouts, vous devriez jouer vos cartes 'Boque' (cartes gagnantes). Si "
                        "vous n'avez pas de 'Boque', alors tentez de donner la main à votre partenaire, en jouant "
                        "une carte modeste. ");
            else
                t += tr("Comme il reste des atout, si vous le pouvez, il est conseillé de faire un nouveau tour en "
                        "atout. Ainsi vous pourrez jouer vos carte 'Boque' (cartes gagnantes) sans risque plus "
                        "tard. Si vous pensez que ces atouts sont tous chez vous ou votre partenaire, alors vous "
                        "devriez jouer vos 'Boque', par exemple des as. ");
            t += tr("Vous pouvez aussi tenter de rendre vos propres cartes gagnantes, par exemple en jouant une "
                    "petite carte dans une couleur oû vous avez un roi, avec l'espoir qu'un autre joueur joue l'as "
                    "de la même couleur.");
        } else {
            t += br;
            if (couleurAtout)
                t += tr("Comme vous n'avez pas fait atout, au début, il est pratique de conserver vos atouts et vos "
                        "cartes 'Boque' (cartes gagnantes). Ensuite, jouez vos atouts lorsque les points sur le tas "
                        "sont suffisants (par exemple lorsqu'un as s'y trouve). ");
            t += partenaire;
        }
    } else {
        if (couleurAtout)
            t += tr("Si vous le pouvez, jouez vos atouts pour 'couper' lorsque les points sur le tas sont suffisants "
                    "(par exemple lorsqu'un as s'y trouve). En effet, une carte de couleur atout (actuellement "
                    "'%1') prends sur toutes les autres couleurs. ")
                     .arg(nomAtoutConseil(jeu.atoutEnCours_, jeuDeCartes_.getStyle()));
        t += partenaire;
    }
    // Both paragraphs read the teams by their fixed numbers.
    const int ramasseesEquipe0 = jeu.getNombreCartesRamassees(0);
    const int ramasseesEquipe1 = jeu.getNombreCartesRamassees(1);
    if (notreAtout && ramasseesEquipe1 == 0 && ramasseesEquipe0 > 0)
        t += br
             + tr("Comme c'est encore possible, vous devriez tentez le '%1' (remporter toutes les plis), car cela "
                  "rapporterait %2 points de plus.")
                   .arg(tousLesPlis)
                   .arg(bonus);
    if (ramasseesEquipe0 == 0 && ramasseesEquipe1 > 0)
        t += br
             + tr("Actuellement, vous risquez le '%1' (perdre toutes les plis). Cela rapporterait %2 points de plus à "
                  "votre adversaire. Assurez-vous donc de faire au moins une plie.")
                   .arg(tousLesPlis)
                   .arg(bonus);
    if (couleurAtout)
        t += br
             + tr("Il est courant de compter les atouts mentalement, pour savoir quand jouer les 'Boque' (cartes "
                  "gagnantes) sans risque.");
    return t;
}

QString DisplayGLScene::texteAideSituation()
{
    // The advised card is read once its search is over.
    if (!attendConseil(ATTENTE_CONSEIL_MAX_MS))
        qWarning() << "DisplayGLScene: the advice search did not answer in time for the help box";
    const QSharedPointer<Partie> jeu = partie();
    const Siege& local = sieges_[static_cast<size_t>(siegeBas_)];
    Joueur* joueur = local.joueur;
    const int etat = etatCourant_;
    const int style = jeuDeCartes_.getStyle();
    const QString br = QString::fromLatin1(SEPARATEUR);
    QString h;

    int atoutsEnJeu = 0;
    if (jeu && etat > EtatDeJeu::Tour1_NouveauJoueur1 + 3) {
        const int atout = jeu->atoutChoisi_.atout_;
        if (estCouleur(atout)) {
            for (const Carte* carte : jeu->cartesEnMain_)
                atoutsEnJeu += carte && carte->getCouleur() == atout;
            if (atoutsEnJeu != 0)
                h += tr("Il reste %1 atout(s) en jeu.").arg(atoutsEnJeu) + br;
        }
    }
    if (jeu) {
        if (const Carte* carte = carteConseil()) {
            const QString nom =
                tr("%1 de %2").arg(getNomValeur(carte->getValeur(), style), getNomAtout(carte->getCouleur(), style));
            const Carte* entame = jeu->getCarteDuPli(0);
            const bool coupe = carte->getCouleur() == jeu->atoutEnCours_ && entame
                               && entame->getCouleur() != carte->getCouleur();
            h += (coupe ? tr("L'ordinateur vous conseille de 'Couper' avec '%1'.")
                        : tr("L'ordinateur vous conseille de jouer '%1'."))
                     .arg(nom)
                 + br;
        }
    }
    if (joueur && (etat == EtatDeJeu::AttendAtout || etat == EtatDeJeu::AttendAtoutChibre)) {
        StatusAtout conseil;
        conseil.chibre_ = etat == EtatDeJeu::AttendAtoutChibre;
        joueur->conseilAtout(joueur->main_, conseil);
        if (conseil.estPasseAuPartenaire())
            h += tr("L'ordinateur vous conseille de choisir 'Chibre', ce qui signifie laisser le choix de l'atout à "
                    "votre partenaire.")
                 + br;
        else if (conseil.atout_ != StatusAtout::Aucun)
            h += tr("L'ordinateur vous conseille de choisir '%1'.").arg(nomAtoutConseil(conseil.atout_, style)) + br;
    }
    if (joueur && EtatDeJeu::estAttenteMise(etat))
        h += texteConseilMise_(joueur) + br;

    const QString bour = getNomValeur(VALEUR_BOUR, style);
    const QString conseilCouleur =
        tr("Il est conseillé de choisir une couleur dans laquelle vous aurez le bour (%1 d'atout), le nel (Le Neuf "
           "d'atout), puis l'as, etc. Plus vous avez d'atout, meilleures sont vos chances.")
            .arg(bour);
    if (EtatDeJeu::estInscriptionJoueur(etat) || EtatDeJeu::estAttenteDistribue(etat)) {
        h += tr("Ce menu vous permet d'obtenir de l'aide sur les règles, le jeu et ses détails, tout au long de la "
                "partie.<br><br>Comme la partie n'est pas débutée, il n'y a actuellement pas d'aide disponible.");
    } else if (etat >= EtatDeJeu::AttendMise1_1 && etat <= EtatDeJeu::AttendMise1_4) {
        h += tr("Vous devez choisir la mise, ou 'Passer'. La couleur de cette mise sera celle d'atout, qui "
                "surclassera toute les autres. ")
             + conseilCouleur;
    } else if (EtatDeJeu::estAttenteMise(etat)) {
        h += tr("Vous pouvez 'Passer' ou choisir l'atout. L'atout sera la couleur qui surclasse toute les autres. ")
             + conseilCouleur;
    } else if (etat == EtatDeJeu::AttendAtout || etat == EtatDeJeu::AttendAtoutChibre) {
        h += tr("Vous devez choisir l'atout: L'atout sera la couleur qui surclasse toute les autres. ") + conseilCouleur;
        if (etat == EtatDeJeu::AttendAtout)
            h += tr("<br><br>Si vous pensez ne pas avoir de bon choix, vous pouvez 'Chibrer'. Par contre c'est à "
                    "éviter si il vous manque une couleur, car il est alors possible que votre partenaire choisisse "
                    "la couleur qui vous manque, ce qui serait un handicap.");
    } else if (etat == EtatDeJeu::Tour1_AttendCarte1) {
        if (jeu && jeu->noDuProchainAJouer_ == local.numero) {
            const int atout = jeu->atoutChoisi_.atout_;
            if (estCouleur(atout)) {
                auto nomCarte = [this, style](int index) {
                    const Carte* c = deck_.getCarteParIndex(index);
                    return c ? tr("%1 de %2").arg(getNomValeur(c->getValeur(), style),
                                                  getNomAtout(c->getCouleur(), style))
                             : QString();
                };
                h += tr("Vous commencez le tour: Il est conseillé de faire 'tomber les atouts', pour que vous ou "
                        "votre partenaire puissiez jouer vos cartes gagnantes plus tard, sans risquer d'être pris "
                        "par un atout adverse.<br><br>Au premier tour, il est généralement d'usage de jouer votre "
                        "atout le plus haut, par exemple le bour (%1), sinon le nel (%2), puis l'as, etc.<br><br>"
                        "Ainsi, votre partenaire saura quelle est votre meilleure carte.")
                         .arg(nomCarte(CARTES_PAR_COULEUR * atout - DECALAGE_BOUR),
                              nomCarte(CARTES_PAR_COULEUR * atout - DECALAGE_NEL));
            } else if (jeu->atoutEnCours_ == StatusAtout::HautEnBas) {
                h += tr("Vous commencez la partie, et il s'agit d'une partie sans atouts de haut en bas. Un coup "
                        "sans risque est de jouer un as.");
            } else {
                h += tr("Vous commencez la partie, et il s'agit d'une partie sans atouts de bas en haut. Un coup "
                        "sans risque est de jouer un six.");
            }
        }
    } else if (EtatDeJeu::estAttenteDeCarte(etat)) {
        if (jeu)
            h += texteConseilPli_(*jeu, local.numero, atoutsEnJeu);
    } else if (EtatDeJeu::estConfirmationAnnonces(etat)) {
        h += tr("Dans ce jeu, les annonces sont gérées par l'ordinateur. Une annonce est une combinaison de cartes "
                "qui rapporte des points au début du jeu.<br><br>- 3 cartes de couleur identique qui se suivent "
                "donnent 20 points<br>- 4 cartes 50 points<br>- 5 cartes 100 points.<br><br>Les carrés à partir "
                "des dix donnent 100 points, sauf les 4 nels (neuf) qui donnent 150 et les 4 bours (valet) qui "
                "donnent 200 points.<br><br>Notez que mémoriser les annonces des autres joueurs permet de "
                "connaitre une partie de leur jeu.");
    } else if (etat >= EtatDeJeu::PaireBelote_AttendRamasseTas1 && etat <= EtatDeJeu::PaireBelote_AttendRamasseTas4) {
        h += tr("La partie est exceptionnellement terminée avant la fin du tour, car un joueur a fait une annonce qui "
                "permet à son équipe de gagner immédiatement.");
    }
    return h;
}

void DisplayGLScene::OnHelpPressed()
{
    // A second press while the box waits adds nothing.
    if (aideEnAttente_)
        return;
    attenteAide_.start();
    montreAide_();
}

void DisplayGLScene::montreAide_()
{
    // Waiting for the search on the event loop keeps the window alive; the
    // box names the advised card once it is there.
    if (conseilEnCours_.load() && attenteAide_.elapsed() < ATTENTE_CONSEIL_MAX_MS) {
        aideEnAttente_ = true;
        QTimer::singleShot(PAS_ATTENTE_AIDE_MS, this, &DisplayGLScene::montreAide_);
        return;
    }
    aideEnAttente_ = false;
    messageBox(static_cast<GM::Icon>(IconeAide), tr("Aide"), texteAideSituation(), GM::Ok);
}

// ------------------------------------------------------- small slots

void DisplayGLScene::OnRamasseAuto()
{
    const Siege& local = sieges_[static_cast<size_t>(siegeBas_)];
    if (local.numero < 0 || !local.panneau)
        return;
    local.panneau->executeAttente();
}

void DisplayGLScene::OnDebugTest()
{
    const Siege& local = sieges_[static_cast<size_t>(siegeBas_)];
    if (!local.joueur)
        return;
    for (Carte* carte : local.joueur->main_) {
        if (!carte || !estCodeJouable(local.joueur->peutJouerCarte(*carte)))
            continue;
        const int index = carte->getIndex();
        if (index >= 0 && index < cartesJeu_.size() && cartesJeu_.at(index))
            OnMouseDoubleClicked(cartesJeu_.at(index).data());
        return;
    }
}

void DisplayGLScene::OnNotifyHide()
{
    timerNotification_.stop();
    if (notification_)
        notification_->setShown(false, modeVue_ != MODE_VUE_SANS_ANIMATION);
}

void DisplayGLScene::showNotify()
{
    joueSon(ZB_Sound::Sifflet);
    if (!notification_)
        return;
    notification_->setShown(true, true);
    timerNotification_.start(DUREE_NOTIFICATION_MS);
    rafraichitCouche();
}

void DisplayGLScene::afficheRejointPartieEnLigne(bool enLigne, const QString& nomTable)
{
    if (enLigne && !enLigne_)
        afficheMessageReseau(nomTable.isEmpty() ? tr("Vous avez rejoint la partie en ligne.")
                                                : tr("Vous avez rejoint la partie en ligne '%1'.").arg(nomTable));
    setPartieEnLigne(enLigne);
    if (!automatique_) {
        const QSharedPointer<Partie> jeu = partie();
        redessineCartes(jeu ? jeu->atoutEnCours_ : 0);
    }
}

void DisplayGLScene::afficheNombreSurBouton(int genre, int nombre)
{
    switch (genre) {
    case 0:
        boutonConnexion_->setIcon(iconeDeconnecte_);
        return;
    case 1:
        boutonConnexion_->setIcon(iconeEnCours_);
        return;
    case 2:
        break;
    default:
        return;
    }
    QPixmap image = iconeConnecte_.pixmap(COTE_ICONE_NOMBRE, COTE_ICONE_NOMBRE);
    if (image.isNull()) {
        image = QPixmap(COTE_ICONE_NOMBRE, COTE_ICONE_NOMBRE);
        image.fill(Qt::transparent);
    }
    QPainter peintre(&image);
    QFont police = peintre.font();
    if (police.pixelSize() > 0)
        police.setPixelSize(arrondi(police.pixelSize() * AGRANDISSEMENT_POLICE_NOMBRE));
    else
        police.setPointSizeF(police.pointSizeF() * AGRANDISSEMENT_POLICE_NOMBRE);
    peintre.setFont(police);
    const int w = image.width();
    const int h = image.height();
    const int x = (w + 1) / 2;
    const int y = (h + 1) / 2;
    peintre.drawText(QRect(x, y, w - x, h - y), Qt::AlignCenter, QString::number(nombre));
    peintre.end();
    boutonConnexion_->setIcon(QIcon(image));
}

AnalyseJoueur* DisplayGLScene::analyseJoueur(int siege) const
{
    if (siege < 0 || siege >= analyses_.size())
        return nullptr;
    return analyses_.at(siege).data();
}

// ---------------------------------------------------------- retranslation

void DisplayGLScene::retraduit()
{
    motAction_ = captures_ ? tr("Touchez l'écran") : tr("Cliquez");
    if (boite1_.ui) {
        // The box keeps the text it shows.
        const QString message = boite1_.ui->labelMessage->text();
        boite1_.ui->retranslateUi(boite1_.widget);
        boite1_.ui->labelMessage->setText(message);
    }
    const QString lien = QString::fromLatin1(belote_ ? LIEN_REGLES_BELOTE : LIEN_REGLES_JASS);
    for (Boite* boite : {&boite1_, &boite2_})
        if (boite->ui)
            boite->ui->labelWiki->setText(tr("Règles plus détaillées: ")
                                          + QStringLiteral("<a href=\"%1\">%1</a>").arg(lien));
    setFont(font());
    // After the font: the status lines are composed again, help first.
    texteStatut_ = traduitStatut_();
    refreshStatusText();
    if (automatique_)
        return;
    DisplayGLPaintA* m = moteur();
    if (m)
        m->makeCurrent();
    if (ardoiseDessinee_) {
        const QSharedPointer<Partie> jeu = partie();
        dessineArdoise_(pointsPrecedents_, jeu ? jeu->multiplicateur_ : 1, -1);
        prepareFriendNotice();
    }
    if (m)
        m->doneCurrent();
    // The plates name the user's seat in the language shown ("Vous").
    if (tapis_) {
        const QSharedPointer<Partie> jeu = partie();
        redessineCartes(jeu ? jeu->atoutEnCours_ : 0);
    }
    rafraichitCouche();
}

bool DisplayGLScene::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() == QEvent::LanguageChange && boite1_.widget && objet == boite1_.widget)
        retraduit();
    return QGraphicsScene::eventFilter(objet, evenement);
}
