#pragma once

#include <QByteArray>

// Cuts the byte stream of one table-protocol peer into its records: each
// record runs from a "{" to the "}" that balances it, and records follow
// one another with nothing between them. Braces are counted on the bytes,
// which is safe in UTF-8 (no byte of a multi-byte character is a brace), so
// a character split between two reads is only decoded once its record is
// whole.
//
// Each byte is looked at once: scanning goes on from where the last call
// stopped, and the bytes already handed out are dropped only when a call
// runs out of whole records, so that the bytes kept are those of one
// unfinished record at most.
class ZB_RecordFramer
{
public:
    enum Resultat {
        Aucun,      // no whole record yet
        Record,     // a record was handed out
        Debordement // the unfinished record outgrew the capacity: all dropped
    };

    // capacite: the most bytes an unfinished record (with whatever stood
    // before its "{") may hold.
    explicit ZB_RecordFramer(qsizetype capacite);

    void ajoute(const QByteArray& octets);
    // The next whole record, braces included. precede tells that bytes
    // other than a record stood before its "{" (a stray "}" among them);
    // they are dropped with it.
    Resultat prochain(QByteArray& record, bool& precede);
    // Drops everything, the unfinished record too.
    void vide();

    // Bytes kept that no record handed out yet.
    qsizetype enAttente() const { return tampon_.size() - debut_; }
    qsizetype getCapacite() const { return capacite_; }

private:
    void compacte_();

    QByteArray tampon_;
    qsizetype debut_ = 0;      // first byte not yet handed out
    qsizetype pos_ = 0;        // first byte not yet scanned
    qsizetype ouverture_ = -1; // the "{" of the record being scanned
    qsizetype profondeur_ = 0;
    qsizetype capacite_;
};
