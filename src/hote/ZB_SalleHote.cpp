#include "ZB_SalleHote.h"

ZB_SalleHote::ZB_SalleHote(DisplayA* display, GM_MessageBoxDisplayerA* displayer, const OptionsDePartie& genre,
                           const Parametres& parametres)
    : ZB_Room(nullptr, display, displayer, genre, parametres)
    , hebergement_(getServer(), this)
{
    hebergement_.setHoteOrdinateur(true);
}

void ZB_SalleHote::askQuit(QObject* destinataire, const char* slot)
{
    repondsAuSlot(destinataire, slot, GM::Ok);
}

void ZB_SalleHote::startHosting(QSharedPointer<GM_SocketAbstract>, const QString& login, quint16 portSecure,
                                quint16 portUnsecure, quint16 portTcp, qint64 idUtilisateur)
{
    hebergement_.attendJoueurs(getOptions(), login, portSecure, portUnsecure, portTcp, idUtilisateur);
}

void ZB_SalleHote::answerNextGame(bool)
{
    if (finDeMatch_)
        finDeMatch_();
    // The match is the whole of this host's work: its players hear that it
    // stopped rather than a dropped connection.
    if (estEnLigne())
        stopOnlineSession();
}
