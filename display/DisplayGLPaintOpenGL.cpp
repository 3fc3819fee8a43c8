#include "DisplayGLPaintOpenGL.h"

#include "DisplayGLSceneA.h"
#include "GM.h"

#include <QMessageBox>
#include <QOpenGLContext>
#include <QOpenGLDebugMessage>
#include <QGraphicsScene>
#include <QOpenGLFramebufferObject>
#include <QOpenGLPaintDevice>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QVector4D>
#include <QtDebug>

#include <algorithm>
#include <cmath>

namespace {

constexpr int ATTRIBUT_SOMMET = 0;
constexpr int ATTRIBUT_TEXTURE = 1;

// The four trick places in seat order.
constexpr float PLACES_PLI[4][3] = {{0.0f, -0.33f, 0.01f}, {0.37f, 0.0f, 0.01f}, {0.0f, 0.33f, 0.01f},
                                    {-0.37f, 0.0f, 0.01f}};
// Where each seat's hand fans from, and the seat's turn about the table.
constexpr float POSITIONS_MAINS[4][3] = {{0.0f, -0.8f, 0.7f}, {1.0f, 0.0f, 0.1f}, {0.2f, 1.0f, 0.1f},
                                         {-1.0f, 0.0f, 0.1f}};
constexpr float ANGLES_SIEGES[4] = {0.0f, 90.0f, 180.0f, 270.0f};
// Each seat's bubble beside its own seat, where it hides neither a plate
// on the cloth's edge, nor a trick card, nor the slate: the side seats'
// over their own hand (held up near the eye, a bubble shows further out
// than its point on the table; the right seat's mirrors the left's), the
// top seat's right of its hand, below the status line at the top, the
// bottom seat's off the cloth's near right corner, below the right seat's
// and no lower nor wider than the rest of the table, so that the camera
// frames the table as large. Last, its scale: the words as high as the
// plates' names beside them (the bubble's picture is the widget engine's,
// whose words are smaller), the top seat's larger again at the far end,
// which the perspective makes smaller.
constexpr float POSITIONS_BULLES[4][4] = {{0.95f, -0.45f, 0.4f, 1.0f}, {0.95f, -0.1f, 0.4f, 1.2f},
                                          {1.05f, 0.68f, 0.4f, 1.6f}, {-0.95f, -0.12f, 0.4f, 1.2f}};
// The cards of a hand fan around a point this far below the hand.
constexpr float RAYON_EVENTAIL = 5.0f;
// The sizes, in table units, of the objects the table scene draws: what
// the camera must keep in view.
constexpr float COTE_TAPIS = 1.5f;
constexpr float LARGEUR_ARDOISE = 0.97f;
constexpr float HAUTEUR_ARDOISE = 1.09f;
constexpr float LARGEUR_CARTE = 0.2f;
constexpr float HAUTEUR_CARTE = 0.2828f;
constexpr float LARGEUR_BULLE = 0.7f;
constexpr float HAUTEUR_BULLE = 0.28f;
constexpr float ECHELLE_FOND = 2.0f;

// The placement's steps from the table's origin to the object's centre.
QMatrix4x4 etapesDePlacement(int placement, const DisplayGLPaintA::TransformRecord& transform, float r2, float r12)
{
    using P = DisplayGLPaintA;
    QMatrix4x4 matrice;
    if (placement == P::Background) {
        matrice.translate(0.0f, 0.0f, -0.1f);
        // Seen from above the near edge, the wood must reach the far
        // corners of a wide view.
        matrice.scale(ECHELLE_FOND, ECHELLE_FOND, 1.0f);
    } else if (placement == P::Cloth) {
        matrice.translate(0.0f, 0.0f, -0.1f);
        matrice.translate(0.0f, 0.0f, 0.05f);
    } else if (placement == P::Slate) {
        matrice.translate(-std::max(r12, 0.6f), 1.29f - 0.21f * r12, 0.1f);
        matrice.rotate(8.0f, 0.0f, 0.0f, 1.0f);
    } else if (placement >= P::TrickPlace && placement <= P::TurnedCard) {
        matrice.translate(transform.hasPosition() ? QVector3D(transform.x, transform.y, transform.z)
                                                  : DisplayGLPaintOpenGL::pointDePlacement(placement));
    } else if (placement >= P::Hand && placement < P::SeatBubble) {
        const int siege = (placement - P::Hand) / P::PLACES_PAR_MAIN;
        const int index = (placement - P::Hand) % P::PLACES_PAR_MAIN;
        const float* p = POSITIONS_MAINS[siege];
        matrice.translate(p[0], p[1], p[2]);
        matrice.rotate(ANGLES_SIEGES[siege], 0.0f, 0.0f, 1.0f);
        matrice.translate(0.0f, -RAYON_EVENTAIL, static_cast<float>(18 - index) * 0.005f);
        matrice.rotate((4.5f - static_cast<float>(index)) * 0.75f, 0.0f, 0.0f, -1.0f);
        matrice.translate(0.0f, RAYON_EVENTAIL, 0.0f);
        if (transform.isRaised())
            matrice.translate(0.0f, 0.5f, 0.0f);
    } else if (placement >= P::SeatBubble && placement < P::NotificationBubble) {
        const float* p = POSITIONS_BULLES[placement - P::SeatBubble];
        matrice.translate(p[0], p[1], p[2]);
        matrice.scale(p[3], p[3], 1.0f);
    } else if (placement == P::NotificationBubble) {
        matrice.translate(0.65f * r12, 0.21f * r12 - 0.55f, r2 - 2.0f);
    }
    return matrice;
}

// The four corners of an object of that size at a placement.
void coins(std::vector<QVector3D>& points, int placement, float largeur, float hauteur, float r12)
{
    const QMatrix4x4 m = etapesDePlacement(placement, DisplayGLPaintA::TransformRecord(),
                                           DisplayGLPaintOpenGL::HAUTEUR_OEIL_CADRAGE, r12);
    const float l = largeur / 2.0f;
    const float h = hauteur / 2.0f;
    for (const QVector3D& coin : {QVector3D(-l, -h, 0.0f), QVector3D(l, -h, 0.0f), QVector3D(l, h, 0.0f),
                                  QVector3D(-l, h, 0.0f)})
        points.push_back(m.map(coin));
}

// Makes the widget's context current for the scope when it is not already,
// and gives the previous context back afterwards.
class ContexteCourant
{
public:
    explicit ContexteCourant(QOpenGLWidget* widget)
        : widget_(widget)
    {
        QOpenGLContext* contexte = widget->context();
        if (!contexte || !contexte->isValid())
            return;
        if (QOpenGLContext::currentContext() == contexte) {
            pret_ = true;
            return;
        }
        precedent_ = QOpenGLContext::currentContext();
        surfacePrecedente_ = precedent_ ? precedent_->surface() : nullptr;
        widget->QOpenGLWidget::makeCurrent();
        pret_ = QOpenGLContext::currentContext() == contexte;
        ouvert_ = pret_;
    }
    ContexteCourant(const ContexteCourant&) = delete;
    ContexteCourant& operator=(const ContexteCourant&) = delete;
    ~ContexteCourant()
    {
        if (!ouvert_)
            return;
        widget_->QOpenGLWidget::doneCurrent();
        if (precedent_ && surfacePrecedente_)
            precedent_->makeCurrent(surfacePrecedente_);
    }
    bool pret() const { return pret_; }

private:
    QOpenGLWidget* widget_;
    QPointer<QOpenGLContext> precedent_;
    QSurface* surfacePrecedente_ = nullptr;
    bool pret_ = false;
    bool ouvert_ = false;
};

} // namespace

DisplayGLPaintOpenGL::DisplayGLPaintOpenGL()
    : QOpenGLWidget(nullptr)
{
    setAttribute(Qt::WA_ContentsMarginsRespectsSafeArea, false);
    setWindowFlag(Qt::MaximizeUsingFullscreenGeometryHint, false);
}

DisplayGLPaintOpenGL::~DisplayGLPaintOpenGL()
{
    // The base class destroys the context after this body: free the
    // textures now, while it can still be made current, and make sure the
    // context's last signal does not reach a half-destroyed engine.
    QObject::disconnect(connexionContexte_);
    {
        ContexteCourant contexte(this);
        if (contexte.pret())
            libereTextures_(true);
    }
    for (Objet& objet : objets_)
        objet.texture.reset();
    programme_.reset();
}

void DisplayGLPaintOpenGL::setViewParameters(const ViewParameters& parametres)
{
    DisplayGLPaintA::setViewParameters(parametres);
    construitProjection_();
}

std::vector<QVector3D> DisplayGLPaintOpenGL::pointsDuCadrage(float table)
{
    std::vector<QVector3D> points;
    coins(points, Cloth, COTE_TAPIS, COTE_TAPIS, table);
    coins(points, Slate, LARGEUR_ARDOISE, HAUTEUR_ARDOISE, table);
    for (int siege = 0; siege < NOMBRE_SIEGES; ++siege) {
        if (siege != 0) {
            coins(points, placementMain(siege, 0), LARGEUR_CARTE, HAUTEUR_CARTE, table);
            coins(points, placementMain(siege, PLACES_PAR_MAIN - 1), LARGEUR_CARTE, HAUTEUR_CARTE, table);
        }
        coins(points, SeatBubble + siege, LARGEUR_BULLE, HAUTEUR_BULLE, table);
    }
    return points;
}

std::vector<QVector3D> DisplayGLPaintOpenGL::pointsMainDuBas()
{
    std::vector<QVector3D> points;
    for (int index : {0, PLACES_PAR_MAIN - 1})
        points.push_back(etapesDePlacement(placementMain(0, index), TransformRecord(), HAUTEUR_OEIL_CADRAGE, 1.0f)
                             .map(QVector3D(0.0f, 0.0f, 0.0f)));
    return points;
}

void DisplayGLPaintOpenGL::construitProjection_()
{
    using V = ViewParameters;
    const ViewParameters& r = parametresVue_;
    const float aspect = tailleViewport_.width() > 0 && tailleViewport_.height() > 0
        ? static_cast<float>(tailleViewport_.width()) / static_cast<float>(tailleViewport_.height())
        : 1.0f;
    const float facteur = static_cast<float>(r[V::FacteurHauteur]);
    const QVector3D cible(0.0f, 0.13f, static_cast<float>(r[V::FacteurHauteur] * r[V::HauteurCible]));
    auto camera = [&](const QVector3D& oeil) {
        QMatrix4x4 m;
        m.perspective(ANGLE_VUE, aspect, PLAN_PROCHE, PLAN_LOINTAIN);
        m.lookAt(oeil, cible, QVector3D(0.0f, 1.0f, 0.0f));
        m.scale(static_cast<float>(r[V::Echelle]));
        return m;
    };

    // The frame: the table seen from its own eye height, without the pan.
    const QMatrix4x4 reference =
        camera(QVector3D(static_cast<float>(r[V::CameraX]), static_cast<float>(r[V::CameraY]),
                         facteur * HAUTEUR_OEIL_CADRAGE));
    bool valide = true;
    // The extent of points in normalised device coordinates.
    struct Etendue
    {
        float gauche = 0.0f;
        float droite = 0.0f;
        float bas = 0.0f;
        float haut = 0.0f;
        bool vide = true;
    };
    auto etendue = [&](const std::vector<QVector3D>& points) {
        Etendue e;
        for (const QVector3D& point : points) {
            const QVector4D clip = reference * QVector4D(point, 1.0f);
            // A point behind the eye cannot be framed: the camera stays as
            // the record gives it.
            if (!(clip.w() > 0.0f)) {
                valide = false;
                return e;
            }
            const float x = clip.x() / clip.w();
            const float y = clip.y() / clip.w();
            e.gauche = e.vide ? x : std::min(e.gauche, x);
            e.droite = e.vide ? x : std::max(e.droite, x);
            e.bas = e.vide ? y : std::min(e.bas, y);
            e.haut = e.vide ? y : std::max(e.haut, y);
            e.vide = false;
        }
        return e;
    };
    const Etendue table = etendue(pointsDuCadrage(static_cast<float>(r[V::Table])));
    const Etendue mainDuBas = etendue(pointsMainDuBas());
    const QVector4D centreTapis = reference * QVector4D(0.0f, 0.0f, -0.05f, 1.0f);
    valide = valide && !table.vide && !mainDuBas.vide && centreTapis.w() > 0.0f;

    // The layer's part of the viewport, from its top: the widget engine's
    // share of the table, so that both engines leave the bottom hand the
    // same band.
    double part = 1.0;
    if (r[V::LargeurVisible] > 0.0 && r[V::HauteurVisible] > 0.0 && tailleViewport_.height() > 0
        && tailleViewport_.width() > 0)
        part = r[V::HauteurVisible] * (tailleViewport_.width() / r[V::LargeurVisible]) / tailleViewport_.height();
    part = std::isfinite(part) ? std::clamp(part, 0.1, 1.0) : 1.0;
    const float plafond = 1.0f - 2.0f * MARGE_CADRAGE;
    const float sol = 1.0f - 2.0f * static_cast<float>(part) + 2.0f * MARGE_CADRAGE;
    const float fond = -1.0f + 2.0f * MARGE_CADRAGE;

    QMatrix4x4 cadrage;
    if (valide) {
        // Centred on the cloth across. Up and down, the table fills the
        // layer and the bottom seat's cards (drawn here only when nobody
        // plays them at this screen) keep their middles in the view.
        const float cx = centreTapis.x() / centreTapis.w();
        const float haut = std::max(table.haut, mainDuBas.haut);
        const float demiLargeur =
            std::max({cx - table.gauche, table.droite - cx, cx - mainDuBas.gauche, mainDuBas.droite - cx});
        float k = demiLargeur > 0.0f ? plafond / demiLargeur : 1.0f;
        if (haut > table.bas)
            k = std::min(k, (plafond - sol) / (haut - table.bas));
        if (haut > mainDuBas.bas)
            k = std::min(k, (plafond - fond) / (haut - mainDuBas.bas));
        if (std::isfinite(k) && k > 0.0f) {
            // The shift up and down: the middle of what the constraints allow.
            const float plus = plafond - k * haut;
            const float moins = std::max(sol - k * table.bas, fond - k * mainDuBas.bas);
            const float ty = std::min(plus, (plus + moins) / 2.0f);
            // Clip coordinates: x' = k x + t w gives k x/w + t once divided.
            cadrage.translate(-k * cx, ty, 0.0f);
            cadrage.scale(k, k, 1.0f);
        }
    }
    projection_ = cadrage
        * camera(QVector3D(static_cast<float>(r[V::CameraX] - r[V::DecalageX] / 3000.0),
                           static_cast<float>(r[V::CameraY] - r[V::DecalageY] / 2000.0),
                           static_cast<float>(r[V::FacteurHauteur] * r[V::HauteurOeil])));
}

QPointF DisplayGLPaintOpenGL::versEcran(const QVector3D& point) const
{
    const QVector4D clip = projection_ * QVector4D(point, 1.0f);
    if (!(clip.w() > 0.0f))
        return QPointF(qQNaN(), qQNaN());
    return QPointF(clip.x() / clip.w(), clip.y() / clip.w());
}

void DisplayGLPaintOpenGL::makeCurrent()
{
    QOpenGLWidget::makeCurrent();
}

void DisplayGLPaintOpenGL::doneCurrent()
{
    QOpenGLWidget::doneCurrent();
}

void DisplayGLPaintOpenGL::initialize()
{
    // Before the first show there is no context: initializeGL runs then.
    ContexteCourant contexte(this);
    if (contexte.pret() && !fonctionsPretes_)
        initialiseContexte_();
}

void DisplayGLPaintOpenGL::initializeGL()
{
    if (!fonctionsPretes_)
        initialiseContexte_();
}

void DisplayGLPaintOpenGL::initialiseContexte_()
{
    initializeOpenGLFunctions();
    fonctionsPretes_ = true;
    QObject::disconnect(connexionContexte_);
    connexionContexte_ = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this,
                                 &DisplayGLPaintOpenGL::OnContexteDetruit_, Qt::DirectConnection);
    if (scene_)
        scene_->createGLObjects();
    construitProgramme_();
    for (Objet& objet : objets_) {
        if (objet.utilise && !objet.enAttente.isNull())
            televerse_(objet, objet.enAttente);
    }
}

QByteArray DisplayGLPaintOpenGL::sourceVertex() const
{
    return QByteArrayLiteral("attribute highp vec4 vertex;\n"
                             "attribute highp vec4 texCoord;\n"
                             "varying highp vec4 texc;\n"
                             "uniform highp mat4 matrix;\n"
                             "void main(void)\n"
                             "{\n"
                             "    gl_Position = matrix * vertex;\n"
                             "    texc = texCoord;\n"
                             "}\n");
}

QByteArray DisplayGLPaintOpenGL::sourceFragment() const
{
    return QByteArrayLiteral("uniform sampler2D texture;\n"
                             "varying highp vec4 texc;\n"
                             "uniform mediump float brightness;\n"
                             "uniform mediump float contrast;\n"
                             "void main(void)\n"
                             "{\n"
                             "highp vec4 color = texture2D(texture, texc.st);\n"
                             "highp vec4 result = color;\n"
                             "result = color + brightness;\n"
                             "gl_FragColor = result * (1.0+contrast)/1.0;\n"
                             "}\n");
}

void DisplayGLPaintOpenGL::construitProgramme_()
{
    programmeLie_ = false;
    programme_ = std::make_unique<QOpenGLShaderProgram>();
    programme_->setObjectName(QString::fromLatin1(NOM_PROGRAMME));
    const QByteArray version =
        context()->isOpenGLES() ? QByteArrayLiteral("#version 100\n") : QByteArrayLiteral("#version 110\n");
    // A shader that does not compile is left out of the program, which may
    // then still link (with the fixed pipeline in its place): that is a
    // failed program too.
    const bool compile = programme_->addShaderFromSourceCode(QOpenGLShader::Vertex, version + sourceVertex())
                         && programme_->addShaderFromSourceCode(QOpenGLShader::Fragment, version + sourceFragment());
    programme_->bindAttributeLocation("vertex", ATTRIBUT_SOMMET);
    programme_->bindAttributeLocation("texCoord", ATTRIBUT_TEXTURE);
    if (!compile || !programme_->link()) {
        signaleErreur_(QStringLiteral("Program shader 'link()'"), programme_->log());
        return;
    }
    if (!programme_->bind()) {
        signaleErreur_(QStringLiteral("Program shader 'bind()'"), programme_->log());
        return;
    }
    programme_->setUniformValue("texture", 0);
    programme_->release();
    programmeLie_ = true;
}

void DisplayGLPaintOpenGL::signaleErreur_(const QString& quoi, const QString& journal)
{
    if (erreurSignalee_)
        return;
    erreurSignalee_ = true;
    const QString texte = QStringLiteral("%1 failed: %2").arg(quoi, journal);
    qWarning().noquote() << "DisplayGLPaintOpenGL:" << texte;
    const QString titre = QString::fromLatin1(TITRE_ERREUR);
    if (boites_.getMessageBoxDisplayer()) {
        boites_.messageBox(GM::Warning, titre, texte, GM::Ok);
        return;
    }
    // Never a modal box from inside a paint: open one from the event loop.
    QTimer::singleShot(0, this, [this, titre, texte] {
        auto* boite = new QMessageBox(QMessageBox::Warning, titre, texte, QMessageBox::Ok, this);
        boite->setAttribute(Qt::WA_DeleteOnClose);
        boite->open();
    });
}

void DisplayGLPaintOpenGL::setMessageBoxDisplayer(GM_MessageBoxDisplayerA* displayer)
{
    boites_.setMessageBoxDisplayer(displayer);
}

bool DisplayGLPaintOpenGL::contexteCourant_() const
{
    return fonctionsPretes_ && context() && QOpenGLContext::currentContext() == context();
}

void DisplayGLPaintOpenGL::paintGL()
{
    if (scene_)
        scene_->paintGLLayer();
}

void DisplayGLPaintOpenGL::beginFrame(const QColor& clear)
{
    cadreActif_ = false;
    if (!contexteCourant_())
        return;
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(static_cast<GLfloat>(clear.redF()), static_cast<GLfloat>(clear.greenF()),
                 static_cast<GLfloat>(clear.blueF()), static_cast<GLfloat>(clear.alphaF()));
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!programmeLie_ || !programme_)
        return;
    if (!programme_->bind()) {
        signaleErreur_(QStringLiteral("Program shader 'bind()'"), programme_->log());
        return;
    }
    glActiveTexture(GL_TEXTURE0);
    cadreActif_ = true;
}

void DisplayGLPaintOpenGL::endFrame()
{
    const bool actif = cadreActif_;
    cadreActif_ = false;
    if (!contexteCourant_())
        return;
    if (actif) {
        programme_->disableAttributeArray(ATTRIBUT_SOMMET);
        programme_->disableAttributeArray(ATTRIBUT_TEXTURE);
        programme_->release();
    }
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
}

void DisplayGLPaintOpenGL::setViewport(int x, int y, int width, int height)
{
    const QSize taille(std::max(0, width), std::max(0, height));
    if (taille != tailleViewport_) {
        tailleViewport_ = taille;
        construitProjection_();
    }
    if (contexteCourant_())
        glViewport(x, y, width, height);
}

void DisplayGLPaintOpenGL::update()
{
    QWidget::update();
}

QPolygonF DisplayGLPaintOpenGL::contourVu(int id) const
{
    return objetValide_(id) ? objets_[static_cast<size_t>(id)].contour : QPolygonF();
}

QWidget* DisplayGLPaintOpenGL::widget()
{
    return this;
}

void DisplayGLPaintOpenGL::hideObject(int id)
{
    // An object that is not drawn in a frame is simply absent from it.
    Q_UNUSED(id);
}

bool DisplayGLPaintOpenGL::objetValide_(int id) const
{
    return id >= 0 && static_cast<size_t>(id) < objets_.size() && objets_[static_cast<size_t>(id)].utilise;
}

int DisplayGLPaintOpenGL::nombreObjets() const
{
    return static_cast<int>(std::count_if(objets_.begin(), objets_.end(), [](const Objet& o) { return o.utilise; }));
}

QSize DisplayGLPaintOpenGL::tailleTexture(int id) const
{
    if (!objetValide_(id))
        return QSize(-1, -1);
    const Objet& objet = objets_[static_cast<size_t>(id)];
    return QSize(objet.largeur, objet.hauteur);
}

int DisplayGLPaintOpenGL::createObject(double width, double height, const QString& name)
{
    auto libre = std::find_if(objets_.begin(), objets_.end(), [](const Objet& o) { return !o.utilise; });
    if (libre == objets_.end()) {
        objets_.emplace_back();
        libre = objets_.end() - 1;
    }
    Objet& objet = *libre;
    const float l = static_cast<float>(width) / 2.0f;
    const float h = static_cast<float>(height) / 2.0f;
    objet.sommets = {QVector3D(-l, -h, 0.0f), QVector3D(l, -h, 0.0f), QVector3D(l, h, 0.0f), QVector3D(-l, h, 0.0f)};
    objet.coordonnees = {QVector2D(0.0f, 0.0f), QVector2D(1.0f, 0.0f), QVector2D(1.0f, 1.0f), QVector2D(0.0f, 1.0f)};
    // The GL texture itself is made with the first picture, when a context
    // is sure to be current.
    objet.texture = std::make_shared<QOpenGLTexture>(QOpenGLTexture::Target2D);
    objet.cleImage = 0;
    objet.largeur = -1;
    objet.hauteur = -1;
    objet.enAttente = QImage();
    objet.nom = name;
    objet.utilise = true;
    return static_cast<int>(libre - objets_.begin());
}

void DisplayGLPaintOpenGL::setObjectImage(int id, const QImage& image)
{
    if (!objetValide_(id) || image.isNull())
        return;
    Objet& objet = objets_[static_cast<size_t>(id)];
    ContexteCourant contexte(this);
    if (!contexte.pret() || !fonctionsPretes_) {
        objet.enAttente = image;
        return;
    }
    televerse_(objet, image);
}

const DisplayGLPaintOpenGL::Objet* DisplayGLPaintOpenGL::textureDejaChargee_(const Objet& objet,
                                                                         qint64 cleImage) const
{
    if (cleImage == 0)
        return nullptr;
    for (const Objet& autre : objets_) {
        if (&autre != &objet && autre.utilise && autre.cleImage == cleImage && autre.texture
            && autre.texture->isStorageAllocated())
            return &autre;
    }
    return nullptr;
}

void DisplayGLPaintOpenGL::televerse_(Objet& objet, const QImage& donnee)
{
    // The picture may be the one waiting in the object, cleared here.
    const QImage image = donnee;
    objet.enAttente = QImage();
    // A texture of its own that nobody else draws goes now, while the
    // context is current.
    const auto quitteTexture = [&objet] {
        if (objet.texture && objet.texture.use_count() == 1 && objet.texture->isCreated())
            objet.texture->destroy();
        objet.texture.reset();
        objet.cleImage = 0;
        objet.largeur = -1;
        objet.hauteur = -1;
    };
    const qint64 cle = image.cacheKey();
    if (const Objet* autre = textureDejaChargee_(objet, cle)) {
        if (objet.texture != autre->texture) {
            quitteTexture();
            objet.texture = autre->texture;
        }
        objet.cleImage = cle;
        objet.largeur = autre->largeur;
        objet.hauteur = autre->hauteur;
        return;
    }
    // One copy of the picture, turned over in place: pictures of 4 MB go
    // through here for every card played.
    QImage pixels = image.convertToFormat(QImage::Format_RGBA8888);
    if (pixels.isNull())
        return;
    pixels.mirror();
    // A texture shared with other objects keeps their picture.
    if (objet.texture && objet.texture.use_count() > 1)
        quitteTexture();
    if (!objet.texture)
        objet.texture = std::make_shared<QOpenGLTexture>(QOpenGLTexture::Target2D);
    objet.cleImage = cle;
    QOpenGLTexture& texture = *objet.texture;
    if (pixels.width() != objet.largeur || pixels.height() != objet.hauteur || !texture.isStorageAllocated()) {
        texture.destroy();
        texture.setSize(pixels.width(), pixels.height());
        texture.setFormat(QOpenGLTexture::RGBAFormat);
        texture.setMinificationFilter(QOpenGLTexture::Linear);
        texture.setMagnificationFilter(QOpenGLTexture::Nearest);
        // Linear filtering must not pull the opposite edge into a card's border.
        texture.setWrapMode(QOpenGLTexture::ClampToEdge);
        texture.allocateStorage(QOpenGLTexture::RGBA, QOpenGLTexture::UInt8);
        objet.largeur = pixels.width();
        objet.hauteur = pixels.height();
    }
    texture.setData(QOpenGLTexture::RGBA, QOpenGLTexture::UInt8, pixels.constBits());
}

qint64 DisplayGLPaintOpenGL::octetsDesTextures() const
{
    qint64 octets = 0;
    std::vector<const QOpenGLTexture*> comptees;
    for (const Objet& objet : objets_) {
        if (!objet.utilise || !objet.texture || objet.largeur <= 0 || objet.hauteur <= 0)
            continue;
        if (std::find(comptees.begin(), comptees.end(), objet.texture.get()) != comptees.end())
            continue;
        comptees.push_back(objet.texture.get());
        octets += qint64(objet.largeur) * objet.hauteur * 4;
    }
    return octets;
}

void DisplayGLPaintOpenGL::deleteObject(int id)
{
    if (!objetValide_(id))
        return;
    Objet& objet = objets_[static_cast<size_t>(id)];
    {
        ContexteCourant contexte(this);
        if (objet.texture && objet.texture.use_count() == 1 && objet.texture->isCreated() && contexte.pret())
            objet.texture->destroy();
    }
    objet.texture.reset();
    objet.cleImage = 0;
    objet.largeur = -1;
    objet.hauteur = -1;
    objet.enAttente = QImage();
    objet.nom.clear();
    objet.utilise = false;
}

void DisplayGLPaintOpenGL::libereTextures_(bool definitivement)
{
    for (Objet& objet : objets_) {
        if (objet.texture && objet.texture->isCreated())
            objet.texture->destroy();
        if (definitivement)
            objet.texture.reset();
        objet.cleImage = 0;
        objet.largeur = -1;
        objet.hauteur = -1;
    }
    programme_.reset();
    programmeLie_ = false;
}

void DisplayGLPaintOpenGL::OnContexteDetruit_()
{
    // The widget is being destroyed or moved to another window: its textures
    // and program go with this context. The objects keep their ids; the next
    // context asks the scene for their pictures again.
    {
        ContexteCourant contexte(this);
        if (contexte.pret())
            libereTextures_(false);
    }
    fonctionsPretes_ = false;
    cadreActif_ = false;
}

QVector3D DisplayGLPaintOpenGL::pointDePlacement(int kind)
{
    if (kind >= TrickPlace && kind < TrickPlace + NOMBRE_SIEGES) {
        const float* p = PLACES_PLI[kind - TrickPlace];
        return QVector3D(p[0], p[1], p[2]);
    }
    if (kind == TurnedCard)
        return QVector3D(0.0f, 0.0f, 0.01f);
    if (kind >= Pile && kind < Pile + NOMBRE_SIEGES) {
        const int siege = kind - Pile;
        const float* p = PLACES_PLI[siege];
        const float z = p[2] + 0.005f * static_cast<float>(siege);
        switch (siege) {
        case 0:
            return QVector3D(-p[0] / 2.0f, p[1] - 3.0f, z);
        case 1:
            return QVector3D(p[0] + 2.0f, -p[1] / 2.0f, z);
        case 2:
            return QVector3D(-p[0] / 2.0f, p[1] + 3.0f, z);
        default:
            return QVector3D(p[0] - 2.0f, -p[1] / 2.0f, z);
        }
    }
    if (kind >= TableEdge && kind < TableEdge + NOMBRE_SIEGES) {
        const float* p = PLACES_PLI[kind - TableEdge];
        return QVector3D(3.0f * p[0], 3.0f * p[1], p[2]);
    }
    return QVector3D(0.0f, 0.0f, 0.0f);
}

QVector3D DisplayGLPaintOpenGL::placePosition(int id, int kind)
{
    Q_UNUSED(id);
    return pointDePlacement(kind);
}

void DisplayGLPaintOpenGL::drawObject(int id, int placement, const TransformRecord& transform)
{
    if (!objetValide_(id) || !cadreActif_ || !contexteCourant_())
        return;
    Objet& objet = objets_[static_cast<size_t>(id)];
    if (!objet.texture || !objet.texture->isStorageAllocated())
        return;

    const ViewParameters& r = parametresVue_;
    QMatrix4x4 matrice = projection_
        * etapesDePlacement(placement, transform, static_cast<float>(r[ViewParameters::HauteurOeil]),
                            static_cast<float>(r[ViewParameters::Table]));
    // Drawn larger than its place (a text kept readable on a smaller
    // table), an object grows into the free wood beside the table: the
    // slate goes wholly left of its place, where the top and left seats'
    // bubbles and the left hand are not; a bubble keeps its side towards
    // the cloth.
    const float plus = std::max(0.0f, transform.scale - 1.0f);
    if (plus > 0.0f && objet.sommets.size() == 4) {
        const float demiLargeur = objet.sommets[2].x();
        const float demiHauteur = objet.sommets[2].y();
        if (placement == Slate) {
            matrice.translate(-(2.0f + plus) * demiLargeur, 0.0f, 0.0f);
        } else if (placement >= SeatBubble && placement < NotificationBubble) {
            const float sens = POSITIONS_BULLES[placement - SeatBubble][0] > 0.0f ? 1.0f : -1.0f;
            // The top seat's grows upwards, away from the side plates.
            const float haut = placement == SeatBubble + 2 ? plus * demiHauteur : 0.0f;
            matrice.translate(sens * plus * demiLargeur, haut, 0.0f);
        }
    }
    matrice.scale(transform.scale);

    objet.contour.clear();
    for (const QVector3D& sommet : objet.sommets) {
        const QVector4D clip = matrice * QVector4D(sommet, 1.0f);
        if (!(clip.w() > 0.0f)) {
            objet.contour.clear();
            break;
        }
        objet.contour << QPointF((clip.x() / clip.w() + 1.0f) / 2.0f, (1.0f - clip.y() / clip.w()) / 2.0f);
    }

    programme_->setUniformValue("brightness", transform.brightness);
    programme_->setUniformValue("contrast", transform.contrast);
    programme_->setUniformValue("matrix", matrice);
    programme_->enableAttributeArray(ATTRIBUT_SOMMET);
    programme_->enableAttributeArray(ATTRIBUT_TEXTURE);
    programme_->setAttributeArray(ATTRIBUT_SOMMET, objet.sommets.data());
    programme_->setAttributeArray(ATTRIBUT_TEXTURE, objet.coordonnees.data());
    objet.texture->bind();
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
}

void DisplayGLPaintOpenGL::PortableGrabFrameBuffer(CallBack_PortableGrabFrameBuffer_Completed* callback)
{
    if (!callback)
        return;
    ContexteCourant contexte(this);
    if (!contexte.pret() || !fonctionsPretes_ || !scene_) {
        callback->PortableGrabFrameBuffer_Completed(QImage());
        return;
    }
    const qreal ratio = scene_->devicePixelRatio() > 0 ? scene_->devicePixelRatio() : devicePixelRatioF();
    const QSize taille(static_cast<int>(width() * ratio), static_cast<int>(height() * ratio));
    if (taille.isEmpty()) {
        callback->PortableGrabFrameBuffer_Completed(QImage());
        return;
    }
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    format.setInternalTextureFormat(context()->isOpenGLES() ? GL_RGBA : GL_RGB);
    QOpenGLFramebufferObject tampon(taille, format);
    if (!tampon.isValid() || !tampon.bind()) {
        callback->PortableGrabFrameBuffer_Completed(QImage());
        return;
    }
    {
        // The device covers the whole buffer; the painter still works in the
        // widget's logical pixels, as the view does.
        QOpenGLPaintDevice peripherique(taille);
        peripherique.setDevicePixelRatio(ratio);
        QPainter peintre(&peripherique);
        peintre.setRenderHint(QPainter::Antialiasing, true);
        // The whole table as the view shows it: the layer drawn in the
        // background, then the items over it (the hand, the bubbles, the
        // windows in the scene).
        if (auto* scene = dynamic_cast<QGraphicsScene*>(scene_))
            scene->render(&peintre, QRectF(rect()), QRectF(rect()));
        else
            scene_->drawBackground(&peintre, QRectF(rect()));
    }
    const QImage image = tampon.toImage();
    tampon.release();
    callback->PortableGrabFrameBuffer_Completed(image);
}

void DisplayGLPaintOpenGL::OnMessageLogged(const QOpenGLDebugMessage& message)
{
    qDebug().noquote() << "DisplayGLWidget::OnMessageLogged: " << message.message();
}
