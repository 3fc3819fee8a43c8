#include "EchelleDEcranImposee.h"
#include "PlastiqueDrawing.h"
#include "QPlastiqueStyleLocal.h"
#include "QWindowsStyleLocal.h"
#include "StyleProbes.h"
#include "StyleTools.h"
#include "ZB_StyleWood.h"
#include "ZbTestRegistry.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmapCache>
#include <QSlider>
#include <QStyleOption>
#include <QTest>

using namespace styleprobes;

// The style on a screen of device pixel ratio 2 (the test run with
// QT_SCALE_FACTOR=2); skipped on other screens.
class TestStyleRatio2 : public QObject
{
    Q_OBJECT

    QWindowsStyleLocal m_style;
    QPlastiqueStyleLocal m_plastique;

private slots:
    // Skipped per test: a skip in initTestCase would silence the classes
    // that run after this one in the same executable.
    void init()
    {
        if (qApp->devicePixelRatio() != 2.0)
            QSKIP("needs a screen of device pixel ratio 2 (QT_SCALE_FACTOR=2)");
    }

    // A theme's extras are design pixels too: divided by the widget's
    // ratio before they are added, the sum truncated.
    void themeMetrics()
    {
        QWidget widget;
        ZB_StyleWood wood;
        wood.screenshotMode = true;
        const auto base = [&](QStyle::PixelMetric metric) { return m_plastique.pixelMetric(metric, nullptr, &widget); };
        QCOMPARE(wood.pixelMetric(QStyle::PM_ComboBoxFrameWidth, nullptr, &widget), 4);
        QCOMPARE(wood.pixelMetric(QStyle::PM_ComboBoxFrameWidth), 8);
        QCOMPARE(wood.pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &widget), base(QStyle::PM_ScrollBarExtent) + 2);
        QCOMPARE(wood.pixelMetric(QStyle::PM_TabBarTabVSpace, nullptr, &widget), base(QStyle::PM_TabBarTabVSpace) + 25);
        QCOMPARE(wood.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &widget), base(QStyle::PM_IndicatorWidth) + 12);
    }

    void metricsHalved_data()
    {
        QTest::addColumn<int>("metric");
        QTest::addColumn<int>("alone");
        QTest::addColumn<int>("onWidget");
        const double dpi = StyleTools::screenLogicalDpiX();
        QTest::newRow("button shift: 1 -> 0") << int(QStyle::PM_ButtonShiftVertical) << 1 << 0;
        QTest::newRow("tab shift: 2 -> 1") << int(QStyle::PM_TabBarTabShiftVertical) << 2 << 1;
        QTest::newRow("common scroll bar: 16 -> 8") << int(QStyle::PM_ScrollBarExtent) << 16 << 8;
        QTest::newRow("common frame: 2 -> 1") << int(QStyle::PM_DefaultFrameWidth) << 2 << 1;
        QTest::newRow("drag distance") << int(QStyle::PM_MaximumDragDistance) << int(dpi * 1.375)
                                       << int(dpi * 1.375) / 2;
        QTest::newRow("slider length") << int(QStyle::PM_SliderLength) << int(11 * dpi / 96.0)
                                       << int(11 * dpi / 96.0) / 2;
    }

    // Worked out in device pixels, divided by the widget's ratio and
    // truncated; without a widget the ratio is 1.
    void metricsHalved()
    {
        QFETCH(int, metric);
        QFETCH(int, alone);
        QFETCH(int, onWidget);
        QWidget widget;
        QCOMPARE(widget.devicePixelRatioF(), 2.0);
        QCOMPARE(m_style.pixelMetric(QStyle::PixelMetric(metric)), alone);
        QCOMPARE(m_style.pixelMetric(QStyle::PixelMetric(metric), nullptr, &widget), onWidget);
    }

    // The slider's room is counted in device pixels: a bar 30 high has 60.
    void sliderThickness()
    {
        const EchelleDEcranImposee echelle(1.0);
        QSlider slider(Qt::Horizontal);
        QStyleOptionSlider option;
        option.orientation = Qt::Horizontal;
        option.rect = QRect(0, 0, 100, 30);
        option.tickPosition = QSlider::TicksBothSides;
        QCOMPARE(m_style.pixelMetric(QStyle::PM_SliderControlThickness, &option, &slider), (6 + (54 * 2) / 4) / 2);
        option.tickPosition = QSlider::NoTicks;
        QCOMPARE(m_style.pixelMetric(QStyle::PM_SliderControlThickness, &option, &slider), 30);
    }

    // A dense device only scales the painter: the arrow is cached at its
    // logical size and drawn twice as large.
    void arrowOnDenseDevice()
    {
        QPixmapCache::clear();
        QStyleOption option;
        option.rect = QRect(10, 20, 12, 12);
        option.state = QStyle::State_Enabled;
        option.palette = rolePalette();
        QImage image = blankImage(80, 80);
        image.setDevicePixelRatio(2.0);
        {
            QPainter painter(&image);
            m_style.drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter);
        }
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == role(QPalette::ButtonText))
                    box |= QRect(x, y, 1, 1);
        QCOMPARE(box, QRect(22, 46, 18, 10));
        QPixmap cached;
        QVERIFY(QPixmapCache::find(StyleTools::optionCacheKey(QStringLiteral("$qt_ia-QWindowsStyleLocal"), &option,
                                                              QSize(12, 12))
                                       + reversedHex(QStyle::PE_IndicatorArrowDown, 8),
                                   &cached));
        QCOMPARE(cached.size(), QSize(12, 12));
    }

    // A real combo box grabbed at ratio 2: its arrow button keeps the
    // classic edges and its arrow sits inside the button, in device pixels.
    void comboBoxGrabbed()
    {
        QComboBox combo;
        combo.setStyle(&m_style);
        combo.setPalette(rolePalette());
        combo.addItem(QStringLiteral("Jass"));
        combo.resize(140, 24);
        combo.show();
        const QImage image = combo.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(280, 48));
        QStyleOptionComboBox option;
        option.initFrom(&combo);
        option.rect = combo.rect();
        option.subControls = QStyle::SC_All;
        option.frame = true;
        const QRect arrow = m_style.subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, &combo);
        const QRect device(arrow.topLeft() * 2, arrow.size() * 2);
        QCOMPARE(image.pixelColor(device.topLeft()), role(QPalette::Button));
        // The framework's edge lines stay one device pixel wide.
        QCOMPARE(image.pixelColor(device.topLeft() + QPoint(1, 1)), role(QPalette::Light));
        QCOMPARE(image.pixelColor(device.topLeft() + QPoint(2, 2)), role(QPalette::Button));
        QCOMPARE(image.pixelColor(device.bottomRight()), role(QPalette::Shadow));
        bool arrowInside = false;
        for (int y = device.top(); y <= device.bottom(); ++y)
            for (int x = device.left(); x <= device.right(); ++x)
                arrowInside |= image.pixelColor(x, y) == role(QPalette::ButtonText);
        QVERIFY(arrowInside);
    }

    void plastiqueMetricsHalved_data()
    {
        QTest::addColumn<int>("metric");
        QTest::addColumn<int>("minimumWidth");
        QTest::addColumn<int>("onWidget");
        QTest::newRow("scroll bar: 16 -> 8") << int(QStyle::PM_ScrollBarExtent) << 0 << 8;
        QTest::newRow("scroll bar raised to 40 / 2 x 0.5") << int(QStyle::PM_ScrollBarExtent) << 40 << 10;
        QTest::newRow("small icon raised to 2 x 40 / 2") << int(QStyle::PM_SmallIconSize) << 40 << 40;
        QTest::newRow("title bar: 30 -> 15") << int(QStyle::PM_TitleBarHeight) << 0 << 15;
        QTest::newRow("dock title margin: 2 -> 1") << int(QStyle::PM_DockWidgetTitleMargin) << 0 << 1;
        QTest::newRow("drag distance stays -1") << int(QStyle::PM_MaximumDragDistance) << 40 << -1;
    }

    // The Plastique style's own values are divided by the widget's ratio;
    // the minimum rule counts the minimum size in logical pixels too.
    void plastiqueMetricsHalved()
    {
        QFETCH(int, metric);
        QFETCH(int, minimumWidth);
        QFETCH(int, onWidget);
        QWidget widget;
        widget.setFont(QFont());
        StyleTools::setMinimumControlSize(QSize(minimumWidth, minimumWidth));
        const int value = m_plastique.pixelMetric(QStyle::PixelMetric(metric), nullptr, &widget);
        StyleTools::setMinimumControlSize(QSize(0, 0));
        if (metric == QStyle::PM_TitleBarHeight)
            QVERIFY(value >= onWidget);
        else
            QCOMPARE(value, onWidget);
    }

    // Cached pictures are painted at the screen's ratio and drawn at their
    // logical size; a dense device's pure scale still caches.
    void plastiqueCacheOnDenseDevice()
    {
        QPixmapCache::clear();
        const QImage made = PlastiqueDrawing::createCacheImage(QSize(13, 7));
        QCOMPARE(made.size(), QSize(26, 14));
        QCOMPARE(made.devicePixelRatio(), 2.0);
        QStyleOptionButton option;
        option.rect = QRect(2, 2, 13, 13);
        option.state = QStyle::State_Enabled | QStyle::State_On;
        option.palette = rolePalette();
        QImage image = blankImage(40, 40);
        image.setDevicePixelRatio(2.0);
        {
            QPainter painter(&image);
            m_plastique.drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
        }
        QPixmap cached;
        QVERIFY(QPixmapCache::find(StyleTools::optionCacheKey(QStringLiteral("checkbox"), &option, QSize(13, 13)),
                                   &cached));
        QCOMPARE(cached.size(), QSize(26, 26));
        // The mark's centre, in device pixels.
        QCOMPARE(image.pixelColor(2 * (2 + 6) + 1, 2 * (2 + 6) + 1).rgb(), role(QPalette::Text).rgb());
    }
};

ZB_REGISTER_TEST(TestStyleRatio2)
#include "TestStyleRatio2.moc"
