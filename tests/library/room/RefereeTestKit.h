#pragma once

// What the referee's tests share: a display that records what the table
// shows, a warning counter, the seats' records and event texts, and the
// bench of a hosting table in the kit's stand-in room (BancArbitre).

#include "Annonce.h"
#include "AnnoncesJoueur.h"
#include "Carte.h"
#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_ExceptionFileTooOld.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "Partie.h"
#include "StatusAtout.h"
#include "ZB_DeckJass.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_RoomTable.h"
#include "ZB_StatusMise.h"
#include "SalleDeTable.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextStream>

#include <memory>

namespace arbitretest {

// Records what the table shows.
class DisplayTemoin : public ZB_DisplayEmpty
{
public:
    QStringList cartesJouees;
    QStringList messages;
    QList<int> bulles;
    QList<int> sieges;
    int rafraichissements = 0;
    int tablesAffichees = 0;
    // The seat each status line names, in the order the table asks them.
    QList<int> siegesAppeles;
    void afficheEtat(const InfoDemande&, Joueur*, Joueur*, int noJoueur, bool) override { siegesAppeles << noJoueur; }
    void afficheCarteJouee(int no, Carte* carte) override
    {
        cartesJouees << QStringLiteral("%1:%2").arg(no).arg(carte != nullptr ? carte->toString() : QString());
    }
    void afficheMessageReseau(const QString& texte) override { messages << texte; }
    void afficheBulleJoueur(int no, const AnnoncesJoueur&) override { bulles << no; }
    void setJoueur(int no, Joueur*) override { sieges << no; }
    void rafraichit() override { ++rafraichissements; }
    void afficheTable() override { ++tablesAffichees; }
};

// Swallows and counts warnings where a test feeds many bad events.
struct Silence {
    static inline int compte = 0;
    static void gestionnaire(QtMsgType type, const QMessageLogContext&, const QString&)
    {
        if (type == QtWarningMsg)
            ++compte;
    }
    QtMessageHandler avant;
    Silence() : avant(qInstallMessageHandler(&Silence::gestionnaire)) { compte = 0; }
    ~Silence() { qInstallMessageHandler(avant); }
};

inline constexpr qint64 ID_BASE = 100;

inline OptionsDuJoueur joueur(int siege, int distant = 1, int ordinateur = 0)
{
    OptionsDuJoueur j;
    j.nom_ = QStringLiteral("J%1").arg(siege);
    j.id_ = ID_BASE + siege;
    j.distant_ = distant;
    j.ordinateur_ = ordinateur;
    return j;
}

inline QString refus(const EvenementDeJeu& ev, const QString& raison)
{
    return QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, event '%1' from seat %2 (player %3) has been "
                          "REFUSED: %4")
        .arg(ev.toString(3))
        .arg(ev.noJoueur_)
        .arg(ev.idJoueur_)
        .arg(raison);
}

inline QString texteAnnonces()
{
    return AnnoncesJoueur().sauveValeursDansString();
}

inline QString texteMise()
{
    return ZB_StatusMise().sauveValeursDansString();
}

inline const QString TEXTE_ATOUT = QStringLiteral("{0!1!9!2!}");

// The top-level fields of an event text: code, text, seat, state, source,
// player id, mode, request number, table index.
inline QStringList champsDe(const QString& texte)
{
    QStringList champs;
    QString champ;
    int profondeur = 0;
    for (const QChar c : texte) {
        if (c == QLatin1Char('{') && profondeur++ == 0)
            continue;
        if (c == QLatin1Char('}') && --profondeur == 0)
            break;
        if (c == QLatin1Char('!') && profondeur == 1) {
            champs << champ;
            champ.clear();
            continue;
        }
        champ += c;
    }
    return champs;
}

inline QString texteDe(const QStringList& champs)
{
    return QLatin1Char('{') + champs.join(QLatin1Char('!')) + QLatin1String("!}");
}

// A hosting table with four clients' seats in the kit's stand-in room,
// which moves the state on by one after each applied event; seat 1 is
// to play. monte builds it anew, demonte takes it down.
struct BancArbitre {
    std::unique_ptr<SalleDeTable> salle;
    std::unique_ptr<DisplayTemoin> display;
    std::unique_ptr<ZB_RoomTable> table;
    ZB_DeckJass deck;

    // A seat's own event for the current request.
    EvenementDeJeu coup(int genre, const QString& texte, int siege, int etat, int mode = 0)
    {
        return EvenementDeJeu(genre, texte, siege, etat, EvenementDeJeu::Remote_Human, ID_BASE + siege, mode,
                              table->getNoDemande(), 0, ZB_ICI);
    }
    EvenementDeJeu deLaTable(int genre, const QString& texte, int etat, int noDemande = -1)
    {
        return EvenementDeJeu(genre, texte, ZB_RoomTable::SiegeTable, etat, EvenementDeJeu::Local_Table, -1, 0,
                              noDemande, 0, ZB_ICI);
    }
    void donne(int siege, std::initializer_list<std::pair<int, int>> cartes)
    {
        for (const auto& c : cartes)
            table->getJoueur(siege)->main_.ajouteCarte(deck.getCarte(c.first, c.second));
    }
    // The list takes a live answer only close to the last executed state:
    // play the snapshot (state 6), then the last bid (state 26).
    void avanceListe(int jusquA)
    {
        if (jusquA >= 6 && salle->liste.getEtatExecute() < 6) {
            salle->liste.setEtatAttendu(EtatDeJeu::EnregistrementSettingsPartie);
            recoit(deLaTable(EvenementDeJeu::Enr, table->getSettingsPartie().sauveValeursDansString(),
                             EtatDeJeu::EnregistrementSettingsPartie));
            QTRY_VERIFY(salle->liste.getEtatExecute() >= 6);
        }
        // A bid here would close the bidding and redo the deal: the list is
        // moved on by hand instead.
        if (jusquA >= 26 && salle->liste.getEtatExecute() < 26)
            salle->liste.setEtatExecute(EtatDeJeu::AttendMise4_4);
    }
    // Live intake, as a posted event reaches the table.
    void recoit(const EvenementDeJeu& ev)
    {
        EvenementDeJeu copie(ev);
        QCoreApplication::sendEvent(table.get(), &copie);
        QVERIFY(copie.isAccepted());
    }

    void monte()
    {
        salle = std::make_unique<SalleDeTable>();
        // The room in short: the state moves on by one after each applied
        // event, and the table goes on at once.
        salle->avanceJusqua = EtatDeJeu::FinDePartieSiege3;
        salle->continueLaTable = true;
        display = std::make_unique<DisplayTemoin>();
        table = std::make_unique<ZB_RoomTable>(nullptr, true, false);
        salle->table = table.get();
        table->initialise(salle.get(), nullptr, 0, display.get(), &salle->liste, false, QString(), QString(), false);
        table->nouvellePartie(ZB_RoomTable::ReseauServeur, OptionsDePartie(TypeDePartie::GenreJass));
        for (int siege = 0; siege < 4; ++siege)
            table->inscritJoueur(siege, joueur(siege), Joueur::ModeHumainDistant, false);
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 1;
        auto partie = QSharedPointer<Partie>::create();
        partie->noDuProchainAJouer_ = 1;
        table->setPartie(partie);
        display->sieges.clear();
    }
    void demonte()
    {
        table.reset();
        salle.reset();
        display.reset();
    }
};

} // namespace arbitretest
