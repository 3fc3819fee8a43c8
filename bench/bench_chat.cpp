// The chat tab's appends once its document is full, shown on screen: the
// oldest paragraphs then go in batches. Sizes: one line (a poll's usual
// answer), a hundred, and a record of about 1 MiB. Measured on the
// development machine: 0.07 ms, 3 ms and 180 ms; dropping the first
// paragraph at each line instead cost 9 ms a line. Run offscreen:
//   QT_QPA_PLATFORM=offscreen build/bench/bench_chat
#include "ApplicationDeBanc.h"
#include "GM_Chat.h"

#include <QApplication>
#include <QTextDocument>
#include <QTextEdit>

#include <benchmark/benchmark.h>

namespace {

QApplication& application()
{
    return applicationDeBanc("bench_chat", PlateformeBanc::Telle, false);
}

QStringList reponse(int lignes, int longueur)
{
    QStringList champs{QStringLiteral("0")};
    for (int i = 0; i < lignes; ++i)
        champs << QStringLiteral("<Joueur%1> %2\r\n").arg(i).arg(QString(longueur, QLatin1Char('x')));
    return champs;
}

void BM_ChatAppendWhenFull(benchmark::State& state)
{
    application();
    GM_Chat onglet;
    int langue = 1;
    onglet.init(nullptr, nullptr, false, &langue);
    onglet.resize(412, 372);
    // Shown, so that the appends are laid out as on screen.
    onglet.show();
    const QStringList plein = reponse(GM_Chat::MaxBlocks, 40);
    onglet.OnDiscordChat(&plein);
    const QStringList nouvelles = reponse(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        onglet.OnDiscordChat(&nouvelles);
    state.counters["blocks"] = onglet.textEdit()->document()->blockCount();
}
BENCHMARK(BM_ChatAppendWhenFull)
    ->Args({1, 60})
    ->Args({100, 60})
    ->Args({4000, 250})
    ->Unit(benchmark::kMillisecond);

} // namespace
