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
        termineFichierOuvert_();
        return;
    }
    ZB_SansSurveillance::rapporteMatch(*salle_, dossierDonnees_);
    quitte_();
}

void ZB_MainWidget::OnRelectureFinie(const QString& arret)
{
    if (!demarrage_.automatique || demarrage_.server || demarrage_.client || relectureFinie_)
        return;
    relectureFinie_ = true;
    arretRelecture_ = arret;
    if (fichierOuvertAutomatique_)
        termineFichierOuvert_();
}

void ZB_MainWidget::OnFichierRefuse(const QString& message)
{
    relectureFinie_ = true;
    QString texte = message;
    const bool reprise = modeFichierOuvert_ == ZB_Room::RepriseFichier;
    if (reprise && !demarrage_.automatique) {
        // As for a resume file that does not read: the new game that
        // follows would write over the only copy of the game.
        const QString copie = gardeFichierAbime(fichierOuvert_);
        if (!copie.isEmpty())
            texte += QLatin1Char('\n')
                   + tr("Le fichier abîmé est gardé sous le nom %1.").arg(QDir::toNativeSeparators(copie));
    }
    // Nothing of the refused file may reach the autosave.
    salle_->clearNeedsSave();
    afficheErreur_(texte);
    if (demarrage_.automatique)
        return;
    if (reprise)
        OnNouvellePartie();
    else
        reprendOuCommence_();
}

void ZB_MainWidget::termineFichierOuvert_()
{
    // What the file holds is read: the computer, which plays every seat of
    // an unattended run, must not play on past it (at the table's pace that
    // may take the rest of a match). A record that stopped before its end
    // is damaged: that is what the run reports.
    QStringList dommages = salle_->getAvisDuFichier();
    if (!arretRelecture_.isEmpty())
        dommages << arretRelecture_;
    // Read up to its damage: what it holds is reported, then the damage as
    // the run's error.
    rapporteFichierOuvert_(dommages.isEmpty());
    if (!dommages.isEmpty())
        afficheErreur_(dommages.join(QLatin1Char('\n')));
}

void ZB_MainWidget::OnSondeFichierOuvert()
{
    if (quitDemande_)
        return;
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
    termineFichierOuvert_();
}

void ZB_MainWidget::rapporteFichierOuvert_(bool quitter)
{
    if (quitDemande_)
        return;
    const ListeDesEvenements* liste = salle_->getListe(-1);
    const std::array<int, 2> s = scores();
    std::printf("OPENED %d %d events %d\n", s[0], s[1], liste != nullptr ? liste->getExecutes().blockCount() : 0);
    std::fflush(stdout);
    if (quitter)
        quitte_();
}
