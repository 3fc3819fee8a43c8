// Feeds arbitrary bytes to a table's live intake, the way a peer's messages
// reach it: the bytes are read as a stream of game-event texts and every
// event that reads is posted to the table (customEvent), which hands it to
// its event list and runs what the list lets through. The table may refuse,
// log and drop anything; nothing may escape the intake, crash, hang or leave
// the list locked. The room is the test kit's stand-in, which moves the
// expected state on after every applied event.
//
// A table is built once per network mode and starting seat, then brought
// back to its start before each input: building one costs far more than
// running an input.
#include "EvenementDeJeu.h"
#include "ListeDesEvenements.h"
#include "ZB_DisplayEmpty.h"
#include "ZB_RoomTable.h"

#include "FuzzQt.h"
#include "PiloteFuzzEvenements.h"
#include "SalleDeTable.h"
#include "TableEnPlace.h"

#include <QCoreApplication>
#include <QMutex>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

constexpr int EvenementsParEntree = 64;

struct TableDeFuzz {
    SalleDeTable salle;
    ZB_DisplayEmpty display;
    ZB_RoomTable table{nullptr, true, false};
    TableEnPlace place;

    TableDeFuzz(int modeReseau, int debut)
        : place(TableEnPlace::quatreDistants(modeReseau, debut))
    {
        salle.table = &table;
        salle.avanceJusqua = ListeDesEvenements::NombreEtats - 1;
        salle.continueLaTable = true;
        salle.sansPause = true;
        table.initialise(&salle, nullptr, 0, &display, &salle.liste, false, QString(), QString(), false);
        place.installe(table);
        salle.liste.sansDelai_ = true;
    }
};

// Host, client or local table, and the seat that starts the deal.
TableDeFuzz& tablePour(int modeReseau, int debut)
{
    static std::array<std::unique_ptr<TableDeFuzz>, 3 * 4> tables;
    std::unique_ptr<TableDeFuzz>& table = tables[size_t(modeReseau * 4 + debut)];
    if (table == nullptr) {
        table = std::make_unique<TableDeFuzz>(modeReseau, debut);
    } else {
        table->place.remetEnPlace(table->table, table->salle.liste);
        table->salle.oublie();
    }
    return *table;
}

void verifieListeLibre(ListeDesEvenements& liste)
{
    if (!liste.getMutex()->tryLock())
        std::abort();
    liste.getMutex()->unlock();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzDemarreQt();
    // The options come from the last byte: the first one must open an event.
    const uint8_t choix = size > 0 ? data[size - 1] : 0;
    const QString texte = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TableDeFuzz& salle = tablePour(choix % 3, (choix >> 2) & 0x03);

    pilotageFuzzEvenements(texte, EvenementsParEntree, [&](EvenementDeJeu& ev) {
        // Let the list expect the event's state now and then, as the state
        // machine would, so that events run instead of only queueing.
        if ((choix & 0x10) && ev.etat_ >= 0 && ev.etat_ < ListeDesEvenements::NombreEtats)
            salle.salle.liste.setEtatAttendu(ev.etat_);
        if (choix & 0x20)
            ev.noDemande_ = salle.table.getNoDemande();

        // customEvent is the intake; it must take every event and give
        // nothing back to the caller.
        QCoreApplication::sendEvent(&salle.table, &ev);
        if (!ev.isAccepted())
            std::abort();
        verifieListeLibre(salle.salle.liste);
    });

    // The list's own retries run from its timer: one pass of the event loop,
    // then nothing may be left locked.
    QCoreApplication::processEvents();
    verifieListeLibre(salle.salle.liste);
    return 0;
}
