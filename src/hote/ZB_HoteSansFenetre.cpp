#include "ZB_HoteSansFenetre.h"

#include "GM_Exception.h"
#include "TypeDePartie.h"
#include "ZB_Hebergement.h"
#include "ZB_MultiServer.h"
#include "ZB_SalleHote.h"
#include "ZB_SansSurveillance.h"
#include "ZB_SettingsStore.h"
#include "ZB_TraceLog.h"
#include "ZB_Translator.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QTimer>

#include <cstdio>

bool ZB_HoteSansFenetre::convient(const ZB_Settings& d)
{
    return d.server && !d.client && (d.automatique != 0 || d.autotest) && d.file.isEmpty() && d.movFile.isEmpty()
        && d.screenshotMode == 0 && d.loginEmail.isEmpty() && d.tournamentCmd.isEmpty() && !d.testTournament;
}

ZB_HoteSansFenetre::ZB_HoteSansFenetre(const ZB_Settings& demarrage, const QString& dossierDonnees)
    : demarrage_(demarrage)
    , dossierDonnees_(ZB_SansSurveillance::prepareDossierDonnees(dossierDonnees))
{
    if (demarrage_.autotest)
        demarrage_.automatique = 1;
    ZB_Room::enregistreTypesDesSignaux();
    // The names drawn for the computer players are translated too.
    if (demarrage_.english) {
        traducteur_ = std::make_unique<ZB_Translator>();
        static_cast<void>(traducteur_->applique(ZB_Translator::Anglais, true));
    }
    trace_ = std::make_unique<ZB_TraceLog>(QDir::cleanPath(dossierDonnees_));
    boites_.setRepondeur([this](uint, const GM_MessageBoxRequest& requete) {
        trace_->log(QStringLiteral("Box answered: %1: %2").arg(requete.titre_, requete.texte_));
        return GM::Ok;
    });
    affichage_.setModeAffichage(ZB_SansSurveillance::MODE_AFFICHAGE_ORDINATEUR, false);

    const int genre = demarrage_.belote != 0 ? TypeDePartie::GenreBelote : TypeDePartie::GenreJass;
    salle_ = std::make_unique<ZB_SalleHote>(&affichage_, &boites_, OptionsDePartie(genre),
                                            ZB_SansSurveillance::parametresSalle(demarrage_, dossierDonnees_));
    salle_->setFinDeMatch([this] { finDeMatch_(); });
    salle_->getServer()->setSocketInput(this);
    // Nobody watches the table to remove the players of one address that
    // took every seat: a newcomer from another address takes one of theirs
    // once the game runs too, as it would before the start.
    salle_->getServer()->setPartageEnJeu(true);
    serveur_ = std::make_unique<ZB_MultiServer>(nullptr, 0, QList<ZB_Room*>{salle_.get()}, nullptr);
    trace_->log(QStringLiteral("Windowless host started in %1").arg(dossierDonnees_));
}

ZB_HoteSansFenetre::~ZB_HoteSansFenetre()
{
    if (salle_)
        salle_->getServer()->setSocketInput(nullptr);
    serveur_.reset();
    salle_.reset();
    trace_->close();
}

void ZB_HoteSansFenetre::demarre()
{
    if (!ZB_Hebergement::ecoute(*serveur_, quint16(demarrage_.port))) {
        serveur_->closeAll();
        echec_(ZB_Hebergement::texteEcouteImpossible(demarrage_.port));
        return;
    }
    // Whoever runs it gives friends the address and a port: the first joins
    // a copy that is not told its transport at once.
    std::printf("HOST %s secure-websocket %u websocket %u tcp %u\n",
                qUtf8Printable(ZB_Hebergement::adressesDeLaMachine().join(QLatin1Char(','))),
                unsigned(serveur_->getPortWebSecure()), unsigned(serveur_->getPortWebUnsecure()),
                unsigned(serveur_->getPortTcp()));
    std::fflush(stdout);
    int mode = ZB_Room::NouvellePartie;
    int session = ZB_Room::SessionServeur;
    const QString message = GM_Exception::sansException([&] {
        salle_->reponse_Depart(&mode, &session, salle_->getOptions(), QString(), nomDeJeu_(),
                               serveur_->getPortWebSecure(),
                               serveur_->getPortWebUnsecure(), serveur_->getPortTcp(), 0, false, {}, -1);
    });
    if (!message.isEmpty()) {
        echec_(message);
        return;
    }
    QTimer::singleShot(ZB_SansSurveillance::INTERVALLE_HOTE_MS, this, &ZB_HoteSansFenetre::OnHoteAttendClient);
}

QString ZB_HoteSansFenetre::nomDeJeu_()
{
    // Read only: the kept name is the user's, as the windowed host plays
    // under it; nothing else of the store shapes the game.
    const std::unique_ptr<QSettings> store = ZB_SettingsStore::ouvreStore();
    // Without a name kept or a login, the computer that plays the seat goes
    // by a computer's name, not by the name of whatever folder is home.
    const QString utilisateur = ZB_Hebergement::nomDeLUtilisateur();
    return ZB_Hebergement::nomPropose(QString(), ZB_SettingsStore(*store).nomDeJeu(),
                                     utilisateur.isEmpty() ? randomPlayerName() : utilisateur);
}

void ZB_HoteSansFenetre::cb_newConnection(ZB_ServerSocket*, const OptionsDuJoueur& joueur,
                                          ZB_ServerSocketConnection* connection, bool)
{
    if (connection != nullptr && !salle_->hebergement().accueille(connection, joueur))
        trace_->log(QStringLiteral("No seat for %1").arg(joueur.getNomAffiche()));
}

void ZB_HoteSansFenetre::OnHoteAttendClient()
{
    // The game starts as soon as one player has joined.
    if (quitDemande_)
        return;
    if (salle_->getServer()->getJoueurs().isEmpty()) {
        QTimer::singleShot(ZB_SansSurveillance::INTERVALLE_HOTE_MS, this, &ZB_HoteSansFenetre::OnHoteAttendClient);
        return;
    }
    salle_->hebergement().demarre();
}

void ZB_HoteSansFenetre::finDeMatch_()
{
    if (quitDemande_)
        return;
    ZB_SansSurveillance::rapporteMatch(*salle_, dossierDonnees_);
    quitte_(0);
}

void ZB_HoteSansFenetre::echec_(const QString& texte)
{
    trace_->log(QStringLiteral("Error: ") + texte);
    std::fprintf(stderr, "ERROR %s\n", qUtf8Printable(texte));
    quitte_(ZB_SansSurveillance::CODE_SORTIE_ERREUR);
}

void ZB_HoteSansFenetre::arrete(int codeDeSortie)
{
    if (quitDemande_)
        return;
    trace_->log(QStringLiteral("Stopped before the end of the match"));
    quitte_(codeDeSortie);
}

void ZB_HoteSansFenetre::quitte_(int code)
{
    if (quitDemande_)
        return;
    quitDemande_ = true;
    // Said before the sockets go with the program: a player then reads that
    // the host stopped the game, not that the connection broke.
    if (!salle_->estEnLigne()) {
        emit signalQuitter(code);
        return;
    }
    salle_->stopOnlineSession();
    QTimer::singleShot(ATTENTE_ADIEUX_MS, this, [this, code] { emit signalQuitter(code); });
}
