#include "AppStyleSwitch.h"
#include "DisplayGLScene.h"
#include "TableDeScene.h"
#include "ZbTestRegistry.h"

#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QPushButton>
#include <QStyle>
#include <QTest>

using namespace scenetest;

// The table's round tool buttons float over the cloth: under every theme
// and under the platform style (an unattended run installs no theme), what
// lies outside a button's rounded panel is the table,
// never a square of the window colour.
class TestSceneButtonsThemed : public QObject
{
    Q_OBJECT

    QString styleAvant_;

private slots:
    void initTestCase() { styleAvant_ = QApplication::style()->name(); }
    void cleanupTestCase() { QApplication::setStyle(styleAvant_); }

    void cornersShowTheTable_data()
    {
        QTest::addColumn<int>("theme");
        QTest::addColumn<QString>("bouton");
        const char* const themes[] = {"Wood", "Alien", "Racing", "Candy", "Nature"};
        for (const char* bouton : {"connect", "help", "bug"}) {
            QTest::addRow("no theme, %s", bouton) << -1 << QString::fromLatin1(bouton);
            for (int theme = AppStyleSwitch::WOOD; theme <= AppStyleSwitch::NATURE; ++theme)
                QTest::addRow("%s, %s", themes[theme], bouton) << theme << QString::fromLatin1(bouton);
        }
    }
    void cornersShowTheTable()
    {
        QFETCH(int, theme);
        QFETCH(QString, bouton);
        if (theme < 0)
            QApplication::setStyle(styleAvant_);
        else
            AppStyleSwitch::apply(theme, false);
        Reglages r;
        r.automatique = false;
        r.taille = QSize(800, 600);
        TableDeScene t(r);
        // A background unlike any theme's window colour, so that a square
        // painted in that colour shows.
        t.scene->setBackgroundBrush(QColor(0, 0, 255));
        QGraphicsProxyWidget* proxy = bouton == QLatin1String("connect") ? t.scene->proxyConnexion()
            : bouton == QLatin1String("help")                           ? t.scene->proxyAide()
                                                                         : t.scene->proxyBug();
        proxy->show();
        QCoreApplication::processEvents();
        const QRect cadre = proxy->sceneBoundingRect().toAlignedRect();
        QVERIFY(!cadre.isEmpty());
        const QImage avec = t.image();
        proxy->hide();
        const QImage sans = t.image();
        // Inside the rectangle but outside the rounded panel.
        for (const QPoint& coin : {cadre.topLeft(), cadre.topRight(), cadre.bottomLeft(), cadre.bottomRight()}) {
            const QPoint p(std::clamp(coin.x(), 0, avec.width() - 1), std::clamp(coin.y(), 0, avec.height() - 1));
            QVERIFY2(avec.pixel(p) == sans.pixel(p),
                     qPrintable(QStringLiteral("%1 hides the table at (%2, %3): %4 instead of %5")
                                    .arg(bouton)
                                    .arg(p.x())
                                    .arg(p.y())
                                    .arg(QColor(avec.pixel(p)).name(), QColor(sans.pixel(p)).name())));
        }
    }
};

ZB_REGISTER_TEST(TestSceneButtonsThemed)
#include "TestSceneButtonsThemed.moc"
