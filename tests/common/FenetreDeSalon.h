#pragma once

// The lobby window as the main window makes it, on a test lobby of its own
// (see LobbyDeTest) or on one the test started and shares between several
// windows: the login window, a progress window, boxes answered "Ok" unless
// the test says otherwise, and Alice's login on demand. The test may fill
// the lobby (rankings, chat lines, versions) between the construction and
// the login.

#include "GM_ClientSocket.h"
#include "GM_Login.h"
#include "GM_MessageBoxDisplayerHeadless.h"
#include "GM_NativeA.h"
#include "GM_Progress.h"
#include "GM_ServerPass.h"
#include "GM_ServerList.h"
#include "LobbyDeTest.h"

#include <QCheckBox>
#include <QSettings>
#include <QSignalSpy>
#include <QStringList>

#include <optional>

class FenetreDeSalon
{
public:
    static constexpr int Delai = 5000;

private:
    // What the window is given to read and change: the game family and
    // the language.
    int famille_ = 0;
    int langue_ = 1;
    std::optional<LobbyDeTest> propre_;
    int attente_ = Delai;

public:
    struct Reglages {
        bool unsecure = true;
        bool tcp = false;
        // The login window's automatic login (none: as the settings have it).
        std::optional<bool> automatique;
        // The settings store of the login and the window (none: nothing kept).
        QSettings* settings = nullptr;
        // The native hooks (none: the window has none).
        GM_NativeA* natif = nullptr;
        // The update's file name and address.
        QString fichierMiseAJour;
        QString adresseMiseAJour;
        // A lobby the test started, for several windows (none: one of the
        // window's own, started here).
        LobbyDeTest* lobby = nullptr;
        // The window asks for a server's password in passe.
        bool passeServeur = false;
        // How long a login may take, in milliseconds.
        int attente = Delai;
    };

    LobbyDeTest& lobby;
    GM_MessageBoxDisplayerHeadless afficheur;
    GM_Login login;
    GM_Progress progression;
    GM_ServerPass passe;
    GM_ServerList fenetre;
    // Whether the lobby listens (a shared one is the test's to start).
    bool enEcoute = false;

    FenetreDeSalon() : FenetreDeSalon(Reglages()) {}
    explicit FenetreDeSalon(const Reglages& r) : lobby(r.lobby != nullptr ? *r.lobby : propre_.emplace())
    {
        afficheur.setRepondeur([](uint, const GM_MessageBoxRequest&) { return GM::Ok; });
        enEcoute = r.lobby != nullptr || lobby.demarre(r.unsecure);
        attente_ = r.attente;
        login.init(r.settings);
        if (r.automatique)
            login.autoConnect()->setChecked(*r.automatique);
        fenetre.init(&login, &progression, &afficheur, r.natif, r.passeServeur ? &passe : nullptr, QString(),
                     r.fichierMiseAJour, r.adresseMiseAJour, QStringLiteral("Jass Public"), &famille_, r.unsecure,
                     r.tcp, false, &langue_, r.settings);
        fenetre.setVerificationReseau([] { return true; });
    }
    FenetreDeSalon(const FenetreDeSalon&) = delete;
    FenetreDeSalon& operator=(const FenetreDeSalon&) = delete;

    GM_ClientSocket* client() { return fenetre.client(); }

    // Logs in at once, with Alice's account or with the given one (empty:
    // the one the settings keep), and waits until the lobby took it; the
    // mode is then interactive.
    bool connecte(const QString& email = QString::fromLatin1(LobbyDeTest::EmailAlice),
                  const QString& passe = QString::fromLatin1(LobbyDeTest::PasseAlice))
    {
        if (!enEcoute)
            return false;
        QSignalSpy pret(client(), &GM_ClientSocket::signalReady);
        fenetre.showLogin(email, passe, 5);
        return pret.wait(attente_) && fenetre.isConnected();
    }

    // The titles of the boxes shown, in order.
    QStringList titres() const
    {
        QStringList t;
        for (const auto& a : afficheur.historique())
            t << a.requete.titre_;
        return t;
    }
};
