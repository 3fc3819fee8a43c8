#include "GM_NativeA.h"
#include "ZbTestRegistry.h"

#include <QTest>

namespace {

class Contacts : public GM_NativeA::CallBackContactEmail
{
public:
    void contactEmails(bool refuse, const QStringList& emails) override
    {
        ++appels;
        refuse_ = refuse;
        emails_ = emails;
    }
    int appels = 0;
    bool refuse_ = false;
    QStringList emails_;
};

// A platform with an address book that answers at once.
class NativeAvecContacts : public GM_NativeA
{
public:
    void requestContactEmail(CallBackContactEmail* callback) override
    {
        callback->contactEmails(false, {QStringLiteral("anna@example.org")});
    }
};

} // namespace

class TestNativeHooks : public QObject
{
    Q_OBJECT

private slots:
    void defaultsDoNothing()
    {
        auto natif = std::make_unique<GM_NativeA>();
        Contacts contacts;
        natif->discordInit();
        natif->discordSetActivity(QStringLiteral("En ligne"));
        natif->discordSetActivity(QString());
        natif->discordSetActivityScore(512, 340, QStringLiteral(" / 1000"));
        natif->vibrate(50);
        natif->requestContactEmail(&contacts);
        natif->requestContactEmail(nullptr);
        QTest::qWait(10);
        QCOMPARE(contacts.appels, 0);
    }

    void aPlatformOverridesOnlyWhatItHas()
    {
        std::unique_ptr<GM_NativeA> natif = std::make_unique<NativeAvecContacts>();
        Contacts contacts;
        natif->requestContactEmail(&contacts);
        QCOMPARE(contacts.appels, 1);
        QCOMPARE(contacts.emails_, QStringList{QStringLiteral("anna@example.org")});
        natif->vibrate(10);
        natif->discordSetActivityScore(0, 0, QString());
    }
};

ZB_REGISTER_TEST(TestNativeHooks)
#include "TestNativeHooks.moc"
