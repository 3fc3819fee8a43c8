#include "AI_BetBelote.h"

#include "AnnoncesJoueur.h"
#include "EnsembleDeCartes.h"
#include "TypeDePartie.h"
#include "ZB_StatusMise.h"

#include <algorithm>
#include <cmath>

AI_BetBelote::AI_BetBelote()
    : evaluations_(std::make_shared<Evaluations>())
{
}

AI_BetBelote::~AI_BetBelote() = default;

void AI_BetBelote::evalue(const EnsembleDeCartes& main, const TypeDePartie& typeDePartie)
{
    // A copy may hold the current records: leave them to it.
    if (evaluations_.use_count() != 1)
        evaluations_ = std::make_shared<Evaluations>();
    Evaluations& e = *evaluations_;
    e.masqueMain = main.getMasque();
    for (int mode = 0; mode < TypeDePartie::NOMBRE_MODES; ++mode)
        e.evalues[size_t(mode)] = mode >= 1 && typeDePartie.multiplicateurs_[size_t(mode)] > 0;
    evalueModes(main, typeDePartie.genre_ == TypeDePartie::GenreBelote, e.evalues, e.records);
}

AI_BetA::Evaluation AI_BetBelote::getEvaluation(int mode) const
{
    return estEvalue(mode) ? evaluations_->records[size_t(mode)] : Evaluation();
}

bool AI_BetBelote::estEvalue(int mode) const
{
    return mode >= 0 && mode < TypeDePartie::NOMBRE_MODES && evaluations_->evalues[size_t(mode)];
}

int AI_BetBelote::meilleurMode() const
{
    // A record replaces the best only when it is stronger: of equal ones
    // the lowest mode stays.
    int meilleur = 0;
    Evaluation m;
    for (int mode = 1; mode < TypeDePartie::NOMBRE_MODES; ++mode) {
        if (!evaluations_->evalues[size_t(mode)])
            continue;
        const Evaluation& e = evaluations_->records[size_t(mode)];
        const int b = e.nbrMajorTrumps;
        const int a = e.nbrMinorTrumps;
        const int d = e.nbrLeadingCards;
        const bool remplace = b > m.nbrMajorTrumps
                           || (b == m.nbrMajorTrumps
                               && (m.nbrMinorTrumps < a || (m.nbrMinorTrumps == a && m.nbrLeadingCards < d)
                                   || (m.nbrMinorTrumps - 1 == a && m.nbrLeadingCards + 1 < d)));
        if (remplace) {
            meilleur = mode;
            m = e;
        }
    }
    return meilleur;
}

int AI_BetBelote::niveau(const Evaluation& e)
{
    const int a = e.nbrMinorTrumps;
    const int b = e.nbrMajorTrumps;
    const int d = e.nbrLeadingCards;
    const bool f1 = e.hasFirstStrongestTrump;
    const bool f2 = e.hasSecondStrongestTrump;
    if (b >= 3)
        return 2;
    if ((f1 && b == 2 && a >= 1) || (b == 2 && a >= 2 && d >= 1))
        return 1;
    if ((!f1 && f2 && a >= 3) || (f1 && (a >= 2 || f2)) || (b == 2 && a >= 2))
        return 0;
    return -1;
}

int AI_BetBelote::bonusMaitres(const Evaluation& e)
{
    return e.nbrLeadingCards > 0 ? e.nbrLeadingCards - 1 : -1;
}

int AI_BetBelote::pasAnnonces(const EnsembleDeCartes& main, int mode, bool compteAnnonces)
{
    if (!compteAnnonces)
        return 0;
    return int(std::lround(AnnoncesJoueur(main, mode).getTotalPoints() / 10.0));
}

void AI_BetBelote::prochaineMise(ZB_StatusMise& mise, qint64 hausse, qint64 supplement, int atout)
{
    // In 64 bits: an auction state read from a peer may hold any int, and
    // the steps come from differences of its fields.
    const qint64 base = mise.pointsMise_ > 0 ? mise.pointsMise_ : mise.miseMin_;
    qint64 valeur = base + 10 * hausse + 10 * supplement;
    // Repeating the standing bid is no bid: without a raise, go one step over.
    if (hausse == 0 && base == mise.pointsMise_ && mise.typeContrat_ != ZB_StatusMise::PasEncoreDeMise)
        valeur += 10;
    if (mise.miseMin_ > mise.miseMax_) {
        // Nothing can be offered between the bounds.
        mise.miseFaite_ = false;
        return;
    }
    valeur = std::min(std::max(valeur, qint64(mise.miseMin_)), qint64(mise.miseMax_));
    if (mise.pointsMise_ == mise.miseMax_ && valeur != mise.miseMinDepart_) {
        mise.miseFaite_ = false;
        return;
    }
    mise.pointsMise_ = int(valeur);
    mise.atoutMise_ = atout;
    mise.typeContrat_ = ZB_StatusMise::Simple;
    mise.miseFaite_ = true;
}

void AI_BetBelote::choisitMise(ZB_StatusMise& mise, const ZB_StatusMise& derniereMiseEquipe, bool equipeAMise,
                               bool compteAnnonces, int compteurMises, const EnsembleDeCartes& main)
{
    mise.miseFaite_ = false;

    const int mEtoile = meilleurMode();
    const Evaluation eEtoile = getEvaluation(mEtoile);
    const int lEtoile = niveau(eEtoile);
    const int dEtoile = bonusMaitres(eEtoile);
    const qint64 cur = (qint64(mise.pointsMise_) - mise.miseMinDepart_) / 10;
    const Evaluation eCourante = getEvaluation(mise.atoutMise_);
    const int lc = niveau(eCourante);
    const int dc = bonusMaitres(eCourante);

    switch (mise.typeContrat_) {
    case 0:
    case ZB_StatusMise::PasEncoreDeMise:
        if (lEtoile >= 0)
            prochaineMise(mise, lEtoile, pasAnnonces(main, mEtoile, compteAnnonces), mEtoile);
        return;

    case ZB_StatusMise::Simple: {
        const int aEtoile = pasAnnonces(main, mEtoile, compteAnnonces);
        const int seuil = (cur > 3 ? 1 : 0) + (equipeAMise ? 2 : 1);
        if (lEtoile + dEtoile >= 0 && seuil <= lEtoile + dEtoile - cur + aEtoile) {
            prochaineMise(mise, std::max(dEtoile - cur - 1 + lEtoile, qint64(0)), aEtoile, mEtoile);
            return;
        }
        if (!equipeAMise) {
            // The opponents' contract: double it when their trump is ours.
            if (lc >= 0 && lc + 3 + dc >= cur) {
                mise.typeContrat_ = ZB_StatusMise::Contre;
                mise.miseFaite_ = true;
            }
            return;
        }
        // Support of the own side's suit.
        const int atoutEquipe = derniereMiseEquipe.atoutMise_;
        const Evaluation et = getEvaluation(atoutEquipe);
        const qint64 t = (qint64(derniereMiseEquipe.pointsMise_) - derniereMiseEquipe.miseMin_) / 10;
        const int n = compteurMises;
        const bool fort = t >= 2 && n <= 1;
        const qint64 base = std::max(t - n, qint64(0));
        const int at = et.nbrMinorTrumps;
        const int bt = et.nbrMajorTrumps;
        const int ct = et.nbrStrongestCard;
        const bool f1t = et.hasFirstStrongestTrump;
        const bool f2t = et.hasSecondStrongestTrump;
        if (n < 2) {
            if (bt < 1)
                return;
            prochaineMise(mise, (f1t || f2t) ? bt : bt - 1, base + pasAnnonces(main, atoutEquipe, compteAnnonces),
                          atoutEquipe);
            return;
        }
        if (at + ct + bt > 5 && ((f1t && (f2t || fort)) || (f2t && fort))) {
            mise.typeContrat_ = ZB_StatusMise::Capot;
            mise.miseFaite_ = true;
            return;
        }
        if (!((n == 2 || n == 3) && ct >= 1))
            return;
        if (qint64(mise.miseMin_) >= pasAnnonces(main, atoutEquipe, compteAnnonces) + 141)
            return;
        prochaineMise(mise, ct - 1, 0, atoutEquipe);
        return;
    }

    case ZB_StatusMise::Contre:
        if (!equipeAMise && lc + 1 + dc > cur) {
            mise.typeContrat_ = ZB_StatusMise::Surcontre;
            mise.miseFaite_ = true;
        }
        return;

    case ZB_StatusMise::Capot:
        if (!equipeAMise && lc + 4 + dc > cur) {
            mise.typeContrat_ = ZB_StatusMise::CapotContre;
            mise.miseFaite_ = true;
        }
        return;

    case ZB_StatusMise::CapotContre:
        if (!equipeAMise && lc + 5 + dc > cur) {
            mise.typeContrat_ = ZB_StatusMise::CapotSurcontre;
            mise.miseFaite_ = true;
        }
        return;

    default:
        return;
    }
}
