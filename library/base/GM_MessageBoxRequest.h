#pragma once

#include "GM.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class GM_MessageBoxEmitter;

// One queued box and where its answer goes. Requests are copied into the
// displayer's queue, so everything they refer to must be safe to hold after
// the asking code has moved on: the receiver is guarded, the slot names are
// owned copies, and the emitter pointer is cleared when that emitter dies.
class GM_MessageBoxRequest
{
public:
    enum Type {
        Simple = 0,       // a box with no answer
        Question = 1,     // the pressed button goes to slotAccepte_ as an int
        AccepteRefuse = 2, // slotAccepte_ or slotRefuse_, without arguments
        Tutoriel = 3      // the welcome dialog
    };

    GM_MessageBoxRequest() = default;
    GM_MessageBoxRequest(int type, GM_MessageBoxEmitter* emetteur, GM::Icon icone, const QString& titre,
                         const QString& texte, GM::StandardButton boutons);
    GM_MessageBoxRequest(const GM_MessageBoxRequest&) = default;
    GM_MessageBoxRequest& operator=(const GM_MessageBoxRequest&) = default;
    virtual ~GM_MessageBoxRequest();

    // Sends the answer to the receiver by a queued call, as the type asks;
    // nothing when the receiver is gone. Returns true when a call was made.
    bool livreReponse(GM::StandardButton bouton) const;

    int type_ = Simple;
    // Null once the emitter has been destroyed; never dereferenced by the queue.
    GM_MessageBoxEmitter* emetteur_ = nullptr;
    GM::Icon icone_ = GM::Information;
    QString titre_;
    QString texte_;
    GM::StandardButton boutons_ = GM::Ok;
    int masqueAccepte_ = 0;
    QPointer<QObject> destinataire_;
    // Slot names without signature characters, as invokeMethod takes them;
    // an empty name means no call.
    QByteArray slotAccepte_;
    QByteArray slotRefuse_;
};
