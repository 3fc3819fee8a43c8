// ClientSocket: a transport that finds no table server at the port (one
// that answers in another protocol, or says nothing at all). The
// room may then try its next transport; the user hears of it only when none
// is left.

#include "ClientSocket.h"

#include "GM_SocketAbstract.h"
#include "ZB_SalleClienteA.h"

#include <QDebug>

ClientSocket::Protocole ClientSocket::protocole_(QAbstractSocket::SocketError erreur, int etat) const
{
    if (fermetureLocale_ || refusRecu_ || recordLu_ || connexionPublique_ || etat >= ZB_StatutConnexionA::JeuEnCours)
        return ProtocoleDeTable;
    switch (erreur) {
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError:
        return ProtocoleEtranger;
    case QAbstractSocket::ConnectionRefusedError:
        // A WebSocket whose handshake got an answer, but not the upgrade,
        // names the handshake in its text; otherwise nothing listens, or
        // only on another transport.
        if (!connecte_ && socket_ && socket_->errorString().contains(QLatin1String("handshake"), Qt::CaseInsensitive))
            return ProtocoleEtranger;
        return connecte_ ? ProtocoleDeTable : ProtocoleIncertain;
    case QAbstractSocket::RemoteHostClosedError:
        // Bytes that hold no record came from a server of another
        // protocol. A close without a byte may be a drop by the host (a
        // WebSocket's even before it tells that its handshake ended), or a
        // server of another transport; soon after a secure connection was
        // asked for, the secure port's gate had no room for it.
        if (getOctetsEnAttente() > 0)
            return ProtocoleEtranger;
        return coupeeParLaPorte_() && essais_ < EssaisMax ? ProtocoleDeTable : ProtocoleIncertain;
    default:
        return ProtocoleDeTable;
    }
}

bool ClientSocket::coupeeParLaPorte_() const
{
    return socket_ && !socket_->isUnsecure() && !connecte_ && !recordLu_ && !connexionPublique_
        && getOctetsEnAttente() == 0 && depuisDemande_.isValid() && depuisDemande_.elapsed() < CoupureParLaPorteMs;
}

bool ClientSocket::transportSuivant_()
{
    if (transportEchoue_ || salle_ == nullptr || (salleEstObjet_ && gardeSalle_.isNull()))
        return false;
    transportEchoue_ = true;
    QPointer<ClientSocket> vivant(this);
    if (salle_->essaieUnAutreTransport()) {
        if (vivant)
            fermeEnSilence_();
        return true;
    }
    if (vivant)
        transportEchoue_ = false;
    return false;
}

void ClientSocket::fermeEnSilence_()
{
    timerSilence_.stop();
    timerRenvoi_.stop();
    timerEssai_.stop();
    timerTentative_.stop();
    repartDeZero_();
    fermetureLocale_ = true;
    if (socket_ && socket_->isValid())
        socket_->abort();
}

void ClientSocket::autreProtocole_()
{
    if (transportEchoue_)
        return;
    timerRenvoi_.stop();
    timerEssai_.stop();
    timerTentative_.stop();
    qInfo().noquote() << QStringLiteral("INFO: ClientSocket: %1:%2 does not speak the table protocol over this "
                                        "transport.")
                             .arg(adresse_, QString::number(port_));
    QPointer<ClientSocket> vivant(this);
    if (transportSuivant_() || !vivant)
        return;
    transportEchoue_ = true;
    setEtat_(ZB_StatutConnexionA::AutreErreur);
    posteErreur_(tr("L'ordinateur distant a été trouvé, mais aucun serveur de jeu ne répond sur ce port. "
                    "Vérifiez le port que l'hôte vous a donné"));
    fermeEnSilence_();
}

void ClientSocket::OnSilenceDeLHote_()
{
    if (transportEchoue_ || fermetureLocale_ || !connecte_)
        return;
    if (getEtat() == ZB_StatutConnexionA::JeuEnCours) {
        qInfo().noquote() << QStringLiteral("INFO: ClientSocket: %1:%2 said nothing for %3 ms during the game.")
                                 .arg(adresse_, QString::number(port_), QString::number(silenceEnJeuMaxMs_));
        setEtat_(ZB_StatutConnexionA::AutreErreur);
        posteErreur_(tr("L'hôte n'a rien envoyé depuis %1 secondes: la partie en ligne est abandonnée")
                         .arg((silenceEnJeuMaxMs_ + 999) / 1000));
        fermeEnSilence_();
        return;
    }
    if (recordLu_ || getOctetsEnAttente() > 0)
        return;
    qInfo().noquote() << QStringLiteral("INFO: ClientSocket: %1:%2 accepted the connection and said nothing for %3 ms.")
                             .arg(adresse_, QString::number(port_), QString::number(silenceMaxMs_));
    // Another transport at the same port would meet the same silence.
    transportEchoue_ = true;
    timerRenvoi_.stop();
    timerEssai_.stop();
    timerTentative_.stop();
    setEtat_(ZB_StatutConnexionA::AutreErreur);
    posteErreur_(tr("L'ordinateur distant a accepté la connexion, mais aucun serveur de jeu n'y a répondu en %1 "
                    "secondes. Vérifiez le port que l'hôte vous a donné")
                     .arg((silenceMaxMs_ + 999) / 1000));
    fermeEnSilence_();
}
