#pragma once

// A table scene built the way the table view builds it: a paint-engine
// holder with the widget engine (the offscreen platform has no OpenGL; the
// OpenGL engine where the settings ask for it), a
// graphics view whose viewport is the engine's widget, the scene, and the
// engine told of its scene. The native hooks record what the scene asks of
// them; the kit's DestinataireDesBoites records the answers of message boxes.
// Pictures of a table are left for a look where ZB_DISPLAY_PNG_DIR names a
// folder.

#include "DestinataireDesBoites.h"
#include "DisplayGLPaintA.h"
#include "DisplayGLScene.h"
#include "DisplayGLWidget.h"
#include "GM_NativeA.h"
#include "OptionsAffichage.h"

#include <QDir>
#include <QGraphicsView>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QPointer>
#include <QSharedPointer>
#include <QThread>
#include <QWidget>

#include <memory>

namespace scenetest {

class NatifEnregistre : public GM_NativeA
{
public:
    struct Score
    {
        int points;
        int adversaire;
        QString suffixe;
    };
    void vibrate(int millisecondes) override { vibrations << millisecondes; }
    void discordSetActivityScore(int points, int adversaire, const QString& suffixe) override
    {
        scores << Score{points, adversaire, suffixe};
    }
    QList<int> vibrations;
    QList<Score> scores;
};

struct Reglages
{
    bool automatique = true;
    bool belote = false;
    bool captures = false;
    bool panneauDroit = false;
    QSize taille = QSize(800, 600);
    OptionsAffichage options;
    DisplayGLWidget::Moteur moteur = DisplayGLWidget::MoteurWidget;
};

struct TableDeScene
{
    explicit TableDeScene(const Reglages& r = Reglages())
        : holder(QSharedPointer<DisplayGLWidget>::create(nullptr, r.moteur))
        , vue(std::make_unique<QGraphicsView>())
    {
        if (r.panneauDroit)
            panneauDroit = new QWidget;
        vue->setViewport(holder->engineWidget());
        vue->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        vue->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        vue->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        vue->resize(r.taille);
        scene = new DisplayGLScene(nullptr, vue.get(), holder, panneauDroit.data(), nullptr, false, r.options,
                                   r.belote, r.captures, r.automatique, QStringLiteral("zb_test_scene"),
                                   QString(), nullptr, &natif);
        vue->setScene(scene);
        holder->paintEngine()->setScene(scene);
        scene->setSceneRect(QRectF(QPointF(0, 0), QSizeF(r.taille)));
    }
    ~TableDeScene()
    {
        delete scene;
        vue.reset();
        delete panneauDroit.data();
    }
    TableDeScene(const TableDeScene&) = delete;
    TableDeScene& operator=(const TableDeScene&) = delete;

    // The table as the view shows it, the 3-D layer placed first.
    QImage image()
    {
        scene->rafraichitCouche();
        QImage image(scene->sceneRect().size().toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter peintre(&image);
        peintre.setRenderHint(QPainter::Antialiasing);
        peintre.setRenderHint(QPainter::SmoothPixmapTransform);
        scene->render(&peintre, QRectF(image.rect()), scene->sceneRect());
        return image;
    }

    QSharedPointer<DisplayGLWidget> holder;
    std::unique_ptr<QGraphicsView> vue;
    NatifEnregistre natif;
    QPointer<QWidget> panneauDroit;
    DisplayGLScene* scene = nullptr;
};

// With ZB_DISPLAY_PNG_DIR=<folder> a picture is left there for a look.
inline void gardeImage(const QImage& image, const QString& nom)
{
    const QString dossier = qEnvironmentVariable("ZB_DISPLAY_PNG_DIR");
    if (!dossier.isEmpty() && QDir().mkpath(dossier))
        image.save(dossier + QLatin1Char('/') + nom);
}

} // namespace scenetest
