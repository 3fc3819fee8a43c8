#pragma once

#include "Carte.h"
#include "GM_CompteBits.h"

#include <QtGlobal>

// The fixed 36-slot card set of every hand, deck, pile and trick history,
// indexed by card index. A plain value: copying copies the pointers, which
// keeps the computer player's search free of allocations. A slot is null
// exactly when its bit of the mask is clear; the search adds and removes
// cards millions of times a second, so those are inline.
class EnsembleDeCartes
{
public:
    static constexpr int TAILLE = 36;

    EnsembleDeCartes();

    // Inserts only into an empty slot.
    void ajouteCarte(Carte* carte)
    {
        if (carte == nullptr)
            return;
        const int index = carte->getIndex();
        if (index < 0 || index >= TAILLE || ((masque_ >> index) & 1u))
            return;
        cartes_[index] = carte;
        masque_ |= quint64(1) << index;
        ++nombre_;
        if (nombre_ == 1 || static_cast<quint32>(index) < premier_)
            premier_ = static_cast<quint32>(index);
    }
    // Removes only a card that is present, so the count cannot drift.
    void retireCarte(const Carte* carte)
    {
        if (carte != nullptr)
            retireIndex(carte->getIndex());
    }
    // The same by card index, for a caller that has the index at hand.
    void retireIndex(int index)
    {
        if (index < 0 || index >= TAILLE || !((masque_ >> index) & 1u))
            return;
        cartes_[index] = nullptr;
        masque_ &= ~(quint64(1) << index);
        --nombre_;
        if (static_cast<quint32>(index) == premier_)
            premier_ = static_cast<quint32>(suivant(index));
    }
    // Moves the cards of masque that this set holds and destination does
    // not into destination: the same sets as one retireCarte and one
    // ajouteCarte per card, for a dealer that moves a whole hand.
    void deplaceVers(quint64 masque, EnsembleDeCartes& destination)
    {
        masque &= masque_ & ~destination.masque_;
        if (masque == 0)
            return;
        for (quint64 m = masque; m != 0; m &= m - 1) {
            const int i = __builtin_ctzll(m);
            destination.cartes_[i] = cartes_[i];
            cartes_[i] = nullptr;
        }
        const quint32 n = quint32(GM_CompteBits::portable(masque));
        const quint32 premierDeplace = quint32(__builtin_ctzll(masque));
        if (destination.nombre_ == 0 || premierDeplace < destination.premier_)
            destination.premier_ = premierDeplace;
        destination.masque_ |= masque;
        destination.nombre_ += n;
        masque_ &= ~masque;
        nombre_ -= n;
        // The first card left moved: the next one, or none.
        if (premier_ < quint32(TAILLE) && ((masque >> premier_) & 1u))
            premier_ = masque_ != 0 ? quint32(__builtin_ctzll(masque_)) : quint32(TAILLE);
    }
    // Clears only the occupied slots: the others are null already.
    void vide()
    {
        for (quint64 m = masque_; m != 0; m &= m - 1)
            cartes_[__builtin_ctzll(m)] = nullptr;
        nombre_ = 0;
        premier_ = 0;
        masque_ = 0;
    }

    bool contientCarte(const Carte* carte) const { return carte != nullptr && contientIndex(carte->getIndex()); }
    bool contientIndex(int index) const { return index >= 0 && index < TAILLE && ((masque_ >> index) & 1u); }
    Carte* getCarte(int index) const { return (index >= 0 && index < TAILLE) ? cartes_[index] : nullptr; }
    quint32 getNombreDeCartes() const { return nombre_; }
    bool estVide() const { return nombre_ == 0; }
    quint32 getPremierIndex() const { return premier_; }
    // Bit i set when the card of index i is present: lets the rules and the
    // search work on whole sets with a few bit operations.
    quint64 getMasque() const { return masque_; }

    // Iteration by index: premier() then suivant() until TAILLE.
    int premier() const { return nombre_ == 0 ? TAILLE : static_cast<int>(premier_); }
    int suivant(int index) const
    {
        const quint64 reste = index + 1 >= TAILLE ? 0 : (masque_ >> (index + 1)) << (index + 1);
        return reste ? __builtin_ctzll(reste) : TAILLE;
    }

    class const_iterator
    {
    public:
        const_iterator(const EnsembleDeCartes* set, int index) : set_(set), index_(index) {}
        Carte* operator*() const { return set_->cartes_[index_]; }
        const_iterator& operator++()
        {
            index_ = set_->suivant(index_);
            return *this;
        }
        bool operator!=(const const_iterator& other) const { return index_ != other.index_; }
        bool operator==(const const_iterator& other) const { return index_ == other.index_; }

    private:
        const EnsembleDeCartes* set_;
        int index_;
    };
    const_iterator begin() const { return const_iterator(this, premier()); }
    const_iterator end() const { return const_iterator(this, TAILLE); }

    bool operator==(const EnsembleDeCartes& other) const;
    bool operator!=(const EnsembleDeCartes& other) const { return !(*this == other); }

private:
    Carte* cartes_[TAILLE];
    quint32 nombre_;
    quint32 premier_;
    quint64 masque_;
};
