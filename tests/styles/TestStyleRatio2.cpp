#include "QWindowsStyleLocal.h"
#include "StyleProbes.h"
#include "StyleTools.h"
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

private slots:
    // Skipped per test: a skip in initTestCase would silence the classes
    // that run after this one in the same executable.
    void init()
    {
        if (qApp->devicePixelRatio() != 2.0)
            QSKIP("needs a screen of device pixel ratio 2 (QT_SCALE_FACTOR=2)");
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
        StyleTools::setScreenScaleFactorForTesting(1.0);
        QSlider slider(Qt::Horizontal);
        QStyleOptionSlider option;
        option.orientation = Qt::Horizontal;
        option.rect = QRect(0, 0, 100, 30);
        option.tickPosition = QSlider::TicksBothSides;
        QCOMPARE(m_style.pixelMetric(QStyle::PM_SliderControlThickness, &option, &slider), (6 + (54 * 2) / 4) / 2);
        option.tickPosition = QSlider::NoTicks;
        QCOMPARE(m_style.pixelMetric(QStyle::PM_SliderControlThickness, &option, &slider), 30);
        StyleTools::setScreenScaleFactorForTesting(-1.0);
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
};

ZB_REGISTER_TEST(TestStyleRatio2)
#include "TestStyleRatio2.moc"
