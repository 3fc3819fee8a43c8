#include "PlastiqueDrawing.h"
#include "QPlastiqueStyleLocal.h"
#include "StyleProbes.h"
#include "StyleTools.h"
#include "ZbTestRegistry.h"

#include <QBitmap>
#include <QPainter>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QRadialGradient>
#include <QStyleOption>
#include <QTest>

#include <cstdlib>
#include <functional>

using namespace styleprobes;
using namespace PlastiqueDrawing;

namespace {

using Paint = std::function<void(QPainter*)>;

// What the drawing leaves on a transparent image: alpha tells a brush's
// share directly.
QImage painted(const QSize& size, const Paint& paint, const QTransform& transform = QTransform())
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setTransform(transform);
    paint(&painter);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool transparentEverywhere(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
    return true;
}

// Equal within the rounding of premultiplied pixels.
bool near(const QColor& found, const QColor& expected, int tolerance = 3)
{
    return std::abs(found.red() - expected.red()) <= tolerance
        && std::abs(found.green() - expected.green()) <= tolerance
        && std::abs(found.blue() - expected.blue()) <= tolerance
        && std::abs(found.alpha() - expected.alpha()) <= tolerance;
}

QColor withAlpha(QColor colour, double share)
{
    colour.setAlphaF(float(colour.alphaF() * share));
    return colour;
}

#define QVERIFY_NEAR(found, expected)                                                                           \
    QVERIFY2(near(found, expected), qPrintable(QStringLiteral("%1 is not near %2")                              \
                                                   .arg((found).name(QColor::HexArgb),                          \
                                                        (expected).name(QColor::HexArgb))))

template <typename Option> Option optionOf(const QRect& rect, QStyle::State state = QStyle::State_Enabled)
{
    Option option;
    option.rect = rect;
    option.state = state;
    option.palette = rolePalette();
    return option;
}

// A palette whose base is transparent: indicator marks show their own
// alpha.
QPalette clearBasePalette()
{
    QPalette palette = rolePalette();
    palette.setColor(QPalette::Base, Qt::transparent);
    return palette;
}

QImage textureOf(QImage::Format format)
{
    QImage image(5, 3, format);
    if (format == QImage::Format_MonoLSB) {
        image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, (x + y) % 2);
        return image;
    }
    if (format == QImage::Format_Indexed8) {
        image.setColorTable({qRgba(0x10, 0x20, 0x30, 0x40), qRgb(0x80, 0x40, 0x20)});
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, (x + y) % 2);
        return image;
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, QColor(20 * x, 40 * y, 90, 0x40 + 20 * x));
    return image;
}

} // namespace

class TestPlastiqueDrawing : public QObject
{
    Q_OBJECT

    QPlastiqueStyleLocal m_style;

private slots:
    void init() { QPixmapCache::clear(); }

    void blend_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<int>("factor");
        QTest::addColumn<QColor>("expected");
        const QColor a(200, 101, 0, 77);
        const QColor b(1, 50, 255);
        QTest::newRow("even mix, each half rounded down") << a << b << 50 << QColor(100, 75, 127, 77);
        QTest::newRow("all a") << a << b << 100 << a;
        QTest::newRow("all b, a's alpha") << a << b << 0 << QColor(1, 50, 255, 77);
        QTest::newRow("6 percent") << QColor(0, 0, 100) << QColor(200, 200, 200) << 6 << QColor(188, 188, 194);
    }

    void blend()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(int, factor);
        QFETCH(QColor, expected);
        QCOMPARE(blendColors(a, b, factor).rgba(), expected.rgba());
    }

    void cacheImage()
    {
        const QImage image = createCacheImage(QSize(10, 5));
        const qreal ratio = qApp->devicePixelRatio();
        QCOMPARE(image.size(), QSize(qRound(10 * ratio), qRound(5 * ratio)));
        QCOMPARE(image.format(), QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(image.devicePixelRatio(), ratio);
    }

    void derivedBrushes_data()
    {
        QTest::addColumn<QBrush>("source");
        QTest::addColumn<int>("operation");
        QLinearGradient linear(3, 4, 30, 40);
        linear.setColorAt(0, QColor(100, 120, 140));
        linear.setColorAt(0.3, QColor(10, 20, 30, 200));
        linear.setColorAt(1, QColor(200, 100, 50));
        linear.setSpread(QGradient::ReflectSpread);
        QRadialGradient radial(5, 6, 7);
        radial.setColorAt(0.5, QColor(0, 200, 0));
        for (int operation = 0; operation < 3; ++operation) {
            const char* name = operation == 0 ? "light" : operation == 1 ? "dark 125" : "alpha 0.5";
            QTest::addRow("%s: solid", name) << QBrush(QColor(100, 110, 120)) << operation;
            QTest::addRow("%s: linear", name) << QBrush(linear) << operation;
            QTest::addRow("%s: radial", name) << QBrush(radial) << operation;
        }
    }

    // Only colours change: a gradient keeps its kind, geometry, spread and
    // every stop's position.
    void derivedBrushes()
    {
        QFETCH(QBrush, source);
        QFETCH(int, operation);
        const auto change = [operation](const QColor& c) {
            return operation == 0 ? c.lighter(105) : operation == 1 ? c.darker(125) : withAlpha(c, 0.5);
        };
        QBrush made = source;
        if (operation == 0)
            made = qBrushLight(source);
        else if (operation == 1)
            made = qBrushDark(source, 125);
        else
            qBrushAlpha(made, 0.5);
        if (!source.gradient()) {
            QCOMPARE(made.color().rgba(), change(source.color()).rgba());
            return;
        }
        QVERIFY(made.gradient());
        QCOMPARE(made.gradient()->type(), source.gradient()->type());
        QCOMPARE(made.gradient()->spread(), source.gradient()->spread());
        const QGradientStops before = source.gradient()->stops();
        const QGradientStops after = made.gradient()->stops();
        QCOMPARE(after.size(), before.size());
        for (int i = 0; i < before.size(); ++i) {
            QCOMPARE(after[i].first, before[i].first);
            QCOMPARE(after[i].second.rgba(), change(before[i].second).rgba());
        }
        if (source.gradient()->type() == QGradient::LinearGradient) {
            const auto* s = static_cast<const QLinearGradient*>(source.gradient());
            const auto* m = static_cast<const QLinearGradient*>(made.gradient());
            QCOMPARE(m->start(), s->start());
            QCOMPARE(m->finalStop(), s->finalStop());
        }
        // Fitted to a rectangle, any gradient runs down it.
        const QBrush fitted = brushForRect(made, QRectF(10, 20, 30, 40));
        const auto* down = static_cast<const QLinearGradient*>(fitted.gradient());
        QCOMPARE(down->start(), QPointF(25, 20));
        QCOMPARE(down->finalStop(), QPointF(25, 60));
        QCOMPARE(down->stops(), made.gradient()->stops());
    }

    void textures_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("32-bit with alpha") << int(QImage::Format_ARGB32);
        QTest::newRow("8-bit indexed") << int(QImage::Format_Indexed8);
        QTest::newRow("16-bit") << int(QImage::Format_RGB16);
        QTest::newRow("24-bit") << int(QImage::Format_RGB888);
        QTest::newRow("1-bit bitmap") << int(QImage::Format_MonoLSB);
    }

    // Texture pixels of any depth become opaque, then the operation: alpha
    // 0.5 gives half of opaque whatever the source alpha was. The derived
    // texture is cached by the source's key and reused. (8- and 16-bit
    // textures were walked as 32-bit pixels, reading past their end.)
    void textures()
    {
        QFETCH(int, format);
        const QImage source = textureOf(QImage::Format(format));
        // A bitmap keeps its single bit per pixel.
        const QPixmap pixmap = format == QImage::Format_MonoLSB ? QPixmap(QBitmap::fromImage(source))
                                                                 : QPixmap::fromImage(source);
        const QImage expectedSource = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);

        QBrush halved{pixmap};
        qBrushAlpha(halved, 0.5);
        const QBrush lighter = qBrushLight(QBrush(pixmap));
        const QImage halvedImage = halved.texture().toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage lighterImage = lighter.texture().toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(halvedImage.size(), source.size());
        QCOMPARE(lighterImage.size(), source.size());
        for (int y = 0; y < source.height(); ++y) {
            for (int x = 0; x < source.width(); ++x) {
                QColor opaque;
                opaque.setRgb(expectedSource.pixel(x, y));
                QVERIFY(qAbs(qAlpha(halvedImage.pixel(x, y)) - 128) <= 1);
                QCOMPARE(lighterImage.pixel(x, y), opaque.lighter(105).rgba());
            }
        }
        QPixmap cached;
        QVERIFY(QPixmapCache::find(
            StyleTools::textureCacheKey(QLatin1String("qbrushtexture-light"), 105, quint64(pixmap.cacheKey())),
            &cached));
        QCOMPARE(qBrushLight(QBrush(pixmap)).texture().cacheKey(), lighter.texture().cacheKey());
    }

    // One cache entry per size and colours, used again; none on a scaled
    // painter, which paints the same gradient afresh.
    void cachedGradient()
    {
        const QRect rect(2, 3, 10, 20);
        const QColor start(255, 0, 0);
        const QColor stop(0, 0, 255);
        const auto draw = [&](QPainter* p) { drawCachedGradient(p, rect, start, stop); };
        const QImage first = painted(QSize(16, 28), draw);
        QString key = QStringLiteral("qplastique-g") + reversedHex(10, 8) + reversedHex(20, 8)
            + reversedHex(start.rgba(), 8) + reversedHex(stop.rgba(), 8);
        QCOMPARE(key.size(), 44);
        QPixmap cached;
        QVERIFY(QPixmapCache::find(key, &cached));
        QCOMPARE(painted(QSize(16, 28), draw), first);
        // Pixel centres lie half a row inside the gradient's ends.
        QVERIFY(near(first.pixelColor(5, 3), start, 12));
        QVERIFY(near(first.pixelColor(5, 22), stop, 12));
        QVERIFY(qAlpha(first.pixel(1, 3)) == 0);

        QPixmapCache::clear();
        const QImage scaled = painted(QSize(32, 56), draw, QTransform::fromScale(2, 2));
        QVERIFY(!QPixmapCache::find(key, &cached));
        QVERIFY(near(scaled.pixelColor(10, 6), start, 12));
    }

    void shadowedFrame_data()
    {
        QTest::addColumn<int>("shadow");
        QTest::addColumn<bool>("focus");
        QTest::addColumn<QColor>("border");
        QTest::addColumn<QColor>("innerTop");
        QTest::addColumn<QColor>("innerBottom");
        const QColor shadow = role(QPalette::Shadow);
        const QColor highlight = role(QPalette::Highlight);
        const QColor none = Qt::transparent;
        QTest::newRow("plain, focus shown not") << int(QFrame::Plain) << true << withAlpha(shadow, 0.4) << none
                                                << none;
        QTest::newRow("sunken") << int(QFrame::Sunken) << false << withAlpha(shadow, 0.4) << withAlpha(shadow, 0.23)
                                << withAlpha(shadow, 0.075);
        QTest::newRow("raised") << int(QFrame::Raised) << false << withAlpha(shadow, 0.4)
                                << withAlpha(shadow, 0.075) << withAlpha(shadow, 0.23);
        QTest::newRow("sunken with focus") << int(QFrame::Sunken) << true << withAlpha(highlight, 0.8)
                                           << highlight.darker(125) << withAlpha(highlight, 0.65);
    }

    // The field frame's three brush cases, pixel for pixel.
    void shadowedFrame()
    {
        QFETCH(int, shadow);
        QFETCH(bool, focus);
        QFETCH(QColor, border);
        QFETCH(QColor, innerTop);
        QFETCH(QColor, innerBottom);
        auto option = optionOf<QStyleOption>(QRect(0, 0, 20, 12),
                                             focus ? QStyle::State_HasFocus | QStyle::State_Enabled
                                                   : QStyle::State_Enabled);
        // The caller's pen comes back.
        const QPen pen(Qt::green, 3);
        const QImage image = painted(QSize(20, 12), [&](QPainter* p) {
            p->setPen(pen);
            drawShadowedFrame(p, option.rect, &option, QFrame::Shadow(shadow));
            QCOMPARE(p->pen(), pen);
        });
        QVERIFY_NEAR(image.pixelColor(5, 0), border);
        QVERIFY_NEAR(image.pixelColor(0, 5), border);
        QVERIFY_NEAR(image.pixelColor(1, 1), border);
        QVERIFY_NEAR(image.pixelColor(5, 1), innerTop);
        QVERIFY_NEAR(image.pixelColor(1, 5), innerTop);
        QVERIFY_NEAR(image.pixelColor(5, 10), innerBottom);
        QVERIFY_NEAR(image.pixelColor(18, 5), innerBottom);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(5, 5)), 0);
    }

    // A disabled auto-raise panel keeps its outline and loses its body.
    void gradientPanel()
    {
        auto option = optionOf<QStyleOption>(QRect(0, 0, 20, 12), QStyle::State_AutoRaise);
        const auto draw = [&](QPainter* p) { drawGradientPanel(p, &option, nullptr); };
        const QColor border = role(QPalette::Window).darker(178);
        QImage image = painted(QSize(20, 12), draw);
        QCOMPARE(image.pixelColor(5, 0).rgba(), border.rgba());
        QCOMPARE(qAlpha(image.pixel(10, 6)), 0);
        option.state |= QStyle::State_Enabled;
        image = painted(QSize(20, 12), draw);
        QCOMPARE(qAlpha(image.pixel(10, 6)), 255);
        QCOMPARE(image.pixelColor(5, 1).rgba(), role(QPalette::Button).lighter(104).rgba());
    }

    void gripDots_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("dots");
        QTest::newRow("4 pixels: none") << 4 << 0;
        QTest::newRow("10 pixels: two") << 10 << 2;
        QTest::newRow("14 pixels: two") << 14 << 2;
    }

    void gripDots()
    {
        QFETCH(int, length);
        QFETCH(int, dots);
        const auto option = optionOf<QStyleOption>(QRect(0, 0, 20, 20));
        const QImage image = painted(QSize(20, 20), [&](QPainter* p) {
            drawGripDots(p, &option, QRect(0, 0, length, 3), Qt::Vertical, nullptr);
        });
        QColor corner = cornerColor(&option, nullptr);
        corner.setAlpha(170);
        int found = 0;
        for (int x = 0; x < 20; x += 5)
            found += near(image.pixelColor(x, 0), corner) ? 1 : 0;
        QCOMPARE(found, dots);
        QCOMPARE(image.pixelColor(2, 2), dots ? role(QPalette::Light) : QColor(Qt::transparent));
    }

    void titleBarButton()
    {
        auto option = optionOf<QStyleOptionTitleBar>(QRect(0, 0, 20, 20));
        option.titleBarState = QStyle::State_Active;
        QVERIFY(transparentEverywhere(
            painted(QSize(20, 20), [&](QPainter* p) { drawTitleBarButton(p, &option, QRect(), true, true); })));
        const QImage lit = painted(QSize(20, 20),
                                   [&](QPainter* p) { drawTitleBarButton(p, &option, QRect(2, 2, 13, 13), true, false); });
        QCOMPARE(lit.pixelColor(6, 2), QColor(0x627097));
        QVERIFY_NEAR(lit.pixelColor(8, 3), QColor(0x7D8BB1));
        option.titleBarState = 0;
        const QImage idle = painted(QSize(20, 20),
                                    [&](QPainter* p) { drawTitleBarButton(p, &option, QRect(2, 2, 13, 13), false, false); });
        QCOMPARE(idle.pixelColor(6, 2), QColor(0x5E5E5E));
    }

    // Push-button panels are cached by key, "pushbutton-1" for a default
    // button and "pushbutton-0" otherwise; an equal button draws the cached
    // picture, a rotated painter caches nothing.
    void pushButtonCache()
    {
        auto normal = optionOf<QStyleOptionButton>(QRect(0, 0, 30, 16));
        auto byDefault = normal;
        byDefault.features = QStyleOptionButton::AutoDefaultButton;
        const auto draw = [this](const QStyleOption& option) {
            return [this, &option](QPainter* p) { m_style.drawPrimitive(QStyle::PE_PanelButtonCommand, &option, p); };
        };
        painted(QSize(30, 16), draw(normal));
        painted(QSize(30, 16), draw(byDefault));
        const QString normalKey = StyleTools::optionCacheKey(QStringLiteral("pushbutton-0"), &normal, QSize(30, 16));
        const QString defaultKey =
            StyleTools::optionCacheKey(QStringLiteral("pushbutton-1"), &byDefault, QSize(30, 16));
        QPixmap stand;
        QVERIFY(QPixmapCache::find(defaultKey, &stand));
        QVERIFY(QPixmapCache::find(normalKey, &stand));
        stand = QPixmap(30, 16);
        stand.fill(Qt::red);
        QPixmapCache::insert(normalKey, stand);
        QCOMPARE(painted(QSize(30, 16), draw(normal)).pixelColor(15, 8), QColor(Qt::red));
        QPixmapCache::clear();
        painted(QSize(60, 60), draw(normal), QTransform().rotate(30));
        QVERIFY(!QPixmapCache::find(normalKey, &stand));
    }

    void pushButtonStates_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("sameAs");
        QTest::addColumn<bool>("ring");
        const int enabled = QStyle::State_Enabled;
        const int hover = QStyle::State_MouseOver;
        const int down = QStyle::State_Sunken;
        QTest::newRow("hovered") << (enabled | hover) << -1 << true;
        QTest::newRow("hovered but disabled: no ring, no tint") << hover << 0 << false;
        QTest::newRow("pressed and hovered: pressed, no ring") << (enabled | hover | down) << (enabled | down)
                                                              << false;
    }

    void pushButtonStates()
    {
        QFETCH(int, state);
        QFETCH(int, sameAs);
        QFETCH(bool, ring);
        const auto draw = [this](int flags) {
            auto option = optionOf<QStyleOptionButton>(QRect(0, 0, 30, 16), QStyle::State(flags));
            return painted(QSize(30, 16),
                           [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_PanelButtonCommand, &option, p); });
        };
        const QImage image = draw(state);
        if (sameAs >= 0)
            QCOMPARE(image, draw(sameAs));
        // The ring's top row leans to the highlight's blue.
        const QColor top = image.pixelColor(10, 1);
        QCOMPARE(top != draw(state & ~int(QStyle::State_MouseOver)).pixelColor(10, 1), ring);
        if (ring)
            QVERIFY(top.blue() > top.red() + 30);
    }

    // A flat button shows only while pressed or checked; a gradient button
    // brush is laid down the button, with its own colours for the body.
    void pushButtonFlatAndGradient()
    {
        auto flat = optionOf<QStyleOptionButton>(QRect(0, 0, 30, 16));
        flat.features = QStyleOptionButton::Flat;
        const auto draw = [this](const QStyleOptionButton& option) {
            return painted(QSize(30, 16),
                           [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_PanelButtonCommand, &option, p); });
        };
        QVERIFY(transparentEverywhere(draw(flat)));
        flat.state |= QStyle::State_On;
        QVERIFY(!transparentEverywhere(draw(flat)));

        auto graded = optionOf<QStyleOptionButton>(QRect(0, 0, 30, 40));
        QLinearGradient gradient(0, 0, 1, 0);
        gradient.setColorAt(0, Qt::red);
        gradient.setColorAt(1, Qt::blue);
        graded.palette.setBrush(QPalette::Button, gradient);
        const QImage image = painted(QSize(30, 40), [&](QPainter* p) {
            m_style.drawPrimitive(QStyle::PE_PanelButtonCommand, &graded, p);
        });
        const QColor top = image.pixelColor(15, 3);
        const QColor bottom = image.pixelColor(15, 36);
        QVERIFY(top.red() > 200 && top.blue() < 50);
        QVERIFY(bottom.blue() > 200 && bottom.red() < 50);
    }

    void checkMarks_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("alpha");
        const int enabled = QStyle::State_Enabled;
        QTest::newRow("checked: full text colour") << (enabled | QStyle::State_On) << 255;
        QTest::newRow("checked and pressed: half") << (enabled | QStyle::State_On | QStyle::State_Sunken) << 128;
        QTest::newRow("partly: 0.3") << (enabled | QStyle::State_NoChange) << 77;
        QTest::newRow("pressed, unchecked: half") << (enabled | QStyle::State_Sunken) << 128;
        QTest::newRow("disabled, pressed, unchecked: none") << int(QStyle::State_Sunken) << 0;
        QTest::newRow("disabled, checked: shown") << int(QStyle::State_On) << 255;
        QTest::newRow("unchecked: none") << enabled << 0;
    }

    // The X's two strokes meet at the centre; its alpha tells the state.
    void checkMarks()
    {
        QFETCH(int, state);
        QFETCH(int, alpha);
        auto option = optionOf<QStyleOptionButton>(QRect(0, 0, 16, 16), QStyle::State(state));
        option.palette = clearBasePalette();
        const QImage image = painted(QSize(16, 16),
                                     [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, p); });
        // Strokes from (4, 4) to (12, 12) and from (12, 4) to (4, 12); where
        // they cross, a translucent mark is denser.
        QVERIFY(qAbs(qAlpha(image.pixel(6, 6)) - alpha) <= 1);
        QVERIFY(qAbs(qAlpha(image.pixel(10, 6)) - alpha) <= 1);
        QCOMPARE(qAlpha(image.pixel(8, 3)), 0);
        if (alpha == 255)
            QCOMPARE(image.pixelColor(8, 8).rgb(), role(QPalette::Text).rgb());
        QCOMPARE(qAlpha(image.pixel(8, 8)) > 0, alpha > 0);
        QVERIFY_NEAR(image.pixelColor(5, 0), withAlpha(role(QPalette::Shadow), 0.4));
    }

    // Indicators need a button option, except the item-view check box,
    // which builds one and never shows the hover ring.
    void indicatorOptions()
    {
        auto plain = optionOf<QStyleOption>(QRect(0, 0, 16, 16), QStyle::State_Enabled | QStyle::State_On);
        const auto draw = [this](QStyle::PrimitiveElement element, const QStyleOption& option) {
            return painted(QSize(16, 16), [&](QPainter* p) { m_style.drawPrimitive(element, &option, p); });
        };
        QVERIFY(transparentEverywhere(draw(QStyle::PE_IndicatorCheckBox, plain)));
        QVERIFY(transparentEverywhere(draw(QStyle::PE_IndicatorRadioButton, plain)));
        plain.state |= QStyle::State_MouseOver;
        auto button = optionOf<QStyleOptionButton>(plain.rect, QStyle::State_Enabled | QStyle::State_On);
        QCOMPARE(draw(QStyle::PE_IndicatorItemViewItemCheck, plain), draw(QStyle::PE_IndicatorCheckBox, button));
        auto radio = optionOf<QStyleOptionButton>(plain.rect, QStyle::State_MouseOver);
        const QImage disabledHover = draw(QStyle::PE_IndicatorRadioButton, radio);
        radio.state = QStyle::State_None;
        QCOMPARE(disabledHover, draw(QStyle::PE_IndicatorRadioButton, radio));
    }

    // Two equal check boxes share one cache entry.
    void indicatorCache()
    {
        const auto box = optionOf<QStyleOptionButton>(QRect(3, 3, 13, 13), QStyle::State_Enabled | QStyle::State_On);
        const QString key = StyleTools::optionCacheKey(QStringLiteral("checkbox"), &box, QSize(13, 13));
        painted(QSize(20, 20), [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, p); });
        QPixmap stand;
        QVERIFY(QPixmapCache::find(key, &stand));
        stand = QPixmap(13, 13);
        stand.fill(Qt::green);
        QPixmapCache::insert(key, stand);
        auto twin = box;
        const QImage image = painted(
            QSize(20, 20), [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_IndicatorCheckBox, &twin, p); });
        QCOMPARE(image.pixelColor(9, 9), QColor(Qt::green));
        QPixmapCache::clear();
        painted(QSize(40, 40), [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, p); },
                QTransform().rotate(30));
        QVERIFY(!QPixmapCache::find(key, &stand));
    }

    // A textured button brush: the body shows the texture and the bevels
    // are its derived textures, cached by the texture's key.
    void pushButtonTexture()
    {
        QPixmap texture(8, 8);
        texture.fill(QColor(0x40, 0x80, 0xc0));
        auto option = optionOf<QStyleOptionButton>(QRect(0, 0, 30, 16));
        option.palette.setBrush(QPalette::Button, QBrush(texture));
        const QImage image = painted(
            QSize(30, 16), [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_PanelButtonCommand, &option, p); });
        QCOMPARE(image.pixelColor(15, 8).rgb(), QColor(0x40, 0x80, 0xc0).rgb());
        QPixmap derived;
        const quint64 key = quint64(texture.cacheKey());
        QVERIFY(QPixmapCache::find(StyleTools::textureCacheKey(QLatin1String("qbrushtexture-light"), 105, key), &derived));
        QVERIFY(QPixmapCache::find(StyleTools::textureCacheKey(QLatin1String("qbrushtexture-dark"), 105, key), &derived));
        QCOMPARE(image.pixelColor(1, 8).rgb(), QColor(0x40, 0x80, 0xc0).lighter(105).rgb());
    }

    void branches_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("stubLeft");
        QTest::addColumn<bool>("stubRight");
        const int item = QStyle::State_Item;
        const int ltr = Qt::LeftToRight;
        QTest::newRow("last child: up and stub, no line down") << item << ltr << false << false << true;
        QTest::newRow("with a sibling below") << (item | int(QStyle::State_Sibling)) << ltr << true << false << true;
        QTest::newRow("right to left: stub to the left") << item << int(Qt::RightToLeft) << false << true << false;
    }

    void branches()
    {
        QFETCH(int, state);
        QFETCH(int, direction);
        QFETCH(bool, down);
        QFETCH(bool, stubLeft);
        QFETCH(bool, stubRight);
        auto option = optionOf<QStyleOption>(QRect(0, 0, 20, 20), QStyle::State(state));
        option.direction = Qt::LayoutDirection(direction);
        const QImage image =
            painted(QSize(20, 20), [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_IndicatorBranch, &option, p); });
        const auto anyInColumn = [&](int x, int from, int to) {
            for (int y = from; y <= to; ++y)
                if (qAlpha(image.pixel(x, y)))
                    return true;
            return false;
        };
        const auto anyInRow = [&](int y, int from, int to) {
            for (int x = from; x <= to; ++x)
                if (qAlpha(image.pixel(x, y)))
                    return true;
            return false;
        };
        QVERIFY(anyInColumn(10, 0, 9));
        QCOMPARE(anyInColumn(10, 11, 19), down);
        QCOMPARE(anyInRow(10, 0, 9), stubLeft);
        QCOMPARE(anyInRow(10, 11, 19), stubRight);
    }

    // The expander box: a minus when open, a plus when closed, in the text
    // blend colour, at the centre of a 9 by 9 box.
    void expanderBox()
    {
        auto option = optionOf<QStyleOption>(QRect(0, 0, 20, 20), QStyle::State_Children);
        const QColor blend = blendColors(role(QPalette::Window), role(QPalette::Text), 50);
        const auto draw = [&] {
            return painted(QSize(20, 20), [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_IndicatorBranch, &option, p); });
        };
        QImage closed = draw();
        QCOMPARE(closed.pixelColor(7, 9).rgba(), blend.rgba());
        QCOMPARE(closed.pixelColor(11, 9).rgba(), blend.rgba());
        QCOMPARE(closed.pixelColor(9, 7).rgba(), blend.rgba());
        QCOMPARE(closed.pixelColor(7, 5).rgba(), role(QPalette::Window).darker(178).rgba());
        QCOMPARE(closed.pixelColor(5, 5).rgba(), cornerColor(&option, nullptr).rgba());
        option.state |= QStyle::State_Open;
        QImage open = draw();
        QCOMPARE(open.pixelColor(7, 9).rgba(), blend.rgba());
        QVERIFY(open.pixelColor(9, 7).rgba() != blend.rgba());
    }

    // A vertical tool bar's handle: a row of dots 3 pixels below the top;
    // too short a handle shows only its background.
    void toolBarHandle()
    {
        auto option = optionOf<QStyleOption>(QRect(0, 0, 30, 12));
        const auto draw = [&] {
            return painted(option.rect.size(),
                           [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_IndicatorToolBarHandle, &option, p); });
        };
        QImage image = draw();
        const QColor window = role(QPalette::Window);
        QCOMPARE(image.pixelColor(0, 2), window);
        QVERIFY(image.pixelColor(0, 3) != window);
        QVERIFY(image.pixelColor(6, 3) != window);
        QCOMPARE(image.pixelColor(1, 5), role(QPalette::Light));
        option.rect = QRect(0, 0, 5, 12);
        image = draw();
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 5; ++x)
                QCOMPARE(image.pixelColor(x, y), window);
    }

    // The header arrow gives the painter its anti-aliasing back as it was.
    void headerArrowAntialiasing()
    {
        const auto option = optionOf<QStyleOptionHeader>(QRect(0, 0, 12, 12));
        for (const bool on : {false, true}) {
            painted(QSize(12, 12), [&](QPainter* p) {
                p->setRenderHint(QPainter::Antialiasing, on);
                m_style.drawPrimitive(QStyle::PE_IndicatorHeaderArrow, &option, p);
                QCOMPARE(p->testRenderHint(QPainter::Antialiasing), on);
            });
        }
    }

    void sameAsOther_data()
    {
        QTest::addColumn<int>("element");
        QTest::addColumn<int>("other");
        QTest::addColumn<bool>("windows");
        QTest::newRow("drop-down looks like a tool button")
            << int(QStyle::PE_IndicatorButtonDropDown) << int(QStyle::PE_PanelButtonTool) << false;
        QTest::newRow("arrows go to the base") << int(QStyle::PE_IndicatorArrowUp) << -1 << true;
        QTest::newRow("focus rect goes to the base") << int(QStyle::PE_FrameFocusRect) << -1 << true;
        QTest::newRow("tip label goes to the base") << int(QStyle::PE_PanelTipLabel) << -1 << true;
        QTest::newRow("triangular tab widget frame goes to the base") << int(QStyle::PE_FrameTabWidget) << -1 << true;
    }

    void sameAsOther()
    {
        QFETCH(int, element);
        QFETCH(int, other);
        QFETCH(bool, windows);
        auto option = optionOf<QStyleOptionTabWidgetFrame>(QRect(0, 0, 40, 30));
        option.shape = QTabBar::TriangularNorth;
        option.tabBarSize = QSize(20, 10);
        QWindowsStyleLocal base;
        const QStyle& reference = windows ? static_cast<const QStyle&>(base) : m_style;
        const int drawn = other >= 0 ? other : element;
        QCOMPARE(painted(QSize(40, 30),
                         [&](QPainter* p) { m_style.drawPrimitive(QStyle::PrimitiveElement(element), &option, p); }),
                 painted(QSize(40, 30),
                         [&](QPainter* p) { reference.drawPrimitive(QStyle::PrimitiveElement(drawn), &option, p); }));
    }

    // A derived style's tool-button panel is the drop-down's too.
    void dropDownThroughTheProxy()
    {
        class RedTools : public QProxyStyle
        {
        public:
            RedTools() : QProxyStyle(new QPlastiqueStyleLocal) {}
            void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget = nullptr) const override
            {
                if (element == PE_PanelButtonTool)
                    painter->fillRect(option->rect, Qt::red);
                else
                    QProxyStyle::drawPrimitive(element, option, painter, widget);
            }
        };
        RedTools style;
        const auto option = optionOf<QStyleOption>(QRect(0, 0, 10, 10));
        const QImage image = painted(QSize(10, 10), [&](QPainter* p) {
            style.baseStyle()->drawPrimitive(QStyle::PE_IndicatorButtonDropDown, &option, p);
        });
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::red));
    }

    void nothingDrawn_data()
    {
        QTest::addColumn<int>("element");
        QTest::addColumn<int>("state");
        QTest::newRow("default frame of a disabled button") << int(QStyle::PE_FrameDefaultButton) << 0;
        QTest::newRow("menu bar outside a main window") << int(QStyle::PE_PanelMenuBar) << int(QStyle::State_Enabled);
        QTest::newRow("disabled unchecked auto-raise tool button")
            << int(QStyle::PE_PanelButtonTool) << int(QStyle::State_AutoRaise);
        QTest::newRow("line edit panel without a frame option") << int(QStyle::PE_PanelLineEdit)
                                                                << int(QStyle::State_Enabled);
        QTest::newRow("push button without a button option") << int(QStyle::PE_PanelButtonCommand)
                                                             << int(QStyle::State_Enabled);
    }

    void nothingDrawn()
    {
        QFETCH(int, element);
        QFETCH(int, state);
        const auto option = optionOf<QStyleOption>(QRect(0, 0, 20, 20), QStyle::State(state));
        QVERIFY(transparentEverywhere(painted(
            QSize(20, 20), [&](QPainter* p) { m_style.drawPrimitive(QStyle::PrimitiveElement(element), &option, p); })));
    }

    // Frames: Sunken wins over Raised; a group box never shows focus; a
    // line edit with line width 0 has its ring but no shadowed frame.
    void frames()
    {
        const auto draw = [this](QStyle::PrimitiveElement element, const QStyleOption& option) {
            return painted(QSize(20, 12), [&](QPainter* p) { m_style.drawPrimitive(element, &option, p); });
        };
        const QColor shadow = role(QPalette::Shadow);
        auto both = optionOf<QStyleOption>(QRect(0, 0, 20, 12), QStyle::State_Sunken | QStyle::State_Raised);
        QVERIFY_NEAR(draw(QStyle::PE_Frame, both).pixelColor(5, 1), withAlpha(shadow, 0.23));

        auto group = optionOf<QStyleOptionFrame>(QRect(0, 0, 20, 12),
                                                 QStyle::State_Sunken | QStyle::State_HasFocus | QStyle::State_Enabled);
        const QImage groupImage = draw(QStyle::PE_FrameGroupBox, group);
        QVERIFY_NEAR(groupImage.pixelColor(5, 0), withAlpha(shadow, 0.4));
        QCOMPARE(qAlpha(groupImage.pixel(5, 1)), 0);

        auto edit = optionOf<QStyleOptionFrame>(QRect(0, 0, 20, 12));
        edit.lineWidth = 0;
        const QImage editImage = draw(QStyle::PE_PanelLineEdit, edit);
        QCOMPARE(editImage.pixelColor(5, 1), role(QPalette::Base));
        QCOMPARE(qAlpha(editImage.pixel(5, 0)), 0);
        edit.lineWidth = 1;
        QVERIFY_NEAR(draw(QStyle::PE_PanelLineEdit, edit).pixelColor(5, 0), withAlpha(shadow, 0.4));
    }

    // A right-to-left north tab widget leaves its strip out of the top edge,
    // ending as many pixels before the right edge as the corner widget is
    // wide; a south tab bar base has its darker line at the bottom.
    void tabFrames()
    {
        auto frame = optionOf<QStyleOptionTabWidgetFrame>(QRect(0, 0, 100, 50));
        frame.shape = QTabBar::RoundedNorth;
        frame.direction = Qt::RightToLeft;
        frame.tabBarSize = QSize(40, 20);
        frame.leftCornerWidgetSize = QSize(10, 10);
        const int overlap = m_style.pixelMetric(QStyle::PM_TabBarBaseOverlap, &frame);
        const QImage image = painted(
            QSize(100, 50), [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_FrameTabWidget, &frame, p); });
        if (overlap > 0) {
            QCOMPARE(qAlpha(image.pixel(60, 0)), 0);
            QCOMPARE(qAlpha(image.pixel(89, 0)), 0);
        }
        QVERIFY(qAlpha(image.pixel(30, 0)) > 0);
        QVERIFY(qAlpha(image.pixel(95, 0)) > 0);

        auto base = optionOf<QStyleOptionTabBarBase>(QRect(0, 0, 60, 10));
        base.shape = QTabBar::RoundedSouth;
        const QImage line = painted(
            QSize(60, 10), [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_FrameTabBarBase, &base, p); });
        QVERIFY_NEAR(line.pixelColor(30, 9), withAlpha(role(QPalette::Shadow), 0.4));
        QVERIFY_NEAR(line.pixelColor(30, 8), withAlpha(role(QPalette::Shadow), 0.25));
    }

    // An inactive sub-window frame takes the disabled group's colours.
    void windowFrame()
    {
        auto option = optionOf<QStyleOption>(QRect(0, 0, 60, 60), QStyle::State_None);
        option.palette.setColor(QPalette::Disabled, QPalette::Window, QColor(0x405060));
        const int top = m_style.pixelMetric(QStyle::PM_TitleBarHeight, &option);
        const QImage image =
            painted(QSize(60, 60), [&](QPainter* p) { m_style.drawPrimitive(QStyle::PE_FrameWindow, &option, p); });
        QCOMPARE(image.pixelColor(1, top + 5).rgba(), QColor(0x405060).darker(120).rgba());
        QCOMPARE(image.pixelColor(58, top + 5).rgba(), QColor(0x405060).darker(130).rgba());
    }
};

ZB_REGISTER_TEST(TestPlastiqueDrawing)
#include "TestPlastiqueDrawing.moc"
