#include "EtatDeJeu.h"
#include "EvenementDeJeu.h"
#include "ExecuteurTemoin.h"
#include "GM_Exception.h"
#include "ListeDesEvenements.h"
#include "ZB_VerrouEvenements.h"
#include "ZbTestRegistry.h"

#include <QTest>

#include <stdexcept>

// The named game states and the helpers around the event list: saved games
// and peers carry the states as numbers, so a name that drifted from its
// number would misread every record.
class TestGameStates : public QObject
{
    Q_OBJECT

private slots:
    // Every state belongs to exactly one part of a deal, and the parts have
    // the shape of a deal: 5 entry groups, 9 card groups, 10 collect groups
    // (the Belote pair's among them), one confirmation group.
    void chaqueEtatAUneSeulePlace()
    {
        int entrees = 0;
        int cartes = 0;
        int ramasses = 0;
        int confirmations = 0;
        for (int etat = 0; etat < EtatDeJeu::NombreEtats; ++etat) {
            QVERIFY(EtatDeJeu::estValide(etat));
            const int places = int(EtatDeJeu::estInscriptionJoueur(etat)) + int(EtatDeJeu::estAttenteDistribue(etat))
                             + int(EtatDeJeu::estAttenteMise(etat)) + int(EtatDeJeu::estAttenteAnnonce(etat))
                             + int(EtatDeJeu::estNouveauJoueur(etat)) + int(EtatDeJeu::estAttenteDeCarte(etat))
                             + int(EtatDeJeu::estRamasseTas(etat)) + int(EtatDeJeu::estConfirmationAnnonces(etat))
                             + int(EtatDeJeu::estFinDePartie(etat));
            QVERIFY2(places <= 1, qPrintable(QString::number(etat)));
            entrees += EtatDeJeu::estNouveauJoueur(etat);
            cartes += EtatDeJeu::estAttenteDeCarte(etat);
            ramasses += EtatDeJeu::estRamasseTas(etat);
            confirmations += EtatDeJeu::estConfirmationAnnonces(etat);
            // The card states are what the events' validity check expects.
            QCOMPARE(EvenementDeJeu::estEtatDeCarte(etat), EtatDeJeu::tourDeCarte(etat) > 0);
        }
        QCOMPARE(entrees, 5 * 4);
        QCOMPARE(cartes, 9 * 4);
        QCOMPARE(ramasses, 10 * 4);
        QCOMPARE(confirmations, 4);
        QVERIFY(!EtatDeJeu::estValide(-1));
        QVERIFY(!EtatDeJeu::estValide(EtatDeJeu::NombreEtats));
        // The play states run without a gap from the first entry group to
        // the Belote pair's collects.
        for (int etat = EtatDeJeu::Tour1_NouveauJoueur1; etat <= EtatDeJeu::DernierEtatDeJeu; ++etat)
            QVERIFY2(etat == EtatDeJeu::PaireBeloteDecideMatch || EtatDeJeu::estNouveauJoueur(etat)
                         || EtatDeJeu::estAttenteDeCarte(etat) || EtatDeJeu::estRamasseTas(etat)
                         || EtatDeJeu::estConfirmationAnnonces(etat),
                     qPrintable(QString::number(etat)));
        QCOMPARE(EtatDeJeu::tourDeCarte(EtatDeJeu::Tour9_AttendCarte1 + 3), 9);
        QVERIFY(EtatDeJeu::estFinDePli(EtatDeJeu::Tour9_AttendRamasseTas4));
        QVERIFY(!EtatDeJeu::estFinDePli(EtatDeJeu::PaireBelote_AttendRamasseTas4));
    }

    // Who may send a kind: a client sends only its seat's moves and chat;
    // only the table states the snapshot and the inscriptions; every kind
    // either answers a request, answers none, or (offline and entry
    // notices) may do both.
    void classesDesGenres()
    {
        QStringList client;
        QStringList table;
        for (int genre = 0; genre < EvenementDeJeu::NombreDeGenres; ++genre) {
            const QString code = EvenementDeJeu::codeDeGenre(genre);
            if (EvenementDeJeu::estDeClasse(genre, EvenementDeJeu::EnvoiDeClient))
                client << code;
            if (EvenementDeJeu::estDeClasse(genre, EvenementDeJeu::FaitDeTable))
                table << code;
            QVERIFY2(!(EvenementDeJeu::estDeClasse(genre, EvenementDeJeu::SansDemande)
                       && EvenementDeJeu::estDeClasse(genre, EvenementDeJeu::AvecDemande)),
                     qPrintable(code));
            QVERIFY(!(EvenementDeJeu::estDeClasse(genre, EvenementDeJeu::EnvoiDeClient)
                      && EvenementDeJeu::estDeClasse(genre, EvenementDeJeu::FaitDeTable)));
        }
        QCOMPARE(client, (QStringList{"Ram", "Cho", "Chm", "Ajo", "Dis", "Fin", "Mes", "Ann"}));
        QCOMPARE(table, (QStringList{"Enr", "InJ", "ReJ"}));
        QVERIFY(!EvenementDeJeu::estDeClasse(-1, EvenementDeJeu::EnvoiDeClient));
        QVERIFY(!EvenementDeJeu::estDeClasse(EvenementDeJeu::NombreDeGenres, EvenementDeJeu::EnvoiDeClient));
    }

    // Whatever the guarded code throws, the list's lock is free afterwards,
    // and the message that reaches the log is never empty.
    void verrouEtMessageDException()
    {
        ExecuteurTemoin executeur;
        ListeDesEvenements liste(&executeur, 0);
        const QString gm = GM_Exception::sansException([&] {
            ZB_VerrouEvenements<ListeDesEvenements> verrou(liste);
            throw GM_Exception(QStringLiteral("refus"));
        });
        QCOMPARE(gm, QStringLiteral("refus"));
        QVERIFY(liste.getMutex()->tryLock());
        liste.getMutex()->unlock();

        const QString vide = GM_Exception::sansException([&] {
            ZB_VerrouEvenements<ListeDesEvenements> verrou(liste);
            verrou.unlock();
            throw GM_Exception();
        });
        QCOMPARE(vide, QStringLiteral("GM_Exception"));
        QVERIFY(liste.getMutex()->tryLock());
        liste.getMutex()->unlock();

        QCOMPARE(GM_Exception::sansException([] { throw std::runtime_error("std"); }), QStringLiteral("std"));
        QCOMPARE(GM_Exception::sansException([] { throw 3; }), QStringLiteral("unknown exception"));
        QVERIFY(GM_Exception::sansException([] {}).isEmpty());
    }
};

ZB_REGISTER_TEST(TestGameStates)
#include "TestGameStates.moc"
