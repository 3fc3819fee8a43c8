#include "SceneAide.h"

#include "Carte.h"
#include "DisplayGLSceneInterne.h"
#include "EtatDeJeu.h"
#include "NomsDeCouleurs.h"
#include "Partie.h"
#include "SceneGeometrie.h"
#include "SceneTextes.h"
#include "TypeDePartie.h"

#include <QCoreApplication>

namespace scene_aide {

namespace {

// The help texts were written as the scene's own: they keep its
// translation context.
struct Scene
{
    Q_DECLARE_TR_FUNCTIONS(DisplayGLScene)
};

constexpr int ATOUTS_PEU = 4;
constexpr int BONUS_TOUS_LES_PLIS = 100;
constexpr int VALEUR_BOUR = 11;
const char* const SEPARATEUR = "<br><br>";

bool estCouleur(int atout)
{
    return atout >= 1 && atout <= 4;
}

// A trump mode as the advice names it.
QString nomConseille(int atout, int style)
{
    return scene_textes::nomAtout(atout, style, scene_textes::UsageAtout::Conseil);
}

} // namespace

QString texteConseilMise(const ZB_StatusMise& conseil, int styleContre, int style)
{
    if (!conseil.miseFaite_)
        return Scene::tr("L'ordinateur vous conseille de 'Passer'.");
    if (conseil.atoutMise_ == 0)
        return Scene::tr("L'ordinateur vous conseille de 'Prendre'.");
    const bool coinche = styleContre == scene_interne::VARIANTE_COINCHE;
    const QString contre = coinche ? Scene::tr("Coincher") : Scene::tr("Contrer");
    const QString surcontre = coinche ? Scene::tr("Surcoincher") : Scene::tr("Surcontrer");
    const QString atout = nomConseille(conseil.atoutMise_, style);
    switch (conseil.typeContrat_) {
    // An advised bid names its amount and trump, whichever of the two
    // kinds of a plain bid the advice gives.
    case ZB_StatusMise::PasEncoreDeMise:
    case ZB_StatusMise::Simple:
        return Scene::tr("L'ordinateur vous conseille de choisir '%1 %2'.")
            .arg(QString::number(conseil.pointsMise_), atout);
    case ZB_StatusMise::Contre:
    case ZB_StatusMise::CapotContre:
        return Scene::tr("L'ordinateur vous conseille de '%1'.").arg(contre);
    case ZB_StatusMise::Surcontre:
    case ZB_StatusMise::CapotSurcontre:
        return Scene::tr("L'ordinateur vous conseille de '%1'.").arg(surcontre);
    case ZB_StatusMise::Capot:
        return Scene::tr("L'ordinateur vous conseille de choisir 'Capot en %1'.").arg(atout);
    case ZB_StatusMise::PrendCouleurRetournee:
        return Scene::tr("L'ordinateur vous conseille de 'Prendre'.");
    default:
        return QString();
    }
}

QString texteConseilPli(const Partie& jeu, int etat, int siegeLocal, int atoutsEnJeu, int style)
{
    constexpr int sieges = scene_geometrie::NOMBRE_SIEGES;
    const int p = ((etat - EtatDeJeu::Tour1_AttendCarte1) % sieges + sieges) % sieges;
    const int preneur = jeu.joueurQuiAChoisiAtout_;
    const bool notreAtout = preneur >= 0 && (preneur == siegeLocal || preneur == (siegeLocal + 2) % sieges);
    const bool couleurAtout = estCouleur(jeu.atoutEnCours_);
    const bool belote = jeu.typeDePartie_.genre_ == TypeDePartie::GenreBelote;
    const QString tousLesPlis = belote ? Scene::tr("Capot") : Scene::tr("Match");
    const int bonus = BONUS_TOUS_LES_PLIS * jeu.multiplicateur_;
    const QString partenaire = Scene::tr(
        "Si c'est votre partenaire qui prends la main, donnez lui des points (par exemple un dix). Ou alors si "
        "vous pouvez prendre le 'Pli', n'hésitez pas et jouez vos 'Boques' (cartes gagnantes).");
    const QString br = QString::fromLatin1(SEPARATEUR);
    QString t;
    if (p == 0) {
        t += Scene::tr("Vous ouvrez le 'pli', car vous avez remporté la main précédente. ");
        if (notreAtout && couleurAtout) {
            t += br;
            if (atoutsEnJeu < ATOUTS_PEU)
                t += Scene::tr(
                    "Comme il reste peu d'atouts, vous devriez jouer vos cartes 'Boque' (cartes gagnantes). Si "
                    "vous n'avez pas de 'Boque', alors tentez de donner la main à votre partenaire, en jouant "
                    "une carte modeste. ");
            else
                t += Scene::tr(
                    "Comme il reste des atout, si vous le pouvez, il est conseillé de faire un nouveau tour en "
                    "atout. Ainsi vous pourrez jouer vos carte 'Boque' (cartes gagnantes) sans risque plus "
                    "tard. Si vous pensez que ces atouts sont tous chez vous ou votre partenaire, alors vous "
                    "devriez jouer vos 'Boque', par exemple des as. ");
            t += Scene::tr(
                "Vous pouvez aussi tenter de rendre vos propres cartes gagnantes, par exemple en jouant une "
                "petite carte dans une couleur oû vous avez un roi, avec l'espoir qu'un autre joueur joue l'as "
                "de la même couleur.");
        } else {
            t += br;
            if (couleurAtout)
                t += Scene::tr(
                    "Comme vous n'avez pas fait atout, au début, il est pratique de conserver vos atouts et vos "
                    "cartes 'Boque' (cartes gagnantes). Ensuite, jouez vos atouts lorsque les points sur le tas "
                    "sont suffisants (par exemple lorsqu'un as s'y trouve). ");
            t += partenaire;
        }
    } else {
        if (couleurAtout)
            t += Scene::tr(
                     "Si vous le pouvez, jouez vos atouts pour 'couper' lorsque les points sur le tas sont suffisants "
                     "(par exemple lorsqu'un as s'y trouve). En effet, une carte de couleur atout (actuellement "
                     "'%1') prends sur toutes les autres couleurs. ")
                     .arg(nomConseille(jeu.atoutEnCours_, style));
        t += partenaire;
    }
    // Both paragraphs read the teams by their fixed numbers.
    const int ramasseesEquipe0 = jeu.getNombreCartesRamassees(0);
    const int ramasseesEquipe1 = jeu.getNombreCartesRamassees(1);
    if (notreAtout && ramasseesEquipe1 == 0 && ramasseesEquipe0 > 0)
        t += br
             + Scene::tr(
                   "Comme c'est encore possible, vous devriez tentez le '%1' (remporter toutes les plis), car cela "
                   "rapporterait %2 points de plus.")
                   .arg(tousLesPlis)
                   .arg(bonus);
    if (ramasseesEquipe0 == 0 && ramasseesEquipe1 > 0)
        t += br
             + Scene::tr(
                   "Actuellement, vous risquez le '%1' (perdre toutes les plis). Cela rapporterait %2 points de plus à "
                   "votre adversaire. Assurez-vous donc de faire au moins une plie.")
                   .arg(tousLesPlis)
                   .arg(bonus);
    if (couleurAtout)
        t +=
            br
            + Scene::tr("Il est courant de compter les atouts mentalement, pour savoir quand jouer les 'Boque' (cartes "
                        "gagnantes) sans risque.");
    return t;
}

QString texteRegles(bool belote)
{
    if (belote)
        return Scene::tr(
            "La Belote se joue à quatre, en deux équipes de deux partenaires assis face à face, avec 32 cartes; "
            "chaque joueur en reçoit 8.<br><br>L'atout est pris sur la carte retournée ou mis aux enchères, selon "
            "la variante: l'équipe qui le choisit doit marquer plus de points que l'autre, ou au moins sa mise.<br><br>"
            "Chacun doit jouer la couleur demandée s'il en a, sinon couper avec un atout. La carte la plus forte "
            "remporte le pli, et l'atout bat toutes les autres couleurs. Le roi et la dame d'atout rapportent 20 "
            "points ('Belote', 'Rebelote').");
    return Scene::tr(
        "Le Jass se joue à quatre, en deux équipes de deux partenaires assis face à face, avec 36 cartes; chaque "
        "joueur en reçoit 9.<br><br>Le joueur qui commence choisit l'atout, ou en laisse le choix à son partenaire "
        "('Chibrer').<br><br>Chacun doit jouer la couleur demandée s'il en a, ou peut couper avec un atout. La carte "
        "la plus forte remporte le pli, et l'atout bat toutes les autres couleurs. La première équipe qui atteint "
        "le nombre de points fixé gagne la partie.");
}

QString texteAide(const Situation& situation)
{
    const Partie* jeu = situation.jeu;
    const int etat = situation.etat;
    const int style = situation.style;
    const QString br = QString::fromLatin1(SEPARATEUR);
    QString h;

    int atoutsEnJeu = 0;
    if (jeu && etat > EtatDeJeu::Tour1_NouveauJoueur1 + 3) {
        const int atout = jeu->atoutChoisi_.atout_;
        if (estCouleur(atout)) {
            for (const Carte* carte : jeu->cartesEnMain_)
                atoutsEnJeu += carte && carte->getCouleur() == atout;
            if (atoutsEnJeu != 0)
                h += Scene::tr("Il reste %1 atout(s) en jeu.").arg(atoutsEnJeu) + br;
        }
    }
    if (jeu) {
        if (const Carte* carte = situation.carteConseillee) {
            const QString nom =
                Scene::tr("%1 de %2")
                    .arg(getNomValeur(carte->getValeur(), style), getNomAtout(carte->getCouleur(), style));
            const Carte* entame = jeu->getCarteDuPli(0);
            const bool coupe =
                carte->getCouleur() == jeu->atoutEnCours_ && entame && entame->getCouleur() != carte->getCouleur();
            h += (coupe ? Scene::tr("L'ordinateur vous conseille de 'Couper' avec '%1'.")
                        : Scene::tr("L'ordinateur vous conseille de jouer '%1'."))
                     .arg(nom)
                 + br;
        }
    }
    if (situation.conseilAtout && (etat == EtatDeJeu::AttendAtout || etat == EtatDeJeu::AttendAtoutChibre)) {
        const StatusAtout& conseil = *situation.conseilAtout;
        if (conseil.estPasseAuPartenaire())
            h += Scene::tr(
                     "L'ordinateur vous conseille de choisir 'Chibre', ce qui signifie laisser le choix de l'atout à "
                     "votre partenaire.")
                 + br;
        else if (conseil.atout_ != StatusAtout::Aucun)
            h +=
                Scene::tr("L'ordinateur vous conseille de choisir '%1'.").arg(nomConseille(conseil.atout_, style)) + br;
    }
    if (situation.conseilMise && EtatDeJeu::estAttenteMise(etat))
        h += texteConseilMise(*situation.conseilMise, situation.styleContre, style) + br;

    const QString bour = getNomValeur(VALEUR_BOUR, style);
    const QString conseilCouleur =
        Scene::tr(
            "Il est conseillé de choisir une couleur dans laquelle vous aurez le bour (%1 d'atout), le nel (Le Neuf "
            "d'atout), puis l'as, etc. Plus vous avez d'atout, meilleures sont vos chances.")
            .arg(bour);
    if (EtatDeJeu::estInscriptionJoueur(etat) || EtatDeJeu::estAttenteDistribue(etat)) {
        h += Scene::tr(
            "Ce menu vous permet d'obtenir de l'aide sur les règles, le jeu et ses détails, tout au long de la "
            "partie.<br><br>Comme la partie n'est pas débutée, il n'y a actuellement pas d'aide disponible.");
    } else if (etat >= EtatDeJeu::AttendMise1_1 && etat <= EtatDeJeu::AttendMise1_4) {
        h += Scene::tr("Vous devez choisir la mise, ou 'Passer'. La couleur de cette mise sera celle d'atout, qui "
                       "surclassera toute les autres. ")
             + conseilCouleur;
    } else if (EtatDeJeu::estAttenteMise(etat)) {
        h += Scene::tr(
                 "Vous pouvez 'Passer' ou choisir l'atout. L'atout sera la couleur qui surclasse toute les autres. ")
             + conseilCouleur;
    } else if (etat == EtatDeJeu::AttendAtout || etat == EtatDeJeu::AttendAtoutChibre) {
        h += Scene::tr("Vous devez choisir l'atout: L'atout sera la couleur qui surclasse toute les autres. ")
             + conseilCouleur;
        if (etat == EtatDeJeu::AttendAtout)
            h += Scene::tr(
                "<br><br>Si vous pensez ne pas avoir de bon choix, vous pouvez 'Chibrer'. Par contre c'est à "
                "éviter si il vous manque une couleur, car il est alors possible que votre partenaire choisisse "
                "la couleur qui vous manque, ce qui serait un handicap.");
    } else if (etat == EtatDeJeu::Tour1_AttendCarte1) {
        if (jeu && jeu->noDuProchainAJouer_ == situation.siegeLocal) {
            const int atout = jeu->atoutChoisi_.atout_;
            if (estCouleur(atout)) {
                h += Scene::tr(
                         "Vous commencez le tour: Il est conseillé de faire 'tomber les atouts', pour que vous ou "
                         "votre partenaire puissiez jouer vos cartes gagnantes plus tard, sans risquer d'être pris "
                         "par un atout adverse.<br><br>Au premier tour, il est généralement d'usage de jouer votre "
                         "atout le plus haut, par exemple le bour (%1), sinon le nel (%2), puis l'as, etc.<br><br>"
                         "Ainsi, votre partenaire saura quelle est votre meilleure carte.")
                         .arg(situation.nomBour, situation.nomNel);
            } else if (jeu->atoutEnCours_ == StatusAtout::HautEnBas) {
                h +=
                    Scene::tr("Vous commencez la partie, et il s'agit d'une partie sans atouts de haut en bas. Un coup "
                              "sans risque est de jouer un as.");
            } else {
                h +=
                    Scene::tr("Vous commencez la partie, et il s'agit d'une partie sans atouts de bas en haut. Un coup "
                              "sans risque est de jouer un six.");
            }
        }
    } else if (EtatDeJeu::estAttenteDeCarte(etat)) {
        if (jeu)
            h += texteConseilPli(*jeu, etat, situation.siegeLocal, atoutsEnJeu, style);
    } else if (EtatDeJeu::estConfirmationAnnonces(etat)) {
        h += Scene::tr(
            "Dans ce jeu, les annonces sont gérées par l'ordinateur. Une annonce est une combinaison de cartes "
            "qui rapporte des points au début du jeu.<br><br>- 3 cartes de couleur identique qui se suivent "
            "donnent 20 points<br>- 4 cartes 50 points<br>- 5 cartes 100 points.<br><br>Les carrés à partir "
            "des dix donnent 100 points, sauf les 4 nels (neuf) qui donnent 150 et les 4 bours (valet) qui "
            "donnent 200 points.<br><br>Notez que mémoriser les annonces des autres joueurs permet de "
            "connaitre une partie de leur jeu.");
    } else if (etat >= EtatDeJeu::PaireBelote_AttendRamasseTas1 && etat <= EtatDeJeu::PaireBelote_AttendRamasseTas4) {
        h += Scene::tr(
            "La partie est exceptionnellement terminée avant la fin du tour, car un joueur a fait une annonce qui "
            "permet à son équipe de gagner immédiatement.");
    }
    return h;
}

} // namespace scene_aide
