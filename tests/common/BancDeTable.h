#pragma once

#include "SalleDeTable.h"
#include "ZB_DisplayEmpty.h"

class DisplayA;
class ZB_RoomTable;

// One table in the kit's stand-in room (SalleDeTable), as the room tests
// build it: the stand-in owns the table as the room owns its tables, and
// the table posts its own events to it. The table draws on the empty
// display unless the test lends its own, which must outlive the bench.
// The test starts the match and seats the players it needs.
class BancDeTable
{
    ZB_DisplayEmpty displayVide_;

public:
    SalleDeTable salle;
    ZB_RoomTable* const table; // owned by salle

    // pasDAnnulation: the table keeps no way back (ZB_RoomTable::initialise).
    explicit BancDeTable(DisplayA* display = nullptr, bool pasDAnnulation = false);
    BancDeTable(const BancDeTable&) = delete;
    BancDeTable& operator=(const BancDeTable&) = delete;
};
