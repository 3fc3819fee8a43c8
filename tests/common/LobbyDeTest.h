#pragma once

// A lobby on loopback for one test, and what a lobby client needs around
// it: the test server (tools/lobby) with two accounts, the address and
// certificate variables pointing the client at it (put back when the test
// ends), a progress
// window that only counts, and a log that keeps every line.

#include "GM_ClientSocket.h"
#include "GM_ProgressA.h"
#include "ZB_LobbyServer.h"

#include <QByteArray>
#include <QMessageLogContext>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

class LobbyDeTest
{
public:
    static constexpr const char* EmailAlice = "alice@example.org";
    static constexpr const char* PasseAlice = "secret-Alice1";
    static constexpr const char* EmailBob = "bob@example.org";
    static constexpr const char* PasseBob = "secret-Bob2";

    ZB_LobbyServer serveur;
    qint64 alice = -1;
    qint64 bob = -1;

    LobbyDeTest()
        : avant_(qgetenv(GM_ClientSocket::VariableAdresse))
        , avaitAvant_(qEnvironmentVariableIsSet(GM_ClientSocket::VariableAdresse))
        , certificatAvant_(qgetenv(GM_ClientSocket::VariableCertificat))
        , avaitCertificatAvant_(qEnvironmentVariableIsSet(GM_ClientSocket::VariableCertificat))
    {
        alice = serveur.ajouteCompte(QString::fromLatin1(EmailAlice), QString::fromLatin1(PasseAlice),
                                     QStringLiteral("Alice"));
        bob = serveur.ajouteCompte(QString::fromLatin1(EmailBob), QString::fromLatin1(PasseBob),
                                   QStringLiteral("Bob"));
    }
    ~LobbyDeTest()
    {
        if (avaitAvant_)
            qputenv(GM_ClientSocket::VariableAdresse, avant_);
        else
            qunsetenv(GM_ClientSocket::VariableAdresse);
        if (avaitCertificatAvant_)
            qputenv(GM_ClientSocket::VariableCertificat, certificatAvant_);
        else
            qunsetenv(GM_ClientSocket::VariableCertificat);
    }
    LobbyDeTest(const LobbyDeTest&) = delete;
    LobbyDeTest& operator=(const LobbyDeTest&) = delete;

    // Listens on 127.0.0.1, system-chosen ports, and points clients at the
    // transport asked; over TLS they trust the certificate the test lobby
    // presents by default (one set with setCertificat is not trusted).
    bool demarre(bool unsecure)
    {
        if (!serveur.ecoute(QHostAddress::LocalHost, 0, 0, !unsecure))
            return false;
        pointe(unsecure);
        return true;
    }
    void pointe(bool unsecure)
    {
        qputenv(GM_ClientSocket::VariableAdresse, serveur.adresse(unsecure).toUtf8());
        qputenv(GM_ClientSocket::VariableCertificat, ZB_LobbyServer::RessourceCertificat);
    }

private:
    QByteArray avant_;
    bool avaitAvant_;
    QByteArray certificatAvant_;
    bool avaitCertificatAvant_;
};

// Counts what the client asks of its progress window.
class ProgressionDeTest : public GM_ProgressA
{
public:
    int montre = 0;
    int cache = 0;
    bool visible = false;
    QString texte;
    int valeur = 0;
    Cancel_cb* annulation = nullptr;

    void setProgress(const QString& t, int v) override
    {
        texte = t;
        valeur = v;
    }
    void activateWindow() override {}
    void show() override
    {
        ++montre;
        visible = true;
    }
    void hide() override
    {
        ++cache;
        visible = false;
    }
    void retranslate() override {}
    void updateScaling() override {}
    void setCancelCallback(Cancel_cb* callback) override { annulation = callback; }
};

// Keeps every log line, of every level, while it lives.
struct JournalDeTest {
    static inline QMutex mutex;
    static inline QStringList lignes;

    static void gestionnaire(QtMsgType, const QMessageLogContext&, const QString& texte)
    {
        QMutexLocker verrou(&mutex);
        lignes << texte;
    }

    QtMessageHandler avant;
    JournalDeTest() : avant(qInstallMessageHandler(&JournalDeTest::gestionnaire)) { vide(); }
    ~JournalDeTest() { qInstallMessageHandler(avant); }
    JournalDeTest(const JournalDeTest&) = delete;
    JournalDeTest& operator=(const JournalDeTest&) = delete;

    static void vide()
    {
        QMutexLocker verrou(&mutex);
        lignes.clear();
    }
    static bool contient(const QString& morceau)
    {
        QMutexLocker verrou(&mutex);
        for (const QString& ligne : std::as_const(lignes))
            if (ligne.contains(morceau))
                return true;
        return false;
    }
};
