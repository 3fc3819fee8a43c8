#pragma once

#include "DisplayGLPaintA.h"
#include "GM_MessageBoxEmitter.h"

#include <QMatrix4x4>
#include <QMetaObject>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QPointF>
#include <QSize>
#include <QVector2D>

#include <array>
#include <memory>
#include <vector>

class GM_MessageBoxDisplayerA;
class QOpenGLDebugMessage;
class QOpenGLShaderProgram;
class QOpenGLTexture;

// The OpenGL engine: one textured quad per object, drawn with one small
// shader that OpenGL ES 2 and desktop OpenGL both compile, under a
// perspective camera built from the camera record.
//
// Rules:
// - The camera frames the whole table (cloth, slate, hands, bubbles)
//   inside the viewport whatever its shape: the perspective takes the
//   viewport's aspect, and a flat zoom and shift after it fit the table's
//   extent, seen from the table's eye height without the pointer pan, into
//   the layer's part of the viewport (r11 of r10's scale, from the top),
//   centred on the cloth across. The bottom seat's own hand only keeps its
//   cards' middles in the viewport. A higher eye (the deal's zoom-in) and
//   the pan then move the picture from that frame.
// - Every GL call happens with this widget's context current: inside a
//   frame or paintGL, or within a bracket the engine opens itself around
//   uploads and deletions asked for from outside one. A picture given
//   before the widget has a context waits and is uploaded when it gets one.
// - Every texture is freed while its context lives: when the context is
//   about to go (the widget is destroyed or moved to another window) and in
//   the destructor. Objects keep their ids across a lost context; the scene
//   is asked to create its objects again and gives their pictures anew.
// - Objects given the very same picture (one QImage, unchanged: the back
//   of every card) share one texture; giving one of them another picture
//   gives it a texture of its own. The software renderer keeps a copy of
//   every texture in the process, so each duplicate cost its full size.
// - A shader program that fails to link or bind is reported once (a log
//   line and a queued box, never a box inside a paint) and the 3-D layer is
//   then skipped: frames clear the view and draw no object.
class DisplayGLPaintOpenGL : public QOpenGLWidget, protected QOpenGLFunctions, public DisplayGLPaintA
{
    Q_OBJECT

public:
    static constexpr const char* NOM_PROGRAMME = "Quenvel shader";
    static constexpr const char* TITRE_ERREUR = "OpenGL ES2 Error";
    static constexpr float ANGLE_VUE = 70.0f;
    static constexpr float PLAN_PROCHE = 0.2f;
    static constexpr float PLAN_LOINTAIN = 1000.0f;
    // The eye height (before r3) at which the table is framed.
    static constexpr float HAUTEUR_OEIL_CADRAGE = 2.5f;
    // Share of the layer left free on each side of the framed table.
    static constexpr float MARGE_CADRAGE = 0.02f;

    DisplayGLPaintOpenGL();
    ~DisplayGLPaintOpenGL() override;

    void setViewParameters(const ViewParameters& parametres) override;
    void makeCurrent() override;
    void doneCurrent() override;
    void initialize() override;
    void PortableGrabFrameBuffer(CallBack_PortableGrabFrameBuffer_Completed* callback) override;
    void beginFrame(const QColor& clear) override;
    void endFrame() override;
    void setViewport(int x, int y, int width, int height) override;
    void update() override;
    int createObject(double width, double height, const QString& name) override;
    void setObjectImage(int id, const QImage& image) override;
    void deleteObject(int id) override;
    QVector3D placePosition(int id, int kind) override;
    void drawObject(int id, int placement, const TransformRecord& transform) override;
    void hideObject(int id) override;
    QPolygonF contourVu(int id) const override;
    QWidget* widget() override;

    // Where the failure box goes; without one, a box of its own is opened
    // from the event loop.
    void setMessageBoxDisplayer(GM_MessageBoxDisplayerA* displayer);

    QMatrix4x4 projection() const { return projection_; }
    // The viewport last set, in device pixels.
    QSize tailleViewport() const { return tailleViewport_; }
    // Where a point of the table lands in the viewport, in normalised
    // device coordinates (x and y from -1 to 1, y up).
    QPointF versEcran(const QVector3D& point) const;
    // The table's extent the camera frames into the layer: corners of the
    // cloth, the slate, the hands of the seats but the bottom one, and the
    // bubbles, in table units.
    static std::vector<QVector3D> pointsDuCadrage(float table);
    // The middles of the bottom seat's outer cards, which the frame keeps
    // in the view.
    static std::vector<QVector3D> pointsMainDuBas();
    // Objects that hold an id.
    int nombreObjets() const;
    // Size of the picture last uploaded for id; (-1, -1) before the first
    // upload, while it waits for a context and for an unknown id.
    QSize tailleTexture(int id) const;
    // Bytes of the distinct textures uploaded (a shared texture counted
    // once): what a software renderer holds in this process's memory.
    qint64 octetsDesTextures() const;
    bool programmeUtilisable() const { return programmeLie_; }
    bool erreurSignalee() const { return erreurSignalee_; }

    // The anchor point of a placement kind (the OpenGL engine's points do
    // not depend on the object).
    static QVector3D pointDePlacement(int kind);

public slots:
    void OnMessageLogged(const QOpenGLDebugMessage& message);

protected:
    void initializeGL() override;
    void paintGL() override;

    // The shader sources, without their version line.
    virtual QByteArray sourceVertex() const;
    virtual QByteArray sourceFragment() const;

private:
    struct Objet
    {
        std::array<QVector3D, 4> sommets;
        std::array<QVector2D, 4> coordonnees;
        std::shared_ptr<QOpenGLTexture> texture;
        // QImage::cacheKey of the picture in the texture; 0 when none.
        qint64 cleImage = 0;
        int largeur = -1;
        int hauteur = -1;
        bool utilise = false;
        // Its corners as last drawn, in the viewport's share.
        QPolygonF contour;
        QImage enAttente;
        QString nom;
    };

    bool objetValide_(int id) const;
    bool contexteCourant_() const;
    void initialiseContexte_();
    void construitProgramme_();
    void signaleErreur_(const QString& quoi, const QString& journal);
    // Context current.
    void televerse_(Objet& objet, const QImage& donnee);
    // Another object whose texture already holds that picture.
    const Objet* textureDejaChargee_(const Objet& objet, qint64 cleImage) const;
    void libereTextures_(bool definitivement);
    void OnContexteDetruit_();
    void construitProjection_();

    std::unique_ptr<QOpenGLShaderProgram> programme_;
    QMatrix4x4 projection_;
    QSize tailleViewport_;
    std::vector<Objet> objets_;
    bool fonctionsPretes_ = false;
    bool programmeLie_ = false;
    bool cadreActif_ = false;
    bool erreurSignalee_ = false;
    QMetaObject::Connection connexionContexte_;
    GM_MessageBoxEmitter boites_;
};
