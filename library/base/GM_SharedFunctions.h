#pragma once

#include <QDate>
#include <QFont>
#include <QHostAddress>
#include <QString>

// Small helpers used across the program.

// The writable data folder (saved games, trace log, reports), ending in "/".
// sousDossier is appended unless the platform's location already names it
// (in any case). The folder is created when missing.
QString appDataPath(const QString& sousDossier);

// The application font scaled by a size class: 0 gives 0.8 times, 1 0.9,
// 2 1.0, 3 1.1, 4 2 and 5 5 times; any other class 1.0. A font sized in
// pixels keeps a whole pixel size, rounded half away from zero.
QFont scaledFont(const int& taille);
// The font scaledFont starts from; the application object sets it whenever
// the user's font changes. Until then, and after a reset, a default QFont.
void setScaledFontBase(const QFont& police);
void resetScaledFontBase();

// The address as text, IPv6 without its scope id.
QString hostAddressToString(const QHostAddress& adresse);

// True when jour falls strictly between the yearly dates debut and fin
// (ISO dates whose year is ignored); a period may run over the new year.
// False for an invalid day or an unreadable bound.
bool isDateInSeason(const QDate& jour, const QString& debut, const QString& fin);
