#include "EtapesDeMatch.h"

#include "EtatDeJeu.h"
#include "GM_Exception.h"
#include "GM_GameStats.h"
#include "LectureEcran.h"
#include "Lenteur.h"
#include "OptionsAffichage.h"
#include "RecordDePartie.h"
#include "SessionDeJeu.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QThread>

#include <algorithm>

bool EtapesDeMatch::accueilAvecLesRegles(SessionDeJeu& s, PiloteDePartie&)
{
    if (!s.attendsBoite(true, 20000))
        return s.echoue(QStringLiteral("No welcome at the first start"));
    QList<QRect> panneau;
    QList<QRect> boite;
    PiloteDePartie::litBoutons(s.immobile(), panneau, boite);
    s.garde(QStringLiteral("welcome"));
    if (boite.size() != 2)
        return s.echoue(QStringLiteral("The welcome shows %1 buttons, not Skip and OK").arg(boite.size()));
    // Tab to "do not show again", Space checks it; on to Skip and OK,
    // Shift+Tab back to the choice, whose arrows choose the rules.
    s.touche(QStringLiteral("Tab"));
    for (const char* touche :
         {"space", "Tab", "Tab", "shift+Tab", "shift+Tab", "shift+Tab", "Down", "Down", "Return"})
        s.ecran().touche(QLatin1String(touche));
    QElapsedTimer attente;
    attente.start();
    do {
        QThread::msleep(200);
        PiloteDePartie::litBoutons(s.immobile(), panneau, boite);
    } while (boite.size() != 1 && attente.elapsed() < lenteur::limite(30000));
    s.garde(QStringLiteral("rules"));
    if (boite.size() != 1)
        return s.echoue(QStringLiteral("No rules box (one button) after 'Explain the rules to me first': the "
                                       "window shows %1 box buttons")
                            .arg(boite.size()));
    // The table waits while the rules are read: no request to the user.
    QThread::msleep(1500);
    if (s.record().nombreDeDonnes() > 0)
        return s.echoue(QStringLiteral("The deal went ahead behind the welcome and the rules"));
    s.ecran().touche(QStringLiteral("Return"));
    if (!s.attendsBoite(false, 10000))
        return s.echoue(QStringLiteral("Return did not close the rules box"));
    QSettings store(s.maison().reglages(), QSettings::IniFormat);
    OptionsAffichage affichage;
    try {
        affichage.chargeValeursDepuisString(store.value(QStringLiteral("Display/options")).toString());
    } catch (const GM_Exception&) {
        return s.echoue(QStringLiteral("The display options kept after the welcome do not read"));
    }
    if (!affichage.helpCard_ || !affichage.coloredCard_ || store.value(QStringLiteral("Tutorial/choice")).toInt() != 2)
        return s.echoue(QStringLiteral("The help on cards and the lit advice are not on after asking for the rules"));
    if (!store.value(QStringLiteral("Tutorial/done")).toBool())
        return s.echoue(QStringLiteral("Tab did not reach 'Do not show this message again' on the welcome"));
    return true;
}

bool EtapesDeMatch::accueilPasse(SessionDeJeu& s, PiloteDePartie& pilote, const QString& touche)
{
    if (!s.attendsBoite(true, 20000))
        return s.echoue(QStringLiteral("No welcome at the first start"));
    s.immobile();
    s.touche(touche);
    if (!s.attendsBoite(false, 5000))
        return s.echoue(QStringLiteral("%1 did not close the welcome").arg(touche));
    if (!pilote.joue([](const Vue& v) { return v.demandeCarte; }))
        return s.echoue(QStringLiteral("No card asked of the user after the welcome was left by %1: ").arg(touche)
                        + s.echec());
    QSettings store(s.maison().reglages(), QSettings::IniFormat);
    if (store.value(QStringLiteral("Tutorial/done")).toBool())
        return s.echoue(QStringLiteral("The welcome left by %1 will not come back at the next start").arg(touche));
    return true;
}

bool EtapesDeMatch::reglagesAuClavier(SessionDeJeu& s, PiloteDePartie& pilote)
{
    const QStringList avantLignes = s.record().lignes();
    // The reference: the turn the record asks, its last trick collected,
    // not a picture that merely held still for a moment.
    const QImage avant = pilote.tourAuRepos();
    if (avant.isNull())
        return false;
    s.garde(QStringLiteral("settings_before"));
    const int w = avant.width();
    const int h = avant.height();
    // The panel opens over the right of the table. The hand below, which
    // may still close up after the user's last card on a loaded machine,
    // lights the advised card late and rises or sinks by some hundredths
    // of the height, is no part of it; nor are the tools at the right
    // edge, whose settings button keeps the keyboard's highlight.
    const int hautMain = LectureEcran::main(avant).haut;
    const QRect droite(w / 2, 0, w * 2 / 5, hautMain > 0 ? std::max(h / 2, hautMain - h / 10) : h);
    const int panneau = w * h / 40;
    // Waits until the right of the table changed from the reference by
    // more than the panel (or, when plus is false, came within a quarter
    // of it); the picture once still, or null with the session failed.
    const auto attends = [&s, &droite, panneau](const QImage& reference, bool plus, const QString& quoi) {
        QElapsedTimer attente;
        attente.start();
        int n = 0;
        while (attente.elapsed() < lenteur::limite(8000)) {
            n = LectureEcran::changes(reference, s.capture(), droite, false);
            if (plus ? n >= panneau : n <= panneau / 4)
                return s.immobile();
            QThread::msleep(200);
        }
        s.echoue(QStringLiteral("Settings panel by the keyboard: %1 (awaited: %2 pixels of the table's right %3; "
                                "seen: %4, panel: %5)")
                     .arg(quoi)
                     .arg(plus ? panneau : panneau / 4)
                     .arg(plus ? QStringLiteral("changed at least") : QStringLiteral("left at most"))
                     .arg(n)
                     .arg(panneau));
        return QImage();
    };
    QElapsedTimer ouverture;
    ouverture.start();
    s.touche(QStringLiteral("Tab"));
    s.ecran().touche(QStringLiteral("space"));
    if (attends(avant, true, QStringLiteral("Tab and Space did not open it")).isNull())
        return false;
    const qint64 dureeOuverture = ouverture.elapsed();
    s.garde(QStringLiteral("settings_open"));
    s.ecran().touche(QStringLiteral("Escape"));
    const QImage ferme = attends(avant, false, QStringLiteral("Esc did not close it"));
    if (ferme.isNull())
        return false;
    s.garde(QStringLiteral("settings_closed"));
    // A panel that Space opened again would show within the time the
    // first one took: thrice that is watched, and at least 1.5 s.
    s.ecran().touche(QStringLiteral("space"));
    QElapsedTimer veille;
    veille.start();
    while (veille.elapsed() < std::max<qint64>(lenteur::limite(1500), 3 * dureeOuverture)) {
        QThread::msleep(200);
        const int espace = LectureEcran::changes(ferme, s.capture(), droite, false);
        if (espace > panneau / 4)
            return s.echoue(QStringLiteral("Settings panel by the keyboard: a second Space after Esc changed %1 "
                                           "pixels of the table's right (panel: %2), as if it opened it again")
                                .arg(espace)
                                .arg(panneau));
    }
    if (s.record().lignes() != avantLignes)
        return s.echoue(QStringLiteral("The game moved on while the settings panel was opened and closed"));
    return true;
}

bool EtapesDeMatch::langueEnCoursDeDonne(SessionDeJeu& s, PiloteDePartie& pilote)
{
    const bool vu = pilote.joue([](const Vue& v) {
        QList<QRect> panneau;
        QList<QRect> boite;
        PiloteDePartie::litBoutons(v.image, panneau, boite);
        if (panneau.isEmpty())
            return false;
        // What is on the screen, not the record: the autosave waits for
        // the user's turns, and may still end with the deal before.
        int haut = v.image.height();
        for (const QRect& r : std::as_const(panneau))
            haut = std::min(haut, r.top());
        const QRect dessus(0, 0, v.image.width(), haut);
        return LectureEcran::blancPlein(v.image, dessus)
               >= v.image.width() * v.image.height() / LectureEcran::PIXELS_PAR_POINT_DE_BULLE;
    });
    if (!vu)
        return false;
    const QStringList avantLignes = s.record().lignes();
    const QImage avant = s.immobile();
    s.garde(QStringLiteral("bid_english"));
    QList<QRect> panneau;
    QList<QRect> boite;
    PiloteDePartie::litBoutons(avant, panneau, boite);
    if (panneau.isEmpty())
        return s.echoue(QStringLiteral("The bid panel went before the language change"));
    // The pass, the widest of its buttons.
    QRect passe = panneau.first();
    for (const QRect& r : std::as_const(panneau))
        if (r.width() > passe.width())
            passe = r;
    const QRect statut = LectureEcran::ligneDeStatut(avant);
    const QRect menu = s.ouvreMenu(QStringLiteral("alt+o"));
    if (menu.isEmpty())
        return false;
    s.ecran().touche(QStringLiteral("l"));
    if (s.attendsSousMenu(menu, QStringLiteral("Language")).isEmpty())
        return false;
    for (const char* touche : {"Down", "Down", "Down", "Return"}) {
        s.ecran().touche(QLatin1String(touche));
        QThread::msleep(150);
    }
    // German shows: the status line and the pass written again.
    const QImage apres = s.attendsChangement(avant, {statut, passe.adjusted(3, 3, -3, -3)}, 10,
                                             QStringLiteral("German in the status line and the pass button"));
    if (apres.isNull())
        return false;
    s.garde(QStringLiteral("bid_german"));
    if (s.record().lignes() != avantLignes)
        return s.echoue(QStringLiteral("The game moved on while the language changed"));
    QList<QRect> panneauApres;
    PiloteDePartie::litBoutons(apres, panneauApres, boite);
    if (panneauApres.isEmpty())
        return s.echoue(QStringLiteral("The bid panel went away with the language change"));
    const int w = avant.width();
    const QRect table(0, statut.bottom(), w, panneau.first().top() - statut.bottom());
    const int dansPasse = LectureEcran::changes(avant, apres, passe.adjusted(3, 3, -3, -3), false);
    const int dansStatut = LectureEcran::changes(avant, apres, statut, false);
    const int dansBulles = LectureEcran::changes(avant, apres, table, true);
    if (dansPasse < 10 || dansStatut < 10 || dansBulles < 20)
        return s.echoue(QStringLiteral("Not all in German after the change: pixels changed in the pass button %1, "
                                       "the status line %2, the bubbles %3")
                            .arg(dansPasse)
                            .arg(dansStatut)
                            .arg(dansBulles));
    // The menu gave the keyboard back to the band: Return answers the
    // button that has it, and the band goes (the autosave may wait for
    // the user's next turn).
    s.touche(QStringLiteral("Return"));
    QElapsedTimer attente;
    attente.start();
    for (;;) {
        QThread::msleep(100);
        QList<QRect> reste;
        PiloteDePartie::litBoutons(s.capture(), reste, boite);
        if (reste.isEmpty() || s.record().lignes() != avantLignes)
            return true;
        if (attente.elapsed() > lenteur::limite(10000))
            return s.echoue(QStringLiteral("Return did not reach the bid buttons after the language change"));
    }
}

QImage EtapesDeMatch::menuDesTypes(SessionDeJeu& s, const QString& lettre, const QString& nom)
{
    const QRect options = s.ouvreMenu(QStringLiteral("alt+o"));
    if (options.isEmpty())
        return QImage();
    s.ecran().touche(lettre);
    const QRect menu = s.attendsSousMenu(options, nom);
    s.garde(nom);
    const QImage image = menu.isEmpty() ? QImage() : s.ecran().capture(menu);
    // Each Esc closes one menu: the next goes once the first has.
    QElapsedTimer attente;
    attente.start();
    for (int i = 0; i < 2 && !s.ecran().surgissante().isEmpty(); ++i) {
        const QRect haut = s.ecran().surgissante();
        s.ecran().touche(QStringLiteral("Escape"));
        while (s.ecran().surgissante() == haut && attente.elapsed() < lenteur::limite(8000))
            QThread::msleep(100);
    }
    if (!s.ecran().surgissante().isEmpty()) {
        s.echoue(QStringLiteral("The game types' menu stayed after Esc twice"));
        return QImage();
    }
    return image;
}

bool EtapesDeMatch::allemandPuisFrancais(SessionDeJeu& s, PiloteDePartie& pilote)
{
    if (!langueEnCoursDeDonne(s, pilote))
        return false;
    const QImage allemand = menuDesTypes(s, QStringLiteral("a"), QStringLiteral("game_types_german"));
    if (allemand.isNull())
        return s.echoue(QStringLiteral("No game types' menu dropped down in German (Optionen > Spielart)"));
    const QImage enAllemand = s.immobile();
    const QRect menu = s.ouvreMenu(QStringLiteral("alt+o"));
    if (menu.isEmpty())
        return false;
    // Sprache, then Français below Automatisch.
    s.ecran().touche(QStringLiteral("s"));
    if (s.attendsSousMenu(menu, QStringLiteral("Sprache")).isEmpty())
        return false;
    for (const char* touche : {"Down", "Return"}) {
        s.ecran().touche(QLatin1String(touche));
        QThread::msleep(150);
    }
    if (s.attendsChangement(enAllemand, {LectureEcran::ligneDeStatut(enAllemand)}, 10,
                            QStringLiteral("French in the status line"))
            .isNull())
        return false;
    const QImage francais = menuDesTypes(s, QStringLiteral("t"), QStringLiteral("game_types_french"));
    if (francais.isNull())
        return s.echoue(QStringLiteral("No game types' menu dropped down in French (Options > Type de partie)"));
    int differents = 0;
    if (francais.size() == allemand.size())
        for (int y = 0; y < francais.height(); ++y)
            for (int x = 0; x < francais.width(); ++x)
                differents += francais.pixel(x, y) != allemand.pixel(x, y);
    if (francais.size() == allemand.size() && differents < francais.width())
        return s.echoue(QStringLiteral("The game types' menu reads as it did in German after French was chosen "
                                       "(%1 pixels differ)")
                            .arg(differents));
    return true;
}

bool EtapesDeMatch::tournoiParLesOptions(SessionDeJeu& s, PiloteDePartie& pilote)
{
    // A card asked in the play, not the trump (its choice may be passed
    // back to the user): the help is lit for both, and the trump panel
    // may come up late.
    if (!pilote.joue(
            [](const Vue& v) { return v.demandeCarte && v.record.dernierEtat() >= EtatDeJeu::Tour1_NouveauJoueur1; }))
        return false;
    const QImage table = pilote.tourAuRepos();
    if (table.isNull())
        return false;
    const QRect menu = s.ouvreMenu(QStringLiteral("alt+o"));
    if (menu.isEmpty())
        return false;
    s.ecran().touche(QStringLiteral("o"));
    // The dialog comes in the table; its buttons are no message box's.
    const QRect fenetre(QPoint(0, 0), table.size());
    const int dialogue = table.width() * table.height() / 10;
    const QImage ouvert =
        s.attendsChangement(table, {fenetre}, dialogue, QStringLiteral("The dialog of Options > Options..."));
    if (ouvert.isNull())
        return false;
    for (const char* t : {"Tab", "Tab", "Tab", "Right", "Right", "Right"}) {
        s.ecran().touche(QLatin1String(t));
        QThread::msleep(120);
    }
    s.garde(QStringLiteral("options_tournament"));
    s.ecran().touche(QStringLiteral("Return"));
    // The dialog goes: the table shows again much as it was.
    const int couvert = LectureEcran::changes(table, ouvert, fenetre, false);
    QElapsedTimer attente;
    attente.start();
    int reste = couvert;
    while ((reste = LectureEcran::changes(table, s.capture(), fenetre, false)) > couvert / 3) {
        if (attente.elapsed() > lenteur::limite(10000) || !s.enMarche())
            return s.echoue(QStringLiteral("The options dialog stayed after Return (awaited: at most %1 pixels "
                                           "unlike the table before it; seen: %2)")
                                .arg(couvert / 3)
                                .arg(reste));
        QThread::msleep(200);
    }
    // New game starts the next match at once. Its autosave comes only at
    // the user's first turn, which the computers' cards may put off for
    // long on a busy machine: the pilot waits for it, and the case reads the
    // new match's inscription from the record.
    s.touche(QStringLiteral("ctrl+n"));
    pilote.oublieDernierCoup();
    return true;
}

bool EtapesDeMatch::totauxDeLaBoite(SessionDeJeu& s, const RecordDePartie& record)
{
    QFile journal(s.maison().donnees() + QStringLiteral("/debugLog.txt"));
    if (!journal.open(QIODevice::ReadOnly))
        return s.echoue(QStringLiteral("No trace log in %1").arg(s.maison().donnees()));
    const QString marque = QStringLiteral("Match completed: ");
    QString texte;
    for (const QString& ligne : QString::fromUtf8(journal.readAll()).split(QLatin1Char('\n')))
        if (ligne.contains(marque))
            texte = ligne.section(marque, 1);
    GM_GameStats stats;
    try {
        stats.chargeValeursDepuisString(texte.trimmed());
    } catch (const GM_Exception& e) {
        return s.echoue(QStringLiteral("The match's statistics were not traced (%1)").arg(e.getMessage()));
    }
    int totaux[2];
    for (int equipe = 0; equipe < 2; ++equipe) {
        const auto& c = stats.equipes_[size_t(equipe)].compteurs_;
        totaux[equipe] = c[COMPTEUR_ANNONCES] + c[COMPTEUR_PLIS];
        if (totaux[equipe] < record.scores()[size_t(equipe)])
            return s.echoue(QStringLiteral("The end box gives team %1 a total of %2, below the %3 it had as the "
                                           "last deal began")
                                .arg(equipe)
                                .arg(totaux[equipe])
                                .arg(record.scores()[size_t(equipe)]));
    }
    if (qMax(totaux[0], totaux[1]) != stats.valeurs_[1])
        return s.echoue(QStringLiteral("The end box gives totals %1 and %2, the match ended at %3")
                            .arg(totaux[0])
                            .arg(totaux[1])
                            .arg(stats.valeurs_[1]));
    return true;
}
