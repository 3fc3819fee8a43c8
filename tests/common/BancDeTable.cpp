#include "BancDeTable.h"

#include "ZB_RoomTable.h"

BancDeTable::BancDeTable(DisplayA* display, bool pasDAnnulation)
    : table(new ZB_RoomTable(&salle, true, false))
{
    table->setSalle(&salle);
    salle.table = table;
    table->initialise(&salle, nullptr, 0, display != nullptr ? display : &displayVide_, &salle.liste, pasDAnnulation,
                      QString(), QString(), false);
}
