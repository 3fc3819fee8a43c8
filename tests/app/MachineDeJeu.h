#pragma once

// One machine of an online game for the application's tests: the room the
// main window makes, with a display where the computer plays every seat
// shown, message boxes answered Ok and kept, and a data folder of its own.

#include "EvenementDeJeu.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "TableClient.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_Room.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTextBlock>

#include <memory>

enum Transport { Tcp, WebSocket, WebSocketSecure };

// The display of a machine where the computer plays every seat shown here;
// it keeps the lines the table shows.
class DisplayOrdinateur : public ZB_DisplayEmpty
{
public:
    DisplayOrdinateur() { setModeAffichage(2, false); }
    void afficheMessageReseau(const QString& texte) override { messages << texte; }
    QStringList messages;
};

// What a table executed, one line a move, without the fields that differ
// from one machine to the other (sources, modes, request numbers).
inline QStringList coups(const ListeDesEvenements& liste)
{
    QStringList lignes;
    for (QTextBlock bloc = liste.getExecutes().begin(); bloc.isValid(); bloc = bloc.next()) {
        EvenementDeJeu ev;
        QString reste;
        if (!ev.fromString(bloc.text(), reste))
            continue;
        switch (ev.type_) {
        case EvenementDeJeu::Ajo:
        case EvenementDeJeu::Cho:
        case EvenementDeJeu::Chm:
        case EvenementDeJeu::Ann:
        case EvenementDeJeu::Dis:
        case EvenementDeJeu::Ram:
            lignes << QStringLiteral("%1 %2 %3 %4").arg(ev.type_).arg(ev.etat_).arg(ev.noJoueur_).arg(ev.texte_);
            break;
        default:
            break;
        }
    }
    return lignes;
}

inline OptionsDePartie optionsJass()
{
    TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass);
    OptionsDePartie options(TypeDePartie::GenreJass);
    options.idPreset_ = 4; // online Jass: 500 points, no announcements
    return options;
}

struct Machine {
    QTemporaryDir dossier;
    DisplayOrdinateur display;
    GM_MessageBoxDisplayerHeadless boites;
    std::unique_ptr<TableClient> salle;

    // dossierDonnees: the data folder of a machine that ran before; its own
    // new one when empty.
    explicit Machine(Transport transport, const QString& dossierDonnees = QString())
    {
        boites.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        ZB_Room::Parametres p;
        p.sansSauvegarde = true;
        p.modeSimple = true;
        p.sansDelai = true;
        p.tcp = transport == Tcp;
        p.nonSecurise = transport == WebSocket;
        p.dossierDonnees = (dossierDonnees.isEmpty() ? dossier.path() : dossierDonnees) + QLatin1Char('/');
        salle = std::make_unique<TableClient>(nullptr, &display, &boites, OptionsDePartie(TypeDePartie::GenreJass), p);
    }
    ~Machine() { salle.reset(); }
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;
    ListeDesEvenements* liste() const { return salle->getListe(-1); }
    QStringList titres() const
    {
        QStringList t;
        for (const auto& a : boites.historique())
            t << a.requete.titre_ + QLatin1String(" | ") + a.requete.texte_;
        return t;
    }
};
