#include "GM_WidgetAuto.h"
#include "GM_WidgetAutoRound.h"
#include "ZbTestRegistry.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QPixmap image(int largeur, int hauteur)
{
    QPixmap p(largeur, hauteur);
    p.fill(Qt::darkGreen);
    return p;
}

} // namespace

class TestWidgetAuto : public QObject
{
    Q_OBJECT

private slots:
    void construction()
    {
        GM_WidgetAuto sansParent;
        QVERIFY(sansParent.parentWidget() == nullptr);
        QVERIFY(!sansParent.testAttribute(Qt::WA_ContentsMarginsRespectsSafeArea));
        QVERIFY(!sansParent.windowFlags().testFlag(Qt::MaximizeUsingFullscreenGeometryHint));
        QVERIFY(!sansParent.swipeTriggered(QSwipeGesture::Left));

        QWidget parent;
        auto* enfant = new GM_WidgetAuto(&parent);
        QCOMPARE(enfant->parentWidget(), &parent);

        GM_WidgetAutoRound rond;
        QVERIFY(rond.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(rond.testAttribute(Qt::WA_TranslucentBackground));
    }

    void marginsAndSpacingsFollowTheSize()
    {
        GM_WidgetAuto w;
        auto* principal = new QVBoxLayout(&w);
        principal->setContentsMargins(10, 10, 10, 10);
        principal->setSpacing(6);
        auto* ligne = new QHBoxLayout;
        ligne->setContentsMargins(0, 0, 0, 0);
        ligne->setSpacing(0);
        principal->addLayout(ligne);
        auto* colonne = new QVBoxLayout;
        colonne->setContentsMargins(4, 0, 0, 8);
        colonne->setSpacing(0);
        principal->addLayout(colonne);
        ligne->addWidget(new QPushButton(QStringLiteral("a")));
        colonne->addWidget(new QPushButton(QStringLiteral("b")));

        // 526 x 0.0019 x 10 = 9.99 -> 10; 1052 x 0.0019 x 10 = 19.99 -> 20.
        w.resize(1052, 526);
        w.adjustToSize();
        QCOMPARE(principal->contentsMargins(), QMargins(20, 10, 20, 10));
        QCOMPARE(principal->spacing(), 12);
        QCOMPARE(colonne->contentsMargins(), QMargins(8, 0, 0, 8));
        QCOMPARE(ligne->contentsMargins(), QMargins(0, 0, 0, 0));
        QCOMPARE(ligne->spacing(), 0);

        // Designed values are kept: shrinking and growing again does not compound.
        w.resize(263, 263);
        w.adjustToSize();
        QCOMPARE(principal->contentsMargins(), QMargins(5, 5, 5, 5));
        QCOMPARE(principal->spacing(), 3);
        w.resize(1052, 526);
        w.adjustToSize();
        QCOMPARE(principal->contentsMargins(), QMargins(20, 10, 20, 10));

        // A layout deleted after the first adjustment is left alone.
        principal->removeItem(colonne);
        delete colonne;
        w.resize(800, 600);
        w.adjustToSize();
        QCOMPARE(principal->contentsMargins(), QMargins(15, 11, 15, 11));
    }

    void resizeOfAShownWidgetAdjusts()
    {
        GM_WidgetAuto w;
        auto* layout = new QVBoxLayout(&w);
        layout->setContentsMargins(10, 20, 30, 40);
        layout->addWidget(new QLabel(QStringLiteral("x")));
        w.resize(400, 400);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(1000, 500);
        QCOMPARE(layout->contentsMargins(), QMargins(19, 19, 57, 38));
    }

    void setGeometryFixed()
    {
        GM_WidgetAuto w;
        w.setGeometryFixed(QRect(12, 34, 300, 200));
        QCOMPARE(w.minimumSize(), QSize(300, 200));
        QCOMPARE(w.maximumSize(), QSize(300, 200));
        QCOMPARE(w.geometry(), QRect(12, 34, 300, 200));
    }

    void paletteReachesEveryDescendant()
    {
        GM_WidgetAuto w;
        auto* cadre = new QWidget(&w);
        auto* bouton = new QPushButton(cadre);
        auto* etiquette = new QLabel(bouton);
        QPalette p;
        p.setColor(QPalette::Window, QColor(10, 20, 30));
        p.setColor(QPalette::WindowText, QColor(200, 100, 50));
        w.setPaletteAll(p);
        for (QWidget* cible : {static_cast<QWidget*>(&w), cadre, static_cast<QWidget*>(bouton),
                               static_cast<QWidget*>(etiquette)}) {
            QCOMPARE(cible->palette().color(QPalette::Window), QColor(10, 20, 30));
            QCOMPARE(cible->palette().color(QPalette::WindowText), QColor(200, 100, 50));
        }
    }

    void labelPixmapScaled_data()
    {
        QTest::addColumn<double>("largeur");
        QTest::addColumn<double>("hauteur");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("diviseur");
        QTest::addColumn<double>("decalage");
        QTest::addColumn<int>("pixels");

        QTest::newRow("smaller side / 10 + 3") << 300.0 << 200.0 << 1.0 << 10.0 << 3.0 << 23;
        QTest::newRow("device pixel ratio 2") << 300.0 << 200.0 << 2.0 << 10.0 << 3.0 << 46;
        QTest::newRow("half rounds away from zero") << 25.0 << 40.0 << 1.0 << 10.0 << 0.0 << 3;
        QTest::newRow("ratio 1.5") << 100.0 << 100.0 << 1.5 << 4.0 << 0.0 << 38;
    }

    void labelPixmapScaled()
    {
        QFETCH(double, largeur);
        QFETCH(double, hauteur);
        QFETCH(double, ratio);
        QFETCH(double, diviseur);
        QFETCH(double, decalage);
        QFETCH(int, pixels);

        QLabel label;
        GM_WidgetAuto::setLabelPixmapScaled(&label, largeur, hauteur, QIcon(image(64, 64)), ratio, diviseur,
                                            decalage);
        const QPixmap p = label.pixmap();
        QCOMPARE(p.size(), QSize(pixels, pixels));
        QCOMPARE(p.devicePixelRatio(), ratio);
    }

    void labelPixmapScaledKeepsAspectAndSkipsBadInput()
    {
        QLabel label;
        GM_WidgetAuto::setLabelPixmapScaled(&label, 300, 300, QIcon(image(80, 40)), 1.0, 10, 0);
        QCOMPARE(label.pixmap().width(), 30);
        QCOMPARE(label.pixmap().height(), 15);

        // A null icon, a null label or a size below a pixel change nothing.
        const qint64 avant = label.pixmap().cacheKey();
        GM_WidgetAuto::setLabelPixmapScaled(&label, 300, 300, QIcon(), 1.0, 10, 3);
        GM_WidgetAuto::setLabelPixmapScaled(&label, 0, 0, QIcon(image(8, 8)), 1.0, 10, 0);
        GM_WidgetAuto::setLabelPixmapScaled(&label, 300, 300, QIcon(image(8, 8)), 1.0, 0, 0);
        GM_WidgetAuto::setLabelPixmapScaled(nullptr, 300, 300, QIcon(image(8, 8)), 1.0, 10, 3);
        QCOMPARE(label.pixmap().cacheKey(), avant);
    }

    void registeredLabelsFollowTheSize()
    {
        QTemporaryDir dossier;
        QVERIFY(dossier.isValid());
        const QString chemin = dossier.filePath(QStringLiteral("logo.png"));
        QVERIFY(image(128, 128).save(chemin));

        GM_WidgetAuto w;
        auto* label = new QLabel(&w);
        auto* partant = new QLabel(&w);
        w.resize(400, 300);
        w.setLabelPixmap(label, chemin);
        w.setLabelPixmap(partant, chemin);
        const int ratioCote = qRound(w.devicePixelRatioF() * 33);
        QCOMPARE(label->pixmap().width(), ratioCote);

        delete partant;
        w.resize(1000, 800);
        w.adjustToSize();
        QCOMPARE(label->pixmap().width(), qRound(w.devicePixelRatioF() * 83));
    }

    void roundPanelPaints()
    {
        GM_WidgetAutoRound w;
        QPalette p;
        p.setColor(QPalette::Window, QColor(60, 90, 160));
        p.setColor(QPalette::WindowText, QColor(250, 250, 250));
        w.setPalette(p);
        w.resize(320, 200);
        const QImage grab = w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const double r = grab.devicePixelRatio();

        QTemporaryDir dossier;
        dossier.setAutoRemove(!qEnvironmentVariableIsSet("ZB_KEEP_TEST_PICTURES"));
        QVERIFY(grab.save(dossier.filePath(QStringLiteral("roundPanel.png"))));
        if (!dossier.autoRemove())
            qInfo("picture kept in %s", qPrintable(dossier.path()));

        const auto at = [&](int x, int y) { return grab.pixelColor(qRound(x * r), qRound(y * r)); };
        // Inside: the window colour made lighter by 109 %.
        const QRgb fond = QColor(60, 90, 160).lighter(109).rgba();
        QCOMPARE(at(160, 100).rgba(), fond);
        // The 40-pixel corners stay transparent.
        QCOMPARE(at(1, 1).alpha(), 0);
        QCOMPARE(at(318, 198).alpha(), 0);
        QCOMPARE(at(5, 5).alpha(), 0);
        // The outline runs along the straight edges in the text colour.
        const QColor bord = at(160, 0);
        QVERIFY2(bord.red() > 200 && bord.green() > 200 && bord.alpha() > 100,
                 qPrintable(bord.name(QColor::HexArgb)));
        QCOMPARE(at(160, 3).rgba(), fond);
        QCOMPARE(at(2, 100).rgba(), fond);
    }
};

ZB_REGISTER_TEST(TestWidgetAuto)
#include "TestWidgetAuto.moc"
