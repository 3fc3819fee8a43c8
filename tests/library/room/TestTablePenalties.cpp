#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "GM_GamePenalty.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_RoomTable.h"
#include "BancDeTable.h"
#include "SalleDeTable.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QMetaMethod>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

OptionsDuJoueur client(int siege, qint64 compte)
{
    OptionsDuJoueur j;
    j.nom_ = QStringLiteral("C%1").arg(siege);
    j.id_ = 300 + siege;
    j.idCompte_ = compte;
    j.distant_ = 1;
    return j;
}

} // namespace

class TestTablePenalties : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<BancDeTable> banc;
    SalleDeTable* salle = nullptr;
    ZB_RoomTable* table = nullptr; // owned by the bench's room

    void prepare(quint8 penalites)
    {
        banc = std::make_unique<BancDeTable>();
        salle = &banc->salle;
        table = banc->table;
        OptionsDePartie options(TypeDePartie::GenreJass);
        options.penalites_ = penalites;
        table->nouvellePartie(ZB_RoomTable::ReseauServeur, options);
        table->statsPartie().id1_ = 7;
        table->statsPartie().valeurs_[0] = 3;
        for (int siege = 0; siege < 4; ++siege)
            table->inscritJoueur(siege, client(siege, 40 + siege), Joueur::ModeHumainDistant, false);
    }

private slots:
    void init() { prepare(1); }
    void cleanup()
    {
        banc.reset();
        salle = nullptr;
        table = nullptr;
    }

    void texteDePenalite_data()
    {
        QTest::addColumn<GM_GamePenalty>("penalite");
        QTest::addColumn<QString>("texte");
        QTest::newRow("too slow") << GM_GamePenalty(7, 0.2, 42, 3, GM_GamePenalty::GenreTropLent)
                                  << QStringLiteral("{7!0.2!42!3!1!}");
        QTest::newRow("left the game") << GM_GamePenalty(Q_INT64_C(123456789012), 1.0, -1, 5, 0)
                                       << QStringLiteral("{123456789012!1!-1!5!0!}");
        QTest::newRow("six digits") << GM_GamePenalty(-1, 1.0 / 3.0, 0, 0, 0)
                                    << QStringLiteral("{-1!0.333333!0!0!0!}");
    }
    void texteDePenalite()
    {
        QFETCH(GM_GamePenalty, penalite);
        QFETCH(QString, texte);
        QCOMPARE(penalite.sauveValeursDansString(), texte);
        GM_GamePenalty lue;
        lue.chargeValeursDepuisString(texte);
        QCOMPARE(lue.sauveValeursDansString(), texte);
        QCOMPARE(lue.idPartie_, penalite.idPartie_);
        QCOMPARE(lue.idCompte_, penalite.idCompte_);
        QCOMPARE(lue.genre_, penalite.genre_);
    }

    void penaliteIllisible_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::newRow("four fields") << QStringLiteral("{7!0.2!42!3!}");
        QTest::newRow("empty") << QString();
        QTest::newRow("letters") << QStringLiteral("{7!abc!42!3!1!}");
        QTest::newRow("not a number") << QStringLiteral("{7!nan!42!3!1!}");
        QTest::newRow("infinite") << QStringLiteral("{7!inf!42!3!1!}");
        QTest::newRow("account too large") << QStringLiteral("{7!0.2!4294967296!3!1!}");
    }
    void penaliteIllisible()
    {
        QFETCH(QString, texte);
        GM_GamePenalty penalite(9, 0.5, 8, 2, 1);
        const GM_GamePenalty avant = penalite;
        try {
            penalite.chargeValeursDepuisString(texte);
            QFAIL("accepted");
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), QStringLiteral("Chaine incompatible, invalide ou corrompue."));
        }
        QCOMPARE(penalite, avant);
    }

    void signauxEtSlotsDansLOrdre()
    {
        const QMetaObject* meta = table->metaObject();
        const QStringList attendues = {
            QStringLiteral("signalDisconnectClient(bool)"),
            QStringLiteral("signalQuestion_NouvellePartie(bool)"),
            QStringLiteral("signalSendStatsGameStart(QString)"),
            QStringLiteral("signalSendPenalty(QString)"),
            QStringLiteral("signalPlayerExcluded()"),
            QStringLiteral("signalPlayerTooSlow(int,double)"),
            QStringLiteral("signalSendStatsGameCompleted(bool,QString)"),
            QStringLiteral("OnPlayerExcluded()"),
            QStringLiteral("OnPlayerTooSlow(qlonglong,double)"),
            QStringLiteral("OnQuestionNouvellePartie()"),
            QStringLiteral("OnDisconnectClient()"),
        };
        QCOMPARE(meta->methodCount() - meta->methodOffset(), attendues.size());
        for (int i = 0; i < attendues.size(); ++i)
            QCOMPARE(QString::fromLatin1(meta->method(meta->methodOffset() + i).methodSignature()), attendues.at(i));
    }

    void tropLent_data()
    {
        QTest::addColumn<quint8>("penalites");
        QTest::addColumn<qint64>("compte");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("charged") << quint8(1) << qint64(42) << QStringLiteral("{7!0.2!42!3!1!}");
        QTest::newRow("low 32 bits") << quint8(1) << (Q_INT64_C(1) << 32) + 42 << QStringLiteral("{7!0.2!42!3!1!}");
        QTest::newRow("penalties off") << quint8(0) << qint64(42) << QString();
        QTest::newRow("no account") << quint8(1) << qint64(-1) << QStringLiteral("{7!0.2!-1!3!1!}");
    }
    void tropLent()
    {
        QFETCH(quint8, penalites);
        QFETCH(qint64, compte);
        QFETCH(QString, attendu);
        prepare(penalites);
        QSignalSpy penalite(table, &ZB_RoomTable::signalSendPenalty);
        // Through the seated player's own signal, as its turn timer raises it.
        emit table->getJoueur(1)->signalPlayerTooSlow(compte, JoueurHumain::PENALITE_LENTEUR);
        QCOMPARE(penalite.count(), attendu.isEmpty() ? 0 : 1);
        if (!attendu.isEmpty())
            QCOMPARE(penalite.at(0).at(0).toString(), attendu);
    }

    void slotsRelaient()
    {
        QSignalSpy exclu(table, &ZB_RoomTable::signalPlayerExcluded);
        QSignalSpy deconnecte(table, &ZB_RoomTable::signalDisconnectClient);
        QSignalSpy question(table, &ZB_RoomTable::signalQuestion_NouvellePartie);
        table->OnPlayerExcluded();
        QCOMPARE(exclu.count(), 1);
        table->OnDisconnectClient();
        QCOMPARE(deconnecte.count(), 1);
        QCOMPARE(deconnecte.at(0).at(0).toBool(), false);
        // Nobody answered yet: the room hears "no".
        table->OnQuestionNouvellePartie();
        QCOMPARE(question.count(), 1);
        QCOMPARE(question.at(0).at(0).toBool(), false);
    }

    // A client whose connection closes: a penalty of 1.0 only when it
    // leaves a deal under way, penalties on, and not right after an
    // end-of-game answer of the same account; a player without an account
    // is charged as account -1.
    void departDUnClient_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<quint8>("penalites");
        QTest::addColumn<bool>("memeCompte");
        QTest::addColumn<qint64>("compte");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("state 50") << 50 << quint8(1) << false << qint64(42) << QStringLiteral("{7!1!42!3!0!}");
        QTest::newRow("state 7") << 7 << quint8(1) << false << qint64(42) << QStringLiteral("{7!1!42!3!0!}");
        QTest::newRow("state 133") << 133 << quint8(1) << false << qint64(42) << QStringLiteral("{7!1!42!3!0!}");
        QTest::newRow("inscriptions") << 5 << quint8(1) << false << qint64(42) << QString();
        QTest::newRow("match over") << 134 << quint8(1) << false << qint64(42) << QString();
        QTest::newRow("penalties off") << 50 << quint8(0) << false << qint64(42) << QString();
        QTest::newRow("same account") << 50 << quint8(1) << true << qint64(42) << QString();
        QTest::newRow("no account") << 50 << quint8(1) << false << qint64(-1) << QStringLiteral("{7!1!-1!3!0!}");
    }
    void departDUnClient()
    {
        QFETCH(int, etat);
        QFETCH(quint8, penalites);
        QFETCH(bool, memeCompte);
        QFETCH(qint64, compte);
        QFETCH(QString, attendu);
        prepare(penalites);
        table->inscritJoueur(2, client(2, compte), Joueur::ModeHumainDistant, false);
        if (memeCompte) {
            // Two end-of-game answers with the same account set the flag.
            for (int fois = 0; fois < 2; ++fois) {
                salle->liste.setEtatAttendu(EtatDeJeu::FinDePartieSiege2);
                QVERIFY(table->cb_executeUnEvenement(
                    EvenementDeJeu(EvenementDeJeu::Fin, QStringLiteral("Ok"), 2, EtatDeJeu::FinDePartieSiege2,
                                   EvenementDeJeu::Remote_Human,
                                   302, 0, table->getNoDemande(), 0, ZB_ICI)));
            }
            QVERIFY(table->estMemeCompte(2));
        }
        salle->liste.setEtatAttendu(etat);
        QSignalSpy penalite(table, &ZB_RoomTable::signalSendPenalty);
        table->setClientOffline(302, true, false);
        QCOMPARE(penalite.count(), attendu.isEmpty() ? 0 : 1);
        if (!attendu.isEmpty())
            QCOMPARE(penalite.at(0).at(0).toString(), attendu);
        // Either way the seat goes to the computer, without a notice.
        QTRY_COMPARE(table->getJoueur(2)->modeJeu_, int(Joueur::ModeRemplacant));
        QCOMPARE(salle->postes.size(), 1);
        QCOMPARE(salle->postes.at(0).type_, int(EvenementDeJeu::JoO));
        QVERIFY(!table->estMemeCompte(2));
    }

    void clientInconnu()
    {
        // A client that only waited for a seat leaves: its waiting entry
        // goes, nobody is charged.
        OptionsDuJoueur autre = client(3, 78);
        autre.id_ = 999;
        const EvenementDeJeu entree(EvenementDeJeu::JoN, autre.sauveValeursDansString(), 3,
                                    EtatDeJeu::EntreeOuSortieDeJoueur, EvenementDeJeu::Local_Table, 999, 0,
                                    table->getNoDemande(), 0, ZB_ICI);
        QVERIFY(table->cb_executeUnEvenement(entree));
        QVERIFY(table->getEntreesProchaineDonne().contains(3));
        salle->liste.setEtatAttendu(EtatDeJeu::Tour2_NouveauJoueur1 + 1);
        QSignalSpy penalite(table, &ZB_RoomTable::signalSendPenalty);
        table->setClientOffline(999, true, true);
        QVERIFY(table->getEntreesProchaineDonne().isEmpty());
        QCOMPARE(penalite.count(), 0);
        QTRY_COMPARE(salle->postes.size(), 1);
        const EvenementDeJeu& ev = salle->postes.at(0);
        QCOMPARE(ev.type_, int(EvenementDeJeu::JoO));
        QCOMPARE(ev.noJoueur_, ZB_RoomTable::SiegeTable);
        QCOMPARE(ev.etat_, EtatDeJeu::EntreeOuSortieDeJoueur);
        QCOMPARE(ev.idJoueur_, qint64(999));
        QCOMPARE(ev.noDemande_, table->getNoDemande());
        QCOMPARE(ev.source_, int(EvenementDeJeu::Local_Table));
        for (int siege = 0; siege < 4; ++siege)
            QCOMPARE(table->getJoueur(siege)->modeJeu_, int(Joueur::ModeHumainDistant));
    }
};

ZB_REGISTER_TEST(TestTablePenalties)
#include "TestTablePenalties.moc"
