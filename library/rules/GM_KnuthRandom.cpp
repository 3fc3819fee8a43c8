#include "GM_KnuthRandom.h"

#include "GM_SpacesSeparatedString.h"

#include <QDateTime>
#include <QMutexLocker>
#include <QtEndian>

#include <algorithm>
#include <limits>
#include <mutex>

namespace {

constexpr quint32 modDiff(quint32 x, quint32 y)
{
    return (x - y) & (GM_KnuthRandom::MM - 1);
}

constexpr quint32 evenize(quint32 x)
{
    return x & (GM_KnuthRandom::MM - 2);
}

quint32 low32DuTemps()
{
    return static_cast<quint32>(QDateTime::currentMSecsSinceEpoch());
}

// x % d without a division for the small d of dealing and play (Lemire,
// Kaser and Kurz, "Faster remainder by direct computation", 2019): exact for
// every 32-bit x and d, so every saved deal draws the same cards.
constexpr int kDiviseursRapides = 64;

struct InversesDiviseurs
{
    quint64 m[kDiviseursRapides + 1] = {};
    constexpr InversesDiviseurs()
    {
        for (int d = 1; d <= kDiviseursRapides; ++d)
            m[d] = ~quint64(0) / quint64(d) + 1;
    }
};

constexpr InversesDiviseurs kInverses;

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Entier128;
#endif

inline quint32 reste(quint32 x, quint32 d)
{
#if defined(__SIZEOF_INT128__)
    if (d <= quint32(kDiviseursRapides)) {
        const quint64 bas = kInverses.m[d] * x;
        return quint32((static_cast<Entier128>(bas) * d) >> 64);
    }
#endif
    return x % d;
}

} // namespace

GM_KnuthRandom::GM_KnuthRandom(bool graineFixe, bool drapeauA)
    : tampon_(TAILLE_TAMPON)
    , graine_(graineFixe ? 0 : low32DuTemps())
    , drapeauA_(drapeauA)
    , graineFixe_(graineFixe)
{
    recommence_unlocked(graine_);
}

GM_KnuthRandom::GM_KnuthRandom(const GM_KnuthRandom& other)
{
    QMutexLocker locker(&other.mutex_);
    tampon_ = other.tampon_;
    graine_ = other.graine_;
    drapeauA_ = other.drapeauA_;
    graineFixe_ = other.graineFixe_;
    extra_ = other.extra_;
    position_ = other.position_;
    etat_ = other.etat_;
}

GM_KnuthRandom& GM_KnuthRandom::operator=(const GM_KnuthRandom& other)
{
    if (this == &other)
        return *this;
    // Both locks at once, so that two tables copying each other's generator
    // cannot deadlock.
    std::scoped_lock locks(mutex_, other.mutex_);
    tampon_ = other.tampon_; // same size: no reallocation
    graine_ = other.graine_;
    drapeauA_ = other.drapeauA_;
    graineFixe_ = other.graineFixe_;
    extra_ = other.extra_;
    position_ = other.position_;
    etat_ = other.etat_;
    return *this;
}

GM_KnuthRandom::~GM_KnuthRandom() = default;

void GM_KnuthRandom::chargeValeursDepuisString(const QString& text)
{
    // Everything is read before anything is stored: a refused text must not
    // leave a position that matches no seed, nor one outside the buffer.
    GM_SpacesSeparatedString s(text);
    const int position = s.nextInt();
    if (position < 0 || position >= TAILLE_TAMPON)
        GM_SpacesSeparatedString::throwCorrupted();
    // The seed is written signed, so clock seeds of 2^31 and more appear
    // negative; some files hold the unsigned form. Both name the same bits.
    const qint64 graine = s.nextLongLong();
    if (graine < std::numeric_limits<qint32>::min() || graine > std::numeric_limits<quint32>::max())
        GM_SpacesSeparatedString::throwCorrupted();
    const int extra = s.nextInt();

    QMutexLocker locker(&mutex_);
    extra_ = extra;
    recommence_unlocked(static_cast<quint32>(graine));
    position_ = position;
}

QString GM_KnuthRandom::sauveValeursDansString() const
{
    QMutexLocker locker(&mutex_);
    GM_SpacesSeparatedString s;
    s.addInt(position_);
    // Every reader of the record form takes its fields as signed 32-bit
    // numbers, peers included: the seed's bits go out in that form.
    s.addInt(static_cast<qint32>(graine_));
    s.addInt(extra_);
    return s.getString();
}

inline int GM_KnuthRandom::tire_unlocked(int n)
{
    const int valeur = static_cast<int>(reste(tampon_[position_], static_cast<quint32>(n)));
    if (++position_ >= TAILLE_TAMPON) {
        // The next seed comes from the buffer being left, so the text of the
        // generator still names its state.
        recommence_unlocked(tampon_[0]);
    }
    return valeur;
}

int GM_KnuthRandom::tire(int n)
{
    if (n < 1)
        return 0;
    QMutexLocker locker(&mutex_);
    return tire_unlocked(n);
}

void GM_KnuthRandom::tireSuite(int n, int nombre, int* valeurs)
{
    // Bounds below 1 draw nothing: only the first n of them draw.
    const int tirages = std::max(0, std::min(nombre, n));
    QMutexLocker locker(&mutex_);
    for (int i = 0; i < tirages;) {
        // The values left in the buffer, read without a refill test each.
        const int bloc = std::min(tirages - i, TAILLE_TAMPON - position_);
        const quint32* tampon = tampon_.data() + position_;
        for (int k = 0; k < bloc; ++k)
            valeurs[i + k] = static_cast<int>(reste(tampon[k], static_cast<quint32>(n - i - k)));
        i += bloc;
        position_ += bloc;
        if (position_ >= TAILLE_TAMPON)
            recommence_unlocked(tampon_[0]);
    }
    for (int i = tirages; i < nombre; ++i)
        valeurs[i] = 0;
}

void GM_KnuthRandom::reseedFromTime()
{
    const quint32 graine = graineDepuisTemps(QDateTime::currentMSecsSinceEpoch());
    QMutexLocker locker(&mutex_);
    const int position = position_;
    recommence_unlocked(graine);
    position_ = position;
}

void GM_KnuthRandom::initialise(quint32 graine)
{
    QMutexLocker locker(&mutex_);
    recommence_unlocked(graine);
}

quint32 GM_KnuthRandom::getGraine() const
{
    QMutexLocker locker(&mutex_);
    return graine_;
}

int GM_KnuthRandom::getPosition() const
{
    QMutexLocker locker(&mutex_);
    return position_;
}

int GM_KnuthRandom::getExtra() const
{
    QMutexLocker locker(&mutex_);
    return extra_;
}

void GM_KnuthRandom::setExtra(int extra)
{
    QMutexLocker locker(&mutex_);
    extra_ = extra;
}

bool GM_KnuthRandom::estGraineFixe() const
{
    QMutexLocker locker(&mutex_);
    return graineFixe_;
}

bool GM_KnuthRandom::getDrapeauA() const
{
    QMutexLocker locker(&mutex_);
    return drapeauA_;
}

quint32 GM_KnuthRandom::graineDepuisTemps(qint64 msDepuisEpoch)
{
    // The low bytes of the clock change fastest; reversed, they reach the
    // high bits, so that tables started within the same second differ widely.
    return qbswap(static_cast<quint32>(msDepuisEpoch));
}

void GM_KnuthRandom::recommence_unlocked(quint32 graine)
{
    graine_ = graine;
    ran_start(graine, etat_);
    ran_array(tampon_.data(), TAILLE_TAMPON, etat_);
    position_ = 0;
}

void GM_KnuthRandom::ran_start(quint32 seed, Etat& ranX)
{
    // Only the low 30 bits of the seed matter, so signed and unsigned forms
    // of the same 32 bits start the same stream.
    quint32 x[KK + KK - 1];
    quint32 ss = evenize(seed + 2);
    int j = 0;
    for (; j < KK; ++j) {
        x[j] = ss; // bootstrap the buffer
        ss <<= 1;
        if (ss >= MM)
            ss -= MM - 2; // cyclic shift of 29 bits
    }
    for (; j < KK + KK - 1; ++j)
        x[j] = 0;
    ++x[1]; // makes x[1], and only x[1], odd
    ss = seed & (MM - 1);
    int t = TT - 1;
    while (t) {
        for (j = KK - 1; j > 0; --j) // "square"
            x[j + j] = x[j];
        for (j = KK + KK - 2; j > KK - LL; j -= 2)
            x[KK + KK - 1 - j] = evenize(x[j]);
        for (j = KK + KK - 2; j >= KK; --j) {
            if (x[j] & 1) {
                x[j - (KK - LL)] = modDiff(x[j - (KK - LL)], x[j]);
                x[j - KK] = modDiff(x[j - KK], x[j]);
            }
        }
        if (ss & 1) { // "multiply by z"
            for (j = KK; j > 0; --j)
                x[j] = x[j - 1];
            x[0] = x[KK]; // shift the buffer cyclically
            if (x[KK] & 1)
                x[LL] = modDiff(x[LL], x[KK]);
        }
        if (ss)
            ss >>= 1;
        else
            --t;
    }
    for (j = 0; j < LL; ++j)
        ranX[j + KK - LL] = x[j];
    for (; j < KK; ++j)
        ranX[j - LL] = x[j];
}

void GM_KnuthRandom::ran_array(quint32* aa, int n, Etat& ranX)
{
    Q_ASSERT(n >= KK);
    if (n < KK)
        return;
    int i = 0;
    int j = 0;
    for (; j < KK; ++j)
        aa[j] = ranX[j];
    for (; j < n; ++j)
        aa[j] = modDiff(aa[j - KK], aa[j - LL]);
    for (; i < LL; ++i, ++j)
        ranX[i] = modDiff(aa[j - KK], aa[j - LL]);
    for (; i < KK; ++i, ++j)
        ranX[i] = modDiff(aa[j - KK], ranX[i - LL]);
}
