#pragma once

#include <QString>

// A record that writes itself as one line of braced text and reads itself
// back: "{" then each field followed by "!" then "}". Files, settings, the
// table protocol and the lobby all carry these texts, so a record's field
// order is part of every saved game and every peer's expectations.
class GM_LoadSaveElement
{
public:
    // Replaces the fields by those read from text; throws GM_Exception on a
    // bad text. Fields read before the faulty one stay replaced.
    virtual void chargeValeursDepuisString(const QString& text) = 0;
    virtual QString sauveValeursDansString() const = 0;
    virtual ~GM_LoadSaveElement() = default;
};
