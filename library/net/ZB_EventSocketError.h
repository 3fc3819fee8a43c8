#pragma once

#include "ZB_Event.h"

#include <QString>

// A socket failed. On a client the end-game flag (1) also ends the online
// game; FinDitParLHote (2) ends it too, and its text, the host's own word,
// is told whatever the table's state: a player the host removed before or
// after a game is not to read that the online game is over while it goes
// on without him. On the server the error is only logged.
class ZB_EventSocketError : public ZB_Event
{
public:
    static constexpr int FinDitParLHote = 2;

    ZB_EventSocketError(const QString& titre, const QString& texte, int finDePartie);
    ZB_EventSocketError(const ZB_EventSocketError&) = default;
    ZB_EventSocketError& operator=(const ZB_EventSocketError&) = default;
    ~ZB_EventSocketError() override;

    ZB_EventSocketError* clone() const override;

    const QString& getTitre() const { return titre_; }
    const QString& getTexte() const { return texte_; }
    int getFinDePartie() const { return finDePartie_; }

private:
    QString titre_;
    QString texte_;
    int finDePartie_;
};
