// The styles' costs: a theme switch with windows open; building a cache
// key, which happens on every paint of every cached control; painting the whole style gallery (every widget kind,
// four times) in each style into an image with the pixmap cache emptied
// before each paint (cold) and kept from the previous one (warm); 200
// equal push buttons, which share one cached panel; and a Plastique dial,
// slider and scroll bar repainted while their value moves, whose body,
// groove and pages come from the cache.
#include "ApplicationDeBanc.h"
#include "AppStyleSwitch.h"
#include "QPlastiqueStyleLocal.h"
#include "QWindowsStyleLocal.h"
#include "StyleGallery.h"
#include "StyleTools.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QPainter>
#include <QPushButton>
#include <QPixmapCache>
#include <QStyleOption>
#include <QTabWidget>

#include <cstdio>
#include <memory>

namespace {

QApplication& application()
{
    return applicationDeBanc("bench_styles", PlateformeBanc::HorsEcranSansAffichage, false);
}

void BM_OptionCacheKey(benchmark::State& state)
{
    application();
    QStyleOptionButton button;
    button.rect = QRect(0, 0, 75, 23);
    const QString name = QStringLiteral("pushbutton-0");
    for (auto _ : state)
        benchmark::DoNotOptimize(StyleTools::optionCacheKey(name, &button, button.rect.size()));
}
BENCHMARK(BM_OptionCacheKey);

void BM_OptionCacheKeySpinBox(benchmark::State& state)
{
    application();
    QStyleOptionSpinBox spinBox;
    spinBox.rect = QRect(0, 0, 60, 22);
    const QString name = QStringLiteral("spinbox");
    for (auto _ : state)
        benchmark::DoNotOptimize(StyleTools::optionCacheKey(name, &spinBox, spinBox.rect.size()));
}
BENCHMARK(BM_OptionCacheKeySpinBox);

// The gallery's entries measured: the two base styles and the five themes
// (their screenshot-mode copies paint alike). Themed panels are never
// cached, so a theme's cold and warm paints differ only by what the
// Plastique style under it caches.
constexpr int GALLERY_STYLES = 7;

// The gallery in the style of that index of StyleGallery::styles(), laid
// out and shown once; switching styles polishes it again.
StyleGallery& gallery(int styleIndex)
{
    application();
    static int current = -1;
    if (current != styleIndex) {
        current = styleIndex;
        StyleGallery::install(StyleGallery::styles().at(styleIndex));
    }
    // Left to the end of the process, like the application.
    static StyleGallery* window = [] {
        auto* made = new StyleGallery;
        made->show();
        return made;
    }();
    QCoreApplication::processEvents();
    return *window;
}

void nameAfterStyle(benchmark::State& state, int styleIndex)
{
    state.SetLabel(StyleGallery::styles().at(styleIndex).name.toStdString());
}

void BM_GalleryCold(benchmark::State& state)
{
    const int styleIndex = int(state.range(0));
    StyleGallery& window = gallery(styleIndex);
    for (auto _ : state) {
        state.PauseTiming();
        QPixmapCache::clear();
        state.ResumeTiming();
        benchmark::DoNotOptimize(window.paintToImage());
    }
    state.counters["width"] = window.width();
    state.counters["height"] = window.height();
    nameAfterStyle(state, styleIndex);
}
BENCHMARK(BM_GalleryCold)->DenseRange(0, GALLERY_STYLES - 1)->Unit(benchmark::kMillisecond);

// The target: a warm repaint within 16 ms on one core.
void BM_GalleryWarm(benchmark::State& state)
{
    const int styleIndex = int(state.range(0));
    StyleGallery& window = gallery(styleIndex);
    window.paintToImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(window.paintToImage());
    nameAfterStyle(state, styleIndex);
}
BENCHMARK(BM_GalleryWarm)->DenseRange(0, GALLERY_STYLES - 1)->Unit(benchmark::kMillisecond);

// 200 equal Plastique push-button panels painted on one image: with the
// cache kept (argument 1) they share one picture; emptied before each
// round (argument 0) the first one paints it again.
void BM_PushButtonPanels200(benchmark::State& state)
{
    application();
    constexpr int BUTTONS = 200;
    constexpr int COLUMNS = 10;
    const bool warm = state.range(0) != 0;
    QPlastiqueStyleLocal style;
    QStyleOptionButton option;
    option.state = QStyle::State_Enabled;
    option.palette = style.standardPalette();
    option.rect = QRect(0, 0, 75, 23);
    QImage image(COLUMNS * 75, (BUTTONS / COLUMNS) * 23, QImage::Format_ARGB32_Premultiplied);
    QPixmapCache::clear();
    for (auto _ : state) {
        if (!warm) {
            state.PauseTiming();
            QPixmapCache::clear();
            state.ResumeTiming();
        }
        QPainter painter(&image);
        for (int i = 0; i < BUTTONS; ++i) {
            option.rect.moveTo((i % COLUMNS) * 75, (i / COLUMNS) * 23);
            style.drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter);
        }
    }
    state.SetItemsProcessed(state.iterations() * BUTTONS);
    state.SetLabel(warm ? "warm" : "cold");
}
BENCHMARK(BM_PushButtonPanels200)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// 200 equal push buttons as widgets in a window of their own, painted warm.
void BM_PushButtonWidgets200(benchmark::State& state)
{
    application();
    QApplication::setStyle(new QPlastiqueStyleLocal);
    QWidget window;
    auto* layout = new QGridLayout(&window);
    for (int i = 0; i < 200; ++i)
        layout->addWidget(new QPushButton(QStringLiteral("Jouer")), i / 10, i % 10);
    window.show();
    QCoreApplication::processEvents();
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    window.render(&image);
    for (auto _ : state)
        window.render(&image);
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(BM_PushButtonWidgets200)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

QStyleOptionSlider movingSlider(const QRect& rect, Qt::Orientation orientation)
{
    QStyleOptionSlider option;
    option.rect = rect;
    option.state = QStyle::State_Enabled;
    option.orientation = orientation;
    option.minimum = 0;
    option.maximum = 100;
    option.pageStep = 10;
    option.singleStep = 1;
    option.tickInterval = 10;
    option.tickPosition = QSlider::TicksBelow;
    option.subControls = QStyle::SC_All;
    return option;
}

// Arg 0: the dial, 1: the slider, 2: the scroll bar with its slider pressed.
void BM_PlastiqueValueChanging(benchmark::State& state)
{
    application();
    QPlastiqueStyleLocal style;
    QImage image(220, 120, QImage::Format_ARGB32_Premultiplied);
    const int kind = int(state.range(0));
    const QStyle::ComplexControl control =
        kind == 0 ? QStyle::CC_Dial : (kind == 1 ? QStyle::CC_Slider : QStyle::CC_ScrollBar);
    QStyleOptionSlider option = kind == 0 ? movingSlider(QRect(0, 0, 100, 100), Qt::Horizontal)
                                          : movingSlider(QRect(0, 0, 200, kind == 1 ? 30 : 16), Qt::Horizontal);
    if (kind == 2) {
        option.activeSubControls = QStyle::SC_ScrollBarSlider;
        option.state |= QStyle::State_Sunken;
    }
    QPixmapCache::clear();
    int value = 0;
    for (auto _ : state) {
        option.sliderPosition = option.sliderValue = value;
        value = (value + 1) % 101;
        QPainter painter(&image);
        style.drawComplexControl(control, &option, &painter);
    }
}
BENCHMARK(BM_PlastiqueValueChanging)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace

namespace {

// A theme switch as the main window makes it, with a few windows built: the
// gallery, a dialog of buttons and tabs, and a window of 200 buttons. The
// switch polishes them all; the posted palette change reaches them before
// the next switch.
void BM_ThemeSwitch(benchmark::State& state)
{
    application();
    StyleGallery galleryWindow;
    galleryWindow.show();
    QDialog dialog;
    auto* dialogLayout = new QGridLayout(&dialog);
    for (int i = 0; i < 12; ++i)
        dialogLayout->addWidget(new QPushButton(QStringLiteral("Choix %1").arg(i)), i / 3, i % 3);
    auto* tabs = new QTabWidget;
    tabs->addTab(new QWidget, QStringLiteral("Serveurs"));
    tabs->addTab(new QWidget, QStringLiteral("Amis"));
    dialogLayout->addWidget(tabs, 4, 0, 1, 3);
    dialog.show();
    QWidget buttons;
    auto* layout = new QGridLayout(&buttons);
    for (int i = 0; i < 200; ++i)
        layout->addWidget(new QPushButton(QStringLiteral("Jouer")), i / 10, i % 10);
    buttons.show();
    QCoreApplication::processEvents();
    int number = AppStyleSwitch::WOOD;
    for (auto _ : state) {
        benchmark::DoNotOptimize(AppStyleSwitch::apply(number, false));
        QCoreApplication::processEvents();
        number = (number + 1) % (AppStyleSwitch::NATURE + 1);
    }
}
BENCHMARK(BM_ThemeSwitch)->Unit(benchmark::kMillisecond);

} // namespace
