#pragma once

#include <QDebug>
#include <QLoggingCategory>

// The lobby client's log, shared by the source files of GM_ClientSocket,
// which is split by concern: the connection and its session, the out-queue
// and requests, the intake of records, and the bounded announcements and
// bridges. One category, "zubrik.lobby", whichever file writes.
namespace GM_ClientSocketJournal {

Q_DECLARE_LOGGING_CATEGORY(lcLobby)

// The category's streams without its macros, which pedantic clang refuses.
inline QDebug lobbyDebug()
{
    return QMessageLogger().debug(lcLobby());
}

inline QDebug lobbyInfo()
{
    return QMessageLogger().info(lcLobby());
}

inline QDebug lobbyWarning()
{
    return QMessageLogger().warning(lcLobby());
}

} // namespace GM_ClientSocketJournal
