#pragma once

#include <QLocale>
#include <QString>

#include <memory>

class QTranslator;

// The language of the user interface, switched while the program runs.
// French is the language the texts are written in; English and German come
// from the embedded translations (":/translations/zubrik_<code>.qm"), and
// Qt's own dialogs and buttons follow when the system carries Qt's
// translations.
//
// Rules:
// - The choice is the display options' language: 0 automatic, 1 French,
//   2 English, 3 German, 4 Italian. Automatic takes the system's language
//   when it is French, German or English, and English otherwise; Italian
//   has no translation yet and shows English. The start-up option
//   --english overrides any choice.
// - Switching removes the old translators and installs the new ones, so
//   every widget receives QEvent::LanguageChange and can translate its
//   texts again; choosing the language in force changes nothing and sends
//   no event.
// - A translation that cannot be loaded leaves French (the texts as
//   written) and is reported by applique; the program goes on.
// - The default locale (dates, month names, numbers) is the language
//   shown, set before the widgets hear of the change.
// - The translators are removed when this object goes.
class ZB_Translator
{
public:
    enum Langue { Automatique = 0, Francais = 1, Anglais = 2, Allemand = 3, Italien = 4 };

    ZB_Translator();
    ZB_Translator(const ZB_Translator&) = delete;
    ZB_Translator& operator=(const ZB_Translator&) = delete;
    ~ZB_Translator();

    // The language shown for a choice: Francais, Anglais or Allemand.
    static Langue langueAffichee(int choix, bool forceAnglais, const QLocale& systeme = QLocale::system());
    // The embedded translation of a shown language; empty for French.
    static QString fichierTraduction(Langue langue);

    // Shows the language of the choice; false (French then shown) when its
    // translation could not be loaded.
    bool applique(int choix, bool forceAnglais);
    Langue langue() const { return langue_; }

private:
    void retire_();

    Langue langue_ = Francais;
    // Until the first applique, not even Qt's own French texts are in place.
    bool applique_ = false;
    std::unique_ptr<QTranslator> traduction_;
    std::unique_ptr<QTranslator> traductionQt_;
};
