#pragma once

#include <QString>
#include <QStringList>

// The one seam between the portable program and the services of the
// platform it runs on: the address book, Discord presence and vibration.
// Every operation does nothing by default, so that a build without a
// platform service simply gets the defaults. The main window creates the one
// instance and keeps it for the program's lifetime; holders of the pointer
// never delete it. Operations are called from the GUI thread.
class GM_NativeA
{
public:
    // Receives the address book's e-mail addresses. A platform may call it
    // from any thread: the receiver hands the data over to its own thread.
    class CallBackContactEmail
    {
    public:
        CallBackContactEmail() = default;
        CallBackContactEmail(const CallBackContactEmail&) = default;
        CallBackContactEmail& operator=(const CallBackContactEmail&) = default;
        virtual ~CallBackContactEmail();
        // refuse: the user refused access to the contacts.
        virtual void contactEmails(bool refuse, const QStringList& emails) = 0;
    };

    GM_NativeA() = default;
    GM_NativeA(const GM_NativeA&) = delete;
    GM_NativeA& operator=(const GM_NativeA&) = delete;
    virtual ~GM_NativeA();

    // Asks for the contacts' e-mail addresses; the answer comes later
    // through callback (not owned). By default no answer ever comes.
    virtual void requestContactEmail(CallBackContactEmail* callback);
    // Starts the Discord presence; called once at start-up.
    virtual void discordInit();
    // What the user is doing; the empty text clears it.
    virtual void discordSetActivity(const QString& text);
    // The score line of an online game: the viewer's team, the other team,
    // and a suffix such as " / 1000".
    virtual void discordSetActivityScore(int points, int adversary, const QString& suffix);
    // Asks the device to vibrate; desktops have nothing to do.
    virtual void vibrate(int milliseconds);
};
