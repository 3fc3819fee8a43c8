#include "ZB_Translator.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

QString codeIso(ZB_Translator::Langue langue)
{
    switch (langue) {
    case ZB_Translator::Anglais:
        return QStringLiteral("en");
    case ZB_Translator::Allemand:
        return QStringLiteral("de");
    default:
        return QStringLiteral("fr");
    }
}

} // namespace

ZB_Translator::ZB_Translator() = default;

ZB_Translator::~ZB_Translator()
{
    retire_();
}

ZB_Translator::Langue ZB_Translator::langueAffichee(int choix, bool forceAnglais, const QLocale& systeme)
{
    if (forceAnglais)
        return Anglais;
    switch (choix) {
    case Francais:
        return Francais;
    case Allemand:
        return Allemand;
    case Automatique:
        if (systeme.language() == QLocale::French)
            return Francais;
        if (systeme.language() == QLocale::German)
            return Allemand;
        return Anglais;
    default:
        return Anglais;
    }
}

QString ZB_Translator::fichierTraduction(Langue langue)
{
    if (langue != Anglais && langue != Allemand)
        return QString();
    return QStringLiteral(":/translations/zubrik_%1.qm").arg(codeIso(langue));
}

bool ZB_Translator::applique(int choix, bool forceAnglais)
{
    const Langue voulue = langueAffichee(choix, forceAnglais);
    if (applique_ && voulue == langue_ && (voulue == Francais || traduction_))
        return true;

    std::unique_ptr<QTranslator> traduction;
    bool ok = true;
    const QString fichier = fichierTraduction(voulue);
    if (!fichier.isEmpty()) {
        traduction = std::make_unique<QTranslator>();
        if (!traduction->load(fichier)) {
            qWarning("Translation %s could not be loaded", qUtf8Printable(fichier));
            traduction.reset();
            ok = false;
        }
    }
    const Langue affichee = ok ? voulue : Francais;
    if (applique_ && affichee == langue_)
        return ok;
    applique_ = true;
    // Qt's own texts (standard buttons, file dialogs), where the system has
    // them; their absence is no error.
    auto traductionQt = std::make_unique<QTranslator>();
    if (!traductionQt->load(QStringLiteral("qtbase_") + codeIso(affichee),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        traductionQt.reset();

    // Dates and numbers follow the language shown (the month names of the
    // season boxes), not the system's: widgets take the default locale
    // when they are told of the language change.
    QLocale::setDefault(QLocale(codeIso(affichee)));
    retire_();
    traduction_ = std::move(traduction);
    traductionQt_ = std::move(traductionQt);
    if (traductionQt_)
        QCoreApplication::installTranslator(traductionQt_.get());
    if (traduction_)
        QCoreApplication::installTranslator(traduction_.get());
    langue_ = affichee;
    return ok;
}

void ZB_Translator::retire_()
{
    if (traduction_)
        QCoreApplication::removeTranslator(traduction_.get());
    if (traductionQt_)
        QCoreApplication::removeTranslator(traductionQt_.get());
    traduction_.reset();
    traductionQt_.reset();
}
