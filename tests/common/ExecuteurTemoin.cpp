#include "ExecuteurTemoin.h"

#include "GM_Exception.h"

#include <stdexcept>

bool ExecuteurTemoin::cb_executeUnEvenement(EvenementDeJeu& ev)
{
    if (jette)
        throw GM_Exception(QStringLiteral("boom"));
    if (jetteStd)
        throw std::runtime_error("std boom");
    if (refuses.contains(ev.etat_))
        return false;
    executes << ev;
    if (liste != nullptr && ev.etat_ == liste->getEtatAttendu()) {
        const qsizetype i = ordre.indexOf(ev.etat_);
        if (i >= 0 && i + 1 < ordre.size())
            liste->setEtatAttendu(ordre[i + 1]);
        else if (ordre.isEmpty() && parUn && ev.etat_ < ListeDesEvenements::NombreEtats - 1)
            liste->setEtatAttendu(ev.etat_ + 1);
    }
    return true;
}

void ExecuteurTemoin::continueLeJeu(int mode, double* delaiMs, int, bool)
{
    modesContinue << mode;
    if (fixeDelai && delaiMs != nullptr)
        *delaiMs = delai;
}

bool ExecuteurTemoin::peutContinuer(int&, int)
{
    ++peutContinuerAppels;
    return peut;
}

QList<int> ExecuteurTemoin::etatsExecutes() const
{
    QList<int> etats;
    for (const EvenementDeJeu& ev : executes)
        etats << ev.etat_;
    return etats;
}

QStringList ExecuteurTemoin::textesExecutes() const
{
    QStringList textes;
    for (const EvenementDeJeu& ev : executes)
        textes << ev.texte_;
    return textes;
}
