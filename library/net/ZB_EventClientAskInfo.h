#pragma once

#include "ZB_Event.h"

#include <QString>
#include <QtGlobal>

// The client socket has connected: the client room sends the server the
// local player's record, built from these.
class ZB_EventClientAskInfo : public ZB_Event
{
public:
    ZB_EventClientAskInfo(const QString& nomUtilisateur, qint64 idUtilisateur, int tempsAttente);
    ZB_EventClientAskInfo(const ZB_EventClientAskInfo&) = default;
    ZB_EventClientAskInfo& operator=(const ZB_EventClientAskInfo&) = default;
    ~ZB_EventClientAskInfo() override;

    ZB_EventClientAskInfo* clone() const override;

    const QString& getNomUtilisateur() const { return nomUtilisateur_; }
    // The lobby database's id of the user.
    qint64 getIdUtilisateur() const { return idUtilisateur_; }
    // Seconds.
    int getTempsAttente() const { return tempsAttente_; }

private:
    QString nomUtilisateur_;
    qint64 idUtilisateur_;
    int tempsAttente_;
};
