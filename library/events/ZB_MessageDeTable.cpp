#include "ZB_MessageDeTable.h"

#include "OptionsDuJoueur.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <array>

namespace {

struct Source {
    const char* contexte;
    const char* texte;
};

// The contexts are those the catalogues know these texts under.
constexpr std::array<Source, ZB_MessageDeTable::NombreDeModeles> SOURCES{{
    {"ZB_RoomTable", QT_TRANSLATE_NOOP("ZB_RoomTable", "Le joueur s'est déconnecté. Pour vous permettre de terminer "
                                                       "la partie, il est remplacé par l'ordinateur.")},
    {"ZB_RoomTable", QT_TRANSLATE_NOOP("ZB_RoomTable", "Le joueur '%1' s'est reconnecté")},
    {"ZB_RoomTable", QT_TRANSLATE_NOOP("ZB_RoomTable", "Le joueur '%1' s'est connecté à la place de '%2'")},
    {"ZB_RoomTable", QT_TRANSLATE_NOOP("ZB_RoomTable", "%1 et entrera en jeu durant cette donne.")},
    {"ZB_RoomTable", QT_TRANSLATE_NOOP("ZB_RoomTable", "%1 et sera actif à la prochaine donne.")},
    {"JoueurHumain", QT_TRANSLATE_NOOP("JoueurHumain", "Le joueur est remplacé par l'ordinateur, car il n'a pas joué "
                                                       "dans les délais impartis.")},
    {"JoueurHumain", QT_TRANSLATE_NOOP("JoueurHumain", "L'ordinateur a joué à la place du joueur (avec pénalité), car "
                                                       "le délai était écoulé.")},
}};

// A model's French text as a pattern: its arguments become groups.
const std::array<QRegularExpression, ZB_MessageDeTable::NombreDeModeles>& motifs()
{
    static const std::array<QRegularExpression, ZB_MessageDeTable::NombreDeModeles> liste = [] {
        std::array<QRegularExpression, ZB_MessageDeTable::NombreDeModeles> m;
        for (size_t i = 0; i < m.size(); ++i) {
            QString motif = QRegularExpression::escape(QString::fromUtf8(SOURCES[i].texte));
            motif.replace(QRegularExpression(QStringLiteral("\\\\?%[1-9]")), QStringLiteral("(.*)"));
            m[i] = QRegularExpression(QStringLiteral("\\A") + motif + QStringLiteral("\\z"),
                                      QRegularExpression::DotMatchesEverythingOption);
        }
        return m;
    }();
    return liste;
}

} // namespace

QString ZB_MessageDeTable::texte(Modele modele, const QString& premier, const QString& second)
{
    if (modele < 0 || modele >= NombreDeModeles)
        return QString();
    const QString texte = QString::fromUtf8(SOURCES[size_t(modele)].texte);
    const int arguments = int(motifs()[size_t(modele)].captureCount());
    // Names as every screen shows them: a peer may go by a name of any
    // length, which would make the line nobody's to read or translate.
    const bool noms = modele == Reconnecte || modele == ConnecteALaPlace;
    const QStringList valeurs = noms ? QStringList{OptionsDuJoueur::nomBorne(premier), OptionsDuJoueur::nomBorne(second)}
                                     : QStringList{premier, second};
    return remplit_(texte, valeurs.mid(0, arguments));
}

QString ZB_MessageDeTable::traduit(const QString& texte)
{
    // The table's own words are short; a peer's long line is nobody's to
    // translate, and is not searched twice over for quotes.
    if (texte.size() > LONGUEUR_MAX)
        return texte;
    const auto& liste = motifs();
    for (size_t i = 0; i < liste.size(); ++i) {
        const QRegularExpressionMatch trouve = liste[i].match(texte);
        if (!trouve.hasMatch())
            continue;
        QString traduction = QCoreApplication::translate(SOURCES[i].contexte, SOURCES[i].texte);
        // A name is no text to translate, and its override stays within it;
        // an entry notice holds a connection text, read in turn.
        const bool noms = i == Reconnecte || i == ConnecteALaPlace;
        QStringList arguments;
        for (int g = 1; g <= trouve.lastCapturedIndex(); ++g)
            arguments << (noms ? OptionsDuJoueur::isole(trouve.captured(g)) : traduit(trouve.captured(g)));
        return remplit_(traduction, arguments);
    }
    return texte;
}

QString ZB_MessageDeTable::borne(const QString& texte)
{
    if (texte.size() <= LONGUEUR_MAX)
        return texte;
    qsizetype garde = LONGUEUR_MAX - 1;
    if (texte.at(garde - 1).isHighSurrogate())
        --garde;
    return texte.left(garde) + QChar(0x2026);
}

QString ZB_MessageDeTable::ligne(const QString& nom, const QString& texte)
{
    return OptionsDuJoueur::isole(nom) + QLatin1String(": ") + OptionsDuJoueur::isole(borne(traduit(borne(texte))));
}

QString ZB_MessageDeTable::remplit_(const QString& modele, const QStringList& arguments)
{
    // Filled in one step: a name holding "%2" stays as it is.
    switch (arguments.size()) {
    case 0: return modele;
    case 1: return modele.arg(arguments.at(0));
    default: return modele.arg(arguments.at(0), arguments.at(1));
    }
}
