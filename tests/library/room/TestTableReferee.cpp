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
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextStream>

#include <memory>

namespace {

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
    static int compte;
    static void gestionnaire(QtMsgType type, const QMessageLogContext&, const QString&)
    {
        if (type == QtWarningMsg)
            ++compte;
    }
    QtMessageHandler avant;
    Silence() : avant(qInstallMessageHandler(&Silence::gestionnaire)) { compte = 0; }
    ~Silence() { qInstallMessageHandler(avant); }
};
int Silence::compte = 0;

constexpr qint64 ID_BASE = 100;

OptionsDuJoueur joueur(int siege, int distant = 1, int ordinateur = 0)
{
    OptionsDuJoueur j;
    j.nom_ = QStringLiteral("J%1").arg(siege);
    j.id_ = ID_BASE + siege;
    j.distant_ = distant;
    j.ordinateur_ = ordinateur;
    return j;
}

QString refus(const EvenementDeJeu& ev, const QString& raison)
{
    return QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, event '%1' from seat %2 (player %3) has been "
                          "REFUSED: %4")
        .arg(ev.toString(3))
        .arg(ev.noJoueur_)
        .arg(ev.idJoueur_)
        .arg(raison);
}

QString texteAnnonces()
{
    return AnnoncesJoueur().sauveValeursDansString();
}

QString texteMise()
{
    return ZB_StatusMise().sauveValeursDansString();
}

const QString TEXTE_ATOUT = QStringLiteral("{0!1!9!2!}");

// The top-level fields of an event text: code, text, seat, state, source,
// player id, mode, request number, table index.
QStringList champsDe(const QString& texte)
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

QString texteDe(const QStringList& champs)
{
    return QLatin1Char('{') + champs.join(QLatin1Char('!')) + QLatin1String("!}");
}

} // namespace

class TestTableReferee : public QObject
{
    Q_OBJECT

private:
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
            salle->liste.etatAttendu_ = EtatDeJeu::EnregistrementSettingsPartie;
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

private slots:
    void init()
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
    void cleanup()
    {
        table.reset();
        salle.reset();
        display.reset();
    }

    void constructionEtInscription()
    {
        for (int siege = 0; siege < 4; ++siege) {
            QVERIFY(table->getJoueur(siege) != nullptr);
            QCOMPARE(table->getJoueur(siege)->noJoueur_, siege);
            QCOMPARE(table->getJoueur(siege)->modeJeu_, int(Joueur::ModeHumainDistant));
            QVERIFY(salle->liste.joueurDistant_[siege]);
        }
        QVERIFY(table->getJoueur(4) == nullptr);
        QCOMPARE(table->getNoJoueurLocal(), -1);
        table->inscritJoueur(2, joueur(2, 0), Joueur::ModeManuel, false);
        QCOMPARE(table->getNoJoueurLocal(), 2);
        QVERIFY(!salle->liste.joueurDistant_[2]);
        QCOMPARE(display->sieges, QList<int>{2});
        QVERIFY(table->getNoDemande() != -1);
        // The exclusion signal goes straight to the room.
        emit table->getJoueur(1)->signalPlayerExcluded();
        QCOMPARE(salle->exclusions, 1);
    }

    void carteDuSiegeQuiDoitJouer()
    {
        donne(1, {{2, 14}, {3, 6}});
        donne(2, {{3, 14}});
        salle->liste.etatAttendu_ = EtatDeJeu::Tour1_AttendCarte1;
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Ajo, QStringLiteral("2_14"), 1, EtatDeJeu::Tour1_AttendCarte1)));
        QCOMPARE(display->cartesJouees, QStringList{QStringLiteral("1:2_14")});
        QCOMPARE(display->rafraichissements, 1);

        // A card of a seat whose turn it is not.
        const EvenementDeJeu autre
            = coup(EvenementDeJeu::Ajo, QStringLiteral("3_14"), 2, EtatDeJeu::Tour1_AttendCarte1);
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, Player = 2 (Options = %1) "
                                                       "is not the player supposed to play (expected = 1), card "
                                                       "play '%2' has been IGNORED")
                                            .arg(table->getJoueur(2)->options_.sauveValeursDansString(),
                                                 autre.toString(3))));
        QVERIFY(!table->cb_executeUnEvenement(autre));
        QCOMPARE(display->cartesJouees.size(), 1);

        // Before the deal exists, nobody may play.
        table->setPartie(QSharedPointer<Partie>());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("expected = -1\\), card play")));
        QVERIFY(!table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Ajo, QStringLiteral("3_6"), 1, EtatDeJeu::Tour1_AttendCarte1)));
    }

    // A hosting table plays only the cards a client's seat may play: one the
    // rules forbid is refused like one the seat does not hold, and the
    // server hears whose it was. What this table reads rather than hears
    // live (a local game, the host's word on a client, a stored record)
    // plays as it was written.
    void carteDUnClient_data()
    {
        QTest::addColumn<int>("contexte");
        QTest::addColumn<QString>("carte");
        QTest::addColumn<bool>("jouee");
        enum { Hote, Local, Miroir, Enregistrement, Rejoue };
        QTest::newRow("hosting, follows suit") << int(Hote) << QStringLiteral("2_6") << true;
        QTest::newRow("hosting, does not follow suit") << int(Hote) << QStringLiteral("3_14") << false;
        QTest::newRow("hosting, not held") << int(Hote) << QStringLiteral("4_13") << false;
        QTest::newRow("local game") << int(Local) << QStringLiteral("3_14") << true;
        QTest::newRow("client, the host's word") << int(Miroir) << QStringLiteral("3_14") << true;
        QTest::newRow("hosting, stored record") << int(Enregistrement) << QStringLiteral("3_14") << true;
        QTest::newRow("hosting, replayed move") << int(Rejoue) << QStringLiteral("3_14") << true;
    }
    void carteDUnClient()
    {
        QFETCH(int, contexte);
        QFETCH(QString, carte);
        QFETCH(bool, jouee);
        enum { Hote, Local, Miroir, Enregistrement, Rejoue };
        const int reseau = contexte == Local    ? ZB_RoomTable::ReseauLocal
                         : contexte == Miroir ? ZB_RoomTable::ReseauClient
                                              : ZB_RoomTable::ReseauServeur;
        table->nouvellePartie(reseau, OptionsDePartie(TypeDePartie::GenreJass));
        donne(1, {{2, 14}, {1, 13}});
        donne(2, {{2, 6}, {3, 14}});
        EnsembleDeCartes mains;
        for (int siege = 1; siege <= 2; ++siege)
            for (Carte* c : table->getJoueur(siege)->main_)
                mains.ajouteCarte(c);
        StatusAtout atout;
        atout.choisi_ = true;
        atout.atout_ = 1;
        atout.multiplicateur_ = 1;
        table->setPartie(QSharedPointer<Partie>::create(atout, mains, 1, 1, 1, table->getTypeDePartie(),
                                                        ZB_StatusMise(), nullptr));
        const int source = contexte == Miroir ? int(EvenementDeJeu::SourceRemote_Human_OtherPlayerMessageReturned)
                                              : int(EvenementDeJeu::Remote_Human);
        auto carteDe = [&](int siege, const QString& texte, int etat) {
            return EvenementDeJeu(EvenementDeJeu::Ajo, texte, siege, etat, source, ID_BASE + siege,
                                  contexte == Rejoue ? 1 : 0, table->getNoDemande(), 0, ZB_ICI);
        };
        QList<QPair<qint64, QString>> refuse;
        table->setRefusCoupDistant([&refuse](qint64 id, const QString& raison) { refuse.append({id, raison}); });
        if (!jouee)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("card play '.*' has been REFUSED|"
                                                                                 "requested card .* is MISSING")));
        if (contexte == Enregistrement) {
            QMutexLocker verrou(salle->liste.getMutex());
            salle->liste.etatAttendu_ = EtatDeJeu::Tour1_AttendCarte1;
            salle->liste.replay({QStringLiteral("12"),
                                 carteDe(1, QStringLiteral("2_14"), EtatDeJeu::Tour1_AttendCarte1).toString(3),
                                 carteDe(2, carte, EtatDeJeu::Tour1_AttendCarte1 + 1).toString(3)},
                                ZB_RoomTable::SiegeTable, false, -1, nullptr);
            salle->liste.flush_unlocked();
        } else {
            salle->liste.etatAttendu_ = EtatDeJeu::Tour1_AttendCarte1;
            QVERIFY(table->cb_executeUnEvenement(carteDe(1, QStringLiteral("2_14"), EtatDeJeu::Tour1_AttendCarte1)));
            salle->liste.etatAttendu_ = EtatDeJeu::Tour1_AttendCarte1 + 1;
            QCOMPARE(table->cb_executeUnEvenement(carteDe(2, carte, EtatDeJeu::Tour1_AttendCarte1 + 1)), jouee);
        }
        QStringList attendues{QStringLiteral("1:2_14")};
        if (jouee)
            attendues << QStringLiteral("2:") + carte;
        QCOMPARE(display->cartesJouees, attendues);
        QCOMPARE(refuse.size(), jouee ? 0 : 1);
        if (!jouee) {
            QCOMPARE(refuse.at(0).first, ID_BASE + 2);
            QVERIFY(refuse.at(0).second.contains(carte));
            // The seat still owes its card.
            QCOMPARE(table->getPartie()->noDuProchainAJouer_, 2);
            QVERIFY(table->getJoueur(2)->main_.contientIndex(9 * (2 - 1) + (6 - 6)));
        }
    }

    void carteAbsente_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::newRow("suit 5") << QStringLiteral("5_6");
        QTest::newRow("rank 15") << QStringLiteral("1_15");
        QTest::newRow("rank 5") << QStringLiteral("1_5");
        QTest::newRow("letters") << QStringLiteral("abc");
        QTest::newRow("three parts") << QStringLiteral("1_6_7");
        QTest::newRow("empty") << QString();
        QTest::newRow("not held") << QStringLiteral("4_13");
    }
    void carteAbsente()
    {
        QFETCH(QString, texte);
        donne(1, {{3, 6}, {2, 14}});
        salle->liste.etatAttendu_ = EtatDeJeu::Tour1_AttendCarte1;
        const EvenementDeJeu ev = coup(EvenementDeJeu::Ajo, texte, 1, EtatDeJeu::Tour1_AttendCarte1);
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("ZB_RoomTable::cb_executeUnEvenement, Player = 1 (Options = %1) "
                                                       "has cards = {2_14, 3_6}, and requested card %2 is MISSING")
                                            .arg(table->getJoueur(1)->options_.sauveValeursDansString(),
                                                 ev.toString(3))));
        QVERIFY(!table->cb_executeUnEvenement(ev));
        QVERIFY(display->cartesJouees.isEmpty());
    }

    void evenementsPerimes()
    {
        donne(1, {{2, 14}});
        salle->liste.etatAttendu_ = EtatDeJeu::Tour1_AttendCarte1;
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        // An answer to an older request: ignored without a word.
        const EvenementDeJeu perime(EvenementDeJeu::Ajo, QStringLiteral("2_14"), 1, EtatDeJeu::Tour1_AttendCarte1,
                                    EvenementDeJeu::Remote_Human,
                                    ID_BASE + 1, 0, table->getNoDemande() - 1, 0, ZB_ICI);
        QVERIFY(!table->cb_executeUnEvenement(perime));
        QVERIFY(display->cartesJouees.isEmpty());
        QCOMPARE(display->rafraichissements, 0);

        // A snapshot never answers a request, and is applied.
        ZB_SettingsPartie settings;
        settings.scores_ = {120, 37};
        settings.joueurQuiCommenceLaProchainePartie = 3;
        QVERIFY(table->cb_executeUnEvenement(deLaTable(EvenementDeJeu::Enr, settings.sauveValeursDansString(),
                                                       EtatDeJeu::EnregistrementSettingsPartie)));
        QCOMPARE(table->getSettingsPartie().scores_[0], 120);
        QCOMPARE(table->getSettingsPartie().scores_[1], 37);
        QCOMPARE(table->getSettingsPartie().joueurQuiCommenceLaProchainePartie, 3);
    }

    void controleDuJoueur()
    {
        salle->liste.etatAttendu_ = EtatDeJeu::AttendMise1_1 + 2;
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 3;
        QCOMPARE(table->getJoueurQuiDoitJouer(), 1);
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        // Another player's id at that seat: ignored, unless replayed or
        // mirrored.
        EvenementDeJeu faux(EvenementDeJeu::Chm, texteMise(), 1, EtatDeJeu::AttendMise1_1 + 2,
                            EvenementDeJeu::Remote_Human, ID_BASE + 2, 0,
                            table->getNoDemande(), 0, ZB_ICI);
        QVERIFY(!table->cb_executeUnEvenement(faux));
        faux.mode_ = 2;
        QVERIFY(table->cb_executeUnEvenement(faux));
        // Sources a seat never answers from.
        EvenementDeJeu source = coup(EvenementDeJeu::Chm, texteMise(), 1, EtatDeJeu::AttendMise1_1 + 2);
        for (int s : {int(EvenementDeJeu::Local_Table), int(EvenementDeJeu::Remote_Table),
                      int(EvenementDeJeu::SourceRemote_Human_MyOwnMessageReturned), 13, 99}) {
            source.source_ = s;
            QVERIFY2(!table->cb_executeUnEvenement(source), qPrintable(QString::number(s)));
        }
        source.source_ = EvenementDeJeu::SourceRemote_Human_MyOwnMessageReturned;
        source.mode_ = 2;
        QVERIFY(table->cb_executeUnEvenement(source));
        // An invalid event and a seat nobody sits at.
        EvenementDeJeu invalide = coup(EvenementDeJeu::Chm, texteMise(), 1, EtatDeJeu::AttendMise1_1 + 2);
        invalide.valide_ = false;
        QVERIFY(!table->cb_executeUnEvenement(invalide));
        EvenementDeJeu loin = coup(EvenementDeJeu::Chm, texteMise(), 1, EtatDeJeu::AttendMise1_1 + 2);
        loin.noJoueur_ = 7;
        QVERIFY(!table->cb_executeUnEvenement(loin));
    }

    void messageReseau()
    {
        const EvenementDeJeu serveur(EvenementDeJeu::Mes, QStringLiteral("Bienvenue"), 4, EtatDeJeu::HorsDeroulement,
                                     EvenementDeJeu::Local_Table, -1, 0, -1, 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(serveur));
        const EvenementDeJeu siege(EvenementDeJeu::Mes, QStringLiteral("salut"), 2, EtatDeJeu::HorsDeroulement,
                                   EvenementDeJeu::Remote_Human,
                                   ID_BASE + 2, 0, -1, 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(siege));
        // Under another player's seat, or in the server's name: not shown.
        const EvenementDeJeu usurpe(EvenementDeJeu::Mes, QStringLiteral("je passe"), 1, EtatDeJeu::HorsDeroulement,
                                    EvenementDeJeu::Remote_Human, ID_BASE + 2, 0, -1, 0, ZB_ICI);
        QVERIFY(!table->cb_executeUnEvenement(usurpe));
        const EvenementDeJeu commeLeServeur(EvenementDeJeu::Mes, QStringLiteral("Fin"), 4,
                                            EtatDeJeu::HorsDeroulement, EvenementDeJeu::Remote_Human, ID_BASE + 2, 0,
                                            -1, 0, ZB_ICI);
        QVERIFY(!table->cb_executeUnEvenement(commeLeServeur));
        QCOMPARE(display->messages,
                 (QStringList{QStringLiteral("Serveur: Bienvenue"),
                              table->getJoueur(2)->options_.getNomAffiche() + QStringLiteral(": salut")}));
        // A chat line does not redraw the table.
        QCOMPARE(display->rafraichissements, 0);
    }

    void genresInterdits_data()
    {
        QTest::addColumn<int>("genre");
        QTest::newRow("RsV") << int(EvenementDeJeu::RsV);
        QTest::newRow("RsI") << int(EvenementDeJeu::RsI);
        QTest::newRow("ReE") << int(EvenementDeJeu::ReE);
    }
    void genresInterdits()
    {
        QFETCH(int, genre);
        const EvenementDeJeu ev = deLaTable(genre, QString(), EtatDeJeu::HorsDeroulement);
        try {
            table->cb_executeUnEvenement(ev);
            QFAIL("no exception");
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), QStringLiteral("Evènement invalide dans le fichier *.jss"));
        }
    }

    void decisionDuSiege_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("debut");
        QTest::addColumn<int>("siegeDecision");
        QTest::addColumn<QString>("raison");
        const QString atout = QStringLiteral("not this seat's trump choice");
        const QString mise = QStringLiteral("not this seat's bid");
        const QString annonce = QStringLiteral("not this seat's announcements");
        QTest::newRow("Cho 27") << int(EvenementDeJeu::Cho) << 27 << 1 << 1 << atout;
        QTest::newRow("Cho 28 partner") << int(EvenementDeJeu::Cho) << 28 << 1 << 3 << atout;
        QTest::newRow("Cho 28 wraps") << int(EvenementDeJeu::Cho) << 28 << 3 << 1 << atout;
        QTest::newRow("Cho in a bid state") << int(EvenementDeJeu::Cho) << 12 << 1 << -1 << atout;
        QTest::newRow("Chm 11") << int(EvenementDeJeu::Chm) << 11 << 2 << 2 << mise;
        QTest::newRow("Chm 13 B=3") << int(EvenementDeJeu::Chm) << 13 << 3 << 1 << mise;
        QTest::newRow("Chm 26") << int(EvenementDeJeu::Chm) << 26 << 0 << 3 << mise;
        QTest::newRow("Chm at trump") << int(EvenementDeJeu::Chm) << 27 << 0 << -1 << mise;
        QTest::newRow("Ann 29") << int(EvenementDeJeu::Ann) << 29 << 2 << 2 << annonce;
        QTest::newRow("Ann 32") << int(EvenementDeJeu::Ann) << 32 << 2 << 1 << annonce;
        QTest::newRow("Ann in trick 2") << int(EvenementDeJeu::Ann) << 49 << 2 << -1 << annonce;
    }
    void decisionDuSiege()
    {
        QFETCH(int, genre);
        QFETCH(int, etat);
        QFETCH(int, debut);
        QFETCH(int, siegeDecision);
        QFETCH(QString, raison);
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = debut;
        salle->liste.etatAttendu_ = etat;
        const QString texte = genre == EvenementDeJeu::Cho   ? TEXTE_ATOUT
                            : genre == EvenementDeJeu::Chm ? texteMise()
                                                           : texteAnnonces();
        for (int siege = 0; siege < 4; ++siege) {
            const EvenementDeJeu ev = coup(genre, texte, siege, etat);
            if (siege == siegeDecision) {
                QVERIFY2(table->cb_executeUnEvenement(ev), qPrintable(QString::number(siege)));
                continue;
            }
            QTest::ignoreMessage(QtWarningMsg, qPrintable(refus(ev, raison)));
            QVERIFY2(!table->cb_executeUnEvenement(ev), qPrintable(QString::number(siege)));
        }
        if (genre == EvenementDeJeu::Ann && siegeDecision >= 0) {
            QCOMPARE(table->getNombreAnnonces(), 1);
            QCOMPARE(display->bulles, QList<int>{siegeDecision});
        }
    }

    void atoutAutomatique()
    {
        salle->liste.etatAttendu_ = EtatDeJeu::AttendAtout;
        const EvenementDeJeu ev
            = deLaTable(EvenementDeJeu::Cho, TEXTE_ATOUT, EtatDeJeu::AttendAtout, table->getNoDemande());
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(refus(ev, QStringLiteral("the table chooses trump only in automatic-trump games"))));
        QVERIFY(!table->cb_executeUnEvenement(ev));

        OptionsDePartie options(TypeDePartie::GenreJass);
        options.idPreset_ = TypeDePartie::ID_PERSONALISE;
        options.typeDePartie_.atoutAutomatique_ = 1;
        table->nouvellePartie(ZB_RoomTable::ReseauLocal, options);
        const EvenementDeJeu automatique
            = deLaTable(EvenementDeJeu::Cho, TEXTE_ATOUT, EtatDeJeu::AttendAtout, table->getNoDemande());
        QVERIFY(table->cb_executeUnEvenement(automatique));
        // A seat cannot pass itself off as the table.
        EvenementDeJeu deguise = automatique;
        deguise.source_ = EvenementDeJeu::Remote_Human;
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(refus(deguise, QStringLiteral("no player id and not from the table"))));
        QVERIFY(!table->cb_executeUnEvenement(deguise));
    }

    void sansIdentifiant_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("etat");
        QTest::newRow("Ajo") << int(EvenementDeJeu::Ajo) << 37;
        QTest::newRow("Chm") << int(EvenementDeJeu::Chm) << 11;
        QTest::newRow("Cho") << int(EvenementDeJeu::Cho) << 27;
        QTest::newRow("Ann") << int(EvenementDeJeu::Ann) << 29;
        QTest::newRow("Dis") << int(EvenementDeJeu::Dis) << 7;
        QTest::newRow("Ram") << int(EvenementDeJeu::Ram) << 41;
    }
    void sansIdentifiant()
    {
        QFETCH(int, genre);
        QFETCH(int, etat);
        salle->liste.etatAttendu_ = etat;
        EvenementDeJeu ev = coup(genre, QStringLiteral("2_14"), 1, etat);
        ev.idJoueur_ = -1;
        QTest::ignoreMessage(QtWarningMsg, qPrintable(refus(ev, QStringLiteral("no player id and not from the table"))));
        QVERIFY(!table->cb_executeUnEvenement(ev));
        // The table itself may not play a seat's move either.
        if (genre != EvenementDeJeu::Cho) {
            const EvenementDeJeu table4 = deLaTable(genre, QStringLiteral("2_14"), etat, table->getNoDemande());
            QTest::ignoreMessage(QtWarningMsg, qPrintable(refus(table4, QStringLiteral("seat outside the table"))));
            QVERIFY(!table->cb_executeUnEvenement(table4));
        }
        QVERIFY(display->cartesJouees.isEmpty());
    }

    // A client coming back to its seat waits for its entry there, while the
    // host's computer plays the seat: the seat's moves come from the host,
    // whichever of the two entries it is told.
    void retourAttendSonEntree_data()
    {
        QTest::addColumn<int>("genre");
        QTest::newRow("this deal") << int(EvenementDeJeu::JoM);
        QTest::newRow("next deal") << int(EvenementDeJeu::JoN);
    }
    void retourAttendSonEntree()
    {
        QFETCH(int, genre);
        table->nouvellePartie(ZB_RoomTable::ReseauClient, OptionsDePartie(TypeDePartie::GenreJass));
        table->inscritJoueur(1, joueur(1, 0), Joueur::ModeManuel, false);
        QVERIFY(!salle->liste.joueurDistant_[1]);
        const EvenementDeJeu entree(genre, joueur(1, 0).sauveValeursDansString(), 1, 50, EvenementDeJeu::Local_Table,
                                    ID_BASE + 1, 3, table->getNoDemande(), 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(entree));
        QCOMPARE(table->getJoueur(1)->modeJeu_, int(Joueur::ModeEnAttenteDEntree));
        QVERIFY(salle->liste.joueurDistant_[1]);
        // Its entry gives the seat back to its user.
        table->inscritJoueur(1, joueur(1, 0), Joueur::ModeManuel, true);
        QVERIFY(!salle->liste.joueurDistant_[1]);
    }

    void siegesHorsTable()
    {
        // Seating facts name a seat they index with: outside the table they
        // are refused, never used as an index.
        for (int genre : {int(EvenementDeJeu::JoN), int(EvenementDeJeu::JoM)}) {
            const EvenementDeJeu ev(genre, joueur(2).sauveValeursDansString(), 9, EtatDeJeu::HorsDeroulement,
                                    EvenementDeJeu::Local_Table, ID_BASE + 2, 0,
                                    genre == EvenementDeJeu::JoN ? table->getNoDemande() : -1, 0, ZB_ICI);
            QTest::ignoreMessage(QtWarningMsg, qPrintable(refus(ev, QStringLiteral("seat outside the table"))));
            QVERIFY(!table->cb_executeUnEvenement(ev));
        }
        const EvenementDeJeu horsLigne(EvenementDeJeu::JoO, QString(), -3, EtatDeJeu::HorsDeroulement,
                                       EvenementDeJeu::Local_Table, 555, 0,
                                       -1, 0, ZB_ICI);
        QTest::ignoreMessage(QtWarningMsg, qPrintable(refus(horsLigne, QStringLiteral("seat outside the table"))));
        QVERIFY(!table->cb_executeUnEvenement(horsLigne));
        QVERIFY(table->getEntreesProchaineDonne().isEmpty());

        // A re-inscription's seat outside the table is a corrupted record.
        for (const QString& siege : {QStringLiteral("4"), QStringLiteral("-1"), QStringLiteral("x")}) {
            const QString texte = QLatin1Char('{') + joueur(1).sauveValeursDansString() + QLatin1Char('!') + siege
                                + QLatin1String("!}");
            const EvenementDeJeu ev
                = deLaTable(EvenementDeJeu::ReJ, texte, EtatDeJeu::InscriptionJoueur0 + 1, table->getNoDemande());
            try {
                table->cb_executeUnEvenement(ev);
                QFAIL(qPrintable(siege));
            } catch (const GM_Exception& e) {
                QCOMPARE(e.getMessage(), QStringLiteral("Chaine incompatible, invalide ou corrompue."));
            }
        }
    }

    void cinquiemeAnnonce()
    {
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 2;
        for (int etat = 29; etat <= 32; ++etat) {
            salle->liste.etatAttendu_ = etat;
            QVERIFY(table->cb_executeUnEvenement(coup(EvenementDeJeu::Ann, texteAnnonces(), (etat - 27) % 4, etat)));
        }
        QCOMPARE(table->getNombreAnnonces(), 4);
        QCOMPARE(table->getSiegesAnnonces(), (std::array<int, 4>{2, 3, 0, 1}));
        const EvenementDeJeu cinquieme = coup(EvenementDeJeu::Ann, texteAnnonces(), 1, EtatDeJeu::AttendAnnonce4);
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(refus(cinquieme, QStringLiteral("every seat has announced already"))));
        QVERIFY(!table->cb_executeUnEvenement(cinquieme));
        QCOMPARE(table->getNombreAnnonces(), 4);
    }

    void inscriptionSeulementEnPlacement()
    {
        const QString record = joueur(1, 1).sauveValeursDansString();
        salle->liste.etatAttendu_ = EtatDeJeu::Tour1_AttendCarte1;
        const EvenementDeJeu tard = deLaTable(EvenementDeJeu::InJ, record, EtatDeJeu::InscriptionJoueur0 + 1);
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(refus(tard, QStringLiteral("inscription outside the seating states"))));
        QVERIFY(!table->cb_executeUnEvenement(tard));
        QVERIFY(display->sieges.isEmpty());

        // From a seat: only the table inscribes.
        EvenementDeJeu parUnSiege(EvenementDeJeu::InJ, record, 1, EtatDeJeu::InscriptionJoueur0 + 1,
                                  EvenementDeJeu::Remote_Human, ID_BASE + 1, 0, -1,
                                  0, ZB_ICI);
        salle->liste.etatAttendu_ = EtatDeJeu::InscriptionJoueur0 + 1;
        QTest::ignoreMessage(QtWarningMsg, qPrintable(refus(parUnSiege, QStringLiteral("only the table states this"))));
        QVERIFY(!table->cb_executeUnEvenement(parUnSiege));

        QVERIFY(
            table->cb_executeUnEvenement(deLaTable(EvenementDeJeu::InJ, record, EtatDeJeu::InscriptionJoueur0 + 1)));
        QCOMPARE(display->sieges, QList<int>{1});
        QCOMPARE(table->getJoueur(1)->modeJeu_, int(Joueur::ModeHumainDistant));
        QCOMPARE(table->getEtatsEntreesTraites().value(3), ID_BASE + 1);

        // A computer seat, and a local user.
        salle->liste.etatAttendu_ = EtatDeJeu::InscriptionJoueur0 + 2;
        QVERIFY(table->cb_executeUnEvenement(deLaTable(EvenementDeJeu::InJ, joueur(2, 0, 1).sauveValeursDansString(),
                                                       EtatDeJeu::InscriptionJoueur0 + 2)));
        QCOMPARE(table->getJoueur(2)->modeJeu_, int(Joueur::ModeOrdinateur));
        salle->liste.etatAttendu_ = EtatDeJeu::InscriptionJoueur0;
        QVERIFY(table->cb_executeUnEvenement(
            deLaTable(EvenementDeJeu::InJ, joueur(0, 0).sauveValeursDansString(), EtatDeJeu::InscriptionJoueur0)));
        QCOMPARE(table->getJoueur(0)->modeJeu_, int(Joueur::ModeManuel));
        QCOMPARE(table->getNoJoueurLocal(), 0);
    }

    void finDePartie()
    {
        QSignalSpy question(table.get(), &ZB_RoomTable::signalQuestion_NouvellePartie);
        const int etats[] = {135, 136, 137, 138};
        const int sieges[] = {0, 2, 1, 3};
        const char* reponses[] = {"Ok", "Non", "Ok", "Ok"};
        for (int i = 0; i < 4; ++i) {
            salle->liste.etatAttendu_ = etats[i];
            QVERIFY(table->cb_executeUnEvenement(coup(EvenementDeJeu::Fin, QLatin1String(reponses[i]), sieges[i],
                                                      etats[i])));
        }
        QCOMPARE(salle->liste.etatAttendu_, EtatDeJeu::QuestionNouvellePartie);
        QCOMPARE(table->getReponseNouvellePartie(), quint8(1));
        QTRY_COMPARE(question.count(), 1);
        QCOMPARE(question.at(0).at(0).toBool(), true);
        // The answer is handed over once.
        QCOMPARE(table->getReponseNouvellePartie(), quint8(0));
        for (int siege = 0; siege < 4; ++siege)
            QVERIFY(table->estMemeCompte(siege));
    }

    void entreesEtHorsLigne()
    {
        // On the hosting server a seat going offline leaves a computer
        // waiting to take it at the next deal.
        const EvenementDeJeu horsLigne(EvenementDeJeu::JoO, QString(), 4, EtatDeJeu::HorsDeroulement,
                                       EvenementDeJeu::Local_Table,
                                       ID_BASE + 2, 0, -1, 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(horsLigne));
        QCOMPARE(table->getJoueur(2)->modeJeu_, int(Joueur::ModeRemplacant));
        QVERIFY(table->getEntreesProchaineDonne().contains(2));
        QCOMPARE(table->getEntreesProchaineDonne().value(2).ordinateur_, 1);
        QCOMPARE(display->sieges, QList<int>{2});

        const EvenementDeJeu inconnu(EvenementDeJeu::JoO, QString(), 4, EtatDeJeu::HorsDeroulement,
                                     EvenementDeJeu::Local_Table, 999, 0, -1,
                                     0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(inconnu));
        QCOMPARE(display->sieges.size(), 1);

        const OptionsDuJoueur arrivant = joueur(3);
        const EvenementDeJeu prochain(EvenementDeJeu::JoN, arrivant.sauveValeursDansString(), 3,
                                      EtatDeJeu::HorsDeroulement,
                                      EvenementDeJeu::Local_Table, arrivant.id_, 0, table->getNoDemande(), 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(prochain));
        QCOMPARE(table->getEntreesProchaineDonne().value(3), arrivant);
        const EvenementDeJeu pli(EvenementDeJeu::JoM, arrivant.sauveValeursDansString(), 3, EtatDeJeu::HorsDeroulement,
                                 EvenementDeJeu::Local_Table, arrivant.id_, 0, -1, 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(pli));
        QVERIFY(!table->getEntreesProchaineDonne().contains(3));
        QCOMPARE(table->getEntreesProchainPli().value(3), arrivant);
        // Seating the player clears what was waiting for it.
        table->inscritJoueur(3, arrivant, Joueur::ModeHumainDistant, false);
        QVERIFY(table->getEntreesProchainPli().isEmpty());
        QVERIFY(table->getEtatsEntreesTraites().isEmpty());
    }

    // The choice passed to the partner must come back with a trump: a second
    // pass would leave the cards with no trump at all.
    void partenaireDoitChoisir()
    {
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 1;
        salle->liste.etatAttendu_ = EtatDeJeu::AttendAtoutChibre;
        {
            Silence silence;
            QVERIFY(!table->cb_executeUnEvenement(
                coup(EvenementDeJeu::Cho, QStringLiteral("{1!0!0!-1!}"), 3, EtatDeJeu::AttendAtoutChibre)));
            QCOMPARE(Silence::compte, 1);
        }
        QCOMPARE(salle->liste.etatAttendu_, EtatDeJeu::AttendAtoutChibre);
        QVERIFY(!table->getPartie()->partieReelle_);

        QVERIFY(table->cb_executeUnEvenement(coup(EvenementDeJeu::Cho, TEXTE_ATOUT, 3, EtatDeJeu::AttendAtoutChibre)));
        QVERIFY(table->getPartie()->partieReelle_);
        QCOMPARE(table->getPartie()->atoutChoisi_.atout_, 9);
        QCOMPARE(table->getPartie()->joueurQuiAChoisiAtout_, 3);
        QCOMPARE(table->getPartie()->noDuProchainAJouer_, 1);
        QCOMPARE(table->getJoueur(0)->getPartie(), table->getPartie());

        // The seat that begins may pass: nothing changes but the state goes on.
        salle->liste.etatAttendu_ = EtatDeJeu::AttendAtout;
        const QSharedPointer<Partie> avant = table->getPartie();
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Cho, QStringLiteral("{1!0!0!-1!}"), 1, EtatDeJeu::AttendAtout)));
        QCOMPARE(table->getPartie(), avant);
        QCOMPARE(salle->liste.etatAttendu_, EtatDeJeu::AttendAtout);
    }

    // After the first trick the best announcement and its partner's are
    // credited to their team; the two other seats' are dropped. Between two
    // equal announcements the trump one wins, else the later seat's, at
    // every protocol version: a game played at version 1 replays at 3 and
    // must credit the same team. Equal runs rank by the first trick's
    // direction: in a zig-zag deal starting bottom-up the lower one wins.
    void meilleuresAnnoncesCreditees_data()
    {
        // Announcements of the seats 2, 3, 0 and 1, in turn order (seat 2
        // begins; trump mode 1, suit 1, unless the row says), as kind, suit,
        // rank and points; kind 0 is none.
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<int>>("annonces");
        QTest::addColumn<int>("points0");
        QTest::addColumn<int>("points1");
        const QList<int> plusForte = {0, 1, 6, 0, 1, 1, 9, 20, 2, 2, 10, 50, 1, 3, 14, 20};
        const QList<int> egalite = {1, 2, 10, 20, 1, 3, 10, 20, 0, 1, 6, 0, 0, 1, 6, 0};
        const QList<int> atoutDabord = {1, 1, 10, 20, 1, 3, 10, 20, 0, 1, 6, 0, 0, 1, 6, 0};
        const QList<int> atoutEnsuite = {1, 2, 10, 20, 1, 1, 10, 20, 0, 1, 6, 0, 0, 1, 6, 0};
        const QList<int> basPuisHaut = {1, 2, 8, 20, 1, 3, 12, 20, 0, 1, 6, 0, 0, 1, 6, 0};
        for (int version : {1, 3}) {
            auto ligne = [version](const char* cas, int mode = 1) -> QTestData& {
                const QByteArray nom = QByteArray(cas) + QByteArray(", version ") + QByteArray::number(version);
                return QTest::newRow(nom.constData()) << version << mode;
            };
            ligne("fifty beats twenty") << plusForte << 50 << 0;
            ligne("plain tie: the later seat") << egalite << 0 << 20;
            ligne("trump tie, trump first") << atoutDabord << 20 << 0;
            ligne("trump tie, trump later") << atoutEnsuite << 0 << 20;
            ligne("bottom-up: the lower run", StatusAtout::BasEnHaut) << basPuisHaut << 20 << 0;
            ligne("zig-zag from the bottom: the lower run", StatusAtout::ZigZagDepartEnBas) << basPuisHaut << 20 << 0;
            ligne("zig-zag from the top: the higher run", StatusAtout::ZigZagDepartEnHaut) << basPuisHaut << 0 << 20;
        }
    }
    void meilleuresAnnoncesCreditees()
    {
        QFETCH(int, version);
        QFETCH(int, mode);
        QFETCH(QList<int>, annonces);
        QFETCH(int, points0);
        QFETCH(int, points1);
        table->setVersion(version);
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 1;
        salle->liste.etatAttendu_ = EtatDeJeu::AttendDistribue4;
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Dis, QStringLiteral("Ok"), 3, EtatDeJeu::AttendDistribue4)));
        for (int siege = 0; siege < 4; ++siege)
            QCOMPARE(table->getJoueur(siege)->main_.getNombreDeCartes(), 9u);
        // The seat after the one that began the previous deal begins.
        QCOMPARE(table->getSettingsPartie().joueurQuiCommenceLaProchainePartie, 2);
        salle->liste.etatAttendu_ = EtatDeJeu::AttendAtout;
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Cho, QStringLiteral("{0!1!%1!1!}").arg(mode), 2, EtatDeJeu::AttendAtout)));
        QCOMPARE(table->getPartie()->noDuProchainAJouer_, 2);
        QCOMPARE(table->getPartie()->atoutChoisi_.atout_, mode);

        auto annonce = [](int type, int couleur, int valeur, int points) {
            AnnoncesJoueur a;
            a.annonces_[0] = Annonce(type, couleur, valeur, points);
            return a.sauveValeursDansString();
        };
        for (int i = 0; i < 4; ++i) {
            const int* a = annonces.constData() + 4 * i;
            const QString texte = a[0] == Annonce::Aucune ? AnnoncesJoueur().sauveValeursDansString()
                                                          : annonce(a[0], a[1], a[2], a[3]);
            salle->liste.etatAttendu_ = 29 + i;
            QVERIFY(table->cb_executeUnEvenement(coup(EvenementDeJeu::Ann, texte, (2 + i) % 4, 29 + i)));
        }
        salle->liste.etatAttendu_ = EtatDeJeu::Tour1_AttendRamasseTas4;
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Ram, QStringLiteral("Ok"), 3, EtatDeJeu::Tour1_AttendRamasseTas4)));
        QVERIFY(table->estConfirmationAnnoncesEnAttente());
        QCOMPARE(table->totalDonne(0), points0);
        QCOMPARE(table->totalDonne(1), points1);
        // Only the winning team's two slots are kept.
        const int gagnant = points0 > 0 ? 0 : 1;
        for (int slot = 0; slot < 4; ++slot)
            if (slot % 2 != gagnant)
                QCOMPARE(table->getAnnonces()[slot], AnnoncesJoueur());

        // Confirmed: the slots are emptied.
        salle->liste.etatAttendu_ = EtatDeJeu::Tour1_AttendConfirmationAnnonces4;
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Ram, QStringLiteral("Ok"), 3, EtatDeJeu::Tour1_AttendConfirmationAnnonces4)));
        QVERIFY(!table->estConfirmationAnnoncesEnAttente());
        QCOMPARE(table->getNombreAnnonces(), 0);
        QCOMPARE(table->totalDonne(0), points0);
        QCOMPARE(table->totalDonne(1), points1);
    }

    // The trump queen played while holding the king begins the pair; the king
    // completes it, and when its bonus reaches the target the match ends at
    // once without moving the turn.
    void paireRoiDameFinit()
    {
        OptionsDePartie options(TypeDePartie::GenreJass);
        TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass);
        TypeDePartie type = TypeDePartie::getTypeDePartie(options.idPreset_);
        type.roiDame_ = TypeDePartie::RoiDameStock;
        type.pointsObjectif_ = 1000;
        options.idPreset_ = TypeDePartie::ID_PERSONALISE;
        options.typeDePartie_ = type;
        table->nouvellePartie(ZB_RoomTable::ReseauServeur, options);
        table->settingsPartie().scores_ = {0, 985};

        donne(1, {{1, 12}, {1, 13}});
        donne(2, {{1, 6}, {2, 6}});
        donne(3, {{1, 7}, {2, 7}});
        donne(0, {{1, 8}, {2, 8}});
        EnsembleDeCartes mains;
        for (int siege = 0; siege < 4; ++siege)
            for (Carte* carte : table->getJoueur(siege)->main_)
                mains.ajouteCarte(carte);
        StatusAtout atout;
        atout.choisi_ = true;
        atout.atout_ = 1;
        atout.multiplicateur_ = 1;
        table->setPartie(QSharedPointer<Partie>::create(atout, mains, 1, 1, 1, table->getTypeDePartie(),
                                                        ZB_StatusMise(), nullptr));

        const char* pli[] = {"1_12", "1_6", "1_7", "1_8"};
        for (int i = 0; i < 4; ++i) {
            salle->liste.etatAttendu_ = 37 + i;
            QVERIFY(table->cb_executeUnEvenement(
                coup(EvenementDeJeu::Ajo, QString::fromLatin1(pli[i]), (1 + i) % 4, 37 + i)));
            QCOMPARE(table->getEtatsBelote()[1], 1);
        }
        QCOMPARE(table->getEtatsBelote()[2], 0);
        QCOMPARE(table->getPartie()->noDuProchainAJouer_, 1);

        salle->liste.etatAttendu_ = EtatDeJeu::Tour2_AttendCarte1;
        QVERIFY(table->cb_executeUnEvenement(
            coup(EvenementDeJeu::Ajo, QStringLiteral("1_13"), 1, EtatDeJeu::Tour2_AttendCarte1)));
        QCOMPARE(table->getEtatsBelote()[1], 2);
        QCOMPARE(salle->liste.etatAttendu_, EtatDeJeu::PaireBeloteDecideMatch);
        QCOMPARE(table->getPartie()->noDuProchainAJouer_, 1);
        QVERIFY(table->getJoueur(1)->main_.estVide());
    }

    // States the loop must never reach.
    void etatsNonServis_data()
    {
        QTest::addColumn<int>("etat");
        QTest::newRow("Belote pair") << 129;
        QTest::newRow("match over") << 134;
        QTest::newRow("new-game question") << 139;
        QTest::newRow("beyond") << 142;
    }
    void etatsNonServis()
    {
        QFETCH(int, etat);
        salle->liste.etatAttendu_ = etat;
        QVERIFY_THROWS_EXCEPTION(GM_Exception, table->continueLeJeu(0, nullptr, false, false));
    }

    // Deal requests: all four seats at the first state, only those that have
    // not dealt when asked again.
    void demandesDeDistribution()
    {
        salle->liste.etatAttendu_ = EtatDeJeu::AttendDistribue1;
        table->continueLeJeu(0, nullptr, false, false);
        const int premiere = table->getNoDemande();
        for (int siege = 0; siege < 4; ++siege) {
            QCOMPARE(table->getJoueur(siege)->getDemandeDistribue().etat_, 7 + siege);
            QCOMPARE(table->getJoueur(siege)->getDemandeDistribue().noDemande_, premiere);
        }
        // A later request number shows who was asked again.
        table->settingsPartie().noDemande = premiere + 1;
        salle->liste.etatAttendu_ = EtatDeJeu::AttendDistribue1 + 2;
        table->continueLeJeu(0, nullptr, false, false);
        for (int siege = 0; siege < 4; ++siege)
            QCOMPARE(table->getJoueur(siege)->getDemandeDistribue().noDemande_, premiere);
        table->continueLeJeu(0, nullptr, true, false);
        const int attendues[] = {premiere, premiere, premiere + 1, premiere + 1};
        for (int siege = 0; siege < 4; ++siege) {
            QCOMPARE(table->getJoueur(siege)->getDemandeDistribue().noDemande_, attendues[siege]);
            QCOMPARE(table->getJoueur(siege)->getDemandeDistribue().etat_, 7 + siege);
        }
    }

    // Live intake: a bad event is logged and dropped, the next one runs.
    void intakeEnDirect()
    {
        donne(1, {{2, 14}});
        avanceListe(26);
        const int avant = salle->appliques.size();
        salle->liste.etatAttendu_ = EtatDeJeu::AttendAtout;
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 1;
        const EvenementDeJeu casse
            = coup(EvenementDeJeu::Cho, QStringLiteral("{pas un atout!}"), 1, EtatDeJeu::AttendAtout);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^ZB_RoomTable::customEvent, event '.*Cho.*' has been "
                                                               "DROPPED: Chaine incompatible, invalide ou corrompue\\.$")));
        recoit(casse);
        QCOMPARE(salle->liste.etatAttendu_, EtatDeJeu::AttendAtout);
        QVERIFY(salle->liste.getMutex()->tryLock());
        salle->liste.getMutex()->unlock();

        recoit(coup(EvenementDeJeu::Cho, TEXTE_ATOUT, 1, EtatDeJeu::AttendAtout));
        QTRY_COMPARE(salle->appliques.size(), avant + 1);
        QCOMPARE(salle->liste.etatAttendu_, EtatDeJeu::AttendAtoutChibre);

        // An immediate kind with a broken record.
        const EvenementDeJeu entree(EvenementDeJeu::JoN, QStringLiteral("garbage"), 2, EtatDeJeu::HorsDeroulement,
                                    EvenementDeJeu::Remote_Human, ID_BASE + 2, 0, table->getNoDemande(), 0, ZB_ICI);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^ZB_RoomTable::customEvent, event '.*JoN.*' has been "
                                                               "DROPPED")));
        recoit(entree);
        const EvenementDeJeu message(EvenementDeJeu::Mes, QStringLiteral("encore là"), 4, EtatDeJeu::HorsDeroulement,
                                     EvenementDeJeu::Local_Table, -1, 0, -1, 0, ZB_ICI);
        recoit(message);
        QCOMPARE(display->messages.last(), QStringLiteral("Serveur: encore là"));
    }

    void intakeMauvaisesEntrees_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("siege");
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("source");
        QTest::addColumn<qint64>("id");
        const int humain = EvenementDeJeu::Remote_Human;
        const int tableSrc = EvenementDeJeu::Local_Table;
        const QString record = joueur(1).sauveValeursDansString();
        struct Cas {
            const char* nom;
            int genre;
            QString texte;
            int siege;
            int etat;
            int source;
            qint64 id;
        };
        const Cas cas[] = {
            {"Ajo wrong seat", EvenementDeJeu::Ajo, QStringLiteral("2_14"), 3, 37, humain, ID_BASE + 3},
            {"Ajo unknown card", EvenementDeJeu::Ajo, QStringLiteral("9_99"), 1, 37, humain, ID_BASE + 1},
            {"Ajo seat 12", EvenementDeJeu::Ajo, QStringLiteral("2_14"), 12, 37, humain, ID_BASE + 1},
            {"Ajo seat -1 no id", EvenementDeJeu::Ajo, QStringLiteral("2_14"), -1, 37, humain, -1},
            {"Ajo id of another", EvenementDeJeu::Ajo, QStringLiteral("2_14"), 1, 37, humain, ID_BASE + 2},
            {"Cho broken", EvenementDeJeu::Cho, QStringLiteral("{1!}"), 1, 27, humain, ID_BASE + 1},
            {"Cho other seat", EvenementDeJeu::Cho, TEXTE_ATOUT, 2, 27, humain, ID_BASE + 2},
            {"Cho wrong state", EvenementDeJeu::Cho, TEXTE_ATOUT, 1, 7, humain, ID_BASE + 1},
            {"Chm broken", EvenementDeJeu::Chm, QStringLiteral("{x!y!}"), 1, 11, humain, ID_BASE + 1},
            {"Chm other seat", EvenementDeJeu::Chm, texteMise(), 0, 11, humain, ID_BASE},
            {"Ann broken", EvenementDeJeu::Ann, QStringLiteral("{{!}"), 1, 29, humain, ID_BASE + 1},
            {"Ann other seat", EvenementDeJeu::Ann, texteAnnonces(), 3, 29, humain, ID_BASE + 3},
            {"Dis seat 5", EvenementDeJeu::Dis, QStringLiteral("Ok"), 5, 7, humain, ID_BASE + 1},
            {"Ram seat 4", EvenementDeJeu::Ram, QStringLiteral("Ok"), 4, 41, tableSrc, -1},
            {"Fin seat 7", EvenementDeJeu::Fin, QStringLiteral("Ok"), 7, 135, humain, ID_BASE},
            {"Enr broken", EvenementDeJeu::Enr, QStringLiteral("{1!2!}"), 4, 6, tableSrc, -1},
            {"Enr from a seat", EvenementDeJeu::Enr, ZB_SettingsPartie().sauveValeursDansString(), 1, 6, humain,
             ID_BASE + 1},
            {"InJ broken", EvenementDeJeu::InJ, QStringLiteral("{!!}"), 4, 3, tableSrc, ID_BASE + 1},
            {"InJ wrong state", EvenementDeJeu::InJ, record, 4, 7, tableSrc, ID_BASE + 1},
            {"ReJ seat 6", EvenementDeJeu::ReJ, QLatin1Char('{') + record + QLatin1String("!6!}"), 4, 3, tableSrc,
             ID_BASE + 1},
            {"ReJ no seat", EvenementDeJeu::ReJ, QLatin1Char('{') + record + QLatin1String("!}"), 4, 3, tableSrc,
             ID_BASE + 1},
            {"JoN broken", EvenementDeJeu::JoN, QStringLiteral("}{"), 1, 140, humain, ID_BASE + 1},
            {"JoN seat 8", EvenementDeJeu::JoN, record, 8, 140, humain, ID_BASE + 1},
            {"JoM broken", EvenementDeJeu::JoM, QStringLiteral("{"), 1, 140, humain, ID_BASE + 1},
            {"JoM seat -2", EvenementDeJeu::JoM, record, -2, 140, humain, ID_BASE + 1},
            {"JoO seat 77", EvenementDeJeu::JoO, QString(), 77, 140, humain, ID_BASE + 1},
        };
        for (const Cas& c : cas)
            QTest::newRow(c.nom) << c.genre << c.texte << c.siege << c.etat << c.source << c.id;
    }
    void intakeMauvaisesEntrees()
    {
        QFETCH(int, genre);
        QFETCH(QString, texte);
        QFETCH(int, siege);
        QFETCH(int, etat);
        QFETCH(int, source);
        QFETCH(qint64, id);
        donne(1, {{2, 14}});
        donne(3, {{2, 14}});
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 1;
        // Seating and snapshot states come before the list's first steps.
        if (etat > 6)
            avanceListe(etat > 26 && etat < 134 ? 26 : 6);
        const int appliques = salle->appliques.size();
        salle->liste.etatAttendu_ = etat;
        const ZB_SettingsPartie avant = table->getSettingsPartie();
        const bool sansDemande = genre == EvenementDeJeu::Enr || genre == EvenementDeJeu::InJ
                              || genre == EvenementDeJeu::JoM || genre == EvenementDeJeu::JoO;
        const EvenementDeJeu ev(genre, texte, siege, etat, source, id, 0, sansDemande ? -1 : table->getNoDemande(), 0,
                                ZB_ICI);
        {
            Silence silence;
            recoit(ev);
            // Refused by the table, dropped on an exception, or reported by
            // the list: never silently applied.
            QVERIFY(Silence::compte >= 1);
        }
        QCOMPARE(salle->appliques.size(), appliques);
        QVERIFY(display->cartesJouees.isEmpty());
        QCOMPARE(table->getNombreAnnonces(), 0);
        QCOMPARE(table->getSettingsPartie().scores_, avant.scores_);
        QCOMPARE(table->getSettingsPartie().joueurQuiCommenceLaProchainePartie, 1);
        QVERIFY(table->getEntreesProchaineDonne().isEmpty());
        QVERIFY(table->getEntreesProchainPli().isEmpty());
        QVERIFY(salle->liste.getMutex()->tryLock());
        salle->liste.getMutex()->unlock();

        // The table keeps running.
        avanceListe(26);
        salle->liste.etatAttendu_ = EtatDeJeu::Tour1_AttendCarte1;
        recoit(coup(EvenementDeJeu::Ajo, QStringLiteral("2_14"), 1, EtatDeJeu::Tour1_AttendCarte1));
        QTRY_COMPARE(display->cartesJouees, QStringList{QStringLiteral("1:2_14")});
        QCOMPARE(salle->liste.etatAttendu_, EtatDeJeu::Tour1_AttendCarte1 + 1);
    }

    // Valid texts of every kind, mutated the ways a peer's garbage can be,
    // through live intake: whatever reads is refused, logged and dropped or
    // applied, never thrown out of the intake; no mutation leaves the list
    // locked; a move from a seat outside the table or with an unknown card
    // is never applied; and afterwards the table still plays a valid card.
    void intakeTextesMutes()
    {
        donne(1, {{2, 14}});
        const int demande = table->getNoDemande();
        const QString record = joueur(1).sauveValeursDansString();
        auto deSiege = [&](int genre, const QString& texte, int siege, int etat, int noDemande) {
            return EvenementDeJeu(genre, texte, siege, etat, EvenementDeJeu::Remote_Human, ID_BASE + siege, 0,
                                  noDemande, 0, ZB_ICI)
                .toString(3);
        };
        auto deTable = [&](int genre, const QString& texte, int etat, qint64 id, int noDemande) {
            return EvenementDeJeu(genre, texte, ZB_RoomTable::SiegeTable, etat, EvenementDeJeu::Local_Table, id, 0,
                                  noDemande, 0, ZB_ICI)
                .toString(3);
        };
        const QStringList valides = {
            deSiege(EvenementDeJeu::Ajo, QStringLiteral("2_14"), 1, 37, demande),
            deSiege(EvenementDeJeu::Cho, TEXTE_ATOUT, 1, 27, demande),
            deSiege(EvenementDeJeu::Chm, texteMise(), 1, 11, demande),
            deSiege(EvenementDeJeu::Ann, texteAnnonces(), 1, 29, demande),
            deSiege(EvenementDeJeu::Dis, QStringLiteral("Ok"), 1, 7, demande),
            deSiege(EvenementDeJeu::Ram, QStringLiteral("Ok"), 1, 41, demande),
            deSiege(EvenementDeJeu::Fin, QStringLiteral("Ok"), 0, 135, demande),
            deSiege(EvenementDeJeu::JoN, record, 1, 140, demande),
            deSiege(EvenementDeJeu::JoM, record, 1, 140, -1),
            deTable(EvenementDeJeu::Enr, table->getSettingsPartie().sauveValeursDansString(), 6, -1, -1),
            deTable(EvenementDeJeu::InJ, record, 3, ID_BASE + 1, -1),
            deTable(EvenementDeJeu::ReJ, QLatin1Char('{') + record + QLatin1String("!1!}"), 3, ID_BASE + 1, demande),
            deTable(EvenementDeJeu::JoO, QString(), 140, ID_BASE + 1, -1),
            deTable(EvenementDeJeu::Mes, QStringLiteral("salut"), 140, -1, -1),
            deTable(EvenementDeJeu::NeW, record, 140, ID_BASE + 1, -1),
            deTable(EvenementDeJeu::InP, OptionsDePartie(TypeDePartie::GenreJass).sauveValeursDansString(), 1, -1,
                    -1),
            deTable(EvenementDeJeu::RsV, QString(), 140, -1, -1),
            deTable(EvenementDeJeu::RsI, QString(), 140, -1, -1),
            deTable(EvenementDeJeu::ReE, QString(), 140, -1, -1),
        };
        const QStringList codes = {QStringLiteral("Ajo"), QStringLiteral("Cho"), QStringLiteral("Enr"),
                                   QStringLiteral("InJ"), QStringLiteral("Mes"), QStringLiteral("END"),
                                   QStringLiteral("XYZ")};
        const QList<QStringList> remplacements = {
            codes,
            {QString(), QStringLiteral("x"), QStringLiteral("9_99"), QStringLiteral("{"), QStringLiteral("}{"),
             QStringLiteral("{1!2!}"), QStringLiteral("{{!}"), record.left(record.size() / 2) + QLatin1Char('}')},
            {QStringLiteral("-1"), QStringLiteral("5"), QStringLiteral("99"), QStringLiteral("0"), QStringLiteral("2"),
             QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("x")},
            {QStringLiteral("-1"), QStringLiteral("0"), QStringLiteral("3"), QStringLiteral("27"), QStringLiteral("37"),
             QStringLiteral("41"), QStringLiteral("135"), QStringLiteral("142"), QStringLiteral("143"),
             QStringLiteral("2147483648")},
            {QStringLiteral("-2"), QStringLiteral("2"), QStringLiteral("7"), QStringLiteral("13"), QStringLiteral("99")},
            {QStringLiteral("-1"), QString::number(ID_BASE + 2), QStringLiteral("999999999999")},
            {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("-3")},
            {QStringLiteral("-1"), QString::number(demande), QString::number(demande ^ 1)},
            {QStringLiteral("-1"), QStringLiteral("7")},
        };

        QStringList mutes;
        QRandomGenerator aleas(20240601);
        for (const QString& valide : valides) {
            const QStringList champs = champsDe(valide);
            QCOMPARE(champs.size(), 9);
            for (int i = 0; i < champs.size(); ++i)
                for (const QString& autre : remplacements[i]) {
                    QStringList m = champs;
                    m[i] = autre;
                    mutes << texteDe(m);
                }
            for (qsizetype n = 1; n < valide.size(); n += 5)
                mutes << valide.left(n);
            for (int k = 0; k < 10; ++k) {
                QString m = valide;
                m[aleas.bounded(int(m.size()))] = QChar(u"{}!-_09aZé "[aleas.bounded(11)]);
                mutes << m;
            }
        }

        Silence silence;
        int lus = 0;
        int refusObliges = 0;
        for (const QString& texte : std::as_const(mutes)) {
            EvenementDeJeu ev;
            QString reste;
            try {
                ev.valide_ = ev.fromString(texte, reste);
            } catch (const GM_Exception&) {
                continue; // refused by the reader, before any table sees it
            }
            if (!ev.valide_)
                continue;
            ++lus;
            const bool horsTable = ev.noJoueur_ < 0 || ev.noJoueur_ > 4;
            const bool coupDeSiege = ev.type_ == EvenementDeJeu::Ajo || ev.type_ == EvenementDeJeu::Cho
                || ev.type_ == EvenementDeJeu::Chm || ev.type_ == EvenementDeJeu::Ann
                || ev.type_ == EvenementDeJeu::Dis || ev.type_ == EvenementDeJeu::Ram
                || ev.type_ == EvenementDeJeu::Fin;
            const bool carteInconnue = ev.type_ == EvenementDeJeu::Ajo
                && ev.texte_ != QLatin1String("2_14") && ev.texte_ != QLatin1String("3_6");
            const bool doitEtreRefuse = coupDeSiege && (horsTable || carteInconnue);
            refusObliges += doitEtreRefuse ? 1 : 0;

            // The state machine expects the event's state, so that it runs.
            if (ev.etat_ >= 0 && ev.etat_ < ListeDesEvenements::NombreEtats)
                salle->liste.etatAttendu_ = ev.etat_;
            const qsizetype appliques = salle->appliques.size();
            recoit(ev);
            QVERIFY2(salle->liste.getMutex()->tryLock(), qPrintable(texte));
            salle->liste.getMutex()->unlock();
            if (doitEtreRefuse)
                QVERIFY2(salle->appliques.size() == appliques, qPrintable(texte));
        }
        // The garbage went through the table's checks, not only the reader's.
        QVERIFY(lus > 200);
        QVERIFY(salle->appliques.size() > 20);
        QVERIFY(refusObliges > 20);
        QVERIFY(Silence::compte > 0);
        QCoreApplication::processEvents();
        QVERIFY(salle->liste.getMutex()->tryLock());
        salle->liste.getMutex()->unlock();

        // The table keeps running. Whatever the garbage that was applied did
        // to the deal is set back as a new deal would: a fresh record, the
        // deal opened and seat 1 holding its card again.
        salle->liste.clear();
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 1;
        avanceListe(26);
        auto partie = QSharedPointer<Partie>::create();
        partie->noDuProchainAJouer_ = 1;
        table->setPartie(partie);
        if (!table->getJoueur(1)->main_.contientIndex(Carte::indexDe(2, 14)))
            donne(1, {{2, 14}});
        display->cartesJouees.clear();
        salle->liste.etatAttendu_ = EtatDeJeu::Tour1_AttendCarte1;
        recoit(EvenementDeJeu(EvenementDeJeu::Ajo, QStringLiteral("2_14"), 1, EtatDeJeu::Tour1_AttendCarte1,
                              EvenementDeJeu::Remote_Human,
                              table->getJoueur(1)->options_.id_, 0, table->getNoDemande(), 0, ZB_ICI));
        QTRY_COMPARE(display->cartesJouees, QStringList{QStringLiteral("1:2_14")});
        QCOMPARE(salle->liste.etatAttendu_, EtatDeJeu::Tour1_AttendCarte1 + 1);
    }

    void debutDeMatch()
    {
        OptionsDePartie options(TypeDePartie::GenreJass);
        options.modeDeJeu_ = OptionsDePartie::ModeConcours;
        options.idPartie_ = 0x1234567890LL;
        table->nouvellePartie(ZB_RoomTable::ReseauClient, options);
        QVERIFY(table->estReseau());
        QVERIFY(!table->estServeur());
        QVERIFY(table->estMiroir());
        QCOMPARE(table->getScoreObjectif(), ZB_RoomTable::ScoreSansFin);
        QVERIFY(table->getSettingsPartie().huitTours_);
        QCOMPARE(table->getSettingsPartie().toursJoues_, 0);
        QCOMPARE(table->getSettingsPartie().compteursAtout_, QList<int>(12, 0));
        QCOMPARE(table->getSettingsPartie().texteGenerateur_,
                 table->getSettingsPartie().random_.sauveValeursDansString());
        QCOMPARE(table->getStatsPartie().idTexte_, table->getSettingsPartie().texteGenerateur_);
        QCOMPARE(table->getStatsPartie().typePartie_, 1);
        QCOMPARE(table->getStatsPartie().valeur4_, 0x34567890);
        QVERIFY(table->getNoDemande() != -1);

        options.modeDeJeu_ = OptionsDePartie::ModeStandart;
        table->nouvellePartie(ZB_RoomTable::ReseauLocal, options);
        QVERIFY(!table->estReseau() && !table->estServeur() && !table->estMiroir());
        QCOMPARE(table->getTypeDePartie(), TypeDePartie::getTypeDePartie(options.idPreset_));
        QCOMPARE(table->getScoreObjectif(), table->getTypeDePartie().pointsObjectif_);
    }

    void remiseAZero()
    {
        table->settingsPartie().scores_ = {300, 400};
        salle->liste.etatAttendu_ = EtatDeJeu::Tour2_AttendCarte1 + 2;
        salle->liste.joueurDistant_ = {false, false, false, false};
        table->settingsPartie().texteGenerateur_ = QStringLiteral("x");
        const quint32 graine = table->getSettingsPartie().random_.getGraine();
        table->settingsPartie().random_.tire(100);
        table->reinitialise(true);
        QCOMPARE(table->getSettingsPartie().scores_[0], 0);
        QCOMPARE(table->getSettingsPartie().scores_[1], 0);
        QCOMPARE(table->getSettingsPartie().joueurQuiCommenceLaProchainePartie, -10);
        QVERIFY(table->getSettingsPartie().texteGenerateur_.isEmpty());
        QCOMPARE(table->getSettingsPartie().random_.getGraine(), graine);
        QCOMPARE(salle->liste.etatAttendu_, EtatDeJeu::Aucun);
        QVERIFY(table->getPartie().isNull());
        for (int siege = 0; siege < 4; ++siege) {
            QVERIFY(salle->liste.joueurDistant_[siege]);
            QVERIFY(table->getJoueur(siege)->getContexteDeJeu() == nullptr);
        }
        // The same stream again: the position is back at its start.
        GM_KnuthRandom reference;
        reference.initialise(graine);
        QCOMPARE(table->settingsPartie().random_.tire(1000), reference.tire(1000));
    }

    void lectureDeTable_data()
    {
        QTest::addColumn<QStringList>("bloc");
        QTest::addColumn<bool>("lu");
        QTest::addColumn<int>("lignes");
        QTest::addColumn<QString>("premiere");
        QTest::newRow("version 12") << QStringList{"12", "{a}", "{b}"} << true << 3 << "12";
        QTest::newRow("table markers") << QStringList{"<Table0>", "12", "{a}", "<//Table0>"} << true << 2 << "12";
        QTest::newRow("two header lines") << QStringList{"Zubrik", "header", "12", "{a}"} << true << 2 << "12";
        QTest::newRow("stops at executed") << QStringList{"13", "{a}", "</executed>", "{b}"} << true << 2 << "13";
        QTest::newRow("stops at empty") << QStringList{"12", "", "{b}"} << true << 1 << "12";
        QTest::newRow("byte-order mark") << QStringList{QChar(0xFEFF) + QStringLiteral("12"), "{a}"} << true << 2
                                         << "12";
        QTest::newRow("empty") << QStringList{} << false << 0 << "";
        QTest::newRow("only markers") << QStringList{"<Table0>", "<//Table0>"} << false << 0 << "";
        QTest::newRow("no version") << QStringList{"abc", "def", "ghi"} << false << 0 << "";
        QTest::newRow("two lines, no version") << QStringList{"abc", "12"} << false << 0 << "";
    }
    void lectureDeTable()
    {
        QFETCH(QStringList, bloc);
        QFETCH(bool, lu);
        QFETCH(int, lignes);
        QFETCH(QString, premiere);
        int nombre = -1;
        QCOMPARE(table->chargeTable(bloc, &nombre), lu);
        if (lu) {
            QCOMPARE(nombre, lignes);
            QCOMPARE(table->getLignes().size(), lignes);
            QCOMPARE(table->getLignes().first(), premiere);
        } else {
            // A block that does not read leaves nothing to replay.
            QVERIFY(table->getLignes().isEmpty());
        }
        // The stream form reads the same block.
        QString texte = bloc.join(QLatin1String("\r\n"));
        QTextStream flux(&texte);
        QCOMPARE(table->chargeTable(flux, &nombre), lu);
    }

    void tableTropAncienne()
    {
        for (const QStringList& bloc : {QStringList{"11", "{a}"}, QStringList{"h1", "h2", "3", "{a}"}}) {
            QVERIFY(table->chargeTable(QStringList{"12", "{b}"}));
            try {
                table->chargeTable(bloc);
                QFAIL("no exception");
            } catch (const GM_ExceptionFileTooOld& e) {
                QCOMPARE(e.getMessage(), QStringLiteral("Ce fichier n'est pas compatible avec votre version du jeu."));
            }
            QVERIFY(table->getLignes().isEmpty());
        }
    }

    void rejoueEnErreur()
    {
        // Nothing to replay: the record error goes to the caller, the list
        // is unlocked and the table shown again.
        QVERIFY(table->chargeTable(QStringList{"12"}));
        QVERIFY_THROWS_EXCEPTION(GM_ExceptionFileCorrupted, table->rejoue(1));
        QCOMPARE(display->tablesAffichees, 1);
        QVERIFY(salle->liste.getMutex()->tryLock());
        salle->liste.getMutex()->unlock();

        QVERIFY(table->chargeTable(QStringList{"12", "{Ajo!2_14!1!37!1!101!0!x!0!}", "{Mes!a!4!140!2!-1!0!-1!0!}"}));
        QVERIFY_THROWS_EXCEPTION(GM_Exception, table->rejoue(1));
        QCOMPARE(display->tablesAffichees, 2);
        QVERIFY(salle->liste.getMutex()->tryLock());
        salle->liste.getMutex()->unlock();
    }

    void analyses()
    {
        table->inscritJoueur(0, joueur(0, 0), Joueur::ModeManuel, false);
        table->afficheAnalyses(true);
        for (int siege = 0; siege < 4; ++siege)
            QCOMPARE(table->getJoueur(siege)->cartesVisibles_, quint8(1));
        table->afficheAnalyses(false);
        QCOMPARE(table->getJoueur(0)->cartesVisibles_, quint8(1));
        for (int siege = 1; siege < 4; ++siege)
            QCOMPARE(table->getJoueur(siege)->cartesVisibles_, quint8(0));
    }
};

ZB_REGISTER_TEST(TestTableReferee)
#include "TestTableReferee.moc"
