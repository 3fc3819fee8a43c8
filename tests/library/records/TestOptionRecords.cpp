#include "GM_Exception.h"
#include "GM_GameStats.h"
#include "GM_KnuthRandom.h"
#include "OptionsAI.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "TypeDePartie.h"
#include "ZB_SettingsPartie.h"
#include "ZbTestRegistry.h"

#include <QTest>

namespace {

const QString kAI = QStringLiteral("{0.25!0.08!0.41!5000!1!}");
const QString kPersoBelote = QStringLiteral("{1!Personalisé!3000!0!1!1!1!1!-1!-1!-1!-1!1!1!-1!!0!2!1!1!82!1!1!0!0!0!0!0!}");
const QString kPersoBeloteV1 = QStringLiteral("{1!Personalisé!3000!0!1!1!1!1!-1!-1!-1!-1!1!1!-1!!0!2!1!1!82!1!1!0!0!0!}");
const QString kPersoJass = QStringLiteral("{1!Personalisé!1000!0!1!1!1!1!-1!-1!-1!-1!-1!-1!-1!!0!1!0!0!-1!1!0!0!0!0!0!0!}");

QString statsNeuves()
{
    return GM_GameStats().sauveValeursDansString();
}

} // namespace

class TestOptionRecords : public QObject
{
    Q_OBJECT

private slots:
    // Building Belote options switches the shared presets to Belote: start
    // each case, and leave the other test classes, with the Jass presets.
    void init() { TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass, true); }
    void cleanupTestCase() { TypeDePartie::initTypesDePartie(TypeDePartie::GenreJass, true); }

    // --- OptionsDePartie ---

    void gameOptionsDefaults()
    {
        const OptionsDePartie defaut;
        QCOMPARE(defaut.idPreset_, 6);
        QCOMPARE(int(defaut.genre_), 1);
        QCOMPARE(int(defaut.charge_), 0);
        QCOMPARE(defaut.valeur6_, -1);
        QCOMPARE(defaut.sauveValeursDansString(),
                 QStringLiteral("{6!0!0!2!") + kAI + QLatin1Char('!') + kPersoBelote + QLatin1Char('!') + kAI
                     + QStringLiteral("!1!1!15!0!-1!!-1!}"));
        QCOMPARE(defaut.sauveValeursDansString(1), QStringLiteral("{6!0!0!2!") + kAI + QLatin1Char('!')
                                                       + kPersoBeloteV1 + QLatin1Char('!') + kAI
                                                       + QStringLiteral("!1!1!15!0!}"));

        const OptionsDePartie jass(TypeDePartie::GenreJass);
        QCOMPARE(jass.sauveValeursDansString(), QStringLiteral("{0!0!0!2!") + kAI + QLatin1Char('!') + kPersoJass
                                                    + QLatin1Char('!') + kAI + QStringLiteral("!0!1!15!0!30!!-1!}"));
        QCOMPARE(int(jass.charge_), 1);
        const OptionsDePartie belote(TypeDePartie::GenreBelote);
        QCOMPARE(belote.idPreset_, 6);
        QCOMPARE(belote.typeDePartie_.pointsObjectif_, 3000);
        QCOMPARE(belote.valeur6_, 30);
    }

    void gameOptionsRoundTrip_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("1") << 1;
        QTest::newRow("2") << 2;
        QTest::newRow("3") << 3;
    }
    void gameOptionsRoundTrip()
    {
        QFETCH(int, version);
        OptionsDePartie options(TypeDePartie::GenreJass);
        options.idPreset_ = TypeDePartie::ID_PERSONALISE;
        options.typeDePartie_.pointsObjectif_ = 2500;
        options.typeDePartie_.atoutAutomatique_ = 1;
        options.modeDeJeu_ = OptionsDePartie::ModeCoiffeur;
        options.optionsAIAdversaires_ = OptionsAI(0.3, 0.1, 0.5, 250);
        options.optionsAIPartenaire_.nbrCombinations_ = 800;
        options.valeur2_ = 4;
        options.penalites_ = 0;
        options.delaiReponse_ = 7.5;
        options.collecteReponses_ = 1;
        options.valeur6_ = 12;
        options.texte7_ = QStringLiteral("note");
        options.idPartie_ = Q_INT64_C(7000000000);

        // Version 1 leaves the newest fields to what the reader held.
        OptionsDePartie lu(TypeDePartie::GenreJass);
        lu.valeur6_ = -7;
        lu.texte7_ = QStringLiteral("avant");
        lu.idPartie_ = 3;
        lu.chargeValeursDepuisString(options.sauveValeursDansString(version));
        if (version >= 2) {
            QCOMPARE(lu, options);
        } else {
            QCOMPARE(lu.valeur6_, -7);
            QCOMPARE(lu.texte7_, QStringLiteral("avant"));
            QCOMPARE(lu.idPartie_, Q_INT64_C(3));
            QCOMPARE(lu.typeDePartie_.pointsObjectif_, 2500);
            QCOMPARE(lu.typeDePartie_.atoutAutomatique_, 0); // not in version 1 game types
            lu.valeur6_ = options.valeur6_;
            lu.texte7_ = options.texte7_;
            lu.idPartie_ = options.idPartie_;
            lu.typeDePartie_.atoutAutomatique_ = 1;
            QCOMPARE(lu, options);
        }
        QCOMPARE(lu.sauveValeursDansString(version), options.sauveValeursDansString(version));
    }

    void gameOptionsFourFields()
    {
        // The presets follow the kind that the record held before reading.
        OptionsDePartie belote;
        belote.optionsAIPartenaire_.nbrCombinations_ = 10;
        belote.chargeValeursDepuisString(QStringLiteral("{8!0!1!2!}"));
        QCOMPARE(belote.idPreset_, 8);
        QCOMPARE(belote.modeDeJeu_, 1);
        QCOMPARE(belote.typeDePartie_, TypeDePartie::getTypeDePartie(8));
        QCOMPARE(belote.typeDePartie_.nom_, QStringLiteral("Belote Contrée"));
        QVERIFY(belote.optionsAIAdversaires_.memesReglages(OptionsAI()));
        QCOMPARE(belote.optionsAIPartenaire_.nbrCombinations_, 10.0); // absent fields keep their values
        QCOMPARE(int(belote.charge_), 1);

        OptionsDePartie jass(TypeDePartie::GenreJass);
        jass.chargeValeursDepuisString(QStringLiteral("{5!0!0!2!}"));
        QCOMPARE(jass.typeDePartie_.pointsObjectif_, 1000);
        QCOMPARE(jass.typeDePartie_.genre_, int(TypeDePartie::GenreJass));

        OptionsDePartie belotePerso;
        belotePerso.chargeValeursDepuisString(QStringLiteral("{5!0!0!2!}"));
        QCOMPARE(belotePerso.typeDePartie_.pointsObjectif_, 3000);

        // An id that names no preset gets a default game type.
        OptionsDePartie inconnu;
        inconnu.chargeValeursDepuisString(QStringLiteral("{2000000000!0!0!2!}"));
        QCOMPARE(inconnu.typeDePartie_, TypeDePartie());
        inconnu.chargeValeursDepuisString(QStringLiteral("{-3!0!0!2!}"));
        QCOMPARE(inconnu.typeDePartie_, TypeDePartie());
    }

    void gameOptionsEquality()
    {
        OptionsDePartie a(TypeDePartie::GenreJass);
        OptionsDePartie b = a;
        // The game type counts for the custom preset only.
        b.typeDePartie_.pointsObjectif_ = 1;
        QCOMPARE(a, b);
        a.idPreset_ = b.idPreset_ = TypeDePartie::ID_PERSONALISE;
        QVERIFY(a != b);
        b.typeDePartie_ = a.typeDePartie_;
        // The computer players' versions do not count, their tuning does.
        b.optionsAIPartenaire_.version_ = 9;
        QCOMPARE(a, b);
        b.optionsAIPartenaire_.thirdTurnTrump_ = 0.2;
        QVERIFY(a != b);
        b = a;
        b.charge_ = 0;
        QVERIFY(a != b);
        b = a;
        b.texte7_ = QStringLiteral("x");
        QVERIFY(a != b);
    }

    void badGameOptions_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::newRow("missing game mode") << QStringLiteral("{6!0!}");
        QTest::newRow("missing format number") << QStringLiteral("{6!0!0!}");
        QTest::newRow("bad format number") << QStringLiteral("{6!0!0!x!}");
        QTest::newRow("bad AI record") << QStringLiteral("{6!0!0!2!{0.2!}!}");
        QTest::newRow("bad game type") << QStringLiteral("{6!0!0!2!") + kAI + QStringLiteral("!{1!x!}!}");
        QTest::newRow("kind beyond a byte") << QStringLiteral("{6!0!0!2!") + kAI + QLatin1Char('!') + kPersoBelote
                                                   + QLatin1Char('!') + kAI + QStringLiteral("!256!}");
        QTest::newRow("negative penalties") << QStringLiteral("{6!0!0!2!") + kAI + QLatin1Char('!') + kPersoBelote
                                                   + QLatin1Char('!') + kAI + QStringLiteral("!1!-1!}");
        QTest::newRow("nan answer time") << QStringLiteral("{6!0!0!2!") + kAI + QLatin1Char('!') + kPersoBelote
                                                + QLatin1Char('!') + kAI + QStringLiteral("!1!1!nan!}");
        QTest::newRow("infinite answer time") << QStringLiteral("{6!0!0!2!") + kAI + QLatin1Char('!')
                                                     + kPersoBelote + QLatin1Char('!') + kAI
                                                     + QStringLiteral("!1!1!-inf!}");
        QTest::newRow("bad game id") << QStringLiteral("{6!0!0!2!") + kAI + QLatin1Char('!') + kPersoBelote
                                            + QLatin1Char('!') + kAI + QStringLiteral("!1!1!15!0!-1!!z!}");
    }
    void badGameOptions()
    {
        QFETCH(QString, texte);
        OptionsDePartie options;
        try {
            options.chargeValeursDepuisString(texte);
            QFAIL("no exception");
        } catch (const GM_Exception& e) {
            QCOMPARE(e.getMessage(), QStringLiteral("Chaine incompatible, invalide ou corrompue."));
        }
    }

    void freeTextInGameOptions()
    {
        OptionsDePartie options;
        options.texte7_ = QStringLiteral("a!b{c}\r\nd");
        const QString texte = options.sauveValeursDansString();
        QVERIFY(texte.endsWith(QStringLiteral("!-1!a.b(c)  d!-1!}")));
        OptionsDePartie lu;
        lu.chargeValeursDepuisString(texte);
        QCOMPARE(lu.texte7_, QStringLiteral("a.b(c)  d"));

        // A peer's nested token is made plain text on reading too.
        lu.chargeValeursDepuisString(QStringLiteral("{6!0!0!2!") + kAI + QLatin1Char('!') + kPersoBelote
                                     + QLatin1Char('!') + kAI + QStringLiteral("!1!1!15!0!-1!{x!y}!4!}"));
        QCOMPARE(lu.texte7_, QStringLiteral("(x.y)"));
        QCOMPARE(lu.idPartie_, Q_INT64_C(4));
    }

    // --- OptionsAI and OptionsDuJoueur ---

    void aiTuningMustBeFinite_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::newRow("nan") << QStringLiteral("{nan!0.08!0.41!5000!1!}");
        QTest::newRow("inf") << QStringLiteral("{0.25!inf!0.41!5000!1!}");
        QTest::newRow("-inf") << QStringLiteral("{0.25!0.08!-inf!5000!1!}");
        QTest::newRow("overflow") << QStringLiteral("{0.25!0.08!0.41!1e999!1!}");
        QTest::newRow("NaN combinations") << QStringLiteral("{0.25!0.08!0.41!NaN!}");
    }
    void aiTuningMustBeFinite()
    {
        QFETCH(QString, texte);
        OptionsAI options(0.1, 0.2, 0.3, 40, 2);
        const OptionsAI avant = options;
        QVERIFY_THROWS_EXCEPTION(GM_Exception, options.chargeValeursDepuisString(texte));
        QCOMPARE(options, avant);
    }

    void playerNameReadAsWritten()
    {
        // A name that a peer sent as a nested token reads as the text this
        // record writes, so reading what it wrote gives the same record.
        OptionsDuJoueur joueur;
        joueur.chargeValeursDepuisString(QStringLiteral("{{a!b}!1!0!0!1!5!-1!}"));
        QCOMPARE(joueur.nom_, QStringLiteral("(a.b)"));
        QCOMPARE(joueur.id_, Q_INT64_C(5));
        OptionsDuJoueur relu;
        relu.chargeValeursDepuisString(joueur.sauveValeursDansString());
        QCOMPARE(relu, joueur);
    }

    // --- ZB_SettingsPartie ---

    void settingsDefaults()
    {
        ZB_SettingsPartie settings;
        QCOMPARE(settings.noDemande, -1);
        QCOMPARE(settings.joueurQuiCommenceLaProchainePartie, -10);
        QVERIFY(settings.compteursAtout_.isEmpty());
        settings.random_.initialise(7);
        const QString debut = QStringLiteral("{-10!{0!7!0!}!0!0!0!-1!0!0!0!!-1!") + statsNeuves() + QStringLiteral("!!");
        QCOMPARE(settings.sauveValeursDansString(), debut + QStringLiteral("0!}"));
        QCOMPARE(settings.sauveValeursDansString(1), debut + QLatin1Char('}'));
    }

    void settingsRoundTrip_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("1") << 1;
        QTest::newRow("2") << 2;
        QTest::newRow("3") << 3;
    }
    void settingsRoundTrip()
    {
        QFETCH(int, version);
        ZB_SettingsPartie settings;
        settings.noDemande = 41;
        settings.joueurQuiCommenceLaProchainePartie = 2;
        settings.random_.initialise(123456);
        settings.random_.tire(36);
        settings.random_.tire(36);
        settings.scores_ = {157, 314};
        settings.huitTours_ = true;
        settings.toursJoues_ = 5;
        settings.rotationDonne_ = true;
        settings.toursAtout_ = false;
        settings.donnesJouees_ = 6;
        settings.texteGenerateur_ = QStringLiteral("{0!123456!0!}");
        settings.stats_.ajouteValeur(1, 8, 9, 6, 1);
        settings.stats_.idTexte_ = settings.texteGenerateur_;
        settings.setPiles({0, 17, 35}, {4});
        settings.compteursAtout_ = {0, 2, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};

        const QString texte = settings.sauveValeursDansString(version);
        QVERIFY(texte.startsWith(QStringLiteral("{2!{2!123456!0!}!157!314!1!5!1!0!")));
        QVERIFY(texte.contains(QStringLiteral("!6!{0!123456!0!}!41!{")));
        if (version >= 2)
            QVERIFY(texte.endsWith(QStringLiteral("!{{0!17!35!}!{4!}!}!12!0!2!0!0!1!0!0!0!0!0!0!0!}")));
        else
            QVERIFY(texte.endsWith(QStringLiteral("!{{0!17!35!}!{4!}!}!}")));

        ZB_SettingsPartie lu;
        lu.compteursAtout_ = {9};
        lu.chargeValeursDepuisString(texte);
        QCOMPARE(lu.sauveValeursDansString(version), texte);
        QCOMPARE(lu.noDemande, 41);
        QCOMPARE(lu.stats_, settings.stats_);
        QCOMPARE(lu.random_.tire(1000), settings.random_.tire(1000));
        // Without the counters field the list is empty, whatever it held.
        QCOMPARE(lu.compteursAtout_, version >= 2 ? settings.compteursAtout_ : QList<int>());
        QList<int> a;
        QList<int> b;
        lu.getPiles(a, b);
        QCOMPARE(a, (QList<int>{0, 17, 35}));
        QCOMPARE(b, QList<int>{4});
    }

    void settingsCopyKeepsTheGenerator()
    {
        ZB_SettingsPartie settings;
        settings.random_.initialise(99);
        settings.random_.tire(10);
        settings.noDemande = 3;
        ZB_SettingsPartie copie = settings;
        QCOMPARE(copie.sauveValeursDansString(), settings.sauveValeursDansString());
        QCOMPARE(copie.random_.tire(36), settings.random_.tire(36));
        ZB_SettingsPartie affecte;
        affecte = settings;
        QCOMPARE(affecte.sauveValeursDansString(), settings.sauveValeursDansString());
    }

    void trumpCounters_data()
    {
        QTest::addColumn<QString>("fin");
        QTest::addColumn<bool>("accepte");
        QTest::addColumn<int>("nombre");
        QTest::newRow("absent") << QString() << true << 0;
        QTest::newRow("empty list") << QStringLiteral("0!") << true << 0;
        QTest::newRow("twelve") << QStringLiteral("12!0!0!0!0!0!0!0!0!0!0!0!0!") << true << 12;
        QString soixanteQuatre = QStringLiteral("64!");
        for (int i = 0; i < 64; ++i)
            soixanteQuatre += QStringLiteral("1!");
        QTest::newRow("64") << soixanteQuatre << true << 64;
        QTest::newRow("65") << QStringLiteral("65!") + soixanteQuatre.mid(3) + QStringLiteral("1!") << false << 0;
        QTest::newRow("negative") << QStringLiteral("-1!") << false << 0;
        QTest::newRow("absurd") << QStringLiteral("2147483647!1!") << false << 0;
        QTest::newRow("short list") << QStringLiteral("3!1!2!") << false << 0;
        QTest::newRow("bad entry") << QStringLiteral("2!1!x!") << false << 0;
        QTest::newRow("bad count") << QStringLiteral("z!") << false << 0;
    }
    void trumpCounters()
    {
        QFETCH(QString, fin);
        QFETCH(bool, accepte);
        QFETCH(int, nombre);
        const QString texte = QStringLiteral("{-10!{0!7!0!}!0!0!0!-1!0!0!0!!-1!") + statsNeuves()
            + QStringLiteral("!!") + fin + QLatin1Char('}');
        ZB_SettingsPartie settings;
        if (!accepte) {
            QVERIFY_THROWS_EXCEPTION(GM_Exception, settings.chargeValeursDepuisString(texte));
            return;
        }
        settings.chargeValeursDepuisString(texte);
        QCOMPARE(settings.compteursAtout_.size(), nombre);
    }

    void trumpCounterAccess()
    {
        ZB_SettingsPartie settings;
        QCOMPARE(settings.getCompteurAtout(4), 0);
        settings.incrementeCompteurAtout(4);
        settings.incrementeCompteurAtout(4);
        settings.incrementeCompteurAtout(11);
        QCOMPARE(settings.getCompteurAtout(4), 2);
        QCOMPARE(settings.getCompteurAtout(11), 1);
        QCOMPARE(settings.compteursAtout_.size(), 12);
        settings.incrementeCompteurAtout(-1);
        settings.incrementeCompteurAtout(ZB_SettingsPartie::MAX_COMPTEURS_ATOUT);
        QCOMPARE(settings.compteursAtout_.size(), 12);
        QCOMPARE(settings.getCompteurAtout(-1), 0);
        QCOMPARE(settings.getCompteurAtout(500), 0);
    }

    void piles_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("accepte");
        QTest::addColumn<QList<int>>("pileA");
        QTest::addColumn<QList<int>>("pileB");
        QTest::newRow("none") << QString() << true << QList<int>() << QList<int>();
        QTest::newRow("two empty piles") << QStringLiteral("{{}!{}!}") << true << QList<int>() << QList<int>();
        QTest::newRow("cards") << QStringLiteral("{{3!1!}!{35!0!}!}") << true << QList<int>{3, 1}
                               << QList<int>{35, 0};
        QTest::newRow("index 36") << QStringLiteral("{{36!}!{}!}") << false << QList<int>() << QList<int>();
        QTest::newRow("negative index") << QStringLiteral("{{-1!}!{}!}") << false << QList<int>() << QList<int>();
        QTest::newRow("card in both piles") << QStringLiteral("{{5!}!{5!}!}") << false << QList<int>()
                                            << QList<int>();
        QTest::newRow("card twice") << QStringLiteral("{{5!5!}!{}!}") << false << QList<int>() << QList<int>();
        QTest::newRow("one pile") << QStringLiteral("{{5!}!}") << false << QList<int>() << QList<int>();
        QTest::newRow("three piles") << QStringLiteral("{{5!}!{6!}!{7!}!}") << false << QList<int>()
                                     << QList<int>();
        QTest::newRow("plain token") << QStringLiteral("abc") << false << QList<int>() << QList<int>();
        QTest::newRow("pile not a record") << QStringLiteral("{5!{6!}!}") << false << QList<int>() << QList<int>();
        QTest::newRow("letter") << QStringLiteral("{{x!}!{}!}") << false << QList<int>() << QList<int>();
    }
    void piles()
    {
        QFETCH(QString, texte);
        QFETCH(bool, accepte);
        QFETCH(QList<int>, pileA);
        QFETCH(QList<int>, pileB);
        QList<int> a{99};
        QList<int> b{99};
        if (!accepte) {
            QVERIFY_THROWS_EXCEPTION(GM_Exception, ZB_SettingsPartie::decodePiles(texte, a, b));
            QCOMPARE(a, QList<int>{99}); // a refused text leaves the piles alone
            // The settings refuse it when reading, not at the next deal.
            ZB_SettingsPartie settings;
            settings.random_.initialise(1);
            settings.textePiles_ = texte;
            QVERIFY_THROWS_EXCEPTION(GM_Exception,
                                     ZB_SettingsPartie().chargeValeursDepuisString(settings.sauveValeursDansString()));
            return;
        }
        ZB_SettingsPartie::decodePiles(texte, a, b);
        QCOMPARE(a, pileA);
        QCOMPARE(b, pileB);
        if (!texte.isEmpty())
            QCOMPARE(ZB_SettingsPartie::textePiles(a, b), texte);
    }

    void pilesKeptInWrittenForm()
    {
        // A reader skips the character after a nested record unseen; what is
        // kept is the text written for the same piles.
        ZB_SettingsPartie source;
        source.random_.initialise(1);
        source.textePiles_ = QStringLiteral("{{1!2!}\n{3!}!}");
        const QString texte = source.sauveValeursDansString();
        ZB_SettingsPartie lu;
        lu.chargeValeursDepuisString(texte);
        QCOMPARE(lu.textePiles_, QStringLiteral("{{1!2!}!{3!}!}"));
    }

    void settingsGeneratorText_data()
    {
        QTest::addColumn<QString>("generateur");
        QTest::addColumn<bool>("accepte");
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("record") << QStringLiteral("{5!77!0!}") << true;
        QTest::newRow("brace in a token") << QStringLiteral("a{b") << false;
        QTest::newRow("line break") << QStringLiteral("{5!\n77!0!}") << false;
    }
    void settingsGeneratorText()
    {
        QFETCH(QString, generateur);
        QFETCH(bool, accepte);
        const QString texte = QStringLiteral("{-10!{0!7!0!}!0!0!0!-1!0!0!0!") + generateur + QStringLiteral("!-1!")
            + statsNeuves() + QStringLiteral("!!}");
        ZB_SettingsPartie settings;
        if (accepte) {
            settings.chargeValeursDepuisString(texte);
            QCOMPARE(settings.texteGenerateur_, generateur);
        } else {
            QVERIFY_THROWS_EXCEPTION(GM_Exception, settings.chargeValeursDepuisString(texte));
        }
    }

    void badSettings_data()
    {
        QTest::addColumn<QString>("texte");
        const QString stats = statsNeuves();
        QTest::newRow("missing piles") << QStringLiteral("{-10!{0!7!0!}!0!0!0!-1!0!0!0!!-1!") + stats + QStringLiteral("!}");
        QTest::newRow("bad generator") << QStringLiteral("{-10!{70000!7!0!}!0!0!0!-1!0!0!0!!-1!") + stats
                                              + QStringLiteral("!!}");
        QTest::newRow("bad statistics") << QStringLiteral("{-10!{0!7!0!}!0!0!0!-1!0!0!0!!-1!{0!}!!}");
        QTest::newRow("bad score") << QStringLiteral("{-10!{0!7!0!}!x!0!0!-1!0!0!0!!-1!") + stats + QStringLiteral("!!}");
        QTest::newRow("empty") << QStringLiteral("{}");
    }
    void badSettings()
    {
        QFETCH(QString, texte);
        ZB_SettingsPartie settings;
        QVERIFY_THROWS_EXCEPTION(GM_Exception, settings.chargeValeursDepuisString(texte));
    }
};

ZB_REGISTER_TEST(TestOptionRecords)
#include "TestOptionRecords.moc"
