// A saved game is written and read back one event a line. A long match holds
// a few thousand events: recording them through the event list and reading
// the text back must stay linear in the number of events.
#include "CoeurDeBanc.h"
#include "EvenementDeJeu.h"
#include "ListeDesEvenements.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <benchmark/benchmark.h>

namespace {

// A table that accepts everything and moves on to the next state of a deal.
class Table : public ListeDesEvenements::Executor
{
public:
    ListeDesEvenements* liste = nullptr;
    QHash<int, int> suivant;

    bool cb_executeUnEvenement(EvenementDeJeu& ev) override
    {
        liste->setEtatAttendu(suivant.value(ev.etat_, ev.etat_));
        return true;
    }
    void envoieEvenement(const EvenementDeJeu&) override {}
    void continueLeJeu(int, double* delaiMs, int, bool) override
    {
        if (delaiMs)
            *delaiMs = 0.0;
    }
    void noteActiviteJoueur(const EvenementDeJeu&) override {}
    bool peutContinuer(int&, int) override { return true; }
};

// The events of a Jass match: the inscriptions, then deals of 48 events
// (deal, trump, nine tricks, end of game) until n events are reached.
QList<EvenementDeJeu> match(int n)
{
    QList<EvenementDeJeu> evs;
    evs << EvenementDeJeu(EvenementDeJeu::InP, QStringLiteral("{Suisse romand!0!1000!{1!1!1!1!}!}"), 4,
                          EtatDeJeu::AttendInscriptionPartie, 2, -1, 0,
                          -1, 0, ZB_ICI);
    for (int siege = 0; siege < 4; ++siege)
        evs << EvenementDeJeu(EvenementDeJeu::InJ,
                              QStringLiteral("{Joueur %1!1!0!1!1!%2!-1!{0.25!0.08!0.41!5000!1!}!}").arg(siege).arg(
                                  1000 + siege),
                              4, siege + 2, 2, 1000 + siege, 0, -1, 0, ZB_ICI);
    const int cartes[] = {37, 53, 65, 77, 89, 97, 105, 113, 121};
    const int ramasse[] = {41, 57, 69, 81, 93, 101, 109, 117, 125};
    int demande = 0;
    while (evs.size() < n) {
        evs << EvenementDeJeu(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, EtatDeJeu::EnregistrementSettingsPartie, 0,
                              1000, 0, ++demande, 0, ZB_ICI);
        evs << EvenementDeJeu(EvenementDeJeu::Cho, QStringLiteral("{0!1!5!1!}"), 1, EtatDeJeu::AttendMise3_1 + 1, 0,
                              1001, 0, ++demande, 0,
                              ZB_ICI);
        for (int pli = 0; pli < 9; ++pli) {
            for (int i = 0; i < 4; ++i)
                evs << EvenementDeJeu(EvenementDeJeu::Ajo, QStringLiteral("%1_%2").arg(i + 1).arg(6 + pli), i,
                                      cartes[pli] + i, 0, 1000 + i, 0, ++demande, 0, ZB_ICI);
            evs << EvenementDeJeu(EvenementDeJeu::Ram, QStringLiteral("Ok"), pli % 4, ramasse[pli], 0, 1000, 0,
                                  ++demande, 0, ZB_ICI);
        }
        evs << EvenementDeJeu(EvenementDeJeu::Fin, QStringLiteral("Ok"), 0, EtatDeJeu::MatchTermineEnFinDeDonne, 0,
                              1000, 0, ++demande, 0, ZB_ICI);
    }
    return evs.mid(0, n);
}

QString ecritMatch(const QList<EvenementDeJeu>& evs)
{
    Table table;
    ListeDesEvenements liste(&table, 0);
    table.liste = &liste;
    for (qsizetype i = 0; i + 1 < evs.size(); ++i)
        table.suivant.insert(evs[i].etat_, evs[i + 1].etat_);
    liste.setEtatAttendu(evs.first().etat_);
    for (EvenementDeJeu ev : evs) {
        liste.execute_unlocked(-1, ev, false);
        liste.flush_unlocked();
    }
    QString texte;
    QTextStream out(&texte);
    liste.ecritTexte(out);
    return texte;
}

void BM_EcritureDuRecord(benchmark::State& state)
{
    coeurDeBanc("bench_events");
    const QList<EvenementDeJeu> evs = match(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const QString texte = ecritMatch(evs);
        benchmark::DoNotOptimize(texte.size());
    }
    // Every event must have been recorded, or the timing means nothing.
    if (ecritMatch(evs).count(QStringLiteral("\r\n")) != evs.size() + 1)
        state.SkipWithError("events were not recorded");
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EcritureDuRecord)->Arg(1000)->Arg(4000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

void BM_LectureDuRecord(benchmark::State& state)
{
    coeurDeBanc("bench_events");
    const QString texte = ecritMatch(match(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        const QStringList lignes = texte.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        int lus = 0;
        for (qsizetype i = 1; i < lignes.size(); ++i) {
            EvenementDeJeu ev;
            QString reste;
            lus += ev.fromString(lignes[i], reste) ? 1 : 0;
        }
        if (lus != state.range(0))
            state.SkipWithError("a line did not read back");
        benchmark::DoNotOptimize(lus);
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LectureDuRecord)->Arg(1000)->Arg(4000)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

} // namespace
