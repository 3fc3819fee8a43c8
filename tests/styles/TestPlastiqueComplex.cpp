#include "QPlastiqueStyleLocal.h"
#include "StyleProbes.h"
#include "StyleTools.h"
#include "ZbTestRegistry.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleOption>
#include <QTest>
#include <QTextEdit>

#include <climits>
#include <cmath>

using namespace styleprobes;

Q_DECLARE_METATYPE(std::vector<styleprobes::Probe>)

namespace {

QStyleOptionSlider sliderOf(const QRect& rect, int minimum, int maximum)
{
    QStyleOptionSlider option;
    option.rect = rect;
    option.state = QStyle::State_Enabled;
    option.palette = rolePalette();
    option.minimum = minimum;
    option.maximum = maximum;
    option.singleStep = 1;
    option.pageStep = 1;
    option.orientation = Qt::Horizontal;
    option.subControls = QStyle::SC_All;
    return option;
}

QImage drawnComplex(const QStyle& style, QStyle::ComplexControl control, const QStyleOptionComplex& option,
                    const QSize& size)
{
    QImage image = blankImage(size.width(), size.height());
    QPainter painter(&image);
    style.drawComplexControl(control, &option, &painter);
    painter.end();
    return image;
}

} // namespace

class TestPlastiqueComplex : public QObject
{
    Q_OBJECT

    QPlastiqueStyleLocal m_style;

private slots:
    void init() { QPixmapCache::clear(); }

    void tickPositions_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<QList<int>>("xs");
        // A 111-pixel slider: span 100, so value v ticks at 10 v + 5.
        QTest::newRow("every 3: none at the maximum") << 3 << QList<int>{5, 35, 65, 95};
        QTest::newRow("every 11: the step past the end ticks the maximum") << 11 << QList<int>{5, 105};
        QTest::newRow("every value, stopping at maximum + 1")
            << 1 << QList<int>{5, 15, 25, 35, 45, 55, 65, 75, 85, 95, 105};
    }

    void tickPositions()
    {
        QFETCH(int, interval);
        QFETCH(QList<int>, xs);
        auto option = sliderOf(QRect(0, 0, 111, 30), 0, 10);
        option.tickPosition = QSlider::TicksAbove;
        option.tickInterval = interval;
        const QList<QLine> lines = m_style.sliderTickLines(&option);
        QList<int> found;
        for (const QLine& line : lines)
            found.append(line.x1());
        QCOMPARE(found, xs);
        // The end ticks are a pixel longer.
        QCOMPARE(lines.first().y1(), 1);
        if (lines.size() > 2)
            QCOMPARE(lines.at(1).y1(), 2);
    }

    void tickBounds_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("pageStep");
        QTest::addColumn<int>("least");
        QTest::addColumn<int>("most");
        QTest::newRow("maximum at the top of int, interval 1") << INT_MAX - 5 << INT_MAX << 1 << 1 << 6 << 6;
        QTest::newRow("a billion values ticked by 1") << 0 << 1000000000 << 1 << 1 << 100 << 201;
        QTest::newRow("the whole of int, page step 0") << INT_MIN << INT_MAX << 0 << 0 << 100 << 201;
        QTest::newRow("minimum equal to maximum") << 4 << 4 << 1 << 1 << 1 << 1;
        QTest::newRow("reversed range") << 10 << 0 << 1 << 1 << 0 << 0;
    }

    // Ticks end without overflowing int and never outnumber the pixels.
    void tickBounds()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, interval);
        QFETCH(int, pageStep);
        QFETCH(int, least);
        QFETCH(int, most);
        auto option = sliderOf(QRect(0, 0, 211, 30), minimum, maximum);
        option.tickPosition = QSlider::TicksAbove;
        option.tickInterval = interval;
        option.pageStep = pageStep;
        const QList<QLine> lines = m_style.sliderTickLines(&option);
        QVERIFY2(lines.size() >= least && lines.size() <= most, qPrintable(QString::number(lines.size())));
        for (const QLine& line : lines)
            QVERIFY(line.x1() >= 0 && line.x1() < 211);
    }

    // Ticks above only point the handle up and key it "-flipped"; a
    // disabled handle has a flat face without highlight or shadow.
    void handleKeys()
    {
        auto option = sliderOf(QRect(0, 0, 111, 30), 0, 10);
        option.tickPosition = QSlider::TicksAbove;
        drawnComplex(m_style, QStyle::CC_Slider, option, QSize(111, 30));
        QStyleOptionSlider handle = option;
        handle.rect = m_style.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle);
        QPixmap cached;
        QVERIFY(QPixmapCache::find(
            StyleTools::optionCacheKey(QStringLiteral("slider_handle"), &handle, handle.rect.size()) + "-flipped",
            &cached));
        option.state = QStyle::State_None;
        const QImage disabled = drawnComplex(m_style, QStyle::CC_Slider, option, QSize(111, 30));
        const QRect at = handle.rect;
        // Row 7 of the upward handle, "BH.......SB": no highlight at x 1.
        QCOMPARE(disabled.pixelColor(at.left() + 1, at.top() + 7), role(QPalette::Window));
    }

    // A slider or dial elsewhere (an item delegate's cell) draws the same
    // picture, moved.
    void drawnInPlace_data()
    {
        QTest::addColumn<int>("control");
        QTest::newRow("slider") << int(QStyle::CC_Slider);
        QTest::newRow("dial") << int(QStyle::CC_Dial);
    }

    void drawnInPlace()
    {
        QFETCH(int, control);
        auto option = sliderOf(QRect(5, 5, 80, 80), 0, 100);
        option.tickPosition = QSlider::TicksBothSides;
        // No notch exactly level: there the rounding of the half-pixel
        // centre differs with the offset, by a shade.
        option.tickInterval = 25;
        option.pageStep = 50;
        option.sliderPosition = option.sliderValue = 30;
        const auto kind = QStyle::ComplexControl(control);
        const QImage before = drawnComplex(m_style, kind, option, QSize(120, 120));
        option.rect.translate(23, 31);
        const QImage moved = drawnComplex(m_style, kind, option, QSize(120, 120));
        QCOMPARE(moved.copy(28, 36, 80, 80), before.copy(5, 5, 80, 80));
    }

    void notches_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("points");
        QTest::newRow("0 to 100 by 10") << 0 << 100 << 10 << 22;
        QTest::newRow("more than 1000 values by 10") << 0 << 5000 << 10 << 2 * 100 + 2;
        QTest::newRow("reversed range by 10") << 100 << 0 << 10 << 0;
        QTest::newRow("the whole of int by 1") << INT_MIN << INT_MAX << 1 << 2 * 1000 + 2;
        QTest::newRow("interval 0: no notches") << 0 << 100 << 0 << 0;
        QTest::newRow("negative interval: no notches") << 0 << 100 << -5 << 0;
    }

    void notches()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, interval);
        QFETCH(int, points);
        auto option = sliderOf(QRect(0, 0, 100, 100), minimum, maximum);
        option.tickInterval = interval;
        option.pageStep = 20;
        QCOMPARE(int(StyleTools::dialNotchLines(&option).size()), points);
    }

    // Page step 20 over notches of 10: the even notches are long.
    void longNotches()
    {
        auto option = sliderOf(QRect(0, 0, 100, 100), 0, 100);
        option.tickInterval = 10;
        option.pageStep = 20;
        const QList<QPointF> lines = StyleTools::dialNotchLines(&option);
        const double longLength = StyleTools::dialLongNotchLength(50);
        for (int i = 0; i <= 10; ++i) {
            const QPointF d = lines.at(2 * i + 1) - lines.at(2 * i);
            const double length = std::hypot(d.x(), d.y());
            QCOMPARE(qFuzzyCompare(length, longLength), i % 2 == 0);
        }
    }

    void handlePoint_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("upsideDown");
        QTest::addColumn<double>("degrees");
        QTest::newRow("equal ends: straight up") << 5 << 5 << 5 << false << 90.0;
        QTest::newRow("upside down at the minimum: bottom left") << 0 << 100 << 0 << true << 240.0;
        QTest::newRow("upside down at the maximum: bottom right") << 0 << 100 << 100 << true << -60.0;
        QTest::newRow("at the minimum: bottom right") << 0 << 100 << 0 << false << -60.0;
        QTest::newRow("the whole of int, in the middle") << INT_MIN << INT_MAX << 0 << true << 90.0;
    }

    void handlePoint()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, position);
        QFETCH(bool, upsideDown);
        QFETCH(double, degrees);
        auto option = sliderOf(QRect(0, 0, 100, 100), minimum, maximum);
        option.sliderPosition = position;
        option.upsideDown = upsideDown;
        const QPointF p = StyleTools::dialHandlePoint(&option, 1.0) - QPointF(50, 50);
        const double found = std::atan2(-p.y(), p.x()) * 180 / M_PI;
        const double expected = degrees > 180 ? degrees - 360 : degrees;
        QVERIFY2(std::abs(found - expected) < 0.5, qPrintable(QString::number(found)));
    }

    void spinAndComboSymbols_data()
    {
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("editable");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("spin box, up pressed") << int(QStyle::CC_SpinBox) << int(Qt::LeftToRight) << false
                                              << QPoint(1, 1);
        QTest::newRow("open combo box") << int(QStyle::CC_ComboBox) << int(Qt::LeftToRight) << false << QPoint(1, 1);
        QTest::newRow("open combo box, right to left")
            << int(QStyle::CC_ComboBox) << int(Qt::RightToLeft) << false << QPoint(-1, 1);
        QTest::newRow("open editable combo box") << int(QStyle::CC_ComboBox) << int(Qt::LeftToRight) << true
                                                 << QPoint(1, 1);
    }

    // A pressed spin button moves its symbol right and down; an open combo
    // box moves its arrow towards the outer edge and down.
    void spinAndComboSymbols()
    {
        QFETCH(int, control);
        QFETCH(int, direction);
        QFETCH(bool, editable);
        QFETCH(QPoint, moved);
        const QRect rect(0, 0, 80, 24);
        const QColor symbol = role(QPalette::ButtonText);
        QStyleOptionSpinBox spin;
        QStyleOptionComboBox combo;
        QStyleOptionComplex* option = &spin;
        if (control == QStyle::CC_ComboBox) {
            combo.editable = editable;
            option = &combo;
        } else {
            spin.buttonSymbols = QAbstractSpinBox::PlusMinus;
        }
        option->rect = rect;
        option->palette = rolePalette();
        option->state = QStyle::State_Enabled;
        option->direction = Qt::LayoutDirection(direction);
        option->subControls = QStyle::SC_All;
        const auto kind = QStyle::ComplexControl(control);
        // The spin box's plus, alone in the up button.
        const QRect up = m_style.subControlRect(QStyle::CC_SpinBox, &spin, QStyle::SC_SpinBoxUp);
        const auto symbolBox = [&] {
            const QImage image = drawnComplex(m_style, kind, *option, rect.size());
            return boxOf(control == QStyle::CC_SpinBox ? image.copy(up) : image, symbol);
        };
        const QRect before = symbolBox();
        QVERIFY(!before.isEmpty());
        if (control == QStyle::CC_SpinBox) {
            option->activeSubControls = QStyle::SC_SpinBoxUp;
            option->state |= QStyle::State_Sunken;
        } else {
            option->state |= QStyle::State_On;
        }
        QCOMPARE(symbolBox(), before.translated(moved));
    }

    // Without buttons a spin box is a field: base inside the frame, no
    // symbols.
    void spinBoxWithoutButtons()
    {
        QStyleOptionSpinBox option;
        option.rect = QRect(0, 0, 60, 20);
        option.palette = rolePalette();
        option.state = QStyle::State_Enabled;
        option.subControls = QStyle::SC_All;
        option.buttonSymbols = QAbstractSpinBox::NoButtons;
        const QImage image = drawnComplex(m_style, QStyle::CC_SpinBox, option, QSize(60, 20));
        verifyProbes(image, {{{2, 2}, role(QPalette::Base)}, {{57, 17}, role(QPalette::Base)}});
        QVERIFY(boxOf(image, role(QPalette::ButtonText)).isEmpty());
    }

    void titleBar_data()
    {
        QTest::addColumn<int>("titleBarState");
        QTest::addColumn<std::vector<Probe>>("probes");
        const QColor border(0x393939);
        // A 120 by 22 bar: inner top line at (10, 1), left line at (1, 10),
        // bottom at (10, 21).
        QTest::newRow("inactive") << 0
                                  << std::vector<Probe>{{{10, 0}, border},
                                                        {{10, 1}, QColor(0xa4a4a4)},
                                                        {{1, 10}, QColor(0x8e8e8e)},
                                                        {{0, 21}, border}};
        QTest::newRow("active") << int(QStyle::State_Active)
                                << std::vector<Probe>{{{10, 1}, QColor(0x8e98ba)}, {{1, 10}, QColor(0x6f7ea8)}};
        QTest::newRow("minimised: closed at the bottom")
            << int(Qt::WindowMinimized)
            << std::vector<Probe>{{{10, 21}, border}, {{10, 20}, QColor(0x676767)}, {{1, 19}, QColor(0x6a6a6a)}};
    }

    // Fixed colours by activity, whatever the palette; a minimised bar is
    // closed at the bottom.
    void titleBar()
    {
        QFETCH(int, titleBarState);
        QFETCH(std::vector<Probe>, probes);
        QStyleOptionTitleBar option;
        option.rect = QRect(0, 0, 120, 22);
        option.palette = rolePalette();
        option.state = QStyle::State_Enabled;
        option.titleBarState = titleBarState;
        option.subControls = QStyle::SC_TitleBarLabel;
        verifyProbes(drawnComplex(m_style, QStyle::CC_TitleBar, option, QSize(120, 22)), probes);
    }

    void titleBarButtons_data()
    {
        QTest::addColumn<int>("titleBarState");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("hidden");
        const int minMax = int(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
        QTest::newRow("minimised: normal instead of minimise")
            << int(Qt::WindowMinimized) << minMax << int(QStyle::SC_TitleBarNormalButton)
            << int(QStyle::SC_TitleBarMinButton);
        QTest::newRow("normal: minimise") << 0 << minMax << int(QStyle::SC_TitleBarMinButton)
                                          << int(QStyle::SC_TitleBarNormalButton);
        QTest::newRow("close only with the system menu")
            << 0 << int(Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint)
            << int(QStyle::SC_TitleBarCloseButton) << int(QStyle::SC_TitleBarMaxButton);
    }

    void titleBarButtons()
    {
        QFETCH(int, titleBarState);
        QFETCH(int, flags);
        QFETCH(int, shown);
        QFETCH(int, hidden);
        QStyleOptionTitleBar option;
        option.rect = QRect(0, 0, 160, 22);
        option.palette = rolePalette();
        option.state = QStyle::State_Enabled;
        option.titleBarState = titleBarState;
        option.titleBarFlags = Qt::WindowFlags(flags);
        option.subControls = QStyle::SC_All;
        const QImage image = drawnComplex(m_style, QStyle::CC_TitleBar, option, QSize(160, 22));
        const QRect on = m_style.subControlRect(QStyle::CC_TitleBar, &option, QStyle::SubControl(shown));
        QVERIFY(!boxOf(image.copy(on), QColor(0x282e40)).isEmpty());
        // Asked for alone, the hidden button draws no symbol anywhere.
        option.subControls = QStyle::SubControl(hidden);
        QVERIFY(boxOf(drawnComplex(m_style, QStyle::CC_TitleBar, option, QSize(160, 22)), QColor(0x282e40))
                    .isEmpty());
    }

    // Real sub-windows: the active one's bar takes the active colours, the
    // inactive one's the grey ones, and a minimised bar is closed below.
    void subWindowBars()
    {
        QMdiArea area;
        area.setStyle(&m_style);
        area.resize(400, 300);
        QMdiSubWindow* windows[3] = {};
        for (int i = 0; i < 3; ++i) {
            windows[i] = area.addSubWindow(new QTextEdit);
            windows[i]->setStyle(&m_style);
            windows[i]->setWindowTitle(QStringLiteral("Fenêtre %1").arg(i));
            windows[i]->setGeometry(10 + 120 * i, 10, 110, 90);
            windows[i]->show();
        }
        windows[1]->showMinimized();
        area.show();
        area.setActiveSubWindow(windows[2]);
        QCoreApplication::processEvents();
        const QImage image = area.viewport()->grab().toImage();
        const auto at = [&](QMdiSubWindow* window, int x, int y) {
            return image.pixelColor(window->geometry().topLeft() + QPoint(x, y));
        };
        QCOMPARE(at(windows[2], 10, 1), QColor(0x8e98ba));
        QCOMPARE(at(windows[0], 10, 1), QColor(0xa4a4a4));
        QStyleOptionTitleBar bar;
        bar.initFrom(windows[1]);
        const int height = m_style.pixelMetric(QStyle::PM_TitleBarHeight, &bar, windows[1]);
        QCOMPARE(at(windows[1], 10, height - 1), QColor(0x393939));
    }
};

ZB_REGISTER_TEST(TestPlastiqueComplex)
#include "TestPlastiqueComplex.moc"
