#pragma once

#include <map>

// How often each final score came out of the play-outs of one candidate
// card: the spread behind an average, for the analysis window and for
// anyone who wants more than the mean.
class AI_ValeursEvaluation
{
public:
    void ajoute(int valeur, int fois = 1) { occurrences_[valeur] += fois; }
    int getOccurrences(int valeur) const
    {
        const auto it = occurrences_.find(valeur);
        return it == occurrences_.end() ? 0 : it->second;
    }
    // Ordered by score, lowest first.
    const std::map<int, int>& getOccurrences() const { return occurrences_; }
    int getNombreDeValeurs() const { return int(occurrences_.size()); }
    void vide() { occurrences_.clear(); }

private:
    std::map<int, int> occurrences_;
};
