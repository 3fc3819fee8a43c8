#include "Carte.h"
#include "EvenementDeJeu.h"
#include "GM_GameStats.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "Partie.h"
#include "TypeDePartie.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_RoomTable.h"
#include "HeadlessMatch.h"
#include "CompteAvertissements.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextStream>

#include <atomic>
#include <memory>
#include <set>

using namespace match_sans_tete;

class TestTableWholeMatch : public QObject
{
    Q_OBJECT

private slots:
    // Four computer players play whole matches through the event list and
    // the table's states, over presets that cover every way of choosing a
    // trump: by the seat that begins (by suit, pique double, every Jass
    // mode), by a fixed order, on a turned card and by auction.
    void matchEntier_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("preset");
        QTest::addColumn<bool>("modeSimple");
        QTest::newRow("jass by suit, full strength") << 0 << 0 << false;
        QTest::newRow("jass pique double") << 0 << 1 << true;
        QTest::newRow("jass every mode") << 0 << 2 << true;
        QTest::newRow("jass zig zag") << 0 << 3 << true;
        QTest::newRow("fixed order, once each") << 0 << 14 << true;
        QTest::newRow("fixed order, four times each") << 0 << 15 << true;
        QTest::newRow("belote classique") << 1 << 6 << true;
        QTest::newRow("belote vache") << 1 << 10 << true;
        QTest::newRow("belote contree") << 1 << 8 << true;
        QTest::newRow("belote coinchee") << 1 << 9 << true;
    }

    void matchEntier()
    {
        QFETCH(int, genre);
        QFETCH(int, preset);
        QFETCH(bool, modeSimple);

        Banc banc(modeSimple);
        const OptionsDePartie options = optionsDuPreset(genre, preset);
        QSignalSpy statsFinales(banc.table.get(), &ZB_RoomTable::signalSendStatsGameCompleted);
        CompteAvertissements avertissements;
        banc.demarre(options, 20261207u + quint32(preset));
        QString pourquoi;
        const bool fini = banc.attendFin(pourquoi);
        QVERIFY2(fini, qPrintable(pourquoi));

        QCOMPARE(CompteAvertissements::premier, QString());
        QCOMPARE(CompteAvertissements::compte.load(), 0);
        SalleDeMatch& salle = banc.salle;
        QCOMPARE(salle.finsDeMatch, 1);
        QCOMPARE(statsFinales.count(), 1);
        QCOMPARE(statsFinales.at(0).at(0).toBool(), false); // a local match has no online game id
        QCOMPARE(salle.cartesIllegales, 0);
        QCOMPARE(salle.cartesEnDouble, 0);
        const TypeDePartie& type = banc.table->getTypeDePartie();
        const int cartes = type.genre_ == TypeDePartie::GenreJass ? 36 : 32;
        for (int n : std::as_const(salle.cartesParDonne))
            QCOMPARE(n, cartes);

        const int t0 = banc.total(0);
        const int t1 = banc.total(1);
        // The end box's totals are the match's.
        GM_GameStats stats;
        stats.chargeValeursDepuisString(statsFinales.at(0).at(1).toString());
        for (int equipe = 0; equipe < 2; ++equipe) {
            const auto& c = stats.equipes_[size_t(equipe)].compteurs_;
            QCOMPARE(c[JoueurHumain::StatsPointsAnnonces] + c[JoueurHumain::StatsPointsPlis], equipe == 0 ? t0 : t1);
        }
        if (type.atoutAutomatique_ == 1 || type.atoutAutomatique_ == 2) {
            // Ends when every allowed trump has been played its share.
            std::array<bool, TypeDePartie::NOMBRE_MODES> permis{};
            const int fois = type.atoutAutomatique_ == 2 ? 4 : 1;
            QCOMPARE(banc.table->getSettingsPartie().donnesJouees_, type.getAtoutsPermis(permis) * fois);
            StatusAtout reste;
            QVERIFY(banc.table->determineAtoutAutomatique(reste, type.atoutAutomatique_ == 2) < 1);
        } else {
            QVERIFY2(t0 >= type.pointsObjectif_ || t1 >= type.pointsObjectif_,
                     qPrintable(QStringLiteral("%1 : %2").arg(t0).arg(t1)));
        }
        if (type.contrat_ != TypeDePartie::ContratChibre)
            QVERIFY(salle.mises > 0);
        if (preset == 0)
            QVERIFY(salle.confirmations >= 1); // over a dozen deals some announcement stands

        // The record replayed into a fresh table, whole (a saved match
        // opened) or up to where the match was quit (the autosave resumed):
        // at the end of the deal before the last, in the last deal's trump
        // choice or bidding, at a card halfway through that deal. The match
        // goes on as it did, to the same scores and end box, every counter.
        QString texte;
        {
            QTextStream out(&texte);
            QMutexLocker verrou(salle.liste.getMutex());
            salle.liste.ecritTexte(out);
        }
        const QStringList lignes = texte.split(QStringLiteral("\r\n"));
        auto deGenre = [](const char* g) {
            return QRegularExpression(QStringLiteral("\\{%1!.*").arg(QLatin1String(g)));
        };
        const qsizetype cliche = lignes.lastIndexOf(deGenre("Enr"));
        for (const qsizetype arret : {lignes.size() - 1, lignes.lastIndexOf(deGenre("Ram"), cliche),
                                      lignes.indexOf(deGenre("Ch[om]"), cliche),
                                      lignes.indexOf(deGenre("Ajo"), (cliche + lignes.size()) / 2)}) {
            QVERIFY(arret > 0);
            Banc rejoue(modeSimple);
            QSignalSpy statsRejouees(rejoue.table.get(), &ZB_RoomTable::signalSendStatsGameCompleted);
            QVERIFY(rejoue.table->chargeTable(lignes.mid(0, arret + 1)));
            QVERIFY(rejoue.table->rejoue(0));
            QTRY_VERIFY_WITH_TIMEOUT(!rejoue.salle.liste.estReplayEnCours(), 30000);
            rejoue.salle.liste.flush(); // as the program goes on after a replay
            QVERIFY2(rejoue.attendFin(pourquoi), qPrintable(pourquoi));
            QCOMPARE(rejoue.total(0), t0);
            QCOMPARE(rejoue.total(1), t1);
            QCOMPARE(statsRejouees.count(), 1);
            QCOMPARE(statsRejouees.at(0).at(1), statsFinales.at(0).at(1));
        }
        QCOMPARE(CompteAvertissements::compte.load(), 0);
    }
};

ZB_REGISTER_TEST(TestTableWholeMatch)
#include "TestTableWholeMatch.moc"
