#include "EtatDeJeu.h"
#include "JoueurHumain.h"
#include "ListeDesEvenements.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_RoomTable.h"
#include "SalleDeTable.h"
#include "TableEnPlace.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QTest>

namespace {

// A hosting table in the test kit's stand-in room, the way the fuzz targets
// hold theirs: the state moves on after each applied event and the table
// goes on at once.
struct TableTemoin {
    SalleDeTable salle;
    ZB_DisplayEmpty display;
    ZB_RoomTable table{nullptr, true, false};
    TableEnPlace place = TableEnPlace::quatreDistants(ZB_RoomTable::ReseauServeur, 1);

    TableTemoin()
    {
        salle.table = &table;
        salle.avanceJusqua = EtatDeJeu::FinDePartieSiege3;
        salle.continueLaTable = true;
        salle.sansPause = true;
        table.setSalle(&salle);
        table.initialise(&salle, nullptr, 0, &display, &salle.liste, false, QString(), QString(), false);
        place.installe(table);
        salle.liste.sansDelai_ = true;
    }

    // From the inscriptions to the deal requests; the list goes on from
    // its timer, step by step.
    void demarre()
    {
        salle.oublie();
        salle.liste.setEtatAttendu(EtatDeJeu::InscriptionJoueur0);
        table.continueLeJeu(0, nullptr, false, false);
        salle.liste.flush();
    }
};

} // namespace

// A table brought back to its start between runs (the fuzz targets' way to
// run thousands of inputs on one table) must play like a table just built:
// otherwise what one input left behind would change the next, and a crash
// found that way would not come back in a fresh run.
class TestTableReset : public QObject
{
    Q_OBJECT

private slots:
    void remiseEnPlaceCommeNeuve()
    {
        const QStringList attendus{"InJ", "InJ", "InJ", "InJ", "Enr"};
        TableTemoin neuve;
        neuve.demarre();
        QTRY_COMPARE_WITH_TIMEOUT(neuve.salle.genresAppliques(), attendus, 5000);

        TableTemoin usee;
        usee.demarre();
        QTRY_COMPARE_WITH_TIMEOUT(usee.salle.genresAppliques(), attendus, 5000);
        // A seat goes offline and back to the computer, a player waits for
        // the next trick: both must be forgotten.
        usee.table.setPlayerOffline(2, true);
        QCoreApplication::sendPostedEvents(&usee.salle);
        QCOMPARE(usee.table.getJoueur(2)->modeJeu_, int(Joueur::ModeRemplacant));

        usee.place.remetEnPlace(usee.table, usee.salle.liste);
        QCOMPARE(usee.salle.liste.getEtatAttendu(), int(EtatDeJeu::Aucun));
        QVERIFY(usee.table.getPartie().isNull());
        QVERIFY(usee.table.getEntreesProchaineDonne().isEmpty());
        QVERIFY(usee.table.getEntreesProchainPli().isEmpty());
        for (int siege = 0; siege < 4; ++siege) {
            const JoueurHumain* joueur = usee.table.getJoueur(siege);
            QCOMPARE(joueur->modeJeu_, int(Joueur::ModeHumainDistant));
            QCOMPARE(joueur->options_.id_, qint64(100 + siege));
            QCOMPARE(joueur->main_.getNombreDeCartes(), 0);
        }
        usee.demarre();
        QTRY_COMPARE_WITH_TIMEOUT(usee.salle.genresAppliques(), attendus, 5000);
        QCOMPARE(usee.salle.liste.getEtatAttendu(), neuve.salle.liste.getEtatAttendu());
    }
};

ZB_REGISTER_TEST(TestTableReset)
#include "TestTableReset.moc"
