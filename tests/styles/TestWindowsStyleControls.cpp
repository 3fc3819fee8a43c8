#include "WindowsStyleDrawingKit.h"
#include "ZbTestRegistry.h"

using namespace windowsdrawing;

// The controls drawn whole, most of them real widgets grabbed: check boxes,
// radio buttons, tree branches, the combo box, slider handles, spin-box
// buttons, the menu bar, rubber bands and a squeezed busy bar.
class TestWindowsStyleControls : public QObject
{
    Q_OBJECT

    QWindowsStyleLocal m_style;

private slots:
    void checkBoxes_data()
    {
        QTest::addColumn<int>("checkState");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QColor>("pen");
        QTest::addColumn<QColor>("fill");
        QTest::addColumn<QColor>("fillNeighbour");
        QTest::newRow("checked") << int(Qt::Checked) << true << TEXT << BASE << BASE;
        QTest::newRow("partly") << int(Qt::PartiallyChecked) << true << DARK << BASE << QColor();
        QTest::newRow("unchecked") << int(Qt::Unchecked) << true << BASE << BASE << BASE;
        QTest::newRow("checked, disabled") << int(Qt::Checked) << false << TEXT << WINDOW << WINDOW;
    }

    // A real check box, grabbed: the seven strokes of the mark at their
    // places inside the sunken indicator, in Text (Dark when partly checked).
    void checkBoxes()
    {
        QFETCH(int, checkState);
        QFETCH(bool, enabled);
        QFETCH(QColor, pen);
        QFETCH(QColor, fill);
        QFETCH(QColor, fillNeighbour);
        QCheckBox box(QStringLiteral("Annonces"));
        box.setStyle(&m_style);
        box.setTristate(true);
        box.setCheckState(Qt::CheckState(checkState));
        box.setEnabled(enabled);
        const QImage image = grabbed(box);
        QStyleOptionButton option;
        option.initFrom(&box);
        const QPoint origin = m_style.subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box).topLeft();
        for (int k = 0; k < 7; ++k) {
            const QPoint top = origin + QPoint(3 + k, 5 + DROP[k]);
            QCOMPARE(image.pixelColor(top), pen);
            QCOMPARE(image.pixelColor(top + QPoint(0, 2)), pen);
        }
        // The fill between the strokes and the sunken frame's outer corner.
        const QPoint inside = origin + QPoint(2, 2);
        if (fillNeighbour.isValid()) {
            QCOMPARE(image.pixelColor(inside), fill);
            QCOMPARE(image.pixelColor(inside + QPoint(1, 0)), fillNeighbour);
        } else {
            QVERIFY(image.pixelColor(inside) != image.pixelColor(inside + QPoint(1, 0)));
            QVERIFY(image.pixelColor(inside) == fill || image.pixelColor(inside + QPoint(1, 0)) == fill);
        }
        QCOMPARE(image.pixelColor(origin), DARK);
        QCOMPARE(image.pixelColor(origin + QPoint(1, 1)), SHADOW);
    }

    void radioButtons_data()
    {
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QColor>("centre");
        QTest::newRow("chosen") << true << true << BASE;
        QTest::newRow("not chosen") << false << true << BASE;
        QTest::newRow("disabled") << true << false << BUTTON;
    }

    // A real radio button, grabbed: its outline from the four tables in
    // their colours, the centre, and the dot of two crossing rectangles.
    void radioButtons()
    {
        QFETCH(bool, checked);
        QFETCH(bool, enabled);
        QFETCH(QColor, centre);
        QRadioButton radio(QStringLiteral("Atout"));
        radio.setStyle(&m_style);
        radio.setChecked(checked);
        radio.setEnabled(enabled);
        const QImage image = grabbed(radio);
        QStyleOptionButton option;
        option.initFrom(&radio);
        const QRect indicator = m_style.subElementRect(QStyle::SE_RadioButtonIndicator, &option, &radio);
        QCOMPARE(indicator.width(), 12);
        const QPoint o = indicator.topLeft();
        const struct
        {
            std::vector<QPoint> points;
            QColor colour;
        } outline[] = {
            {{{1, 9}, {0, 7}, {0, 4}, {1, 2}, {2, 1}, {4, 0}, {7, 0}, {9, 1}}, DARK},
            {{{2, 8}, {1, 7}, {1, 4}, {2, 2}, {4, 1}, {7, 1}, {8, 2}, {9, 2}}, SHADOW},
            {{{2, 9}, {4, 10}, {7, 10}, {9, 9}, {10, 7}, {10, 4}, {9, 3}}, MIDLIGHT},
            {{{2, 10}, {4, 11}, {7, 11}, {10, 9}, {11, 7}, {11, 4}, {10, 2}}, LIGHT},
        };
        for (const auto& table : outline)
            for (const QPoint& p : table.points)
                QVERIFY2(image.pixelColor(o + p) == table.colour, qPrintable(QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y())));
        QCOMPARE(image.pixelColor(o + QPoint(3, 5)), centre);
        QCOMPARE(image.pixelColor(o + QPoint(4, 2)), centre);
        const QColor dot = checked ? TEXT : centre;
        for (const QPoint p : {QPoint(5, 4), QPoint(6, 7), QPoint(4, 5), QPoint(7, 6), QPoint(5, 5)})
            QCOMPARE(image.pixelColor(o + p), dot);
        QCOMPARE(image.pixelColor(o + QPoint(4, 4)), centre);
    }

    // A real tree: a closed item with children shows the plus in its box,
    // an open one the minus.
    void treeBranches()
    {
        QTreeWidget tree;
        tree.setStyle(&m_style);
        tree.setHeaderHidden(true);
        auto* open = new QTreeWidgetItem(&tree, {QStringLiteral("Ouvert")});
        new QTreeWidgetItem(open, {QStringLiteral("Enfant")});
        auto* closed = new QTreeWidgetItem(&tree, {QStringLiteral("Fermé")});
        new QTreeWidgetItem(closed, {QStringLiteral("Caché")});
        tree.expandItem(open);
        tree.resize(200, 120);
        const QImage image = grabbed(tree);
        const QPoint viewport = tree.viewport()->mapTo(&tree, QPoint(0, 0));
        for (QTreeWidgetItem* item : {open, closed}) {
            const QRect row = tree.visualItemRect(item);
            const QRect branch(row.left() - tree.indentation(), row.top(), tree.indentation(), row.height());
            const QPoint mid = viewport + QPoint(branch.x() + branch.width() / 2, branch.y() + branch.height() / 2);
            QCOMPARE(image.pixelColor(mid + QPoint(-4, -4)), DARK);
            QCOMPARE(image.pixelColor(mid + QPoint(4, 4)), DARK);
            QCOMPARE(image.pixelColor(mid + QPoint(-2, 0)), DARK);
            QCOMPARE(image.pixelColor(mid + QPoint(2, 0)), DARK);
            QCOMPARE(image.pixelColor(mid + QPoint(0, -2)) == DARK, item == closed);
        }
    }

    // A real combo box: the arrow button with Button on its outer lit edge,
    // the arrow centred in it, and the focused field in Highlight.
    void comboBox()
    {
        QComboBox combo;
        combo.setStyle(&m_style);
        combo.addItems({QStringLiteral("Jass"), QStringLiteral("Belote")});
        combo.resize(140, 24);
        const QImage image = grabbed(combo);
        QStyleOptionComboBox option;
        option.initFrom(&combo);
        option.rect = combo.rect();
        option.subControls = QStyle::SC_All;
        option.frame = true;
        const QRect arrow = m_style.subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, &combo);
        QCOMPARE(image.pixelColor(arrow.topLeft()), BUTTON);
        QCOMPARE(image.pixelColor(arrow.topLeft() + QPoint(1, 1)), LIGHT);
        QCOMPARE(image.pixelColor(arrow.bottomRight()), SHADOW);
        const QRect drawn = boxOf(image.copy(arrow), BUTTON_TEXT).translated(arrow.topLeft());
        QVERIFY(arrow.adjusted(3, 3, -3, -3).contains(drawn));
        QVERIFY(qAbs(drawn.center().x() - arrow.center().x()) <= 1);
        QCOMPARE(image.pixelColor(0, 0), DARK);
        QCOMPARE(image.pixelColor(1, 1), SHADOW);

        // Focused and not editable: the field shows the selection colours.
        option.state |= QStyle::State_HasFocus;
        option.palette = rolePalette();
        QImage focused = blankImage(140, 24);
        {
            QPainter painter(&focused);
            m_style.drawComplexControl(QStyle::CC_ComboBox, &option, &painter, &combo);
            QCOMPARE(painter.pen().color(), HIGHLIGHTED_TEXT);
        }
        const QRect field = m_style.subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
        QCOMPARE(focused.pixelColor(field.center()), HIGHLIGHT);
    }

    void sliderHandles_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QPoint>("apex");
        QTest::addColumn<QColor>("apexColour");
        QTest::newRow("no ticks: raised button") << int(Qt::Horizontal) << int(QSlider::NoTicks) << true
                                                 << QPoint(0, 0) << LIGHT;
        QTest::newRow("ticks below: points down") << int(Qt::Horizontal) << int(QSlider::TicksBelow) << true
                                                  << QPoint(5, -1) << SHADOW;
        QTest::newRow("ticks above: points up") << int(Qt::Horizontal) << int(QSlider::TicksAbove) << true
                                                << QPoint(5, 0) << SHADOW;
        QTest::newRow("ticks right: points right") << int(Qt::Vertical) << int(QSlider::TicksRight) << true
                                                   << QPoint(-1, 5) << SHADOW;
        QTest::newRow("ticks left: points left") << int(Qt::Vertical) << int(QSlider::TicksLeft) << true
                                                 << QPoint(0, 5) << SHADOW;
        QTest::newRow("disabled") << int(Qt::Horizontal) << int(QSlider::TicksBelow) << false << QPoint(5, -1)
                                  << SHADOW;
    }

    // The handle: a raised button without ticks or with ticks on both sides,
    // else pointed toward its ticks; the groove's shadow line along the
    // middle. Apex coordinates count from the handle's top-left, -1 meaning
    // the far edge.
    void sliderHandles()
    {
        QFETCH(int, orientation);
        QFETCH(int, ticks);
        QFETCH(bool, enabled);
        QFETCH(QPoint, apex);
        QFETCH(QColor, apexColour);
        const EchelleDEcranImposee echelle(1.0);
        const bool horizontal = orientation == Qt::Horizontal;
        auto option = optionOf<QStyleOptionSlider>(horizontal ? QRect(0, 0, 100, 30) : QRect(0, 0, 30, 100),
                                                   enabled ? QStyle::State_Enabled : QStyle::State_None);
        option.orientation = Qt::Orientation(orientation);
        if (horizontal)
            option.state |= QStyle::State_Horizontal;
        option.tickPosition = QSlider::TickPosition(ticks);
        option.minimum = 0;
        option.maximum = 100;
        option.sliderPosition = option.sliderValue = 50;
        option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
        QImage image = blankImage(option.rect.width(), option.rect.height());
        {
            QPainter painter(&image);
            m_style.drawComplexControl(QStyle::CC_Slider, &option, &painter);
        }
        const QRect handle = m_style.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle);
        QCOMPARE(horizontal ? handle.width() : handle.height(), 11);
        const QPoint at(apex.x() < 0 ? handle.right() : handle.left() + apex.x(),
                        apex.y() < 0 ? handle.bottom() : handle.top() + apex.y());
        QCOMPARE(image.pixelColor(at), apexColour);
        if (enabled) {
            QCOMPARE(image.pixelColor(handle.center()), BUTTON);
        } else {
            const QColor a = image.pixelColor(handle.center());
            const QColor b = image.pixelColor(handle.center() + QPoint(1, 0));
            QVERIFY((a == BUTTON && b == LIGHT) || (a == LIGHT && b == BUTTON));
        }
        if (ticks != QSlider::NoTicks && ticks != QSlider::TicksBothSides) {
            // The point's corners beside the apex are outside the handle.
            const QPoint corner = horizontal ? QPoint(handle.left(), at.y()) : QPoint(at.x(), handle.top());
            QCOMPARE(image.pixelColor(corner), NONE);
        }
        // The groove's shadow line, away from the handle.
        const QRect groove = m_style.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove);
        const int thickness = m_style.pixelMetric(QStyle::PM_SliderControlThickness, &option);
        int mid = thickness / 2;
        if (ticks & QSlider::TicksAbove)
            mid += 11 / 8;
        if (ticks & QSlider::TicksBelow)
            mid -= 11 / 8;
        const QPoint line = horizontal ? QPoint(groove.left() + 5, groove.top() + mid - 1)
                                       : QPoint(groove.left() + mid - 1, groove.top() + 5);
        QCOMPARE(image.pixelColor(line), SHADOW);
    }

    // Spin-box buttons: an unavailable step is drawn from the disabled
    // colours, etched with Light; plus and minus replace the arrows.
    void spinBoxButtons()
    {
        auto option = optionOf<QStyleOptionSpinBox>({0, 0, 80, 24});
        option.palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x40, 0x00, 0x40));
        option.subControls = QStyle::SC_All;
        option.frame = true;
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled;
        QImage image = blankImage(80, 24);
        {
            QPainter painter(&image);
            m_style.drawComplexControl(QStyle::CC_SpinBox, &option, &painter);
        }
        const QRect up = m_style.subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp);
        const QRect down = m_style.subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxDown);
        QCOMPARE(image.pixelColor(up.topLeft()), BUTTON);
        QCOMPARE(image.pixelColor(up.topLeft() + QPoint(1, 1)), LIGHT);
        QVERIFY(boxOf(image.copy(up), BUTTON_TEXT).isValid());
        QVERIFY(!boxOf(image.copy(down), BUTTON_TEXT).isValid());
        QVERIFY(boxOf(image.copy(down), QColor(0x40, 0x00, 0x40)).isValid());
        QVERIFY(boxOf(image.copy(down.adjusted(2, 2, -2, -2)), LIGHT).isValid());
        QCOMPARE(image.pixelColor(0, 0), DARK);

        // Plus and minus: a cross in the up button (a vertical stroke through
        // the horizontal one), a bar alone in the down button.
        option.buttonSymbols = QAbstractSpinBox::PlusMinus;
        option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        image = blankImage(80, 24);
        {
            QPainter painter(&image);
            m_style.drawComplexControl(QStyle::CC_SpinBox, &option, &painter);
        }
        const QRect plus = boxOf(image.copy(up), BUTTON_TEXT);
        const QRect minus = boxOf(image.copy(down), BUTTON_TEXT);
        QVERIFY(plus.isValid() && minus.isValid());
        QVERIFY(plus.height() > minus.height());
    }

    // The menu bar of a main window ends in Button with a Dark line under
    // it; other menu bars get nothing from this style there.
    void menuBarEmptyArea()
    {
        QMainWindow window;
        window.setStyle(&m_style);
        window.menuBar()->setStyle(&m_style);
        QMenuBar* bar = window.menuBar();
        QWidget plain;
        auto option = optionOf<QStyleOption>({0, 0, 60, 20});
        QImage image = blankImage(60, 20);
        {
            QPainter painter(&image);
            m_style.drawControl(QStyle::CE_MenuBarEmptyArea, &option, &painter, bar);
        }
        verifyProbes(image, {{{30, 10}, BUTTON}, {{0, 19}, DARK}, {{59, 19}, DARK}, {{30, 18}, BUTTON}});
        image = blankImage(60, 20);
        {
            QPainter painter(&image);
            m_style.drawControl(QStyle::CE_MenuBarEmptyArea, &option, &painter, &plain);
        }
        QCOMPARE(boxOf(image, NONE), image.rect());
    }

    void rubberBands_data()
    {
        QTest::addColumn<bool>("window");
        QTest::addColumn<int>("border");
        QTest::newRow("a window: 4-pixel frame") << true << 4;
        QTest::newRow("inside a widget: 1-pixel frame") << false << 1;
    }

    // The dense black-and-white pattern, clipped to the mask's frame.
    void rubberBands()
    {
        QFETCH(bool, window);
        QFETCH(int, border);
        QWidget parent;
        QRubberBand childBand(QRubberBand::Rectangle, &parent);
        QRubberBand windowBand(QRubberBand::Rectangle);
        const QWidget* widget = window ? static_cast<QWidget*>(&windowBand) : &childBand;
        auto option = optionOf<QStyleOptionRubberBand>({0, 0, 30, 20});
        option.shape = QRubberBand::Rectangle;
        QImage image = blankImage(30, 20);
        {
            QPainter painter(&image);
            m_style.drawControl(QStyle::CE_RubberBand, &option, &painter, widget);
        }
        const QColor black(Qt::black);
        const QColor white(Qt::white);
        verifyProbes(image, {{{0, 0}, black, white},
                             {{border - 1, 10}, black, white, {0, 1}},
                             {{border, 10}, NONE},
                             {{15, border - 1}, black, white},
                             {{15, border}, NONE},
                             {{15, 10}, NONE},
                             {{29 - border + 1, 10}, black, white, {0, 1}},
                             {{29 - border, 10}, NONE}});
    }

    // A busy bar squeezed to its frame has contents of no width: it shows
    // nothing there rather than dividing by that width.
    void squeezedBusyProgressBar_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("size");
        QTest::newRow("horizontal, 6 wide") << int(Qt::Horizontal) << QSize(6, 20);
        QTest::newRow("horizontal, 7 wide") << int(Qt::Horizontal) << QSize(7, 20);
        QTest::newRow("vertical, 6 high") << int(Qt::Vertical) << QSize(20, 6);
    }

    void squeezedBusyProgressBar()
    {
        QFETCH(int, orientation);
        QFETCH(QSize, size);
        QProgressBar bar;
        bar.setStyle(&m_style);
        bar.setOrientation(Qt::Orientation(orientation));
        bar.setRange(0, 0);
        bar.setTextVisible(false);
        bar.setMinimumSize(0, 0);
        bar.resize(size);
        bar.show();
        const QImage image = bar.grab().toImage();
        QCOMPARE(image.size(), size);
    }

    // A real rubber band inside another widget, grabbed with its parent.
    void rubberBandWidget()
    {
        QWidget parent;
        parent.setStyle(&m_style);
        QPalette palette = rolePalette();
        palette.setColor(QPalette::Window, NONE);
        parent.setPalette(palette);
        parent.setAutoFillBackground(true);
        parent.resize(60, 40);
        auto* band = new QRubberBand(QRubberBand::Rectangle, &parent);
        band->setStyle(&m_style);
        band->setGeometry(10, 10, 30, 20);
        band->show();
        parent.show();
        const QImage image = parent.grab().toImage().convertToFormat(QImage::Format_ARGB32);
        const QColor a = image.pixelColor(10, 10);
        const QColor b = image.pixelColor(11, 10);
        QVERIFY((a == Qt::black && b == Qt::white) || (a == Qt::white && b == Qt::black));
        QCOMPARE(image.pixelColor(11, 11), NONE);
        QCOMPARE(image.pixelColor(25, 20), NONE);
        QCOMPARE(image.pixelColor(9, 9), NONE);
    }
};

ZB_REGISTER_TEST(TestWindowsStyleControls)
#include "TestWindowsStyleControls.moc"
