#pragma once

#include <QtGlobal>

#include <array>

// The seating of one table of a session the lobby arranged: the account of
// the user who plays each seat, -1 where the computer plays.
class ZB_TableConfiguration
{
public:
    // Four computer seats.
    ZB_TableConfiguration();
    explicit ZB_TableConfiguration(const std::array<qint64, 4>& comptes);

    // -1 for a seat outside the table too.
    qint64 getCompte(int siege) const;
    // The seats a user plays.
    int nombreDeSieges() const;

private:
    std::array<qint64, 4> comptes_;
};
