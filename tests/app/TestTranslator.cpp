#include "Evenements.h"
#include "FormBugQuestionnaire.h"
#include "FormDebugOptions.h"
#include "FormTutorialEnter.h"
#include "OptionsPartie.h"
#include "ServerView.h"
#include "WidgetOptionsAI.h"
#include "ZB_About.h"
#include "ZB_ClientConnection.h"
#include "ZB_ClientDialogIp.h"
#include "ZB_Translator.h"
#include "ZbTestRegistry.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QWidget>

#include <functional>
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

// A dialog the language switch must reach, built as the program builds it.
std::unique_ptr<QWidget> construitDialogue(const QString& nom)
{
    if (nom == QLatin1String("OptionsPartie"))
        return std::make_unique<OptionsPartie>();
    if (nom == QLatin1String("WidgetOptionsAI"))
        return std::make_unique<WidgetOptionsAI>();
    if (nom == QLatin1String("ZB_About"))
        return std::make_unique<ZB_About>();
    if (nom == QLatin1String("FormTutorialEnter"))
        return std::make_unique<FormTutorialEnter>();
    if (nom == QLatin1String("FormBugQuestionnaire"))
        return std::make_unique<FormBugQuestionnaire>();
    if (nom == QLatin1String("FormDebugOptions"))
        return std::make_unique<FormDebugOptions>();
    if (nom == QLatin1String("ServerView"))
        return std::make_unique<ServerView>(nullptr, nullptr, nullptr);
    if (nom == QLatin1String("Evenements"))
        return std::make_unique<Evenements>(nullptr, nullptr, 0);
    if (nom == QLatin1String("ZB_ClientDialogIp"))
        return std::make_unique<ZB_ClientDialogIp>();
    if (nom == QLatin1String("ZB_ClientConnection"))
        return std::make_unique<ZB_ClientConnection>();
    return nullptr;
}

template<typename T>
T* enfant(QWidget* w, const QString& objet)
{
    return objet.isEmpty() ? qobject_cast<T*>(w) : w->findChild<T*>(objet);
}

// One text of a dialog: quoi is "windowTitle", "text", "title", "label" (of
// a form row), "placeholder", "special" (a spin box's special value text),
// "item N" (of a combo box) or "tab N".
QString texteLu(QWidget* w, const QString& objet, const QString& quoi)
{
    const QStringList mots = quoi.split(QLatin1Char(' '));
    const int n = mots.size() > 1 ? mots.at(1).toInt() : 0;
    if (mots.at(0) == QLatin1String("windowTitle"))
        return enfant<QWidget>(w, objet) ? enfant<QWidget>(w, objet)->windowTitle() : QString();
    if (mots.at(0) == QLatin1String("text")) {
        if (auto* b = enfant<QAbstractButton>(w, objet))
            return b->text();
        return enfant<QLabel>(w, objet) ? enfant<QLabel>(w, objet)->text() : QString();
    }
    if (mots.at(0) == QLatin1String("title"))
        return enfant<QGroupBox>(w, objet) ? enfant<QGroupBox>(w, objet)->title() : QString();
    if (mots.at(0) == QLatin1String("label")) {
        QWidget* champ = enfant<QWidget>(w, objet);
        auto* forme = champ != nullptr ? qobject_cast<QFormLayout*>(champ->parentWidget()->layout()) : nullptr;
        auto* etiquette = forme != nullptr ? qobject_cast<QLabel*>(forme->labelForField(champ)) : nullptr;
        return etiquette != nullptr ? etiquette->text() : QString();
    }
    if (mots.at(0) == QLatin1String("placeholder"))
        return enfant<QPlainTextEdit>(w, objet) ? enfant<QPlainTextEdit>(w, objet)->placeholderText() : QString();
    if (mots.at(0) == QLatin1String("special"))
        return enfant<QSpinBox>(w, objet) ? enfant<QSpinBox>(w, objet)->specialValueText() : QString();
    if (mots.at(0) == QLatin1String("item"))
        return enfant<QComboBox>(w, objet) ? enfant<QComboBox>(w, objet)->itemText(n) : QString();
    if (mots.at(0) == QLatin1String("tab"))
        return enfant<QTabWidget>(w, objet) ? enfant<QTabWidget>(w, objet)->tabText(n) : QString();
    return QStringLiteral("<unknown kind of text %1>").arg(quoi);
}

// What a user typed or chose in the dialog before the switch; the returned
// check says whether it is all still there.
std::function<bool()> saisit(const QString& nom, QWidget* w)
{
    if (auto* d = qobject_cast<OptionsPartie*>(w)) {
        d->findChild<QLineEdit*>(QStringLiteral("lineEditNameOpponent1"))->setText(QStringLiteral("Ueli"));
        d->findChild<QAbstractButton*>(QStringLiteral("radioButtonConcours"))->setChecked(true);
        d->findChild<QAbstractButton*>(QStringLiteral("checkBoxSounds"))->setChecked(false);
        d->getOnglets()->setCurrentIndex(3);
        return [d] {
            return d->findChild<QLineEdit*>(QStringLiteral("lineEditNameOpponent1"))->text() == QLatin1String("Ueli")
                && d->findChild<QAbstractButton*>(QStringLiteral("radioButtonConcours"))->isChecked()
                && !d->findChild<QAbstractButton*>(QStringLiteral("checkBoxSounds"))->isChecked()
                && d->getOnglets()->currentIndex() == 3;
        };
    }
    if (auto* d = qobject_cast<WidgetOptionsAI*>(w)) {
        d->getForce()->setValue(WidgetOptionsAI::NIVEAUX[3]);
        return [d] { return d->getNiveau()->currentIndex() == 3 && d->options().nbrCombinations_ == WidgetOptionsAI::NIVEAUX[3]; };
    }
    if (auto* d = qobject_cast<FormTutorialEnter*>(w)) {
        d->getButtonGroup()->button(FormTutorialEnter::ExpliqueRegles)->setChecked(true);
        d->getCheckBox()->setChecked(true);
        return [d] { return d->choix() == FormTutorialEnter::ExpliqueRegles && d->nePlusAfficher(); };
    }
    if (auto* d = qobject_cast<FormBugQuestionnaire*>(w)) {
        d->getCategorie()->setCurrentIndex(d->getCategorie()->findData(FormBugQuestionnaire::Reseau));
        d->getQuoi()->setPlainText(QStringLiteral("Les cartes ont disparu"));
        return [d] {
            return d->getCategorie()->currentData().toInt() == FormBugQuestionnaire::Reseau
                && d->getQuoi()->toPlainText() == QLatin1String("Les cartes ont disparu");
        };
    }
    if (auto* d = qobject_cast<ServerView*>(w)) {
        d->getSiege()->setCurrentIndex(2);
        return [d] { return d->getSiege()->currentData().toInt() == 2; };
    }
    if (auto* d = qobject_cast<ZB_ClientDialogIp*>(w)) {
        d->setIp(QStringLiteral("10.0.0.7"));
        return [d] { return d->getIp() == QLatin1String("10.0.0.7"); };
    }
    if (auto* d = qobject_cast<ZB_ClientConnection*>(w)) {
        d->setEtat(ZB_StatutConnexionA::JeuEnCours);
        return [d] { return d->getEtat() == ZB_StatutConnexionA::JeuEnCours; };
    }
    Q_UNUSED(nom);
    return [] { return true; };
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

    // A dialog built in French follows each later switch, and what the user
    // typed or chose stays.
    void dialogsFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("dialogue");
        QTest::addColumn<QString>("objet");
        QTest::addColumn<QString>("quoi");
        QTest::addColumn<QString>("francais");
        QTest::addColumn<QString>("anglais");
        QTest::addColumn<QString>("allemand");
        QTest::newRow("options tab") << "OptionsPartie" << "tabWidget" << "tab 0" << "Partie" << "Game" << "Spiel";
        QTest::newRow("options preset") << "OptionsPartie" << "radioButtonPreset2" << "text" << "Suisse allemand"
                                        << "Swiss German" << "Deutschschweizer";
        QTest::newRow("options radio") << "OptionsPartie" << "radioButtonStandard" << "text" << "Standart"
                                       << "Standard" << "Standard";
        QTest::newRow("options name label") << "OptionsPartie" << "lineEditNameOpponent1" << "label"
                                            << "Adversaire 1" << "Opponent 1" << "Gegner 1";
        QTest::newRow("options special value") << "OptionsPartie" << "spinBoxContratAmount" << "special" << "Aucun"
                                               << "None" << "Keine";
        QTest::newRow("options computer level") << "OptionsPartie" << "comboBoxLevel" << "label"
                                                << "Niveau" << "Level" << "Stufe";
        QTest::newRow("computer level item") << "WidgetOptionsAI" << "comboBoxLevel" << "item 3" << "Expert"
                                             << "Expert" << "Experte";
        QTest::newRow("computer level label") << "WidgetOptionsAI" << "comboBoxLevel" << "label" << "Niveau"
                                              << "Level" << "Stufe";
        QTest::newRow("about") << "ZB_About" << "" << "windowTitle" << "A propos" << "About" << "Über";
        QTest::newRow("tutorial choice") << "FormTutorialEnter" << "radioButtonTutorial1" << "text"
                                         << "Je débute: montrez-moi les cartes jouables et les conseils"
                                         << "I'm new: show me the playable cards and tips"
                                         << "Ich bin Anfänger: zeigen Sie mir die spielbaren Karten und Tipps";
        QTest::newRow("bug button") << "FormBugQuestionnaire" << "pushButtonSend" << "text" << "Créer le rapport"
                                    << "Create the report" << "Bericht erstellen";
        QTest::newRow("bug category") << "FormBugQuestionnaire" << "comboBoxCategory" << "item 2" << "Réseau"
                                      << "Network" << "Netzwerk";
        QTest::newRow("debug close") << "FormDebugOptions" << "pushButtonClose" << "text" << "Fermer" << "Close"
                                     << "Schliessen";
        QTest::newRow("server title") << "ServerView" << "" << "windowTitle" << "Serveur de jeu" << "Game server"
                                      << "Spielserver";
        QTest::newRow("server seat") << "ServerView" << "comboBoxSeat" << "item 2" << "Place 3" << "Seat 3"
                                     << "Platz 3";
        QTest::newRow("events title") << "Evenements" << "" << "windowTitle" << "Evènements de la table 0"
                                      << "Events of table 0" << "Ereignisse von Tisch 0";
        QTest::newRow("address label") << "ZB_ClientDialogIp" << "label" << "text" << "Ip Serveur" << "Server IP"
                                       << "Server-IP";
        QTest::newRow("connection state") << "ZB_ClientConnection" << "labelEtat" << "text" << "Jeu en cours..."
                                          << "Game running..." << "Spiel läuft...";
        QTest::newRow("connection cancel") << "ZB_ClientConnection" << "pushButtonAnnuler" << "text" << "Annuler"
                                           << "Cancel" << "Abbrechen";
    }

    void dialogsFollowTheLanguage()
    {
        QFETCH(QString, dialogue);
        QFETCH(QString, objet);
        QFETCH(QString, quoi);
        QFETCH(QString, francais);
        QFETCH(QString, anglais);
        QFETCH(QString, allemand);
        ZB_Translator traducteur;
        QVERIFY(traducteur.applique(ZB_Translator::Francais, false));
        QCoreApplication::processEvents();
        std::unique_ptr<QWidget> w = construitDialogue(dialogue);
        QVERIFY(w != nullptr);
        const std::function<bool()> saisieIntacte = saisit(dialogue, w.get());
        QCOMPARE(texteLu(w.get(), objet, quoi), francais);
        QVERIFY(traducteur.applique(ZB_Translator::Anglais, false));
        QCoreApplication::processEvents();
        QCOMPARE(texteLu(w.get(), objet, quoi), anglais);
        QVERIFY(traducteur.applique(ZB_Translator::Allemand, false));
        QCoreApplication::processEvents();
        QCOMPARE(texteLu(w.get(), objet, quoi), allemand);
        QVERIFY(saisieIntacte());
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
