#pragma once

// Versions of the table protocol and of record texts. A writer that may meet
// older readers is given the peer's or the file's version and writes its
// newest fields only from version 2.
constexpr int VERSION_PROTOCOLE_MIN = 1;
constexpr int VERSION_PROTOCOLE_ACTUELLE = 3;
