#pragma once

#include <QString>
#include <QtGlobal>

// The start-up record: what the command line asked for, read once by the
// start routine and handed to the main window and the table display. It
// holds no settings of the user (those live in the settings store); the
// display only reads it.
struct ZB_Settings
{
    static constexpr int PORT_TCP_DEFAUT = 4000;
    static constexpr int AUCUNE_TUILE = -1;
    static constexpr int AUCUN_SCENARIO = -1;

    // --- Read by the table display.
    quint8 screenshotMode = 0;  // store-screenshot sequence (--screenshots)
    quint8 belote = 0;          // Belote rules link and deck pair
    quint8 automatique = 0;     // unattended run: no sound, no card rendering
    qint32 testTileNb = AUCUNE_TUILE;
    QString screenshotPlatform; // "ios" or "android"
    qint32 screenshotLanguage = 0;
    QString cardCacheFolder;
    QString startupString2;

    // --- Start mode and sessions.
    int port = PORT_TCP_DEFAUT;
    QString loginEmail;
    QString loginPass;
    QString tournamentCmd;
    QString tournamentId;
    QString file;     // --file, or an existing file named on the command line
    QString movFile;  // --mov <file> <table>
    int movTable = 0;
    int testScenario = AUCUN_SCENARIO;
    bool nowait = false;
    bool nossl = false;
    bool tcpsockets = false;
    bool server = false;
    bool client = false;
    bool autotest = false;
    bool noai = false;
    bool english = false;
    bool showdebug = false;
    bool testTournament = false;
};
