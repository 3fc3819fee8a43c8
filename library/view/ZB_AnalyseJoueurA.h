#pragma once

#include <QStringList>
#include <QtGlobal>

class AI_ProbaSimplifiee;
class OptionsAI;

// Where a computer player reports what it believes and how it searched.
// Text and tree reports may come from worker threads; implementations queue
// them and apply them on their own thread.
class ZB_AnalyseJoueurA
{
public:
    virtual ~ZB_AnalyseJoueurA() = default;
    virtual void cache() = 0;
    virtual void setTitre(const QString& titre) = 0;
    virtual void affiche() = 0;
    virtual void ajouteMessage(const QString& texte) = 0;
    virtual void effaceMessages() = 0;
    virtual void ajouteNoeudRacine(const QString& texte) = 0;
    // Returns the new item's id; parent 0 is the top-level item.
    virtual qint64 ajouteNoeud(qint64 idParent, const QStringList& textes) = 0;
    virtual void ajouteTexteNoeud(qint64 idNoeud, const QString& texte) = 0;
    // A card-location model reporting to this sink; the caller owns it.
    virtual AI_ProbaSimplifiee* creeProbabilites(const OptionsAI& options) = 0;
    virtual void reinitialiseProbabilites(int couleur, int joueur) = 0;
    virtual void setTextes(const QStringList& textes, int joueur) = 0;
    // table: 0 the player's view, 1 the public view, 2 what is known.
    virtual void setProbabilite(int couleur, int joueur, int valeur, float probabilite, int table) = 0;
    virtual void setPosition(int code) = 0;
};
