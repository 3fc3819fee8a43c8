#pragma once

namespace GM {

// The player's online status, as the lobby window keeps it, the lobby's
// status word carries it and the messenger shows it. 4 to 6 only bring a
// tab to the front for screenshots.
enum ConnectStatus : int {
    InLobby = 0,            // in the lobby, no game
    GuestOnPrivateServer = 1,
    HostingPrivateServer = 2,
    OnPublicServer = 3,
    ScreenshotRanking = 4,
    ScreenshotServers = 5,
    ScreenshotTitles = 6
};

} // namespace GM
