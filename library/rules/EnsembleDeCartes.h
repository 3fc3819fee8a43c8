#pragma once

#include <QtGlobal>

class Carte;

// The fixed 36-slot card set of every hand, deck, pile and trick history,
// indexed by card index. A plain value: copying copies the pointers, which
// keeps the computer player's search free of allocations.
class EnsembleDeCartes
{
public:
    static constexpr int TAILLE = 36;

    EnsembleDeCartes();

    // Inserts only into an empty slot.
    void ajouteCarte(Carte* carte);
    // Removes only a card that is present, so the count cannot drift.
    void retireCarte(const Carte* carte);
    void vide();

    bool contientCarte(const Carte* carte) const;
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
