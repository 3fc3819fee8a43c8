#pragma once

#include "ZB_Event.h"

#include <QString>

// A computer player's worker could not produce a card. Always shown, even
// when the room has gone offline.
class ZB_AIError : public ZB_Event
{
public:
    ZB_AIError(const QString& titre, const QString& texte);
    ZB_AIError(const ZB_AIError&) = default;
    ZB_AIError& operator=(const ZB_AIError&) = default;
    ~ZB_AIError() override;

    ZB_AIError* clone() const override;

    const QString& getTitre() const { return titre_; }
    const QString& getTexte() const { return texte_; }

private:
    QString titre_;
    QString texte_;
};
