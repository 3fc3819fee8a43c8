// The main window's unattended runs: hosting, reporting a played or opened
// match. What the windowless host (ZB_HoteSansFenetre) shares with them is
// ZB_SansSurveillance's and ZB_Hebergement's.

#include "ZB_MainWidget.h"

#include "GM_SharedFunctions.h"
#include "ListeDesEvenements.h"
#include "ServerView.h"
#include "ZB_Hebergement.h"
#include "ZB_SansSurveillance.h"
#include "TableClient.h"
#include "ZB_MultiServer.h"
#include "ZB_RoomTable.h"
#include "ZB_ServerSocket.h"

#include <QDir>
#include <QHostAddress>
#include <QTimer>

#include <cstdio>

bool ZB_MainWidget::ecouteHote(ZB_MultiServer& serveur, const ZB_Settings& demarrage)
{
    return ZB_Hebergement::ecoute(serveur, quint16(demarrage.port));
}

QString ZB_MainWidget::texteEcouteImpossible(int port)
{
    return ZB_Hebergement::texteEcouteImpossible(port);
}

std::array<int, 2> ZB_MainWidget::scores() const
{
    return ZB_SansSurveillance::scoresDe(tableAffichee());
}

void ZB_MainWidget::OnHoteAttendClient()
{
    // An unattended host starts the game as soon as one player has joined.
    if (!salle_ || !salle_->getServer())
        return;
    if (salle_->getServer()->getJoueurs().isEmpty() || salle_->getServerView() == nullptr) {
        QTimer::singleShot(INTERVALLE_HOTE_MS, this, &ZB_MainWidget::OnHoteAttendClient);
        return;
    }
    salle_->getServerView()->OnDemarrer();
}

void ZB_MainWidget::OnMatchTermine()
{
    if (matchFini_)
        return;
    matchFini_ = true;
    const std::array<int, 2> s = scores();
    emit signalMatchTermine(s[0], s[1]);
    if (!demarrage_.automatique)
        return;
    if (fichierOuvertAutomatique_) {
        // The opened match was finished: played back to its end.
        rapporteFichierOuvert_();
        return;
    }
    ZB_SansSurveillance::rapporteMatch(*salle_, dossierDonnees_);
    quitte_();
}

void ZB_MainWidget::OnSondeFichierOuvert()
{
    const ListeDesEvenements* liste = salle_ ? salle_->getListe(-1) : nullptr;
    if (liste == nullptr)
        return;
    const int executes = liste->getExecutes().blockCount();
    const bool calme = executes == executesVus_ && !liste->estReplayEnCours() && liste->getEnAttente().isEmpty();
    sondagesStables_ = calme ? sondagesStables_ + 1 : 0;
    executesVus_ = executes;
    if (sondagesStables_ < SONDAGES_STABLES) {
        QTimer::singleShot(INTERVALLE_SONDAGE_MS, this, &ZB_MainWidget::OnSondeFichierOuvert);
        return;
    }
    rapporteFichierOuvert_();
}

void ZB_MainWidget::rapporteFichierOuvert_()
{
    if (quitDemande_)
        return;
    const ListeDesEvenements* liste = salle_->getListe(-1);
    const std::array<int, 2> s = scores();
    std::printf("OPENED %d %d events %d\n", s[0], s[1], liste != nullptr ? liste->getExecutes().blockCount() : 0);
    std::fflush(stdout);
    quitte_();
}
