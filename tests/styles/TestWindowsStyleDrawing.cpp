#include "WindowsStyleDrawingKit.h"
#include "ZbTestRegistry.h"

using namespace windowsdrawing;

class TestWindowsStyleDrawing : public QObject
{
    Q_OBJECT

    QWindowsStyleLocal m_style;

    // The options live here so that the drawing functions may refer to them;
    // each shared pointer deletes its own class (options have no virtual
    // destructor).
    std::vector<std::shared_ptr<QStyleOption>> m_options;
    std::vector<Case> m_cases;

    template <typename Option> Option& keep(Option option)
    {
        auto kept = std::make_shared<Option>(option);
        m_options.push_back(kept);
        return *kept;
    }

    void addCases()
    {
        using S = QStyle;
        const QRect r20x10(2, 2, 20, 10);
        m_cases.push_back({"default button frame",
                           {24, 14},
                           primitive(S::PE_FrameDefaultButton, keep(optionOf<QStyleOption>(r20x10))),
                           {{{2, 2}, SHADOW}, {{21, 11}, SHADOW}, {{21, 2}, SHADOW}, {{10, 6}, NONE}, {{22, 12}, NONE}}});

        m_cases.push_back(
            {"tool bar separator, horizontal bar",
             {8, 20},
             primitive(S::PE_IndicatorToolBarSeparator,
                       keep(optionOf<QStyleOption>({0, 0, 8, 20}, S::State_Enabled | S::State_Horizontal))),
             {{{4, 2}, DARK}, {{4, 17}, DARK}, {{5, 10}, LIGHT}, {{4, 1}, NONE}, {{4, 18}, NONE}, {{3, 10}, NONE}}});
        m_cases.push_back({"tool bar separator, vertical bar",
                           {20, 8},
                           primitive(S::PE_IndicatorToolBarSeparator, keep(optionOf<QStyleOption>({0, 0, 20, 8}))),
                           {{{2, 4}, DARK}, {{17, 4}, DARK}, {{10, 5}, LIGHT}, {{1, 4}, NONE}, {{18, 4}, NONE}}});

        m_cases.push_back({"tool bar handle: two raised bars",
                           {10, 20},
                           primitive(S::PE_IndicatorToolBarHandle,
                                     keep(optionOf<QStyleOption>({0, 0, 10, 20}, S::State_Horizontal))),
                           {{{1, 2}, LIGHT},
                            {{3, 17}, DARK},
                            {{4, 2}, LIGHT},
                            {{6, 17}, DARK},
                            {{2, 10}, NONE},
                            {{0, 10}, NONE},
                            {{7, 10}, NONE},
                            {{1, 1}, NONE}}});
        QStyleOption& reversedHandle = keep(optionOf<QStyleOption>({0, 0, 10, 20}, S::State_Horizontal));
        reversedHandle.direction = Qt::RightToLeft;
        m_cases.push_back({"tool bar handle, right to left",
                           {10, 20},
                           primitive(S::PE_IndicatorToolBarHandle, reversedHandle),
                           {{{2, 2}, LIGHT}, {{4, 17}, DARK}, {{5, 10}, NONE}}});
        m_cases.push_back({"tool bar handle too short",
                           {10, 4},
                           primitive(S::PE_IndicatorToolBarHandle,
                                     keep(optionOf<QStyleOption>({0, 0, 10, 4}, S::State_Horizontal))),
                           {{{1, 2}, NONE}, {{4, 2}, NONE}}});

        // Check marks in item views.
        auto& itemOn = keep(optionOf<QStyleOptionViewItem>({0, 0, 13, 13}, S::State_Enabled | S::State_On));
        std::vector<Probe> itemOnProbes = checkMark({0, 0}, TEXT, NONE);
        for (const QPoint p : {QPoint(1, 1), QPoint(11, 11), QPoint(1, 11), QPoint(11, 1)})
            itemOnProbes.push_back({p, TEXT});
        itemOnProbes.push_back({{12, 12}, NONE});
        m_cases.push_back({"item check", {13, 13}, primitive(S::PE_IndicatorItemViewItemCheck, itemOn), itemOnProbes});
        auto& itemSelected = keep(
            optionOf<QStyleOptionViewItem>({0, 0, 13, 13}, S::State_Enabled | S::State_On | S::State_Selected));
        itemSelected.showDecorationSelected = true;
        m_cases.push_back({"item check, selected row",
                           {13, 13},
                           primitive(S::PE_IndicatorItemViewItemCheck, itemSelected),
                           checkMark({0, 0}, HIGHLIGHTED_TEXT, NONE)});
        auto& itemPartly =
            keep(optionOf<QStyleOptionViewItem>({0, 0, 13, 13}, S::State_Enabled | S::State_NoChange));
        m_cases.push_back({"item check, partly checked",
                           {13, 13},
                           primitive(S::PE_IndicatorItemViewItemCheck, itemPartly),
                           checkMark({0, 0}, TEXT, BUTTON)});
        auto& itemOff = keep(optionOf<QStyleOptionViewItem>({0, 0, 13, 13}, S::State_Enabled | S::State_Off));
        m_cases.push_back({"item check, unchecked",
                           {13, 13},
                           primitive(S::PE_IndicatorItemViewItemCheck, itemOff),
                           checkMark({0, 0}, NONE, NONE)});

        // Tree branches around the centre (10, 10).
        const QRect branch(0, 0, 21, 21);
        std::vector<Probe> closedBox = {{{6, 6}, DARK},   {{14, 14}, DARK}, {{6, 14}, DARK}, {{14, 6}, DARK},
                                        {{8, 10}, DARK},  {{12, 10}, DARK}, {{10, 8}, DARK}, {{10, 12}, DARK},
                                        {{7, 7}, NONE},   {{7, 10}, NONE},  {{10, 13}, NONE}};
        closedBox.push_back(dots({17, 10}, DARK));
        closedBox.push_back(dots({10, 2}, DARK, {0, 1}));
        closedBox.push_back(dots({10, 17}, DARK, {0, 1}));
        m_cases.push_back({"branch with closed children",
                           {21, 21},
                           primitive(S::PE_IndicatorBranch,
                                     keep(optionOf<QStyleOption>(branch, S::State_Children | S::State_Item
                                                                             | S::State_Sibling))),
                           closedBox});
        m_cases.push_back({"branch with open children",
                           {21, 21},
                           primitive(S::PE_IndicatorBranch,
                                     keep(optionOf<QStyleOption>(branch, S::State_Children | S::State_Open))),
                           {{{8, 10}, DARK},
                            {{12, 10}, DARK},
                            {{10, 8}, NONE},
                            {{10, 12}, NONE},
                            {{17, 10}, NONE},
                            {{10, 17}, NONE},
                            dots({10, 2}, DARK, {0, 1})}});
        m_cases.push_back({"branch lines meet at the centre",
                           {21, 21},
                           primitive(S::PE_IndicatorBranch,
                                     keep(optionOf<QStyleOption>(branch, S::State_Item | S::State_Sibling))),
                           {dots({12, 10}, DARK), dots({10, 4}, DARK, {0, 1}), dots({10, 15}, DARK, {0, 1}),
                            {{8, 10}, NONE}, {{9, 9}, NONE}}});
        auto& reversedBranch = keep(optionOf<QStyleOption>(branch, S::State_Item));
        reversedBranch.direction = Qt::RightToLeft;
        m_cases.push_back({"branch line to the left, right to left",
                           {21, 21},
                           primitive(S::PE_IndicatorBranch, reversedBranch),
                           {dots({3, 10}, DARK), {{14, 10}, NONE}, {{15, 10}, NONE}}});
        m_cases.push_back({"sibling without an item: nothing across",
                           {21, 21},
                           primitive(S::PE_IndicatorBranch, keep(optionOf<QStyleOption>(branch, S::State_Sibling))),
                           {dots({10, 15}, DARK, {0, 1}), dots({10, 4}, DARK, {0, 1}), {{14, 10}, NONE},
                            {{15, 10}, NONE}}});
        m_cases.push_back({"branch of an ancestor's last child: nothing",
                           {21, 21},
                           primitive(S::PE_IndicatorBranch, keep(optionOf<QStyleOption>(branch, S::State_None))),
                           {{{10, 4}, NONE}, {{10, 5}, NONE}, {{10, 10}, NONE}}});

        addControlCases();
        addTabCases();
    }

    void addControlCases()
    {
        using S = QStyle;
        m_cases.push_back({"header section, raised",
                           {30, 12},
                           [&o = keep(optionOf<QStyleOptionHeader>({0, 0, 30, 12}, S::State_Raised))](
                               const QStyle& s, QPainter* p) { s.drawControl(S::CE_HeaderSection, &o, p); },
                           {{{0, 0}, LIGHT}, {{29, 11}, SHADOW}, {{15, 6}, BUTTON}}});
        m_cases.push_back({"header section, checked",
                           {30, 12},
                           [&o = keep(optionOf<QStyleOptionHeader>({0, 0, 30, 12}, S::State_Raised | S::State_On))](
                               const QStyle& s, QPainter* p) { s.drawControl(S::CE_HeaderSection, &o, p); },
                           {dots({15, 6}, LIGHT)}});

        // Scroll-bar buttons show Button on their outer lit edge.
        auto& addLine = keep(optionOf<QStyleOptionSlider>({0, 0, 16, 16}, S::State_Enabled | S::State_Horizontal));
        m_cases.push_back({"scroll bar line button",
                           {16, 16},
                           [&addLine](const QStyle& s, QPainter* p) { s.drawControl(S::CE_ScrollBarAddLine, &addLine, p); },
                           {{{0, 0}, BUTTON}, {{1, 1}, LIGHT}, {{15, 15}, SHADOW}, {{14, 14}, DARK}, {{3, 3}, BUTTON}}});
        auto& pressedLine = keep(optionOf<QStyleOptionSlider>(
            {0, 0, 16, 16}, S::State_Enabled | S::State_Horizontal | S::State_Sunken));
        m_cases.push_back({"scroll bar line button, pressed",
                           {16, 16},
                           [&pressedLine](const QStyle& s, QPainter* p) {
                               s.drawControl(S::CE_ScrollBarSubLine, &pressedLine, p);
                           },
                           {{{0, 0}, DARK}, {{15, 15}, DARK}, {{1, 1}, BUTTON}, {{14, 14}, BUTTON}}});
        m_cases.push_back({"scroll bar page",
                           {16, 16},
                           [&o = keep(optionOf<QStyleOptionSlider>({0, 0, 16, 16}))](const QStyle& s, QPainter* p) {
                               s.drawControl(S::CE_ScrollBarAddPage, &o, p);
                           },
                           {{{0, 0}, LIGHT, WINDOW}, {{5, 9}, LIGHT, WINDOW}}});
        m_cases.push_back(
            {"scroll bar page, pressed",
             {16, 16},
             [&o = keep(optionOf<QStyleOptionSlider>({0, 0, 16, 16}, S::State_Enabled | S::State_Sunken))](
                 const QStyle& s, QPainter* p) { s.drawControl(S::CE_ScrollBarSubPage, &o, p); },
             {{{0, 0}, SHADOW, DARK}, {{5, 9}, SHADOW, DARK}}});
        m_cases.push_back({"scroll bar slider",
                           {16, 30},
                           [&o = keep(optionOf<QStyleOptionSlider>({0, 0, 16, 30}))](const QStyle& s, QPainter* p) {
                               s.drawControl(S::CE_ScrollBarSlider, &o, p);
                           },
                           {{{0, 0}, BUTTON}, {{1, 1}, LIGHT}, {{15, 29}, SHADOW}, {{8, 15}, BUTTON}}});
        m_cases.push_back({"scroll bar slider, disabled",
                           {16, 30},
                           [&o = keep(optionOf<QStyleOptionSlider>({0, 0, 16, 30}, S::State_None))](
                               const QStyle& s, QPainter* p) { s.drawControl(S::CE_ScrollBarSlider, &o, p); },
                           {{{0, 0}, LIGHT, WINDOW}, {{8, 15}, LIGHT, WINDOW}}});

        m_cases.push_back({"tool box tab",
                           {40, 20},
                           [&o = keep(optionOf<QStyleOption>({0, 0, 40, 20}))](const QStyle& s, QPainter* p) {
                               s.drawControl(S::CE_ToolBoxTabShape, &o, p);
                           },
                           {{{0, 0}, LIGHT}, {{39, 19}, DARK}, {{20, 10}, BUTTON}}});

        const auto toolBar = [this](Qt::ToolBarArea area, QStyleOptionToolBar::ToolBarPosition line,
                                    QStyleOptionToolBar::ToolBarPosition within,
                                    Qt::LayoutDirection direction) -> QStyleOptionToolBar& {
            auto& o = keep(optionOf<QStyleOptionToolBar>({0, 0, 40, 20}));
            o.toolBarArea = area;
            o.positionOfLine = line;
            o.positionWithinLine = within;
            o.direction = direction;
            return o;
        };
        const auto drawToolBar = [](const QStyleOptionToolBar& o) {
            return [&o](const QStyle& s, QPainter* p) { s.drawControl(S::CE_ToolBar, &o, p); };
        };
        m_cases.push_back({"tool bar alone on its line at the top",
                           {40, 20},
                           drawToolBar(toolBar(Qt::TopToolBarArea, QStyleOptionToolBar::OnlyOne,
                                               QStyleOptionToolBar::OnlyOne, Qt::LeftToRight)),
                           {{{20, 0}, LIGHT}, {{0, 10}, NONE}, {{39, 10}, NONE}, {{20, 19}, DARK}}});
        m_cases.push_back({"tool bar first of its line at the top",
                           {40, 20},
                           drawToolBar(toolBar(Qt::TopToolBarArea, QStyleOptionToolBar::OnlyOne,
                                               QStyleOptionToolBar::Beginning, Qt::LeftToRight)),
                           {{{20, 0}, LIGHT}, {{0, 10}, NONE}, {{39, 10}, DARK}, {{20, 19}, DARK}}});
        m_cases.push_back({"tool bar first of its line, right to left",
                           {40, 20},
                           drawToolBar(toolBar(Qt::TopToolBarArea, QStyleOptionToolBar::OnlyOne,
                                               QStyleOptionToolBar::Beginning, Qt::RightToLeft)),
                           {{{0, 10}, LIGHT}, {{39, 10}, NONE}}});
        m_cases.push_back({"tool bar in the first line on the left",
                           {40, 20},
                           drawToolBar(toolBar(Qt::LeftToolBarArea, QStyleOptionToolBar::Beginning,
                                               QStyleOptionToolBar::OnlyOne, Qt::LeftToRight)),
                           {{{0, 10}, NONE}, {{39, 10}, DARK}, {{20, 19}, DARK}}});
        m_cases.push_back({"tool bar in the first line on the right",
                           {40, 20},
                           drawToolBar(toolBar(Qt::RightToolBarArea, QStyleOptionToolBar::OnlyOne,
                                               QStyleOptionToolBar::Middle, Qt::LeftToRight)),
                           {{{0, 10}, LIGHT}, {{39, 10}, NONE}, {{20, 19}, DARK}}});
        m_cases.push_back({"tool bar in the first line at the bottom",
                           {40, 20},
                           drawToolBar(toolBar(Qt::BottomToolBarArea, QStyleOptionToolBar::Beginning,
                                               QStyleOptionToolBar::Middle, Qt::LeftToRight)),
                           {{{0, 10}, LIGHT}, {{39, 10}, DARK}, {{20, 19}, NONE}}});

        m_cases.push_back(
            {"command button, default and pressed",
             {30, 16},
             [&o = keep(optionOf<QStyleOptionButton>({0, 0, 30, 16}, S::State_Enabled | S::State_Sunken))](
                 const QStyle& s, QPainter* p) {
                 auto copy = o;
                 copy.features = QStyleOptionButton::DefaultButton;
                 s.drawPrimitive(S::PE_PanelButtonCommand, &copy, p);
             },
             {{{0, 0}, DARK}, {{29, 15}, DARK}, {{1, 1}, BUTTON}, {{15, 8}, BUTTON}, {{30 - 1, 0}, DARK}}});
        m_cases.push_back(
            {"command button, checked",
             {30, 16},
             [&o = keep(optionOf<QStyleOptionButton>({0, 0, 30, 16}, S::State_Enabled | S::State_On))](
                 const QStyle& s, QPainter* p) { s.drawPrimitive(S::PE_PanelButtonCommand, &o, p); },
             {{{0, 0}, SHADOW}, {{1, 1}, DARK}, {{29, 15}, LIGHT}, dots({15, 8}, LIGHT)}});
        m_cases.push_back({"command button without its option draws nothing",
                           {30, 16},
                           primitive(S::PE_PanelButtonCommand,
                                     keep(optionOf<QStyleOption>({0, 0, 30, 16}, S::State_Raised))),
                           {{{0, 0}, NONE}, {{15, 8}, NONE}}});
        m_cases.push_back(
            {"auto-raised tool button, checked",
             {30, 16},
             primitive(S::PE_PanelButtonTool,
                       keep(optionOf<QStyleOption>({0, 0, 30, 16}, S::State_Enabled | S::State_On | S::State_AutoRaise))),
             {{{1, 1}, BUTTON}, {{28, 14}, BUTTON}, {{28, 1}, BUTTON}, dots({10, 7}, LIGHT, {1, 0})}});
        m_cases.push_back({"flat tool button",
                           {30, 16},
                           primitive(S::PE_PanelButtonTool, keep(optionOf<QStyleOption>({0, 0, 30, 16}))),
                           {{{0, 0}, BUTTON}, {{15, 8}, BUTTON}}});
    }

    void addTabCases()
    {
        using S = QStyle;
        // The base overlap is 2: unselected tabs stand 2 lower and stop 2
        // short of the pane; the selected one reaches 2 over each neighbour
        // and opens into the pane.
        const auto tab = [this](QTabBar::Shape shape, bool selected, QStyleOptionTab::TabPosition position,
                                QStyleOptionTab::SelectedPosition neighbour,
                                Qt::LayoutDirection direction) -> QStyleOptionTab& {
            const bool horizontal = shape == QTabBar::RoundedNorth || shape == QTabBar::RoundedSouth;
            auto& o = keep(optionOf<QStyleOptionTab>(horizontal ? QRect(10, 4, 60, 24) : QRect(4, 10, 24, 60),
                                                     S::State_Enabled | (selected ? S::State_Selected : S::State_None)));
            o.shape = shape;
            o.position = position;
            o.selectedPosition = neighbour;
            o.direction = direction;
            return o;
        };
        const auto draw = [](const QStyleOptionTab& o) {
            return [&o](const QStyle& s, QPainter* p) { s.drawControl(S::CE_TabBarTabShape, &o, p); };
        };
        const QSize wide(80, 32);
        const QSize tall(32, 80);
        m_cases.push_back({"north tab",
                           wide,
                           draw(tab(QTabBar::RoundedNorth, false, QStyleOptionTab::Middle,
                                    QStyleOptionTab::NotAdjacent, Qt::LeftToRight)),
                           {{{40, 6}, LIGHT},
                            {{40, 5}, NONE},
                            {{11, 7}, LIGHT},
                            {{10, 15}, LIGHT},
                            {{10, 25}, LIGHT},
                            {{10, 26}, NONE},
                            {{68, 7}, SHADOW},
                            {{69, 15}, SHADOW},
                            {{68, 15}, DARK},
                            {{40, 15}, WINDOW},
                            {{40, 26}, NONE},
                            {{9, 15}, NONE}}});
        m_cases.push_back({"north tab, selected",
                           wide,
                           draw(tab(QTabBar::RoundedNorth, true, QStyleOptionTab::Middle,
                                    QStyleOptionTab::NotAdjacent, Qt::LeftToRight)),
                           {{{40, 4}, LIGHT},
                            {{8, 15}, LIGHT},
                            {{8, 26}, LIGHT},
                            {{8, 27}, NONE},
                            {{71, 15}, SHADOW},
                            {{70, 15}, DARK},
                            {{40, 27}, WINDOW},
                            {{7, 15}, NONE}}});
        m_cases.push_back({"north tab, selected first at the bar's start",
                           wide,
                           draw(tab(QTabBar::RoundedNorth, true, QStyleOptionTab::Beginning,
                                    QStyleOptionTab::NotAdjacent, Qt::LeftToRight)),
                           {{{10, 15}, LIGHT}, {{9, 15}, NONE}, {{71, 15}, SHADOW}}});
        m_cases.push_back({"north tab after the selected one",
                           wide,
                           draw(tab(QTabBar::RoundedNorth, false, QStyleOptionTab::Middle,
                                    QStyleOptionTab::PreviousIsSelected, Qt::LeftToRight)),
                           {{{10, 15}, NONE}, {{11, 15}, NONE}, {{12, 15}, WINDOW}, {{69, 15}, SHADOW}}});
        m_cases.push_back({"north tab after the selected one, right to left",
                           wide,
                           draw(tab(QTabBar::RoundedNorth, false, QStyleOptionTab::Middle,
                                    QStyleOptionTab::PreviousIsSelected, Qt::RightToLeft)),
                           {{{10, 15}, LIGHT}, {{69, 15}, NONE}, {{68, 15}, NONE}, {{67, 15}, WINDOW}}});
        m_cases.push_back({"south tab",
                           wide,
                           draw(tab(QTabBar::RoundedSouth, false, QStyleOptionTab::Middle,
                                    QStyleOptionTab::NotAdjacent, Qt::LeftToRight)),
                           {{{40, 25}, SHADOW},
                            {{40, 24}, DARK},
                            {{40, 26}, NONE},
                            {{10, 15}, LIGHT},
                            {{10, 6}, LIGHT},
                            {{10, 5}, NONE},
                            {{69, 15}, SHADOW},
                            {{40, 15}, WINDOW}}});
        m_cases.push_back({"west tab",
                           tall,
                           draw(tab(QTabBar::RoundedWest, false, QStyleOptionTab::Middle,
                                    QStyleOptionTab::NotAdjacent, Qt::LeftToRight)),
                           {{{6, 40}, LIGHT},
                            {{5, 40}, NONE},
                            {{15, 10}, LIGHT},
                            {{15, 69}, SHADOW},
                            {{15, 68}, DARK},
                            {{15, 40}, WINDOW},
                            {{26, 40}, NONE}}});
        m_cases.push_back({"east tab",
                           tall,
                           draw(tab(QTabBar::RoundedEast, false, QStyleOptionTab::Middle,
                                    QStyleOptionTab::NotAdjacent, Qt::LeftToRight)),
                           {{{25, 40}, SHADOW},
                            {{24, 40}, DARK},
                            {{26, 40}, NONE},
                            {{15, 10}, LIGHT},
                            {{15, 69}, SHADOW},
                            {{15, 40}, WINDOW},
                            {{5, 40}, NONE}}});
        m_cases.push_back({"east tab, selected",
                           tall,
                           draw(tab(QTabBar::RoundedEast, true, QStyleOptionTab::Middle,
                                    QStyleOptionTab::NotAdjacent, Qt::LeftToRight)),
                           {{{27, 40}, SHADOW}, {{15, 8}, LIGHT}, {{15, 71}, SHADOW}, {{4, 40}, WINDOW}}});
        m_cases.push_back({"tab shape without its option draws nothing",
                           wide,
                           [&o = keep(optionOf<QStyleOption>({10, 4, 60, 24}))](const QStyle& s, QPainter* p) {
                               s.drawControl(S::CE_TabBarTabShape, &o, p);
                           },
                           {{{40, 4}, NONE}, {{10, 15}, NONE}, {{40, 15}, NONE}}});
    }

private slots:
    void initTestCase() { addCases(); }

    void probes_data()
    {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < m_cases.size(); ++i)
            QTest::newRow(m_cases[i].name) << int(i);
    }

    // Each element drawn alone on an untouched image, probed where the
    // classic look puts its lines, fills and gaps.
    void probes()
    {
        QFETCH(int, index);
        const Case& c = m_cases[std::size_t(index)];
        QImage image = blankImage(c.image.width(), c.image.height());
        {
            QPainter painter(&image);
            c.draw(m_style, &painter);
        }
        verifyProbes(image, c.probes);
    }

    void focusRect_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("underline");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("expected");
        const QColor inverted(0xef, 0xdf, 0xcf);
        QTest::newRow("keyboard: inverted background") << int(QStyle::State_KeyboardFocusChange) << 0
                                                       << QColor(0x10, 0x20, 0x30) << inverted;
        QTest::newRow("keyboard: painter's background when none given")
            << int(QStyle::State_KeyboardFocusChange) << 0 << QColor() << QColor(0xff, 0xff, 0x00);
        QTest::newRow("mouse: none") << int(QStyle::State_None) << 0 << QColor(0x10, 0x20, 0x30) << QColor();
        QTest::newRow("mouse, shortcuts always underlined")
            << int(QStyle::State_None) << 1 << QColor(0x10, 0x20, 0x30) << inverted;
    }

    // Four dense one-pixel bands in the inverted colour, from the keyboard
    // (or where shortcuts always show); never after a mere click.
    void focusRect()
    {
        QFETCH(int, state);
        QFETCH(int, underline);
        QFETCH(QColor, background);
        QFETCH(QColor, expected);
        class Underlining : public QWindowsStyleLocal
        {
        public:
            int underline = 0;
            int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                          QStyleHintReturn* returnData) const override
            {
                if (hint == SH_UnderlineShortcut)
                    return underline;
                return QWindowsStyleLocal::styleHint(hint, option, widget, returnData);
            }
        } style;
        style.underline = underline;
        auto focus = optionOf<QStyleOptionFocusRect>({2, 2, 10, 6}, QStyle::State(state));
        focus.backgroundColor = background;
        QImage image = blankImage(14, 10);
        {
            QPainter painter(&image);
            painter.setBackground(QColor(0x00, 0x00, 0xff));
            style.drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter);
        }
        if (!expected.isValid()) {
            QCOMPARE(boxOf(image, NONE), image.rect());
            QCOMPARE(image.pixelColor(2, 2), NONE);
            QCOMPARE(image.pixelColor(3, 2), NONE);
            return;
        }
        // Every other pixel of each edge, and nothing inside or outside.
        verifyProbes(image, {{{2, 2}, expected, NONE}, {{10, 2}, expected, NONE}, {{2, 7}, expected, NONE},
                             {{2, 3}, expected, NONE, {0, 1}}, {{11, 4}, expected, NONE, {0, 1}},
                             {{6, 4}, NONE}, {{5, 5}, NONE}, {{1, 1}, NONE}, {{12, 8}, NONE}});
        int count = 0;
        for (int x = 2; x < 12; ++x)
            count += image.pixelColor(x, 2) == expected ? 1 : 0;
        QCOMPARE(count, 5);
    }

    void arrows_data()
    {
        QTest::addColumn<int>("element");
        QTest::addColumn<int>("state");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QColor>("colour");
        const int enabled = QStyle::State_Enabled;
        // A 12-pixel arrow: border 2, the triangle's box centred on (5, 5)
        // of the picture, as the painter fills it.
        QTest::newRow("down") << int(QStyle::PE_IndicatorArrowDown) << enabled << QRect(10, 20, 12, 12)
                              << QRect(11, 23, 9, 5) << BUTTON_TEXT;
        QTest::newRow("up") << int(QStyle::PE_IndicatorArrowUp) << enabled << QRect(10, 20, 12, 12)
                            << QRect(11, 23, 9, 5) << BUTTON_TEXT;
        QTest::newRow("left") << int(QStyle::PE_IndicatorArrowLeft) << enabled << QRect(10, 20, 12, 12)
                              << QRect(13, 21, 5, 8) << BUTTON_TEXT;
        QTest::newRow("right") << int(QStyle::PE_IndicatorArrowRight) << enabled << QRect(10, 20, 12, 12)
                               << QRect(13, 21, 5, 9) << BUTTON_TEXT;
        QTest::newRow("centred in a wide place") << int(QStyle::PE_IndicatorArrowDown) << enabled
                                                 << QRect(10, 20, 20, 12) << QRect(15, 23, 9, 5) << BUTTON_TEXT;
        QTest::newRow("pressed: shifted") << int(QStyle::PE_IndicatorArrowDown) << int(enabled | QStyle::State_Sunken)
                                          << QRect(10, 20, 12, 12) << QRect(12, 24, 9, 5) << BUTTON_TEXT;
        QTest::newRow("disabled: Mid") << int(QStyle::PE_IndicatorArrowDown) << int(QStyle::State_None)
                                       << QRect(10, 20, 12, 12) << QRect(11, 23, 9, 5) << role(QPalette::Mid);
    }

    // The arrow lands where the classic look puts it, and its picture goes
    // into the pixmap cache under its key; a picture already there is drawn
    // as it is.
    void arrows()
    {
        QFETCH(int, element);
        QFETCH(int, state);
        QFETCH(QRect, rect);
        QFETCH(QRect, box);
        QFETCH(QColor, colour);
        const auto pe = QStyle::PrimitiveElement(element);
        QPixmapCache::clear();
        const auto option = optionOf<QStyleOption>(rect, QStyle::State(state));
        QImage image = blankImage(40, 40);
        {
            QPainter painter(&image);
            m_style.drawPrimitive(pe, &option, &painter);
        }
        QCOMPARE(boxOf(image, colour), box);
        if (!(state & QStyle::State_Enabled)) {
            // Etched: a light copy one pixel down and right, seen below the
            // point.
            QCOMPARE(image.pixelColor(box.left() + box.width() / 2 + 1, box.bottom() + 1), LIGHT);
            QCOMPARE(boxOf(image, BUTTON_TEXT), QRect());
        }
        const int side = qMin(rect.width(), rect.height());
        QPixmap cached;
        QVERIFY(QPixmapCache::find(arrowKey(option, side, pe), &cached));
        QCOMPARE(cached.size(), QSize(side, side));

        QPixmap stand(side, side);
        stand.fill(Qt::green);
        QPixmapCache::insert(arrowKey(option, side, pe), stand);
        image = blankImage(40, 40);
        {
            QPainter painter(&image);
            m_style.drawPrimitive(pe, &option, &painter);
        }
        QCOMPARE(boxOf(image, QColor(Qt::green)),
                 QRect(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2, side, side));
    }

    void arrowsNotDrawnOrCached_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QTransform>("transform");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("one pixel wide") << QRect(5, 5, 1, 12) << QTransform() << false;
        QTest::newRow("one pixel high") << QRect(5, 5, 12, 1) << QTransform() << false;
        QTest::newRow("rotated painter: drawn, not cached") << QRect(5, 5, 12, 12) << QTransform().rotate(30) << true;
    }

    void arrowsNotDrawnOrCached()
    {
        QFETCH(QRect, rect);
        QFETCH(QTransform, transform);
        QFETCH(bool, drawn);
        QPixmapCache::clear();
        const auto option = optionOf<QStyleOption>(rect);
        QImage image = blankImage(40, 40);
        {
            QPainter painter(&image);
            painter.setTransform(transform);
            m_style.drawPrimitive(QStyle::PE_IndicatorArrowUp, &option, &painter);
        }
        QCOMPARE(boxOf(image, BUTTON_TEXT).isValid(), drawn);
        const int side = qMin(rect.width(), rect.height());
        QPixmap cached;
        QVERIFY(!QPixmapCache::find(arrowKey(option, side, QStyle::PE_IndicatorArrowUp), &cached));
    }
};

ZB_REGISTER_TEST(TestWindowsStyleDrawing)
#include "TestWindowsStyleDrawing.moc"
