#include "ZB_Hebergement.h"

#include "GM_SocketAbstract.h"
#include "GM_SpacesSeparatedString.h"
#include "ZB_MultiServer.h"
#include "ZB_ServerSocketConnection.h"

#include <QCoreApplication>
#include <QDir>
#include <QNetworkInterface>

ZB_Hebergement::ZB_Hebergement(ZB_ServerSocket* serveur, ZB_ServerSocket::Cb_TableConnectionInput* salle)
    : serveur_(serveur)
    , salle_(salle)
{
}

bool ZB_Hebergement::ecoute(ZB_MultiServer& serveur, quint16 portTcp)
{
    // The WebSocket ports are only defaults: when another program holds
    // them, free ones do, and the host shows which.
    return serveur.ecoute(QHostAddress::Any, portTcp, ZB_MultiServer::PortWebSecureDefaut,
                          ZB_MultiServer::PortWebUnsecureDefaut)
        || serveur.ecoute(QHostAddress::Any, portTcp, 0, 0);
}

QString ZB_Hebergement::texteEcouteImpossible(int port)
{
    // The main window's text, which its translations carry.
    return QCoreApplication::translate("ZB_MainWidget",
                                       "Impossible d'écouter sur le port %1: un autre programme l'utilise peut-être.")
        .arg(port);
}

QString ZB_Hebergement::nettoieNom(const QString& nom)
{
    return GM_SpacesSeparatedString::sanitizeFreeText(nom).simplified().left(NOM_MAX).trimmed();
}

QString ZB_Hebergement::nomDuSysteme()
{
    const QString nom = nomDeLUtilisateur();
    return nom.isEmpty() ? QDir::home().dirName() : nom;
}

QString ZB_Hebergement::nomDeLUtilisateur()
{
    for (const char* variable : {"USER", "LOGNAME"}) {
        const QString nom = nettoieNom(qEnvironmentVariable(variable));
        if (!nom.isEmpty())
            return nom;
    }
    return QString();
}

QString ZB_Hebergement::nomPropose(const QString& loginLobby, const QString& garde, const QString& systeme)
{
    for (const QString& nom : {loginLobby, garde, systeme}) {
        const QString propre = nettoieNom(nom);
        if (!propre.isEmpty())
            return propre;
    }
    return QLatin1String(NOM_PAR_DEFAUT);
}

QStringList ZB_Hebergement::adressesDeLaMachine()
{
    QStringList adresses;
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
        if (a.protocol() == QAbstractSocket::IPv4Protocol && !a.isLoopback() && !a.isLinkLocal())
            adresses << a.toString();
    // A machine alone can still be joined by a second copy of the program.
    if (adresses.isEmpty())
        adresses << QHostAddress(QHostAddress::LocalHost).toString();
    return adresses;
}

void ZB_Hebergement::attendJoueurs(const OptionsDePartie& options, const QString& login, quint16 portSecure,
                                   quint16 portUnsecure, quint16 portTcp, qint64 idUtilisateur)
{
    options_ = options;
    portSecure_ = portSecure;
    portUnsecure_ = portUnsecure;
    portTcp_ = portTcp;
    ZB_ServerSocket* s = serveur_.data();
    if (s == nullptr || s->getEtat() != ZB_ServerSocket::Arrete)
        return;
    // The host is a player of this machine, as a client is of its own.
    if (idHote_ == -1)
        idHote_ = OptionsDuJoueur::genereId();
    // Hosting again after a match comes without a login: the host keeps the
    // name it went by, never none.
    if (!login.isEmpty())
        nomHote_ = login;
    else if (nomHote_.isEmpty())
        nomHote_ = nomPropose(QString(), QString(), nomDuSysteme());
    OptionsDuJoueur hote;
    hote.nom_ = nomHote_;
    hote.id_ = idHote_;
    hote.idCompte_ = idUtilisateur;
    hote.ordinateur_ = hoteOrdinateur_ ? 1 : 0;
    hote.distant_ = 0;
    hote.optionsAI_ = options.optionsAIPartenaire_;
    s->setJoueurLocal(hote);
    s->attendJoueurs(options, portSecure, portUnsecure, portTcp, false, 0);
}

bool ZB_Hebergement::accueille(ZB_ServerSocketConnection* connection, const OptionsDuJoueur& joueur) const
{
    if (connection == nullptr)
        return false;
    const ZB_ServerSocket* s = serveur_.data();
    const int etat = s != nullptr ? s->getEtat() : ZB_ServerSocket::Arrete;
    bool place = false;
    const bool enCours =
        etat == ZB_ServerSeatingA::EnCoursAvecPlacesLibres || etat == ZB_ServerSeatingA::EnCoursComplet;
    if (enCours && salle_ != nullptr && connection->getIdCedant() != -1) {
        // A player gave up its seat to this one: the table, full, holds that
        // seat for the one who left, and gives it to nobody else.
        place = salle_->cb_setClientInGameInPlaceOf(connection, connection->getIdCedant(), joueur)
             || salle_->cb_setClientInGameOnTheFly_Random(connection, joueur);
    } else if (etat == ZB_ServerSeatingA::EnCoursAvecPlacesLibres && salle_ != nullptr) {
        place = salle_->cb_setClientInGameReconnect(connection, joueur)
             || salle_->cb_setClientInGameOnTheFly_Random(connection, joueur);
    } else if (etat == ZB_ServerSeatingA::EnCoursComplet && salle_ != nullptr) {
        // Full, but the seat it holds for a returning player is hers.
        place = salle_->cb_setClientInGameReconnect(connection, joueur);
        if (!place && s != nullptr) {
            serveur_->refuseComplet(connection);
            return false;
        }
    } else if (etat >= ZB_ServerSocket::AttenteJoueurs && etat <= ZB_ServerSocket::CompletAvantDepart) {
        // Waits for the start.
        place = true;
    }
    if (!place)
        if (GM_SocketAbstract* socket = connection->getSocket())
            socket->disconnectFromHost();
    return place;
}

bool ZB_Hebergement::estEnAttente() const
{
    const ZB_ServerSocket* s = serveur_.data();
    const int etat = s != nullptr ? s->getEtat() : ZB_ServerSocket::Arrete;
    return etat >= ZB_ServerSocket::AttenteJoueurs && etat <= ZB_ServerSocket::CompletAvantDepart;
}

QString ZB_Hebergement::renommeHote(const QString& nom)
{
    ZB_ServerSocket* s = serveur_.data();
    if (s == nullptr || !s->getJoueurLocal().has_value())
        return QString();
    const QString propre = GM_SpacesSeparatedString::sanitizeFreeText(nom).simplified();
    if (propre.isEmpty() || propre == s->getJoueurLocal()->nom_ || !estEnAttente())
        return s->getJoueurLocal()->nom_;
    nomHote_ = propre;
    // A client may go by that name already: the host is then numbered.
    return s->renommeJoueurLocal(propre);
}

bool ZB_Hebergement::demarre()
{
    ZB_ServerSocket* s = serveur_.data();
    if (s == nullptr || !estEnAttente())
        return false;
    s->start(options_, portSecure_, portUnsecure_, portTcp_);
    return true;
}

quint16 ZB_Hebergement::portADonner() const
{
    // Any of the ports joins; the one a joining copy tries first joins at
    // once.
    return portSecure_ != 0 ? portSecure_ : (portUnsecure_ != 0 ? portUnsecure_ : portTcp_);
}
