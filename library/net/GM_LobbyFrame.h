#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// The lobby protocol's record on the wire: a three-letter word, then each
// field followed by a line feed (FieldEnd), then the byte RecordEnd. A
// record may be cut anywhere into binary WebSocket messages; the reader
// joins them again.
//
// Fields are UTF-8 text. A line feed or a RecordEnd inside a field is
// written as the byte Escape followed by 'n' or 'f', and Escape itself as
// Escape twice. Escape (0xFF) never occurs in UTF-8, so escaping leaves any
// UTF-8 text without those two bytes exactly as it was: the table texts
// that the bridge carries go over unchanged.
class GM_LobbyFrame
{
public:
    static constexpr char RecordEnd = '\x0C';
    static constexpr char FieldEnd = '\n';
    static constexpr char Escape = '\xFF';
    static constexpr char EscapedFieldEnd = 'n';
    static constexpr char EscapedRecordEnd = 'f';
    static constexpr int LongueurMot = 3;
    // The largest record either side accepts, terminator included; a peer
    // that sends more is closed.
    static constexpr qsizetype TailleMax = 1 << 20;

    GM_LobbyFrame() = delete;

    static QByteArray escape(const QByteArray& champ);
    // False on an Escape that is last or followed by anything but 'n', 'f'
    // or Escape; sortie is then undefined.
    static bool unescape(const QByteArray& champ, QByteArray& sortie);
    // Three ASCII letters or digits.
    static bool motValide(const QByteArray& mot);
    // The record as the sender writes it: the word, each escaped field and
    // its line feed, then RecordEnd, each a message of its own.
    static QList<QByteArray> messages(const QByteArray& mot, const QStringList& champs);
    // The same bytes in one piece.
    static QByteArray record(const QByteArray& mot, const QStringList& champs);
    // Bytes that record() would write.
    static qsizetype taille(const QByteArray& mot, const QStringList& champs);
};
