// Reads arbitrary bytes as a game file, the way the room loads one: as a
// whole file (single-table or "<nbrtables>" multi-table, with a requested
// table and a room size taken from the first byte), as one table's block, and
// as a preset deal file whose drawn line goes into a generator, and through
// the check that keeps the sound part of a damaged record. The readers
// may answer false or throw a GM_Exception subclass; anything else (a crash,
// a sanitizer report, another exception, a hang, a table count the room
// could not afford, more lines than the input holds) is a fault.
#include "GM_Exception.h"
#include "GM_KnuthRandom.h"
#include "ZB_FichierDePartie.h"

#include <QBuffer>
#include <QByteArray>
#include "FuzzQt.h"

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include <cstdint>
#include <cstdlib>

namespace {

void verifieLignes(const QStringList& lignes, size_t taille)
{
    // Every kept line holds at least one character of the input.
    if (static_cast<size_t>(lignes.size()) > taille)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzDemarreQt();
    const uint8_t choix = size > 0 ? data[0] : 0;
    QByteArray octets(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (choix & 0x80)
        octets.prepend("<nbrtables>\r\n");

    {
        QBuffer tampon(&octets);
        tampon.open(QIODevice::ReadOnly);
        QTextStream in(&tampon);
        QList<QStringList> tables;
        int nombre = -1;
        try {
            ZB_FichierDePartie::lisFichier(in, choix & 0x03, 1 + ((choix >> 2) & 0x03), tables, &nombre);
        } catch (const GM_Exception&) {
        }
        if (tables.size() > ZB_FichierDePartie::NombreMaximalDeTables)
            std::abort();
        for (const QStringList& lignes : tables)
            verifieLignes(lignes, static_cast<size_t>(octets.size()));
    }

    {
        QBuffer tampon(&octets);
        tampon.open(QIODevice::ReadOnly);
        QTextStream in(&tampon);
        QStringList lignes;
        try {
            int nombre = -1;
            if (ZB_FichierDePartie::lisTable(in, lignes, &nombre) && nombre != lignes.size())
                std::abort();
        } catch (const GM_Exception&) {
        }
        verifieLignes(lignes, static_cast<size_t>(octets.size()));
    }

    {
        // The check before a load: its notices, or a refusal; a block kept
        // in part never grows.
        try {
            const QStringList avis = ZB_FichierDePartie::lisPartie(octets, choix & 0x03, 1 + ((choix >> 2) & 0x03));
            Q_UNUSED(avis);
        } catch (const GM_Exception&) {
        }
        QBuffer tampon(&octets);
        tampon.open(QIODevice::ReadOnly);
        QTextStream in(&tampon);
        QStringList lignes;
        try {
            if (ZB_FichierDePartie::lisTable(in, lignes)) {
                const qsizetype avant = lignes.size();
                ZB_FichierDePartie::gardeLaPartieSaine(lignes, true);
                if (lignes.size() > avant)
                    std::abort();
            }
        } catch (const GM_Exception&) {
        }
    }

    {
        const QStringList lignes = QString::fromUtf8(octets).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        // Filling a generator is the slow part of a run: one serves them all.
        static GM_KnuthRandom rng(true);
        rng.initialise(choix);
        try {
            const int index = ZB_FichierDePartie::tirePreset(rng, lignes);
            if (index < -1 || index >= lignes.size())
                std::abort();
            if (index >= 0 && (rng.getPosition() < 0 || rng.getPosition() >= GM_KnuthRandom::TAILLE_TAMPON))
                std::abort();
        } catch (const GM_Exception&) {
        }
    }
    return 0;
}
