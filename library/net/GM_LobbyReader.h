#pragma once

#include "GM_LobbyFrame.h"

#include <QByteArray>
#include <QStringList>

// Joins the binary messages of a lobby connection and cuts them into
// records (see GM_LobbyFrame for the format). Whether a record's word and
// field count suit the protocol's state is the caller's business; the
// reader only says whether the bytes make a record at all.
//
// Each byte is scanned once: the search for the next RecordEnd goes on from
// where the last call stopped, and bytes already handed out are dropped only
// when a call runs out of whole records, so that the bytes kept are those of
// one unfinished record at most.
class GM_LobbyReader
{
public:
    enum Resultat {
        Aucun,              // no whole record yet
        Record,             // a record was handed out
        MotInvalide,        // a record whose word is not three letters or digits: dropped
        Tronque,            // a record whose last field has no line feed: dropped
        EchappementInvalide,// a field with a broken escape: dropped
        TropGrand           // more than GM_LobbyFrame::TailleMax bytes without a
                            // record end: everything dropped, the peer must be closed
    };

    struct Enregistrement {
        QByteArray mot;
        QStringList champs;
    };

    explicit GM_LobbyReader(qsizetype capacite = GM_LobbyFrame::TailleMax);

    void ajoute(const QByteArray& message);
    // The next record. Only Record fills enregistrement; every other result
    // but Aucun has dropped the bytes of one bad record (all bytes for
    // TropGrand), and the caller may call again for the records after it.
    Resultat prochain(Enregistrement& enregistrement);
    void vide();

    qsizetype enAttente() const { return tampon_.size() - debut_; }
    qsizetype getCapacite() const { return capacite_; }

    static const char* nomResultat(Resultat resultat);

private:
    static Resultat decoupe_(const QByteArray& octets, Enregistrement& enregistrement);
    void compacte_();

    QByteArray tampon_;
    qsizetype debut_ = 0; // first byte not yet handed out
    qsizetype pos_ = 0;   // first byte not yet scanned
    qsizetype capacite_;
};
