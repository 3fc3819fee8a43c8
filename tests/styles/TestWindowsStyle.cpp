#include "EchelleDEcranImposee.h"
#include "QWindowsStyleLocal.h"
#include "StyleTools.h"
#include "ZbTestRegistry.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMetaMethod>
#include <QPaintEvent>
#include <QProxyStyle>
#include <QPushButton>
#include <QRubberBand>
#include <QScreen>
#include <QStyleOption>
#include <QTest>
#include <QTimerEvent>
#include <QTreeView>

#include <memory>

namespace {

// A style that answers one metric or hint differently, around the Windows
// style: the Windows style's nested questions must reach it.
class TweakedStyle : public QProxyStyle
{
public:
    TweakedStyle() : QProxyStyle(new QWindowsStyleLocal) {}

    int sliderLength = -1;
    int underline = -1;
    int dockMargin = -1;

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override
    {
        if (metric == PM_SliderLength && sliderLength >= 0)
            return sliderLength;
        if (metric == PM_DockWidgetTitleMargin && dockMargin >= 0)
            return dockMargin;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override
    {
        if (hint == SH_UnderlineShortcut && underline >= 0)
            return underline;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    int keys = 0;
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        if (event->type() == QEvent::KeyPress)
            ++keys;
        return false;
    }
};

QStyleOptionSlider sliderOption(Qt::Orientation orientation, const QSize& size, QSlider::TickPosition ticks)
{
    QStyleOptionSlider option;
    option.orientation = orientation;
    option.rect = QRect(QPoint(0, 0), size);
    option.tickPosition = ticks;
    if (orientation == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return option;
}

} // namespace

class TestWindowsStyle : public QObject
{
    Q_OBJECT

private slots:
    // The meta-object names the class and lists the icon slot twice, once
    // without the widget; invoking it gives the common style's icon.
    void metaObject()
    {
        QWindowsStyleLocal style;
        const QMetaObject* meta = style.metaObject();
        QCOMPARE(meta->className(), "QWindowsStyleLocal");
        QCOMPARE(meta->methodCount() - meta->methodOffset(), 2);
        QCOMPARE(meta->method(meta->methodOffset()).methodSignature(),
                 QByteArray("standardIconImplementation(QStyle::StandardPixmap,const QStyleOption*,const QWidget*)"));
        QCOMPARE(meta->method(meta->methodOffset() + 1).methodSignature(),
                 QByteArray("standardIconImplementation(QStyle::StandardPixmap,const QStyleOption*)"));
        QCOMPARE(meta->propertyCount(), meta->propertyOffset());

        QIcon icon;
        QVERIFY(QMetaObject::invokeMethod(&style, "standardIconImplementation", Qt::DirectConnection,
                                          Q_RETURN_ARG(QIcon, icon),
                                          Q_ARG(QStyle::StandardPixmap, QStyle::SP_DialogOkButton),
                                          Q_ARG(const QStyleOption*, nullptr)));
        QCommonStyle common;
        const QIcon expected = common.standardIcon(QStyle::SP_DialogOkButton);
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.pixmap(16).toImage(), expected.pixmap(16).toImage());

        QTimerEvent timer(1);
        timer.accept();
        QCoreApplication::sendEvent(&style, &timer);
        QVERIFY(!timer.isAccepted());
    }

    void pixelMetrics_data()
    {
        QTest::addColumn<int>("metric");
        QTest::addColumn<int>("expected");
        const double dpi = StyleTools::screenLogicalDpiX();
        QTest::newRow("default indicator") << int(QStyle::PM_ButtonDefaultIndicator) << 1;
        QTest::newRow("button shift x") << int(QStyle::PM_ButtonShiftHorizontal) << 1;
        QTest::newRow("button shift y") << int(QStyle::PM_ButtonShiftVertical) << 1;
        QTest::newRow("menu margin x") << int(QStyle::PM_MenuHMargin) << 1;
        QTest::newRow("menu margin y") << int(QStyle::PM_MenuVMargin) << 1;
        QTest::newRow("tool bar item margin") << int(QStyle::PM_ToolBarItemMargin) << 1;
        QTest::newRow("tab shift x") << int(QStyle::PM_TabBarTabShiftHorizontal) << 0;
        QTest::newRow("tool bar item spacing") << int(QStyle::PM_ToolBarItemSpacing) << 0;
        QTest::newRow("tab shift y") << int(QStyle::PM_TabBarTabShiftVertical) << 2;
        QTest::newRow("drag distance") << int(QStyle::PM_MaximumDragDistance) << int(dpi * 1.375);
        QTest::newRow("slider length") << int(QStyle::PM_SliderLength) << int(11 * dpi / 96.0);
        QTest::newRow("tool bar handle") << int(QStyle::PM_ToolBarHandleExtent) << int(10 * dpi / 96.0);
        QTest::newRow("slider thickness without a slider") << int(QStyle::PM_SliderControlThickness) << 0;
        QTest::newRow("common: scroll bar") << int(QStyle::PM_ScrollBarExtent)
                                            << QCommonStyle().pixelMetric(QStyle::PM_ScrollBarExtent);
        QTest::newRow("common: negative") << int(QStyle::PM_SubMenuOverlap)
                                          << QCommonStyle().pixelMetric(QStyle::PM_SubMenuOverlap);
    }

    void pixelMetrics()
    {
        QFETCH(int, metric);
        QFETCH(int, expected);
        QWindowsStyleLocal style;
        QCOMPARE(style.pixelMetric(QStyle::PixelMetric(metric)), expected);
        // A widget on this screen divides by its own ratio.
        QWidget widget;
        const double ratio = widget.devicePixelRatioF();
        const int scaled = expected == -1 ? -1 : int(expected / ratio);
        QCOMPARE(style.pixelMetric(QStyle::PixelMetric(metric), nullptr, &widget), scaled);
    }

    void sliderThickness_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("proxyLength");
        QTest::addColumn<int>("expected");
        QTest::newRow("no ticks: the whole height") << int(Qt::Horizontal) << QSize(100, 30) << int(QSlider::NoTicks)
                                                    << -1 << 30;
        QTest::newRow("no ticks, vertical: the width")
            << int(Qt::Vertical) << QSize(25, 100) << int(QSlider::NoTicks) << -1 << 25;
        QTest::newRow("both sides") << int(Qt::Horizontal) << QSize(100, 30) << int(QSlider::TicksBothSides) << -1
                                    << 6 + (24 * 2) / 4;
        QTest::newRow("above: a quarter of the length")
            << int(Qt::Horizontal) << QSize(100, 30) << int(QSlider::TicksAbove) << -1 << 8 + (22 * 2) / 3;
        QTest::newRow("below, length from the proxy")
            << int(Qt::Horizontal) << QSize(100, 30) << int(QSlider::TicksBelow) << 20 << 11 + (19 * 2) / 3;
        QTest::newRow("no room left") << int(Qt::Vertical) << QSize(5, 100) << int(QSlider::TicksLeft) << -1 << 8;
    }

    void sliderThickness()
    {
        QFETCH(int, orientation);
        QFETCH(QSize, size);
        QFETCH(int, ticks);
        QFETCH(int, proxyLength);
        QFETCH(int, expected);
        const EchelleDEcranImposee echelle(1.0);
        TweakedStyle style;
        style.sliderLength = proxyLength;
        const QStyleOptionSlider option =
            sliderOption(Qt::Orientation(orientation), size, QSlider::TickPosition(ticks));
        QCOMPARE(style.pixelMetric(QStyle::PM_SliderControlThickness, &option), expected);
    }

    void styleHints_data()
    {
        QTest::addColumn<int>("hint");
        QTest::addColumn<int>("expected");
        const QStyle::StyleHint ones[] = {
            QStyle::SH_EtchDisabledText,
            QStyle::SH_Slider_SnapToValue,
            QStyle::SH_PrintDialog_RightAlignButtons,
            QStyle::SH_MainWindow_SpaceBelowMenuBar,
            QStyle::SH_FontDialog_SelectAssociatedText,
            QStyle::SH_Menu_AllowActiveAndDisabled,
            QStyle::SH_MenuBar_AltKeyNavigation,
            QStyle::SH_ComboBox_ListMouseTracking,
            QStyle::SH_Menu_MouseTracking,
            QStyle::SH_MenuBar_MouseTracking,
            QStyle::SH_ItemView_ChangeHighlightOnFocus,
            QStyle::SH_Slider_StopMouseOverSlider,
            QStyle::SH_ItemView_ArrowKeysNavigateIntoChildren,
            QStyle::SH_WizardStyle,
        };
        for (const QStyle::StyleHint hint : ones)
            QTest::addRow("hint %d", int(hint)) << int(hint) << 1;
        QTest::newRow("tool box title not bold") << int(QStyle::SH_ToolBox_SelectedPageTitleBold) << 0;
        QTest::newRow("no icons on dialog buttons") << int(QStyle::SH_DialogButtonBox_ButtonsHaveIcons) << 0;
        QTest::newRow("common: tab alignment")
            << int(QStyle::SH_TabBar_Alignment) << QCommonStyle().styleHint(QStyle::SH_TabBar_Alignment);
    }

    void styleHints()
    {
        QFETCH(int, hint);
        QFETCH(int, expected);
        QWindowsStyleLocal style;
        QCOMPARE(style.styleHint(QStyle::StyleHint(hint)), expected);
    }

    // Only list views show the whole row selected.
    void decorationSelectedOnlyForListViews()
    {
        QWindowsStyleLocal style;
        QListView list;
        QTreeView tree;
        QCOMPARE(style.styleHint(QStyle::SH_ItemView_ShowDecorationSelected, nullptr, &list), 1);
        QCOMPARE(style.styleHint(QStyle::SH_ItemView_ShowDecorationSelected, nullptr, &tree), 0);
        QCOMPARE(style.styleHint(QStyle::SH_ItemView_ShowDecorationSelected), 0);
    }

    void rubberBandMask_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("border");
        QTest::newRow("window") << int(QRubberBand::Rectangle) << QStringLiteral("window") << 1 << 4;
        QTest::newRow("inside a widget") << int(QRubberBand::Rectangle) << QStringLiteral("child") << 1 << 1;
        QTest::newRow("no widget") << int(QRubberBand::Rectangle) << QString() << 1 << 1;
        QTest::newRow("line") << int(QRubberBand::Line) << QStringLiteral("window") << 0 << 0;
        QTest::newRow("another option") << -1 << QStringLiteral("window") << 0 << 0;
    }

    void rubberBandMask()
    {
        QFETCH(int, shape);
        QFETCH(QString, where);
        QFETCH(int, answer);
        QFETCH(int, border);
        QWindowsStyleLocal style;
        QWidget window;
        auto* child = new QWidget(&window);
        const QWidget* widget = where == QLatin1String("window") ? &window
            : where == QLatin1String("child")                    ? child
                                                                 : nullptr;
        QStyleOptionRubberBand band;
        QStyleOption other;
        const QRect rect(10, 20, 30, 40);
        band.rect = other.rect = rect;
        band.shape = QRubberBand::Shape(qMax(shape, 0));
        QStyleHintReturnMask mask;
        const QStyleOption* option = shape < 0 ? &other : &band;
        QCOMPARE(style.styleHint(QStyle::SH_RubberBand_Mask, option, widget, &mask), answer);
        if (answer == 0) {
            QVERIFY(mask.region.isEmpty());
            return;
        }
        QCOMPARE(mask.region, QRegion(rect) - QRegion(rect.adjusted(border, border, -border, -border)));
        QCOMPARE(style.styleHint(QStyle::SH_RubberBand_Mask, option, widget, nullptr), 1);
    }

    void subElements()
    {
        QWindowsStyleLocal style;
        QCommonStyle common;
        QStyleOptionButton button;
        button.rect = QRect(0, 0, 80, 24);
        QCOMPARE(style.subElementRect(QStyle::SE_PushButtonFocusRect, &button), QRect());

        QStyleOptionSlider slider;
        slider.rect = QRect(3, 4, 100, 20);
        slider.direction = Qt::RightToLeft;
        QCOMPARE(style.subElementRect(QStyle::SE_SliderFocusRect, &slider), slider.rect);
        QCOMPARE(style.subElementRect(QStyle::SE_ToolBoxTabContents, &slider), slider.rect);

        QStyleOptionProgressBar progress;
        progress.rect = QRect(0, 0, 120, 24);
        QCOMPARE(style.subElementRect(QStyle::SE_ProgressBarContents, &progress),
                 common.subElementRect(QStyle::SE_ProgressBarGroove, &progress).adjusted(3, 3, -3, -3));

        // The dock title loses the title margin at its start, or at the
        // bottom of a vertical title bar.
        TweakedStyle tweaked;
        tweaked.dockMargin = 5;
        QStyleOptionDockWidget dock;
        dock.rect = QRect(0, 0, 200, 20);
        const int margin = 5;
        const QRect base = common.subElementRect(QStyle::SE_DockWidgetTitleBarText, &dock);
        QCOMPARE(tweaked.subElementRect(QStyle::SE_DockWidgetTitleBarText, &dock, nullptr), base.adjusted(margin, 0, 0, 0));
        dock.direction = Qt::RightToLeft;
        QCOMPARE(tweaked.subElementRect(QStyle::SE_DockWidgetTitleBarText, &dock, nullptr),
                 common.subElementRect(QStyle::SE_DockWidgetTitleBarText, &dock).adjusted(0, 0, -margin, 0));
        dock.verticalTitleBar = true;
        QCOMPARE(tweaked.subElementRect(QStyle::SE_DockWidgetTitleBarText, &dock, nullptr),
                 common.subElementRect(QStyle::SE_DockWidgetTitleBarText, &dock).adjusted(0, 0, 0, -margin));
    }

    void contentsSizes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QSize>("contents");
        QTest::addColumn<QSize>("expected");
        // The common style adds its button margins and frame first.
        QCommonStyle common;
        QStyleOptionButton plain;
        const QSize small(10, 4);
        const QSize base = common.sizeFromContents(QStyle::CT_PushButton, &plain, small);
        QTest::newRow("text: at least 75 x 23") << QStringLiteral("text") << small
                                                << QSize(qMax(base.width(), 75), qMax(base.height(), 23));
        QTest::newRow("auto default: 2 more each way")
            << QStringLiteral("auto") << small << QSize(qMax(base.width(), 77), qMax(base.height(), 25));
        QTest::newRow("icon only: narrow but 23 high")
            << QStringLiteral("icon") << small << QSize(base.width(), qMax(base.height(), 23));
        QTest::newRow("wide text keeps its width")
            << QStringLiteral("text") << QSize(200, 4)
            << common.sizeFromContents(QStyle::CT_PushButton, &plain, QSize(200, 4)).expandedTo(QSize(75, 23));
        QTest::newRow("push button without its option") << QStringLiteral("other") << small << small;
        QTest::newRow("tool button: 7 and 6 more") << QStringLiteral("tool") << QSize(16, 16) << QSize(23, 22);
    }

    void contentsSizes()
    {
        QFETCH(QString, kind);
        QFETCH(QSize, contents);
        QFETCH(QSize, expected);
        const EchelleDEcranImposee echelle(1.0);
        QWindowsStyleLocal style;
        QStyleOptionButton button;
        QStyleOptionToolButton tool;
        QStyleOption other;
        const QStyleOption* option = &button;
        QStyle::ContentsType type = QStyle::CT_PushButton;
        if (kind == QLatin1String("text"))
            button.text = QStringLiteral("Ok");
        else if (kind == QLatin1String("auto")) {
            button.text = QStringLiteral("Ok");
            button.features = QStyleOptionButton::AutoDefaultButton;
        } else if (kind == QLatin1String("other"))
            option = &other;
        else if (kind == QLatin1String("tool")) {
            option = &tool;
            type = QStyle::CT_ToolButton;
        }
        QCOMPARE(style.sizeFromContents(type, option, contents), expected);
    }

    // Alt repaints the visible descendants of the window that are not
    // windows and do not underline all the time; the key is never eaten, and
    // its release repaints nothing.
    void altKeyRepaintsShortcutUnderlines()
    {
        QWindowsStyleLocal style;
        TweakedStyle alwaysUnderlines;
        alwaysUnderlines.underline = 1;
        TweakedStyle onlyWithAlt;
        onlyWithAlt.underline = 0;

        QWidget window;
        auto* layout = new QHBoxLayout(&window);
        auto* shown = new QPushButton(QStringLiteral("&Jouer"));
        auto* hidden = new QPushButton(QStringLiteral("&Caché"));
        auto* underlining = new QPushButton(QStringLiteral("&Toujours"));
        auto* nested = new QLabel(QStringLiteral("&Dedans"));
        auto* box = new QWidget;
        box->setLayout(new QHBoxLayout);
        box->layout()->addWidget(nested);
        for (QWidget* w : {static_cast<QWidget*>(shown), static_cast<QWidget*>(hidden),
                           static_cast<QWidget*>(underlining), box})
            layout->addWidget(w);
        auto* dialog = new QDialog(&window);
        auto* inDialog = new QPushButton(QStringLiteral("&Fermer"), dialog);
        dialog->setFixedSize(300, 200);
        inDialog->setGeometry(10, 10, 80, 25);
        for (QWidget* w : {static_cast<QWidget*>(shown), static_cast<QWidget*>(hidden), static_cast<QWidget*>(nested),
                           static_cast<QWidget*>(dialog), static_cast<QWidget*>(inDialog)})
            w->setStyle(&onlyWithAlt);
        underlining->setStyle(&alwaysUnderlines);
        window.show();
        dialog->show();
        hidden->hide();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        // Filters installed last run first: the style's sees the key before
        // the counter does.
        PaintCounter keys;
        window.installEventFilter(&keys);
        window.installEventFilter(&style);

        enum { SHOWN, HIDDEN, UNDERLINING, NESTED, DIALOG, IN_DIALOG, COUNT };
        PaintCounter counters[COUNT];
        QWidget* watched[COUNT] = {shown, hidden, underlining, nested, dialog, inDialog};
        for (int i = 0; i < COUNT; ++i)
            watched[i]->installEventFilter(&counters[i]);
        const auto settle = [&] {
            QCoreApplication::processEvents();
            QTest::qWait(20);
            for (PaintCounter& c : counters) {
                c.paints = 0;
                c.painted = QRegion();
            }
        };
        settle();

        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &release);
        QCoreApplication::processEvents();
        QTest::qWait(20);
        for (const PaintCounter& c : counters)
            QCOMPARE(c.paints, 0);

        QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QCoreApplication::sendEvent(&window, &press);
        QCOMPARE(keys.keys, 1); // the event went on past the style
        QTRY_VERIFY(counters[SHOWN].paints > 0);
        QVERIFY(counters[NESTED].paints > 0);
        QCOMPARE(counters[HIDDEN].paints, 0);
        QCOMPARE(counters[UNDERLINING].paints, 0);
        // A dialog is a window of its own and is not repainted as a whole,
        // though its children are descendants of the window too.
        QVERIFY(counters[IN_DIALOG].paints > 0);
        QCOMPARE(counters[DIALOG].painted, QRegion(inDialog->geometry()));
    }
};

ZB_REGISTER_TEST(TestWindowsStyle)
#include "TestWindowsStyle.moc"
