#include "ZB_AIError.h"
#include "ZB_EventClientAskInfo.h"
#include "ZB_EventDisconnectClient.h"
#include "ZB_EventDisconnectServerSocketConnection.h"
#include "ZB_EventServerSocketData.h"
#include "ZB_EventSocketError.h"
#include "ZbTestRegistry.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <initializer_list>
#include <memory>
#include <vector>

namespace {

// Notes what reaches it, on which thread, and what the payload said then.
class Receveur : public QObject
{
public:
    struct Recu {
        int type;
        QThread* thread;
        QString resume;
    };
    QList<Recu> recus;

protected:
    void customEvent(QEvent* event) override
    {
        QString resume;
        switch (static_cast<int>(event->type())) {
        case ZB_Event::DisconnectServerSocketConnection:
            resume = static_cast<ZB_EventDisconnectServerSocketConnection*>(event)->getConnection() == nullptr
                ? QStringLiteral("gone")
                : QStringLiteral("alive");
            break;
        case ZB_Event::ServerSocketData: {
            auto* e = static_cast<ZB_EventServerSocketData*>(event);
            resume = QString::fromUtf8(e->getDonnees())
                + (e->getConnection() == nullptr ? QStringLiteral("/gone") : QStringLiteral("/alive"));
            break;
        }
        case ZB_Event::DisconnectClient:
            resume = QString::number(static_cast<ZB_EventDisconnectClient*>(event)->getAfficheMessage());
            break;
        default:
            break;
        }
        recus << Recu{static_cast<int>(event->type()), QThread::currentThread(), resume};
        event->accept();
    }
};

} // namespace

class TestPostedEvents : public QObject
{
    Q_OBJECT

private slots:
    void typesAndPayloads()
    {
        QObject connection;
        const ZB_EventDisconnectServerSocketConnection deconnexion(&connection);
        QCOMPARE(int(deconnexion.type()), 1000);
        QCOMPARE(deconnexion.getConnection(), &connection);

        const ZB_EventDisconnectClient client(1);
        QCOMPARE(int(client.type()), 1001);
        QCOMPARE(client.getAfficheMessage(), 1);

        const ZB_EventSocketError erreur(QStringLiteral("Erreur"), QStringLiteral("Connexion refusée"), 1);
        QCOMPARE(int(erreur.type()), 1003);
        QCOMPARE(erreur.getTitre(), QStringLiteral("Erreur"));
        QCOMPARE(erreur.getTexte(), QStringLiteral("Connexion refusée"));
        QCOMPARE(erreur.getFinDePartie(), 1);

        const ZB_EventServerSocketData donnees(QByteArrayLiteral("{1!2!}"), &connection);
        QCOMPARE(int(donnees.type()), 1004);
        QCOMPARE(donnees.getDonnees(), QByteArrayLiteral("{1!2!}"));
        QCOMPARE(donnees.getConnection(), &connection);

        const ZB_EventClientAskInfo info(QStringLiteral("Anna"), Q_INT64_C(8589934597), 30);
        QCOMPARE(int(info.type()), 1005);
        QCOMPARE(info.getNomUtilisateur(), QStringLiteral("Anna"));
        QCOMPARE(info.getIdUtilisateur(), Q_INT64_C(8589934597));
        QCOMPARE(info.getTempsAttente(), 30);

        const ZB_AIError ia(QStringLiteral("Erreur"), QStringLiteral("Aucune carte"));
        QCOMPARE(int(ia.type()), 1008);
        QCOMPARE(ia.getTitre(), QStringLiteral("Erreur"));
        QCOMPARE(ia.getTexte(), QStringLiteral("Aucune carte"));

        // Receivers mark an event handled by accepting it: a new one is not.
        const std::initializer_list<const QEvent*> nouveaux{&deconnexion, &client, &erreur, &donnees, &info, &ia};
        for (const QEvent* e : nouveaux)
            QVERIFY2(!e->isAccepted(), qPrintable(QString::number(e->type())));
    }

    void clonesKeepTypeAndPayload()
    {
        QObject connection;
        const ZB_EventServerSocketData donnees(QByteArrayLiteral("abc"), &connection);
        std::unique_ptr<QEvent> copie(donnees.clone());
        QCOMPARE(copie->type(), donnees.type());
        auto* typee = dynamic_cast<ZB_EventServerSocketData*>(copie.get());
        QVERIFY(typee != nullptr);
        QCOMPARE(typee->getDonnees(), QByteArrayLiteral("abc"));
        QCOMPARE(typee->getConnection(), &connection);

        const ZB_EventClientAskInfo info(QStringLiteral("Ben"), 7, 5);
        std::unique_ptr<ZB_EventClientAskInfo> infoCopie(info.clone());
        QCOMPARE(infoCopie->getIdUtilisateur(), qint64(7));
        const ZB_AIError ia(QStringLiteral("t"), QStringLiteral("x"));
        QCOMPARE(std::unique_ptr<ZB_AIError>(ia.clone())->getTexte(), QStringLiteral("x"));
    }

    void connectionGuardFollowsItsObject()
    {
        auto connection = std::make_unique<QObject>();
        ZB_EventDisconnectServerSocketConnection deconnexion(connection.get());
        ZB_EventServerSocketData donnees(QByteArrayLiteral("{x}"), connection.get());
        connection.reset();
        QVERIFY(deconnexion.getConnection() == nullptr);
        QVERIFY(donnees.getConnection() == nullptr);
        // The bytes stay readable for the parser.
        QCOMPARE(donnees.getDonnees(), QByteArrayLiteral("{x}"));
    }

    void postedFromWorkerThreadsArriveInOrderOnTheReceiversThread()
    {
        Receveur receveur;
        auto vivante = std::make_unique<QObject>();
        auto partie = std::make_unique<QObject>();
        QObject* pVivante = vivante.get();
        QObject* pPartie = partie.get();
        std::unique_ptr<QThread> worker(QThread::create([&] {
            QCoreApplication::postEvent(&receveur, new ZB_EventServerSocketData("one", pVivante));
            QCoreApplication::postEvent(&receveur, new ZB_EventServerSocketData("two", pPartie));
            QCoreApplication::postEvent(&receveur, new ZB_EventDisconnectServerSocketConnection(pPartie));
            QCoreApplication::postEvent(&receveur, new ZB_EventDisconnectClient(0));
            QCoreApplication::postEvent(&receveur, new ZB_EventSocketError("t", "x", 0));
            QCoreApplication::postEvent(&receveur, new ZB_EventClientAskInfo("n", 1, 2));
            QCoreApplication::postEvent(&receveur, new ZB_AIError("t", "x"));
        }));
        worker->start();
        QVERIFY(worker->wait(2000));
        // The connection goes before its events are handled.
        partie.reset();
        QCoreApplication::sendPostedEvents(&receveur);

        QCOMPARE(receveur.recus.size(), 7);
        const QList<int> attendus{1004, 1004, 1000, 1001, 1003, 1005, 1008};
        for (int i = 0; i < attendus.size(); ++i) {
            QCOMPARE(receveur.recus[i].type, attendus[i]);
            QCOMPARE(receveur.recus[i].thread, QThread::currentThread());
        }
        QCOMPARE(receveur.recus[0].resume, QStringLiteral("one/alive"));
        QCOMPARE(receveur.recus[1].resume, QStringLiteral("two/gone"));
        QCOMPARE(receveur.recus[2].resume, QStringLiteral("gone"));
        QCOMPARE(receveur.recus[3].resume, QStringLiteral("0"));
    }
};

ZB_REGISTER_TEST(TestPostedEvents)
#include "TestPostedEvents.moc"
