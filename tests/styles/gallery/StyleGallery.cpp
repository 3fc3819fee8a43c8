#include "StyleGallery.h"

#include "AppStyleSwitch.h"
#include "QPlastiqueStyleLocal.h"
#include "QWindowsStyleLocal.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDial>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRubberBand>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int PANEL_COLUMNS = 2;
constexpr int SLIDER_LENGTH = 110;
constexpr int SMALL_WIDGET_HEIGHT = 90;
constexpr int TAB_WIDGET_SIZE = 170;
constexpr int VERTICAL_TAB_WIDGET_HEIGHT = 170;

QGroupBox* group(const QString& title, QLayout* layout)
{
    auto* box = new QGroupBox(title);
    box->setLayout(layout);
    return box;
}

QWidget* buttons()
{
    auto* layout = new QGridLayout;
    auto* normal = new QPushButton(QStringLiteral("&Normal"));
    auto* byDefault = new QPushButton(QStringLiteral("Par &défaut"));
    // As in a dialog: the default button wears its frame.
    byDefault->setAutoDefault(true);
    byDefault->setDefault(true);
    auto* flat = new QPushButton(QStringLiteral("Plat"));
    flat->setFlat(true);
    auto* checked = new QPushButton(QStringLiteral("Coché"));
    checked->setCheckable(true);
    checked->setChecked(true);
    auto* down = new QPushButton(QStringLiteral("Enfoncé"));
    down->setDown(true);
    auto* iconOnly = new QPushButton;
    iconOnly->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogOkButton));
    layout->addWidget(normal, 0, 0);
    layout->addWidget(byDefault, 0, 1);
    layout->addWidget(flat, 0, 2);
    layout->addWidget(checked, 1, 0);
    layout->addWidget(down, 1, 1);
    layout->addWidget(iconOnly, 1, 2);

    auto* tool = new QToolButton;
    tool->setText(QStringLiteral("Outil"));
    auto* raised = new QToolButton;
    raised->setText(QStringLiteral("Levé"));
    raised->setAutoRaise(true);
    auto* toolChecked = new QToolButton;
    toolChecked->setText(QStringLiteral("Coché"));
    toolChecked->setCheckable(true);
    toolChecked->setChecked(true);
    auto* arrow = new QToolButton;
    arrow->setArrowType(Qt::DownArrow);
    auto* menu = new QToolButton;
    menu->setText(QStringLiteral("Menu"));
    menu->setPopupMode(QToolButton::MenuButtonPopup);
    menu->addAction(QStringLiteral("Un"));
    auto* tools = new QHBoxLayout;
    for (QToolButton* b : {tool, raised, toolChecked, arrow, menu})
        tools->addWidget(b);
    layout->addLayout(tools, 2, 0, 1, 3);
    return group(QStringLiteral("Boutons"), layout);
}

QWidget* choices()
{
    auto* layout = new QGridLayout;
    auto* off = new QCheckBox(QStringLiteral("Non coché"));
    auto* on = new QCheckBox(QStringLiteral("Coché"));
    on->setChecked(true);
    auto* partly = new QCheckBox(QStringLiteral("Partiel"));
    partly->setTristate(true);
    partly->setCheckState(Qt::PartiallyChecked);
    auto* radioOn = new QRadioButton(QStringLiteral("Choisi"));
    radioOn->setChecked(true);
    auto* radioOff = new QRadioButton(QStringLiteral("Autre"));
    layout->addWidget(off, 0, 0);
    layout->addWidget(on, 1, 0);
    layout->addWidget(partly, 2, 0);
    layout->addWidget(radioOn, 0, 1);
    layout->addWidget(radioOff, 1, 1);

    auto* combo = new QComboBox;
    combo->addItems({QStringLiteral("Suisse romand"), QStringLiteral("Belote")});
    auto* editable = new QComboBox;
    editable->setEditable(true);
    editable->addItems({QStringLiteral("Éditable"), QStringLiteral("Autre")});
    layout->addWidget(combo, 3, 0);
    layout->addWidget(editable, 3, 1);

    auto* arrows = new QSpinBox;
    arrows->setValue(5);
    auto* plusMinus = new QSpinBox;
    plusMinus->setButtonSymbols(QAbstractSpinBox::PlusMinus);
    plusMinus->setValue(99);
    auto* noButtons = new QSpinBox;
    noButtons->setButtonSymbols(QAbstractSpinBox::NoButtons);
    layout->addWidget(arrows, 4, 0);
    layout->addWidget(plusMinus, 4, 1);
    layout->addWidget(noButtons, 5, 0);

    auto* edit = new QLineEdit(QStringLiteral("Texte"));
    auto* placeholder = new QLineEdit;
    placeholder->setPlaceholderText(QStringLiteral("Indication"));
    auto* readOnly = new QLineEdit(QStringLiteral("Lecture seule"));
    readOnly->setReadOnly(true);
    layout->addWidget(edit, 5, 1);
    layout->addWidget(placeholder, 6, 0);
    layout->addWidget(readOnly, 6, 1);
    return group(QStringLiteral("Choix et saisie"), layout);
}

QWidget* ranges()
{
    auto* layout = new QGridLayout;
    const QSlider::TickPosition ticks[] = {QSlider::NoTicks, QSlider::TicksAbove, QSlider::TicksBelow,
                                           QSlider::TicksBothSides};
    auto* vertical = new QHBoxLayout;
    for (int i = 0; i < 4; ++i) {
        auto* h = new QSlider(Qt::Horizontal);
        h->setTickPosition(ticks[i]);
        h->setValue(30);
        h->setFixedWidth(SLIDER_LENGTH);
        layout->addWidget(h, i, 0);
        auto* v = new QSlider(Qt::Vertical);
        v->setTickPosition(ticks[i]);
        v->setValue(60);
        v->setFixedHeight(SLIDER_LENGTH);
        vertical->addWidget(v);
    }
    auto* dial = new QDial;
    dial->setNotchesVisible(true);
    dial->setValue(40);
    dial->setFixedSize(SMALL_WIDGET_HEIGHT, SMALL_WIDGET_HEIGHT);
    vertical->addWidget(dial);
    layout->addLayout(vertical, 0, 1, 4, 1);

    auto* horizontalBar = new QScrollBar(Qt::Horizontal);
    horizontalBar->setRange(0, 100);
    horizontalBar->setValue(40);
    auto* stuck = new QScrollBar(Qt::Horizontal);
    stuck->setRange(0, 0);
    layout->addWidget(horizontalBar, 4, 0);
    layout->addWidget(stuck, 5, 0);
    auto* verticalBar = new QScrollBar(Qt::Vertical);
    verticalBar->setRange(0, 100);
    verticalBar->setValue(70);
    verticalBar->setFixedHeight(SMALL_WIDGET_HEIGHT);
    layout->addWidget(verticalBar, 4, 1, 3, 1, Qt::AlignLeft);

    auto* busy = new QProgressBar;
    busy->setRange(0, 0);
    auto* normal = new QProgressBar;
    normal->setValue(60);
    auto* reversed = new QProgressBar;
    reversed->setValue(60);
    reversed->setInvertedAppearance(true);
    auto* bars = new QVBoxLayout;
    for (QProgressBar* b : {busy, normal, reversed})
        bars->addWidget(b);
    layout->addLayout(bars, 6, 0);
    return group(QStringLiteral("Curseurs et barres"), layout);
}

QWidget* tabs()
{
    auto* layout = new QGridLayout;
    const QTabWidget::TabPosition positions[] = {QTabWidget::North, QTabWidget::South, QTabWidget::West,
                                                 QTabWidget::East};
    int column = 0;
    for (const QTabWidget::TabShape shape : {QTabWidget::Rounded, QTabWidget::Triangular}) {
        for (int i = 0; i < 4; ++i) {
            auto* tabWidget = new QTabWidget;
            tabWidget->setTabShape(shape);
            tabWidget->setTabPosition(positions[i]);
            for (const char* name : {"Un", "Deux", "Trois"})
                tabWidget->addTab(new QLabel(QString::fromLatin1(name)), QString::fromLatin1(name));
            tabWidget->setCurrentIndex(1);
            const bool vertical = positions[i] == QTabWidget::West || positions[i] == QTabWidget::East;
            tabWidget->setFixedSize(TAB_WIDGET_SIZE, vertical ? VERTICAL_TAB_WIDGET_HEIGHT : SMALL_WIDGET_HEIGHT);
            layout->addWidget(tabWidget, i / 2 + (shape == QTabWidget::Triangular ? 2 : 0), column + i % 2);
        }
    }
    return group(QStringLiteral("Onglets"), layout);
}

QWidget* views()
{
    auto* layout = new QGridLayout;
    auto* tree = new QTreeWidget;
    tree->setHeaderLabels({QStringLiteral("Arbre"), QStringLiteral("Valeur")});
    auto* root = new QTreeWidgetItem(tree, {QStringLiteral("Parties")});
    for (const char* name : {"Jass", "Belote"}) {
        auto* child = new QTreeWidgetItem(root, {QString::fromLatin1(name), QStringLiteral("1")});
        child->setCheckState(1, name[0] == 'J' ? Qt::Checked : Qt::Unchecked);
        new QTreeWidgetItem(child, {QStringLiteral("Variante")});
    }
    auto* closed = new QTreeWidgetItem(tree, {QStringLiteral("Fermé")});
    new QTreeWidgetItem(closed, {QStringLiteral("Caché")});
    tree->expandItem(root);
    tree->expandItem(root->child(0));
    tree->setFixedHeight(SMALL_WIDGET_HEIGHT + SMALL_WIDGET_HEIGHT / 2);
    layout->addWidget(tree, 0, 0);

    auto* table = new QTableWidget(3, 3);
    table->setHorizontalHeaderLabels({QStringLiteral("Un"), QStringLiteral("Deux"), QStringLiteral("Trois")});
    table->horizontalHeader()->setSortIndicatorShown(true);
    table->horizontalHeader()->setSortIndicator(1, Qt::AscendingOrder);
    table->setFixedHeight(SMALL_WIDGET_HEIGHT + SMALL_WIDGET_HEIGHT / 2);
    layout->addWidget(table, 0, 1);

    auto* toolBox = new QToolBox;
    toolBox->addItem(new QLabel(QStringLiteral("Première page")), QStringLiteral("Page 1"));
    toolBox->addItem(new QLabel(QStringLiteral("Seconde page")), QStringLiteral("Page 2"));
    toolBox->addItem(new QLabel(QStringLiteral("Troisième page")), QStringLiteral("Page 3"));
    toolBox->setFixedHeight(SMALL_WIDGET_HEIGHT + SMALL_WIDGET_HEIGHT / 2);
    layout->addWidget(toolBox, 1, 0);

    auto* splitter = new QSplitter;
    for (const QFrame::Shape shape : {QFrame::Panel, QFrame::WinPanel, QFrame::StyledPanel}) {
        auto* frame = new QFrame;
        frame->setFrameStyle(shape | QFrame::Sunken);
        frame->setLineWidth(2);
        splitter->addWidget(frame);
    }
    auto* raisedFrame = new QFrame;
    raisedFrame->setFrameStyle(QFrame::Box | QFrame::Raised);
    splitter->addWidget(raisedFrame);
    // The rubber band of a selection drag, inside another widget.
    auto* band = new QRubberBand(QRubberBand::Rectangle, splitter->widget(0));
    band->setGeometry(4, 4, 40, 30);
    band->show();
    layout->addWidget(splitter, 1, 1);

    auto* mdi = new QMdiArea;
    const char* titles[] = {"Inactive", "Minimisée", "Active"};
    QMdiSubWindow* last = nullptr;
    for (int i = 0; i < 3; ++i) {
        auto* text = new QTextEdit(QString::fromUtf8(titles[i]));
        last = mdi->addSubWindow(text);
        last->setWindowTitle(QString::fromUtf8(titles[i]));
        last->setGeometry(10 + 60 * i, 10 + 15 * i, 160, 80);
        if (i == 1)
            last->showMinimized();
        else
            last->show();
    }
    mdi->setActiveSubWindow(last);
    mdi->setFixedHeight(SMALL_WIDGET_HEIGHT * 2);
    layout->addWidget(mdi, 2, 0);

    auto* boxes = new QVBoxLayout;
    auto* checkable = new QGroupBox(QStringLiteral("Cochable"));
    checkable->setCheckable(true);
    checkable->setLayout(new QVBoxLayout);
    checkable->layout()->addWidget(new QLabel(QStringLiteral("Dedans")));
    auto* flat = new QGroupBox(QStringLiteral("Plat"));
    flat->setFlat(true);
    flat->setLayout(new QVBoxLayout);
    flat->layout()->addWidget(new QLabel(QStringLiteral("Dedans")));
    boxes->addWidget(checkable);
    boxes->addWidget(flat);
    layout->addLayout(boxes, 2, 1);
    return group(QStringLiteral("Vues et cadres"), layout);
}

QToolBar* toolBar(const QString& title)
{
    auto* bar = new QToolBar(title);
    QStyle* style = QApplication::style();
    bar->addAction(style->standardIcon(QStyle::SP_FileIcon), QStringLiteral("Nouveau"));
    bar->addAction(style->standardIcon(QStyle::SP_DirOpenIcon), QStringLiteral("Ouvrir"));
    bar->addSeparator();
    bar->addAction(style->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Enregistrer"));
    return bar;
}

} // namespace

StyleGallery::StyleGallery(QWidget* parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Galerie des styles"));
    auto* layout = new QGridLayout(this);
    int i = 0;
    for (const Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        for (const bool enabled : {true, false}) {
            layout->addWidget(createPanel(enabled, direction), i / PANEL_COLUMNS, i % PANEL_COLUMNS);
            ++i;
        }
    }
}

QList<StyleGallery::Entry> StyleGallery::styles()
{
    QList<Entry> entries = {{QStringLiteral("windows"), [] { return static_cast<QStyle*>(new QWindowsStyleLocal); }},
                            {QStringLiteral("plastique"),
                             [] { return static_cast<QStyle*>(new QPlastiqueStyleLocal); }}};
    const struct
    {
        const char* name;
        int number;
    } themes[] = {{"wood", AppStyleSwitch::WOOD},
                  {"alien", AppStyleSwitch::ALIEN},
                  {"racing", AppStyleSwitch::RACING},
                  {"candy", AppStyleSwitch::CANDY},
                  {"nature", AppStyleSwitch::NATURE}};
    for (const bool screenshots : {false, true}) {
        for (const auto& theme : themes) {
            const int number = theme.number;
            entries.append({QLatin1String(theme.name) + (screenshots ? QLatin1String("-screenshots") : QLatin1String()),
                            [number, screenshots] { return AppStyleSwitch::createStyle(number, screenshots); }, true});
        }
    }
    return entries;
}

void StyleGallery::install(const Entry& entry)
{
    // The application owns the style and deletes it when the next one is
    // set.
    QApplication::setStyle(entry.create());
    // An empty palette sets no role, so a theme's polished palette shows
    // through; the base styles are shown in their own colours, not the
    // platform's.
    QApplication::setPalette(entry.themed ? QPalette() : QApplication::style()->standardPalette());
}

QWidget* StyleGallery::createPanel(bool enabled, Qt::LayoutDirection direction)
{
    // A main window inside the gallery, for its menu bar, tool bars in the
    // four areas and status bar.
    auto* window = new QMainWindow;
    window->setWindowFlags(Qt::Widget);
    window->setLayoutDirection(direction);
    QMenuBar* menus = window->menuBar();
    menus->addMenu(QStringLiteral("&Fichier"));
    menus->addMenu(QStringLiteral("&Édition"));
    menus->addMenu(QStringLiteral("&Aide"));
    window->addToolBar(Qt::TopToolBarArea, toolBar(QStringLiteral("Haut")));
    window->addToolBar(Qt::TopToolBarArea, toolBar(QStringLiteral("Haut 2")));
    window->addToolBar(Qt::BottomToolBarArea, toolBar(QStringLiteral("Bas")));
    window->addToolBar(Qt::LeftToolBarArea, toolBar(QStringLiteral("Gauche")));
    window->addToolBar(Qt::RightToolBarArea, toolBar(QStringLiteral("Droite")));
    window->statusBar()->showMessage(enabled ? QStringLiteral("Actif") : QStringLiteral("Inactif"));
    window->statusBar()->addPermanentWidget(new QLabel(direction == Qt::LeftToRight ? QStringLiteral("LTR")
                                                                                    : QStringLiteral("RTL")));

    auto* central = new QWidget;
    auto* layout = new QGridLayout(central);
    layout->addWidget(buttons(), 0, 0);
    layout->addWidget(choices(), 1, 0);
    layout->addWidget(ranges(), 2, 0);
    layout->addWidget(tabs(), 0, 1, 2, 1);
    layout->addWidget(views(), 2, 1, 2, 1);
    window->setCentralWidget(central);
    window->setEnabled(enabled);
    return window;
}

QImage StyleGallery::paintToImage()
{
    QImage image(size() * devicePixelRatio(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio());
    image.fill(palette().window().color());
    render(&image);
    return image;
}
