#pragma once

#include "GM_SocketAbstract.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cstdio>

// What the benchmarks without a window share: their one application object
// and a socket that is always connected and swallows what it is given.
//
// Rules:
// - The application object is never destroyed (see ApplicationDeBanc.h);
//   the first call names it.
// - Debug and info lines are dropped so that the figures stay readable.

inline void messagesDeBancSansFenetre(QtMsgType type, const QMessageLogContext&, const QString& texte)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        fprintf(stderr, "%s\n", qPrintable(texte));
}

inline QCoreApplication& coeurDeBanc(const char* nom)
{
    static QCoreApplication* app = [&] {
        qInstallMessageHandler(&messagesDeBancSansFenetre);
        static QByteArray nomProgramme(nom);
        static int argc = 1;
        static char* argv[] = {nomProgramme.data(), nullptr};
        return new QCoreApplication(argc, argv);
    }();
    return *app;
}

class SocketMuet : public GM_SocketAbstract
{
public:
    QAbstractSocket::SocketState state() const override { return QAbstractSocket::ConnectedState; }
    qint64 write(const QByteArray& donnees) override { return donnees.size(); }
};
