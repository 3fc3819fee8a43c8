#include "EvenementDeJeu.h"
#include "GM_GameStats.h"
#include "HeadlessMatch.h"
#include "Partie.h"
#include "ZB_PointsA.h"
#include "ListeDesEvenements.h"
#include "OptionsPartie.h"
#include "SalleSansInterface.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_RoomTable.h"
#include "ZbTestRegistry.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <memory>

namespace {

// The engine's room with the end-of-game answer counted.
class SalleDeMatch : public SalleSansInterface
{
public:
    using SalleSansInterface::SalleSansInterface;
    int reponsesNouvellePartie = 0;
    void answerNextGame(bool) override { ++reponsesNouvellePartie; }
};

// The executed events of a list, as events.
QList<EvenementDeJeu> executes(const ListeDesEvenements& liste)
{
    QList<EvenementDeJeu> evs;
    for (QTextBlock b = liste.getExecutes().begin(); b.isValid(); b = b.next()) {
        EvenementDeJeu ev;
        QString reste;
        if (ev.fromString(b.text(), reste))
            evs << ev;
    }
    return evs;
}

} // namespace

// Every game mode a person picks in the options dialog for the custom type
// plays to its end, through the engine's room, with four computers, to the
// end-of-game answers: the standard game to the target, the eight rounds,
// the trump rounds, and the tournament, which imposes each allowed trump
// once in the table's order and ends when none is left, under both card
// counts, also when the last deal's trump pair closes it, and also of the
// game type the dialog shows first. The end box's totals are the match's.
class TestMatchModes : public QObject
{
    Q_OBJECT

private slots:
    void everyModeEnds_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("regles");
        QTest::addColumn<quint32>("graine");
        QTest::addColumn<int>("donnes");     // -1: played to the target
        QTest::addColumn<bool>("finParLaPaire");
        QTest::addColumn<QList<int>>("atouts"); // imposed, in order; empty: chosen by the seats
        QTest::addColumn<QString>("preset");
        const QString perso = QStringLiteral("radioButtonPreset5");
        const QList<int> couleurs = {4, 1, 2, 3};
        const QString jass = QStringLiteral("radioButtonRulesJass_9cards");
        const QString belote = QStringLiteral("radioButtonRulesBelote_8cards");
        const QString tournoi = QStringLiteral("radioButtonTournament");
        QTest::newRow("standard") << QStringLiteral("radioButtonStandard") << jass << quint32(1) << -1 << false
                                  << QList<int>() << perso;
        QTest::newRow("eight rounds") << QStringLiteral("radioButtonConcours") << jass << quint32(1) << 8 << false
                                      << QList<int>() << perso;
        // Twice the four allowed suits.
        QTest::newRow("trump rounds") << QStringLiteral("radioButtonCoiffeur") << belote << quint32(1) << 8 << false
                                      << QList<int>() << perso;
        QTest::newRow("tournament, jass") << tournoi << jass << quint32(1) << 4 << false << couleurs << perso;
        QTest::newRow("tournament, belote") << tournoi << belote << quint32(1) << 4 << false << couleurs << perso;
        // The game type the dialog shows first: its rules, trumps imposed.
        QTest::newRow("tournament of the type shown") << tournoi << jass << quint32(1) << 4 << false << couleurs
                                                      << QStringLiteral("radioButtonPreset0");
        // The last deal's trump King and Queen complete before its last
        // trick: the pair closes the match there.
        QTest::newRow("tournament, jass, ended by the last deal's pair")
            << tournoi << jass << quint32(6) << 4 << true << couleurs << perso;
        QTest::newRow("tournament, belote, ended by the last deal's pair")
            << tournoi << belote << quint32(2) << 4 << true << couleurs << perso;
    }
    void everyModeEnds()
    {
        QFETCH(QString, mode);
        QFETCH(QString, regles);
        QFETCH(quint32, graine);
        QFETCH(int, donnes);
        QFETCH(bool, finParLaPaire);
        QFETCH(QList<int>, atouts);
        QFETCH(QString, preset);

        OptionsPartie dialogue;
        dialogue.setOptions(OptionsDePartie(TypeDePartie::GenreJass), OptionsAffichage());
        for (const QString& bouton : {preset, regles,
                                      QStringLiteral("radioButtonContratChibre"),
                                      QStringLiteral("radioButtonRoiDameStock"), mode}) {
            auto* b = dialogue.findChild<QAbstractButton*>(bouton);
            QVERIFY2(b != nullptr, qPrintable(bouton));
            b->setChecked(true);
        }
        OptionsDePartie options;
        OptionsAffichage affichage;
        QVERIFY(dialogue.construit(options, affichage));

        QTemporaryDir dossier;
        ZB_DisplayEmpty display;
        ZB_Room::Parametres p;
        p.sansSauvegarde = true;
        p.modeSimple = true;
        p.sansDelai = true;
        p.dossierDonnees = dossier.path() + QLatin1Char('/');
        SalleDeMatch salle(nullptr, &display, nullptr, OptionsDePartie(options.genre_), p);
        QSignalSpy statistiques(&salle, &ZB_Room::signalSendStatsGameCompleted);
        int depart = ZB_Room::NouvellePartie;
        int session = ZB_Room::SessionLocale;
        salle.reponse_Depart(&depart, &session, options, QString(), QString(), 4001, 4002, 4000, 0, false, {}, -1);
        ZB_RoomTable* table = salle.getTable(0);
        table->settingsPartie().random_.initialise(graine);
        for (int siege = 0; siege < 4; ++siege)
            salle.inscritJoueur(match_sans_tete::ordinateur(siege), 2 + siege, 0);

        ListeDesEvenements* liste = salle.getListe(0);
        int executes0 = -1;
        QElapsedTimer inactif;
        inactif.start();
        while (!liste->attend(EtatDeJeu::QuestionNouvellePartie)) {
            QTest::qWait(2);
            const int n = liste->getExecutes().blockCount();
            if (n != executes0) {
                executes0 = n;
                inactif.restart();
            }
            QVERIFY2(inactif.elapsed() < 10000,
                     qPrintable(QStringLiteral("stalled in state %1").arg(liste->getEtatAttendu())));
        }

        // How the deals went: the trumps the table imposed (a tournament
        // reads its automatic trump from the inscription), whether the pair
        // closed the last deal, and the seats' end-of-game answers.
        QCOMPARE(table->getTypeDePartie().atoutAutomatique_, atouts.isEmpty() ? 0 : 1);
        QList<int> imposes;
        bool paire = false;
        int distributions = 0;
        int reponsesFin = 0;
        for (const EvenementDeJeu& ev : executes(*liste)) {
            if (ev.type_ == EvenementDeJeu::Cho && ev.noJoueur_ == int(ZB_RoomTable::SiegeTable)) {
                StatusAtout atout;
                atout.chargeValeursDepuisString(ev.texte_);
                QVERIFY(atout.choisi_);
                imposes << atout.atout_;
            }
            paire = paire || (ev.type_ == EvenementDeJeu::Ram && ev.etat_ == EtatDeJeu::PaireBelote_AttendRamasseTas4);
            if (ev.type_ == EvenementDeJeu::Dis && ev.etat_ == EtatDeJeu::AttendDistribue4)
                ++distributions;
            if (ev.type_ == EvenementDeJeu::Fin)
                ++reponsesFin;
        }
        QCOMPARE(imposes, atouts);
        QCOMPARE(paire, finParLaPaire);
        QCOMPARE(reponsesFin, 4);

        // The end: the totals are the snapshot's scores and the last deal as
        // recorded; the statistics went out once with the winner's total and
        // the room was handed the next-game answer.
        const int t0 = table->getSettingsPartie().scores_[0] + table->totalDonne(0);
        const int t1 = table->getSettingsPartie().scores_[1] + table->totalDonne(1);
        if (donnes < 0) {
            QVERIFY(qMax(t0, t1) >= table->getScoreObjectif());
        } else {
            QCOMPARE(distributions, donnes);
            // No points target ends a match played by its deals.
            QCOMPARE(table->getScoreObjectif(), int(ZB_RoomTable::ScoreSansFin));
            QVERIFY(t0 < table->getScoreObjectif() && t1 < table->getScoreObjectif());
        }
        if (finParLaPaire) {
            // The pair's bonus is in its team's total; the pair card itself
            // ended the play.
            int equipe = -1;
            for (int siege = 0; siege < 4; ++siege)
                if (table->getEtatsBelote()[size_t(siege)] == 2)
                    equipe = siege % 2;
            QVERIFY(equipe >= 0);
            QVERIFY(!table->getPartie().isNull());
            QVERIFY(table->getPartie()->getPoints()->autresPoints_[equipe] >= 20);
        }
        QCOMPARE(statistiques.count(), 1);
        GM_GameStats stats;
        stats.chargeValeursDepuisString(statistiques.first().at(1).toString());
        QCOMPARE(stats.valeurs_[1], qMax(t0, t1));
        // The end box's totals are the match's.
        for (int equipe = 0; equipe < 2; ++equipe) {
            const auto& c = stats.equipes_[size_t(equipe)].compteurs_;
            QCOMPARE(c[JoueurHumain::StatsPointsAnnonces] + c[JoueurHumain::StatsPointsPlis], equipe == 0 ? t0 : t1);
        }
        QCOMPARE(stats.m_statsPlayer.size(), 4);
        QTRY_COMPARE(salle.reponsesNouvellePartie, 1);
    }
};

ZB_REGISTER_TEST(TestMatchModes)
#include "TestMatchModes.moc"
