#include "GM_WidgetAuto.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>
#include <QPushButton>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

int echelle(int valeur, double facteur)
{
    return static_cast<int>(std::lround(valeur * facteur));
}

} // namespace

GM_WidgetAuto::GM_WidgetAuto(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_ContentsMarginsRespectsSafeArea, false);
    setWindowFlag(Qt::MaximizeUsingFullscreenGeometryHint, false);
}

GM_WidgetAuto::~GM_WidgetAuto() = default;

void GM_WidgetAuto::setGeometryFixed(const QRect& rect)
{
    if (!tailleAuContenu_) {
        setFixedWidth(rect.width());
        setFixedHeight(rect.height());
        setGeometry(rect);
        return;
    }
    zone_ = rect;
    // Margins and spacings follow the area: they are set before the content
    // is measured.
    adjustToSize();
    const QRect r = geometrieAuContenu(*this, zone_);
    setFixedSize(r.size());
    setGeometry(r);
}

void GM_WidgetAuto::setTailleAuContenu(bool auContenu)
{
    tailleAuContenu_ = auContenu;
}

QRect GM_WidgetAuto::geometrieAuContenu(const QWidget& widget, const QRect& zone)
{
    const QSize contenu = widget.sizeHint().expandedTo(widget.minimumSizeHint());
    const int w = std::max(0, std::min(contenu.width(), zone.width()));
    int h = widget.hasHeightForWidth() ? widget.heightForWidth(w) : -1;
    if (h < 0)
        h = contenu.height();
    h = std::max(0, std::min(std::max(h, widget.minimumSizeHint().height()), zone.height()));
    return QRect(zone.x() + (zone.width() - w) / 2, zone.y() + (zone.height() - h) / 2, w, h);
}

void GM_WidgetAuto::ajusteAuContenu()
{
    ajustementPrevu_ = false;
    if (tailleAuContenu_ && zone_.isValid())
        setGeometryFixed(zone_);
}

void GM_WidgetAuto::adjustToSize()
{
    const double ratio = devicePixelRatioF();
    for (auto it = images_.begin(); it != images_.end();) {
        if (it->first.isNull()) {
            it = images_.erase(it);
            continue;
        }
        setLabelPixmapScaled(it->first.data(), width(), height(), QIcon(QPixmap(it->second)), ratio, 10, 3);
        ++it;
    }

    if (premiereFois_) {
        collecteValeursInitiales_();
        premiereFois_ = false;
    }

    // Only layouts that still exist are touched: a form may delete some of
    // its layouts after the designed values were collected.
    const QList<QLayout*> vivants = findChildren<QLayout*>();
    const QSet<QLayout*> existants(vivants.cbegin(), vivants.cend());
    for (auto it = margesInitiales_.begin(); it != margesInitiales_.end();)
        it = existants.contains(it.key()) ? std::next(it) : margesInitiales_.erase(it);
    for (auto it = espacementsInitiaux_.begin(); it != espacementsInitiaux_.end();)
        it = existants.contains(it.key()) ? std::next(it) : espacementsInitiaux_.erase(it);

    // A widget sized to its content scales like a form that fills its
    // area: its margins do not shrink with it, and its size no longer
    // depends on itself.
    const QSize reference = tailleAuContenu_ && zone_.isValid() ? zone_.size() : size();
    const double fh = reference.height() * FACTEUR_ECHELLE;
    const double fw = reference.width() * FACTEUR_ECHELLE;
    for (auto it = margesInitiales_.cbegin(); it != margesInitiales_.cend(); ++it) {
        QLayout* layout = it.key();
        const QMargins& m = it.value();
        layout->setContentsMargins(echelle(m.left(), fw), echelle(m.top(), fh), echelle(m.right(), fw),
                                   echelle(m.bottom(), fh));
        auto espacement = espacementsInitiaux_.constFind(layout);
        if (espacement != espacementsInitiaux_.cend())
            layout->setSpacing(echelle(espacement.value(), fw));
        layout->update();
    }
    for (auto it = espacementsInitiaux_.cbegin(); it != espacementsInitiaux_.cend(); ++it) {
        if (margesInitiales_.contains(it.key()))
            continue;
        it.key()->setSpacing(echelle(it.value(), fw));
        it.key()->update();
    }
}

void GM_WidgetAuto::collecteValeursInitiales_()
{
    const QList<QLayout*> layouts = findChildren<QLayout*>();
    for (QLayout* layout : layouts) {
        const QMargins m = layout->contentsMargins();
        if (!m.isNull())
            margesInitiales_.insert(layout, m);
        const int espacement = layout->spacing();
        if (espacement != 0)
            espacementsInitiaux_.insert(layout, espacement);
    }
}

void GM_WidgetAuto::setPaletteAll(const QPalette& palette)
{
    const QList<QWidget*> enfants = findChildren<QWidget*>();
    for (QWidget* enfant : enfants)
        enfant->setPalette(palette);
    setPalette(palette);
}

bool GM_WidgetAuto::swipeTriggered(const QSwipeGesture::SwipeDirection& direction)
{
    Q_UNUSED(direction);
    return false;
}

void GM_WidgetAuto::setLabelPixmap(QLabel* label, const QString& chemin)
{
    if (label == nullptr)
        return;
    auto existant = std::find_if(images_.begin(), images_.end(),
                                 [label](const QPair<QPointer<QLabel>, QString>& p) { return p.first == label; });
    if (existant != images_.end())
        existant->second = chemin;
    else
        images_.append(qMakePair(QPointer<QLabel>(label), chemin));
    setLabelPixmapScaled(label, width(), height(), QIcon(QPixmap(chemin)), devicePixelRatioF(), 10, 3);
}

void GM_WidgetAuto::setLabelPixmapScaled(QLabel* label, double largeur, double hauteur, const QIcon& icone,
                                         double ratioPixels, double diviseur, double decalage)
{
    if (label == nullptr || icone.isNull() || diviseur == 0.0)
        return;
    const double cote = (std::min(largeur, hauteur) / diviseur + decalage) * ratioPixels;
    if (!std::isfinite(cote) || cote < 0.5 || cote > 1.0e5)
        return;
    const int side = static_cast<int>(std::lround(cote));
    QPixmap pixmap = icone.pixmap(QSize(side, side), QIcon::Normal, QIcon::Off)
                         .scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pixmap.setDevicePixelRatio(ratioPixels);
    label->setPixmap(pixmap);
}

void GM_WidgetAuto::resizeEvent(QResizeEvent* event)
{
    adjustToSize();
    QWidget::resizeEvent(event);
}

void GM_WidgetAuto::showEvent(QShowEvent* event)
{
    // What is shown may have changed while hidden (parts shown or hidden,
    // texts set).
    ajusteAuContenu();
    // A form in the table never holds the application's focus, so a group
    // of choices does not follow the arrows by itself, and a scroll area
    // around it would take them: the form moves between the choices itself.
    // Installing again only moves the filter to the front.
    for (QAbstractButton* bouton : findChildren<QAbstractButton*>())
        if (bouton->autoExclusive() || (bouton->group() != nullptr && bouton->group()->exclusive()))
            bouton->installEventFilter(this);
    QWidget::showEvent(event);
}

bool GM_WidgetAuto::eventFilter(QObject* objet, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && objet == focusWidget()) {
        const auto* touche = static_cast<QKeyEvent*>(event);
        QAbstractButton* voisin = touche->modifiers() == Qt::NoModifier ? boutonVoisin(touche->key()) : nullptr;
        if (voisin != nullptr) {
            voisin->setFocus(Qt::TabFocusReason);
            voisin->click();
            return true;
        }
    }
    return QWidget::eventFilter(objet, event);
}

void GM_WidgetAuto::changeEvent(QEvent* event)
{
    // A subclass sets its new texts in its own handler, before or after
    // this one: the fit waits for the event loop.
    const QEvent::Type type = event->type();
    if (tailleAuContenu_ && !ajustementPrevu_
        && (type == QEvent::LanguageChange || type == QEvent::FontChange || type == QEvent::StyleChange)) {
        ajustementPrevu_ = true;
        QMetaObject::invokeMethod(this, &GM_WidgetAuto::ajusteAuContenu, Qt::QueuedConnection);
    }
    QWidget::changeEvent(event);
}

// ------------------------------------------------------------------- keys

namespace {

bool pressable(const QAbstractButton* bouton, const QWidget* formulaire)
{
    return bouton != nullptr && bouton->isEnabled() && bouton->isVisibleTo(formulaire);
}

// The first pressable button of the form's button boxes in one of roles.
QAbstractButton* boutonDeRole(const QWidget& formulaire, std::initializer_list<QDialogButtonBox::ButtonRole> roles)
{
    for (const QDialogButtonBox* boite : formulaire.findChildren<QDialogButtonBox*>())
        for (QAbstractButton* bouton : boite->buttons())
            if (pressable(bouton, &formulaire) && std::find(roles.begin(), roles.end(), boite->buttonRole(bouton)) != roles.end())
                return bouton;
    return nullptr;
}

} // namespace

void GM_WidgetAuto::setBoutonsAnnuler(std::initializer_list<QAbstractButton*> boutons)
{
    boutonsAnnuler_.clear();
    for (QAbstractButton* bouton : boutons)
        boutonsAnnuler_.append(bouton);
}

QAbstractButton* GM_WidgetAuto::boutonPourTouche(int touche) const
{
    if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
        auto* focus = qobject_cast<QPushButton*>(focusWidget());
        if (focus && isAncestorOf(focus) && pressable(focus, this))
            return focus;
        for (QPushButton* bouton : findChildren<QPushButton*>())
            if (bouton->isDefault() && pressable(bouton, this))
                return bouton;
        return boutonDeRole(*this, {QDialogButtonBox::AcceptRole, QDialogButtonBox::YesRole});
    }
    if (touche == Qt::Key_Escape) {
        for (const QPointer<QAbstractButton>& bouton : boutonsAnnuler_)
            if (pressable(bouton.data(), this))
                return bouton.data();
        return boutonDeRole(*this, {QDialogButtonBox::RejectRole, QDialogButtonBox::NoRole});
    }
    return nullptr;
}

QAbstractButton* GM_WidgetAuto::boutonVoisin(int touche) const
{
    auto* ici = qobject_cast<QAbstractButton*>(focusWidget());
    if (ici == nullptr || !isAncestorOf(ici))
        return nullptr;
    QList<QAbstractButton*> boutons;
    if (ici->group() != nullptr && ici->group()->exclusive())
        boutons = ici->group()->buttons();
    else if (ici->autoExclusive() && ici->parentWidget() != nullptr)
        for (QAbstractButton* b : ici->parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
            if (b->autoExclusive())
                boutons << b;
    const QPoint depuis = ici->mapTo(this, ici->rect().center());
    QAbstractButton* voisin = nullptr;
    qint64 meilleure = 0;
    for (QAbstractButton* b : std::as_const(boutons)) {
        if (b == ici || !b->isVisibleTo(this) || !b->isEnabled())
            continue;
        const QPoint vers = b->mapTo(this, b->rect().center());
        const int dx = vers.x() - depuis.x();
        const int dy = vers.y() - depuis.y();
        const bool dansLeSens = (touche == Qt::Key_Right && dx > ici->width() / 2)
                                || (touche == Qt::Key_Left && -dx > ici->width() / 2)
                                || (touche == Qt::Key_Down && dy > ici->height() / 2)
                                || (touche == Qt::Key_Up && -dy > ici->height() / 2);
        const qint64 distance = qint64(dx) * dx + qint64(dy) * dy;
        if (dansLeSens && (voisin == nullptr || distance < meilleure)) {
            voisin = b;
            meilleure = distance;
        }
    }
    return voisin;
}

void GM_WidgetAuto::keyPressEvent(QKeyEvent* event)
{
    const bool touche = event->modifiers() == Qt::NoModifier
                        || (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (QAbstractButton* bouton = touche ? boutonPourTouche(event->key()) : nullptr) {
        event->accept();
        if (!event->isAutoRepeat())
            bouton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
