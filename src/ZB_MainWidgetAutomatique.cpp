// The main window's unattended runs: hosting, reporting a played or opened
// match. The windowless host (ZB_HoteSansFenetre) shares the static parts.

#include "ZB_MainWidget.h"

#include "GM_SharedFunctions.h"
#include "ListeDesEvenements.h"
#include "ServerView.h"
#include "ZB_Hebergement.h"
#include "TableClient.h"
#include "ZB_MultiServer.h"
#include "ZB_RoomTable.h"
#include "ZB_ServerSocket.h"

#include <QDir>
#include <QHostAddress>
#include <QTimer>

#include <cstdio>

QString ZB_MainWidget::prepareDossierDonnees(const QString& dossierDonnees)
{
    QString dossier = dossierDonnees.isEmpty() ? appDataPath(QCoreApplication::applicationName()) : dossierDonnees;
    if (!dossier.endsWith(QLatin1Char('/')))
        dossier += QLatin1Char('/');
    QDir().mkpath(dossier);
    return dossier;
}

ZB_Room::Parametres ZB_MainWidget::parametresSalle(const ZB_Settings& demarrage, const QString& dossierDonnees)
{
    ZB_Room::Parametres p;
    p.sansDelai = demarrage.nowait || demarrage.autotest;
    p.modeSimple = demarrage.autotest;
    p.tcp = demarrage.tcpsockets;
    p.nonSecurise = demarrage.nossl;
    p.dossierDonnees = dossierDonnees;
    return p;
}

bool ZB_MainWidget::ecouteHote(ZB_MultiServer& serveur, const ZB_Settings& demarrage)
{
    return ZB_Hebergement::ecoute(serveur, quint16(demarrage.port));
}

QString ZB_MainWidget::texteEcouteImpossible(int port)
{
    return tr("Impossible d'écouter sur le port %1: un autre programme l'utilise peut-être.").arg(port);
}

std::array<int, 2> ZB_MainWidget::scoresDe(const ZB_RoomTable* table)
{
    std::array<int, 2> s{};
    if (table != nullptr)
        for (int e = 0; e < 2; ++e)
            s[size_t(e)] = table->getSettingsPartie().scores_[size_t(e)] + table->totalDonne(e);
    return s;
}

std::array<int, 2> ZB_MainWidget::scores() const
{
    return scoresDe(tableAffichee());
}

void ZB_MainWidget::rapporteMatch(ZB_Room& salle, const QString& dossierDonnees)
{
    // An unattended run keeps its match for whoever checks it.
    const std::array<int, 2> s = scoresDe(salle.getTable(-1));
    const QString chemin = dossierDonnees + QLatin1String(FICHIER_FIN_AUTOMATIQUE);
    salle.saveAs(chemin);
    std::printf("MATCH %d %d file %s\n", s[0], s[1], qUtf8Printable(chemin));
    std::fflush(stdout);
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
    rapporteMatch(*salle_, dossierDonnees_);
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
