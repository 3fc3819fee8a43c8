#pragma once

#include <QString>
#include <QStringList>
#include <QList>

#include <functional>

class GM_KnuthRandom;
class GM_MessageBoxEmitter;
class ListeDesEvenements;
class QFile;
class QIODevice;
class QTextStream;

// The game-file format: saved games (".jss"), the read-only multi-table files
// that begin with "<nbrtables>", ".jst" files and the preset deal files.
//
// A saved game is the text of the events its table executed: the format
// version ("12"), then one event a line, each line ending in "\r\n". The room
// writes and loads whole files through this class; a table reads its own
// block with lisTable. Nothing here knows about rooms or tables: the room
// plugs in through Destination.
//
// Everything read here may come from a hand-edited or damaged file, so every
// reader either succeeds, answers false, or throws a GM_Exception subclass;
// the line limits keep a binary file from being taken in as one huge header.
//
// A file is checked whole before it replaces the game in progress
// (lisPartie): a file far larger than any game, a line longer than any event,
// a block without a version or without its game and four players, are
// refused with the reason in GM_ExceptionFileCorrupted's detail. A game
// record is its moves in the order they were played, so a block that stops
// being readable at some line (a file cut short, a damaged line) still holds
// a sound game up to the line before: that part opens, and a notice says
// where the game was cut (gardeLaPartieSaine).
class ZB_FichierDePartie
{
public:
    // The oldest format this version reads.
    static constexpr int VersionMinimale = 12;
    // More tables than any room runs: a larger count is a damaged file, not a
    // reason to build thousands of tables.
    static constexpr int NombreMaximalDeTables = 64;
    // Below this size a file holds no game; the room starts a new one.
    static constexpr qint64 TailleMinimale = 6;
    static constexpr qint64 LimiteEntete = 256;
    static constexpr qint64 LimiteFinDeTable = 65536;
    // A match played to the highest target the options allow (100,000
    // points, some 1,300 deals of 3.6 KB) fills under 5 MB; a larger file is
    // not a game. Reading one costs about forty times its size in memory.
    static constexpr qint64 TailleMaximale = 8 * 1024 * 1024;
    // The longest event, a table snapshot, holds well under a kilobyte.
    static constexpr qint64 LongueurMaximaleDeLigne = 65536;

    static constexpr const char* EnteteMultiTables = "<nbrtables>";
    static constexpr const char* FinDesEvenements = "</executed>";
    static constexpr const char* FinDeTable = "</table";

    // File types handed to the room's load operation.
    enum TypeDeFichier { FichierNormal = 1, FichierClient = 3, FichierJst = 4 };

    // Where a whole file goes: the room, which owns the tables.
    class Destination
    {
    public:
        virtual ~Destination() = default;
        // A multi-table file holds n tables (1..NombreMaximalDeTables); the
        // requested one is shown on the real display.
        virtual void recreeTables(int n, quint64 tableDemandee) = 0;
        virtual int getNombreDeTables() const = 0;
        // Reads the block of table noTable; normally through lisTable.
        virtual bool chargeTable(int noTable, QTextStream& in, int* nombreDeLignes) = 0;
    };

    // The block of one table, from the stream's position: lines up to the end
    // of the stream, an empty line or a line holding "</executed>"; the
    // "<Table0>" and "<//Table0>" lines are skipped. The first line is the
    // version; when it is not a number and the block has at least three
    // lines, two header lines are dropped first. False for an empty block or
    // one without a version; a version below VersionMinimale throws
    // GM_ExceptionFileTooOld. nombreDeLignes receives the line count,
    // version line included.
    static bool lisTable(QTextStream& in, QStringList& lignes, int* nombreDeLignes = nullptr);

    // A whole file: a multi-table file when its first line is "<nbrtables>",
    // else the room's tables read their blocks one after the other from the
    // start. True when every table read its block; every table is read even
    // after one failed. False when the table count is unreadable or the
    // requested table is not in the file; a count above
    // NombreMaximalDeTables throws GM_ExceptionFileCorrupted. nombreDeLignes
    // receives the line count of the last table read.
    static bool lisFichier(QTextStream& in, quint64 tableDemandee, Destination& destination, int* nombreDeLignes);
    // The same into plain lists: nombreDeTables is used for a single-table
    // file (a multi-table file sets its own count).
    static bool lisFichier(QTextStream& in, quint64 tableDemandee, int nombreDeTables, QList<QStringList>& tables,
                           int* nombreDeLignes = nullptr, bool* multiTables = nullptr);

    // Opens a game file for loading. Throws GM_ExceptionFileCorrupted with
    // "name (error)" when it cannot be opened, and with the reason when it is
    // larger than TailleMaximale; false when it is too small to hold a game.
    static bool ouvrePourLecture(QFile& fichier);

    // Reads a whole file as the room will (lisFichier) and checks every table
    // block with gardeLaPartieSaine, changing nothing else. Throws what they
    // throw, GM_ExceptionFileCorrupted with the reason when the structure
    // does not read; returns the notices of the blocks that open in part,
    // empty when the whole file opens.
    static QStringList lisPartie(const QByteArray& contenu, quint64 tableDemandee, int nombreDeTables);

    // Keeps the sound part of a table block (lignes[0] is the version):
    // every line up to the first that does not hold an event a table can
    // replay (it reads, its state and seat exist, its game, player or
    // snapshot record reads). Throws GM_ExceptionFileCorrupted with the
    // reason when what is left holds no move, or not the game inscription
    // and the inscriptions of the four seats. Returns "" when the block is
    // whole, else the notice naming the first line left out; finCoupee says
    // that the file ends inside that line (no line break after it).
    static QString gardeLaPartieSaine(QStringList& lignes, bool finCoupee = false);

    // What no game can hold, in a block that reads: a card that does not
    // exist in the game's deck, a card played twice in one deal, more cards
    // from one seat in a deal than a hand holds, a seat that plays out of
    // turn within a trick, a card the deal's generator dealt to another
    // seat. Throws GM_ExceptionFileCorrupted naming the line. Every deal is
    // checked against its generator here, the earlier deals of a match
    // too, which the table does not replay; the cards a turned-card deal
    // hands out after the bids are the table's to check when it replays
    // the deal.
    static void verifieLesDonnes(const QStringList& lignes);

    // 4 for a ".jst" file (any case), else 3 when loading for start mode 2,
    // else 1.
    static int typeDeFichier(const QString& nomDeFichier, int modeDepart);

    // Writes the list's record to chemin. The caller holds the list's mutex.
    // The old file is replaced only once the new one is complete on disk, so
    // a crash or a full disk during a save keeps the previous game. On failure
    // the "File Error" box is shown through emetteur (may be null) and false
    // is returned; its text names the step that failed (open, write, save)
    // and the system's own cause, such as "No space left on device".
    static bool ecritFichier(const QString& chemin, const ListeDesEvenements& liste, GM_MessageBoxEmitter* emetteur);
    // The same with any writer; an exception of the writer leaves the old
    // file untouched and goes through.
    static bool ecritFichier(const QString& chemin, const std::function<void(QTextStream&)>& ecrivain,
                             GM_MessageBoxEmitter* emetteur);
    // The same, telling nobody: on failure erreur receives the box's text.
    static bool ecritFichier(const QString& chemin, const ListeDesEvenements& liste, QString& erreur);
    static bool ecritFichier(const QString& chemin, const std::function<void(QTextStream&)>& ecrivain,
                             QString& erreur);

    // The preset deal file for a start: mode 0 has one only for game type
    // 15, mode 1 (a winning game) one per Jass variant; "" when none.
    static QString fichierPreset(int modeDepart, int noTypeDePartie);
    // The generator records of a preset file (a resource or a file): read
    // whole, split at "\r\n", empty pieces dropped. An unreadable file has
    // none.
    static QStringList lisPreset(const QString& chemin);
    // Draws a line with the generator and loads it into the same generator.
    // Returns the line's index, -1 when there are no lines. A line that is
    // not a generator record throws the record error, the generator having
    // moved by its one draw.
    static int tirePreset(GM_KnuthRandom& rng, const QStringList& lignes);

private:
    // The step of a save that failed, for the verb of its message.
    enum Echec { EchecOuverture, EchecEcriture, EchecSauvegarde };
    // Writes every byte; the device's error text when it cannot, else "".
    static QString ecritTout_(QIODevice& fichier, const QByteArray& octets);
    static QString texteErreur_(Echec echec, const QString& chemin, const QString& erreur);
    static void signaleErreur_(QString* texte, Echec echec, const QString& chemin, const QString& erreur);
};
