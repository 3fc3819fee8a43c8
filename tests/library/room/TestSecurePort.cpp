#include "CopiesQuiRejoignent.h"
#include "ManqueSousCI.h"
#include "ZB_MultiServer.h"
#include "ZB_PorteTls.h"
#include "ZbTestRegistry.h"

#include <QElapsedTimer>
#include <QHash>
#include <QSslSocket>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

// The secure port as players meet it: the program's own client connection
// against a multi-room host on the loopback.
class TestSecurePort : public QObject
{
    Q_OBJECT

private:
    // TCP sockets against the secure port from that address that send
    // debut (if anything) and then nothing.
    static void ouvreMuettes(std::vector<std::unique_ptr<QTcpSocket>>& muettes, int nombre, quint16 port,
                             const QHostAddress& depuis, const QByteArray& debut)
    {
        for (int i = 0; i < nombre; ++i) {
            auto muette = std::make_unique<QTcpSocket>();
            muette->bind(depuis);
            muette->connectToHost(QHostAddress::LocalHost, port);
            if (!debut.isEmpty())
                muette->write(debut);
            muettes.push_back(std::move(muette));
        }
    }

private slots:
    // Players behind one address (a club) who join together all get their
    // seats, though the port runs only a few of their handshakes at once.
    void copiesDUneAdresse_data()
    {
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("cadenceMs");
        QTest::newRow("all at once") << 24 << 0;
        QTest::newRow("one every 20 ms") << 24 << 20;
    }
    void copiesDUneAdresse()
    {
        QFETCH(int, copies);
        QFETCH(int, cadenceMs);
        if (!QSslSocket::supportsSsl())
            ZB_MANQUE("no TLS backend");
        CopiesQuiRejoignent club(copies / CopiesQuiRejoignent::SiegesParSalle);
        QVERIFY(club.ouvre());
        club.rejoignent(copies, cadenceMs, 30000);
        QVERIFY2(club.assises() == copies, qPrintable(club.raisons().join(QLatin1Char('\n'))));
        QCOMPARE(club.essais(), 0);
        // The port let each go once it was a WebSocket: none of them is
        // left to its time limits.
        QCOMPARE(club.porte()->nonTermines(), 0);
    }

    // A player queued at a port full of its own address's sockets, while
    // more of them keep coming: behind silent ones it keeps its place and
    // its handshake runs before theirs once the address has a turn free;
    // behind ones that all spoke it may be the one that makes room (the
    // next came before its first bytes were read), and then it tries
    // again and is seated once the port has room.
    void joueurDerriereSonAdresse_data()
    {
        QTest::addColumn<QByteArray>("debut"); // what each of them sends
        QTest::addColumn<int>("cadenceMs");   // 0: the more all at once
        QTest::addColumn<bool>("essaie");
        QTest::newRow("silent ones") << QByteArray() << 0 << false;
        // The first byte of a TLS record, and then nothing; each heard
        // before the next comes.
        QTest::newRow("ones that spoke") << QByteArray("\x16", 1) << 15 << true;
    }
    void joueurDerriereSonAdresse()
    {
        QFETCH(QByteArray, debut);
        QFETCH(int, cadenceMs);
        QFETCH(bool, essaie);
        if (!QSslSocket::supportsSsl())
            ZB_MANQUE("no TLS backend");
        CopiesQuiRejoignent club(1);
        QVERIFY(club.ouvre());
        const QHostAddress adresse(QHostAddress::LocalHost);
        std::vector<std::unique_ptr<QTcpSocket>> siennes;
        ouvreMuettes(siennes, ZB_PorteTls::NonTerminesMax, club.port(), adresse, debut);
        QTRY_COMPARE(club.porte()->nonTermines(), ZB_PorteTls::NonTerminesMax);
        club.lance(1);
        if (cadenceMs == 0)
            ouvreMuettes(siennes, ZB_PorteTls::NonTerminesMax, club.port(), adresse, debut);
        for (int i = 0; cadenceMs > 0 && i < ZB_PorteTls::NonTerminesMax && club.essais() == 0 && club.perdues() == 0;
             ++i) {
            ouvreMuettes(siennes, 1, club.port(), adresse, debut);
            QTest::qWait(cadenceMs);
        }
        if (essaie) {
            QTRY_VERIFY(club.essais() > 0 || club.perdues() > 0);
            siennes.clear();
        }
        QVERIFY2(club.attend(ZB_PorteTls::DelaiHandshakeMs + 5000), qPrintable(club.raisons().join(QLatin1Char('\n'))));
        QCOMPARE(club.assises(), 1);
        QCOMPARE(club.essais() > 0, essaie);
    }

    // Sockets that finish TLS and then never send their WebSocket upgrade
    // request hold their address's turns and the port's
    // places no longer than TLS ones do: one address has at most its share
    // of them at once, each goes when its time is up, and a player from an
    // address of its own is seated meanwhile within 2 s.
    void muettesApresTls()
    {
        if (!QSslSocket::supportsSsl())
            ZB_MANQUE("no TLS backend");
        CopiesQuiRejoignent club(1);
        QVERIFY(club.ouvre());
        const quint16 port = club.port();
        ZB_PorteTls* porte = club.porte();
        constexpr int Adresses = 12;
        constexpr int ParAdresse = ZB_PorteTls::HandshakesParAdresseMax + 2;
        std::vector<std::unique_ptr<QSslSocket>> muettes;
        QList<QHostAddress> leurs;
        for (int i = 0; i < Adresses * ParAdresse; ++i) {
            const QHostAddress depuis(QStringLiteral("127.0.0.%1").arg(10 + i % Adresses));
            leurs << depuis;
            auto muette = std::make_unique<QSslSocket>();
            if (!muette->bind(depuis))
                ZB_MANQUE("127.0.0.x cannot be bound here");
            muette->setPeerVerifyMode(QSslSocket::VerifyNone);
            muette->connectToHostEncrypted(QStringLiteral("127.0.0.1"), port);
            muettes.push_back(std::move(muette));
        }
        // The first of them to be through TLS.
        QSslSocket* premiere = muettes.front().get();
        QElapsedTimer depuisLeDebut;
        depuisLeDebut.start();
        QTRY_VERIFY_WITH_TIMEOUT(premiere->isEncrypted(), 5000);
        const qint64 chiffreA = depuisLeDebut.elapsed();

        club.lance(1);
        QVERIFY2(club.attend(2000), "the player was not seated within 2 s");
        QCOMPARE(club.assises(), 1);

        // At no time more of one address than its share.
        const auto auPlusLaPart = [&] {
            QHash<QString, int> chiffrees;
            for (size_t i = 0; i < muettes.size(); ++i)
                chiffrees[leurs.at(int(i)).toString()] += muettes[i]->isEncrypted() ? 1 : 0;
            return std::all_of(chiffrees.cbegin(), chiffrees.cend(),
                               [](int n) { return n <= ZB_PorteTls::HandshakesParAdresseMax; });
        };
        QVERIFY(auPlusLaPart());
        QVERIFY(porte->nonTermines() <= ZB_PorteTls::NonTerminesMax);
        // It is let go once its time is up.
        QTRY_COMPARE_WITH_TIMEOUT(premiere->state(), QAbstractSocket::UnconnectedState,
                                  int(chiffreA + ZB_PorteTls::DelaiHandshakeMs + 1500 - depuisLeDebut.elapsed()));
        QVERIFY(auPlusLaPart());
        QCOMPARE(club.assises(), 1);
    }
};

ZB_REGISTER_TEST(TestSecurePort)
#include "TestSecurePort.moc"
