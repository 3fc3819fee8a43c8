#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// Fills a long list a chunk of rows at a time, so that a lobby's list of
// any length never holds the window: the first chunk at once, each next
// one on a later turn of the event loop, then the end.
//
// Rules:
// - The rows are handed out in order, each exactly once, LignesParTranche
//   at most per chunk; a list that fits in one chunk is filled and ended
//   before demarre returns, as a plain fill would.
// - The end runs once, after the last chunk, and only then.
// - A new demarre drops the fill in progress, and arrete drops it: neither
//   the chunks left nor its end run.
// - GUI thread only.
class GM_RemplissageParTranches : public QObject
{
    Q_OBJECT

public:
    // A few milliseconds of row building: well under a frame.
    static constexpr int LignesParTranche = 1000;
    // The rows a lobby list keeps of an answer: far more than any real
    // one, few enough that the end of a fill (sorting, sizing the columns)
    // stays short.
    static constexpr int LignesMax = 5000;

    enum Etat { AuRepos, EnCours };

    // Rows [debut, fin) of the list.
    using Tranche = std::function<void(qsizetype debut, qsizetype fin)>;
    using Fin = std::function<void()>;

    explicit GM_RemplissageParTranches(QObject* parent = nullptr);

    void demarre(qsizetype total, Tranche tranche, Fin fin);
    void arrete();
    Etat etat() const { return etat_; }
    bool enCours() const { return etat_ == EnCours; }
    // The chunks of the last fill handed out so far.
    int tranches() const { return tranches_; }

private:
    void suivante_();

    QTimer timer_;
    Etat etat_ = AuRepos;
    qsizetype total_ = 0;
    qsizetype fait_ = 0;
    int tranches_ = 0;
    // Changes with every start and stop: a chunk tells whether its fill
    // still runs.
    quint64 generation_ = 0;
    Tranche tranche_;
    Fin fin_;
};
