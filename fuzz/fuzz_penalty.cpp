// Feeds arbitrary text to the penalty reader: penalty texts travel through
// the room to the lobby connection. A reader may refuse a text with
// GM_Exception; anything else is a fault. An accepted text must write a text
// that reads back and writes the same text again (the penalty is written with
// six digits, so texts are compared rather than records).
#include "GM_Exception.h"
#include "GM_GamePenalty.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    GM_GamePenalty penalite;
    try {
        penalite.chargeValeursDepuisString(text);
    } catch (const GM_Exception&) {
        return 0;
    }
    const QString ecrit = penalite.sauveValeursDansString();
    GM_GamePenalty relue;
    try {
        relue.chargeValeursDepuisString(ecrit);
    } catch (const GM_Exception&) {
        std::abort();
    }
    if (relue.sauveValeursDansString() != ecrit)
        std::abort();
    return 0;
}
