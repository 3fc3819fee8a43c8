// The styles' costs: building a cache key, which happens on every paint of
// every cached control, and painting the whole style gallery (every widget
// kind, four times) into an image with the pixmap cache emptied before each
// paint (cold) and kept from the previous one (warm).
#include "QWindowsStyleLocal.h"
#include "StyleGallery.h"
#include "StyleTools.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmapCache>
#include <QStyleOption>

#include <cstdio>
#include <memory>

namespace {

void silent(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        fprintf(stderr, "%s\n", qPrintable(text));
}

QApplication& application()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(&silent);
    static int argc = 1;
    static char name[] = "bench_styles";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
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

// The gallery under the Windows style, laid out and shown once.
StyleGallery& gallery()
{
    application();
    static const bool styled = [] {
        QApplication::setStyle(new QWindowsStyleLocal);
        QApplication::setPalette(QApplication::style()->standardPalette());
        return true;
    }();
    Q_UNUSED(styled)
    static StyleGallery window;
    static const bool shown = [] {
        window.show();
        QCoreApplication::processEvents();
        return true;
    }();
    Q_UNUSED(shown)
    return window;
}

void BM_GalleryCold(benchmark::State& state)
{
    StyleGallery& window = gallery();
    for (auto _ : state) {
        state.PauseTiming();
        QPixmapCache::clear();
        state.ResumeTiming();
        benchmark::DoNotOptimize(window.paintToImage());
    }
    state.counters["width"] = window.width();
    state.counters["height"] = window.height();
}
BENCHMARK(BM_GalleryCold)->Unit(benchmark::kMillisecond);

void BM_GalleryWarm(benchmark::State& state)
{
    StyleGallery& window = gallery();
    window.paintToImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(window.paintToImage());
}
BENCHMARK(BM_GalleryWarm)->Unit(benchmark::kMillisecond);

} // namespace
