// The main window's demonstrations: the sample games that the store
// screenshots and the --testscenario option show, played by the computer at
// every seat, in the language asked for, with the lobby window over the
// table when the picture is of the lobby.

#include "ZB_MainWidget.h"

#include "DisplayGL.h"
#include "GM_ClientSocket.h"
#include "GM_ConnectStatus.h"
#include "GM_ServerList.h"
#include "TableClient.h"
#include "ZB_TraceLog.h"
#include "ZB_Translator.h"

#include <QDebug>

namespace {

// The embedded sample games, by scenario number (tools/gen_sample_games).
constexpr const char* FICHIERS_SCENARIOS[] = {
    ":/samples/scenario_0.jss", // Jass "Suisse romand", the second deal under way
    ":/samples/scenario_1.jss", // Belote Classique, the third trick
    ":/samples/scenario_2.jss", // Jass "Suisse allemand zig zag", the first trick
    ":/samples/scenario_3.jss", // Belote Contrée, the auction
};

bool estEtatLobby(int argument)
{
    return argument == GM::ScreenshotRanking || argument == GM::ScreenshotServers || argument == GM::ScreenshotTitles;
}

} // namespace

int ZB_MainWidget::nombreDeScenarios()
{
    return static_cast<int>(std::size(FICHIERS_SCENARIOS));
}

QString ZB_MainWidget::fichierScenario(int scenario)
{
    if (scenario < 0 || scenario >= nombreDeScenarios())
        return QString();
    return QLatin1String(FICHIERS_SCENARIOS[scenario]);
}

void ZB_MainWidget::startMarketingScenario(int scenario, int langue, int argument)
{
    ZB_TRACE_SLOT(trace_());
    const QString fichier = fichierScenario(scenario);
    if (fichier.isEmpty()) {
        qWarning().noquote() << "ZB_MainWidget: no demonstration" << scenario;
        return;
    }
    // The picture is in the language asked for (0 keeps the one shown);
    // the user's own choice stays in the display options.
    if (langue >= ZB_Translator::Francais && langue <= ZB_Translator::Italien)
        montreLangue_(langue);
    // The computer plays every seat: the game goes on by itself, and the
    // user's seat shows its hand face up.
    demonstrationDemandee_ = true;
    if (!ouvreFichier(fichier, ZB_Room::RepriseFichier))
        return;
    if (!estEtatLobby(argument))
        return;
    if (GM_ServerList* salon = lobby_.data()) {
        salon->setConnectStatus(static_cast<GM::ConnectStatus>(argument));
        montreDialogue_(salon);
    }
}

bool ZB_MainWidget::estDemonstration() const
{
    return vue_ && vue_->getModeAffichage() == MODE_AFFICHAGE_DEMONSTRATION;
}

void ZB_MainWidget::choisitModeAffichage_()
{
    // A demonstration is asked for by the start that opens it; any other
    // start after one gives back the mode it found (the user's seat).
    const int mode = vue_->getModeAffichage();
    if (demonstrationDemandee_) {
        demonstrationDemandee_ = false;
        if (mode != MODE_AFFICHAGE_DEMONSTRATION) {
            modeAvantDemonstration_ = mode;
            vue_->setModeAffichage(MODE_AFFICHAGE_DEMONSTRATION, false);
        }
    } else if (mode == MODE_AFFICHAGE_DEMONSTRATION) {
        vue_->setModeAffichage(modeAvantDemonstration_, false);
    }
}

void ZB_MainWidget::montreLangue_(int choix)
{
    if (!traducteur_)
        traducteur_ = std::make_unique<ZB_Translator>();
    if (!traducteur_->applique(choix, false))
        qWarning().noquote() << "ZB_MainWidget: no translation for language" << choix;
    retraduit_();
    langueLobby_ = traducteur_->langue();
    if (GM_ServerList* salon = lobby_.data())
        salon->retranslate(langueLobby_);
}
