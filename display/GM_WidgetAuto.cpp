#include "GM_WidgetAuto.h"

#include <QIcon>
#include <QPixmap>
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
    setFixedWidth(rect.width());
    setFixedHeight(rect.height());
    setGeometry(rect);
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

    const double fh = height() * FACTEUR_ECHELLE;
    const double fw = width() * FACTEUR_ECHELLE;
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
