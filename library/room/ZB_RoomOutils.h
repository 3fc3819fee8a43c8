#pragma once

#include <QString>

// Small helpers shared by the source files of ZB_Room, which is split by
// concern: construction, tables and the start of a game, the event lists'
// executor, saving and settings, and the online session.
namespace ZB_RoomOutils {

// The room's trace of what the server and the rounds do, for the log.
inline void trace(const QString& ligne)
{
    qDebug("%s", qUtf8Printable(ligne));
}

} // namespace ZB_RoomOutils
