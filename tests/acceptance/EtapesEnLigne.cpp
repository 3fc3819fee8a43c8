#include "EtapesEnLigne.h"

#include "DossierUtilisateur.h"
#include "EtatDeJeu.h"
#include "EvenementDeJeu.h"
#include "GM_SpacesSeparatedString.h"
#include "OptionsDuJoueur.h"
#include "PartieEnReseau.h"
#include "PiloteDePartie.h"
#include "RecordDePartie.h"
#include "SessionDeJeu.h"

QString EtapesEnLigne::nomInscrit(const RecordDePartie& record, int siege)
{
    for (const QString& ligne : record.lignes()) {
        EvenementDeJeu ev;
        QString reste;
        if (ev.fromString(ligne, reste) && ev.type_ == EvenementDeJeu::InJ
            && ev.etat_ == EtatDeJeu::InscriptionJoueur0 + siege) {
            OptionsDuJoueur inscrit;
            inscrit.chargeValeursDepuisString(ev.texte_);
            return inscrit.nom_;
        }
    }
    return QString();
}

EtapesEnLigne::SiegeDuClient EtapesEnLigne::siegeDuClient(const RecordDePartie& record)
{
    constexpr int SIEGE_CLIENT = 1;
    SiegeDuClient siege;
    for (const QString& ligne : record.lignes()) {
        EvenementDeJeu ev;
        QString reste;
        if (!ev.fromString(ligne, reste))
            continue;
        OptionsDuJoueur inscrit;
        if (ev.type_ == EvenementDeJeu::InJ && ev.etat_ == EtatDeJeu::InscriptionJoueur0 + SIEGE_CLIENT) {
            inscrit.chargeValeursDepuisString(ev.texte_);
        } else if (ev.type_ == EvenementDeJeu::ReJ) {
            GM_SpacesSeparatedString champs(ev.texte_);
            inscrit.chargeValeursDepuisString(champs.getNext());
            if (champs.nextInt() != SIEGE_CLIENT)
                continue;
        } else {
            if (ev.noJoueur_ != SIEGE_CLIENT || ev.type_ == EvenementDeJeu::Mes)
                continue;
            siege.coupsDeSonOrdinateur += ev.source_ == EvenementDeJeu::Remote_AI ? 1 : 0;
            if (ev.source_ == EvenementDeJeu::Local_AI)
                siege.coupsApresRetour = 0;
            else if (ev.type_ == EvenementDeJeu::Ajo && ev.source_ == EvenementDeJeu::Remote_Human
                       && siege.inscriptions > 0)
                ++siege.coupsApresRetour;
            continue;
        }
        siege.ids.insert(inscrit.id_);
        ++siege.inscriptions;
        siege.coupsApresRetour = 0;
    }
    return siege;
}

bool EtapesEnLigne::joueLocalement(SessionDeJeu& s, int boites, const QString& image)
{
    PiloteDePartie local(s);
    local.setReponseBoites(true);
    if (!local.joue([&local](const Vue& v) { return local.cartesJouees() >= 2 && v.demandeCarte; }, 40000))
        return false;
    s.garde(image);
    if (local.boitesVues() != boites)
        return s.echoue(QStringLiteral("%1 boxes told the end of the online game, not %2")
                            .arg(local.boitesVues())
                            .arg(boites));
    return true;
}

bool EtapesEnLigne::finPuisJeuLocal(SessionDeJeu& s, int limiteMs, const QString& nom)
{
    if (!s.attendsBoite(true, limiteMs))
        return s.echoue(QStringLiteral("No box told the end of the online game (%1)").arg(nom));
    s.garde(nom);
    return joueLocalement(s, 1, QStringLiteral("local_after_") + nom);
}

bool EtapesEnLigne::commenceAvecDesToursDe(PartieEnReseau& partie, int secondes)
{
    DossierUtilisateur::Reglages r;
    r.objectif = 1000;
    r.delaiTour = secondes;
    if (!partie.prepare(r) || !partie.heberge() || !partie.rejoint() || !partie.demarre())
        return false;
    if (!partie.client().attendsBoite(false, 10000))
        return partie.client().echoue(QStringLiteral("The connection window stayed over the table"));
    return true;
}
