#pragma once

#include "ZB_Room.h"

// A room whose user-facing operations (quit question, hosting, joining,
// saving, the next-game answer) do nothing: the engine's room alone, for
// tests, benchmarks and tools that drive its tables, files or server
// directly.
class SalleSansInterface : public ZB_Room
{
public:
    using ZB_Room::ZB_Room;

    void askQuit(QObject*, const char*) override {}
    void disconnectFromServer() override {}
    void startHosting(QSharedPointer<GM_SocketAbstract>, const QString&, quint16, quint16, quint16, qint64) override
    {
    }
    void saveAs(const QString&) override {}
    void writeToStream(QTextStream&) override {}
    void connectToServer(const QString&, quint16, const QString&, qint64, int, bool,
                         QSharedPointer<GM_SocketAbstract>) override
    {
    }
    void sendToServer(const EvenementDeJeu&) override {}
    void endOnlineGame(bool) override {}
    void answerNextGame(bool) override {}
};
