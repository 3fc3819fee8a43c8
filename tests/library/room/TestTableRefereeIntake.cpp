#include "RefereeTestKit.h"
#include "ZbTestRegistry.h"

using namespace arbitretest;

// The live intake: a bad event is logged and dropped and the next one
// runs, whatever a peer's garbage looks like.
class TestTableRefereeIntake : public QObject, private BancArbitre
{
    Q_OBJECT

private slots:
    void init() { monte(); }
    void cleanup() { demonte(); }

    // Live intake: a bad event is logged and dropped, the next one runs.
    void intakeEnDirect()
    {
        donne(1, {{2, 14}});
        avanceListe(26);
        const int avant = salle->appliques.size();
        salle->liste.setEtatAttendu(EtatDeJeu::AttendAtout);
        table->settingsPartie().joueurQuiCommenceLaProchainePartie = 1;
        const EvenementDeJeu casse
            = coup(EvenementDeJeu::Cho, QStringLiteral("{pas un atout!}"), 1, EtatDeJeu::AttendAtout);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^ZB_RoomTable::customEvent, event '.*Cho.*' has been "
                                                               "DROPPED: Chaine incompatible, invalide ou corrompue\\.$")));
        recoit(casse);
        QCOMPARE(salle->liste.getEtatAttendu(), EtatDeJeu::AttendAtout);
        QVERIFY(salle->liste.getMutex()->tryLock());
        salle->liste.getMutex()->unlock();

        recoit(coup(EvenementDeJeu::Cho, TEXTE_ATOUT, 1, EtatDeJeu::AttendAtout));
        QTRY_COMPARE(salle->appliques.size(), avant + 1);
        QCOMPARE(salle->liste.getEtatAttendu(), EtatDeJeu::AttendAtoutChibre);

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
        QCOMPARE(display->messages.last(), QStringLiteral("\u2068Serveur\u2069: \u2068encore là\u2069"));
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
        salle->liste.setEtatAttendu(etat);
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
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1);
        recoit(coup(EvenementDeJeu::Ajo, QStringLiteral("2_14"), 1, EtatDeJeu::Tour1_AttendCarte1));
        QTRY_COMPARE(display->cartesJouees, QStringList{QStringLiteral("1:2_14")});
        QCOMPARE(salle->liste.getEtatAttendu(), EtatDeJeu::Tour1_AttendCarte1 + 1);
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
                salle->liste.setEtatAttendu(ev.etat_);
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
        salle->liste.setEtatAttendu(EtatDeJeu::Tour1_AttendCarte1);
        recoit(EvenementDeJeu(EvenementDeJeu::Ajo, QStringLiteral("2_14"), 1, EtatDeJeu::Tour1_AttendCarte1,
                              EvenementDeJeu::Remote_Human,
                              table->getJoueur(1)->options_.id_, 0, table->getNoDemande(), 0, ZB_ICI));
        QTRY_COMPARE(display->cartesJouees, QStringList{QStringLiteral("1:2_14")});
        QCOMPARE(salle->liste.getEtatAttendu(), EtatDeJeu::Tour1_AttendCarte1 + 1);
    }
};

ZB_REGISTER_TEST(TestTableRefereeIntake)
#include "TestTableRefereeIntake.moc"
