#include "SceneTextes.h"

#include "Carte.h"
#include "DisplayGLSceneInterne.h"
#include "Joueur.h"
#include "NomsDeCouleurs.h"
#include "SceneGeometrie.h"
#include "StatusAtout.h"
#include "TypeDePartie.h"
#include "ZB_StatusMise.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QRegularExpression>

#include <algorithm>

namespace scene_textes {

namespace {

// These words were translated as the scene's own: they keep its context.
struct Scene
{
    Q_DECLARE_TR_FUNCTIONS(DisplayGLScene)
};

} // namespace

QString texteBoite(const QString& texte)
{
    static const QRegularExpression sautsEchappes(QStringLiteral("&lt;br\\s*/?&gt;"),
                                                  QRegularExpression::CaseInsensitiveOption);
    QString sur = texte.toHtmlEscaped();
    sur.replace(sautsEchappes, QStringLiteral("<br>"));
    sur.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
    return sur;
}

QString nomAtout(int atout, int style, UsageAtout usage)
{
    const bool conseil = usage == UsageAtout::Conseil;
    switch (atout) {
    case 1:
    case 2:
    case 3:
    case 4:
        return getNomCouleur(atout, style);
    case StatusAtout::HautEnBas:
        return conseil ? Scene::tr("De haut en bas") : Scene::tr("Haut en Bas");
    case StatusAtout::BasEnHaut:
        return conseil ? Scene::tr("De bas en haut") : Scene::tr("Bas en Haut");
    case StatusAtout::ZigZagDepartEnBas:
        return conseil ? Scene::tr("Zig-zag avec départ en bas") : Scene::tr("ZigZag Depart en Bas");
    case StatusAtout::ZigZagDepartEnHaut:
        return conseil ? Scene::tr("Zig-zag avec départ en haut") : Scene::tr("ZigZag Depart en Haut");
    case StatusAtout::ToutAtout:
        return Scene::tr("Tout atout");
    case StatusAtout::SansAtout:
        return Scene::tr("Sans atout");
    case StatusAtout::Inverse:
        return Scene::tr("Inverse");
    default:
        return Scene::tr("ERREUR: Status invalide");
    }
}

QString textePlaque(const QString& nom, bool aChoisi, bool commence, int contrat, int typeContrat, int objectif)
{
    if (!aChoisi)
        return nom;
    const QString texte = QStringLiteral(" %1").arg(nom);
    if (contrat == TypeDePartie::ContratChibre)
        return commence ? texte : QStringLiteral("² %1").arg(nom);
    if (contrat != TypeDePartie::ContratCoinche && contrat != TypeDePartie::ContratContre)
        return texte;
    const bool coinche = contrat == TypeDePartie::ContratCoinche;
    switch (typeContrat) {
    case ZB_StatusMise::Simple:
        return texte + Scene::tr(", Mise %1").arg(objectif);
    case ZB_StatusMise::Contre:
        return texte + (coinche ? Scene::tr(", Coinchée %1") : Scene::tr(", Contrée %1")).arg(objectif);
    case ZB_StatusMise::Surcontre:
        return texte + (coinche ? Scene::tr(", Surcoinchée %1") : Scene::tr(", Surcontrée %1")).arg(objectif);
    case ZB_StatusMise::Capot:
        return texte + Scene::tr(", Capot");
    case ZB_StatusMise::CapotContre:
        return texte + (coinche ? Scene::tr(", Capot Coinché") : Scene::tr(", Capot Contré"));
    case ZB_StatusMise::CapotSurcontre:
        return texte + (coinche ? Scene::tr(", Capot Surcoinché") : Scene::tr(", Capot Surcontré"));
    default:
        return texte;
    }
}

int siegeDuContrat(int preneur, int typeContrat, int siegeMise)
{
    // After a double the engine makes the doubler the taker, and after a
    // redouble the redoubler: the contract is still the bid, on the side
    // the double holds to it (the other side of a doubler, the redoubler's).
    const bool contre = typeContrat == ZB_StatusMise::Contre || typeContrat == ZB_StatusMise::CapotContre;
    const bool surcontre = typeContrat == ZB_StatusMise::Surcontre || typeContrat == ZB_StatusMise::CapotSurcontre;
    if (preneur < 0 || siegeMise < 0 || siegeMise >= scene_geometrie::NOMBRE_SIEGES || !(contre || surcontre))
        return preneur;
    const bool memeEquipe = siegeMise % 2 == preneur % 2;
    return memeEquipe == surcontre ? siegeMise : preneur;
}

QString texteBulleMise(const ZB_StatusMise& mise, int variante, int style, const QString& texteCourant,
                       bool* effaceRetournee)
{
    using namespace scene_interne;
    if (effaceRetournee)
        *effaceRetournee = false;
    if (!mise.miseFaite_)
        return Scene::tr("Je passe");
    const bool coinche = variante == VARIANTE_COINCHE;
    switch (mise.typeContrat_) {
    case ZB_StatusMise::PasEncoreDeMise:
    case ZB_StatusMise::Simple:
    case ZB_StatusMise::PrendCouleurRetournee:
        if (variante == 0 || variante == VARIANTE_COINCHE || variante == VARIANTE_CONTREE)
            return QStringLiteral("%1 %2").arg(mise.pointsMise_).arg(getNomAtout(mise.atoutMise_, style));
        if (mise.tourMise_ < TOURS_PRISE_RETOURNEE) {
            if (effaceRetournee)
                *effaceRetournee = true;
            return Scene::tr("Je prends");
        }
        return getNomAtout(mise.atoutMise_, style);
    case ZB_StatusMise::Contre:
    case ZB_StatusMise::CapotContre:
        return coinche ? Scene::tr("Coinchée") : Scene::tr("Contrée");
    case ZB_StatusMise::Surcontre:
    case ZB_StatusMise::CapotSurcontre:
        return coinche ? Scene::tr("Surcoinchée") : Scene::tr("Surcontrée");
    case ZB_StatusMise::Capot:
        return Scene::tr("Capot en %1").arg(getNomAtout(mise.atoutMise_, style));
    case ZB_StatusMise::DonneurForce:
        return QStringLiteral("Meuh!");
    default:
        return texteCourant;
    }
}

bool estChoisisseurLocal(const Joueur& choisisseur)
{
    return choisisseur.options_.ordinateur_ == 0 && choisisseur.options_.distant_ == 0
           && choisisseur.modeJeu_ != Joueur::ModeEnAttenteDEntree;
}

QString texteChibre(const Joueur* choisisseur, const Joueur* partenaire)
{
    if (!choisisseur || !partenaire)
        return Scene::tr("Patientez...");
    if (estChoisisseurLocal(*choisisseur))
        return Scene::tr("Vous avez chibré. %1 choisit l'atout...").arg(partenaire->nomAffiche());
    return Scene::tr("%1 a chibré. %2 choisit l'atout...")
        .arg(choisisseur->nomAffiche(), partenaire->nomAffiche());
}

QString composeStatut(const QString& statut, const QString& aide)
{
    if (!statut.isEmpty() && !aide.isEmpty())
        return QStringLiteral("%1\n%2").arg(aide, statut);
    return statut.isEmpty() ? aide : statut;
}

QStringList coupeLignes(const QString& texte, const QFontMetrics& metriques, double largeur)
{
    const double utile = std::max(largeur - MARGE_LIGNE_ARDOISE, 0.0);
    QStringList lignes;
    // A line break of the text is kept: the help above the status must not
    // lend the status's first words to its own last line.
    for (const QString& paragraphe : texte.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype premiere = lignes.size();
        QString reste = paragraphe;
        while (!reste.isEmpty()) {
            int n = 0;
            while (n < reste.size() && metriques.horizontalAdvance(reste.left(n + 1)) <= utile)
                ++n;
            if (n == reste.size()) {
                lignes << reste;
                break;
            }
            // Character n overflows. Cut at the last blank up to it (not
            // the first character), or else where it overflows; a line
            // always takes at least one character, so that a narrow slate
            // cannot loop.
            const int blanc = reste.lastIndexOf(QLatin1Char(' '), n);
            const int coupe = blanc > 0 ? blanc : std::max(n, 1);
            const QString ligne = reste.left(coupe);
            if (!ligne.isEmpty())
                lignes << ligne;
            reste = reste.mid(blanc > 0 ? blanc + 1 : coupe);
        }
        // A cut within a name's isolate: the line closes it and the next
        // opens it again, or an override in the name would turn the rest
        // of the next line.
        int ouverts = 0;
        for (qsizetype i = premiere; i < lignes.size(); ++i) {
            QString& ligne = lignes[i];
            const int repris = ouverts;
            for (const QChar c : std::as_const(ligne)) {
                if (c.unicode() >= 0x2066 && c.unicode() <= 0x2068)
                    ++ouverts;
                else if (c.unicode() == 0x2069 && ouverts > 0)
                    --ouverts;
            }
            ligne = QString(repris, QChar(0x2068)) + ligne + QString(ouverts, QChar(0x2069));
        }
    }
    return lignes;
}

QString suffixeScore(int cible, int toursRestants)
{
    if (cible == -1)
        return QString();
    if (cible == 100000)
        return Scene::tr(" / %1 Tours Restants").arg(toursRestants);
    return QStringLiteral(" / %1").arg(cible);
}

} // namespace scene_textes
