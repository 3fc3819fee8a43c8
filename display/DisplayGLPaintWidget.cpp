#include "DisplayGLPaintWidget.h"

#include "DisplayGLSceneA.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace {

// Offsets of the places from the centre of the visible area, in units of
// the layer's scale.
constexpr double DECALAGE_PLI_X = 66.0;
constexpr double DECALAGE_PLI_Y = 61.0;
constexpr double DECALAGE_PILE = 546.0;
constexpr double DECALAGE_MAIN = 182.0;
constexpr double DECALAGE_MAIN_GAUCHE = 190.0;
constexpr double PAS_MAIN = 15.0;
constexpr double DECALAGE_NOTIFICATION = 210.0;
// Half the cloth's side (1.5 units) and the gap a bubble keeps from the
// cloth's side or from the middle half of its top, where the plate is.
constexpr double DEMI_TAPIS = 0.75 * DisplayGLPaintWidget::PIXELS_PAR_UNITE * DisplayGLPaintWidget::ECHELLE_OBJETS;
constexpr double ECART_BULLE = 4.0;
// The top seat's bubble: how far above the middle its lower edge lies (its
// centre less half its height of 0.28 units), so that one drawn larger
// grows away from the side seats' plates.
constexpr double BAS_BULLE_HAUT =
    105.0 - 0.14 * DisplayGLPaintWidget::PIXELS_PAR_UNITE * DisplayGLPaintWidget::ECHELLE_OBJETS;
constexpr double PAS_ROTATION_MAIN = 0.6;
constexpr double MARGE_ARDOISE = 4.0;
constexpr int DERNIERE_PLACE_MAIN = 8;

constexpr float Z_FOND = -20103.0f;
constexpr float Z_TAPIS = -20102.0f;
constexpr float Z_TABLE = -20100.0f;
constexpr float Z_DESSUS = -20090.0f;

} // namespace

DisplayGLPaintWidget::DisplayGLPaintWidget()
    : QWidget(nullptr)
{
}

DisplayGLPaintWidget::~DisplayGLPaintWidget()
{
    // An item still in a scene leaves it as it is deleted.
    for (Objet& objet : objets_)
        delete objet.item;
}

void DisplayGLPaintWidget::setScene(DisplayGLSceneA* scene)
{
    if (scene == scene_)
        return;
    QGraphicsScene* ancienne = scene_ ? scene_->graphicsScene() : nullptr;
    QGraphicsScene* nouvelle = scene ? scene->graphicsScene() : nullptr;
    for (Objet& objet : objets_) {
        if (!objet.item)
            continue;
        if (ancienne && objet.item->scene() == ancienne)
            ancienne->removeItem(objet.item);
        if (nouvelle)
            nouvelle->addItem(objet.item);
    }
    DisplayGLPaintA::setScene(scene);
    objetsCrees_ = false;
}

void DisplayGLPaintWidget::creeObjetsDeLaScene_()
{
    if (!scene_ || objetsCrees_)
        return;
    objetsCrees_ = true;
    scene_->createGLObjects();
}

void DisplayGLPaintWidget::makeCurrent()
{
    creeObjetsDeLaScene_();
}

void DisplayGLPaintWidget::doneCurrent()
{
}

void DisplayGLPaintWidget::initialize()
{
    creeObjetsDeLaScene_();
}

void DisplayGLPaintWidget::PortableGrabFrameBuffer(CallBack_PortableGrabFrameBuffer_Completed* callback)
{
    if (!callback)
        return;
    // The picture the view shows in this widget (it is the view's
    // viewport), so that a bug report has a picture without OpenGL too.
    if (!scene_ || width() <= 0 || height() <= 0) {
        callback->PortableGrabFrameBuffer_Completed(QImage());
        return;
    }
    callback->PortableGrabFrameBuffer_Completed(grab().toImage());
}

void DisplayGLPaintWidget::beginFrame(const QColor& clear)
{
    Q_UNUSED(clear);
}

void DisplayGLPaintWidget::endFrame()
{
}

void DisplayGLPaintWidget::setViewport(int x, int y, int width, int height)
{
    // Only stored: the scene sets it while it paints the layer, so asking
    // for a paint here would paint again without end.
    viewport_ = QRect(x, y, width, height);
}

void DisplayGLPaintWidget::update()
{
    if (!enDessin_ && scene_) {
        enDessin_ = true;
        scene_->paintGLLayer();
        enDessin_ = false;
    }
    QWidget::update();
}

QWidget* DisplayGLPaintWidget::widget()
{
    return this;
}

bool DisplayGLPaintWidget::objetValide_(int id) const
{
    return id >= 0 && id < objets_.size() && objets_[id].item != nullptr;
}

QGraphicsPixmapItem* DisplayGLPaintWidget::item(int id) const
{
    return objetValide_(id) ? objets_[id].item : nullptr;
}

QPolygonF DisplayGLPaintWidget::contourVu(int id) const
{
    const double largeur = parametresVue_[ViewParameters::LargeurVisible];
    if (!objetValide_(id) || !objets_[id].item->isVisible() || largeur <= 0.0 || viewport_.width() <= 0
        || viewport_.height() <= 0)
        return {};
    // The viewport is the table's shape in device pixels; the items are in
    // the scene's own pixels.
    const double hauteur = largeur * viewport_.height() / viewport_.width();
    const QRectF r = objets_[id].item->sceneBoundingRect();
    return QPolygonF(QRectF(r.x() / largeur, r.y() / hauteur, r.width() / largeur, r.height() / hauteur));
}

int DisplayGLPaintWidget::nombreObjets() const
{
    return static_cast<int>(std::count_if(objets_.begin(), objets_.end(), [](const Objet& o) { return o.item; }));
}

double DisplayGLPaintWidget::sousArdoise_(double x, double y, double w, double bas) const
{
    // The lowest point of the (turned) slate over the column's width: its
    // corners inside that band and its edges where they cross the band's
    // sides.
    const double x1 = x + w;
    bool dessus = false;
    double fond = 0.0;
    const auto garde = [&](double py) {
        fond = dessus ? std::max(fond, py) : py;
        dessus = true;
    };
    for (int i = 0; i < ardoise_.size(); ++i) {
        const QPointF a = ardoise_[i];
        const QPointF b = ardoise_[(i + 1) % ardoise_.size()];
        if (a.x() > x && a.x() < x1)
            garde(a.y());
        for (const double bord : {x, x1})
            if ((a.x() - bord) * (b.x() - bord) < 0.0)
                garde(a.y() + (bord - a.x()) / (b.x() - a.x()) * (b.y() - a.y()));
    }
    if (!dessus)
        return 0.0;
    return std::clamp(fond + MARGE_ARDOISE - y, 0.0, std::max(0.0, bas - y));
}

double DisplayGLPaintWidget::echelle_() const
{
    return parametresVue_[ViewParameters::Echelle] * parametresVue_[ViewParameters::FacteurHauteur];
}

int DisplayGLPaintWidget::createObject(double width, double height, const QString& name)
{
    auto* item = new QGraphicsPixmapItem;
    item->setTransformationMode(Qt::SmoothTransformation);
    item->setZValue(-1.0);
    item->hide();
    if (scene_ && scene_->graphicsScene())
        scene_->graphicsScene()->addItem(item);

    int id = 0;
    while (id < objets_.size() && objets_[id].item)
        ++id;
    if (id == objets_.size())
        objets_.append(Objet());
    objets_[id] = Objet{item, width, height, name};

    const QVector3D point = placePosition(id, TurnedCard);
    item->setPos(point.x(), point.y());
    item->setRotation(0.0);
    item->hide();
    item->setScale(echelle_() * ECHELLE_OBJETS);
    return id;
}

void DisplayGLPaintWidget::setObjectImage(int id, const QImage& image)
{
    if (!objetValide_(id))
        return;
    const QPixmap pixmap = QPixmap::fromImage(image);
    if (pixmap.isNull())
        return;
    const Objet& objet = objets_[id];
    const QSize taille(static_cast<int>(objet.largeur * PIXELS_PAR_UNITE),
                       static_cast<int>(objet.hauteur * PIXELS_PAR_UNITE));
    if (taille.isEmpty())
        return;
    objet.item->setPixmap(pixmap.scaled(taille, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void DisplayGLPaintWidget::deleteObject(int id)
{
    if (!objetValide_(id))
        return;
    Objet& objet = objets_[id];
    if (objet.item->scene())
        objet.item->scene()->removeItem(objet.item);
    delete objet.item;
    objet = Objet();
    if (id == idArdoise_) {
        idArdoise_ = -1;
        ardoise_.clear();
    }
}

QVector3D DisplayGLPaintWidget::placePosition(int id, int kind)
{
    double iw = 0.0;
    double ih = 0.0;
    if (objetValide_(id)) {
        QGraphicsPixmapItem* item = objets_[id].item;
        item->setRotation(0.0);
        const QRectF rect = item->sceneBoundingRect();
        iw = rect.width();
        ih = rect.height();
    }
    const double s = echelle_();
    const double cx = parametresVue_[ViewParameters::LargeurVisible] / 2.0 - iw / 2.0;
    const double cy = parametresVue_[ViewParameters::HauteurVisible] / 2.0 - ih / 2.0;
    auto point = [](double x, double y, float z) { return QVector3D(static_cast<float>(x), static_cast<float>(y), z); };

    if (kind == Background)
        return point(cx, cy, Z_FOND);
    if (kind == Cloth)
        return point(cx, cy, Z_TAPIS);
    if (kind == Slate)
        return point(0.0, 0.0, Z_DESSUS);
    switch (kind) {
    case TrickPlace:
        return point(cx, cy + DECALAGE_PLI_Y * s, Z_TABLE);
    case TrickPlace + 1:
        return point(cx + DECALAGE_PLI_X * s, cy, Z_TABLE);
    case TrickPlace + 2:
        return point(cx, cy - DECALAGE_PLI_Y * s, Z_TABLE);
    case TrickPlace + 3:
        return point(cx - DECALAGE_PLI_X * s, cy, Z_TABLE);
    case TurnedCard:
        return point(cx, cy, Z_TABLE);
    case Pile:
        return point(cx, cy + DECALAGE_PILE * s, Z_TABLE);
    case Pile + 1:
        return point(cx + DECALAGE_PILE * s, cy, Z_TABLE);
    case Pile + 2:
        return point(cx, cy - DECALAGE_PILE * s, Z_TABLE);
    case Pile + 3:
        return point(cx - DECALAGE_PILE * s, cy, Z_TABLE);
    case TableEdge:
        return placePosition(id, placementMain(0, 0));
    case TableEdge + 1:
        return placePosition(id, placementMain(1, 0));
    case TableEdge + 2:
        return placePosition(id, placementMain(2, 3));
    case TableEdge + 3:
        return placePosition(id, placementMain(3, 0));
    // The side seats' bubbles lie over their own hand, off the cloth, and
    // the top seat's beside its plate: the plates take the middle half of
    // the cloth's sides. The bottom seat's has no room on the cloth between
    // the tricks and its plate: it goes off the cloth's near right corner,
    // no lower than the cloth, so that it stays above the user's hand.
    case SeatBubble:
        return point(cx + iw / 2.0 + (DEMI_TAPIS + ECART_BULLE) * s, cy + DEMI_TAPIS * s - ih / 2.0, Z_DESSUS);
    case SeatBubble + 1:
        return point(cx + iw / 2.0 + (DEMI_TAPIS + ECART_BULLE) * s, cy - 50.0 * s, Z_DESSUS);
    case SeatBubble + 2:
        return point(cx - iw / 2.0 - (DEMI_TAPIS / 2.0 + ECART_BULLE) * s, cy - ih / 2.0 - BAS_BULLE_HAUT * s,
                     Z_DESSUS);
    case SeatBubble + 3: {
        const double x = cx - iw / 2.0 - (DEMI_TAPIS + ECART_BULLE) * s;
        const double y = cy + 25.0 * s;
        // Clear of the slate's corner, as the left hand is.
        return point(x, y + sousArdoise_(x, y, iw, parametresVue_[ViewParameters::HauteurVisible] - ih), Z_DESSUS);
    }
    case NotificationBubble:
        return point(cx, cy + DECALAGE_NOTIFICATION * s, Z_TABLE);
    default:
        break;
    }
    if (kind >= Hand && kind < SeatBubble) {
        const int siege = (kind - Hand) / PLACES_PAR_MAIN;
        const int i = (kind - Hand) % PLACES_PAR_MAIN;
        const float z = Z_TABLE + static_cast<float>(i);
        switch (siege) {
        case 0:
            return point(cx + PAS_MAIN * s * i, cy + DECALAGE_MAIN * s, z);
        case 1:
            return point(cx + DECALAGE_MAIN * s, cy + PAS_MAIN * s * i, z);
        case 2:
            return point(cx + PAS_MAIN * s * (i - 3), cy - DECALAGE_MAIN * s, z);
        default: {
            const double x = cx - DECALAGE_MAIN_GAUCHE * s;
            // Turned a quarter to the left, a card stands above its point.
            const double bas = parametresVue_[ViewParameters::HauteurVisible] - PAS_MAIN * s * DERNIERE_PLACE_MAIN;
            const double decalage = sousArdoise_(x, cy - iw, ih, bas - iw);
            return point(x, cy + decalage + PAS_MAIN * s * i, z);
        }
        }
    }
    return point(0.0, 0.0, Z_TABLE);
}

void DisplayGLPaintWidget::drawObject(int id, int placement, const TransformRecord& transform)
{
    if (!objetValide_(id))
        return;
    QGraphicsPixmapItem* item = objets_[id].item;

    double rotation = 0.0;
    int siege = -1;
    if (placement == Slate) {
        rotation = -4.0;
    } else if (placement >= Hand && placement < SeatBubble) {
        siege = (placement - Hand) / PLACES_PAR_MAIN;
        switch (siege) {
        case 1:
            rotation = -90.0 - (placement - 29) * PAS_ROTATION_MAIN;
            break;
        case 2:
            rotation = -(placement - 38) * PAS_ROTATION_MAIN;
            break;
        case 3:
            rotation = (placement - 47) * PAS_ROTATION_MAIN - 90.0;
            break;
        default:
            break;
        }
    }

    const double s = echelle_();
    const bool leve = transform.isRaised() && siege >= 1;
    double agrandissement = leve ? AGRANDISSEMENT_LEVE : 1.0;
    if (placement >= SeatBubble && placement < NotificationBubble)
        agrandissement = AGRANDISSEMENT_BULLE;
    // Sized before it is placed: a place is worked out from the object's
    // size, which changes with the frame's scale (a text kept readable
    // grows where the rest of the layer shrinks).
    item->setScale(std::max(ECHELLE_MIN, s * static_cast<double>(transform.scale) * ECHELLE_OBJETS * agrandissement));
    QVector3D position(transform.x, transform.y, transform.z);
    if (!transform.hasPosition())
        position = placePosition(id, placement);
    double x = position.x();
    double y = position.y();
    if (leve) {
        // A raised card of another seat comes towards the middle of the table.
        if (siege == 1)
            x -= RECUL_LEVE * s;
        else if (siege == 2)
            y += RECUL_LEVE * s;
        else
            x += RECUL_LEVE * s;
    }
    item->setPos(x, y);
    item->setZValue(position.z());
    item->setRotation(rotation);
    item->show();
    if (placement == Slate) {
        idArdoise_ = id;
        ardoise_ = item->mapToScene(item->boundingRect());
    } else if (id == idArdoise_) {
        idArdoise_ = -1;
        ardoise_.clear();
    }
}

void DisplayGLPaintWidget::hideObject(int id)
{
    if (objetValide_(id))
        objets_[id].item->hide();
    if (id == idArdoise_) {
        idArdoise_ = -1;
        ardoise_.clear();
    }
}
