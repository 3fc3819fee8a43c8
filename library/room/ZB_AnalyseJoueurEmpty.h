#pragma once

#include "ZB_AnalyseJoueurA.h"

// The analysis sink of a table without a screen. It shows nothing, but still
// hands computer players their card-location model.
class ZB_AnalyseJoueurEmpty : public ZB_AnalyseJoueurA
{
public:
    void cache() override {}
    void setTitre(const QString&) override {}
    void affiche() override {}
    void ajouteMessage(const QString&) override {}
    void effaceMessages() override {}
    void ajouteNoeudRacine(const QString&) override {}
    qint64 ajouteNoeud(qint64, const QStringList&) override { return 0; }
    void ajouteTexteNoeud(qint64, const QString&) override {}
    AI_ProbaSimplifiee* creeProbabilites(const OptionsAI& options) override;
    void reinitialiseProbabilites(int, int) override {}
    void setTextes(const QStringList&, int) override {}
    void setProbabilite(int, int, int, float, int) override {}
    void setPosition(int) override {}
};
