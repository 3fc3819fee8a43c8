#include "EchelleDEcranImposee.h"
#include "QWindowsStyleLocal.h"
#include "StyleProbes.h"
#include "StyleTools.h"
#include "ZbTestRegistry.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QStyleOption>
#include <QTest>

#include <functional>

using styleprobes::reversedHex;

class TestStyleTools : public QObject
{
    Q_OBJECT

    static constexpr int KEY_NAME_LENGTH = 4;

private slots:
    void hexFields_data()
    {
        QTest::addColumn<quint64>("value");
        QTest::addColumn<bool>("wide");
        QTest::addColumn<QString>("expected");
        QTest::newRow("32-bit 0x00010003") << quint64(0x00010003) << false << QStringLiteral("30001000");
        QTest::newRow("32-bit one") << quint64(1) << false << QStringLiteral("10000000");
        QTest::newRow("32-bit all bits") << quint64(0xffffffff) << false << QStringLiteral("ffffffff");
        QTest::newRow("32-bit mixed") << quint64(0xa1b2c3d4) << false << QStringLiteral("4d3c2b1a");
        QTest::newRow("64-bit") << quint64(0x123456789abcdef0) << true << QStringLiteral("0fedcba987654321");
        QTest::newRow("64-bit zero") << quint64(0) << true << QStringLiteral("0000000000000000");
    }

    // The field is written in place, the cursor moves past it, and nothing
    // beyond it is touched.
    void hexFields()
    {
        QFETCH(quint64, value);
        QFETCH(bool, wide);
        QFETCH(QString, expected);
        QString buffer(20, QLatin1Char('#'));
        QChar* cursor = buffer.data() + 1;
        if (wide)
            StyleTools::appendHex64(cursor, value);
        else
            StyleTools::appendHex32(cursor, quint32(value));
        QCOMPARE(cursor - buffer.data(), qsizetype(1 + expected.size()));
        QCOMPARE(buffer.mid(1, expected.size()), expected);
        QCOMPARE(buffer.at(0), QLatin1Char('#'));
        QCOMPARE(buffer.at(1 + expected.size()), QLatin1Char('#'));
    }

    void optionCacheKeyFields_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("button") << QStringLiteral("button");
        QTest::newRow("slider (complex)") << QStringLiteral("slider");
        QTest::newRow("spin box with frame") << QStringLiteral("spin-frame");
        QTest::newRow("spin box without frame") << QStringLiteral("spin-flat");
    }

    // Name, state, direction, active sub-controls (0 unless complex),
    // palette key, width, height, and for a spin box its symbols, steps and
    // frame flag.
    void optionCacheKeyFields()
    {
        QFETCH(QString, kind);
        QStyleOptionButton button;
        QStyleOptionSlider slider;
        QStyleOptionSpinBox spinBox;
        QStyleOption* option = &button;
        quint32 active = 0;
        if (kind == QLatin1String("slider")) {
            slider.activeSubControls = QStyle::SC_SliderHandle;
            active = QStyle::SC_SliderHandle;
            option = &slider;
        } else if (kind.startsWith(QLatin1String("spin"))) {
            spinBox.activeSubControls = QStyle::SC_SpinBoxUp;
            active = QStyle::SC_SpinBoxUp;
            spinBox.buttonSymbols = QAbstractSpinBox::PlusMinus;
            spinBox.stepEnabled = QAbstractSpinBox::StepDownEnabled;
            spinBox.frame = kind == QLatin1String("spin-frame");
            option = &spinBox;
        }
        option->state = QStyle::State_Enabled | QStyle::State_Sunken;
        option->direction = Qt::RightToLeft;
        option->palette = styleprobes::rolePalette();

        const QString key = StyleTools::optionCacheKey(QStringLiteral("name"), option, QSize(75, 23));
        QString expected = QStringLiteral("name") + reversedHex(quint32(option->state.toInt()), 8)
            + reversedHex(Qt::RightToLeft, 8) + reversedHex(active, 8)
            + reversedHex(quint64(option->palette.cacheKey()), 16) + reversedHex(75, 8) + reversedHex(23, 8);
        if (option == &spinBox) {
            expected += reversedHex(QAbstractSpinBox::PlusMinus, 8)
                + reversedHex(quint32(QAbstractSpinBox::StepDownEnabled), 8)
                + (spinBox.frame ? QStringLiteral("1") : QStringLiteral("0"));
            QCOMPARE(key.size(), KEY_NAME_LENGTH + 73);
        } else {
            QCOMPARE(key.size(), KEY_NAME_LENGTH + 56);
        }
        QCOMPARE(key, expected);
    }

    void optionCacheKeyHoldsWhatThePictureDependsOn_data()
    {
        using Change = std::function<void(QStyleOptionSpinBox&, QSize&)>;
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("sameKey");
        QTest::newRow("text") << Change([](QStyleOptionSpinBox& o, QSize&) { o.fontMetrics = QFontMetrics(QFont()); })
                              << true;
        QTest::newRow("rectangle position")
            << Change([](QStyleOptionSpinBox& o, QSize&) { o.rect.translate(40, 40); }) << true;
        QTest::newRow("state") << Change([](QStyleOptionSpinBox& o, QSize&) { o.state |= QStyle::State_HasFocus; })
                               << false;
        QTest::newRow("direction")
            << Change([](QStyleOptionSpinBox& o, QSize&) { o.direction = Qt::RightToLeft; }) << false;
        QTest::newRow("active part")
            << Change([](QStyleOptionSpinBox& o, QSize&) { o.activeSubControls = QStyle::SC_SpinBoxDown; })
            << false;
        QTest::newRow("palette")
            << Change([](QStyleOptionSpinBox& o, QSize&) { o.palette.setColor(QPalette::Button, Qt::red); })
            << false;
        QTest::newRow("size") << Change([](QStyleOptionSpinBox&, QSize& s) { s.rwidth() += 1; }) << false;
        QTest::newRow("enabled steps")
            << Change([](QStyleOptionSpinBox& o, QSize&) { o.stepEnabled = QAbstractSpinBox::StepUpEnabled; })
            << false;
        QTest::newRow("frame") << Change([](QStyleOptionSpinBox& o, QSize&) { o.frame = !o.frame; }) << false;
    }

    void optionCacheKeyHoldsWhatThePictureDependsOn()
    {
        using Change = std::function<void(QStyleOptionSpinBox&, QSize&)>;
        QFETCH(Change, change);
        QFETCH(bool, sameKey);
        QStyleOptionSpinBox option;
        option.rect = QRect(0, 0, 50, 20);
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        QSize size(50, 20);
        const QString before = StyleTools::optionCacheKey(QStringLiteral("spinbox"), &option, size);
        change(option, size);
        const QString after = StyleTools::optionCacheKey(QStringLiteral("spinbox"), &option, size);
        QCOMPARE(before == after, sameKey);
    }

    // Two sliders that differ only in value share one picture.
    void sliderValueStaysOutOfTheKey()
    {
        QStyleOptionSlider a;
        a.minimum = 0;
        a.maximum = 100;
        a.sliderPosition = a.sliderValue = 10;
        QStyleOptionSlider b = a;
        b.sliderPosition = b.sliderValue = 90;
        QCOMPARE(StyleTools::optionCacheKey(QStringLiteral("qdial"), &a, QSize(30, 30)),
                 StyleTools::optionCacheKey(QStringLiteral("qdial"), &b, QSize(30, 30)));
    }

    void textureCacheKey()
    {
        const QString key = StyleTools::textureCacheKey(QLatin1String("qbrushtexture-light"), 105,
                                                        quint64(0x0102030405060708));
        QCOMPARE(key, QStringLiteral("qbrushtexture-light") + reversedHex(105, 8)
                          + reversedHex(0x0102030405060708, 16));
    }

    // The factor is the screen's logical dots per inch over 96, measured
    // once; the metrics and sizes that the style scales follow it.
    void screenScale()
    {
        StyleTools::setScreenScaleFactorForTesting(-1.0);
        const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
        QCOMPARE(StyleTools::scaleByScreenDpi(75.0), 75.0 * dpi / 96.0);
        QCOMPARE(StyleTools::screenLogicalDpiX(), dpi);

        const EchelleDEcranImposee echelle(1.25);
        QCOMPARE(StyleTools::scaleByScreenDpi(75.0), 93.75);
        QWindowsStyleLocal style;
        QCOMPARE(style.pixelMetric(QStyle::PM_SliderLength), 13);
        QCOMPARE(style.pixelMetric(QStyle::PM_ToolBarHandleExtent), 12);
        QStyleOptionButton button;
        button.text = QStringLiteral("Ok");
        QCOMPARE(style.sizeFromContents(QStyle::CT_PushButton, &button, QSize(10, 10)), QSize(93, 28));
    }

    void cachingFollowsThePaintersTransform_data()
    {
        QTest::addColumn<QTransform>("world");
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<bool>("cacheable");
        const QRect rect(0, 0, 10, 10);
        QTest::newRow("plain") << QTransform() << 1.0 << rect << true;
        QTest::newRow("translated") << QTransform::fromTranslate(5, 7) << 1.0 << rect << true;
        // A pure scale draws the cached picture scaled, as on a dense screen.
        QTest::newRow("scaled") << QTransform::fromScale(2, 2) << 1.0 << rect << true;
        QTest::newRow("rotated") << QTransform().rotate(30) << 1.0 << rect << false;
        QTest::newRow("empty rectangle") << QTransform() << 1.0 << QRect() << false;
        QTest::newRow("high-density device") << QTransform() << 2.0 << rect << true;
        QTest::newRow("rotated on a high-density device") << QTransform().rotate(30) << 2.0 << rect << false;
    }

    void cachingFollowsThePaintersTransform()
    {
        QFETCH(QTransform, world);
        QFETCH(qreal, ratio);
        QFETCH(QRect, rect);
        QFETCH(bool, cacheable);
        QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        QPainter painter(&image);
        painter.setWorldTransform(world);
        QCOMPARE(StyleTools::canCachePainting(&painter, rect), cacheable);
    }
};

ZB_REGISTER_TEST(TestStyleTools)
#include "TestStyleTools.moc"
