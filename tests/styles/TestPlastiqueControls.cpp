#include "PlastiqueDrawing.h"
#include "QPlastiqueStyleLocal.h"
#include "QWindowsStyleLocal.h"
#include "StyleProbes.h"
#include "StyleTools.h"
#include "ZbTestRegistry.h"

#include <QPainter>
#include <QPixmapCache>
#include <QStyleOption>
#include <QTest>

#include <functional>
#include <vector>

using namespace styleprobes;
using namespace PlastiqueDrawing;

Q_DECLARE_METATYPE(std::vector<styleprobes::Probe>)

namespace {

// As the image gives colours back: plain RGB.
QColor rgb(const QColor& colour)
{
    return QColor::fromRgba(colour.rgba());
}

// The colours the control drawing derives, for a role palette and no
// widget.
QColor border()
{
    return rgb(role(QPalette::Window).darker(BORDER_DARK_FACTOR));
}

QColor corner()
{
    return rgb(blendColors(role(QPalette::Window), border(), HALF_BLEND));
}

QColor gradientStart()
{
    return rgb(role(QPalette::Button).lighter(104));
}

QColor gradientStop()
{
    return rgb(role(QPalette::Button).darker(105));
}

QColor darkInnerHighlight()
{
    return rgb(blendColors(role(QPalette::Button), role(QPalette::Highlight), 35));
}

template <typename Option> Option optionOf(const QRect& rect, QStyle::State state = QStyle::State_Enabled)
{
    Option option;
    option.rect = rect;
    option.state = state;
    option.palette = rolePalette();
    return option;
}

QImage drawn(const QStyle& style, QStyle::ControlElement element, const QStyleOption& option, const QSize& size)
{
    QImage image = blankImage(size.width(), size.height());
    QPainter painter(&image);
    style.drawControl(element, &option, &painter);
    painter.end();
    return image;
}

int countOf(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

} // namespace

class TestPlastiqueControls : public QObject
{
    Q_OBJECT

    QPlastiqueStyleLocal m_style;

private slots:
    void init() { QPixmapCache::clear(); }

    void headerSection_data()
    {
        QTest::addColumn<QStyle::State>("state");
        QTest::addColumn<std::vector<Probe>>("probes");
        const QColor window = role(QPalette::Window);
        QTest::newRow("raised") << QStyle::State(QStyle::State_Enabled)
                                << std::vector<Probe>{{{0, 0}, corner()},          {{10, 0}, border()},
                                                      {{39, 10}, border()},        {{10, 1}, gradientStart()},
                                                      {{1, 10}, gradientStart()},  {{10, 18}, rgb(gradientStop().darker(105))},
                                                      {{38, 10}, rgb(gradientStop().darker(105))}};
        QTest::newRow("sunken") << QStyle::State(QStyle::State_Enabled | QStyle::State_Sunken)
                                << std::vector<Probe>{{{39, 19}, corner()},
                                                      {{10, 1}, rgb(window.darker(118))},
                                                      {{10, 18}, rgb(window.darker(110))}};
    }

    // The section's lines at their places, raised and sunken, and the
    // picture kept under its key with the position and orientation.
    void headerSection()
    {
        QFETCH(QStyle::State, state);
        QFETCH(std::vector<Probe>, probes);
        auto option = optionOf<QStyleOptionHeader>(QRect(3, 5, 40, 20), state);
        option.position = QStyleOptionHeader::Middle;
        option.orientation = Qt::Horizontal;
        const QImage image = drawn(m_style, QStyle::CE_HeaderSection, option, QSize(50, 30));
        verifyProbes(image, probes, QPoint(3, 5));
        QPixmap cached;
        QVERIFY(QPixmapCache::find(
            StyleTools::optionCacheKey(QStringLiteral("headersection"), &option, QSize(40, 20)) + "-1-1", &cached));
        QCOMPARE(drawn(m_style, QStyle::CE_HeaderSection, option, QSize(50, 30)), image);
        // The kept picture lies on white: a see-through palette shows it,
        // and the section is whole wherever it is drawn again.
        QPalette clair = option.palette;
        for (const QPalette::ColorRole r : {QPalette::Button, QPalette::Window, QPalette::Dark, QPalette::Shadow})
            clair.setColor(r, QColor(0, 0, 0, 0));
        option.palette = clair;
        drawn(m_style, QStyle::CE_HeaderSection, option, QSize(50, 30));
        QPixmap ajoure;
        QVERIFY(QPixmapCache::find(
            StyleTools::optionCacheKey(QStringLiteral("headersection"), &option, QSize(40, 20)) + "-1-1", &ajoure));
        QCOMPARE(ajoure.toImage().pixelColor(20, 10), QColor(Qt::white));
    }

    void toolBar_data()
    {
        QTest::addColumn<int>("area");
        QTest::addColumn<int>("position");
        QTest::addColumn<std::vector<Probe>>("probes");
        const QColor light = rgb(role(QPalette::Window).lighter(104));
        const QColor dark = corner();
        QTest::newRow("top, only one: double bottom line")
            << int(Qt::TopToolBarArea) << int(QStyleOptionToolBar::OnlyOne)
            << std::vector<Probe>{{{5, 9}, light}, {{5, 8}, dark}, {{5, 0}, light}};
        QTest::newRow("top, beginning: single dark line")
            << int(Qt::TopToolBarArea) << int(QStyleOptionToolBar::Beginning)
            << std::vector<Probe>{{{5, 9}, dark}, {{5, 8}, untouched()}, {{5, 0}, light}};
        QTest::newRow("bottom, end") << int(Qt::BottomToolBarArea) << int(QStyleOptionToolBar::End)
                                     << std::vector<Probe>{{{5, 9}, dark}, {{5, 0}, dark}, {{5, 1}, light}};
        QTest::newRow("left, end") << int(Qt::LeftToolBarArea) << int(QStyleOptionToolBar::End)
                                   << std::vector<Probe>{{{0, 5}, light}, {{28, 5}, dark}, {{29, 5}, light}};
        QTest::newRow("right, only one")
            << int(Qt::RightToolBarArea) << int(QStyleOptionToolBar::OnlyOne)
            << std::vector<Probe>{{{0, 5}, dark}, {{1, 5}, light}, {{29, 5}, untouched()}};
    }

    void toolBar()
    {
        QFETCH(int, area);
        QFETCH(int, position);
        QFETCH(std::vector<Probe>, probes);
        auto option = optionOf<QStyleOptionToolBar>(QRect(0, 0, 30, 10));
        option.toolBarArea = Qt::ToolBarArea(area);
        option.positionOfLine = QStyleOptionToolBar::ToolBarPosition(position);
        verifyProbes(drawn(m_style, QStyle::CE_ToolBar, option, QSize(30, 10)), probes);
    }

    void toolBoxTab_data()
    {
        QTest::addColumn<int>("direction");
        QTest::addColumn<std::vector<Probe>>("probes");
        const QColor base = role(QPalette::Base);
        QTest::newRow("left to right")
            << int(Qt::LeftToRight)
            << std::vector<Probe>{{{99, 17}, border()}, {{89, 17}, border()}, {{88, 17}, border()},
                                  {{71, 0}, border()},  {{70, 0}, border()},  {{0, 0}, border()},
                                  {{99, 18}, base},     {{0, 1}, base},       {{99, 16}, untouched()}};
        QTest::newRow("right to left")
            << int(Qt::RightToLeft)
            << std::vector<Probe>{{{0, 17}, border()}, {{10, 17}, border()}, {{11, 17}, border()},
                                  {{28, 0}, border()}, {{29, 0}, border()},  {{99, 0}, border()},
                                  {{0, 18}, base}};
    }

    // A 100 by 20 tab: the slanted edge from (88, 17) to (71, 0).
    void toolBoxTab()
    {
        QFETCH(int, direction);
        QFETCH(std::vector<Probe>, probes);
        auto option = optionOf<QStyleOptionToolBox>(QRect(0, 0, 100, 20));
        option.direction = Qt::LayoutDirection(direction);
        verifyProbes(drawn(m_style, QStyle::CE_ToolBoxTabShape, option, QSize(100, 20)), probes);
    }

    void splitterWash_data()
    {
        QTest::addColumn<QStyle::State>("state");
        QTest::addColumn<bool>("washed");
        QTest::newRow("enabled under the mouse")
            << QStyle::State(QStyle::State_Enabled | QStyle::State_MouseOver | QStyle::State_Horizontal) << true;
        QTest::newRow("disabled under the mouse")
            << QStyle::State(QStyle::State_MouseOver | QStyle::State_Horizontal) << false;
    }

    void splitterWash()
    {
        QFETCH(QStyle::State, state);
        QFETCH(bool, washed);
        const auto option = optionOf<QStyleOption>(QRect(0, 0, 6, 60), state);
        const QImage image = drawn(m_style, QStyle::CE_Splitter, option, QSize(6, 60));
        QCOMPARE(image.pixelColor(0, 0) != untouched(), washed);
    }

    // The add-line button moves its arrow one pixel right and down when
    // pressed, and keeps each look under its own key.
    void scrollBarAddLinePressed()
    {
        auto option = optionOf<QStyleOptionSlider>(QRect(0, 0, 16, 16));
        option.orientation = Qt::Horizontal;
        const QColor arrow = role(QPalette::WindowText);
        const QRect raised = boxOf(drawn(m_style, QStyle::CE_ScrollBarAddLine, option, QSize(16, 16)), arrow);
        QCOMPARE(raised, QRect(5, 4, 4, 7));
        option.activeSubControls = QStyle::SC_ScrollBarAddLine;
        option.state |= QStyle::State_Sunken;
        const QRect pressed = boxOf(drawn(m_style, QStyle::CE_ScrollBarAddLine, option, QSize(16, 16)), arrow);
        QCOMPARE(pressed, raised.translated(1, 1));
        QPixmap cached;
        QVERIFY(QPixmapCache::find(StyleTools::optionCacheKey(QStringLiteral("scrollbar_addline"), &option,
                                                              QSize(16, 16)),
                                   &cached));
    }

    // One sub-line picture at each end of its rectangle, nothing between.
    void scrollBarSubLineTwice()
    {
        auto option = optionOf<QStyleOptionSlider>(QRect(0, 0, 48, 16));
        option.orientation = Qt::Horizontal;
        const QImage image = drawn(m_style, QStyle::CE_ScrollBarSubLine, option, QSize(48, 16));
        const QColor arrow = role(QPalette::WindowText);
        verifyProbes(image, {{{5, 7}, arrow}, {{37, 7}, arrow}, {{20, 7}, untouched()}, {{1, 0}, corner()}});
        QCOMPARE(image.copy(0, 0, 16, 16), image.copy(32, 0, 16, 16));
    }

    // A sub-line rectangle shorter than one button keeps both inside it.
    void scrollBarSubLineShort()
    {
        auto option = optionOf<QStyleOptionSlider>(QRect(5, 0, 10, 16));
        option.orientation = Qt::Horizontal;
        const QImage image = drawn(m_style, QStyle::CE_ScrollBarSubLine, option, QSize(40, 16));
        for (int x : {0, 4, 15, 30})
            QCOMPARE(image.pixelColor(x, 8), untouched());
    }

    void scrollBarPage_data()
    {
        QTest::addColumn<int>("element");
        QTest::addColumn<QStyle::State>("state");
        QTest::addColumn<std::vector<Probe>>("probes");
        const QColor base = role(QPalette::Base);
        const QColor window = role(QPalette::Window);
        const QColor edge = rgb(base.darker(125));
        QTest::newRow("sub page") << int(QStyle::CE_ScrollBarSubPage) << QStyle::State(QStyle::State_Enabled)
                                  << std::vector<Probe>{{{6, 6}, base, window}, {{6, 0}, edge, base},
                                                        {{6, 15}, edge, base}};
        QTest::newRow("sunken add page") << int(QStyle::CE_ScrollBarAddPage)
                                         << QStyle::State(QStyle::State_Enabled | QStyle::State_Sunken)
                                         << std::vector<Probe>{{{6, 6}, edge, window}};
    }

    void scrollBarPage()
    {
        QFETCH(int, element);
        QFETCH(QStyle::State, state);
        QFETCH(std::vector<Probe>, probes);
        auto option = optionOf<QStyleOptionSlider>(QRect(0, 0, 20, 16), state);
        option.orientation = Qt::Horizontal;
        verifyProbes(drawn(m_style, QStyle::ControlElement(element), option, QSize(20, 16)), probes);
    }

    void scrollBarSliderGrip_data()
    {
        QTest::addColumn<int>("extra");
        QTest::addColumn<bool>("grip");
        QTest::newRow("exactly the minimum length") << 0 << false;
        QTest::newRow("one pixel longer") << 1 << true;
    }

    void scrollBarSliderGrip()
    {
        QFETCH(int, extra);
        QFETCH(bool, grip);
        const int length = m_style.pixelMetric(QStyle::PM_ScrollBarSliderMin) + extra;
        auto option = optionOf<QStyleOptionSlider>(QRect(0, 0, length, 16));
        option.orientation = Qt::Horizontal;
        const QImage image = drawn(m_style, QStyle::CE_ScrollBarSlider, option, QSize(length, 16));
        // The four corner points, and the grip's dots when it has them.
        QCOMPARE(countOf(image, corner()) > 4, grip);
    }

    void progressBar_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("progress");
        QTest::addColumn<bool>("inverted");
        QTest::addColumn<std::vector<Probe>>("probes");
        const QColor outline = darkInnerHighlight();
        const QColor stripe = role(QPalette::Highlight);
        QTest::newRow("busy: a fixed block a third wide")
            << QRect(0, 0, 100, 20) << 0 << 0 << 0 << false
            << std::vector<Probe>{{{10, 2}, outline}, {{35, 10}, outline}, {{40, 10}, untouched()},
                                  {{2, 10}, untouched()}};
        QTest::newRow("half, left to right")
            << QRect(0, 0, 104, 20) << 0 << 100 << 50 << false
            << std::vector<Probe>{{{10, 2}, outline}, {{2, 10}, outline}, {{60, 2}, untouched()}};
        QTest::newRow("half, inverted")
            << QRect(0, 0, 104, 20) << 0 << 100 << 50 << true
            << std::vector<Probe>{{{60, 2}, outline}, {{101, 10}, outline}, {{10, 2}, untouched()}};
        QTest::newRow("no progress: untouched")
            << QRect(0, 0, 104, 20) << 0 << 100 << -1 << false
            << std::vector<Probe>{{{10, 2}, untouched()}, {{2, 10}, untouched()}};
        QTest::newRow("stripes above seven pixels")
            << QRect(0, 0, 104, 20) << 0 << 100 << 100 << false << std::vector<Probe>{{{20, 10}, stripe}};
        QTest::newRow("minimum above maximum: the least block")
            << QRect(0, 0, 104, 20) << 100 << 0 << 50 << false
            << std::vector<Probe>{{{3, 2}, outline}, {{10, 2}, untouched()}};
        QTest::newRow("progress beyond the maximum: a full bar, not more")
            << QRect(0, 0, 104, 20) << 0 << 100 << 200 << false
            << std::vector<Probe>{{{101, 10}, outline}, {{102, 10}, untouched()}, {{103, 2}, untouched()}};
        QTest::newRow("one pixel wide") << QRect(0, 0, 1, 20) << 0 << 100 << 50 << false << std::vector<Probe>{};
        QTest::newRow("busy and five wide: no block, the step is not taken modulo zero")
            << QRect(0, 0, 5, 20) << 0 << 0 << 0 << false
            << std::vector<Probe>{{{2, 2}, untouched()}, {{2, 10}, untouched()}};
    }

    void progressBar()
    {
        QFETCH(QRect, rect);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, progress);
        QFETCH(bool, inverted);
        QFETCH(std::vector<Probe>, probes);
        auto option = optionOf<QStyleOptionProgressBar>(rect);
        option.minimum = minimum;
        option.maximum = maximum;
        option.progress = progress;
        option.invertedAppearance = inverted;
        verifyProbes(drawn(m_style, QStyle::CE_ProgressBarContents, option, rect.size()), probes);
    }

    // A bar seven pixels high gets its outline but no stripes.
    void progressBarLowHasNoStripes()
    {
        auto option = optionOf<QStyleOptionProgressBar>(QRect(0, 0, 104, 7));
        option.maximum = 100;
        option.progress = 100;
        const QImage image = drawn(m_style, QStyle::CE_ProgressBarContents, option, QSize(104, 7));
        QCOMPARE(countOf(image, role(QPalette::Highlight)), 0);
        QVERIFY(countOf(image, darkInnerHighlight()) > 0);
    }

    void tabShape_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QStyle::State>("state");
        QTest::addColumn<std::vector<Probe>>("probes");
        const QColor window = role(QPalette::Window);
        QTest::newRow("selected north tab: window body")
            << int(QTabBar::RoundedNorth) << QStyle::State(QStyle::State_Enabled | QStyle::State_Selected)
            << std::vector<Probe>{{{20, 10}, window}, {{20, 1}, window}};
        QTest::newRow("selected south tab: window body")
            << int(QTabBar::RoundedSouth) << QStyle::State(QStyle::State_Enabled | QStyle::State_Selected)
            << std::vector<Probe>{{{20, 10}, window}, {{20, 18}, window}};
        QTest::newRow("unselected west tab: lowered by three")
            << int(QTabBar::RoundedWest) << QStyle::State(QStyle::State_Enabled)
            << std::vector<Probe>{{{1, 10}, untouched()}, {{2, 10}, untouched()}};
    }

    void tabShape()
    {
        QFETCH(int, shape);
        QFETCH(QStyle::State, state);
        QFETCH(std::vector<Probe>, probes);
        auto option = optionOf<QStyleOptionTab>(QRect(0, 0, 40, 20), state);
        option.shape = QTabBar::Shape(shape);
        option.position = QStyleOptionTab::Middle;
        verifyProbes(drawn(m_style, QStyle::CE_TabBarTabShape, option, QSize(40, 20)), probes);
    }

    // An editable combo box shows its icon on the base colour at the start
    // of the edit field and leaves the text to its line edit.
    void editableComboLabel()
    {
        auto option = optionOf<QStyleOptionComboBox>(QRect(0, 0, 120, 24));
        option.editable = true;
        option.currentText = QStringLiteral("Texte");
        option.iconSize = QSize(16, 16);
        QPixmap red(16, 16);
        red.fill(Qt::red);
        option.currentIcon = QIcon(red);
        const QImage image = drawn(m_style, QStyle::CE_ComboBoxLabel, option, QSize(120, 24));
        QRect edit = m_style.subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField);
        edit.adjust(2, 2, 0, -2);
        const QRect iconBox = boxOf(image, QColor(Qt::red));
        QCOMPARE(iconBox.size(), QSize(16, 16));
        QVERIFY(edit.contains(iconBox));
        verifyProbes(image, {{edit.topLeft(), role(QPalette::Base)}, {{edit.left() + 20, edit.center().y()},
                                                                       role(QPalette::Base)}});
        QVERIFY(boxOf(image, role(QPalette::Text)).isEmpty());
        QVERIFY(boxOf(image, role(QPalette::ButtonText)).isEmpty());
    }

    // A triangular tab is the Windows look's.
    void triangularTabIsWindows()
    {
        auto option = optionOf<QStyleOptionTab>(QRect(0, 0, 40, 20));
        option.shape = QTabBar::TriangularNorth;
        QWindowsStyleLocal windows;
        QCOMPARE(drawn(m_style, QStyle::CE_TabBarTabShape, option, QSize(40, 20)),
                 drawn(windows, QStyle::CE_TabBarTabShape, option, QSize(40, 20)));
    }
};

ZB_REGISTER_TEST(TestPlastiqueControls)
#include "TestPlastiqueControls.moc"
