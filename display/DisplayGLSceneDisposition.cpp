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
    p[V::HauteurVisible] = hauteurTable_ * PART_HAUTEUR_COUCHE_WIDGET;
    // The trump and bid band would cover the side seats' bubbles and
    // plates: while it shows, the table is drawn above it.
    if (proxyAtouts_ && proxyAtouts_->isVisible())
        p[V::HauteurVisible] = std::clamp(hautAtouts_ - decalageTable_, 0.0, p[V::HauteurVisible]);
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

void DisplayGLScene::placeDialogue_(int index)
{
    QGraphicsProxyWidget* proxy = dialogues_.value(index);
    if (!proxy)
        return;
    auto* widget = qobject_cast<GM_WidgetAuto*>(proxy->widget());
    if (!widget)
        return;
    const QRectF table(0.0, decalageTable_, largeurTable_, hauteurTable_);
    widget->setGeometryFixed(scene_geometrie::geometrieDialogue(table, sceneRect().width(), placementsDialogues_[index],
                                                                modesDialogues_[index]));
}

QGraphicsProxyWidget* DisplayGLScene::dialogueDe_(const QGraphicsItem* item) const
{
    if (item == nullptr)
        return nullptr;
    for (QGraphicsProxyWidget* d : dialogues_)
        if (d != nullptr && d->isVisible() && (d == item || d->isAncestorOf(item)))
            return d;
    return nullptr;
}

QGraphicsProxyWidget* DisplayGLScene::ajouteDialogue(GM_WidgetAuto* widget, double z, int placement, int mode)
{
    if (!widget)
        return nullptr;
    for (QGraphicsProxyWidget* proxy : dialogues_) {
        if (proxy && proxy->widget() == widget) {
            qWarning() << "DisplayGLScene: dialog added twice, kept where it is";
            return proxy;
        }
    }
    if (widget->parentWidget())
        widget->setParent(nullptr);
    widget->setAttribute(Qt::WA_ContentsMarginsRespectsSafeArea, false);
    widget->setWindowFlag(Qt::MaximizeUsingFullscreenGeometryHint, false);
    widget->hide();
    auto* proxy = new QGraphicsProxyWidget;
    proxy->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    proxy->setWidget(widget);
    proxy->setZValue(z);
    proxy->hide();
    addItem(proxy);
    dialogues_.append(proxy);
    placementsDialogues_.append(placement);
    modesDialogues_.append(mode);
    drapeauxDialogues_.append(true);
    placeDialogue_(static_cast<int>(dialogues_.size()) - 1);
    return proxy;
}

bool DisplayGLScene::fermeDialogues()
{
    bool ferme = false;
    const bool large = dispositionLarge_ && panneauDroitAffiche_;
    for (int i = 0; i < dialogues_.size(); ++i) {
        QGraphicsProxyWidget* proxy = dialogues_[i];
        if (!proxy || !proxy->isVisible() || !proxy->widget())
            continue;
        if (large && placementsDialogues_[i] == 1)
            continue;
        proxy->widget()->close();
        proxy->hide();
        ferme = true;
    }
    if (ferme) {
        setActiveWindow(nullptr);
        for (Boite* boite : {&boite1_, &boite2_}) {
            boite->widget->hide();
            boite->proxy->hide();
        }
        QTimer::singleShot(0, this, &DisplayGLScene::OnMessageBoxRejected_Timer);
        QTimer::singleShot(0, this, &DisplayGLScene::OnMessageBoxAccepted_Timer);
    }
    return ferme;
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
    for (int i = 0; i < dialogues_.size(); ++i)
        placeDialogue_(i);

    const int a = arrondi(PART_HAUT_CHAT * h);
    const int b = arrondi(PART_BANDE_BAS * h);
    const int e = arrondi(PART_HAUTEUR_CHAT * h);
    for (auto& image : animsImage_)
        image->stop();
    setLignesArdoise(w, decalageTable_, texteArdoise());
    dialogueChat_->setZone(QRectF(x, y + a, w, e), r.size(), ratioPixels_);
    dialogueReglages_->setZone(r, r.size(), ratioPixels_);
    dialogueReglages_->setZValue(Z_REGLAGES);
    placeOutils_();

    const double hauteur1 = boite1_.proxy->geometry().height();
    boite1_.proxy->setGeometry(QRectF(x, y + (h - y - hauteur1) / 2.0, w, hauteur1));
    boite2_.widget->setFixedSize(arrondi(w), arrondi(h));
    boite2_.proxy->setGeometry(QRectF(x, y, arrondi(w), arrondi(h)));
    // The trump and bid band lies just above the hand it asks about, not
    // over it.
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
    if (boite1_.widget->isVisible())
        placeBox(boite1_.widget, boite1_.proxy, zoneTable());
    disposeMains_();
    appliqueVue_();
    rafraichitCouche();
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
    // A strip window takes the strip's width as its sizing mode gives it: the
    // whole strip, or its inset, which starts inside the strip and would run
    // past the window with the strip's whole width.
    const QRectF table(0.0, decalageTable_, largeurTable_, hauteurTable_);
    for (int i = 0; i < dialogues_.size(); ++i) {
        QGraphicsProxyWidget* proxy = dialogues_[i];
        if (!proxy || placementsDialogues_[i] != 1 || !proxy->widget())
            continue;
        QWidget* widget = proxy->widget();
        const QRect place = scene_geometrie::geometrieDialogue(table, sceneRect().width(), 1, modesDialogues_[i]);
        const int largeur = std::max(0, place.width());
        if (widget->width() != largeur)
            widget->setFixedWidth(largeur);
    }
}

void DisplayGLScene::disposeMains_(const Carte* sortie)
{
    if (automatique_)
        return;
    const QRectF table = zoneTable();
    if (table.width() <= 0.0 || table.height() <= 0.0)
        return;
    for (const Siege& siege : sieges_) {
        if (!siege.joueur || siege.numero < 0)
            continue;
        // A card just played leaves its place at once, whether or not the
        // game has taken it from the hand yet: the others close the gap.
        QList<Carte*> cartes;
        for (Carte* carte : siege.joueur->main_)
            if (carte && carte != sortie)
                cartes.append(carte);
        const int n = std::min<int>(static_cast<int>(cartes.size()), DisplayGLHumanCarte::CARTES_PAR_MAIN);
        const QRectF main = scene_geometrie::zoneMain(table, n);
        const double espacement = main.width() / DisplayGLHumanCarte::CARTES_PAR_MAIN;
        for (int i = 0; i < n; ++i)
            if (DisplayGLHumanCarte* sprite = jeuDeCartes_.getCarte(cartes[i]->getIndex()))
                sprite->placeInHand(main, espacement, DisplayGLHumanCarte::CARTES_PAR_MAIN - n, i);
    }
}
