#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

// Turns the termination requests a program running in a terminal or under
// a service manager receives (SIGTERM, SIGINT: Ctrl+C) into a Qt signal
// on the GUI thread, so that the program can end its work in order rather
// than vanish: the windowless host then tells its players that it stopped.
//
// Rules:
// - One instance at a time watches; the handlers it installs are put back
//   as they were when it goes.
// - The handler only writes the signal's number into a socket pair (the
//   one thing a signal handler may safely do); signalArret is emitted from
//   the event loop, once per request received.
// - Where the system has no such signals (or the pair cannot be made),
//   nothing is watched and nothing is emitted.
class ZB_ArretParSignal : public QObject
{
    Q_OBJECT

public:
    explicit ZB_ArretParSignal(QObject* parent = nullptr);
    ~ZB_ArretParSignal() override;
    ZB_ArretParSignal(const ZB_ArretParSignal&) = delete;
    ZB_ArretParSignal& operator=(const ZB_ArretParSignal&) = delete;

    bool surveille() const { return notificateur_ != nullptr; }

signals:
    // numero: the signal received (SIGTERM, SIGINT).
    void signalArret(int numero);

private:
    void lit_();

    std::unique_ptr<QSocketNotifier> notificateur_;
};
