#include "GM_Exception.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_SharedFunctions.h"
#include "ZB_Application.h"
#include "ZB_TableFonts.h"
#include "ZbTestRegistry.h"

#include <QFontDatabase>
#include <QTest>

namespace {

// Throws the user-facing error from wherever the event loop calls it.
class Lanceur : public QObject
{
    Q_OBJECT

public:
    int appels = 0;
    bool apres = false;

public slots:
    void OnCharge()
    {
        ++appels;
        throw GM_ExceptionFileCorrupted(QStringLiteral("partie.jss, line 3"));
    }
    void OnEchoue(const QString& message)
    {
        ++appels;
        throw GM_Exception(message);
    }
    void OnApres() { apres = true; }

protected:
    void customEvent(QEvent* event) override
    {
        Q_UNUSED(event);
        throw GM_Exception(QStringLiteral("Evenement refusé."));
    }
};

// Lends a displayer to the application for one test; it must be taken back
// before the displayer goes.
class Branchement
{
public:
    explicit Branchement(GM_MessageBoxDisplayerA* displayer)
    {
        ZB_Application::instance()->setMessageBoxDisplayer(displayer);
    }
    Branchement(const Branchement&) = delete;
    Branchement& operator=(const Branchement&) = delete;
    ~Branchement() { ZB_Application::instance()->setMessageBoxDisplayer(nullptr); }
};

} // namespace

class TestApplication : public QObject
{
    Q_OBJECT

private:
    ZB_Application* app() { return ZB_Application::instance(); }

private slots:
    void initTestCase() { QVERIFY(app() != nullptr); }

    void embeddedFontsAreRegistered()
    {
        const QStringList familles = app()->getPolicesEmbarquees();
        QVERIFY2(familles.contains(QStringLiteral("DejaVu Sans")), qPrintable(familles.join(',')));
        QVERIFY(familles.contains(QStringLiteral("DejaVu Serif")));
        QCOMPARE(app()->getFontApplication().family(), QStringLiteral("DejaVu Sans"));
        QVERIFY(QFontDatabase::styles(QStringLiteral("DejaVu Sans")).contains(QStringLiteral("Bold")));
        // The table's drawing fonts stand in for missing families.
        QVERIFY(QFontDatabase::families().contains(ZB_TableFonts::cartoonFamily()));
        for (const QString& famille : ZB_TableFonts::drawnFamilies()) {
            const QString resolue = QFontInfo(QFont(famille)).family();
            QVERIFY2(resolue == famille || resolue == ZB_TableFonts::cartoonFamily(), qPrintable(resolue));
        }
    }

    void applicationFontReachesScaledFont()
    {
        const QFont avant = app()->getFontApplication();
        QFont police(QStringLiteral("DejaVu Serif"));
        police.setPixelSize(20);
        app()->setFontApplication(police);
        QCOMPARE(scaledFont(3).pixelSize(), 22);
        QCOMPARE(scaledFont(3).family(), QStringLiteral("DejaVu Serif"));
        app()->setFontApplication(avant);
        QCOMPARE(scaledFont(2), avant);
    }

    void exceptionFromAQueuedSlotIsShown()
    {
        GM_MessageBoxDisplayerHeadless displayer;
        displayer.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        const Branchement branchement(&displayer);
        Lanceur lanceur;
        QMetaObject::invokeMethod(&lanceur, "OnCharge", Qt::QueuedConnection);
        QMetaObject::invokeMethod(&lanceur, "OnEchoue", Qt::QueuedConnection,
                                  Q_ARG(QString, QStringLiteral("Deuxième erreur.")));
        QMetaObject::invokeMethod(&lanceur, "OnApres", Qt::QueuedConnection);

        // The loop goes on after the throw, and each message gets its box.
        QTRY_VERIFY_WITH_TIMEOUT(lanceur.apres, 500);
        QCOMPARE(lanceur.appels, 2);
        QTRY_COMPARE_WITH_TIMEOUT(displayer.historique().size(), 2, 500);
        const GM_MessageBoxRequest premiere = displayer.historique().at(0).requete;
        // A subclass is caught as the base and shows its own message.
        QCOMPARE(premiere.texte_, QStringLiteral("Ce fichier est corrompu."));
        QCOMPARE(premiere.icone_, GM::Critical);
        QCOMPARE(static_cast<int>(premiere.boutons_), static_cast<int>(GM::Ok));
        QCOMPARE(displayer.historique().at(1).requete.texte_, QStringLiteral("Deuxième erreur."));
        QVERIFY(app()->getMessagesEnAttente().isEmpty());
    }

    void eventThatThrewCountsAsNotHandled()
    {
        GM_MessageBoxDisplayerHeadless displayer;
        const Branchement branchement(&displayer);
        Lanceur lanceur;
        QEvent evenement(static_cast<QEvent::Type>(QEvent::User + 17));
        QVERIFY(!app()->notify(&lanceur, &evenement));
        // The box waits for the event loop, not for the handler that threw.
        QCOMPARE(displayer.historique().size(), 0);
        QCOMPARE(app()->getMessagesEnAttente(), QStringList{QStringLiteral("Evenement refusé.")});
        QTRY_COMPARE_WITH_TIMEOUT(displayer.historique().size(), 1, 500);
        QCOMPARE(displayer.historique().first().requete.texte_, QStringLiteral("Evenement refusé."));
    }

    void withoutDisplayerTheMessageIsDropped()
    {
        Lanceur lanceur;
        QMetaObject::invokeMethod(&lanceur, "OnCharge", Qt::QueuedConnection);
        QTRY_COMPARE_WITH_TIMEOUT(lanceur.appels, 1, 500);
        QTRY_VERIFY_WITH_TIMEOUT(app()->getMessagesEnAttente().isEmpty(), 500);
    }
};

ZB_REGISTER_TEST(TestApplication)
#include "TestApplication.moc"
