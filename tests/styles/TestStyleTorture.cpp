#include "QPlastiqueStyleLocal.h"
#include "QWindowsStyleLocal.h"
#include "ZbTestRegistry.h"

#include <QBitmap>
#include <QImage>
#include <QLinearGradient>
#include <QMetaEnum>
#include <QPainter>
#include <QStyleOption>
#include <QTest>

#include <climits>
#include <functional>
#include <memory>
#include <vector>

namespace {

// Every option class the styles look for, so that each element meets its
// own class and all the wrong ones. Options have no virtual destructor:
// each shared pointer deletes its own class.
std::vector<std::shared_ptr<QStyleOption>> optionsOfEveryClass()
{
    std::vector<std::shared_ptr<QStyleOption>> options;
    options.push_back(std::make_shared<QStyleOption>());
    options.push_back(std::make_shared<QStyleOptionButton>());
    options.push_back(std::make_shared<QStyleOptionFocusRect>());
    options.push_back(std::make_shared<QStyleOptionFrame>());
    options.push_back(std::make_shared<QStyleOptionTabWidgetFrame>());
    options.push_back(std::make_shared<QStyleOptionTabBarBase>());
    options.push_back(std::make_shared<QStyleOptionHeader>());
    options.push_back(std::make_shared<QStyleOptionTab>());
    options.push_back(std::make_shared<QStyleOptionToolBar>());
    options.push_back(std::make_shared<QStyleOptionProgressBar>());
    options.push_back(std::make_shared<QStyleOptionMenuItem>());
    options.push_back(std::make_shared<QStyleOptionDockWidget>());
    options.push_back(std::make_shared<QStyleOptionViewItem>());
    options.push_back(std::make_shared<QStyleOptionToolBox>());
    options.push_back(std::make_shared<QStyleOptionRubberBand>());
    options.push_back(std::make_shared<QStyleOptionSlider>());
    options.push_back(std::make_shared<QStyleOptionSpinBox>());
    options.push_back(std::make_shared<QStyleOptionToolButton>());
    options.push_back(std::make_shared<QStyleOptionComboBox>());
    options.push_back(std::make_shared<QStyleOptionTitleBar>());
    options.push_back(std::make_shared<QStyleOptionGroupBox>());
    options.push_back(std::make_shared<QStyleOptionSizeGrip>());
    return options;
}

// Turns every switch on: all state bits, all sub-controls active, ticks on
// both sides, a spin box with nothing to step, a tool bar alone everywhere.
void everything(QStyleOption* option)
{
    option->state = QStyle::State(~0u);
    option->direction = Qt::RightToLeft;
    if (auto* complex = qstyleoption_cast<QStyleOptionComplex*>(option)) {
        complex->subControls = QStyle::SC_All;
        complex->activeSubControls = QStyle::SC_All;
    }
    if (auto* slider = qstyleoption_cast<QStyleOptionSlider*>(option)) {
        slider->tickPosition = QSlider::TicksBothSides;
        slider->minimum = -5;
        slider->maximum = 5;
        slider->sliderPosition = slider->sliderValue = 9;
    }
    if (auto* spinBox = qstyleoption_cast<QStyleOptionSpinBox*>(option)) {
        spinBox->buttonSymbols = QAbstractSpinBox::PlusMinus;
        spinBox->stepEnabled = QAbstractSpinBox::StepNone;
    }
    if (auto* tab = qstyleoption_cast<QStyleOptionTab*>(option)) {
        tab->shape = QTabBar::RoundedEast;
        tab->position = QStyleOptionTab::OnlyOneTab;
        tab->selectedPosition = QStyleOptionTab::NextIsSelected;
    }
    if (auto* toolBar = qstyleoption_cast<QStyleOptionToolBar*>(option)) {
        toolBar->toolBarArea = Qt::BottomToolBarArea;
        toolBar->positionOfLine = QStyleOptionToolBar::OnlyOne;
        toolBar->positionWithinLine = QStyleOptionToolBar::OnlyOne;
    }
    if (auto* frame = qstyleoption_cast<QStyleOptionFrame*>(option))
        frame->lineWidth = 2;
}

// Everything at its limits: ranges spanning all of int, minimum above
// maximum, huge pages, and a palette of gradient, texture (of every depth)
// and empty brushes.
void extremes(QStyleOption* option, int variant)
{
    everything(option);
    if (auto* slider = qstyleoption_cast<QStyleOptionSlider*>(option)) {
        const bool full = variant % 2 == 0;
        slider->minimum = full ? INT_MIN : 7;
        slider->maximum = full ? INT_MAX : 3;
        slider->pageStep = full ? 1 : INT_MAX;
        slider->singleStep = INT_MAX;
        slider->sliderPosition = slider->sliderValue = full ? INT_MAX : INT_MIN;
    }
    if (auto* titleBar = qstyleoption_cast<QStyleOptionTitleBar*>(option)) {
        titleBar->titleBarFlags = Qt::WindowFlags(~0u);
        titleBar->titleBarState = variant % 2 == 0 ? int(Qt::WindowMinimized) : int(Qt::WindowMaximized);
    }
    QLinearGradient gradient(0, 0, 0, 10);
    gradient.setColorAt(0, Qt::red);
    gradient.setColorAt(1, QColor(0, 0, 255, 40));
    QRadialGradient radial(5, 5, 5);
    radial.setColorAt(0.5, Qt::green);
    QImage indexed(5, 3, QImage::Format_Indexed8);
    indexed.setColorTable({0xff102030u, 0x80405060u});
    indexed.fill(1);
    const QBrush brushes[] = {QBrush(gradient), QBrush(QPixmap::fromImage(indexed)), QBrush(Qt::NoBrush),
                              QBrush(radial), QBrush(QBitmap(3, 3)),
                              QBrush(QPixmap::fromImage(QImage(4, 2, QImage::Format_RGB16)))};
    constexpr int BRUSHES = sizeof(brushes) / sizeof(brushes[0]);
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        option->palette.setBrush(QPalette::ColorRole(role), brushes[(role + variant) % BRUSHES]);
}

template <typename Enum> std::vector<int> valuesOf()
{
    const QMetaEnum meta = QMetaEnum::fromType<Enum>();
    std::vector<int> values;
    for (int i = 0; i < meta.keyCount(); ++i)
        values.push_back(meta.value(i));
    // One beyond the custom base too: a value no style knows.
    values.push_back(values.back() + 1);
    return values;
}

// Empty, tiny (shorter than three scroll buttons, title bars under 7
// pixels), odd and huge.
const QRect RECTS[] = {QRect(0, 0, 0, 0),  QRect(0, 0, 1, 1),       QRect(2, 2, 3, 3),
                       QRect(0, 0, 40, 6), QRect(-10, 4, 5000, 20), QRect(0, 0, 6, 40)};

void addStyleRows()
{
    QTest::addColumn<QString>("styleName");
    QTest::addColumn<bool>("strictRects");
}

std::unique_ptr<QStyle> makeStyle(const QString& name)
{
    if (name == QLatin1String("Plastique"))
        return std::make_unique<QPlastiqueStyleLocal>();
    return std::make_unique<QWindowsStyleLocal>();
}

const char* const STYLE_NAMES[] = {"Windows", "Plastique"};

// The complex controls whose parts the Plastique style places itself; the
// others are the common style's.
bool placedHere(int control)
{
    return control == QStyle::CC_SpinBox || control == QStyle::CC_ComboBox || control == QStyle::CC_ScrollBar
        || control == QStyle::CC_Slider || control == QStyle::CC_TitleBar;
}

void silent(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

class TestStyleTorture : public QObject
{
    Q_OBJECT

    // Runs the call once for every option class, with nothing set, with
    // everything set and with everything at its limits, on every rectangle.
    static int forEveryOption(const std::function<void(const QStyleOption*)>& call)
    {
        const int fills = 4;
        int calls = 0;
        for (int fill = 0; fill < fills; ++fill) {
            const auto options = optionsOfEveryClass();
            for (const auto& option : options) {
                if (fill == 1)
                    everything(option.get());
                else if (fill > 1)
                    extremes(option.get(), fill);
                for (const QRect& rect : RECTS) {
                    option->rect = rect;
                    call(option.get());
                    ++calls;
                }
            }
        }
        return calls;
    }

private slots:
    void initTestCase() { qInstallMessageHandler(&silent); }
    void cleanupTestCase() { qInstallMessageHandler(nullptr); }

    void drawingSurvivesEveryOption_data()
    {
        QTest::addColumn<QString>("styleName");
        QTest::addColumn<QTransform>("transform");
        for (const char* style : STYLE_NAMES) {
            QTest::addRow("%s translated", style) << QString::fromLatin1(style) << QTransform::fromTranslate(7, 5);
            QTest::addRow("%s scaled by 2", style) << QString::fromLatin1(style) << QTransform::fromScale(2, 2);
            QTest::addRow("%s rotated by 30 degrees", style)
                << QString::fromLatin1(style) << QTransform().rotate(30);
        }
    }

    // Every element of the three drawing operations, with every option
    // class, tiny and huge rectangles and no widget: nothing crashes, and
    // the painter's transform comes back as it was given.
    void drawingSurvivesEveryOption()
    {
        QFETCH(QString, styleName);
        QFETCH(QTransform, transform);
        const std::unique_ptr<QStyle> style = makeStyle(styleName);
        const QStyle& m_style = *style;
        QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setTransform(transform);
        int calls = 0;
        int transformsLeftChanged = 0;
        const auto check = [&] {
            if (painter.worldTransform() != transform) {
                ++transformsLeftChanged;
                painter.setTransform(transform);
            }
        };
        for (const int element : valuesOf<QStyle::PrimitiveElement>())
            calls += forEveryOption([&](const QStyleOption* option) {
                m_style.drawPrimitive(QStyle::PrimitiveElement(element), option, &painter);
                check();
            });
        for (const int element : valuesOf<QStyle::ControlElement>())
            calls += forEveryOption([&](const QStyleOption* option) {
                m_style.drawControl(QStyle::ControlElement(element), option, &painter);
                check();
            });
        for (const int control : valuesOf<QStyle::ComplexControl>())
            calls += forEveryOption([&](const QStyleOption* option) {
                // Complex drawing takes complex options only; the rest meet
                // it through a plain complex option of the same state.
                if (const auto* complex = qstyleoption_cast<const QStyleOptionComplex*>(option)) {
                    m_style.drawComplexControl(QStyle::ComplexControl(control), complex, &painter);
                } else {
                    QStyleOptionComplex plain;
                    plain.QStyleOption::operator=(*option);
                    m_style.drawComplexControl(QStyle::ComplexControl(control), &plain, &painter);
                }
                check();
            });
        painter.end();
        QCOMPARE(transformsLeftChanged, 0);
        QVERIFY(calls > 10000);
    }

    void geometryMetricsAndHints_data()
    {
        addStyleRows();
        // The Windows style leaves what it does not place to the common
        // style, whose tiny rectangles may be negative.
        QTest::newRow("Windows") << QStringLiteral("Windows") << false;
        QTest::newRow("Plastique") << QStringLiteral("Plastique") << true;
    }

    // The geometry and the answers, with the same options; metrics and hints
    // also with no option at all, hints with every kind of answer to fill.
    // The Plastique style's sub-controls are never negative rectangles.
    void geometryMetricsAndHints()
    {
        QFETCH(QString, styleName);
        QFETCH(bool, strictRects);
        const std::unique_ptr<QStyle> style = makeStyle(styleName);
        const QStyle& m_style = *style;
        int calls = 0;
        QStringList negative;
        for (const int element : valuesOf<QStyle::SubElement>())
            calls += forEveryOption([&](const QStyleOption* option) {
                m_style.subElementRect(QStyle::SubElement(element), option);
            });
        const std::vector<int> subControls = valuesOf<QStyle::SubControl>();
        for (const int control : valuesOf<QStyle::ComplexControl>())
            calls += forEveryOption([&](const QStyleOption* option) {
                const auto* complex = qstyleoption_cast<const QStyleOptionComplex*>(option);
                if (!complex)
                    return;
                for (const int part : subControls) {
                    const QRect rect =
                        m_style.subControlRect(QStyle::ComplexControl(control), complex, QStyle::SubControl(part));
                    if (placedHere(control) && (rect.width() < 0 || rect.height() < 0) && negative.size() < 5)
                        negative << QStringLiteral("control %1 part %2 in %3x%4: %5x%6")
                                        .arg(control)
                                        .arg(part)
                                        .arg(option->rect.width())
                                        .arg(option->rect.height())
                                        .arg(rect.width())
                                        .arg(rect.height());
                }
                m_style.hitTestComplexControl(QStyle::ComplexControl(control), complex, option->rect.center());
            });
        for (const int type : valuesOf<QStyle::ContentsType>())
            calls += forEveryOption([&](const QStyleOption* option) {
                for (const QSize& size : {QSize(0, 0), QSize(-1, -1), QSize(5000, 20)})
                    m_style.sizeFromContents(QStyle::ContentsType(type), option, size);
            });
        for (const int metric : valuesOf<QStyle::PixelMetric>()) {
            m_style.pixelMetric(QStyle::PixelMetric(metric));
            calls += forEveryOption(
                [&](const QStyleOption* option) { m_style.pixelMetric(QStyle::PixelMetric(metric), option); });
        }
        for (const int hint : valuesOf<QStyle::StyleHint>()) {
            QStyleHintReturnMask mask;
            QStyleHintReturnVariant variant;
            QStyleHintReturn plain;
            for (QStyleHintReturn* answer : {static_cast<QStyleHintReturn*>(nullptr),
                                             static_cast<QStyleHintReturn*>(&mask),
                                             static_cast<QStyleHintReturn*>(&variant), &plain}) {
                m_style.styleHint(QStyle::StyleHint(hint), nullptr, nullptr, answer);
                calls += forEveryOption([&](const QStyleOption* option) {
                    m_style.styleHint(QStyle::StyleHint(hint), option, nullptr, answer);
                });
            }
        }
        QVERIFY(calls > 10000);
        if (strictRects)
            QVERIFY2(negative.isEmpty(), qPrintable(negative.join(QStringLiteral("; "))));
    }
};

ZB_REGISTER_TEST(TestStyleTorture)
#include "TestStyleTorture.moc"
