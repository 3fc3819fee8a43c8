#include "GM_ClientSocket.h"

#include "GM_ClientSocketJournal.h"
#include "GM_TexteDuLobby.h"

// GM_ClientSocket: the lobby's records, from the binary messages that carry
// them to the signals and boxes they end in.

using namespace GM_ClientSocketJournal;

namespace {

bool litId(const QString& texte, qint64& id)
{
    bool ok = false;
    id = texte.toLongLong(&ok);
    return ok;
}

} // namespace

// --- Intake -----------------------------------------------------------------------

void GM_ClientSocket::OnLobbyMessage(const QByteArray& message)
{
    if (!sessionActive_) {
        lobbyDebug() << "message outside a session dropped";
        return;
    }
    timerSilence_.start();
    lecteur_.ajoute(message);
    const quint64 generation = generation_;
    for (;;) {
        GM_LobbyReader::Enregistrement record;
        const GM_LobbyReader::Resultat resultat = lecteur_.prochain(record);
        if (resultat == GM_LobbyReader::Aucun)
            return;
        if (resultat == GM_LobbyReader::TropGrand) {
            lobbyWarning() << "more than" << GM_LobbyFrame::TailleMax
                               << "bytes without a record end: connection closed";
            ferme_(ErreurProtocole, QWebSocketProtocol::CloseCodeTooMuchData);
            return;
        }
        if (resultat != GM_LobbyReader::Record) {
            lobbyWarning() << "record dropped:" << GM_LobbyReader::nomResultat(resultat);
            continue;
        }
        traite_(record);
        // The record may have ended the session.
        if (generation != generation_ || !sessionActive_ || etat_ == GM_SocketEvent::Init
            || etat_ == GM_SocketEvent::Disconnecting)
            return;
    }
}

void GM_ClientSocket::traite_(const GM_LobbyReader::Enregistrement& record)
{
    const QByteArray& mot = record.mot;
    const QStringList& champs = record.champs;
    const GM_SocketEvent::Ligne* ligne = GM_SocketEvent::trouveLigne(etat_, mot, GM_SocketEvent::Reception);
    if (ligne == nullptr) {
        if (GM_SocketEvent::motConnu(mot, GM_SocketEvent::Reception))
            lobbyWarning() << "record" << mot << "not expected in state" << etat_ << ": dropped";
        else
            lobbyWarning() << "unknown record" << mot << ": dropped";
        return;
    }
    if (!ligne->accepteChamps(champs.size())) {
        lobbyWarning() << "record" << mot << "with" << champs.size() << "fields: dropped";
        return;
    }
    lobbyDebug() << "received" << mot << "with" << champs.size() << "fields";
    const int etatAvant = etat_;
    if (ligne->etatSuivant != GM_SocketEvent::AnySession)
        etat_ = ligne->etatSuivant;

    if (mot == "Lok") {
        qint64 id = -1;
        if (!litId(champs.at(0), id)) {
            lobbyWarning() << "login answer without a user id";
            ferme_(ErreurProtocole, QWebSocketProtocol::CloseCodeProtocolError);
            return;
        }
        databaseUserId_ = id;
        loginName_ = GM_TexteDuLobby::borne(champs.at(1), GM_TexteDuLobby::Champ);
        sessionOuverte_ = true;
        relances_ = 0;
        relanceEnCours_ = false;
        cacheProgression_();
        timerKeepAlive_.start();
        lobbyInfo() << "logged in as user" << id;
        emit signalReady();
        QTimer::singleShot(0, this, &GM_ClientSocket::envoieSuivant_);
    } else if (mot == "Lno") {
        relances_ = 0;
        relanceEnCours_ = false;
        cacheProgression_();
        if (!quiet_) {
            const QString texte = champs.value(0).isEmpty()
                                      ? tr("L'adresse email ou le mot de passe est incorrect.")
                                      : texteDeService(champs.at(0));
            boite_(tr("Connexion refusée"), texte);
        }
        emit signalHideProgressAndShowLogin();
        ferme_(Refus, QWebSocketProtocol::CloseCodeNormal);
    } else if (mot == "Llk") {
        cacheProgression_();
        const QString texte =
            champs.value(0).isEmpty() ? tr("Ce compte est bloqué.") : texteDeService(champs.at(0));
        boite_(tr("Compte bloqué"), texte);
        emit signalAccountLocked();
        ferme_(Refus, QWebSocketProtocol::CloseCodeNormal);
    } else if (mot == "Upd") {
        cacheProgression_();
        lobbyInfo().noquote() << "the lobby asks for version" << champs.value(0) << "at least";
        emit signalUpdateNeeded();
        ferme_(Refus, QWebSocketProtocol::CloseCodeNormal);
    } else if (mot == "Nac" || mot == "Rpw") {
        cacheProgression_();
        const bool reussi = champs.at(0) == QLatin1String("0");
        QString texte;
        if (!champs.value(1).isEmpty())
            texte = texteDeService(champs.at(1));
        else if (mot == "Nac")
            texte = reussi ? tr("Le compte a été créé. Un courriel de confirmation vous a été envoyé.")
                           : tr("Le compte n'a pas pu être créé.");
        else
            texte = reussi ? tr("Le mot de passe a été envoyé à votre adresse email.")
                           : tr("Aucun compte n'existe pour cette adresse email.");
        boite_(mot == "Nac" ? tr("Nouveau compte") : tr("Mot de passe oublié"), texte,
               reussi ? GM::Information : GM::Warning);
        emit signalHideProgressAndShowLogin();
        ferme_(Refus, QWebSocketProtocol::CloseCodeNormal);
    } else if (mot == "Bye") {
        cacheProgression_();
        const QString texte = champs.value(0).isEmpty() ? tr("Le serveur du lobby a fermé la session.")
                                                        : texteDeService(champs.at(0));
        boite_(tr("Session terminée"), texte);
        if (!sessionOuverte_)
            emit signalHideProgressAndShowLogin();
        ferme_(Refus, QWebSocketProtocol::CloseCodeNormal);
    } else if (mot == "Bro" || mot == "Brs" || mot == "Cul") {
        qint64 de = -1;
        qint64 vers = -1;
        if (!litId(champs.at(0), de) || !litId(champs.at(1), vers)) {
            lobbyWarning() << "record" << mot << "without user ids: dropped";
            return;
        }
        if (mot == "Bro") {
            ouvrePont_(de, vers);
        } else if (mot == "Brs") {
            emit signalReceiveBridgeData(de, vers, champs.at(2));
        } else {
            oubliePont_(de, vers);
            emit signalReceiveBridgeClose(de, vers);
        }
    } else if (mot == "Acv") {
        annonceTitres_(champs);
    } else if (mot == "Fpo") {
        emit signalFriendPlayingOnline();
    } else if (mot == "Kal") {
        // Only keeps the connection alive.
    } else if (mot == "SA1") {
        traiteAdresseServeur_(champs);
    } else {
        traiteReponse_(mot, champs);
    }
    if (etatAvant != GM_SocketEvent::Idle && etat_ == GM_SocketEvent::Idle) {
        timerReponse_.stop();
        QTimer::singleShot(0, this, &GM_ClientSocket::envoieSuivant_);
    }
}

void GM_ClientSocket::traiteReponse_(const QByteArray& mot, const QStringList& champs)
{
    if (mot == "R7k") {
        qint64 id = -1;
        if (!litId(champs.at(0), id))
            lobbyWarning() << "server list without a user id";
        const QStringList liste = champs.mid(1);
        emit signalServerListReceived(id, &liste);
    } else if (mot == "SrS") {
        emit signalMainGameServerStatus(&champs);
    } else if (mot == "SrI") {
        emit signalMainGameServerInfo(&champs);
    } else if (mot == "Tli") {
        emit signalTournamentListReceived(&champs);
    } else if (mot == "Fhr") {
        emit signalFriendListReceived(&champs);
    } else if (mot == "Fr1" || mot == "FiS") {
        emit signalSearchFriendsListReceived(&champs);
    } else if (mot == "R7t" || mot == "R6t") {
        emit signalScoresReceived(&champs);
    } else if (mot == "H2q" || mot == "H3q") {
        emit signalStatsReceived(&champs);
    } else if (mot == "Awq") {
        emit signalAchievementsReceived(&champs);
    } else if (mot == "Fr4") {
        // Channel 4 is the service's announcements.
        if (champs.at(0) == QLatin1String("4")) {
            for (qsizetype i = 1; i < champs.size(); ++i) {
                if (i > BoitesMaxParRecord) {
                    lobbyWarning() << "announcements past" << BoitesMaxParRecord << "not shown";
                    break;
                }
                boite_(tr("Annonce"), texteDeService(champs.at(i)), GM::Information);
            }
        }
        emit signalDiscordChat(&champs);
    } else if (mot == "pCH") {
        emit signalPasswordChangeAnswerReceived(&champs);
    } else if (mot == "Dld") {
        emit signalRequestAccountDataAnswerReceived(&champs);
    } else if (mot == "Dli") {
        emit signalRequestAccountDeleteAnswerReceived(&champs);
    }
}

void GM_ClientSocket::traiteAdresseServeur_(const QStringList& champs)
{
    const QString ip = champs.at(0).trimmed();
    bool portOk = false;
    const uint port = champs.at(1).toUInt(&portOk);
    qint64 id = -1;
    const bool idOk = litId(champs.at(2), id);
    bool timerOk = false;
    const int timer = champs.at(3).toInt(&timerOk);
    const QString publicTexte = champs.at(4);
    const bool publicOk = publicTexte == QLatin1String("0") || publicTexte == QLatin1String("1");
    bool tableOk = false;
    const int table = champs.at(5).toInt(&tableOk);
    bool versionOk = false;
    const int version = champs.at(6).toInt(&versionOk);
    const bool valide =
        !ip.isEmpty() && portOk && port > 0 && port <= 65535 && idOk && timerOk && publicOk && tableOk && versionOk;
    if (!valide) {
        // An empty address is the lobby's own way of saying no.
        if (!ip.isEmpty())
            lobbyWarning() << "server address answer unusable: no session";
        emit signalIpReceived(QString(), 0, idOk ? id : -1, 0, false, -1, 0);
        return;
    }
    emit signalIpReceived(ip, quint16(port), id, timer, publicTexte == QLatin1String("1"), table, version);
}
