#include "RecordDePartie.h"

#include "EtatDeJeu.h"
#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "ZB_FichierDePartie.h"
#include "ZB_SettingsPartie.h"

#include <QFile>
#include <QTextStream>

bool RecordDePartie::lit(const QString& chemin)
{
    *this = RecordDePartie();
    QFile fichier(chemin);
    QList<QStringList> tables;
    try {
        if (!ZB_FichierDePartie::ouvrePourLecture(fichier))
            return false;
        QTextStream in(&fichier);
        if (!ZB_FichierDePartie::lisFichier(in, 0, 1, tables) || tables.isEmpty() || tables.first().size() < 2)
            return false;
    } catch (const GM_Exception&) {
        return false;
    }
    lignes_ = tables.first().mid(1);
    for (const QString& ligne : std::as_const(lignes_)) {
        EvenementDeJeu ev;
        QString reste;
        try {
            if (!ev.fromString(ligne, reste))
                continue;
        } catch (const GM_Exception&) {
            return false;
        }
        if (ev.type_ == EvenementDeJeu::InP) {
            try {
                options_.chargeValeursDepuisString(ev.texte_);
            } catch (const GM_Exception&) {
                return false;
            }
        }
        if (ev.etat_ >= EtatDeJeu::HorsDeroulement)
            continue;
        dernierEtat_ = ev.etat_;
        switch (ev.type_) {
        case EvenementDeJeu::Enr: {
            ++donnes_;
            plis_.clear();
            coups_.append(QStringList());
            ZB_SettingsPartie instantane;
            try {
                instantane.chargeValeursDepuisString(ev.texte_);
                scores_ = instantane.scores_;
            } catch (const GM_Exception&) {
                return false;
            }
            break;
        }
        default:
            break;
        }
        switch (ev.type_) {
        case EvenementDeJeu::Ajo:
        case EvenementDeJeu::Cho:
        case EvenementDeJeu::Chm:
            if (!coups_.isEmpty())
                coups_.last() << QStringLiteral("%1 %2 %3").arg(ev.type_).arg(ev.noJoueur_).arg(ev.texte_);
            break;
        default:
            break;
        }
        switch (ev.type_) {
        case EvenementDeJeu::Ajo:
            if (plis_.isEmpty() || plis_.last().cartes.size() == 4)
                plis_.append(Pli());
            plis_.last().cartes.append({ev.noJoueur_, ev.texte_});
            break;
        case EvenementDeJeu::Ram:
            if (!plis_.isEmpty() && plis_.last().cartes.size() == 4)
                plis_.last().ramasse = true;
            break;
        case EvenementDeJeu::Fin:
            termine_ = true;
            break;
        default:
            break;
        }
        if (ev.etat_ >= EtatDeJeu::MatchTermineEnFinDeDonne)
            termine_ = true;
    }
    valide_ = true;
    return true;
}

RecordDePartie::Pli RecordDePartie::pliEnCours() const
{
    if (plis_.isEmpty() || plis_.last().ramasse)
        return Pli();
    return plis_.last();
}

int RecordDePartie::cartesJouees(int siege) const
{
    int n = 0;
    for (const Pli& pli : plis_)
        for (const CarteJouee& c : pli.cartes)
            n += c.siege == siege ? 1 : 0;
    return n;
}

QString RecordDePartie::resume() const
{
    QStringList cartes;
    for (const CarteJouee& c : pliEnCours().cartes)
        cartes << QStringLiteral("seat %1: %2").arg(c.siege).arg(c.carte);
    return QStringLiteral("deal %1, trick %2 (%3), %4 events, last state %5")
        .arg(donnes_)
        .arg(plis_.size())
        .arg(cartes.isEmpty() ? QStringLiteral("no card on the cloth") : cartes.join(QLatin1String(", ")))
        .arg(lignes_.size())
        .arg(dernierEtat_);
}
