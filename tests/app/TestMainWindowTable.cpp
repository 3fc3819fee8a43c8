#include "Contraste.h"
#include "DisplayGL.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLPanelDeJoueur.h"
#include "DisplayGLScene.h"
#include "PanelAtouts.h"
#include "TypeDePartie.h"
#include "ZB_MainWidget.h"
#include "ZB_SettingsStore.h"
#include "ZbTestRegistry.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QGraphicsPathItem>
#include <QGraphicsProxyWidget>
#include <QGraphicsSimpleTextItem>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

QString texte(const QRectF& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

// The table as the real main window shows it, under each theme and with
// none, in a small and a large window: the user's hand, the trump panel and
// the status line lie inside the view, the panel clear of the hand it asks
// about, and the status text stands out from what lies around it.
class TestMainWindowTable : public QObject
{
    Q_OBJECT

private slots:
    void tableDansLaFenetre_data()
    {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QSize>("taille");
        for (const QSize& taille : {QSize(800, 600), QSize(1920, 1080)})
            for (const char* theme :
                 {"style_bois", "style_alien", "style_course", "style_bonbon", "style_nature"})
                QTest::addRow("%s %dx%d", theme, taille.width(), taille.height()) << QString::fromLatin1(theme)
                                                                                  << taille;
    }
    void tableDansLaFenetre()
    {
        QFETCH(QString, theme);
        QFETCH(QSize, taille);
        {
            // No earlier test's theme, options or welcome decide this one.
            QSettings reglages;
            reglages.remove(QLatin1String(ZB_SettingsStore::GROUPE_STYLE_APPLICATION));
            reglages.remove(QLatin1String(ZB_SettingsStore::GROUPE_AFFICHAGE));
            reglages.remove(QLatin1String(ZB_SettingsStore::GROUPE_PARTIE));
            reglages.setValue(QLatin1String(ZB_SettingsStore::GROUPE_TUTORIEL) + QStringLiteral("/done"), true);
        }
        QTemporaryDir dossier;
        ZB_Settings demarrage;
        demarrage.nowait = true;
        ZB_MainWidget w(demarrage, dossier.path());
        w.vue()->resize(taille);
        QAction* action = w.action(theme);
        QVERIFY(action);
        action->trigger();
        DisplayGLScene* s = w.vue()->scene();
        s->setFacteurDurees(0.1);
        w.demarre();

        const auto main = [s] {
            QList<QRectF> cartes;
            for (int i = 0; i < 36; ++i)
                if (const DisplayGLHumanCarte* c = s->jeuDeCartes().getCarte(i); c && c->isVisible())
                    cartes << c->sceneBoundingRect();
            return cartes;
        };
        QVERIFY(QTest::qWaitFor([&] { return main().size() == 9 && !s->texteArdoise().isEmpty(); }, 60000));
        QTest::qWait(400);
        const QRectF vue = QRectF(QPointF(0, 0), w.vue()->viewport()->size()).adjusted(-1, -1, 1, 1);
        QCOMPARE(s->sceneRect().size(), QSizeF(w.vue()->viewport()->size()));
        for (const QRectF& carte : main())
            QVERIFY2(vue.contains(carte), qPrintable(QStringLiteral("card %1 off the view").arg(texte(carte))));

        // The trump panel as it comes up for the user, shown once the table
        // waits for her: before that, the table's next state could close it
        // again on a loaded machine.
        const auto attendLUtilisateur = [&] {
            const auto* p = dynamic_cast<const DisplayGLPanelDeJoueur*>(w.vue()->getPanelDeJoueur(s->siegeBas()));
            return p != nullptr && (p->isCarteDemandee() || p->isChoixAtoutOuvert() || p->isChoixMiseOuvert());
        };
        QVERIFY2(QTest::qWaitFor(attendLUtilisateur, 60000), "the table never asked the user");
        s->panelAtouts()->afficheChoixAtout(TypeDePartie::getTypeDePartie(0), true);
        s->conteneurAtouts()->show();
        QCoreApplication::sendPostedEvents();
        // The proxy shows at the scene's next turn, later on a loaded machine.
        const QGraphicsProxyWidget* proxy = s->conteneurAtouts()->graphicsProxyWidget();
        QVERIFY(proxy);
        QVERIFY2(QTest::qWaitFor([&] { return proxy->isVisible(); }, 30000), "the trump band's proxy never showed");
        const QRectF bande = proxy->sceneBoundingRect();
        QVERIFY2(vue.contains(bande), qPrintable(texte(bande)));
        int boutons = 0;
        for (QAbstractButton* bouton : s->panelAtouts()->findChildren<QAbstractButton*>()) {
            if (!bouton->isVisible())
                continue;
            ++boutons;
            const QRectF r = proxy->mapRectToScene(
                QRectF(bouton->mapTo(s->conteneurAtouts(), QPoint(0, 0)), QSizeF(bouton->size())));
            QVERIFY2(vue.contains(r), qPrintable(bouton->objectName() + QLatin1Char(' ') + texte(r)));
        }
        QVERIFY(boutons >= 4);
        for (const QRectF& carte : main())
            QVERIFY2(carte.top() >= bande.bottom() - 1.0,
                     qPrintable(QStringLiteral("card %1 under the panel %2").arg(texte(carte), texte(bande))));

        // The status line: inside the view, its letters at least 4.5 to 1
        // against every pixel around them. The game goes on meanwhile: the
        // lines are read as the picture shows them, with no event between.
        const QImage image = w.vue()->viewport()->grab().toImage();
        QRectF lettres;
        QColor encre;
        for (const QGraphicsSimpleTextItem* ligne : s->lignesArdoise())
            if (!ligne->text().isEmpty()) {
                lettres |= ligne->sceneBoundingRect();
                encre = ligne->brush().color();
            }
        QVERIFY(!lettres.isEmpty());
        QVERIFY2(vue.contains(s->fondLignesArdoise()->sceneBoundingRect()),
                 qPrintable(texte(s->fondLignesArdoise()->sceneBoundingRect())));
        const QRect dedans = lettres.toAlignedRect() & image.rect();
        double pire = 100.0;
        const QRect anneau = dedans.adjusted(-3, -3, 3, 3);
        for (int y = anneau.top(); y <= anneau.bottom(); ++y)
            for (int x = anneau.left(); x <= anneau.right(); ++x)
                if (!dedans.adjusted(-1, -1, 1, 1).contains(x, y) && image.valid(x, y))
                    pire = std::min(pire, contraste::rapport(encre, image.pixelColor(x, y)));
        if (pire < 4.5)
            image.save(QDir::temp().filePath(QStringLiteral("zubrik-window-%1.png")
                                                 .arg(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'))));
        QVERIFY2(pire >= 4.5, qPrintable(QStringLiteral("contrast %1 to 1 around %2").arg(pire).arg(texte(dedans))));
    }
};

ZB_REGISTER_TEST(TestMainWindowTable)
#include "TestMainWindowTable.moc"
