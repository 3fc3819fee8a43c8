#pragma once

// Versions of the table protocol and of record texts. A writer that may meet
// older readers is given the peer's or the file's version and writes its
// newest fields only from version 2.
constexpr int VERSION_PROTOCOLE_MIN = 1;
constexpr int VERSION_PROTOCOLE_ACTUELLE = 3;

// What a host writes to a table connection it refuses on purpose (the
// server is stopped or full, the address is banned or holds too many idle
// connections) just before it closes it, so that the client tells its user
// at once instead of trying again. A close without it is no refusal: the
// host dropped the connection to make room, and the client may come back.
// Older clients drop the record as one of an unknown kind.
constexpr char RECORD_REFUS_TABLE[] = "{Ref!}";

// Written right after RECORD_REFUS_TABLE when the reason is that every seat
// is taken, so that the client can say the table is full rather than list
// the possible reasons. Older clients drop it as a record of an unknown kind
// and keep their general text.
constexpr char RECORD_REFUS_COMPLET[] = "{Ref!Complet!}";

// What a host writes to a seated player's connection just before it closes
// it for good: the host removed the player, or the host stopped the game.
// The client tells its user that instead of a broken connection. Older
// clients drop them as records of an unknown kind.
constexpr char RECORD_RETRAIT_TABLE[] = "{Ret!}";
constexpr char RECORD_ARRET_TABLE[] = "{Arr!}";
