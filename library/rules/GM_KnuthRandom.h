#pragma once

#include "GM_LoadSaveElement.h"

#include <QMutex>

#include <array>
#include <vector>

// The random generator of a table: Knuth's subtractive lagged-Fibonacci
// generator in its original 1997 form (TAOCP vol. 2, 3rd edition, 3.6),
// without the warm-up that later printings added to ran_start, so that every
// saved table and preset deal replays the same cards. One call of ran_array
// fills the whole buffer; draws then read it in order.
//
// The text form is {position!seed!extra!}: since the buffer is always exactly
// one ran_array call after ran_start(seed), the seed and the position are
// enough to restore the generator.
//
// Tables and network threads may share a generator, so every operation takes
// the generator's mutex.
class GM_KnuthRandom : public GM_LoadSaveElement
{
public:
    static constexpr int KK = 100;          // the long lag
    static constexpr int LL = 37;           // the short lag
    static constexpr quint32 MM = 1u << 30; // the modulus
    static constexpr int TT = 70;           // guaranteed separation between streams
    static constexpr int TAILLE_TAMPON = 65535;

    using Etat = std::array<quint32, KK>;

    // Unless graineFixe is set, the seed is taken from the clock; with it the
    // seed stays 0 until a text, initialise or a reseed sets it.
    explicit GM_KnuthRandom(bool graineFixe = false, bool drapeauA = false);
    // Copies everything except the mutex.
    GM_KnuthRandom(const GM_KnuthRandom& other);
    GM_KnuthRandom& operator=(const GM_KnuthRandom& other);
    ~GM_KnuthRandom() override;

    // Reads position, seed and extra. The seed is accepted as an unsigned
    // 32-bit value or as its signed (negative) form; a position outside the
    // buffer is refused. A refused text throws the record error and leaves
    // the generator as it was.
    void chargeValeursDepuisString(const QString& text) override;
    // The seed is written in the signed 32-bit form every record reader takes.
    QString sauveValeursDansString() const override;

    // Next value in 0 to n-1. When n is below 1 there is nothing to draw
    // from: returns 0 and the generator does not move.
    int tire(int n);
    // The values of tire(n), tire(n - 1), ..., tire(n - nombre + 1), drawn
    // under one lock: the draws of a hand dealt from n cards.
    void tireSuite(int n, int nombre, int* valeurs);

    // Seed from the clock (byte-reversed low 32 bits of the milliseconds
    // since the epoch) and refill; the position is kept.
    void reseedFromTime();
    // Seed with a given value, refill and start from the buffer's first value.
    void initialise(quint32 graine);

    quint32 getGraine() const;
    int getPosition() const;
    int getExtra() const;
    void setExtra(int extra);
    bool estGraineFixe() const;
    bool getDrapeauA() const;

    // The seed reseedFromTime takes for a clock reading.
    static quint32 graineDepuisTemps(qint64 msDepuisEpoch);

    // Knuth's routines on an explicit state, so that the generator can be
    // checked against the published values. ran_array needs n >= KK.
    static void ran_start(quint32 seed, Etat& ranX);
    static void ran_array(quint32* aa, int n, Etat& ranX);

private:
    void recommence_unlocked(quint32 graine);
    int tire_unlocked(int n);

    std::vector<quint32> tampon_; // allocated once, TAILLE_TAMPON values
    quint32 graine_ = 0;
    bool drapeauA_ = false;
    bool graineFixe_ = false;
    int extra_ = 0;
    int position_ = 0;
    Etat etat_{};
    mutable QMutex mutex_;
};
