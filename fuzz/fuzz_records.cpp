// Feeds arbitrary text to every record reader. A reader may refuse a text
// with GM_Exception; anything else (a crash, a sanitizer report, another
// exception) is a fault. An accepted record must write a text that reads
// back to the same record.
#include "GM_Exception.h"
#include "GM_SpacesSeparatedString.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_StatusMise.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

template <typename Record>
void roundTrip(const QString& text)
{
    Record record;
    try {
        record.chargeValeursDepuisString(text);
    } catch (const GM_Exception&) {
        return;
    }
    Record again;
    again.chargeValeursDepuisString(record.sauveValeursDansString());
    if (!(again == record))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    GM_SpacesSeparatedString tokens(text);
    for (int i = 0; i < 64 && !tokens.remaining().isEmpty(); ++i)
        tokens.getNext();

    roundTrip<StatusAtout>(text);
    roundTrip<ZB_StatusMise>(text);
    roundTrip<TypeDePartie>(text);
    return 0;
}
