#pragma once

#include <QString>

// The titles that the lobby's achievement numbers stand for. The table of
// some 80,000 titles is built from a few name lists on the first lookup, in
// the language of the moment, and emptied on a change of language so that
// the next lookup builds it again. GUI thread only: it is not locked.
//
// A number is group x 100,000 + level; a number that names no title gives
// the nearest title below it, or the first title when there is none below.
struct AchievementTitle {
    QString title;
    int reached = 0;
    int next = -1; // -1: no further level
    int key = 0;
};

// The lobby's "no achievement": never a title to show.
constexpr int NoAchievement = -1;

// Valid until the table is emptied.
const AchievementTitle& achievementTitle(int numero);
void clearAchievementTitles();
int achievementTitleCount();
