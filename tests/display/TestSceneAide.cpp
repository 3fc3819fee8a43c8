#include "NomsDeCouleurs.h"
#include "SceneAide.h"
#include "StatusAtout.h"
#include "ZB_StatusMise.h"
#include "ZbTestRegistry.h"

#include <QTest>

namespace {

ZB_StatusMise conseil(bool faite, int atout, int type, int points = 100)
{
    ZB_StatusMise m;
    m.miseFaite_ = faite;
    m.atoutMise_ = atout;
    m.typeContrat_ = type;
    m.pointsMise_ = points;
    return m;
}

} // namespace

// The help box's advice from the facts the scene hands in.
class TestSceneAide : public QObject
{
    Q_OBJECT

private slots:
    // The computer's bid in the words of the game's contract rule (2:
    // Coinche, else Contrée).
    void bidAdviceSpeaksTheContractRule_data()
    {
        QTest::addColumn<ZB_StatusMise>("mise");
        QTest::addColumn<int>("styleContre");
        QTest::addColumn<QString>("texte");
        const QString coeur = getNomCouleur(2, 0);
        QTest::newRow("pass") << conseil(false, 2, ZB_StatusMise::Simple) << 2
                              << "L'ordinateur vous conseille de 'Passer'.";
        QTest::newRow("take the turned suit") << conseil(true, 0, ZB_StatusMise::Simple) << 2
                                              << "L'ordinateur vous conseille de 'Prendre'.";
        QTest::newRow("bid") << conseil(true, 2, ZB_StatusMise::Simple, 110) << 2
                             << "L'ordinateur vous conseille de choisir '110 " + coeur + "'.";
        QTest::newRow("first bid of the deal") << conseil(true, 2, ZB_StatusMise::PasEncoreDeMise, 80) << 3
                                               << "L'ordinateur vous conseille de choisir '80 " + coeur + "'.";
        QTest::newRow("double, Coinche") << conseil(true, 2, ZB_StatusMise::Contre) << 2
                                         << "L'ordinateur vous conseille de 'Coincher'.";
        QTest::newRow("double, Contrée") << conseil(true, 2, ZB_StatusMise::CapotContre) << 3
                                         << "L'ordinateur vous conseille de 'Contrer'.";
        QTest::newRow("redouble, Coinche") << conseil(true, 2, ZB_StatusMise::CapotSurcontre) << 2
                                           << "L'ordinateur vous conseille de 'Surcoincher'.";
        QTest::newRow("redouble, Contrée") << conseil(true, 2, ZB_StatusMise::Surcontre) << 3
                                           << "L'ordinateur vous conseille de 'Surcontrer'.";
        QTest::newRow("capot") << conseil(true, 2, ZB_StatusMise::Capot) << 2
                               << "L'ordinateur vous conseille de choisir 'Capot en " + coeur + "'.";
        QTest::newRow("take, turned card") << conseil(true, 2, ZB_StatusMise::PrendCouleurRetournee) << 2
                                           << "L'ordinateur vous conseille de 'Prendre'.";
        QTest::newRow("unknown kind") << conseil(true, 2, 42) << 2 << QString();
    }
    void bidAdviceSpeaksTheContractRule()
    {
        QFETCH(ZB_StatusMise, mise);
        QFETCH(int, styleContre);
        QFETCH(QString, texte);
        QCOMPARE(scene_aide::texteConseilMise(mise, styleContre, 0), texte);
    }

    // What the seat's player advised reaches the box only in the states
    // that ask it, and only the trump passed on forbids passing it again.
    void adviceGoesWithItsState_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("atout");  // -1: no trump advice
        QTest::addColumn<bool>("chibre");
        QTest::addColumn<bool>("mise");
        QTest::addColumn<QStringList>("contient");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("trump: pass it on") << 27 << int(StatusAtout::Aucun) << true << false
                                           << QStringList{"choisir 'Chibre'", "'Chibrer'"} << QStringList{};
        QTest::newRow("trump: a mode") << 27 << int(StatusAtout::HautEnBas) << false << false
                                       << QStringList{"choisir 'De haut en bas'"} << QStringList{"'Chibre'"};
        QTest::newRow("trump passed on: no advice") << 28 << int(StatusAtout::Aucun) << false << false
                                                   << QStringList{"Vous devez choisir l'atout"}
                                                   << QStringList{"conseille", "'Chibrer'"};
        QTest::newRow("bid") << 11 << -1 << false << true
                             << QStringList{"'Passer'.", "Vous devez choisir la mise"} << QStringList{};
        QTest::newRow("bid advice outside the bids") << 7 << -1 << false << true
                                                     << QStringList{"pas d'aide disponible"}
                                                     << QStringList{"conseille"};
        QTest::newRow("trump advice outside the trump") << 45 << int(StatusAtout::HautEnBas) << false << false
                                                        << QStringList{"les annonces sont gérées"}
                                                        << QStringList{"conseille"};
    }
    void adviceGoesWithItsState()
    {
        QFETCH(int, etat);
        QFETCH(int, atout);
        QFETCH(bool, chibre);
        QFETCH(bool, mise);
        QFETCH(QStringList, contient);
        QFETCH(QStringList, absent);
        scene_aide::Situation situation;
        situation.etat = etat;
        if (atout >= 0) {
            StatusAtout conseil;
            conseil.chibre_ = chibre;
            conseil.choisi_ = atout != StatusAtout::Aucun;
            conseil.atout_ = atout;
            situation.conseilAtout = conseil;
        }
        if (mise)
            situation.conseilMise = conseil(false, 0, ZB_StatusMise::Simple);
        const QString aide = scene_aide::texteAide(situation);
        for (const QString& texte : contient)
            QVERIFY2(aide.contains(texte), qPrintable(aide));
        for (const QString& texte : absent)
            QVERIFY2(!aide.contains(texte), qPrintable(aide));
    }
};

ZB_REGISTER_TEST(TestSceneAide)
#include "TestSceneAide.moc"
