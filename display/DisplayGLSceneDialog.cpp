#include "DisplayGLSceneDialog.h"

#include "DisplayGLSceneDialogButton.h"
#include "DisplayRectAnimation.h"

#include <QGraphicsSceneMouseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int RETRAIT_ICONE = 3;

int arrondi(double v)
{
    return static_cast<int>(std::lround(v));
}

} // namespace

DisplayGLSceneDialog::DisplayGLSceneDialog(int cote, int modeFocus, const QString& icone, QGraphicsItem* parent)
    : QGraphicsProxyWidget(parent)
    , cote_(cote)
    , modeFocus_(modeFocus)
    , hote_(new QWidget)
    , layoutHote_(new QHBoxLayout(hote_))
    , fermer_(new DisplayGLSceneDialogButton)
    , onglet_(new DisplayGLSceneDialogButton)
    , contenu_(new QWidget)
    , grille_(new QGridLayout(contenu_))
    , animRect_(new DisplayRectAnimation(this, this))
    , animEtat_(new QPropertyAnimation(this, "isExpanded", this))
    , groupe_(new QSequentialAnimationGroup(this))
{
    animEtat_->setDuration(DUREE_ETAT_MS);
    const QIcon image(icone);
    for (DisplayGLSceneDialogButton* bouton : {fermer_, onglet_}) {
        bouton->setIcon(image);
        bouton->setIconSize(QSize(COTE_ICONE_INITIAL, COTE_ICONE_INITIAL));
        bouton->setCheckable(true);
        bouton->setFixedSize(bouton->sizeHint());
    }
    grille_->setContentsMargins(MARGE_CONTENU, MARGE_CONTENU, MARGE_CONTENU, MARGE_CONTENU);
    layoutHote_->setContentsMargins(0, 0, 0, 0);
    layoutHote_->setSpacing(0);
    layoutHote_->insertWidget(0, contenu_);
    layoutHote_->insertWidget(1, fermer_);
    layoutHote_->addWidget(onglet_);
    setWidget(hote_);
    setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    fermer_->hide();
    if (cote_ == 1)
        layoutHote_->setContentsMargins(fermer_->width(), 0, 0, 0);
    contenu_->hide();
    setPos(0.0, 0.0);
    deplie_ = geometry();
    replie_ = rectangleReplie(deplie_, onglet_->sizeHint(), cote_, ratioPixels_);
    connect(fermer_, &QPushButton::toggled, this, &DisplayGLSceneDialog::OnExpandedButtonToggled);
    connect(onglet_, &QPushButton::toggled, this, &DisplayGLSceneDialog::OnCollapsedButtonToggled);
    hide();
}

DisplayGLSceneDialog::~DisplayGLSceneDialog()
{
    groupe_->stop();
    videGroupe_();
}

QRectF DisplayGLSceneDialog::rectangleReplie(const QRectF& deplie, const QSizeF& onglet, int cote, double ratioPixels)
{
    const double d = ratioPixels > 0.0 ? ratioPixels : 1.0;
    const double x = cote == 1 ? deplie.x() + deplie.width() - onglet.width() : deplie.x();
    const double y = deplie.y() + (deplie.height() - onglet.height()) / 2.0 - DECALAGE_ONGLET / d;
    return QRectF(x, y, onglet.width(), onglet.height());
}

int DisplayGLSceneDialog::isExpanded() const
{
    return contenu_->isVisibleTo(hote_) ? 1 : 0;
}

void DisplayGLSceneDialog::setIsExpanded(int expanded)
{
    setExpandedState(expanded != 0, false);
}

bool DisplayGLSceneDialog::isOpen() const
{
    return fermer_->isChecked();
}

void DisplayGLSceneDialog::appliqueApparence_(bool expanded)
{
    contenu_->setVisible(expanded);
    fermer_->setVisible(expanded);
    onglet_->setVisible(!expanded);
    hote_->setAttribute(Qt::WA_NoSystemBackground, !expanded);
    if (expanded) {
        if (cote_ == 1) {
            const QMargins m = layoutHote_->contentsMargins();
            layoutHote_->setContentsMargins(fermer_->width(), m.top(), m.right(), m.bottom());
        }
        if (modeFocus_ == 1)
            setFocus(Qt::PopupFocusReason);
    } else {
        layoutHote_->setContentsMargins(0, 0, 0, 0);
        if (modeFocus_ == 1)
            clearFocus();
    }
}

void DisplayGLSceneDialog::focusPremierDuContenu_()
{
    // What is put in the content later comes after the buttons in the chain.
    for (QWidget* w = hote_->nextInFocusChain(); w != nullptr && w != hote_; w = w->nextInFocusChain()) {
        if (contenu_->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled()
            && w->isVisibleTo(contenu_)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void DisplayGLSceneDialog::setExpandedState(bool expanded, bool force)
{
    if (!force && contenu_->isVisibleTo(hote_) == expanded)
        return;
    const bool visible = isVisible();
    setVisible(false);
    appliqueApparence_(expanded);
    applyGeometry(expanded ? deplie_ : replie_);
    setVisible(visible);
    // Once shown again: a hidden panel takes no keyboard.
    if (expanded && std::exchange(focusAuContenu_, false))
        focusPremierDuContenu_();
}

void DisplayGLSceneDialog::videGroupe_()
{
    while (groupe_->animationCount() > 0)
        groupe_->takeAnimation(0)->setParent(this);
}

void DisplayGLSceneDialog::animateTo(bool expanded)
{
    groupe_->stop();
    videGroupe_();
    animEtat_->setStartValue(expanded ? 0 : 1);
    animEtat_->setEndValue(expanded ? 1 : 0);
    animRect_->setStartValue(expanded ? replie_ : deplie_);
    animRect_->setEndValue(expanded ? deplie_ : replie_);
    if (expanded) {
        groupe_->addAnimation(animEtat_);
        groupe_->addAnimation(animRect_);
    } else {
        groupe_->addAnimation(animRect_);
        groupe_->addAnimation(animEtat_);
    }
    groupe_->start();
}

void DisplayGLSceneDialog::applyGeometry(const QRectF& rect)
{
    hote_->setFixedSize(static_cast<int>(rect.width()), static_cast<int>(rect.height()));
    updateGeometry();
    const QSize taille = fermer_->size();
    const QSize icone(std::min(taille.width() - RETRAIT_ICONE, arrondi(taille.width() * PART_ICONE_LARGEUR)),
                      std::min(taille.height() - RETRAIT_ICONE, arrondi(taille.height() * PART_ICONE_HAUTEUR)));
    fermer_->setIconSize(icone);
    onglet_->setIconSize(icone);
    // The proxy keeps the size bounds its widget had before: the panel's
    // rectangle is the one that holds.
    setMinimumSize(rect.size());
    setMaximumSize(rect.size());
    QGraphicsProxyWidget::setGeometry(rect);
    layoutHote_->update();
}

void DisplayGLSceneDialog::setGeometry(const QRectF& rect)
{
    QGraphicsProxyWidget::setGeometry(rect);
}

void DisplayGLSceneDialog::setZone(const QRectF& zone, const QSizeF& reference, double ratioPixels)
{
    ratioPixels_ = ratioPixels > 0.0 ? ratioPixels : 1.0;
    groupe_->stop();
    for (DisplayGLSceneDialogButton* bouton : {fermer_, onglet_}) {
        bouton->setPanelSize(reference.width(), reference.height());
        bouton->setFixedSize(bouton->sizeHint());
    }
    deplie_ = zone;
    replie_ = rectangleReplie(deplie_, onglet_->sizeHint(), cote_, ratioPixels_);
    const bool ouvert = isOpen();
    setExpandedState(ouvert, true);
}

QSizeF DisplayGLSceneDialog::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    // The slide passes through every size between the two rectangles.
    if (which == Qt::MinimumSize)
        return QSizeF(0.0, 0.0);
    if (which != Qt::PreferredSize)
        return QGraphicsProxyWidget::sizeHint(which, constraint);
    return fermer_->isChecked() ? deplie_.size() : replie_.size();
}

void DisplayGLSceneDialog::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsProxyWidget::mousePressEvent(event);
    event->accept();
}

void DisplayGLSceneDialog::mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event)
{
    QGraphicsProxyWidget::mouseDoubleClickEvent(event);
    event->accept();
}

void DisplayGLSceneDialog::expand()
{
    if (fermer_->isChecked())
        return;
    fermer_->setChecked(true);
    onglet_->setChecked(true);
    fermer_->show();
    onglet_->hide();
}

void DisplayGLSceneDialog::collapse()
{
    if (!fermer_->isChecked())
        return;
    fermer_->setChecked(false);
    onglet_->setChecked(false);
    fermer_->hide();
}

void DisplayGLSceneDialog::OnCollapsedButtonToggled(bool checked)
{
    if (!checked)
        return;
    // Opened from the keyboard (the tab had it): the keyboard goes on into
    // the panel once its content shows.
    focusAuContenu_ = onglet_->hasFocus();
    fermer_->setChecked(true);
    onglet_->setChecked(true);
    fermer_->show();
    onglet_->hide();
    if (isVisible()) {
        animateTo(true);
        return;
    }
    appliqueApparence_(true);
    applyGeometry(deplie_);
    focusAuContenu_ = false;
}

void DisplayGLSceneDialog::OnExpandedButtonToggled(bool checked)
{
    if (checked)
        return;
    // The keyboard goes back to the table, not along the tab chain to
    // whatever button comes next.
    focusAuContenu_ = false;
    if (hasFocus())
        clearFocus();
    fermer_->setChecked(false);
    onglet_->setChecked(false);
    if (isVisible()) {
        animateTo(false);
        return;
    }
    appliqueApparence_(false);
    applyGeometry(replie_);
}
