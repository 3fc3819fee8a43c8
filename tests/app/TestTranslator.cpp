#include "ZB_Translator.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

// Counts the language changes a widget is told of.
class Temoin : public QWidget
{
public:
    int changements = 0;

protected:
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange)
            ++changements;
        QWidget::changeEvent(event);
    }
};

QString annuler()
{
    return QCoreApplication::translate("MessageBoxGl", "Annuler");
}

} // namespace

class TestTranslator : public QObject
{
    Q_OBJECT

private slots:
    void shownLanguage_data()
    {
        QTest::addColumn<int>("choix");
        QTest::addColumn<bool>("anglais");
        QTest::addColumn<QString>("systeme");
        QTest::addColumn<int>("attendue");
        QTest::newRow("auto, Swiss French") << 0 << false << "fr_CH" << int(ZB_Translator::Francais);
        QTest::newRow("auto, Swiss German") << 0 << false << "de_CH" << int(ZB_Translator::Allemand);
        QTest::newRow("auto, Austrian") << 0 << false << "de_AT" << int(ZB_Translator::Allemand);
        QTest::newRow("auto, Italian") << 0 << false << "it_CH" << int(ZB_Translator::Anglais);
        QTest::newRow("auto, American") << 0 << false << "en_US" << int(ZB_Translator::Anglais);
        QTest::newRow("French chosen") << 1 << false << "de_CH" << int(ZB_Translator::Francais);
        QTest::newRow("English chosen") << 2 << false << "fr_CH" << int(ZB_Translator::Anglais);
        QTest::newRow("German chosen") << 3 << false << "fr_CH" << int(ZB_Translator::Allemand);
        QTest::newRow("Italian chosen") << 4 << false << "it_CH" << int(ZB_Translator::Anglais);
        QTest::newRow("unknown choice") << 17 << false << "fr_CH" << int(ZB_Translator::Anglais);
        QTest::newRow("--english over German") << 3 << true << "de_CH" << int(ZB_Translator::Anglais);
        QTest::newRow("--english over auto") << 0 << true << "fr_CH" << int(ZB_Translator::Anglais);
    }

    void shownLanguage()
    {
        QFETCH(int, choix);
        QFETCH(bool, anglais);
        QFETCH(QString, systeme);
        QFETCH(int, attendue);
        QCOMPARE(int(ZB_Translator::langueAffichee(choix, anglais, QLocale(systeme))), attendue);
    }

    void translationsAreEmbedded()
    {
        for (ZB_Translator::Langue l : {ZB_Translator::Anglais, ZB_Translator::Allemand})
            QVERIFY2(QFile::exists(ZB_Translator::fichierTraduction(l)), qPrintable(ZB_Translator::fichierTraduction(l)));
        QVERIFY(ZB_Translator::fichierTraduction(ZB_Translator::Francais).isEmpty());
    }

    // The texts the table shows most, in each language.
    void tableTexts_data()
    {
        QTest::addColumn<QString>("contexte");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("anglais");
        QTest::addColumn<QString>("allemand");
        QTest::newRow("box button") << "MessageBoxGl" << "Oui" << "Yes" << "Ja";
        QTest::newRow("box title") << "TableClient" << "Question." << "Question." << "Frage.";
        QTest::newRow("prompt") << "DisplayGLScene" << "%1 pour distribuer." << "%1 to deal." << "%1, um zu verteilen.";
        QTest::newRow("card prompt") << "DisplayGLScene" << "Choisissez une carte." << "Choose a card."
                                     << "Wählen Sie eine Karte.";
        QTest::newRow("end of game") << "JoueurHumain" << "Bien joué. Vous avez gagné!" << "Well played. You won!"
                                     << "Gut gespielt. Sie haben gewonnen!";
        QTest::newRow("menu") << "ZB_MainWidget" << "&Nouvelle partie" << "&New game" << "&Neues Spiel";
        QTest::newRow("suit") << "QObject" << "Coeur" << "Hearts" << "Herz";
        QTest::newRow("seat suffix") << "QObject" << " (ordi)" << " (computer)" << " (Computer)";
        QTest::newRow("application error") << "ZB_Application" << "Erreur" << "Error" << "Fehler";
        QTest::newRow("joined prompt") << "DisplayGLScene" << "Vous avez rejoint la partie en ligne '%1'."
                                       << "You have joined the online game '%1'."
                                       << "Sie sind dem Online-Spiel '%1' beigetreten.";
        QTest::newRow("advice prompt") << "DisplayGLScene" << "L'ordinateur vous conseille de jouer '%1'."
                                       << "The computer advises you to play '%1'."
                                       << "Der Computer rät Ihnen, '%1' zu spielen.";
        QTest::newRow("score of the others") << "DisplayGLScene" << "Eux" << "Them" << "Gegner";
        QTest::newRow("trump panel title") << "PanelAtouts" << "Atout" << "Trump" << "Trumpf";
        QTest::newRow("trump panel bid") << "PanelAtouts" << "Mise" << "Bid" << "Gebot";
        // The two buttons sit side by side: their shortcuts must differ.
        QTest::newRow("pass to partner") << "PanelAtouts" << "&Chibre" << "Pass to pa&rtner" << "&Schieben";
        QTest::newRow("pass") << "PanelAtouts" << "&Passe" << "&Pass" << "&Passen";
        QTest::newRow("options menu") << "ZB_MainWidget" << "&Options..." << "&Options..." << "&Optionen...";
        QTest::newRow("bug menu") << "ZB_MainWidget" << "Signaler un &bug..." << "Report a &bug..." << "&Fehler melden...";
        QTest::newRow("options title") << "OptionsPartie" << "Options" << "Options" << "Optionen";
        QTest::newRow("game tab") << "OptionsPartie" << "Partie" << "Game" << "Spiel";
        QTest::newRow("computers tab") << "OptionsPartie" << "Ordinateurs" << "Computers" << "Computer";
        QTest::newRow("display tab") << "OptionsPartie" << "Affichage" << "Display" << "Anzeige";
        QTest::newRow("seasons tab") << "OptionsPartie" << "Saisons" << "Seasons" << "Jahreszeiten";
        QTest::newRow("welcome") << "FormTutorialEnter" << "Bienvenue à la table!" << "Welcome to the table!"
                                 << "Willkommen am Tisch!";
    }

    void tableTexts()
    {
        QFETCH(QString, contexte);
        QFETCH(QString, source);
        QFETCH(QString, anglais);
        QFETCH(QString, allemand);
        const QByteArray c = contexte.toUtf8();
        const QByteArray s = source.toUtf8();
        ZB_Translator traducteur;
        QVERIFY(traducteur.applique(ZB_Translator::Anglais, false));
        QCOMPARE(QCoreApplication::translate(c.constData(), s.constData()), anglais);
        QVERIFY(traducteur.applique(ZB_Translator::Allemand, false));
        QCOMPARE(QCoreApplication::translate(c.constData(), s.constData()), allemand);
        QVERIFY(traducteur.applique(ZB_Translator::Francais, false));
        QCOMPARE(QCoreApplication::translate(c.constData(), s.constData()), source);
    }

    // Widgets hear of every switch, and only of switches.
    void switchingTellsTheWidgets()
    {
        Temoin temoin;
        temoin.show();
        {
            ZB_Translator traducteur;
            QCOMPARE(traducteur.langue(), ZB_Translator::Francais);
            // The first choice may bring Qt's own French texts; choosing it
            // again changes nothing.
            QVERIFY(traducteur.applique(ZB_Translator::Francais, false));
            QCoreApplication::processEvents();
            const int depart = temoin.changements;
            QVERIFY(traducteur.applique(ZB_Translator::Francais, false));
            QCoreApplication::processEvents();
            QCOMPARE(temoin.changements, depart);

            QVERIFY(traducteur.applique(ZB_Translator::Allemand, false));
            QCoreApplication::processEvents();
            QVERIFY(temoin.changements > depart);
            QCOMPARE(annuler(), QStringLiteral("Abbrechen"));

            const int avant = temoin.changements;
            QVERIFY(traducteur.applique(ZB_Translator::Allemand, false));
            QCoreApplication::processEvents();
            QCOMPARE(temoin.changements, avant);

            // --english wins over the German choice.
            QVERIFY(traducteur.applique(ZB_Translator::Allemand, true));
            QCoreApplication::processEvents();
            QVERIFY(temoin.changements > avant);
            QCOMPARE(traducteur.langue(), ZB_Translator::Anglais);
            QCOMPARE(annuler(), QStringLiteral("Cancel"));
        }
        // Gone with its owner: the texts are French again.
        QCOMPARE(annuler(), QStringLiteral("Annuler"));
    }
};

ZB_REGISTER_TEST(TestTranslator)
#include "TestTranslator.moc"
