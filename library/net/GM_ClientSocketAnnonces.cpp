// The lobby client's announcements and bridges, bounded: what a faulty or
// hostile lobby may send without limit costs the user a handful of boxes
// and the program a bounded number of bridges (see GM_ClientSocket.h).
#include "GM_ClientSocket.h"

#include "GM_AchievementTitle.h"
#include "GM_ClientSocketJournal.h"
#include "GM_MessageBoxDisplayerA.h"

using namespace GM_ClientSocketJournal;

void GM_ClientSocket::annonceTitres_(const QStringList& champs)
{
    // Boxes the user answered make room for new ones.
    boitesTitres_.removeIf([this](uint id) { return !boiteEnAttente_(id); });
    if (autresTitres_ && !boiteEnAttente_(boiteAutresTitres_)) {
        autresTitres_ = false;
        nombreAutresTitres_ = 0;
    }
    int boites = 0;
    int rassembles = 0;
    for (const QString& champ : champs) {
        bool ok = false;
        const int numero = champ.toInt(&ok);
        // -1 is no achievement: the titles tab leaves it out too.
        if (!ok || numero == NoAchievement || boites >= BoitesMaxParRecord) {
            lobbyWarning() << "achievement not shown";
            continue;
        }
        ++boites;
        if (boitesTitres_.size() < TitresEnAttenteMax) {
            boitesTitres_ << boite_(tr("Nouveau titre"),
                                    tr("Félicitations! Vous avez obtenu le titre <b>%1</b>.")
                                        .arg(achievementTitle(numero).title.toHtmlEscaped()),
                                    GM::Information);
            continue;
        }
        ++rassembles;
        ++nombreAutresTitres_;
    }
    if (rassembles == 0)
        return;
    // Once per box: a flood of announcements must not flood the log.
    if (!autresTitres_)
        lobbyInfo() << "achievements past" << TitresEnAttenteMax << "waiting boxes gathered in one";
    const QString titre = tr("Nouveau titre");
    const QString texte = tr("Félicitations! Vous avez obtenu d'autres titres (%1 de plus). L'onglet Titres les "
                             "montre tous.")
                              .arg(nombreAutresTitres_);
    if (autresTitres_) {
        updateMessageBox(titre, texte, int(boiteAutresTitres_));
        return;
    }
    boiteAutresTitres_ = boite_(titre, texte, GM::Information);
    autresTitres_ = true;
}

void GM_ClientSocket::ouvrePont_(qint64 de, qint64 vers)
{
    // Bridges closed as soon as they open would otherwise let a flood
    // through: the openings of the last window count too.
    if (!horlogePonts_.isValid())
        horlogePonts_.start();
    const qint64 maintenant = horlogePonts_.elapsed();
    while (!ouverturesPonts_.isEmpty() && maintenant - ouverturesPonts_.first() >= PontsFenetreMs)
        ouverturesPonts_.removeFirst();
    if (pontsOuverts_ >= PontsMax || ouverturesPonts_.size() >= PontsMax) {
        // Only counted after the first: a flood must not flood the log.
        if (pontsRefuses_++ == 0)
            lobbyWarning() << "bridge refused:" << pontsOuverts_ << "open," << ouverturesPonts_.size()
                           << "opened in the last" << PontsFenetreMs << "ms";
        // The lobby hears of it, unless it would close a bridge in use.
        if (!ponts_.contains({de, vers}) && !ponts_.contains({vers, de}))
            envoieRecord({GM_LobbyFrame::record("Cul", {QString::number(vers), QString::number(de)})});
        return;
    }
    ++ponts_[{de, vers}];
    ++pontsOuverts_;
    ouverturesPonts_.append(maintenant);
    emit signalReceiveBridgeOpen(de, vers);
}

void GM_ClientSocket::oubliePont_(qint64 a, qint64 b)
{
    if (a == -1 && b == -1) {
        ponts_.clear();
        pontsOuverts_ = 0;
        return;
    }
    pontsOuverts_ -= ponts_.take({a, b});
    pontsOuverts_ -= ponts_.take({b, a});
}

bool GM_ClientSocket::boiteEnAttente_(uint id) const
{
    GM_MessageBoxDisplayerA* afficheur = getMessageBoxDisplayer();
    GM_MessageBoxRequest copie;
    return afficheur != nullptr && afficheur->copieMessageBox(id, copie);
}
