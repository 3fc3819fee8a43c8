#pragma once

// A table scene cut down to what the paint engines ask of one, shared by the
// display tests and the display benchmark: a graphics scene for the widget
// engine's pictures, objects drawn once per frame in the order given, and
// counts of what the engine asked. remplitTable() lays a table's worth of
// objects (background, cloth, slate, bubbles, a trick, three hands).

#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPaintA.h"
#include "DisplayGLPaintWidget.h"
#include "DisplayGLSceneA.h"
#include "DisplayGLWidget.h"
#include "GL_ObjectCube.h"
#include "GL_ObjectSquare.h"
#include "ZB_DeckJass.h"

#include <QColor>
#include <QGraphicsScene>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QSharedPointer>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

class SceneDeTest : public DisplayGLSceneA
{
public:
    struct Dessin
    {
        GL_ObjectA* objet = nullptr;
        DisplayGLPaintA::TransformRecord transform;
    };

    // Card objects' size in table units.
    static constexpr double LARGEUR_CARTE = 0.2;
    static constexpr double HAUTEUR_CARTE = 0.2828;

    explicit SceneDeTest(QSharedPointer<DisplayGLWidget> holder)
        : holder_(std::move(holder))
    {
    }
    ~SceneDeTest() override
    {
        objets.clear();
        if (DisplayGLPaintA* m = moteur())
            m->setScene(nullptr);
    }

    // The holder's engine, or one given directly.
    DisplayGLPaintA* moteur() const
    {
        if (moteurDirect)
            return moteurDirect;
        return holder_ ? holder_->paintEngine() : nullptr;
    }
    QSharedPointer<DisplayGLWidget> holder() const { return holder_; }

    QGraphicsScene* graphicsScene() override { return &scene; }
    void createGLObjects() override
    {
        ++creations;
        if (aLaCreation)
            aLaCreation();
    }
    void paintGLLayer() override
    {
        ++peintures;
        DisplayGLPaintA* m = moteur();
        if (!m)
            return;
        if (pendantPeinture)
            pendantPeinture();
        // The whole widget, as the table does.
        QWidget* w = m->widget();
        const double r = ratio;
        m->setViewport(0, 0, static_cast<int>(std::lround(w->width() * r)),
                       static_cast<int>(std::lround(w->height() * r)));
        m->beginFrame(fond);
        for (const Dessin& d : dessins)
            d.objet->draw(d.transform);
        m->endFrame();
    }
    void drawBackground(QPainter* painter, const QRectF& rect) override
    {
        painter->fillRect(rect, fondPeintre);
        // A mark in the bottom right corner, where a grab that maps the
        // view wrongly loses it.
        painter->fillRect(QRectF(rect.right() - 8, rect.bottom() - 8, 8, 8), marque);
        const QPaintEngine::Type type = painter->paintEngine()->type();
        if (!coucheGL || (type != QPaintEngine::OpenGL && type != QPaintEngine::OpenGL2))
            return;
        painter->beginNativePainting();
        paintGLLayer();
        painter->endNativePainting();
    }
    qreal devicePixelRatio() const override { return ratio; }

    template <typename T>
    T* ajoute(std::unique_ptr<T> objet, const DisplayGLPaintA::TransformRecord& transform = {})
    {
        T* brut = objet.get();
        dessins.push_back(Dessin{brut, transform});
        objets.push_back(std::move(objet));
        return brut;
    }

    // The picture of a card of style 0 at a power-of-two size, uncached.
    static QImage imageCarte(const ZB_DeckJass& deck, int couleur, int valeur)
    {
        DisplayGLHumanCarte carte(deck.getCarte(couleur, valeur));
        carte.render(0, QSize(256, 362), QString(), 1.0);
        return carte.getNormalPicture().toImage().scaled(256, 512, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    static QImage imageDos()
    {
        QImage image(256, 512, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(120, 20, 30));
        QPainter p(&image);
        p.setPen(QPen(QColor(240, 220, 160), 10));
        p.drawRect(QRect(12, 12, 232, 488));
        p.setPen(QPen(QColor(200, 150, 90), 4));
        for (int i = -512; i < 512; i += 32)
            p.drawLine(i, 0, i + 512, 512);
        return image;
    }

    // A table's worth of objects: the theme picture as background, cloth and
    // slate, four bubbles, a trick of four cards and the turned card, the
    // bottom seat's nine cards face up and two other seats' hands face down.
    // Placements and positions are the engine's own.
    void remplitTable()
    {
        const DisplayGLPaintA::TransformRecord neutre;
        for (int kind : {DisplayGLPaintA::Background, DisplayGLPaintA::Cloth, DisplayGLPaintA::Slate}) {
            const double cote = kind == DisplayGLPaintA::Background ? 7.5 : (kind == DisplayGLPaintA::Cloth ? 1.5 : 0.5);
            auto carre = std::make_unique<GL_ObjectSquare>(holder_, cote, cote, QStringLiteral("zb_test_square.png"), kind);
            carre->reloadTheme(0);
            ajoute(std::move(carre), neutre);
        }
        for (int siege = 0; siege < 4; ++siege) {
            auto bulle = std::make_unique<GL_ObjectSquare>(holder_, 0.35, 0.14, QStringLiteral("zb_test_square.png"),
                                                           DisplayGLPaintA::SeatBubble + siege);
            bulle->reloadTheme(0);
            ajoute(std::move(bulle), neutre);
        }
        const QImage dos = imageDos();
        auto carte = [&](int couleur, int valeur, int placement, int face) {
            auto cube = std::make_unique<GL_ObjectCube>(holder_, LARGEUR_CARTE, HAUTEUR_CARTE,
                                                        qMakePair(imageCarte(deck, couleur, valeur), dos),
                                                        QStringLiteral("%1 de %2").arg(valeur).arg(couleur));
            cube->setPlacement(placement);
            cube->setFace(face);
            ajoute(std::move(cube), neutre);
        };
        for (int p = 0; p < 4; ++p)
            carte(p + 1, 14 - p, DisplayGLPaintA::TrickPlace + p, GL_ObjectCube::Front);
        carte(3, 9, DisplayGLPaintA::TurnedCard, GL_ObjectCube::Front);
        for (int i = 0; i < DisplayGLPaintA::PLACES_PAR_MAIN; ++i)
            carte(1 + i % 4, 6 + i, DisplayGLPaintA::placementMain(0, i), GL_ObjectCube::Front);
        for (int siege = 1; siege < 4; siege += 2) {
            for (int i = 0; i < DisplayGLPaintA::PLACES_PAR_MAIN; ++i)
                carte(1, 6, DisplayGLPaintA::placementMain(siege, i), GL_ObjectCube::Back);
        }
    }

    QGraphicsScene scene;
    ZB_DeckJass deck;
    std::vector<std::unique_ptr<GL_ObjectA>> objets;
    std::vector<Dessin> dessins;
    QColor fond = QColor(30, 60, 110);
    QColor fondPeintre = QColor(30, 60, 110);
    QColor marque = QColor(250, 200, 0);
    qreal ratio = 1.0;
    bool coucheGL = true;
    DisplayGLPaintA* moteurDirect = nullptr;
    int creations = 0;
    int peintures = 0;
    std::function<void()> aLaCreation;
    std::function<void()> pendantPeinture;

private:
    QSharedPointer<DisplayGLWidget> holder_;
};

// A picture of one colour, as the engines' tests texture their objects with.
inline QImage imageUnie(int largeur, int hauteur, const QColor& couleur = Qt::red)
{
    QImage i(largeur, hauteur, QImage::Format_ARGB32_Premultiplied);
    i.fill(couleur);
    return i;
}

// r3 x r7 = 1, a visible area of 800 x 600.
inline DisplayGLPaintA::ViewParameters vue800x600()
{
    auto p = DisplayGLPaintA::ViewParameters::parDefaut();
    p[DisplayGLPaintA::ViewParameters::FacteurHauteur] = 1.0;
    p[DisplayGLPaintA::ViewParameters::LargeurVisible] = 800.0;
    p[DisplayGLPaintA::ViewParameters::HauteurVisible] = 600.0;
    return p;
}

// The widget engine on a test scene, showing an 800 x 600 area.
struct BancWidget
{
    QSharedPointer<DisplayGLWidget> holder =
        QSharedPointer<DisplayGLWidget>::create(nullptr, DisplayGLWidget::MoteurWidget);
    SceneDeTest scene{holder};
    DisplayGLPaintWidget* moteur = static_cast<DisplayGLPaintWidget*>(holder->paintEngine());

    BancWidget()
    {
        moteur->setScene(&scene);
        moteur->setViewParameters(vue800x600());
    }
};
