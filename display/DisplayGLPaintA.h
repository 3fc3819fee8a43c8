#pragma once

#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QString>
#include <QVector3D>

#include <array>

class DisplayGLSceneA;
class QWidget;

// The sprite engine that draws the table's 3-D layer (cloth, slate, cards on
// the table, bubbles). Rules every engine keeps:
// - Objects are textured rectangles addressed by integer ids. createObject
//   hands out the first free id; a deleted id is free again.
// - An operation on an id without an object is ignored, never a crash.
// - The scene draws a frame between beginFrame and endFrame, placing each
//   object by a placement kind (Placement) and a transform record; an object
//   that is not drawn in a frame is absent from it.
// - The camera record is the scene's to set; engines read the fields they
//   need and keep the others for the scene.
// GUI thread only.
class DisplayGLPaintA
{
public:
    // The camera record, r0 to r12.
    struct ViewParameters
    {
        enum Champ {
            CameraX = 0,      // r0, r1: camera position on the table plane
            CameraY = 1,
            HauteurOeil = 2,  // r2: eye height, times r3
            FacteurHauteur = 3, // r3: height factor of eye and target
            HauteurCible = 4, // r4: target height, times r3
            DecalageX = 5,    // r5, r6: pointer pan, taken as r5 / 3000 and r6 / 2000
            DecalageY = 6,
            Echelle = 7,      // r7: uniform scale of the whole view
            LargeurVisible = 10, // r10, r11: visible area in pixels (widget engine)
            HauteurVisible = 11,
            Table = 12,       // r12: the scene's table factor
            NOMBRE = 13
        };

        std::array<double, NOMBRE> r{};

        // The engines' start value: r1 -0.25, r2 4.5, r4 -0.5, r7 1.0, the rest 0.
        static ViewParameters parDefaut();
        double& operator[](int i) { return r[static_cast<size_t>(i)]; }
        double operator[](int i) const { return r[static_cast<size_t>(i)]; }
        bool operator==(const ViewParameters& o) const { return r == o.r; }
        bool operator!=(const ViewParameters& o) const { return r != o.r; }
    };

    // How the scene places one object in one frame.
    struct TransformRecord
    {
        static constexpr quint8 DRAPEAU_LEVE = 0x01;

        float brightness = 0.0f; // added to every channel
        float contrast = 0.0f;   // the result is scaled by 1 + contrast
        float x = 0.0f;          // position; (0, 0, 0) means "the placement's own point"
        float y = 0.0f;
        float z = 0.0f;
        float scale = 1.0f;
        quint8 flags = 0;        // bit 0: the card is raised out of its hand

        bool isRaised() const { return (flags & DRAPEAU_LEVE) != 0; }
        void setRaised(bool leve)
        {
            flags = leve ? static_cast<quint8>(flags | DRAPEAU_LEVE) : static_cast<quint8>(flags & ~DRAPEAU_LEVE);
        }
        bool hasPosition() const { return x != 0.0f || y != 0.0f || z != 0.0f; }
    };

    // Placement kinds. Seat-indexed kinds take the seat's display position
    // (0 bottom, then counter-clockwise) added to their first value.
    enum Placement {
        Background = 0,
        Cloth = 1,
        Slate = 2,
        TrickPlace = 3,   // 3..6: a seat's card in the current trick
        TurnedCard = 7,
        Pile = 8,         // 8..11: beside a seat, beyond the table edge
        TableEdge = 12,   // 12..15: a seat's edge of the table
        Hand = 16,        // 16..51: nine places per seat, 16 + 9 seat + index
        SeatBubble = 52,  // 52..55
        NotificationBubble = 56
    };
    static constexpr int PLACES_PAR_MAIN = 9;
    static constexpr int NOMBRE_SIEGES = 4;
    static constexpr int placementMain(int siege, int index) { return Hand + PLACES_PAR_MAIN * siege + index; }

    // Receives the picture of a frame grab.
    class CallBack_PortableGrabFrameBuffer_Completed
    {
    public:
        CallBack_PortableGrabFrameBuffer_Completed() = default;
        CallBack_PortableGrabFrameBuffer_Completed(const CallBack_PortableGrabFrameBuffer_Completed&) = delete;
        CallBack_PortableGrabFrameBuffer_Completed& operator=(const CallBack_PortableGrabFrameBuffer_Completed&) =
            delete;
        virtual ~CallBack_PortableGrabFrameBuffer_Completed() = default;
        virtual void PortableGrabFrameBuffer_Completed(const QImage& image) = 0;
    };

    DisplayGLPaintA();
    DisplayGLPaintA(const DisplayGLPaintA&) = delete;
    DisplayGLPaintA& operator=(const DisplayGLPaintA&) = delete;
    virtual ~DisplayGLPaintA();

    // Null when the scene goes away.
    virtual void setScene(DisplayGLSceneA* scene);
    virtual void setViewParameters(const ViewParameters& parametres);
    virtual ViewParameters viewParameters() const;
    virtual void makeCurrent() = 0;
    virtual void doneCurrent() = 0;
    virtual void initialize() = 0;
    // The callback is called exactly once, with a null image when the
    // engine cannot grab.
    virtual void PortableGrabFrameBuffer(CallBack_PortableGrabFrameBuffer_Completed* callback) = 0;
    virtual void beginFrame(const QColor& clear) = 0;
    virtual void endFrame() = 0;
    virtual void setViewport(int x, int y, int width, int height) = 0;
    virtual void update() = 0;
    // width and height in table units.
    virtual int createObject(double width, double height, const QString& name) = 0;
    // A null image is ignored.
    virtual void setObjectImage(int id, const QImage& image) = 0;
    virtual void deleteObject(int id) = 0;
    // The anchor point of a placement kind; the widget engine needs the
    // object, since its points are the object's top-left corner.
    virtual QVector3D placePosition(int id, int kind) = 0;
    virtual void drawObject(int id, int placement, const TransformRecord& transform) = 0;
    virtual void hideObject(int id) = 0;
    virtual QWidget* widget() = 0;
    // Where the object showed when it was last drawn, its corners in the
    // viewport's share (0, 0 its top left, 1, 1 its bottom right); empty
    // when the engine cannot tell.
    virtual QPolygonF contourVu(int id) const
    {
        Q_UNUSED(id);
        return {};
    }

    DisplayGLSceneA* scene() const { return scene_; }

protected:
    DisplayGLSceneA* scene_ = nullptr;
    ViewParameters parametresVue_;
};
