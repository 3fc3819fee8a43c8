#include "AppStyleSwitch.h"
#include "QPlastiqueStyleLocal.h"
#include "StyleProbes.h"
#include "StyleTools.h"
#include "ThemeDrawing.h"
#include "ZB_StyleAlien.h"
#include "ZB_StyleCandy.h"
#include "ZB_StyleNature.h"
#include "ZB_StyleRacing.h"
#include "ZB_StyleWood.h"
#include "ZbTestRegistry.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOption>
#include <QTabBar>
#include <QTest>

#include <functional>
#include <limits>
#include <memory>
#include <utility>

using namespace styleprobes;

namespace {

// Theme numbers as the main window and the settings know them.
const char* const THEME_NAMES[] = {"Wood", "Alien", "Racing", "Candy", "Nature"};
const char* const THEME_CLASSES[]
    = {"ZB_StyleWood", "ZB_StyleAlien", "ZB_StyleRacing", "ZB_StyleCandy", "ZB_StyleNature"};

std::unique_ptr<QStyle> makeTheme(int number, bool screenshotMode = false)
{
    return std::unique_ptr<QStyle>(AppStyleSwitch::createStyle(number, screenshotMode));
}

// Sets the program-wide button edge scale for one scope.
class EdgeScale
{
public:
    explicit EdgeScale(double scale) { StyleTools::setButtonEdgeScale(scale); }
    ~EdgeScale()
    {
        StyleTools::setButtonEdgeScale(1.0);
        StyleTools::setMinimumControlSize(QSize(0, 0));
    }
    EdgeScale(const EdgeScale&) = delete;
    EdgeScale& operator=(const EdgeScale&) = delete;
};

// The colour seen when 'top' is laid over 'under' at its alpha.
QColor over(const QColor& under, const QColor& top)
{
    const double a = top.alphaF();
    return QColor::fromRgbF(float(top.redF() * a + under.redF() * (1 - a)),
        float(top.greenF() * a + under.greenF() * (1 - a)), float(top.blueF() * a + under.blueF() * (1 - a)));
}

bool near(const QColor& a, const QColor& b, int tolerance = 2)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance;
}

int distance(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue());
}

int brightness(const QColor& c)
{
    return c.red() + c.green() + c.blue();
}

// A palette of plain colours, so the panel's fill tells which role painted
// it.
QPalette plainPalette()
{
    QPalette palette = rolePalette();
    palette.setColor(QPalette::Button, QColor(0xc0, 0xc0, 0xc0));
    palette.setColor(QPalette::Mid, QColor(0x60, 0x60, 0x60));
    palette.setColor(QPalette::Window, QColor(0xb0, 0xb0, 0xd0));
    return palette;
}

QImage paintPrimitive(
    const QStyle& style, QStyle::PrimitiveElement element, const QStyleOption& option, const QSize& image)
{
    QImage result = blankImage(image.width(), image.height());
    QPainter painter(&result);
    style.drawPrimitive(element, &option, &painter);
    painter.end();
    return result;
}

QImage paintControl(const QStyle& style, QStyle::ControlElement element, const QStyleOption& option, const QSize& image)
{
    QImage result = blankImage(image.width(), image.height());
    QPainter painter(&result);
    style.drawControl(element, &option, &painter);
    painter.end();
    return result;
}

int countPixels(const QImage& image, const std::function<bool(const QColor&)>& wanted)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += wanted(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

QPixmap solidPixmap(const QColor& colour)
{
    QPixmap pixmap(8, 8);
    pixmap.fill(colour);
    return pixmap;
}

class HoverProbe : public QPushButton { };

} // namespace

class TestThemeStyles : public QObject
{
    Q_OBJECT

    QString m_originalStyle;

private slots:
    void initTestCase() { m_originalStyle = QApplication::style()->name(); }

    void cleanupTestCase()
    {
        QApplication::setStyle(m_originalStyle);
        StyleTools::setButtonEdgeScale(1.0);
        StyleTools::setMinimumControlSize(QSize(0, 0));
    }

    void themes_data()
    {
        QTest::addColumn<int>("number");
        for (int number = AppStyleSwitch::WOOD; number <= AppStyleSwitch::NATURE; ++number)
            QTest::newRow(THEME_NAMES[number]) << number;
    }

    // What the main window and the style family find of a theme: its class
    // name, its bases for qt_metacast, the Plastique object name, nothing of
    // its own in the meta-object, and the screenshot flag it was made with.
    void identity_data() { themes_data(); }
    void identity()
    {
        QFETCH(int, number);
        const auto style = makeTheme(number, true);
        QVERIFY(style);
        const QMetaObject* meta = style->metaObject();
        QCOMPARE(meta->className(), THEME_CLASSES[number]);
        QCOMPARE(meta->superClass(), &QPlastiqueStyleLocal::staticMetaObject);
        QVERIFY(style->qt_metacast("QPlastiqueStyleLocal"));
        QVERIFY(style->qt_metacast("QWindowsStyleLocal"));
        QCOMPARE(style->objectName(), QStringLiteral("Plastique"));
        QCOMPARE(meta->methodOffset(), meta->methodCount());
        QCOMPARE(meta->propertyOffset(), meta->propertyCount());
        // Only the metrics read the flag: the indicator grows in screenshot
        // mode.
        QCOMPARE(style->pixelMetric(QStyle::PM_IndicatorWidth),
            QPlastiqueStyleLocal().pixelMetric(QStyle::PM_IndicatorWidth) + 25);
    }

    void palettes_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QColor>("button");
        QTest::addColumn<QColor>("base");
        QTest::addColumn<QColor>("highlight");
        QTest::addColumn<QSize>("texture");
        QTest::addColumn<QColor>("overlay");
        const QColor sand(249, 217, 173);
        const QColor grey(211, 211, 211);
        const QColor pink(242, 229, 234);
        const QColor black(0, 0, 0, 63);
        QTest::newRow("Wood") << 0 << sand << QColor(236, 182, 120).lighter(155) << QColor(Qt::darkGreen)
                              << QSize(256, 256) << black;
        QTest::newRow("Alien") << 1 << grey << QColor(128, 128, 128).lighter(150).lighter(125) << QColor(Qt::darkGray)
                               << QSize(256, 256) << black;
        QTest::newRow("Racing") << 2 << grey << QColor(128, 128, 128).lighter(150).lighter(125) << QColor(Qt::darkGray)
                                << QSize(512, 512) << black;
        QTest::newRow("Candy") << 3 << pink << pink.lighter(125) << QColor(Qt::darkRed) << QSize(1024, 1024)
                               << QColor(255, 192, 203, 63);
        QTest::newRow("Nature") << 4 << sand << QColor(236, 182, 120).lighter(125) << QColor(Qt::darkGreen)
                                << QSize(256, 256) << black;
    }

    // A palette of custom colours polished by a theme comes back as the
    // theme's: textured buttons (shaded when pressed), plain disabled
    // controls on the window colour, and nothing of the old colours.
    void palettes()
    {
        QFETCH(int, number);
        QFETCH(QColor, button);
        QFETCH(QColor, base);
        QFETCH(QColor, highlight);
        QFETCH(QSize, texture);
        QFETCH(QColor, overlay);
        const auto style = makeTheme(number);
        QPalette palette;
        const QColor custom(1, 2, 3);
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            palette.setColor(QPalette::ColorRole(role), custom);
        style->polish(palette);

        const QPalette reference(button);
        const QColor window = reference.window().color();
        const QPalette::ColorGroup enabledGroups[] = {QPalette::Active, QPalette::Inactive};
        for (const QPalette::ColorGroup group : enabledGroups) {
            QCOMPARE(palette.color(group, QPalette::Button), reference.color(group, QPalette::Button));
            QCOMPARE(palette.color(group, QPalette::Base), base);
            QCOMPARE(palette.color(group, QPalette::Highlight), highlight);
            QCOMPARE(palette.color(group, QPalette::BrightText), QColor(Qt::white));
            QCOMPARE(palette.color(group, QPalette::WindowText), reference.color(group, QPalette::WindowText));
            const QPixmap plain = palette.brush(group, QPalette::Button).texture();
            const QPixmap shaded = palette.brush(group, QPalette::Mid).texture();
            QCOMPARE(plain.size(), texture);
            QCOMPARE(shaded.size(), texture);
            QVERIFY(plain.hasAlphaChannel());
            // The shaded image is the plain one under the overlay.
            const QImage plainImage = plain.toImage();
            const QImage shadedImage = shaded.toImage();
            for (const QPoint at : {QPoint(0, 0), QPoint(texture.width() / 3, texture.height() / 2)}) {
                QColor seen = plainImage.pixelColor(at);
                seen.setAlpha(255);
                const QColor expected = over(seen, overlay);
                const QColor shadedSeen = shadedImage.pixelColor(at);
                QVERIFY2(near(QColor(shadedSeen.red(), shadedSeen.green(), shadedSeen.blue()), expected, 4)
                        || plainImage.pixelColor(at).alpha() < 255,
                    qPrintable(shadedSeen.name()));
            }
        }
        QCOMPARE(palette.color(QPalette::Disabled, QPalette::BrightText), QColor(Qt::white));
        QCOMPARE(palette.color(QPalette::Disabled, QPalette::Highlight), highlight);
        for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Mid}) {
            QCOMPARE(palette.color(QPalette::Disabled, role), window);
            QVERIFY(palette.brush(QPalette::Disabled, role).texture().isNull());
            QCOMPARE(palette.brush(QPalette::Disabled, role).style(), Qt::SolidPattern);
        }
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            QCOMPARE(palette.color(QPalette::Disabled, role), window.darker(200));
        for (int group = 0; group < QPalette::NColorGroups; ++group)
            for (int role = 0; role < QPalette::NColorRoles; ++role)
                QVERIFY(palette.color(QPalette::ColorGroup(group), QPalette::ColorRole(role)) != custom);
    }

    // Nature and Wood share everything but their base colour.
    void natureAndWoodDifferInBaseOnly()
    {
        QPalette nature;
        QPalette wood;
        ZB_StyleNature::fillPalette(nature);
        ZB_StyleWood::fillPalette(wood);
        for (int group = 0; group < QPalette::NColorGroups; ++group) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto g = QPalette::ColorGroup(group);
                const auto r = QPalette::ColorRole(role);
                if (r == QPalette::Base && g != QPalette::Disabled)
                    QVERIFY(nature.color(g, r) != wood.color(g, r));
                else
                    QCOMPARE(nature.color(g, r), wood.color(g, r));
            }
        }
    }

    void metrics_data()
    {
        QTest::addColumn<int>("metric");
        QTest::addColumn<bool>("screenshotMode");
        QTest::addColumn<bool>("withWidget");
        QTest::addColumn<int>("extra");
        QTest::addColumn<int>("fixed");
        const QList<std::pair<QStyle::PixelMetric, const char*>> indicators = {
            {QStyle::PM_IndicatorWidth, "indicator width"}, {QStyle::PM_IndicatorHeight, "indicator height"},
            {QStyle::PM_ExclusiveIndicatorWidth, "radio width"}, {QStyle::PM_ExclusiveIndicatorHeight, "radio height"}};
        QTest::newRow("combo frame alone") << int(QStyle::PM_ComboBoxFrameWidth) << false << false << 0 << 8;
        QTest::newRow("combo frame on widget") << int(QStyle::PM_ComboBoxFrameWidth) << true << true << 0 << 8;
        QTest::newRow("scroll bar") << int(QStyle::PM_ScrollBarExtent) << false << true << 4 << -1;
        QTest::newRow("scroll bar alone") << int(QStyle::PM_ScrollBarExtent) << true << false << 4 << -1;
        QTest::newRow("tab space") << int(QStyle::PM_TabBarTabVSpace) << false << true << 0 << -1;
        QTest::newRow("tab space, screenshots") << int(QStyle::PM_TabBarTabVSpace) << true << true << 50 << -1;
        for (const auto& [metric, name] : indicators) {
            QTest::newRow(name) << int(metric) << false << true << 0 << -1;
            QTest::newRow(qPrintable(QString::fromLatin1(name) + QLatin1String(", screenshots")))
                << int(metric) << true << false << 25 << -1;
        }
        QTest::newRow("button margin unchanged") << int(QStyle::PM_ButtonMargin) << true << true << 0 << -1;
    }

    // The theme metrics over the Plastique ones, the same in all five
    // themes, at a device pixel ratio of 1 (the ratio 2 cases are in the
    // high-density tests).
    void metrics()
    {
        QFETCH(int, metric);
        QFETCH(bool, screenshotMode);
        QFETCH(bool, withWidget);
        QFETCH(int, extra);
        QFETCH(int, fixed);
        QWidget widget;
        const QWidget* on = withWidget ? &widget : nullptr;
        const QPlastiqueStyleLocal plastique;
        const int base = plastique.pixelMetric(QStyle::PixelMetric(metric), nullptr, on);
        for (int number = AppStyleSwitch::WOOD; number <= AppStyleSwitch::NATURE; ++number) {
            const auto style = makeTheme(number, screenshotMode);
            QCOMPARE(style->pixelMetric(QStyle::PixelMetric(metric), nullptr, on), fixed >= 0 ? fixed : base + extra);
        }
    }

    void hints_data()
    {
        QTest::addColumn<int>("hint");
        QTest::addColumn<int>("expected");
        QTest::newRow("etch disabled text") << int(QStyle::SH_EtchDisabledText) << 1;
        QTest::newRow("dither disabled text") << int(QStyle::SH_DitherDisabledText) << 0;
        QTest::newRow("other hints from the Plastique style")
            << int(QStyle::SH_DialogButtonLayout) << QPlastiqueStyleLocal().styleHint(QStyle::SH_DialogButtonLayout);
    }

    void hints()
    {
        QFETCH(int, hint);
        QFETCH(int, expected);
        QStyleOption option;
        QWidget widget;
        for (int number = AppStyleSwitch::WOOD; number <= AppStyleSwitch::NATURE; ++number) {
            const auto style = makeTheme(number);
            QCOMPARE(style->styleHint(QStyle::StyleHint(hint)), expected);
            QCOMPARE(style->styleHint(QStyle::StyleHint(hint), &option, &widget), expected);
        }
    }

    // Only push buttons (subclasses too) and combo boxes are marked for
    // hover, though the Plastique style would mark more; unpolishing
    // clears the mark.
    void hoverMarking()
    {
        for (int number = AppStyleSwitch::WOOD; number <= AppStyleSwitch::NATURE; ++number) {
            const auto style = makeTheme(number);
            HoverProbe button;
            QComboBox combo;
            QCheckBox check;
            QTabBar tabs;
            QScrollBar bar;
            for (QWidget* w : std::initializer_list<QWidget*>{&button, &combo, &check, &tabs, &bar}) {
                w->setAttribute(Qt::WA_Hover, false);
                style->polish(w);
            }
            QVERIFY(button.testAttribute(Qt::WA_Hover));
            QVERIFY(combo.testAttribute(Qt::WA_Hover));
            QVERIFY(!check.testAttribute(Qt::WA_Hover));
            QVERIFY(!tabs.testAttribute(Qt::WA_Hover));
            QVERIFY(!bar.testAttribute(Qt::WA_Hover));
            style->unpolish(&button);
            style->unpolish(&combo);
            QVERIFY(!button.testAttribute(Qt::WA_Hover));
            QVERIFY(!combo.testAttribute(Qt::WA_Hover));
            style->polish(static_cast<QWidget*>(nullptr));
        }
    }

    void buttonPanel_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("flat");
        QTest::addColumn<bool>("rightToLeft");
        QTest::addColumn<double>("edgeScale");
        QTest::addColumn<int>("radius");
        QTest::addColumn<int>("edge");
        QTest::addColumn<int>("fillRole");
        QTest::addColumn<bool>("overlay");
        // Which edge is the light one: 1 the top (and left, left to right),
        // -1 the bottom, 0 when both edges have one colour.
        QTest::addColumn<int>("lightTop");

        const int normal = int(QStyle::State_Enabled | QStyle::State_Raised);
        const int pressed = int(QStyle::State_Enabled | QStyle::State_Sunken);
        const int on = int(QStyle::State_Enabled | QStyle::State_On);
        const QSize small(100, 30);
        const QSize large(200, 100);
        const int button = QPalette::Button;
        const int mid = QPalette::Mid;
        const int window = QPalette::Window;
        QTest::newRow("Alien 100x30") << 1 << small << normal << false << false << 1.0 << 7 << 3 << button << true << 1;
        QTest::newRow("Alien pressed") << 1 << small << pressed << false << false << 1.0 << 7 << 3 << mid << false
                                       << -1;
        QTest::newRow("Alien on") << 1 << small << on << false << false << 1.0 << 7 << 3 << mid << true << -1;
        QTest::newRow("Alien flat") << 1 << small << normal << true << false << 1.0 << 7 << 3 << window << false << 1;
        QTest::newRow("Alien flat pressed")
            << 1 << small << pressed << true << false << 1.0 << 7 << 3 << window << true << -1;
        QTest::newRow("Alien right to left")
            << 1 << small << normal << false << true << 1.0 << 7 << 3 << button << true << 1;
        QTest::newRow("Alien right to left pressed")
            << 1 << small << pressed << false << true << 1.0 << 7 << 3 << mid << false << -1;
        QTest::newRow("Alien edge scale 1.5")
            << 1 << small << normal << false << false << 1.5 << 7 << 5 << button << true << 1;
        QTest::newRow("Racing 100x30") << 2 << small << normal << false << false << 1.0 << 7 << 3 << button << true
                                       << 1;
        QTest::newRow("Wood 100x30") << 0 << small << normal << false << false << 1.0 << 7 << 3 << button << true << 1;
        QTest::newRow("Candy 100x30") << 3 << small << normal << false << false << 1.0 << 15 << 5 << button << true
                                      << 0;
        QTest::newRow("Candy pressed") << 3 << small << pressed << false << false << 1.0 << 15 << 5 << mid << false
                                       << 0;
        QTest::newRow("Nature 200x100") << 4 << large << normal << false << false << 1.0 << 50 << 7 << button << true
                                        << 1;
        QTest::newRow("Nature 200x100 on") << 4 << large << on << false << false << 1.0 << 50 << 7 << mid << true << -1;
    }

    // Pixel probes of the themed panel: the corner radius, the fill role
    // and its overlay at the centre, the edge width at the middle of the top
    // and bottom sides, and which side is light.
    void buttonPanel()
    {
        QFETCH(int, number);
        QFETCH(QSize, size);
        QFETCH(int, state);
        QFETCH(bool, flat);
        QFETCH(bool, rightToLeft);
        QFETCH(double, edgeScale);
        QFETCH(int, radius);
        QFETCH(int, edge);
        QFETCH(int, fillRole);
        QFETCH(bool, overlay);
        QFETCH(int, lightTop);
        const EdgeScale scale(edgeScale);
        const auto style = makeTheme(number);
        QStyleOptionButton option;
        option.rect = QRect(QPoint(0, 0), size);
        option.state = QStyle::State(state);
        option.palette = plainPalette();
        option.direction = rightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
        if (flat)
            option.features |= QStyleOptionButton::Flat;
        const QImage image = paintPrimitive(*style, QStyle::PE_PanelButtonCommand, option, size);

        const int w = size.width();
        const int h = size.height();
        QCOMPARE(ThemeDrawing::panelRadius(option.rect, number == 3 || number == 4 ? 2 : 4), radius);
        QCOMPARE(ThemeDrawing::edgeWidth(radius), edge);

        // Fill and overlay at the centre.
        const QColor overlayColour = number == 3 ? QColor(255, 192, 203, 63) : QColor(0, 0, 0, 63);
        const QColor fill = option.palette.color(QPalette::ColorRole(fillRole));
        const QColor interior = overlay ? over(fill, overlayColour) : fill;
        QVERIFY2(near(image.pixelColor(w / 2, h / 2), interior), qPrintable(image.pixelColor(w / 2, h / 2).name()));

        // The corner: outside the rounding nothing is painted; a radius of
        // 7 paints (2, 2), one of 15 or more does not.
        QCOMPARE(image.pixelColor(0, 0), untouched());
        QCOMPARE(image.pixelColor(2, 2) == untouched(), radius >= 15);

        // The edge: the last row it reaches differs from the fill, the next
        // one is the fill.
        const int reach = edge / 2;
        const QColor top = image.pixelColor(w / 2, reach);
        const QColor belowTop = image.pixelColor(w / 2, reach + 1);
        const QColor bottom = image.pixelColor(w / 2, h - 2 - reach);
        const QColor aboveBottom = image.pixelColor(w / 2, h - 3 - reach);
        QVERIFY2(distance(top, interior) > 6, qPrintable(top.name()));
        QVERIFY2(distance(bottom, interior) > 6, qPrintable(bottom.name()));
        QVERIFY2(near(belowTop, interior), qPrintable(belowTop.name()));
        QVERIFY2(near(aboveBottom, interior), qPrintable(aboveBottom.name()));
        if (lightTop != 0) {
            QCOMPARE(brightness(top) > brightness(interior), lightTop > 0);
            QCOMPARE(brightness(bottom) > brightness(interior), lightTop < 0);
        }
        // On the left side the light half lies left to right, the dark one
        // right to left (the halves are mirrored).
        if (lightTop != 0 && radius < h / 2) {
            const QColor left = image.pixelColor(reach, h / 2);
            QCOMPARE(brightness(left) > brightness(interior), (lightTop > 0) != rightToLeft);
        }
    }

    // Hovering raises the light edge and fades the dark one.
    void hoverEdges()
    {
        const auto style = makeTheme(AppStyleSwitch::ALIEN);
        QStyleOptionButton option;
        option.rect = QRect(0, 0, 100, 30);
        option.palette = plainPalette();
        option.state = QStyle::State_Enabled;
        const QImage rest = paintPrimitive(*style, QStyle::PE_PanelButtonCommand, option, QSize(100, 30));
        option.state |= QStyle::State_MouseOver;
        const QImage hover = paintPrimitive(*style, QStyle::PE_PanelButtonCommand, option, QSize(100, 30));
        QVERIFY(brightness(hover.pixelColor(50, 1)) > brightness(rest.pixelColor(50, 1)));
        QVERIFY(brightness(hover.pixelColor(50, 27)) > brightness(rest.pixelColor(50, 27)));
        QCOMPARE(hover.pixelColor(50, 15), rest.pixelColor(50, 15));
    }

    void pressedLabelUsesBrightText_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("disabled");
        QTest::addColumn<bool>("bright");
        const int enabled = int(QStyle::State_Enabled);
        for (int number = AppStyleSwitch::WOOD; number <= AppStyleSwitch::NATURE; ++number) {
            const QByteArray name = THEME_NAMES[number];
            QTest::newRow(name + " normal") << number << enabled << false << false;
            QTest::newRow(name + " pressed") << number << (enabled | int(QStyle::State_Sunken)) << false << true;
            QTest::newRow(name + " on") << number << (enabled | int(QStyle::State_On)) << false << true;
            QTest::newRow(name + " disabled pressed") << number << int(QStyle::State_Sunken) << true << false;
        }
    }

    // A pressed or toggled-on label is drawn in the bright-text colour; a
    // disabled one keeps its button-text colour.
    void pressedLabelUsesBrightText()
    {
        QFETCH(int, number);
        QFETCH(int, state);
        QFETCH(bool, disabled);
        QFETCH(bool, bright);
        const auto style = makeTheme(number);
        QStyleOptionButton option;
        option.rect = QRect(0, 0, 120, 30);
        option.text = QStringLiteral("MMMM");
        option.state = QStyle::State(state);
        option.palette = plainPalette();
        option.palette.setColor(QPalette::ButtonText, QColor(0, 0xc0, 0));
        option.palette.setColor(QPalette::BrightText, QColor(0xff, 0, 0));
        if (disabled)
            option.palette.setCurrentColorGroup(QPalette::Disabled);
        const QImage image = paintControl(*style, QStyle::CE_PushButtonLabel, option, QSize(120, 30));
        const int red
            = countPixels(image, [](const QColor& c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; });
        const int green
            = countPixels(image, [](const QColor& c) { return c.green() > 150 && c.red() < 60 && c.blue() < 60; });
        QCOMPARE(red > 0, bright);
        QCOMPARE(green > 0, !bright);
        // Anything else than a button option reaches the Plastique style as
        // an empty button option.
        QStyleOption plain;
        plain.rect = option.rect;
        QCOMPARE(paintControl(*style, QStyle::CE_PushButtonLabel, plain, QSize(120, 30)), blankImage(120, 30));
    }

    // Candy, Nature and Wood draw no default-button frame; Alien and Racing
    // draw the Plastique one.
    void defaultButtonFrame_data() { themes_data(); }
    void defaultButtonFrame()
    {
        QFETCH(int, number);
        const auto style = makeTheme(number);
        QStyleOptionButton option;
        option.rect = QRect(0, 0, 60, 24);
        option.state = QStyle::State_Enabled;
        option.palette = plainPalette();
        const QImage themed = paintPrimitive(*style, QStyle::PE_FrameDefaultButton, option, QSize(60, 24));
        const QImage plastique
            = paintPrimitive(QPlastiqueStyleLocal(), QStyle::PE_FrameDefaultButton, option, QSize(60, 24));
        const bool drawn = number == AppStyleSwitch::ALIEN || number == AppStyleSwitch::RACING;
        QCOMPARE(themed, drawn ? plastique : blankImage(60, 24));
        QVERIFY(plastique != blankImage(60, 24));
    }

    // The button with the keyboard focus carries a ring in the palette's
    // highlight inside its edges, in every theme, and leaves the band the
    // label is written on clear, a small box button's included; a disabled
    // one has none.
    void focusRing_data() { themes_data(); }
    void focusRing()
    {
        QFETCH(int, number);
        const auto style = makeTheme(number);
        const auto bleu = [](const QColor& c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; };
        for (const QSize taille : {QSize(80, 40), QSize(70, 22)}) {
            QStyleOptionButton option;
            option.rect = QRect(QPoint(0, 0), taille);
            option.state = QStyle::State_Enabled;
            option.palette = plainPalette();
            option.palette.setColor(QPalette::Highlight, QColor(0, 0, 255));
            const QImage rest = paintPrimitive(*style, QStyle::PE_PanelButtonCommand, option, taille);
            option.state |= QStyle::State_HasFocus;
            const QImage focus = paintPrimitive(*style, QStyle::PE_PanelButtonCommand, option, taille);
            QVERIFY(focus != rest);
            // The ring runs along the middle of the left side, inside the
            // edge; the label's band in the middle stays clear.
            const int milieu = taille.height() / 2;
            int bleus = 0;
            for (int x = 0; x < taille.width() / 4; ++x)
                bleus += bleu(focus.pixelColor(x, milieu));
            QVERIFY2(bleus >= 1, qPrintable(QStringLiteral("%1 highlight pixels").arg(bleus)));
            for (int y = milieu - 3; y <= milieu + 3; ++y)
                QVERIFY2(!bleu(focus.pixelColor(taille.width() / 2, y)), qPrintable(QStringLiteral("row %1").arg(y)));
            option.state &= ~QStyle::State_Enabled;
            const QImage sansFocus = paintPrimitive(*style, QStyle::PE_PanelButtonCommand, option, taille);
            option.state &= ~QStyle::State_HasFocus;
            QCOMPARE(sansFocus, paintPrimitive(*style, QStyle::PE_PanelButtonCommand, option, taille));
        }
    }

    // A check box, radio button or push button with the keyboard focus
    // shows it in every theme: a solid ring in a shade that stands out from
    // the theme's panel (the highlight, or darker where that is grey like
    // the panel), whether a key or the program moved the focus; none
    // without the focus.
    void focusFrameOnChoices_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("element");
        for (int number = AppStyleSwitch::WOOD; number <= AppStyleSwitch::NATURE; ++number) {
            QTest::newRow(QByteArray(THEME_NAMES[number]) + " check box") << number << int(QStyle::CE_CheckBox);
            QTest::newRow(QByteArray(THEME_NAMES[number]) + " radio button") << number << int(QStyle::CE_RadioButton);
            QTest::newRow(QByteArray(THEME_NAMES[number]) + " push button") << number << int(QStyle::CE_PushButton);
        }
    }
    void focusFrameOnChoices()
    {
        QFETCH(int, number);
        QFETCH(int, element);
        const auto style = makeTheme(number);
        const QSize taille(240, 28);
        QStyleOptionButton option;
        option.rect = QRect(QPoint(0, 0), taille);
        option.text = QStringLiteral("Do not show this message again");
        option.state = QStyle::State_Enabled;
        style->polish(option.palette);
        const int panneau = qGray(option.palette.window().color().rgb());
        const auto ce = QStyle::ControlElement(element);
        const QImage repos = paintControl(*style, ce, option, taille);
        for (const QStyle::State cause : {QStyle::State_None, QStyle::State_KeyboardFocusChange}) {
            option.state = QStyle::State_Enabled | QStyle::State_HasFocus | cause;
            const QImage focus = paintControl(*style, ce, option, taille);
            int anneau = 0;
            for (int y = 0; y < taille.height(); ++y)
                for (int x = 0; x < taille.width(); ++x)
                    anneau += focus.pixel(x, y) != repos.pixel(x, y)
                              && std::abs(qGray(focus.pixel(x, y)) - panneau) >= 90;
            QVERIFY2(anneau >= taille.width(), qPrintable(QStringLiteral("%1 ring pixels").arg(anneau)));
        }
    }

    void tabShape_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("shape");
        QTest::addColumn<bool>("textured");
        QTest::addColumn<bool>("likePlastique");
        for (const int number : {int(AppStyleSwitch::ALIEN), int(AppStyleSwitch::RACING)}) {
            const QByteArray name = THEME_NAMES[number];
            QTest::newRow(name + " north, textured") << number << int(QTabBar::RoundedNorth) << true << false;
            QTest::newRow(name + " west, textured") << number << int(QTabBar::RoundedWest) << true << false;
            QTest::newRow(name + " south, plain") << number << int(QTabBar::RoundedSouth) << false << true;
            QTest::newRow(name + " triangular, textured") << number << int(QTabBar::TriangularNorth) << true << true;
        }
        QTest::newRow("Candy north, textured") << 3 << int(QTabBar::RoundedNorth) << true << true;
        QTest::newRow("Wood east, textured") << 0 << int(QTabBar::RoundedEast) << true << true;
    }

    // Alien and Racing draw rounded tabs as the Plastique style does, but
    // their inner bevel keeps the texture as it is; plain brushes and
    // triangular tabs give the Plastique picture.
    void tabShape()
    {
        QFETCH(int, number);
        QFETCH(int, shape);
        QFETCH(bool, textured);
        QFETCH(bool, likePlastique);
        const auto style = makeTheme(number);
        const QColor face(200, 100, 50);
        QStyleOptionTab option;
        option.rect = QRect(0, 0, 80, 28);
        if (shape == QTabBar::RoundedWest)
            option.rect = QRect(0, 0, 28, 80);
        option.shape = QTabBar::Shape(shape);
        option.state = QStyle::State_Enabled;
        option.position = QStyleOptionTab::Middle;
        option.palette = plainPalette();
        if (textured)
            option.palette.setBrush(QPalette::Button, QBrush(face, solidPixmap(face)));
        else
            option.palette.setColor(QPalette::Button, face);
        const QSize size = option.rect.size();
        const QImage themed = paintControl(*style, QStyle::CE_TabBarTabShape, option, size);
        const QImage plastique = paintControl(QPlastiqueStyleLocal(), QStyle::CE_TabBarTabShape, option, size);
        QCOMPARE(themed == plastique, likePlastique);
        if (!likePlastique) {
            // The Plastique bevel lightens the texture; the theme's does not.
            const QColor lighter = face.lighter(105);
            const auto lightened = [&lighter](const QColor& c) { return near(c, lighter, 1); };
            QVERIFY(countPixels(plastique, lightened) > 0);
            QCOMPARE(countPixels(themed, lightened), 0);
            QVERIFY(countPixels(themed, [&face](const QColor& c) { return c == face; })
                > countPixels(plastique, [&face](const QColor& c) { return c == face; }));
        }
        // Not a tab option: nothing is drawn.
        if (number == AppStyleSwitch::ALIEN || number == AppStyleSwitch::RACING) {
            QStyleOption notTab;
            notTab.rect = option.rect;
            notTab.palette = option.palette;
            QCOMPARE(
                paintControl(*style, QStyle::CE_TabBarTabShape, notTab, size), blankImage(size.width(), size.height()));
        }
    }

    void viewSize_data()
    {
        QTest::addColumn<QSize>("view");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<double>("edgeScale");
        QTest::newRow("small view") << QSize(800, 600) << 24 << 1.0;
        QTest::newRow("half rounds away from zero") << QSize(850, 500) << 26 << 1.0;
        QTest::newRow("shorter side 1000") << QSize(1600, 1000) << 48 << 1.0;
        QTest::newRow("shorter side above 1000") << QSize(1001, 3000) << 90 << 1.001;
        QTest::newRow("20000 pixels") << QSize(20000, 20000) << 600 << 20.0;
        QTest::newRow("long and thin") << QSize(20000, 10) << 600 << 1.0;
        QTest::newRow("empty") << QSize(0, 0) << 0 << 1.0;
        QTest::newRow("invalid") << QSize(-5, -5) << 0 << 1.0;
    }

    // The screenshot-mode sizing of the table view, and a button drawn
    // with what it gives: a 20,000-pixel view draws 60-pixel edges over a
    // small button without harm.
    void viewSize()
    {
        QFETCH(QSize, view);
        QFETCH(int, minimum);
        QFETCH(double, edgeScale);
        const EdgeScale reset(1.0);
        AppStyleSwitch::applyViewSize(view);
        QCOMPARE(StyleTools::minimumControlSize(), QSize(minimum, minimum));
        QCOMPARE(StyleTools::buttonEdgeScale(), edgeScale);
        const auto style = makeTheme(AppStyleSwitch::WOOD);
        QStyleOptionButton option;
        option.rect = QRect(0, 0, 100, 30);
        option.state = QStyle::State_Enabled;
        option.palette = plainPalette();
        const QImage image = paintPrimitive(*style, QStyle::PE_PanelButtonCommand, option, QSize(100, 30));
        QVERIFY(image.pixelColor(50, 15) != untouched());
    }

    // Buttons too small to have corners or edges, and nonsense scales,
    // paint without harm; an empty button paints nothing.
    void degenerateButtons_data() { themes_data(); }
    void degenerateButtons()
    {
        QFETCH(int, number);
        const auto style = makeTheme(number);
        for (const double scale : {1.0, 0.0, -3.0, 1e300, std::numeric_limits<double>::quiet_NaN()}) {
            const EdgeScale edges(scale);
            QStyleOptionButton option;
            option.palette = plainPalette();
            option.state = QStyle::State_Enabled | QStyle::State_Sunken;
            option.text = QStringLiteral("OK");
            option.rect = QRect(5, 5, 0, 0);
            QCOMPARE(paintPrimitive(*style, QStyle::PE_PanelButtonCommand, option, QSize(11, 11)), blankImage(11, 11));
            paintControl(*style, QStyle::CE_PushButtonLabel, option, QSize(11, 11));
            option.rect = QRect(5, 5, 1, 1);
            const QImage one = paintPrimitive(*style, QStyle::PE_PanelButtonCommand, option, QSize(11, 11));
            QCOMPARE(one.pixelColor(0, 0), untouched());
        }
        QPushButton button(QStringLiteral("OK"));
        button.setStyle(style.get());
        for (const QSize size : {QSize(0, 0), QSize(1, 1)}) {
            button.setFixedSize(size);
            QVERIFY(!button.grab().isNull() || size.isEmpty());
        }
    }

    // The switch installs the theme with its palette, which reaches new and
    // open widgets without an application palette; the application deletes
    // each replaced style; a number outside 0-4 changes nothing.
    void switching()
    {
        QDialog dialog;
        auto* layout = new QHBoxLayout(&dialog);
        auto* button = new QPushButton(QStringLiteral("Jouer"));
        layout->addWidget(button);
        layout->addWidget(new QComboBox);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        const QString startStyle = QApplication::style()->name();
        QVERIFY(!AppStyleSwitch::isTheme(QApplication::style()));
        // Not a theme before any: nothing installed.
        {
            QStyle* platform = QApplication::style();
            QCOMPARE(AppStyleSwitch::apply(-1, false).style, -1);
            QCOMPARE(QApplication::style(), platform);
        }
        QPointer<QStyle> previous;
        for (int number = AppStyleSwitch::WOOD; number <= AppStyleSwitch::NATURE; ++number) {
            QPalette expected;
            QVERIFY(AppStyleSwitch::fillPalette(number, expected));
            const AppStyleSwitch::Choice choice = AppStyleSwitch::apply(number, true);
            QCOMPARE(choice.style, number);
            QCOMPARE(choice.palette.color(QPalette::Base), expected.color(QPalette::Base));
            QStyle* installed = QApplication::style();
            // Room for the derived textures, or every repaint derives them.
            QVERIFY(QPixmapCache::cacheLimit() >= 64 * 1024);
            QCOMPARE(installed->metaObject()->className(), THEME_CLASSES[number]);
            QCOMPARE(installed->pixelMetric(QStyle::PM_TabBarTabVSpace),
                QPlastiqueStyleLocal().pixelMetric(QStyle::PM_TabBarTabVSpace) + 50);
            QVERIFY(!previous);
            previous = installed;
            QVERIFY(!QCoreApplication::testAttribute(Qt::AA_SetPalette));
            QCOMPARE(button->style(), installed);
            QVERIFY(button->testAttribute(Qt::WA_Hover));
            // The open dialog follows once the posted palette change
            // arrives.
            QCoreApplication::processEvents();
            QCOMPARE(button->palette().color(QPalette::Base), expected.color(QPalette::Base));
            QVERIFY(!button->palette().button().texture().isNull());
            QVERIFY(!dialog.grab().isNull());
            QPushButton fresh;
            QCOMPARE(fresh.palette().color(QPalette::Highlight), expected.color(QPalette::Highlight));
            if (number < AppStyleSwitch::NATURE) {
                QPointer<QStyle> replaced = installed;
                AppStyleSwitch::apply((number + 1) % 5, false);
                QVERIFY(!replaced);
                previous = nullptr;
            }
        }

        QStyle* kept = QApplication::style();
        const QPalette before = QGuiApplication::palette();
        for (const int number : {-1, 5, 42}) {
            QPalette untouchedPalette = before;
            QVERIFY(!AppStyleSwitch::fillPalette(number, untouchedPalette));
            QVERIFY(!AppStyleSwitch::createStyle(number, false));
            const AppStyleSwitch::Choice choice = AppStyleSwitch::apply(number, false);
            QCOMPARE(choice.style, number);
            QCOMPARE(QApplication::style(), kept);
            QCOMPARE(choice.palette, before);
        }
        dialog.close();
        QApplication::setStyle(startStyle);
    }

    void storedStyle_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("style");
        QTest::newRow("0") << QVariant(0) << 0;
        QTest::newRow("4 as text") << QVariant(QStringLiteral("4")) << 4;
        QTest::newRow("missing") << QVariant() << 0;
        QTest::newRow("5") << QVariant(5) << 0;
        QTest::newRow("-1") << QVariant(-1) << 0;
        QTest::newRow("text") << QVariant(QStringLiteral("Wood")) << 0;
        QTest::newRow("fraction") << QVariant(2.5) << 0;
        QTest::newRow("huge") << QVariant(QStringLiteral("99999999999999999999")) << 0;
    }

    // A stored theme number that names no theme selects the first start's,
    // Wood.
    void storedStyle()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, style);
        QCOMPARE(AppStyleSwitch::storedStyle(stored), style);
    }
};

ZB_REGISTER_TEST(TestThemeStyles)
#include "TestThemeStyles.moc"
