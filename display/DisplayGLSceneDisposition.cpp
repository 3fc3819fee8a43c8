#include "DisplayGLScene.h"

#include "AnalyseJoueur.h"
#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPaintOpenGL.h"
#include "DisplayGLSceneDialog.h"
#include "DisplayGLSceneDialogButton.h"
#include "DisplayGLScoreAnimPixmap.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayGLWidget.h"
#include "DisplayTextAnim.h"
#include "GL_ObjectCube.h"
#include "GL_ObjectSquare.h"
#include "GM_NativeA.h"
#include "GM_SharedFunctions.h"
#include "GM_WidgetAutoRound.h"
#include "PanelAtouts.h"
#include "Partie.h"
#include "ZB_PointsA.h"
#include "ui_MessageBoxGl.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
#include <QGridLayout>
#include <QLayout>
#include <QLineEdit>
#include <QMutexLocker>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QStyle>
#include <QThread>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "DisplayGLSceneInterne.h"

using namespace scene_interne;

// ----------------------------------------------------------------- options

void DisplayGLScene::setOptionsAffichage(const OptionsAffichage& options)
{
    options_ = options;
    son_.setSoundOn(options_.sounds_);
}

// ------------------------------------------------------------------ layout

QRectF DisplayGLScene::zoneTable() const
{
    return zones_[0];
}

void DisplayGLScene::setDecalageTable(double decalage)
{
    decalageTable_ = std::isfinite(decalage) ? std::max(0.0, decalage) : 0.0;
    OnSceneRectChanged(sceneRect());
}

void DisplayGLScene::setDisposition(bool large)
{
    if (dispositionLarge_ == large)
        return;
    dispositionLarge_ = large;
    dispose_ = false;
    OnSceneRectChanged(sceneRect());
}

void DisplayGLScene::calculePanneauDroit_(double largeur, double hauteur)
{
    const bool large = dispositionLarge_ && largeur > PARTS_LARGEUR_LARGE * hauteur;
    largeurTable_ = large ? PART_TABLE_LARGE * largeur : largeur;
    // A store screenshot's caption band keeps the bottom of the window.
    hauteurTable_ = std::max(0.0, hauteur - decalageTable_ - hauteurBandeLegende_);
    const bool affiche = std::lround(largeur) > std::lround(largeurTable_);
    if (affiche != panneauDroitAffiche_) {
        panneauDroitAffiche_ = affiche;
        emit signalRightPanelVisibleChanged(affiche);
    }
    QMetaObject::invokeMethod(this, &DisplayGLScene::OnResizeRightPanel, Qt::QueuedConnection);
}

void DisplayGLScene::appliqueVue_()
{
    DisplayGLPaintA* m = moteur();
    if (!m)
        return;
    DisplayGLPaintA::ViewParameters p = m->viewParameters();
    using V = DisplayGLPaintA::ViewParameters;
    // Both engines draw their layer in the same upper part of the table.
    p[V::LargeurVisible] = largeurTable_;
    p[V::HauteurVisible] = hauteurCouche_(proxyAtouts_ && proxyAtouts_->isVisible());
    p[V::Table] = 1.0;
    const bool openGL = holder_ && holder_->isOpenGL();
    if (openGL) {
        p[V::FacteurHauteur] = FACTEUR_HAUTEUR_OPENGL;
    } else {
        const double cote = std::min(largeurTable_, p[V::HauteurVisible]);
        p[V::FacteurHauteur] = std::max(ECHELLE_MIN, PART_TAPIS_HAUTEUR * cote / PIXELS_TAPIS_WIDGET);
    }
    // The view's own zoom for tables higher than wide.
    const double k = largeurTable_ > 0.0 ? hauteurTable_ / largeurTable_ : 0.0;
    const double f = FACTEUR_ECHELLE_VUE * k;
    p[CHAMP_ZOOM_VUE] = f > 0.0 && f < 1.0 ? 1.0 / f : 1.0;
    if (p != m->viewParameters())
        m->setViewParameters(p);
}

double DisplayGLScene::hauteurCouche_(bool sousLaBande) const
{
    const double pleine = hauteurTable_ * PART_HAUTEUR_COUCHE_WIDGET;
    // The trump and bid band would cover the side seats' bubbles and
    // plates: while it shows, the table is drawn above it.
    return sousLaBande ? std::clamp(hautAtouts_ - decalageTable_, 0.0, pleine) : pleine;
}

double DisplayGLScene::agrandissementTextes() const
{
    if (!proxyAtouts_ || !proxyAtouts_->isVisible())
        return 1.0;
    // The layer's scale follows the shorter of its two sides.
    const double avec = std::min(largeurTable_, hauteurCouche_(true));
    const double sans = std::min(largeurTable_, hauteurCouche_(false));
    if (!(avec > 0.0) || !(sans > avec))
        return 1.0;
    // A bubble's words, in pixels, on the layer above the band.
    const double police = SceneBulles::PART_POLICE * LARGEUR_BULLE / TAILLE_TAPIS * PART_TAPIS_HAUTEUR * avec
                          * scene_geometrie::echelleTable(largeurTable_, hauteurTable_);
    return std::clamp(POLICE_LISIBLE_BANDE / police, 1.0, std::min(sans / avec, AGRANDISSEMENT_TEXTES_MAX));
}

void DisplayGLScene::placeOutils_()
{
    const double x = 0.0;
    const double w = largeurTable_;
    const double h = hauteurTable_;
    const int d = arrondi(PART_LARGEUR_BOUTON * w);
    const int c = arrondi(PART_HAUTEUR_BOUTON * h);
    const QSize icone(arrondi(PART_ICONE_LARGEUR * d), arrondi(PART_ICONE_HAUTEUR * c));
    const double s = ratioPixels_ > 0.0 ? ratioPixels_ : 1.0;
    const double t = dialogueReglages_->geometry().bottom();
    const double droite = x + w - d - 3.0 / s;
    auto place = [&](QGraphicsProxyWidget* proxy, QPushButton* bouton, double px, double py) {
        bouton->setFixedSize(d, c);
        bouton->setIconSize(icone);
        proxy->setPos(px, py);
    };
    place(proxyArriere_, boutonArriere_, x, t + 2.0 / s);
    place(proxyAvant_, boutonAvant_, x + d + 2.0, t + 2.0 / s);
    place(proxyConnexion_, boutonConnexion_, droite, t + 2.0 / s);
    place(proxyAide_, boutonAide_, droite, t - 2.0 * c - 2.0 / s);
    place(proxyBug_, boutonBug_, droite, t - 3.0 * c - 4.0 / s);
    proxyBug_->setVisible(boutonBugVisible_);
}

void DisplayGLScene::OnSceneRectChanged(QRectF const& rect)
{
    // Placing items can move the scene's rectangle while it follows its
    // items (no rectangle set): that comes back here, and waits.
    if (enDisposition_ || (dispose_ && rect == dernierRect_ && decalageTable_ == dernierDecalage_))
        return;
    const QScopedValueRollback<bool> garde(enDisposition_, true);
    // A scene without a rectangle of its own grows with its items, and the
    // layout sizes items by the rectangle: it would grow without end. The
    // rectangle laid out for becomes the scene's own.
    if (!rect.isNull())
        setSceneRect(rect);
    dispose_ = true;
    dernierRect_ = rect;
    dernierDecalage_ = decalageTable_;
    calculePanneauDroit_(std::max(0.0, rect.width()), std::max(0.0, rect.height()));
    const QRectF r(0.0, decalageTable_, largeurTable_, hauteurTable_);
    const double x = r.x();
    const double y = r.y();
    const double w = r.width();
    const double h = r.height();
    zones_[0] = QRectF(x, y, w, std::max(0.0, h - RETRAIT_ZONE));
    zones_[1] = rect.width() > w ? QRectF(r.right(), y, rect.width() - r.right(), std::max(0.0, h - RETRAIT_ZONE))
                                 : zones_[0];
    boites_.placeDialogues(r);

    const int a = arrondi(PART_HAUT_CHAT * h);
    const int b = arrondi(PART_BANDE_BAS * h);
    const int e = arrondi(PART_HAUTEUR_CHAT * h);
    for (auto& image : animsImage_)
        image->stop();
    setLignesArdoise(w, decalageTable_, ardoiseStatut_->texteSource());
    dialogueChat_->setZone(QRectF(x, y + a, w, e), r.size(), ratioPixels_);
    dialogueReglages_->setZone(r, r.size(), ratioPixels_);
    dialogueReglages_->setZValue(Z_REGLAGES);
    placeOutils_();

    // The trump and bid band lies just above the hand it asks about, not
    // over it: laid over the bottom band it hid the very cards the choice
    // is about.
    const double basAtouts = zones_[0].bottom() - DisplayGLHumanCarte::hauteurMainEnChoix(zones_[0].height());
    // Sideways it keeps clear of the tool buttons' columns, which lie over
    // it at that height.
    const double d = arrondi(PART_LARGEUR_BOUTON * w);
    const double retrait = std::min(d + MARGE_BANDE_ATOUTS, w / 4.0);
    const double largeurAtouts = std::max(0.0, w - 2.0 * retrait);
    if (QLayout* l = conteneurAtouts_->layout()) {
        const QMargins m = l->contentsMargins();
        panelAtouts_->setLargeurOfferte(std::max(1, arrondi(largeurAtouts) - m.left() - m.right()));
    }
    if (QLayout* l = conteneurAtouts_->layout()) {
        const QMargins m = l->contentsMargins();
        panelAtouts_->setHauteurOfferte(std::max(1, b - m.top() - m.bottom()));
    }
    const double haut = std::max(y, basAtouts - b);
    placeAtouts_ = QRectF(x + retrait, haut, largeurAtouts, std::max(0.0, basAtouts - haut));
    placeBandeAtouts_();
    boites_.replace(zoneTable());
    mains_.dispose();
    appliqueVue_();
    rafraichitCouche();
    // The band's share of a new size writes the plates' names anew.
    if (proxyAtouts_->isVisible())
        redessineCartes(plaques_.repere().atout);
}

bool DisplayGLScene::placeBandeAtouts_()
{
    double hauteur = placeAtouts_.height();
    if (QLayout* l = conteneurAtouts_->layout()) {
        l->activate();
        const int rangees = l->sizeHint().height();
        if (rangees > 0)
            hauteur = std::min(hauteur, static_cast<double>(rangees));
    }
    const QRectF r(placeAtouts_.x(), placeAtouts_.bottom() - hauteur, placeAtouts_.width(), hauteur);
    if (proxyAtouts_->geometry() != r)
        proxyAtouts_->setGeometry(r);
    const bool bouge = r.top() != hautAtouts_;
    hautAtouts_ = r.top();
    return bouge;
}

void DisplayGLScene::OnResizeRightPanel()
{
    boites_.ajusteBandeDroite(QRectF(0.0, decalageTable_, largeurTable_, hauteurTable_));
}
