#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "GM_ExceptionEventCorrupted.h"
#include "StatusAtout.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QTest>

#include <memory>

namespace {

const QString vaEtreEffacee = QStringLiteral("Malheureusement, cette partie est corrompue et va être effacée.");
const QString doitEtreEffacee = QStringLiteral("Malheureusement, cette partie est corrompue et doit être effacée.");
const QString recordCorrompu = QStringLiteral("Chaine incompatible, invalide ou corrompue.");

// The message of the exception the call throws, "" when it throws nothing.
template <typename F>
QString messageDe(F&& appel)
{
    try {
        appel();
    } catch (const GM_ExceptionEventCorrupted& e) {
        return e.getMessage();
    } catch (const GM_Exception& e) {
        return QStringLiteral("GM_Exception: ") + e.getMessage();
    }
    return QString();
}

// A receiver that keeps the last game event posted to it.
class Recepteur : public QObject
{
public:
    std::unique_ptr<EvenementDeJeu> recu;

protected:
    void customEvent(QEvent* e) override
    {
        if (e->type() == static_cast<QEvent::Type>(ZB_Event::EvenementDeJeu))
            recu.reset(static_cast<EvenementDeJeu*>(e)->clone());
    }
};

} // namespace

class TestGameEvents : public QObject
{
    Q_OBJECT

private slots:
    void kindCodes_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<QString>("code");
        const char* codes[] = {"RsV", "RsI", "ReE", "Ram", "Cho", "Chm", "Ajo", "Dis", "Fin", "Enr",
                               "Mes", "InP", "InJ", "ReJ", "JoO", "JoN", "JoM", "NeW", "Ann", "END"};
        for (int i = 0; i < 20; ++i)
            QTest::addRow("%s", codes[i]) << i << QString::fromLatin1(codes[i]);
    }

    void kindCodes()
    {
        QFETCH(int, genre);
        QFETCH(QString, code);
        QCOMPARE(EvenementDeJeu::TypeEvenement[genre], code);
        QCOMPARE(EvenementDeJeu::codeDeGenre(genre), code);
        if (genre == EvenementDeJeu::END)
            return;

        // Every kind but END is written and read back under its code.
        const int etat = genre == EvenementDeJeu::Ram ? 41 : (genre == EvenementDeJeu::Ajo ? 37 : 140);
        const bool tableLevel = QList<int>{EvenementDeJeu::RsV, EvenementDeJeu::RsI, EvenementDeJeu::ReE,
                                           EvenementDeJeu::Enr, EvenementDeJeu::Mes, EvenementDeJeu::InP,
                                           EvenementDeJeu::InJ, EvenementDeJeu::NeW}
                                    .contains(genre);
        const EvenementDeJeu ev(genre, QStringLiteral("x"), 4, etat, EvenementDeJeu::Local_Table, -1, 0,
                                tableLevel ? -1 : 3, 0, ZB_ICI);
        const QString texte = ev.toString(3);
        QVERIFY(texte.startsWith(QLatin1Char('{') + code + QLatin1Char('!')));
        EvenementDeJeu lu;
        QString reste;
        QVERIFY(lu.fromString(texte, reste));
        QCOMPARE(lu.type_, genre);
    }

    void kindAndSourceTables()
    {
        QCOMPARE(EvenementDeJeu::codeDeGenre(-1), QStringLiteral("END"));
        QCOMPARE(EvenementDeJeu::codeDeGenre(20), QStringLiteral("END"));
        QCOMPARE(EvenementDeJeu::nomDeSource(0), QStringLiteral("Local_AI"));
        QCOMPARE(EvenementDeJeu::nomDeSource(2), QStringLiteral("Local_Table"));
        QCOMPARE(EvenementDeJeu::nomDeSource(6), QStringLiteral("SourceRemote_Table_LocalTableTransform"));
        QCOMPARE(EvenementDeJeu::nomDeSource(12), QStringLiteral("SourceRemote_AI_OtherPlayerMessageReturned"));
        QCOMPARE(EvenementDeJeu::nomDeSource(13), QStringLiteral("Unknown"));
        QCOMPARE(EvenementDeJeu::nomDeSource(-1), QStringLiteral("Unknown"));

        const EvenementDeJeu defaut;
        QCOMPARE(int(defaut.type()), 1007);
        QVERIFY(!defaut.valide_);
        QCOMPARE(defaut.toString(3), QStringLiteral("{END!!4!0!13!-1!0!-1!0!}"));
    }

    void builtEventCarriesWhereItWasMade()
    {
        const int etat = EtatDeJeu::HorsDeroulement;
        const int ligne = __LINE__ + 1;
        const EvenementDeJeu ev(EvenementDeJeu::Mes, QStringLiteral("salut"), 1, etat, 1, 5, 0, -1, 0, ZB_ICI);
        QVERIFY(ev.valide_);
        QCOMPARE(ev.ligne_, ligne);
        QVERIFY(QByteArray(ev.fichier_).endsWith("TestGameEvents.cpp"));
        QVERIFY(QByteArray(ev.fonction_).contains("builtEventCarriesWhereItWasMade"));
        // A consistency fault throws from the builder itself.
        QCOMPARE(messageDe([] { EvenementDeJeu(EvenementDeJeu::Mes, QString(), 4, EtatDeJeu::HorsDeroulement, 2, -1, 0,
                                               4, 0, ZB_ICI); }),
                 doitEtreEffacee);
    }

    void textForms_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("noTable");
        QTest::addColumn<QString>("texte");
        QTest::newRow("v1") << 1 << 0 << QStringLiteral("{Dis!Ok!0!7!0!77!0!12!}");
        QTest::newRow("v1 drops the table") << 1 << 2 << QStringLiteral("{Dis!Ok!0!7!0!77!0!12!}");
        QTest::newRow("v2") << 2 << 0 << QStringLiteral("{Dis!Ok!0!7!0!77!0!12!0!}");
        QTest::newRow("v3") << 3 << 0 << QStringLiteral("{Dis!Ok!0!7!0!77!0!12!0!}");
        QTest::newRow("v3 table 2") << 3 << 2 << QStringLiteral("{Dis!Ok!0!7!0!77!0!12!2!}");
        QTest::newRow("v3 first table") << 3 << -1 << QStringLiteral("{Dis!Ok!0!7!0!77!0!12!-1!}");
    }

    void textForms()
    {
        QFETCH(int, version);
        QFETCH(int, noTable);
        QFETCH(QString, texte);
        const EvenementDeJeu ev(EvenementDeJeu::Dis, QStringLiteral("Ok"), 0, EtatDeJeu::AttendDistribue1,
                                EvenementDeJeu::Local_AI, 77, 0, 12,
                                noTable, ZB_ICI);
        QCOMPARE(ev.toString(version), texte);

        EvenementDeJeu lu;
        QString reste = QStringLiteral("unchanged");
        lu.valide_ = lu.fromString(texte, reste);
        QVERIFY(lu.valide_);
        QCOMPARE(reste, QString());
        QCOMPARE(lu.noTable_, version == 1 ? 0 : noTable);
        QCOMPARE(lu.type_, int(EvenementDeJeu::Dis));
        QCOMPARE(lu.texte_, QStringLiteral("Ok"));
        QCOMPARE(lu.noJoueur_, 0);
        QCOMPARE(lu.etat_, EtatDeJeu::AttendDistribue1);
        QCOMPARE(lu.source_, 0);
        QCOMPARE(lu.idJoueur_, Q_INT64_C(77));
        QCOMPARE(lu.mode_, 0);
        QCOMPARE(lu.noDemande_, 12);
        if (version > 1)
            QCOMPARE(lu, ev);
    }

    void largeIdsAndNegativeFields()
    {
        const EvenementDeJeu ev(EvenementDeJeu::JoO, QString(), 3, EtatDeJeu::Aucun, 11, Q_INT64_C(9007199254740993),
                                4, -7, 5,
                                ZB_ICI);
        EvenementDeJeu lu;
        QString reste;
        lu.valide_ = lu.fromString(ev.toString(2), reste);
        QCOMPARE(lu, ev);
        QCOMPARE(lu.mode_, 4);
    }

    void remainderRule_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("v1") << 1;
        QTest::newRow("v2") << 2;
        QTest::newRow("v3") << 3;
    }

    void remainderRule()
    {
        QFETCH(int, version);
        if (version == 1) {
            // The example of the protocol description, verbatim.
            EvenementDeJeu a;
            QString reste;
            QVERIFY(a.fromString(QStringLiteral("{Mes!a!4!140!2!-1!0!-1!}{Mes!b!4!140!2!-1!0!-1!}"), reste));
            QCOMPARE(a.texte_, QStringLiteral("a"));
            QCOMPARE(reste, QStringLiteral("{Mes!b!4!140!2!-1!0!-1!}"));
        }

        // A stream of three events, one of them with a nested record.
        const EvenementDeJeu e1(EvenementDeJeu::Mes, QStringLiteral("a"), 4, EtatDeJeu::HorsDeroulement, 2, -1, 0, -1,
                                1, ZB_ICI);
        const EvenementDeJeu e2(EvenementDeJeu::Cho, StatusAtout(true, true, 9, 2).sauveValeursDansString(), 2,
                                EtatDeJeu::AttendMise3_1 + 1,
                                1, 55, 0, 8, 1, ZB_ICI);
        const EvenementDeJeu e3(EvenementDeJeu::Ajo, QStringLiteral("3_14"), 2, EtatDeJeu::Tour1_AttendCarte1 + 1, 4,
                                55, 0, 9, 1, ZB_ICI);
        QString flux = e1.toString(version) + e2.toString(version) + e3.toString(version);
        QList<EvenementDeJeu> lus;
        for (int garde = 0; garde < 10 && !flux.isEmpty(); ++garde) {
            EvenementDeJeu ev;
            QString reste;
            ev.valide_ = ev.fromString(flux, reste);
            QVERIFY(ev.valide_);
            QVERIFY(reste.size() < flux.size());
            lus << ev;
            flux = reste;
        }
        QCOMPARE(lus.size(), 3);
        QCOMPARE(lus[1].texte_, e2.texte_);
        QCOMPARE(lus[2].texte_, QStringLiteral("3_14"));
        QCOMPARE(lus[2].noTable_, version == 1 ? 0 : 1);
    }

    void unknownCodesChangeNothing_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::newRow("END is never read") << QStringLiteral("{END!!4!0!2!-1!0!-1!}");
        QTest::newRow("case matters") << QStringLiteral("{mes!a!4!140!2!-1!0!-1!}");
        QTest::newRow("empty") << QString();
        QTest::newRow("braces only") << QStringLiteral("{}");
        QTest::newRow("nested code") << QStringLiteral("{{Mes}!a!4!140!2!-1!0!-1!}");
    }

    void unknownCodesChangeNothing()
    {
        QFETCH(QString, texte);
        EvenementDeJeu ev(EvenementDeJeu::Mes, QStringLiteral("avant"), 1, EtatDeJeu::HorsDeroulement, 3, 9, 3, -1, 2,
                          ZB_ICI);
        const EvenementDeJeu avant = ev;
        QString reste = QStringLiteral("unchanged");
        QVERIFY(!ev.fromString(texte, reste));
        QCOMPARE(reste, QStringLiteral("unchanged"));
        QCOMPARE(ev, avant);
        QCOMPARE(ev.mode_, 3);
    }

    void badNumbersThrow_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::newRow("seat") << QStringLiteral("{Dis!Ok!x!7!0!77!0!12!}");
        QTest::newRow("state") << QStringLiteral("{Dis!Ok!0!7.5!0!77!0!12!}");
        QTest::newRow("source") << QStringLiteral("{Dis!Ok!0!7!!77!0!12!}");
        QTest::newRow("id") << QStringLiteral("{Dis!Ok!0!7!0!99999999999999999999!0!12!}");
        QTest::newRow("mode") << QStringLiteral("{Dis!Ok!0!7!0!77!m!12!}");
        QTest::newRow("request") << QStringLiteral("{Dis!Ok!0!7!0!77!0!}");
        QTest::newRow("table") << QStringLiteral("{Dis!Ok!0!7!0!77!0!12!t!}");
        QTest::newRow("truncated") << QStringLiteral("{Dis!Ok!0!7!0");
        QTest::newRow("code alone") << QStringLiteral("{Mes}");
        QTest::newRow("int overflow") << QStringLiteral("{Dis!Ok!0!4294967303!0!77!0!12!}");
    }

    void badNumbersThrow()
    {
        QFETCH(QString, texte);
        EvenementDeJeu ev;
        QString reste = QStringLiteral("unchanged");
        QCOMPARE(messageDe([&] { ev.fromString(texte, reste); }), QStringLiteral("GM_Exception: ") + recordCorrompu);
        // Nothing half-read stays behind.
        QCOMPARE(ev, EvenementDeJeu());
        QCOMPARE(reste, QStringLiteral("unchanged"));
    }

    void consistency_data()
    {
        QTest::addColumn<int>("genre");
        QTest::addColumn<int>("etat");
        QTest::addColumn<int>("noDemande");
        QTest::addColumn<QString>("message");

        // Collect-only states, at both ends of every range.
        const int ramassage[][2] = {{41, 48},   {57, 60},   {69, 72},   {81, 84},   {93, 96},
                                    {101, 104}, {109, 112}, {117, 120}, {125, 128}, {130, 133}};
        for (const auto& p : ramassage) {
            for (int etat : {p[0], p[1]}) {
                QTest::addRow("Ram at %d", etat) << int(EvenementDeJeu::Ram) << etat << 3 << QString();
                QTest::addRow("Ajo at %d", etat) << int(EvenementDeJeu::Ajo) << etat << 3 << vaEtreEffacee;
                QTest::addRow("Mes at %d", etat) << int(EvenementDeJeu::Mes) << etat << -1 << vaEtreEffacee;
            }
        }
        // Card-only states.
        const int cartes[][2] = {{37, 40},  {53, 56},   {65, 68},   {77, 80},  {89, 92},
                                 {97, 100}, {105, 108}, {113, 116}, {121, 124}};
        for (const auto& p : cartes) {
            for (int etat : {p[0], p[1]}) {
                QTest::addRow("Ajo at %d", etat) << int(EvenementDeJeu::Ajo) << etat << 3 << QString();
                QTest::addRow("Dis at %d", etat) << int(EvenementDeJeu::Dis) << etat << 3 << doitEtreEffacee;
                QTest::addRow("Ram at %d", etat) << int(EvenementDeJeu::Ram) << etat << 3 << doitEtreEffacee;
            }
        }
        // Just outside the ranges nothing is forced.
        QTest::newRow("Dis at 36") << int(EvenementDeJeu::Dis) << 36 << 3 << QString();
        QTest::newRow("Dis at 49") << int(EvenementDeJeu::Dis) << 49 << 3 << QString();
        QTest::newRow("Dis at 129") << int(EvenementDeJeu::Dis) << 129 << 3 << QString();
        QTest::newRow("Fin at 134") << int(EvenementDeJeu::Fin) << 134 << 3 << QString();
        QTest::newRow("Ram at 42 request 3") << int(EvenementDeJeu::Ram) << 42 << 3 << QString();
        QTest::newRow("Ajo at 42") << int(EvenementDeJeu::Ajo) << 42 << 3 << vaEtreEffacee;
        QTest::newRow("Dis at 38") << int(EvenementDeJeu::Dis) << 38 << 3 << doitEtreEffacee;

        // Table-level kinds answer no request.
        for (int genre : {EvenementDeJeu::RsV, EvenementDeJeu::RsI, EvenementDeJeu::ReE, EvenementDeJeu::Enr,
                          EvenementDeJeu::Mes, EvenementDeJeu::InP, EvenementDeJeu::InJ, EvenementDeJeu::NeW,
                          EvenementDeJeu::END}) {
            const QByteArray code = EvenementDeJeu::codeDeGenre(genre).toLatin1();
            QTest::addRow("%s without request", code.constData()) << genre << 140 << -1 << QString();
            QTest::addRow("%s with request 5", code.constData()) << genre << 140 << 5 << doitEtreEffacee;
            QTest::addRow("%s with request 0", code.constData()) << genre << 140 << 0 << doitEtreEffacee;
        }
        // Answers name their request.
        for (int genre : {EvenementDeJeu::Ram, EvenementDeJeu::Cho, EvenementDeJeu::Chm, EvenementDeJeu::Ajo,
                          EvenementDeJeu::Dis, EvenementDeJeu::Fin, EvenementDeJeu::ReJ, EvenementDeJeu::JoN,
                          EvenementDeJeu::Ann}) {
            const QByteArray code = EvenementDeJeu::codeDeGenre(genre).toLatin1();
            const int etat = genre == EvenementDeJeu::Ram ? 41 : (genre == EvenementDeJeu::Ajo ? 37 : 20);
            QTest::addRow("%s with request 0", code.constData()) << genre << etat << 0 << QString();
            QTest::addRow("%s with request -2", code.constData()) << genre << etat << -2 << QString();
            QTest::addRow("%s without request", code.constData()) << genre << etat << -1 << doitEtreEffacee;
        }
        for (int genre : {EvenementDeJeu::JoO, EvenementDeJeu::JoM}) {
            const QByteArray code = EvenementDeJeu::codeDeGenre(genre).toLatin1();
            QTest::addRow("%s without request", code.constData()) << genre << 140 << -1 << QString();
            QTest::addRow("%s with request", code.constData()) << genre << 140 << 6 << QString();
        }
        // The state rules come first.
        QTest::newRow("InP at 41 with request") << int(EvenementDeJeu::InP) << 41 << 5 << vaEtreEffacee;
    }

    void consistency()
    {
        QFETCH(int, genre);
        QFETCH(int, etat);
        QFETCH(int, noDemande);
        QFETCH(QString, message);

        // The builder checks.
        QCOMPARE(messageDe([&] {
                     EvenementDeJeu(genre, QStringLiteral("t"), 1, etat, 0, 8, 0, noDemande, 0, ZB_ICI);
                 }),
                 message);

        // The reader checks the same way, and a refused text changes nothing.
        EvenementDeJeu brut;
        brut.type_ = genre;
        brut.texte_ = QStringLiteral("t");
        brut.etat_ = etat;
        brut.noDemande_ = noDemande;
        QCOMPARE(messageDe([&] { brut.verifieValidite(); }), message);
        if (genre == EvenementDeJeu::END)
            return; // never read
        EvenementDeJeu lu;
        QString reste;
        QCOMPARE(messageDe([&] { lu.valide_ = lu.fromString(brut.toString(3), reste); }), message);
        QCOMPARE(lu.valide_, message.isEmpty());
        if (!message.isEmpty())
            QCOMPARE(lu, EvenementDeJeu());
    }

    void nestedRecordSurvives()
    {
        // A bid-like record with separators and a record inside.
        const QString record = QStringLiteral("{1!0!{1!1!9!3!}!-1!{}!}");
        const EvenementDeJeu ev(EvenementDeJeu::Cho, record, 3, EtatDeJeu::AttendMise3_1 + 3, 1, 42, 0, 17, 0, ZB_ICI);
        for (int version = 1; version <= 3; ++version) {
            EvenementDeJeu lu;
            QString reste;
            QVERIFY(lu.fromString(ev.toString(version), reste));
            QCOMPARE(lu.texte_, record);
            QCOMPARE(lu.noDemande_, 17);
            QCOMPARE(reste, QString());
            QCOMPARE(lu.toString(version), ev.toString(version));
        }
    }

    void copyAndEquality()
    {
        const EvenementDeJeu ev(EvenementDeJeu::Chm, QStringLiteral("{x!}"), 2, EtatDeJeu::AttendAnnonce1 + 1, 4, 123,
                                2, 14, 1, ZB_ICI);
        EvenementDeJeu copie(ev);
        QCOMPARE(copie, ev);
        QCOMPARE(copie.mode_, 2);
        QCOMPARE(copie.ligne_, ev.ligne_);
        QCOMPARE(copie.fichier_, ev.fichier_);
        QCOMPARE(int(copie.type()), 1007);

        EvenementDeJeu affecte;
        affecte = ev;
        QCOMPARE(affecte, ev);
        QCOMPARE(affecte.fonction_, ev.fonction_);

        std::unique_ptr<EvenementDeJeu> clone(ev.clone());
        QCOMPARE(*clone, ev);

        // Mode and diagnostics do not count.
        EvenementDeJeu autre = ev;
        autre.mode_ = 0;
        autre.ligne_ = 1;
        autre.fichier_ = "x";
        QCOMPARE(autre, ev);

        // Every other field does.
        const auto differe = [&](auto change) {
            EvenementDeJeu e = ev;
            change(e);
            return e != ev;
        };
        QVERIFY(differe([](EvenementDeJeu& e) { e.valide_ = false; }));
        QVERIFY(differe([](EvenementDeJeu& e) { e.noDemande_ = 15; }));
        QVERIFY(differe([](EvenementDeJeu& e) { e.noTable_ = 0; }));
        QVERIFY(differe([](EvenementDeJeu& e) { e.texte_ = QStringLiteral("{y!}"); }));
        QVERIFY(differe([](EvenementDeJeu& e) { e.type_ = EvenementDeJeu::Cho; }));
        QVERIFY(differe([](EvenementDeJeu& e) { e.noJoueur_ = 3; }));
        QVERIFY(differe([](EvenementDeJeu& e) { e.etat_ = EtatDeJeu::AttendAnnonce1 + 2; }));
        QVERIFY(differe([](EvenementDeJeu& e) { e.source_ = 5; }));
        QVERIFY(differe([](EvenementDeJeu& e) { e.idJoueur_ = 124; }));
    }

    void postedToAnObject()
    {
        Recepteur recepteur;
        QCoreApplication::postEvent(&recepteur, new EvenementDeJeu(EvenementDeJeu::Ajo, QStringLiteral("2_7"), 1,
                                                                   EtatDeJeu::Tour1_AttendCarte1 + 1,
                                                                   EvenementDeJeu::Local_Human, 9, 0, 4, 0, ZB_ICI));
        QCoreApplication::sendPostedEvents(&recepteur);
        QVERIFY(recepteur.recu);
        QCOMPARE(recepteur.recu->texte_, QStringLiteral("2_7"));
        QCOMPARE(recepteur.recu->etat_, 38);
    }

    void outOfRangeKindWritesEnd()
    {
        EvenementDeJeu ev;
        ev.type_ = 42;
        ev.valide_ = true;
        QVERIFY(ev.toString(1).startsWith(QStringLiteral("{END!")));
        EvenementDeJeu lu;
        QString reste;
        QVERIFY(!lu.fromString(ev.toString(3), reste));
    }
};

ZB_REGISTER_TEST(TestGameEvents)
#include "TestGameEvents.moc"
