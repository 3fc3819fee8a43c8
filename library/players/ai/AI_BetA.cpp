#include "AI_BetA.h"

#include "Carte.h"
#include "EnsembleDeCartes.h"

AI_BetA::~AI_BetA() = default;

QString AI_BetA::Evaluation::toString() const
{
    return QStringLiteral("nbrMinorTrumps=%1 nbrMajorTrumps=%2 nbrStrongestCard=%3 hasFirstStrongestTrump=%4 "
                          "hasSecondStrongestTrump=%5 nbrLeadingCards=%6 nbrLeadingColors=%7")
        .arg(nbrMinorTrumps)
        .arg(nbrMajorTrumps)
        .arg(nbrStrongestCard)
        .arg(int(hasFirstStrongestTrump))
        .arg(int(hasSecondStrongestTrump))
        .arg(nbrLeadingCards)
        .arg(nbrLeadingColors);
}

bool AI_BetA::Evaluation::operator==(const Evaluation& o) const
{
    return nbrMinorTrumps == o.nbrMinorTrumps && nbrMajorTrumps == o.nbrMajorTrumps
        && nbrStrongestCard == o.nbrStrongestCard && hasFirstStrongestTrump == o.hasFirstStrongestTrump
        && hasSecondStrongestTrump == o.hasSecondStrongestTrump && nbrLeadingCards == o.nbrLeadingCards
        && nbrLeadingColors == o.nbrLeadingColors;
}

AI_BetA::Evaluation AI_BetA::evalueMode(const EnsembleDeCartes& main, int mode, bool belote)
{
    Evaluation e;
    const int ordre = belote ? 1 : 0;
    // Cards of each non-trump suit by strength, to follow the runs.
    bool tenues[5][9] = {};
    for (const Carte* c : main) {
        const int force = c->getForce(mode, ordre);
        if (force < 0 || force > 8)
            continue;
        if (c->getCouleur() == mode) {
            if (force < 6)
                ++e.nbrMinorTrumps;
            else
                ++e.nbrMajorTrumps;
            if (force == 8)
                e.hasFirstStrongestTrump = true;
            else if (force == 7)
                e.hasSecondStrongestTrump = true;
        } else {
            if (force == 8)
                ++e.nbrStrongestCard;
            tenues[c->getCouleur()][force] = true;
        }
    }
    for (int couleur = 1; couleur <= 4; ++couleur) {
        if (couleur == mode)
            continue;
        int suite = 0;
        for (int force = 8; force >= 0 && tenues[couleur][force]; --force)
            ++suite;
        e.nbrLeadingCards += suite;
        if (suite > 0)
            ++e.nbrLeadingColors;
    }
    return e;
}
