// Feeds arbitrary text to the readers of the option, settings, statistics
// and display records: game files, the table protocol, the lobby and the
// settings store all carry their texts. A reader may refuse a text with
// GM_Exception; anything else is a fault. An accepted text must write a
// text that reads back to a record writing the same text again (texts are
// compared, since doubles are written with six digits), and to an equal
// record where the record has an equality.
#include "GM_Exception.h"
#include "GM_GameStats.h"
#include "GM_GameStatsPlayer.h"
#include "OptionsAI.h"
#include "OptionsAffichage.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "VersionProtocole.h"
#include "ZB_SettingsPartie.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

// Reads text into record; returns false when refused.
template <typename Record>
bool lit(Record& record, const QString& text)
{
    try {
        record.chargeValeursDepuisString(text);
        return true;
    } catch (const GM_Exception&) {
        return false;
    }
}

// The second reading starts from a fresh record, so that fields the text
// leaves out cannot hide a difference.
template <typename Record>
void allerRetour(const QString& text)
{
    Record record;
    if (!lit(record, text))
        return;
    const QString ecrit = record.sauveValeursDansString();
    Record relu;
    if (!lit(relu, ecrit))
        std::abort();
    if (relu.sauveValeursDansString() != ecrit)
        std::abort();
    Record encore;
    if (!lit(encore, relu.sauveValeursDansString()) || !(encore == relu))
        std::abort();
}

// Every version this program may write must be read back.
void allerRetourOptionsDePartie(const QString& text)
{
    allerRetour<OptionsDePartie>(text);
    OptionsDePartie record;
    if (!lit(record, text))
        return;
    for (int version = VERSION_PROTOCOLE_MIN; version <= VERSION_PROTOCOLE_ACTUELLE; ++version) {
        const QString ecrit = record.sauveValeursDansString(version);
        OptionsDePartie relu;
        if (!lit(relu, ecrit) || relu.sauveValeursDansString(version) != ecrit)
            std::abort();
    }
}

void allerRetourSettings(const QString& text)
{
    // Building a settings record fills its generator's buffer, which costs
    // far more than a parse: keep the records. Every field of a written
    // text is present, so what the records held before does not matter.
    static ZB_SettingsPartie record;
    static ZB_SettingsPartie relu;
    if (!lit(record, text))
        return;
    for (int version = VERSION_PROTOCOLE_MIN; version <= VERSION_PROTOCOLE_ACTUELLE; ++version) {
        const QString ecrit = record.sauveValeursDansString(version);
        if (!lit(relu, ecrit) || relu.sauveValeursDansString(version) != ecrit)
            std::abort();
    }
    QList<int> pileA;
    QList<int> pileB;
    try {
        relu.getPiles(pileA, pileB);
    } catch (const GM_Exception&) {
        std::abort(); // an accepted piles text always decodes
    }
    if (pileA.size() + pileB.size() > 36)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    allerRetour<OptionsAI>(text);
    allerRetour<OptionsDuJoueur>(text);
    allerRetourOptionsDePartie(text);
    allerRetour<GM_GameStatsPlayer>(text);
    allerRetour<GM_GameStats>(text);
    allerRetour<OptionsAffichage>(text);
    allerRetourSettings(text);
    return 0;
}
