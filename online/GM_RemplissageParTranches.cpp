#include "GM_RemplissageParTranches.h"

GM_RemplissageParTranches::GM_RemplissageParTranches(QObject* parent)
    : QObject(parent)
{
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &GM_RemplissageParTranches::suivante_);
}

void GM_RemplissageParTranches::demarre(qsizetype total, Tranche tranche, Fin fin)
{
    arrete();
    total_ = total;
    fait_ = 0;
    tranches_ = 0;
    tranche_ = std::move(tranche);
    fin_ = std::move(fin);
    etat_ = EnCours;
    suivante_();
}

void GM_RemplissageParTranches::arrete()
{
    ++generation_;
    timer_.stop();
    etat_ = AuRepos;
    tranche_ = nullptr;
    fin_ = nullptr;
}

void GM_RemplissageParTranches::suivante_()
{
    if (etat_ != EnCours)
        return;
    if (fait_ < total_) {
        const qsizetype debut = fait_;
        fait_ = qMin(total_, fait_ + LignesParTranche);
        ++tranches_;
        // The chunk may start another fill or stop this one.
        const quint64 generation = generation_;
        const Tranche tranche = tranche_;
        tranche(debut, fait_);
        if (generation != generation_)
            return;
    }
    if (fait_ < total_) {
        timer_.start();
        return;
    }
    const Fin fin = fin_;
    arrete();
    if (fin)
        fin();
}
