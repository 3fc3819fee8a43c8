#include "SalleDeServeur.h"

bool SalleDeServeur::cb_executeUnEvenement(EvenementDeJeu& ev)
{
    if (!accepte)
        return false;
    ++nombreAppliques;
    if (garde)
        appliques << ev;
    if (avanceParUn) {
        ListeDesEvenements* liste = groupe.getListe(ev.noTable_);
        if (liste != nullptr && ev.etat_ == liste->getEtatAttendu())
            liste->setEtatAttendu(ev.etat_ + 1);
    }
    return true;
}

void SalleDeServeur::envoieEvenement(const EvenementDeJeu& ev)
{
    if (renvoie && serveur != nullptr)
        serveur->envoieEvenement(ev);
}

void SalleDeServeur::continueLeJeu(int, double* delaiMs, int, bool)
{
    if (sansPause && delaiMs != nullptr)
        *delaiMs = 0.0;
}

bool SalleDeServeur::cb_resetTables(int nombre)
{
    resets << nombre;
    if (!resetReussi)
        return false;
    if (reinitialiseAuReset) {
        // New tables wait for their inscriptions.
        groupe.initialise(nombre);
        for (int no = 0; no < nombre; ++no)
            groupe.getListe(no)->setEtatAttendu(EtatDeJeu::InscriptionJoueur0);
    }
    return true;
}

QStringList SalleDeServeur::genres() const
{
    QStringList g;
    for (const EvenementDeJeu& ev : appliques)
        g << EvenementDeJeu::codeDeGenre(ev.type_);
    return g;
}

QStringList SalleDeServeur::textesDe(int genre) const
{
    QStringList textes;
    for (const EvenementDeJeu& ev : appliques)
        if (ev.type_ == genre)
            textes << ev.texte_;
    return textes;
}
