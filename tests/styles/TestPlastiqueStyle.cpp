#include "QPlastiqueStyleLocal.h"
#include "StyleTools.h"
#include "ZbTestRegistry.h"

#include <QCheckBox>
#include <QDockWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyleOption>
#include <QTest>
#include <QToolBar>
#include <QToolBox>
#include <QVBoxLayout>

#include <climits>

namespace {

using CT = QSizePolicy;

// Sets the program-wide minimum control size for one scope.
class MinimumSize
{
public:
    explicit MinimumSize(const QSize& size) { StyleTools::setMinimumControlSize(size); }
    ~MinimumSize() { StyleTools::setMinimumControlSize(QSize(0, 0)); }
    MinimumSize(const MinimumSize&) = delete;
    MinimumSize& operator=(const MinimumSize&) = delete;
};

QStyleOptionSlider scrollBar(Qt::Orientation orientation, const QSize& size, int minimum, int maximum, int page,
                             int position = 0)
{
    QStyleOptionSlider option;
    option.orientation = orientation;
    option.rect = QRect(QPoint(0, 0), size);
    option.minimum = minimum;
    option.maximum = maximum;
    option.pageStep = page;
    option.sliderPosition = option.sliderValue = position;
    option.state = QStyle::State_Enabled | (orientation == Qt::Horizontal ? QStyle::State_Horizontal
                                                                          : QStyle::State_None);
    return option;
}

// A class whose name only says what it is, as the style knows dock
// separators.
class QDockWidgetSeparator : public QWidget
{
    Q_OBJECT
};

} // namespace

class TestPlastiqueStyle : public QObject
{
    Q_OBJECT

    QPlastiqueStyleLocal m_style;

private slots:
    // What the themes and the main window find of the class: its names, its
    // base for qt_metacast, its step and its two slots, which answer when
    // invoked through the meta-object.
    void identity()
    {
        QCOMPARE(m_style.objectName(), QStringLiteral("Plastique"));
        QCOMPARE(m_style.metaObject()->className(), "QPlastiqueStyleLocal");
        QVERIFY(m_style.qt_metacast("QWindowsStyleLocal"));
        QCOMPARE(m_style.busyAnimationStep, 1);
        int icons = 0;
        int spacings = 0;
        const QMetaObject* meta = m_style.metaObject();
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QByteArray name = meta->method(i).name();
            icons += name == "standardIconImplementation";
            spacings += name == "layoutSpacingImplementation";
        }
        QCOMPARE(icons, 3);
        QCOMPARE(spacings, 3);
        int spacing = 0;
        QVERIFY(QMetaObject::invokeMethod(&m_style, "layoutSpacingImplementation", Q_RETURN_ARG(int, spacing),
                                          Q_ARG(QSizePolicy::ControlType, CT::CheckBox),
                                          Q_ARG(QSizePolicy::ControlType, CT::CheckBox),
                                          Q_ARG(Qt::Orientation, Qt::Vertical)));
        QCOMPARE(spacing, 2);
    }

    // Every colour of the table in all three groups; AlternateBase follows
    // each group's Base.
    void standardPalette()
    {
        const QPalette palette = m_style.standardPalette();
        const struct
        {
            QPalette::ColorRole role;
            QRgb normal;
            QRgb disabled;
        } roles[] = {
            {QPalette::WindowText, 0x000000, 0x808080}, {QPalette::Button, 0xdddfe4, 0xdddfe4},
            {QPalette::Light, 0xffffff, 0xffffff},      {QPalette::Midlight, 0xffffff, 0xffffff},
            {QPalette::Dark, 0x555555, 0x555555},       {QPalette::Mid, 0xc7c7c7, 0xc7c7c7},
            {QPalette::Text, 0x000000, 0xc7c7c7},       {QPalette::BrightText, 0xffffff, 0xffffff},
            {QPalette::ButtonText, 0x000000, 0x808080}, {QPalette::Base, 0xffffff, 0xefefef},
            {QPalette::Window, 0xefefef, 0xefefef},     {QPalette::Shadow, 0x000000, 0x000000},
            {QPalette::Highlight, 0x678db2, 0x567594},  {QPalette::HighlightedText, 0xffffff, 0xffffff},
            {QPalette::Link, 0x0000ee, 0x0000ee},       {QPalette::LinkVisited, 0x52188b, 0x52188b},
        };
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            for (const auto& r : roles) {
                const QRgb expected = 0xff000000u | (group == QPalette::Disabled ? r.disabled : r.normal);
                QCOMPARE(palette.color(group, r.role).rgba(), expected);
            }
            QCOMPARE(palette.color(group, QPalette::AlternateBase),
                     palette.color(group, QPalette::Base).darker(110));
        }
    }

    void metrics_data()
    {
        QTest::addColumn<int>("metric");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<int>("expected");
        const QSize none(0, 0);
        const QSize large(40, 40);
        QTest::newRow("scroll bar") << int(QStyle::PM_ScrollBarExtent) << none << 16;
        QTest::newRow("scroll bar raised") << int(QStyle::PM_ScrollBarExtent) << large << 20;
        QTest::newRow("small icon raised") << int(QStyle::PM_SmallIconSize) << large << 80;
        QTest::newRow("splitter") << int(QStyle::PM_SplitterWidth) << none << 6;
        QTest::newRow("slider min") << int(QStyle::PM_ScrollBarSliderMin) << large << 26;
        QTest::newRow("drag distance") << int(QStyle::PM_MaximumDragDistance) << large << -1;
        QTest::newRow("layout spacing") << int(QStyle::PM_LayoutHorizontalSpacing) << none << -1;
        QTest::newRow("dock title margin") << int(QStyle::PM_DockWidgetTitleMargin) << none << 2;
        QTest::newRow("default indicator") << int(QStyle::PM_ButtonDefaultIndicator) << none << 0;
        QTest::newRow("tick offset") << int(QStyle::PM_SliderTickmarkOffset) << none << 5;
        QTest::newRow("slider space") << int(QStyle::PM_SliderSpaceAvailable) << none << 16;
        QTest::newRow("child margin") << int(QStyle::PM_LayoutLeftMargin) << none << 9;
        QTest::newRow("title bar, empty font") << int(QStyle::PM_TitleBarHeight) << none << 30;
    }

    // The table, the special cases and the minimum rule, with no widget.
    void metrics()
    {
        QFETCH(int, metric);
        QFETCH(QSize, minimum);
        QFETCH(int, expected);
        MinimumSize scope(minimum);
        QCOMPARE(m_style.pixelMetric(QStyle::PixelMetric(metric)), expected);
    }

    void metricsFromOptions()
    {
        QStyleOptionSlider slider;
        slider.tickPosition = QSlider::TicksBothSides;
        QCOMPARE(m_style.pixelMetric(QStyle::PM_SliderSpaceAvailable, &slider), 17);
        QStyleOption window;
        window.state = QStyle::State_Window;
        QCOMPARE(m_style.pixelMetric(QStyle::PM_LayoutBottomMargin, &window), 11);
        QWidget alone;
        QCOMPARE(m_style.pixelMetric(QStyle::PM_LayoutTopMargin, nullptr, &alone), 11);
        QStyleOptionTitleBar titleBar;
        QFont big;
        big.setPixelSize(60);
        titleBar.fontMetrics = QFontMetrics(big);
        QVERIFY(m_style.pixelMetric(QStyle::PM_TitleBarHeight, &titleBar) > 30);
    }

    void frameMask_data()
    {
        QTest::addColumn<bool>("minimized");
        QTest::addColumn<QList<QPoint>>("missing");
        QTest::newRow("normal") << false
                                << QList<QPoint>{{0, 0}, {1, 0}, {98, 0}, {99, 0}, {0, 1}, {99, 1}, {0, 19}, {99, 19}};
        QTest::newRow("minimized")
            << true
            << QList<QPoint>{{0, 0}, {1, 0}, {98, 0}, {99, 0}, {0, 1}, {99, 1}, {0, 19}, {1, 19}, {98, 19}, {99, 19},
                             {0, 18}, {99, 18}};
    }

    // The window-frame mask lacks exactly the rounded corners' pixels.
    void frameMask()
    {
        QFETCH(bool, minimized);
        QFETCH(QList<QPoint>, missing);
        QStyleOptionTitleBar option;
        option.rect = QRect(0, 0, 100, 20);
        option.titleBarState = minimized ? int(Qt::WindowMinimized) : 0;
        QStyleHintReturnMask mask;
        QCOMPARE(m_style.styleHint(QStyle::SH_WindowFrame_Mask, &option, nullptr, &mask), 1);
        QList<QPoint> lacking;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 100; ++x)
                if (!mask.region.contains(QPoint(x, y)))
                    lacking << QPoint(x, y);
        std::sort(missing.begin(), missing.end(),
                  [](QPoint a, QPoint b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); });
        QCOMPARE(lacking, missing);
        QCOMPARE(m_style.styleHint(QStyle::SH_WindowFrame_Mask, &option), 1);
    }

    void hints()
    {
        QCOMPARE(m_style.styleHint(QStyle::SH_Menu_SubMenuPopupDelay), 96);
        QCOMPARE(m_style.styleHint(QStyle::SH_MessageBox_TextInteractionFlags), 5);
        QCOMPARE(m_style.styleHint(QStyle::SH_FormLayoutFormAlignment), 0x21);
        QCOMPARE(m_style.styleHint(QStyle::SH_FormLayoutFieldGrowthPolicy), 1);
        QCOMPARE(m_style.styleHint(QStyle::SH_MainWindow_SpaceBelowMenuBar), 0);
        QCOMPARE(m_style.styleHint(QStyle::SH_ItemView_ArrowKeysNavigateIntoChildren), 1);
    }

    // Hover by class (subclasses too) and by class name; tool bars and
    // their children take the window background, and give it back.
    void polishing()
    {
        class MyButton : public QPushButton
        {
        };
        MyButton button;
        QDockWidgetSeparator separator;
        QLabel label;
        QToolBar bar;
        auto* child = new QLabel(&bar);
        QToolBox box;
        for (QWidget* widget : std::initializer_list<QWidget*>{&button, &separator, &label, &bar, child, &box})
            m_style.polish(widget);
        QVERIFY(button.testAttribute(Qt::WA_Hover));
        QVERIFY(separator.testAttribute(Qt::WA_Hover));
        QVERIFY(!label.testAttribute(Qt::WA_Hover));
        QCOMPARE(bar.backgroundRole(), QPalette::Window);
        QCOMPARE(child->backgroundRole(), QPalette::Window);
        for (QWidget* widget : std::initializer_list<QWidget*>{&button, &separator, &label, &bar, child, &box})
            m_style.unpolish(widget);
        QVERIFY(!button.testAttribute(Qt::WA_Hover));
        QVERIFY(!separator.testAttribute(Qt::WA_Hover));
        QCOMPARE(child->backgroundRole(), QPalette::Button);
        QCOMPARE(bar.backgroundRole(), QPalette::Button);
        QCOMPARE(box.backgroundRole(), QPalette::Button);
    }

    void layoutSpacing_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("expected");
        const int h = Qt::Horizontal;
        const int v = Qt::Vertical;
        QTest::newRow("to a button box") << int(CT::Label) << int(CT::ButtonBox) << v << 11;
        QTest::newRow("push buttons across") << int(CT::PushButton) << int(CT::Label) << h << 10;
        QTest::newRow("push buttons down") << int(CT::Label) << int(CT::PushButton) << v << 9;
        QTest::newRow("label, line edit across") << int(CT::Label) << int(CT::LineEdit) << h << 5;
        QTest::newRow("label, line edit down") << int(CT::Label) << int(CT::LineEdit) << v << 5;
        QTest::newRow("check boxes across") << int(CT::CheckBox) << int(CT::CheckBox) << h << 8;
        QTest::newRow("check boxes down") << int(CT::CheckBox) << int(CT::CheckBox) << v << 2;
        QTest::newRow("radio buttons down") << int(CT::RadioButton) << int(CT::RadioButton) << v << 1;
        QTest::newRow("frame, label down") << int(CT::Frame) << int(CT::Label) << v << 11;
        QTest::newRow("slider, label") << int(CT::Slider) << int(CT::Label) << v << 7;
        QTest::newRow("otherwise") << int(CT::ToolButton) << int(CT::Label) << v << 6;
    }

    // The rule answers both through the slot and through the virtual that
    // Qt 6 layouts ask; before, the virtual gave -1 and layouts left no room.
    void layoutSpacing()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(int, orientation);
        QFETCH(int, expected);
        const QStyle& style = m_style;
        QCOMPARE(m_style.layoutSpacingImplementation(CT::ControlType(first), CT::ControlType(second),
                                                     Qt::Orientation(orientation)),
                 expected);
        QCOMPARE(style.layoutSpacing(CT::ControlType(first), CT::ControlType(second), Qt::Orientation(orientation)),
                 expected);
    }

    // A real layout of two check boxes leaves 8 pixels between them.
    void layoutSpacingInALayout()
    {
        QWidget window;
        window.setStyle(&m_style);
        auto* layout = new QHBoxLayout(&window);
        auto* first = new QCheckBox(QStringLiteral("Un"));
        auto* second = new QCheckBox(QStringLiteral("Deux"));
        first->setStyle(&m_style);
        second->setStyle(&m_style);
        layout->addWidget(first);
        layout->addWidget(second);
        layout->addStretch();
        window.resize(400, 60);
        layout->activate();
        QCOMPARE(second->geometry().left() - first->geometry().right() - 1, 8);
    }

    void sizes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QSize>("contents");
        QTest::addColumn<QSize>("atLeast");
        QTest::newRow("push button raised to 1.8 M")
            << int(QStyle::CT_PushButton) << QSize(30, 30) << QSize(1, 1) << QSize(54, 54);
        QTest::newRow("check box raised to M") << int(QStyle::CT_CheckBox) << QSize(30, 30) << QSize(1, 1)
                                               << QSize(30, 30);
        QTest::newRow("line edit raised to M") << int(QStyle::CT_LineEdit) << QSize(50, 50) << QSize(1, 1)
                                               << QSize(50, 50);
    }

    void sizes()
    {
        QFETCH(int, type);
        QFETCH(QSize, minimum);
        QFETCH(QSize, contents);
        QFETCH(QSize, atLeast);
        QStyleOptionButton option;
        const QSize before = m_style.sizeFromContents(QStyle::ContentsType(type), &option, contents);
        MinimumSize scope(minimum);
        const QSize after = m_style.sizeFromContents(QStyle::ContentsType(type), &option, contents);
        QVERIFY(after.width() >= atLeast.width() && after.height() >= atLeast.height());
        QCOMPARE(after, before.expandedTo(atLeast));
    }

    // The base sizes grow as the table says: radio buttons by 1, tool
    // buttons by 3 (10 by 9 around the contents), combo boxes by 30 by 4
    // over a push button, spin boxes always odd, scroll bars 3E + N long.
    void sizesOverTheBase()
    {
        QWindowsStyleLocal windows;
        QStyleOptionButton button;
        button.text = QStringLiteral("x");
        const QSize contents(40, 14);
        QCOMPARE(m_style.sizeFromContents(QStyle::CT_RadioButton, &button, contents),
                 windows.sizeFromContents(QStyle::CT_RadioButton, &button, contents) + QSize(1, 1));
        QStyleOptionToolButton tool;
        QCOMPARE(m_style.sizeFromContents(QStyle::CT_ToolButton, &tool, contents), contents + QSize(10, 9));
        QStyleOptionComboBox combo;
        QCOMPARE(m_style.sizeFromContents(QStyle::CT_ComboBox, &combo, contents),
                 m_style.sizeFromContents(QStyle::CT_PushButton, &combo, contents) + QSize(30, 4));
        QStyleOptionSpinBox spin;
        for (int height = 14; height <= 17; ++height) {
            const int edit = m_style.sizeFromContents(QStyle::CT_LineEdit, &spin, QSize(40, height)).height();
            const int made = m_style.sizeFromContents(QStyle::CT_SpinBox, &spin, QSize(40, height)).height();
            QCOMPARE(made % 2, 1);
            QCOMPARE(made, edit % 2 == 0 ? edit - 1 : edit);
        }
        const QStyleOptionSlider bar = scrollBar(Qt::Vertical, QSize(16, 200), 0, 10, 1);
        QCOMPARE(m_style.sizeFromContents(QStyle::CT_ScrollBar, &bar, QSize()), QSize(16, 74));
        QStyleOptionMenuItem separator;
        separator.menuItemType = QStyleOptionMenuItem::Separator;
        QCOMPARE(m_style.sizeFromContents(QStyle::CT_MenuItem, &separator, QSize(30, 20)).height(), 2);
        QCOMPARE(m_style.subElementRect(QStyle::SE_PushButtonFocusRect, &button), QRect());
    }

    void scrollBarParts_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        for (const int orientation : {int(Qt::Horizontal), int(Qt::Vertical)}) {
            const char* name = orientation == Qt::Horizontal ? "across" : "down";
            const int ltr = Qt::LeftToRight;
            QTest::addRow("%s: slider", name) << orientation << ltr << int(QStyle::SC_ScrollBarSlider) << 16 << 41;
            QTest::addRow("%s: add page", name) << orientation << ltr << int(QStyle::SC_ScrollBarAddPage) << 42
                                                << 167;
            QTest::addRow("%s: sub line", name) << orientation << ltr << int(QStyle::SC_ScrollBarSubLine) << 0
                                                << 183;
            QTest::addRow("%s: add line", name) << orientation << ltr << int(QStyle::SC_ScrollBarAddLine) << 184
                                                << 199;
            QTest::addRow("%s: groove", name) << orientation << ltr << int(QStyle::SC_ScrollBarGroove) << 16 << 167;
        }
        QTest::newRow("right to left: add line")
            << int(Qt::Horizontal) << int(Qt::RightToLeft) << int(QStyle::SC_ScrollBarAddLine) << 0 << 15;
        QTest::newRow("right to left: slider")
            << int(Qt::Horizontal) << int(Qt::RightToLeft) << int(QStyle::SC_ScrollBarSlider) << 158 << 183;
    }

    // A bar 200 long, 16 thick, range 0 to 100, page 10, at 0: the slider
    // is raised to its minimum of 26 and the second sub-line button sits
    // before the add-line button.
    void scrollBarParts()
    {
        QFETCH(int, orientation);
        QFETCH(int, direction);
        QFETCH(int, part);
        QFETCH(int, from);
        QFETCH(int, to);
        const bool across = orientation == Qt::Horizontal;
        QStyleOptionSlider option =
            scrollBar(Qt::Orientation(orientation), across ? QSize(200, 16) : QSize(16, 200), 0, 100, 10);
        option.direction = Qt::LayoutDirection(direction);
        const QRect rect = m_style.subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SubControl(part));
        QCOMPARE(across ? rect.left() : rect.top(), from);
        QCOMPARE(across ? rect.right() : rect.bottom(), to);
        QCOMPARE(across ? rect.height() : rect.width(), 16);
    }

    void scrollBarHits_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("expected");
        QTest::newRow("first button") << 5 << int(QStyle::SC_ScrollBarSubLine);
        QTest::newRow("slider") << 20 << int(QStyle::SC_ScrollBarSlider);
        QTest::newRow("page") << 100 << int(QStyle::SC_ScrollBarAddPage);
        QTest::newRow("second sub-line button") << 175 << int(QStyle::SC_ScrollBarSubLine);
        QTest::newRow("add line") << 190 << int(QStyle::SC_ScrollBarAddLine);
    }

    void scrollBarHits()
    {
        QFETCH(int, x);
        QFETCH(int, expected);
        const QStyleOptionSlider option = scrollBar(Qt::Horizontal, QSize(200, 16), 0, 100, 10);
        QCOMPARE(int(m_style.hitTestComplexControl(QStyle::CC_ScrollBar, &option, QPoint(x, 8))), expected);
    }

    void sliderLength_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("expected");
        QTest::newRow("no range: the whole room") << 5 << 5 << 10 << 152;
        QTest::newRow("half the range") << 0 << 100 << 100 << 76;
        QTest::newRow("huge range") << 0 << 0x40000000 << 0x40000000 << 26;
        QTest::newRow("all of int, page 1") << INT_MIN << INT_MAX << 1 << 26;
        // page x room passes 2^31: 76 when taken in 64 bits.
        QTest::newRow("product beyond 32 bits") << 0 << 0x3fffffff << 0x3fffffff << 76;
        QTest::newRow("page far beyond the range") << 0 << 10 << 1000000 << 151;
    }

    // The slider's length over a bar with 152 pixels of room; the last two
    // rows divided by zero or wrapped the product before the mend.
    void sliderLength()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, page);
        QFETCH(int, expected);
        const QStyleOptionSlider option = scrollBar(Qt::Horizontal, QSize(200, 16), minimum, maximum, page, minimum);
        const QRect slider = m_style.subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider);
        QCOMPARE(slider.width(), expected);
        QCOMPARE(slider.left(), 16);
        // A real bar over the whole int range paints and lays out.
        QScrollBar bar(Qt::Horizontal);
        bar.setStyle(&m_style);
        bar.setRange(minimum, maximum);
        bar.setPageStep(page);
        bar.resize(200, 16);
        QVERIFY(!bar.grab().isNull());
    }

    // A bar shorter than its three buttons shares its length among them.
    void tinyScrollBar()
    {
        const QStyleOptionSlider option = scrollBar(Qt::Horizontal, QSize(30, 16), 0, 100, 10);
        const QRect addLine = m_style.subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(addLine, QRect(20, 0, 10, 16));
        QCOMPARE(m_style.subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider).width(), 0);
    }

    void spinBoxParts()
    {
        QStyleOptionSpinBox option;
        option.rect = QRect(0, 0, 80, 21);
        QCOMPARE(m_style.subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp),
                 QRect(QPoint(63, 0), QPoint(79, 10)));
        QCOMPARE(m_style.subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxDown),
                 QRect(QPoint(63, 10), QPoint(79, 20)));
        QCOMPARE(m_style.subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField),
                 QRect(QPoint(2, 2), QPoint(61, 18)));
        option.buttonSymbols = QAbstractSpinBox::NoButtons;
        QVERIFY(m_style.subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp).isNull());
        QVERIFY(m_style.subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxDown).isNull());
        QCOMPARE(m_style.subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField),
                 QRect(QPoint(2, 2), QPoint(77, 18)));
    }

    void comboBoxParts()
    {
        QStyleOptionComboBox option;
        option.rect = QRect(0, 0, 120, 24);
        const QRect arrow = m_style.subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow);
        QCOMPARE(arrow.width(), 19);
        QCOMPARE(m_style.subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField),
                 QRect(QPoint(4, 2), QPoint(99, 21)));
        option.state |= QStyle::State_Sunken;
        QCOMPARE(m_style.subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField),
                 QRect(QPoint(5, 3), QPoint(100, 22)));
        option.editable = true;
        QCOMPARE(m_style.subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField),
                 QRect(QPoint(2, 2), QPoint(101, 21)));
    }

    void titleBarButtons_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("left");
        const int menu = Qt::WindowSystemMenuHint;
        const int all = menu | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowShadeButtonHint
            | Qt::WindowContextHelpButtonHint;
        // X is 99; buttons are 13 wide, 14 apart; offset O puts the left
        // edge at 96 - O.
        QTest::newRow("close alone") << menu << 0 << int(QStyle::SC_TitleBarCloseButton) << 82;
        QTest::newRow("shade after close") << all << 0 << int(QStyle::SC_TitleBarShadeButton) << 68;
        QTest::newRow("maximize third") << all << 0 << int(QStyle::SC_TitleBarMaxButton) << 54;
        QTest::newRow("minimize fourth") << all << 0 << int(QStyle::SC_TitleBarMinButton) << 40;
        QTest::newRow("help fifth") << all << 0 << int(QStyle::SC_TitleBarContextHelpButton) << 26;
        // Minimized: close, unshade, maximize, then normal.
        QTest::newRow("minimized: normal fourth")
            << all << int(Qt::WindowMinimized) << int(QStyle::SC_TitleBarNormalButton) << 40;
        QTest::newRow("minimized: no minimize button")
            << all << int(Qt::WindowMinimized) << int(QStyle::SC_TitleBarMinButton) << -1;
        QTest::newRow("help without its hint") << menu << 0 << int(QStyle::SC_TitleBarContextHelpButton) << 82;
        QTest::newRow("system menu at the left") << menu << 0 << int(QStyle::SC_TitleBarSysMenu) << 4;
    }

    // A title bar 20 high: 13-pixel buttons at top 4, laid out from the
    // right in the fixed order.
    void titleBarButtons()
    {
        QFETCH(int, flags);
        QFETCH(int, state);
        QFETCH(int, part);
        QFETCH(int, left);
        QStyleOptionTitleBar option;
        option.rect = QRect(0, 0, 100, 20);
        option.titleBarFlags = Qt::WindowFlags(flags);
        option.titleBarState = state;
        const QRect rect = m_style.subControlRect(QStyle::CC_TitleBar, &option, QStyle::SubControl(part));
        if (left < 0)
            QCOMPARE(rect, QCommonStyle().subControlRect(QStyle::CC_TitleBar, &option, QStyle::SubControl(part)));
        else
            QCOMPARE(rect, QRect(left, 4, 13, 13));
    }

    void titleBarLabel()
    {
        QStyleOptionTitleBar option;
        option.rect = QRect(0, 0, 200, 20);
        option.titleBarFlags = Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
        QCOMPARE(m_style.subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel),
                 QRect(QPoint(17, 0), QPoint(199 - 28 - 3, 19)));
        option.rect = QRect(0, 0, 20, 5);
        const QRect tiny = m_style.subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel);
        QVERIFY(tiny.width() >= 0 && tiny.height() >= 0);
    }

    void sliderParts()
    {
        QStyleOptionSlider option;
        option.orientation = Qt::Horizontal;
        option.rect = QRect(0, 0, 100, 30);
        option.maximum = 10;
        option.tickPosition = QSlider::TicksAbove;
        const QRect handle = m_style.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle);
        QCOMPARE(handle.size(), QSize(11, 15));
        QCOMPARE(handle.top(), 14 - 7 + 5);
        const QRect groove = m_style.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove);
        QCOMPARE(groove.height(), 14);
        QCOMPARE(groove.center().y(), 14 - 1 + 5);
    }
};

ZB_REGISTER_TEST(TestPlastiqueStyle)
#include "TestPlastiqueStyle.moc"
