#pragma once

#include "EvenementDeJeu.h"
#include "GM_Exception.h"

#include <QString>

#include <cstdlib>

// The fuzz targets' event driver: reads game events one after the other
// from the front of a text, up to a maximum, and hands each one that reads
// to traite. It stops at the first text that does not read, and aborts when
// a read leaves the text no shorter, since a peer's stream would then never
// end. Returns how many events were handed on.
template <typename Traite>
int pilotageFuzzEvenements(QString texte, int maximum, Traite&& traite)
{
    int lus = 0;
    while (lus < maximum && !texte.isEmpty()) {
        EvenementDeJeu ev;
        QString reste;
        try {
            ev.valide_ = ev.fromString(texte, reste);
        } catch (const GM_Exception&) {
            break;
        }
        if (!ev.valide_)
            break;
        if (reste.size() >= texte.size())
            std::abort();
        texte = reste;
        ++lus;
        traite(ev);
    }
    return lus;
}
