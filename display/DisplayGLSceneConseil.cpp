#include "DisplayGLScene.h"
#include "PanelAtouts.h"

#include "AnalyseJoueur.h"
#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "EtatDeJeu.h"
#include "GL_ObjectSquare.h"
#include "GM_WidgetAutoRound.h"
#include "NomsDeCouleurs.h"
#include "Partie.h"
#include "SceneAide.h"
#include "TypeDePartie.h"
#include "ZB_StatusMise.h"
#include "ui_MessageBoxGl.h"

#include <QEvent>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <utility>

#include "DisplayGLSceneInterne.h"

using namespace scene_interne;

// Human play beyond the mouse: the advice members the table and the view
// call (the search, the highlight and the help box's wait are SceneConseil's;
// the scene tints its hand's card and words the help box), the automatic
// continuation, the online marks and the scene's retranslation.

namespace {

constexpr int DUREE_NOTIFICATION_MS = 2000;
constexpr int COTE_ICONE_NOMBRE = 48;
constexpr double AGRANDISSEMENT_POLICE_NOMBRE = 1.1;
constexpr int CARTES_PAR_COULEUR = 9;
// Deck indices of a trump suit's jack and nine: 9 x suit - 4 and - 6.
constexpr int DECALAGE_BOUR = 4;
constexpr int DECALAGE_NEL = 6;

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
    conseil_.repond(carte, erreur);
}

bool DisplayGLScene::demandeConseil(Joueur* joueur, QSharedPointer<Partie> partie, int joueurAtout)
{
    return conseil_.demande(joueur, std::move(partie), joueurAtout);
}

bool DisplayGLScene::attendConseil(int delaiMs)
{
    return conseil_.attend(delaiMs);
}

Carte* DisplayGLScene::carteConseil() const
{
    return conseil_.carte();
}

void DisplayGLScene::effaceCarteConseil()
{
    conseil_.efface();
}

void DisplayGLScene::OnHelpCardHightlight()
{
    const Carte* carte = conseil_.carteATeinter(options_.coloredCard_ && boutonAide_->isEnabled());
    if (!carte)
        return;
    mains_.teinte(carte->getIndex());
}

void DisplayGLScene::OnHelpTimeout()
{
    timerAide_.stop();
    refreshStatusText();
}

QString DisplayGLScene::texteAideSituation()
{
    // The advised card is read once its search is over.
    if (!attendConseil(ATTENTE_CONSEIL_MAX_MS))
        qWarning() << "DisplayGLScene: the advice search did not answer in time for the help box";
    const QSharedPointer<Partie> jeu = partie();
    const Siege& local = sieges_[static_cast<size_t>(siegeBas_)];
    scene_aide::Situation situation;
    situation.etat = etatCourant_;
    situation.style = jeuDeCartes_.getStyle();
    situation.styleContre = styleContre_;
    situation.jeu = jeu.data();
    situation.siegeLocal = local.numero;
    conseil_.completeSituation(situation, local.joueur, statusMise_);
    const int etat = situation.etat;
    if (jeu && etat == EtatDeJeu::Tour1_AttendCarte1 && estCouleur(jeu->atoutChoisi_.atout_)) {
        const int atout = jeu->atoutChoisi_.atout_;
        auto nomCarte = [this, &situation](int index) {
            const Carte* c = deck_.getCarteParIndex(index);
            return c ? tr("%1 de %2").arg(getNomValeur(c->getValeur(), situation.style),
                                          getNomAtout(c->getCouleur(), situation.style))
                     : QString();
        };
        situation.nomBour = nomCarte(CARTES_PAR_COULEUR * atout - DECALAGE_BOUR);
        situation.nomNel = nomCarte(CARTES_PAR_COULEUR * atout - DECALAGE_NEL);
    }
    return scene_aide::texteAide(situation);
}

void DisplayGLScene::OnHelpPressed()
{
    conseil_.aidePressee();
}

// ------------------------------------------------------- small slots

void DisplayGLScene::retiensPourAccueil()
{
    accueil_ = AccueilFormulaire;
}

void DisplayGLScene::relacheAccueil()
{
    if (accueil_ == AccueilFormulaire)
        OnReglesLues(GM::Ok);
}

void DisplayGLScene::afficheRegles()
{
    accueil_ = AccueilRegles;
    messageBoxQuestion(static_cast<GM::Icon>(IconeAide), tr("Règles du jeu"), scene_aide::texteRegles(belote_), GM::Ok,
                       this, "OnReglesLues");
}

void DisplayGLScene::OnReglesLues(int)
{
    accueil_ = AccueilAucun;
    if (std::exchange(suiteRetenue_, false))
        programmeSuiteAuto_(0);
}

void DisplayGLScene::OnRamasseAuto()
{
    if (accueil_ != AccueilAucun) {
        suiteRetenue_ = true;
        return;
    }
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
        DisplayGLHumanCarte* sprite = mains_.sprite(carte->getIndex());
        if (!sprite)
            return;
        // As the user would: a double click, then the release that ends it.
        OnMouseDoubleClicked(sprite);
        finDeClic_();
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
    boites_.retraduit(zoneTable());
    metLienRegles_();
    setFont(font());
    // After the font: the status lines are composed again, help first.
    ardoiseStatut_->retraduitStatut(motAction_);
    refreshStatusText();
    if (timerAide_.isActive() && texteTemporaire_)
        setLignesArdoise(largeurTable_, decalageTable_, texteTemporaire_());
    if (automatique_)
        return;
    DisplayGLPaintA* m = moteur();
    if (m)
        m->makeCurrent();
    if (ardoiseStatut_->isDessinee()) {
        redessineArdoise_();
        prepareFriendNotice();
    }
    // The bids already said are said again in the language shown.
    bulles_.retraduit(jeuDeCartes_.getStyle(), font());
    if (m)
        m->doneCurrent();
    // The plates name the user's seat in the language shown ("Vous").
    if (tapis_) {
        const QSharedPointer<Partie> jeu = partie();
        redessineCartes(jeu ? jeu->atoutEnCours_ : 0);
    }
    rafraichitCouche();
    emit signalRetraduit();
}

void DisplayGLScene::setBelote(bool belote)
{
    if (belote == belote_)
        return;
    belote_ = belote;
    metLienRegles_();
}

void DisplayGLScene::metLienRegles_()
{
    const QString lien = tr(belote_ ? LIEN_REGLES_BELOTE : LIEN_REGLES_JASS);
    boites_.setLienRegles(tr("Règles plus détaillées: ") + QStringLiteral("<a href=\"%1\">%1</a>").arg(lien));
}

bool DisplayGLScene::eventFilter(QObject* objet, QEvent* evenement)
{
    // The band about to show takes back the keyboard it last had (Qt gives
    // a shown item its last focus), and a field of a window the user types
    // in loses its selection on the way, the Tab's "all chosen" that the
    // next key replaces: while such a window has the keyboard the band is
    // not focusable until it is on screen. Seen before the proxy sees it.
    if (objet == conteneurAtouts_ && evenement->type() == QEvent::Show && panelAtouts_->clavierPris())
        proxyAtouts_->setFlag(QGraphicsItem::ItemIsFocusable, false);
    else if (objet == conteneurAtouts_ && evenement->type() == QEvent::ShowToParent)
        proxyAtouts_->setFlag(QGraphicsItem::ItemIsFocusable, true);
    if (objet == conteneurAtouts_ && evenement->type() == QEvent::LayoutRequest && !bandeAPlacer_) {
        bandeAPlacer_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                bandeAPlacer_ = false;
                if (placeBandeAtouts_() && proxyAtouts_->isVisible()) {
                    appliqueVue_();
                    rafraichitCouche();
                    redessineCartes(plaques_.repere().atout);
                }
            },
            Qt::QueuedConnection);
    }
    if (evenement->type() == QEvent::LanguageChange && boites_.estFenetreBoite(objet))
        retraduit();
    return QGraphicsScene::eventFilter(objet, evenement);
}
