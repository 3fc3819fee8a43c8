#pragma once

#include <QMessageLogger>
#include <QString>

// Small helpers shared by the source files of ZB_RoomTable, which is split
// by concern (construction and loading, intake and execution, the state
// machine, the deal, seating, statistics and undo), and of ZB_Room.
namespace ZB_RoomTableOutils {

inline int modulo4(int n)
{
    return ((n % 4) + 4) % 4;
}

inline bool estSiege(int noJoueur)
{
    return noJoueur >= 0 && noJoueur < 4;
}

// A refused or dropped event, for the log and the tests that count them.
inline void avertit(const QString& message)
{
    QMessageLogger(__FILE__, __LINE__, Q_FUNC_INFO).warning("%s", qUtf8Printable(message));
}

// What the server, the rounds and the seats do, for the log.
inline void trace(const QString& ligne)
{
    qDebug("%s", qUtf8Printable(ligne));
}

} // namespace ZB_RoomTableOutils
