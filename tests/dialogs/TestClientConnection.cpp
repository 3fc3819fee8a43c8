#include "ZB_ClientConnection.h"
#include "ZbTestRegistry.h"

#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

namespace {

const QString Attente = QStringLiteral("Connection réussie, en attente d'autres joueurs pour encore max. %1[s]...");
const QString AttenteHote = QStringLiteral("Connection réussie, en attente d'autres joueurs et de la formation des "
                                           "équipes, par le joueur qui a lancé ce serveur...");

// Colours of a picture, enough of them to tell text from an empty window.
int couleurs(const QImage& image)
{
    QSet<QRgb> vues;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            vues.insert(image.pixel(x, y));
    return int(vues.size());
}

} // namespace

class TestClientConnection : public QObject
{
    Q_OBJECT

private slots:
    void construction()
    {
        ZB_ClientConnection w;
        QCOMPARE(w.objectName(), QStringLiteral("ClientConnection"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Connection client"));
        QVERIFY(qobject_cast<QGridLayout*>(w.layout()) != nullptr);
        auto* annuler = w.findChild<QPushButton*>(QStringLiteral("pushButtonAnnuler"));
        auto* fermer = w.findChild<QPushButton*>(QStringLiteral("pushButtonClose"));
        QCOMPARE(annuler, w.getBoutonAnnuler());
        QCOMPARE(fermer, w.getBoutonFermer());
        QCOMPARE(annuler->text(), QStringLiteral("Annuler"));
        QCOMPARE(w.getEtat(), 0);
        QCOMPARE(w.getTexte(), QStringLiteral("Connection en cours..."));
        // A countdown given before any waiting state leaves the first text.
        w.setSecondesAttente(30);
        QCOMPARE(w.getTexte(), QStringLiteral("Connection en cours..."));
        QCOMPARE(w.getCompteARebours().state(), QAbstractAnimation::Stopped);
    }

    void etats_data()
    {
        QTest::addColumn<int>("etat");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<bool>("annulerVisible");
        QTest::addColumn<bool>("annulerActif");
        QTest::addColumn<bool>("fermerVisible");
        QTest::addColumn<bool>("montree");
        QTest::addColumn<bool>("compte");

        QTest::newRow("0") << 0 << QStringLiteral("Init") << false << false << true << false << false;
        QTest::newRow("1") << 1 << QStringLiteral("Résolution de l'adresse...") << true << true << false << false
                           << false;
        QTest::newRow("2") << 2 << QStringLiteral("Tentative de connection...") << true << false << false << true
                           << false;
        QTest::newRow("3") << 3 << Attente.arg(30) << true << true << false << true << true;
        QTest::newRow("4") << 4 << Attente.arg(30) << true << true << false << true << true;
        QTest::newRow("5") << 5 << Attente.arg(30) << true << true << false << false << true;
        QTest::newRow("6") << 6 << QStringLiteral("Jeu en cours...") << false << false << true << false << false;
        QTest::newRow("7") << 7 << QStringLiteral("Déconnecté par l'utilisateur") << false << false << true << false
                           << false;
        for (int etat = 8; etat <= 10; ++etat)
            QTest::addRow("%d", etat) << etat << QStringLiteral("Déconnecté...") << false << false << true << false
                                      << false;
    }

    void etats()
    {
        QFETCH(int, etat);
        QFETCH(QString, texte);
        QFETCH(bool, annulerVisible);
        QFETCH(bool, annulerActif);
        QFETCH(bool, fermerVisible);
        QFETCH(bool, montree);
        QFETCH(bool, compte);

        ZB_ClientConnection w;
        w.setSecondesAttente(30);
        w.setEtat(etat);
        QCOMPARE(w.getEtat(), etat);
        QCOMPARE(w.getTexte(), texte);
        QCOMPARE(w.getBoutonAnnuler()->isVisibleTo(&w), annulerVisible);
        QCOMPARE(w.getBoutonAnnuler()->isEnabled(), annulerActif);
        QCOMPARE(w.getBoutonFermer()->isVisibleTo(&w), fermerVisible);
        QCOMPARE(w.isVisible(), montree);
        QCOMPARE(w.getCompteARebours().state() == QAbstractAnimation::Running, compte);
        if (compte) {
            QCOMPARE(w.getCompteARebours().duration(), 30000);
            QCOMPARE(w.getCompteARebours().startValue().toInt(), 30);
        }
    }

    // The countdown goes on from one waiting state to the next, stops with
    // the game, and in the host's waiting state gives way to the host's
    // text once it ran out.
    void compteARebours()
    {
        ZB_ClientConnection w;
        w.setSecondesAttente(1);
        w.setEtat(3);
        QCOMPARE(w.getTexte(), Attente.arg(1));
        w.setEtat(4);
        QCOMPARE(w.getCompteARebours().state(), QAbstractAnimation::Running);
        w.setEtat(6);
        QCOMPARE(w.getCompteARebours().state(), QAbstractAnimation::Stopped);

        w.setSecondesAttente(1);
        w.setEtat(5);
        QCOMPARE(w.getTexte(), Attente.arg(1));
        QTRY_COMPARE_WITH_TIMEOUT(w.getTexte(), AttenteHote, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(w.getCompteARebours().state(), QAbstractAnimation::Stopped, 5000);
        QCOMPARE(w.getSecondesRestantes(), 0);
        // Run out: a new waiting state does not start it again, nor shows
        // a count stuck at 0.
        w.setEtat(3);
        QCOMPARE(w.getTexte(), AttenteHote);
        QCOMPARE(w.getCompteARebours().state(), QAbstractAnimation::Stopped);

        // No countdown at all: straight to the host's text.
        ZB_ClientConnection sans;
        sans.setSecondesAttente(0);
        sans.setEtat(5);
        QCOMPARE(sans.getTexte(), AttenteHote);
        // A new countdown in a waiting state starts at once.
        sans.setSecondesAttente(12);
        QCOMPARE(sans.getTexte(), Attente.arg(12));
        QCOMPARE(sans.getCompteARebours().state(), QAbstractAnimation::Running);
        // Absurd waits are bounded, not overflowed.
        sans.setSecondesAttente(-5);
        QCOMPARE(sans.getSecondesAttente(), 0);
        sans.setSecondesAttente(std::numeric_limits<int>::max());
        QVERIFY(sans.getCompteARebours().duration() > 0);
    }

    // A try announced after the host dropped the connection holds the
    // window's text through the countdown's ticks, until the next state.
    void annonceDEssai()
    {
        ZB_ClientConnection w;
        w.setSecondesAttente(1);
        w.setEtat(5);
        const QString annonce =
            QStringLiteral("Le serveur de jeu a fermé la connection: nouvelle tentative 2 sur 3 dans 4 s.");
        w.annonceEssai(2, 3, 4);
        QCOMPARE(w.getTexte(), annonce);
        QVERIFY(w.getBoutonAnnuler()->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(w.getCompteARebours().state(), QAbstractAnimation::Stopped, 5000);
        QCOMPARE(w.getTexte(), annonce);
        w.setEtat(2);
        QCOMPARE(w.getTexte(), QStringLiteral("Tentative de connection..."));
    }

    // The window that came up while connecting goes when the game starts,
    // whichever wait came before: it must not cover the table.
    void laPartieLaRange_data()
    {
        QTest::addColumn<QList<int>>("etats");
        QTest::newRow("host's wait") << QList<int>{1, 2, 5, 6};
        QTest::newRow("public wait") << QList<int>{1, 2, 3, 6};
        QTest::newRow("retried public wait") << QList<int>{2, 3, 4, 3, 6};
    }

    void laPartieLaRange()
    {
        QFETCH(QList<int>, etats);
        ZB_ClientConnection w;
        w.setSecondesAttente(30);
        for (int etat : etats.mid(0, etats.size() - 1))
            w.setEtat(etat);
        QVERIFY(w.isVisible());
        w.setEtat(etats.last());
        QVERIFY(!w.isVisible());
        QCOMPARE(w.getCompteARebours().state(), QAbstractAnimation::Stopped);
    }

    void fermer()
    {
        ZB_ClientConnection w;
        w.setEtat(2);
        QVERIFY(w.isVisible());
        w.setEtat(9);
        QTest::mouseClick(w.getBoutonFermer(), Qt::LeftButton);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.getEtat(), 9);
    }

    // The window as the user sees it while waiting for the host; the
    // picture is kept with ZB_KEEP_TEST_PICTURES set.
    void image()
    {
        ZB_ClientConnection w;
        w.resize(420, 120);
        w.setSecondesAttente(30);
        w.setEtat(5);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QImage attente = w.grab().toImage();
        w.setEtat(9);
        const QImage deconnecte = w.grab().toImage();

        QTemporaryDir dossier;
        dossier.setAutoRemove(!qEnvironmentVariableIsSet("ZB_KEEP_TEST_PICTURES"));
        QVERIFY(attente.save(dossier.filePath(QStringLiteral("clientConnection.png"))));
        QVERIFY(deconnecte.save(dossier.filePath(QStringLiteral("clientConnectionDeconnecte.png"))));
        if (!dossier.autoRemove())
            qInfo("pictures kept in %s", qPrintable(dossier.path()));
        QCOMPARE(attente.size(), QSize(420, 120) * w.devicePixelRatio());
        QVERIFY(couleurs(attente) > 8);
        QVERIFY(attente != deconnecte);
    }
};

ZB_REGISTER_TEST(TestClientConnection)
#include "TestClientConnection.moc"
