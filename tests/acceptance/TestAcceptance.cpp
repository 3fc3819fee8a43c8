#include "Descendance.h"
#include "EcranVirtuel.h"
#include "EtatDeJeu.h"
#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "GM_GameStats.h"
#include "GM_SpacesSeparatedString.h"
#include "Lenteur.h"
#include "ManqueSousCI.h"
#include "OptionsAffichage.h"
#include "OptionsDePartie.h"
#include "TypeDePartie.h"
#include "OptionsDuJoueur.h"
#include "PartieEnReseau.h"
#include "PiloteDePartie.h"
#include "SessionDeJeu.h"
#include "ZbTestRegistry.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QFile>
#include <QSet>
#include <QScopeGuard>
#include <QSettings>
#include <QTcpSocket>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <memory>
#include <thread>
#include <vector>

// The real program, driven through its window by real input, as a person
// plays it: whole matches, quitting and coming back, opening a saved game,
// undo and redo. Each case has its own screen, home folder and time limit;
// the pictures it takes are left in the pictures folder. The cases run side
// by side through TestAcceptanceEnParallele.
class TestAcceptance : public QObject
{
    Q_OBJECT

private:
    using Vue = PiloteDePartie::Vue;
    // A case's whole time: the cases run side by side, each a program
    // drawing with a software renderer, and on two processors a whole match
    // took some 140 s.
    static constexpr int LIMITE_S = 200;
    // Two programs start, meet and play a deal with two users.
    static constexpr int LIMITE_RESEAU_S = 300;
    // Up to four deals before the user's take and lead (within the runner's
    // limit for a case).
    static constexpr int LIMITE_PRISE_S = 300;

    // A turn of an online game, in seconds: twice the game options' default,
    // so that a pilot slowed down by a small, busy machine is never the one
    // that runs out of time.
    static constexpr int DELAI_TOUR_S = 30;
    // Stretched with the other limits: a slower program needs its turns too.
    static int delaiTour() { return lenteur::limite(DELAI_TOUR_S); }
    // The counters of a team's statistics that the end-of-match box adds up:
    // its announcements and its tricks.
    static constexpr int COMPTEUR_ANNONCES = 1;
    static constexpr int COMPTEUR_PLIS = 2;
    // Pixels of the online sign that show it on the cloth (its globe's
    // outline and lines at 800 x 600 are some hundreds).
    static constexpr int SIGNE_EN_LIGNE_MIN = 40;

    // Waits until the window shows a message box's buttons (or none); false
    // when it did not within the limit.
    static bool attendsBoite(SessionDeJeu& session, bool visible, int limiteMs)
    {
        QElapsedTimer attente;
        attente.start();
        do {
            QList<QRect> panneau;
            QList<QRect> boite;
            PiloteDePartie::litBoutons(session.capture(), panneau, boite);
            if (boite.isEmpty() != visible)
                return true;
            QThread::msleep(200);
        } while (attente.elapsed() < lenteur::limite(limiteMs) && session.enMarche());
        return false;
    }

    // The end-of-match box (a local match shows no other) was answered and
    // has gone. The next match is not waited for: the user's last request
    // of a match the box ended is still the newest record, and would be
    // taken for a turn at a table that has started afresh.
    static PiloteDePartie::Condition finDeMatch(const PiloteDePartie& pilote)
    {
        return [&pilote](const Vue& v) { return pilote.boitesVues() > 0 && v.boutons.isEmpty(); };
    }
    // The user asked in a deal after the nth.
    static PiloteDePartie::Condition donneApres(int n)
    {
        // Once the user has played into it: the cloth is checked at that turn.
        return [n](const Vue& v) { return v.record.nombreDeDonnes() > n && v.record.cartesJouees(0) >= 1; };
    }
    // The user asked a card in the middle of a trick, from the second trick.
    static bool milieuDePliAuTourDeLUtilisateur(const Vue& v)
    {
        return v.demandeCarte && v.record.plis().size() >= 2 && !v.record.pliEnCours().cartes.isEmpty();
    }

    // The cloth followed the record at every turn of the user.
    static QByteArray ecarts(const PiloteDePartie& pilote)
    {
        return QStringLiteral("The cloth did not show the game record's trick: %1")
            .arg(pilote.ecartsDuTapis().join(QLatin1String("; ")))
            .toUtf8();
    }

    // The first deal is over: the user played its whole Jass hand (9
    // cards) and the first card of the next deal.
    static PiloteDePartie::Condition premiereDonneFinie(const PiloteDePartie& pilote)
    {
        return [&pilote](const Vue&) { return pilote.cartesJouees() > 9; };
    }

    // The condition, reading as well at the user's first turns how much of
    // the online sign the cloth shows (the most seen).
    static PiloteDePartie::Condition relevantLeSigne(PiloteDePartie::Condition condition, int& signe)
    {
        return [condition, &signe, lectures = 0](const Vue& v) mutable {
            if (v.demandeCarte && lectures < 3) {
                ++lectures;
                signe = std::max(signe, LectureEcran::signeEnLigne(v.image, LectureEcran::tapis(v.image)));
            }
            return condition(v);
        };
    }

    // A picture of the window once it holds still (the last one after 5 s).
    static QImage immobile(SessionDeJeu& s)
    {
        QImage avant = s.capture();
        for (int i = 0; i < 25; ++i) {
            QThread::msleep(200);
            const QImage apres = s.capture();
            if (LectureEcran::identiques(avant, apres))
                return apres;
            avant = apres;
        }
        return avant;
    }

    // The status line, high in the middle of the window.
    static QRect ligneDeStatut(const QImage& image)
    {
        const int w = image.width();
        const int h = image.height();
        return QRect(w / 4, h * 45 / 1000, w / 2, h * 35 / 1000);
    }

    // Waits until each zone of the window changed from the reference by at
    // least that many pixels: the picture once still, or null with the
    // session failed, saying what was awaited and how much each changed.
    static QImage attendsChangement(SessionDeJeu& s, const QImage& reference, const QList<QRect>& zones, int minimum,
                                    const QString& quoi)
    {
        QElapsedTimer attente;
        attente.start();
        QStringList vus;
        while (attente.elapsed() < lenteur::limite(10000) && s.enMarche()) {
            const QImage image = s.capture();
            vus.clear();
            bool tous = true;
            for (const QRect& z : zones) {
                const int n = changes(reference, image, z, false);
                vus << QString::number(n);
                tous = tous && n >= minimum;
            }
            if (tous)
                return immobile(s);
            QThread::msleep(200);
        }
        s.echoue(QStringLiteral("%1 did not show within %2 s (awaited: %3 changed pixels in each zone; seen: %4)")
                     .arg(quoi)
                     .arg(lenteur::limite(10000) / 1000)
                     .arg(minimum)
                     .arg(vus.join(QStringLiteral(", "))));
        return QImage();
    }

    // Pixels of the zone that differ between two pictures; within a bubble
    // only: a pixel the body of a speech bubble surrounds (white on three of
    // its four sides, a few pixels away, in either picture), which a name
    // written on the cloth or the slate's chalk is not.
    // The white of a bubble's body and of the table's light boxes.
    static bool estBlanc(QRgb c) { return qRed(c) >= 225 && qGreen(c) >= 225 && qBlue(c) >= 225; }

    // Pixels of a zone whose whole square around them is white: a bubble's
    // body is the one white patch the table shows during the bidding (card
    // backs, plates and the slate's chalk are thin lines).
    static constexpr int PIXELS_PAR_POINT_DE_BULLE = 4800;
    static int blancPlein(const QImage& image, const QRect& zone)
    {
        constexpr int D = 4;
        const QImage im = image.convertToFormat(QImage::Format_RGB32);
        auto blanc = [&im](int x, int y) { return estBlanc(im.pixel(x, y)); };
        const QRect z = zone.intersected(im.rect().adjusted(D, D, -D, -D));
        int n = 0;
        for (int y = z.top(); y <= z.bottom(); ++y)
            for (int x = z.left(); x <= z.right(); ++x)
                if (blanc(x, y) && blanc(x - D, y - D) && blanc(x + D, y - D) && blanc(x - D, y + D)
                    && blanc(x + D, y + D) && blanc(x - D, y) && blanc(x + D, y) && blanc(x, y - D) && blanc(x, y + D))
                    ++n;
        return n;
    }

    static int changes(const QImage& a, const QImage& b, const QRect& zone, bool dansUneBulle)
    {
        const QRect z = zone.intersected(a.rect()).intersected(b.rect());
        auto blanc = [](const QImage& image, int x, int y) {
            return image.rect().contains(x, y) && estBlanc(image.pixel(x, y));
        };
        auto entoure = [&blanc](const QImage& image, int x, int y) {
            constexpr int D = 7;
            return int(blanc(image, x - D, y)) + int(blanc(image, x + D, y)) + int(blanc(image, x, y - D))
                       + int(blanc(image, x, y + D))
                   >= 3;
        };
        int n = 0;
        for (int y = z.top(); y <= z.bottom(); ++y)
            for (int x = z.left(); x <= z.right(); ++x) {
                const QColor p = a.pixelColor(x, y);
                const QColor q = b.pixelColor(x, y);
                const int ecart = std::abs(p.red() - q.red()) + std::abs(p.green() - q.green())
                                  + std::abs(p.blue() - q.blue());
                if (ecart > 120 && (!dansUneBulle || entoure(a, x, y) || entoure(b, x, y)))
                    ++n;
            }
        return n;
    }

    // A first start: the welcome holds the first deal. Tab walks it round
    // (Space on "do not show again" on the way); Down, Down, Return asks for
    // the rules, which come in a box of their own before the deal; the deal
    // starts once that box is closed, with the help on cards on.
    static bool accueilAvecLesRegles(SessionDeJeu& s, PiloteDePartie&)
    {
        if (!attendsBoite(s, true, 20000))
            return s.echoue(QStringLiteral("No welcome at the first start"));
        QList<QRect> panneau;
        QList<QRect> boite;
        PiloteDePartie::litBoutons(immobile(s), panneau, boite);
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
            PiloteDePartie::litBoutons(immobile(s), panneau, boite);
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
        if (!attendsBoite(s, false, 10000))
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

    // A first start left by a key (Esc, or Ctrl+N for a new game): the
    // welcome goes as by Skip, the deal goes ahead on the table as it is
    // set, and the welcome is kept for the next start.
    static bool accueilPasse(SessionDeJeu& s, PiloteDePartie& pilote, const QString& touche)
    {
        if (!attendsBoite(s, true, 20000))
            return s.echoue(QStringLiteral("No welcome at the first start"));
        immobile(s);
        s.touche(touche);
        if (!attendsBoite(s, false, 5000))
            return s.echoue(QStringLiteral("%1 did not close the welcome").arg(touche));
        if (!pilote.joue([](const Vue& v) { return v.demandeCarte; }))
            return s.echoue(QStringLiteral("No card asked of the user after the welcome was left by %1: ").arg(touche)
                            + s.echec());
        QSettings store(s.maison().reglages(), QSettings::IniFormat);
        if (store.value(QStringLiteral("Tutorial/done")).toBool())
            return s.echoue(QStringLiteral("The welcome left by %1 will not come back at the next start").arg(touche));
        return true;
    }

    // At the user's turn, the settings panel by the keyboard: Tab reaches
    // its tab, Space opens it, Esc closes it, and the keyboard is the
    // table's again: Space then opens nothing. Each step is waited for on
    // the screen: a busy machine may take its time.
    static bool reglagesAuClavier(SessionDeJeu& s, PiloteDePartie& pilote)
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
                n = changes(reference, s.capture(), droite, false);
                if (plus ? n >= panneau : n <= panneau / 4)
                    return immobile(s);
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
            const int espace = changes(ferme, s.capture(), droite, false);
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

    // Mid-deal, at a bid of the user with another seat's bid on the table,
    // the language goes to German by the menu (Options > Language >
    // Deutsch): the status line, the bid buttons and the bubbles already on
    // the table are written again, at the same point of the game, and the
    // keyboard still answers the bid.
    static bool langueEnCoursDeDonne(SessionDeJeu& s, PiloteDePartie& pilote)
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
            return blancPlein(v.image, dessus) >= v.image.width() * v.image.height() / PIXELS_PAR_POINT_DE_BULLE;
        });
        if (!vu)
            return false;
        const QStringList avantLignes = s.record().lignes();
        const QImage avant = immobile(s);
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
        const QRect statut = ligneDeStatut(avant);
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
        const QImage apres = attendsChangement(s, avant, {statut, passe.adjusted(3, 3, -3, -3)}, 10,
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
        const int dansPasse = changes(avant, apres, passe.adjusted(3, 3, -3, -3), false);
        const int dansStatut = changes(avant, apres, statut, false);
        const int dansBulles = changes(avant, apres, table, true);
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

    // Options > game types dropped down by the keyboard (the submenu's
    // underlined letter given), its picture, then closed; null when no menu
    // dropped down.
    static QImage menuDesTypes(SessionDeJeu& s, const QString& lettre, const QString& nom)
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

    // After the change to German, French is chosen from the menu: the
    // game types' menu, read in German before, lists them in French, not
    // in the language before.
    static bool allemandPuisFrancais(SessionDeJeu& s, PiloteDePartie& pilote)
    {
        if (!langueEnCoursDeDonne(s, pilote))
            return false;
        const QImage allemand = menuDesTypes(s, QStringLiteral("a"), QStringLiteral("game_types_german"));
        if (allemand.isNull())
            return s.echoue(QStringLiteral("No game types' menu dropped down in German (Optionen > Spielart)"));
        const QImage enAllemand = immobile(s);
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
        if (attendsChangement(s, enAllemand, {ligneDeStatut(enAllemand)}, 10,
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

    // The user makes a tournament of the game type the options show, by the
    // keyboard alone: "Tournament" as the match type, nothing else; then a
    // new game, which asks before it throws the match away.
    static bool tournoiParLesOptions(SessionDeJeu& s, PiloteDePartie& pilote)
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
            attendsChangement(s, table, {fenetre}, dialogue, QStringLiteral("The dialog of Options > Options..."));
        if (ouvert.isNull())
            return false;
        for (const char* t : {"Tab", "Tab", "Tab", "Right", "Right", "Right"}) {
            s.ecran().touche(QLatin1String(t));
            QThread::msleep(120);
        }
        s.garde(QStringLiteral("options_tournament"));
        s.ecran().touche(QStringLiteral("Return"));
        // The dialog goes: the table shows again much as it was.
        const int couvert = changes(table, ouvert, fenetre, false);
        QElapsedTimer attente;
        attente.start();
        int reste = couvert;
        while ((reste = changes(table, s.capture(), fenetre, false)) > couvert / 3) {
            if (attente.elapsed() > lenteur::limite(10000) || !s.enMarche())
                return s.echoue(QStringLiteral("The options dialog stayed after Return (awaited: at most %1 pixels "
                                               "unlike the table before it; seen: %2)")
                                    .arg(couvert / 3)
                                    .arg(reste));
            QThread::msleep(200);
        }
        // New game over the match asks first: nothing starts before the
        // answer, given by the keyboard (Return is the box's OK).
        const QStringList avant = s.record().lignes();
        s.touche(QStringLiteral("ctrl+n"));
        if (!attendsBoite(s, true, 10000))
            return s.echoue(QStringLiteral("Ctrl+N over a match in progress asked nothing"));
        s.garde(QStringLiteral("new_game_question"));
        if (s.record().lignes().mid(0, avant.size()) != avant)
            return s.echoue(QStringLiteral("The match was thrown away before the question was answered"));
        s.touche(QStringLiteral("Return"));
        if (!attendsBoite(s, false, 10000))
            return s.echoue(QStringLiteral("Return did not answer the new game's question"));
        pilote.oublieDernierCoup();
        return true;
    }

    // The end-of-match box is up (a local match shows no other box).
    static bool boiteDeFin(const Vue& v) { return !v.boutons.isEmpty(); }

    // The end-of-match box's totals (each team's announcements and tricks,
    // as the program traced the match's statistics) are its final score:
    // the winner's is the winning score, and neither is below the score the
    // last deal began with in the record.
    static bool totauxDeLaBoite(SessionDeJeu& s, const RecordDePartie& record)
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

    // Plays one whole match to its end-of-match box, after what the first
    // step does (when given).
    using Etape = bool (*)(SessionDeJeu&, PiloteDePartie&);
    void matchEntier(const QString& nom, DossierUtilisateur::Jeu jeu, QSize taille, int theme, Etape etape = nullptr,
                     bool accueil = false)
    {
        SessionDeJeu s(nom, LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.jeu = jeu;
        r.fenetre = taille;
        r.theme = theme;
        r.accueil = accueil;
        // Jass counts its points as the tricks fall and may end a short match
        // at the first trick: its match runs over a deal or so.
        if (jeu == DossierUtilisateur::Jass)
            r.objectif = 100;
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        if (etape)
            QVERIFY2(etape(s, pilote), qPrintable(s.echec()));
        QVERIFY2(pilote.joue(finDeMatch(pilote)), qPrintable(s.echec()));
        s.garde(QStringLiteral("match_over"));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        QVERIFY2(pilote.coupsJoues() >= 2, "the user played hardly any card before the match ended");
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }

    // Quits at the point the condition finds, starts again and plays the
    // deal to its end and into the next one.
    void repriseApres(const QString& nom, QSize taille, bool quitteApresLaCarte)
    {
        SessionDeJeu s(nom, LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        r.fenetre = taille;
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        {
            PiloteDePartie pilote(s);
            Vue arret;
            const bool ok = pilote.joue([&arret](const Vue& v) {
                if (!milieuDePliAuTourDeLUtilisateur(v))
                    return false;
                arret = v;
                return true;
            });
            QVERIFY2(ok, qPrintable(s.echec()));
            if (quitteApresLaCarte) {
                // The user's card, then Ctrl+Q while a computer is to play.
                QVERIFY2(pilote.joueCarte(arret), qPrintable(s.echec()));
            }
            s.garde(QStringLiteral("before_quit"));
            QVERIFY2(s.quitte(), qPrintable(s.echec()));
        }
        const RecordDePartie sauve = s.record();
        QVERIFY2(sauve.valide(), "no autosave after quitting");
        QVERIFY2(s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        QVERIFY2(pilote.joue(donneApres(sauve.nombreDeDonnes())), qPrintable(s.echec()));
        s.garde(QStringLiteral("next_deal"));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }

    // Plays two tricks, keeps the game in a file, starts a new game and
    // opens the file, answering the replay question, then plays on.
    void ouverture(const QString& nom, bool regarderLeReplay)
    {
        SessionDeJeu s(nom, LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        r.theme = regarderLeReplay ? 1 : 0;
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        {
            PiloteDePartie pilote(s);
            QVERIFY2(pilote.joue(milieuDePliAuTourDeLUtilisateur), qPrintable(s.echec()));
            QVERIFY2(s.quitte(), qPrintable(s.echec()));
        }
        const RecordDePartie sauve = s.record();
        QVERIFY2(sauve.valide(), "no autosave after quitting");
        const QString fichier = s.maison().donnees() + QStringLiteral("/saved.jss");
        QVERIFY(QFile::copy(s.maison().autosave(), fichier));
        QVERIFY(QFile::remove(s.maison().autosave()));

        // A new game, then Game > Open through its file dialog.
        QVERIFY2(s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        QVERIFY2(pilote.joue([](const Vue& v) { return v.demandeCarte || v.record.valide(); }), qPrintable(s.echec()));
        s.touche(QStringLiteral("ctrl+o"));
        if (!s.remplitDialogue(QStringLiteral("Open a game"), fichier)) {
            s.echoue(QStringLiteral("Ctrl+O showed no 'Open a game' dialog that took the file"));
            QFAIL(qPrintable(s.echec()));
        }

        pilote.setReponseBoites(regarderLeReplay);
        // The question has the keyboard: Return answers its default (Yes),
        // Esc its No.
        pilote.setToucheProchaineBoite(regarderLeReplay ? QStringLiteral("Return") : QStringLiteral("Escape"));
        // The question, then the end of a replay the user watched; one not
        // watched gives the user's seat back without a box.
        const int boites = regarderLeReplay ? 2 : 1;
        pilote.attendsBoites(boites);
        pilote.oublieDernierCoup();
        QVERIFY2(pilote.joue(donneApres(sauve.nombreDeDonnes())), qPrintable(s.echec()));
        if (regarderLeReplay)
            QVERIFY2(pilote.boitesVues() >= boites, "no replay question and end of the replay were seen after opening the file");
        else
            QVERIFY2(pilote.boitesVues() == boites, "a box other than the replay question showed after opening the file");
        s.garde(QStringLiteral("next_deal"));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }

private slots:
    void initTestCase()
    {
        if (!EcranVirtuel::xvfbDisponible())
            ZB_MANQUE("Xvfb is not installed: the program cannot be shown on a virtual screen");
    }

    // The first start's welcome, answered by the keyboard, before a match.
    void matchDeJass()
    {
        matchEntier(QStringLiteral("jass_match"), DossierUtilisateur::Jass, {1920, 1080}, 0, &accueilAvecLesRegles,
                    true);
    }
    // A language change in an auction, under Wood, whose bubbles are white;
    // then French, and the game types' menu read again.
    void matchDeBeloteContree()
    {
        matchEntier(QStringLiteral("contree_match"), DossierUtilisateur::BeloteContree, {800, 600}, 0,
                    &allemandPuisFrancais);
    }
    // Classic Belote: the user takes and leads the first trick. At that
    // first request the hand holds its eight cards (the second
    // distribution's and the turned card among them): the hand narrows by
    // one card's place at each card played, down to the last. The turned
    // card has left the cloth (the pilot compares the cloth with the record
    // at every card), and the record holds the user's take and lead.
    void beloteLaPreneuseEntame()
    {
        // The user bids first, takes and leads in one deal of four: on a busy
        // machine four Belote deals take longer than a match of the others.
        SessionDeJeu s(QStringLiteral("belote_take_lead"), LIMITE_PRISE_S);
        DossierUtilisateur::Reglages r;
        r.jeu = DossierUtilisateur::BeloteClassique;
        r.objectif = 1000;
        r.fenetre = {1280, 720};
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        pilote.setPrend(true);
        // The seat after the dealer bids first and leads: the user, who
        // takes at once, in one deal out of four.
        int donne = 0;
        RecordDePartie entame;
        QVERIFY2(pilote.joue([&](const Vue& v) {
            if (donne == 0 && v.demandeCarte && v.record.plis().isEmpty()) {
                donne = v.record.nombreDeDonnes();
                entame = v.record;
                s.garde(QStringLiteral("user_leads"));
            }
            // That deal whole: the user's last card of it is played. (The
            // next deal's record would come only at the user's first card
            // there, as the autosave waits for the user's turns.)
            const QList<PiloteDePartie::MainLue>& mains = pilote.mainsLues();
            return donne > 0 && std::any_of(mains.begin(), mains.end(), [donne](const PiloteDePartie::MainLue& m) {
                       return m.donne == donne && m.cartesAvant == 7;
                   });
        }),
                 qPrintable(s.echec()));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        const QStringList coups = entame.coupsParDonne().value(donne - 1);
        const QString prise = QStringLiteral("%1 0 ").arg(int(EvenementDeJeu::Chm));
        QVERIFY2(!coups.isEmpty() && coups.first().startsWith(prise),
                 qPrintable(QStringLiteral("the user's take is not the deal's first move: %1").arg(coups.join(", "))));
        std::array<int, 8> largeurs{};
        largeurs.fill(-1);
        for (const PiloteDePartie::MainLue& m : pilote.mainsLues())
            if (m.donne == donne && m.cartesAvant >= 0 && m.cartesAvant < 8 && largeurs[size_t(m.cartesAvant)] < 0)
                largeurs[size_t(m.cartesAvant)] = m.largeur;
        QString lues;
        for (int l : largeurs)
            lues += QStringLiteral(" %1").arg(l);
        const int place = largeurs[0] - largeurs[1];
        QVERIFY2(largeurs[7] > 0 && place > 0 && std::abs(largeurs[0] - largeurs[7] - 7 * place) <= 7 * place / 8,
                 qPrintable(QStringLiteral("the hand did not show eight cards at the lead: widths%1").arg(lues)));
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }
    // A first start left by New game (Ctrl+N) deals without a question;
    // then a tournament of the game type the options show first, started by
    // a New game the user confirms: the record holds the custom type
    // made of it, trumps imposed, and the table imposes Hearts, then Clubs.
    // (Its four deals outlast a case: its end is played below the window.)
    void tournoiDuTypeParDefaut()
    {
        SessionDeJeu s(QStringLiteral("tournament_default_type"), LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.fenetre = {1024, 768};
        r.typeParDefaut = true;
        r.accueil = true;
        r.aideAvecAccueil = true;
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        QVERIFY2(accueilPasse(s, pilote, QStringLiteral("ctrl+n")), qPrintable(s.echec()));
        QVERIFY2(tournoiParLesOptions(s, pilote), qPrintable(s.echec()));
        RecordDePartie deuxieme;
        QVERIFY2(pilote.joue([&deuxieme](const Vue& v) {
            if (!donneApres(1)(v))
                return false;
            deuxieme = v.record;
            return true;
        }),
                 qPrintable(s.echec()));
        s.garde(QStringLiteral("second_deal"));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        OptionsDePartie inscrites;
        for (const QString& ligne : deuxieme.lignes()) {
            EvenementDeJeu ev;
            QString reste;
            if (ev.fromString(ligne, reste) && ev.type_ == EvenementDeJeu::InP)
                inscrites.chargeValeursDepuisString(ev.texte_);
        }
        QCOMPARE(inscrites.modeDeJeu_, int(OptionsDePartie::ModeTournoi));
        QCOMPARE(inscrites.idPreset_, int(TypeDePartie::ID_PERSONALISE));
        QCOMPARE(inscrites.typeDePartie_.atoutAutomatique_, 1);
        QCOMPARE(inscrites.typeDePartie_.pointsObjectif_, TypeDePartie::getTypeDePartie(0).pointsObjectif_);
        // Each deal began with the table's choice.
        QStringList premiers;
        for (const QStringList& coups : deuxieme.coupsParDonne())
            premiers << coups.value(0).section(QLatin1Char('!'), 0, 2);
        const QString choix = QStringLiteral("%1 4 {0!1!%2").arg(int(EvenementDeJeu::Cho));
        QCOMPARE(premiers, (QStringList{choix.arg(4), choix.arg(1)}));
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }
    // Contrée to its end-of-match box, the user doubling every plain bid of
    // an opponent the bidding leaves at the user's turn: the box's totals
    // are the match's final score.
    void contreeAvecContreJusquALaBoite()
    {
        SessionDeJeu s(QStringLiteral("contree_double"), LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.jeu = DossierUtilisateur::BeloteContree;
        r.fenetre = {1280, 960};
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        pilote.setContre(true);
        RecordDePartie fin;
        QVERIFY2(pilote.joue([&fin](const Vue& v) {
            if (!boiteDeFin(v))
                return false;
            fin = v.record;
            return true;
        }),
                 qPrintable(s.echec()));
        s.garde(QStringLiteral("end_box"));
        QVERIFY2(totauxDeLaBoite(s, fin), qPrintable(s.echec()));
        QVERIFY2(pilote.joue(finDeMatch(pilote)), qPrintable(s.echec()));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }
    void repriseAuTourDeLUtilisateur() { repriseApres(QStringLiteral("resume_user_turn"), {800, 600}, false); }
    void repriseAuTourDUnOrdinateur() { repriseApres(QStringLiteral("resume_computer_turn"), {1024, 768}, true); }
    void ouvertureAvecReplay() { ouverture(QStringLiteral("open_watch_replay"), true); }
    void ouvertureSansReplay() { ouverture(QStringLiteral("open_no_replay"), false); }

    // The name a seat was enrolled under in a game record, empty when none.
    static QString nomInscrit(const RecordDePartie& record, int siege)
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

    // Two copies of the program on this machine: one hosts from its menu,
    // the other joins it by address and port; the host starts the game from
    // its server view, both users play a whole deal by clicks, each at its
    // own seat, and both machines keep the same moves and scores. The join
    // window offers the name the client's user kept, and the user plays
    // under it. Before, the client's user tried a port where nobody hosts,
    // was told so and played on locally; after leaving, it plays a local
    // game again.
    void donneEnReseau()
    {
        PartieEnReseau partie(QStringLiteral("online_deal"), LIMITE_RESEAU_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        r.delaiTour = delaiTour();
        DossierUtilisateur::Reglages rClient = r;
        // As long a name as the join window takes: the plates on both
        // screens keep it within the cloth, and the record keeps it whole.
        const QString nomClient = QStringLiteral("Carola Wolfensberger-Zim");
        QCOMPARE(nomClient.size(), 24);
        rClient.nomDeJeu = nomClient;
        QString erreur;
        QVERIFY2(partie.prepare(r) && partie.client().maison().prepare(rClient, &erreur), qPrintable(partie.echec() + erreur));
        QVERIFY2(partie.heberge(), qPrintable(partie.echec()));
        // The client's user first tries a port where nobody hosts: a box
        // says so and, once it is answered, the local game is there to play
        // on; a card later the user joins the host.
        QVERIFY2(partie.rejointEnVain(), qPrintable(partie.echec()));
        {
            PiloteDePartie local(partie.client());
            local.setReponseBoites(true);
            QVERIFY2(local.joue([&local](const Vue& v) { return local.cartesJouees() >= 1 && v.demandeCarte; }, 40000),
                     qPrintable(partie.echec()));
            partie.client().garde(QStringLiteral("local_after_failed_join"));
        }
        QVERIFY2(partie.rejoint() && partie.demarre(), qPrintable(partie.echec()));
        PiloteDePartie hote(partie.hote());
        PiloteDePartie client(partie.client());
        hote.setSansRecord(true);
        client.setSansRecord(true);
        client.setSansAide(true);
        // The two users play at once, as two people do, and each plays on
        // until both are through: the other's next move may wait for this
        // user's (a trump to choose, a card before theirs).
        bool hoteFini = false;
        int signeHote = 0;
        int signeClient = 0;
        std::atomic<bool> hoteAJoue{false};
        std::atomic<bool> clientAJoue{false};
        auto ensemble = [](const PiloteDePartie& moi, std::atomic<bool>& fait,
                           const std::atomic<bool>& autre) -> PiloteDePartie::Condition {
            const PiloteDePartie::Condition premiere = premiereDonneFinie(moi);
            return [premiere, &fait, &autre](const Vue& v) {
                if (premiere(v))
                    fait = true;
                return fait && autre;
            };
        };
        std::thread cote([&] {
            hoteFini = hote.joue(relevantLeSigne(ensemble(hote, hoteAJoue, clientAJoue), signeHote));
        });
        const bool clientFini = client.joue(relevantLeSigne(ensemble(client, clientAJoue, hoteAJoue), signeClient));
        cote.join();
        QVERIFY2(hoteFini && clientFini, qPrintable(partie.echec()));
        // The joined game wears the online sign on its cloth; the host's
        // game, which it did not join, does not.
        QVERIFY2(signeClient >= SIGNE_EN_LIGNE_MIN && signeHote < SIGNE_EN_LIGNE_MIN,
                 qPrintable(QStringLiteral("online sign: %1 pixels at the client, %2 at the host")
                                .arg(signeClient)
                                .arg(signeHote)));
        RecordDePartie deLHote;
        RecordDePartie duClient;
        QVERIFY2(partie.enregistre(partie.hote(), QStringLiteral("host.jss"), deLHote)
                     && partie.enregistre(partie.client(), QStringLiteral("client.jss"), duClient),
                 qPrintable(partie.echec()));
        // The second deal is under way on both (the client's record may
        // begin with a snapshot of the table it joined).
        QVERIFY2(deLHote.nombreDeDonnes() >= 2 && duClient.nombreDeDonnes() >= 2,
                 qPrintable(deLHote.resume() + QStringLiteral("; ") + duClient.resume()));
        // The deal both finished: the same trump and 36 cards on both.
        const QStringList premiere = deLHote.coupsParDonne().at(deLHote.nombreDeDonnes() - 2);
        QVERIFY(premiere.size() >= 37);
        QCOMPARE(duClient.coupsParDonne().at(duClient.nombreDeDonnes() - 2), premiere);
        QCOMPARE(duClient.scores(), deLHote.scores());
        QVERIFY(deLHote.scores()[0] + deLHote.scores()[1] > 0);
        // Each user played its own seat: the host the first, the client the
        // second, none of them a computer's; the client under its name.
        QVERIFY(hote.cartesJouees() >= 9 && client.cartesJouees() >= 9);
        QCOMPARE(nomInscrit(deLHote, 1), nomClient);

        // The client leaves the online game (Network > Leave, yes to the
        // question): a local game is back, and its user plays it at once.
        QVERIFY2(!partie.client().ouvreMenu(QStringLiteral("alt+n")).isEmpty(), qPrintable(partie.echec()));
        partie.client().ecran().touche(QStringLiteral("l"));
        // The question is answered OK (Return, the box having the keyboard)
        // before the user plays on: the autosave holds the local game left
        // at the join, which asks the user already.
        QVERIFY2(attendsBoite(partie.client(), true, 10000), "no question came after Network > Leave");
        immobile(partie.client());
        partie.client().ecran().touche(QStringLiteral("Return"));
        QVERIFY2(attendsBoite(partie.client(), false, 10000), "the question after Network > Leave stayed");
        PiloteDePartie local(partie.client());
        local.setReponseBoites(true);
        QVERIFY2(local.joue([&local](const Vue& v) { return local.cartesJouees() >= 2 && v.demandeCarte; }, 40000),
                 qPrintable(partie.echec()));
        partie.client().garde(QStringLiteral("local_after_leaving"));
        partie.hote().garde(QStringLiteral("client_left"));
    }

    // A client's program killed in the middle of a deal and started again
    // on its home folder joins again and plays on at its own seat. Its
    // connection window is gone once the game starts, and nobody waits for
    // the box that greets its return: left open longer than a turn lasts,
    // the table goes on under it, and a turn of its user that runs out
    // meanwhile is played by its computer.
    void retourApresUnCrash()
    {
        PartieEnReseau partie(QStringLiteral("online_crash"), LIMITE_RESEAU_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        r.delaiTour = delaiTour();
        QVERIFY2(partie.prepare(r) && partie.heberge(), qPrintable(partie.echec()));
        // The host's WebSocket ports, beside its TCP one: the client joins by
        // one, and comes back by the other.
        QList<quint16> ports = partie.portsDeLHote();
        ports.removeAll(partie.port());
        QVERIFY2(ports.size() == 2, qPrintable(QStringLiteral("ports of the host: %1").arg(ports.size())));
        QVERIFY2(partie.rejoint(ports.at(0)), qPrintable(partie.echec()));
        // Waiting for the host, the connection window is up with its cancel.
        QVERIFY2(attendsBoite(partie.client(), true, 5000), "no connection window while the client waits");
        partie.client().garde(QStringLiteral("waiting"));
        QVERIFY2(partie.demarre(), qPrintable(partie.echec()));
        QVERIFY2(attendsBoite(partie.client(), false, 10000), "the connection window stayed over the table");
        partie.client().garde(QStringLiteral("game_started"));

        // The host's user plays all along, as a person would.
        PiloteDePartie hote(partie.hote());
        hote.setSansRecord(true);
        std::atomic<bool> fini{false};
        bool hoteJoue = false;
        std::thread cote([&] { hoteJoue = hote.joue([&fini](const Vue&) { return fini.load(); }, 90000); });
        auto finHote = qScopeGuard([&] {
            fini = true;
            cote.join();
        });
        {
            PiloteDePartie client(partie.client());
            client.setSansRecord(true);
        client.setSansAide(true);
            QVERIFY2(client.joue([&client](const Vue&) { return client.cartesJouees() >= 2; }),
                     qPrintable(partie.echec()));
        }
        partie.tueClient();
        partie.hote().garde(QStringLiteral("client_killed"));
        QVERIFY2(partie.rejoint(ports.at(1)), qPrintable(partie.echec()));
        // Nobody answers the box that greets the return for longer than a
        // turn lasts: the host's table moves on meanwhile.
        const QImage hoteAuRetour = partie.hote().capture();
        QThread::sleep(delaiTour() + 3);
        partie.client().garde(QStringLiteral("greeting_boxes"));
        QVERIFY2(!LectureEcran::identiques(partie.hote().garde(QStringLiteral("under_the_greeting_box")), hoteAuRetour),
                 "the host's table stood still under the client's box");
        // Then the user answers them and double-clicks cards while the
        // replay catches the table up, as an impatient person does.
        {
            QElapsedTimer impatience;
            impatience.start();
            int clics = 0;
            while (impatience.elapsed() < 12000 && partie.client().enMarche()) {
                const QImage image = partie.client().capture();
                QList<QRect> panneau;
                QList<QRect> boite;
                PiloteDePartie::litBoutons(image, panneau, boite);
                if (!boite.isEmpty()) {
                    partie.client().ecran().clique(partie.client().fenetre().topLeft() + boite.first().center());
                } else {
                    const LectureEcran::Main main = LectureEcran::main(image);
                    if (!main.jouables.isEmpty() && clics < 3) {
                        partie.client().ecran().doubleClique(partie.client().fenetre().topLeft()
                                                             + main.jouables.first());
                        ++clics;
                    }
                }
                QThread::msleep(300);
            }
            partie.client().garde(QStringLiteral("after_clicks"));
        }
        // The table goes on: the user plays through a whole next deal.
        PiloteDePartie client(partie.client());
        client.setSansRecord(true);
        client.setSansAide(true);
        QVERIFY2(client.joue([&client](const Vue&) { return client.cartesJouees() >= 12; }, 60000),
                 qPrintable(partie.echec()));
        partie.client().garde(QStringLiteral("next_deal"));
        partie.hote().garde(QStringLiteral("next_deal"));
        fini = true;
        cote.join();
        finHote.dismiss();
        QVERIFY2(hoteJoue, qPrintable(partie.echec()));

        RecordDePartie deLHote;
        QVERIFY2(partie.enregistre(partie.hote(), QStringLiteral("host.jss"), deLHote), qPrintable(partie.echec()));
        // The client's seat, in the host's record (the deal in progress and
        // the inscriptions): each time the seat was given to a player, it was
        // the same one; the user played it since it came back (after the
        // host's computer stood in, or after it entered again); and the
        // client's own computer played it at most once, for a turn that ran
        // out under the box: the user was never excluded.
        const SiegeDuClient siege = siegeDuClient(deLHote);
        const QByteArray lignes = deLHote.lignes().join(QLatin1Char('\n')).toUtf8();
        QVERIFY2(siege.ids.size() == 1 && siege.inscriptions >= 1, lignes.constData());
        QVERIFY2(siege.coupsApresRetour >= 1, lignes.constData());
        QVERIFY2(siege.coupsDeSonOrdinateur <= 1, lignes.constData());
    }

    // A client's program stops in the middle of a deal (a hang, or a link
    // that died without a close): the host's table goes on, its computer
    // playing the seat once the answer is late by a turn and a margin. The
    // user kills the stopped program and starts it again: she joins as
    // before and plays on at her own seat, on her own team.
    void copieFigee()
    {
        PartieEnReseau partie(QStringLiteral("online_hung_client"), LIMITE_RESEAU_S);
        const int delai = lenteur::limite(DELAI_JOUABLE_S);
        QVERIFY2(commenceAvecDesToursDe(partie, delai), qPrintable(partie.echec()));
        // The host's user plays all along, as a person would, but while the
        // case watches the table go on.
        std::atomic<bool> fini{false};
        bool hoteJoue = false;
        std::thread cote;
        const auto hoteEnFond = [&] {
            fini = false;
            cote = std::thread([&] {
                PiloteDePartie hote(partie.hote());
                hote.setSansRecord(true);
                hoteJoue = hote.joue([&fini](const Vue&) { return fini.load(); }, 90000);
            });
        };
        const auto finHote = [&] {
            fini = true;
            if (cote.joinable())
                cote.join();
            return hoteJoue;
        };
        auto garde = qScopeGuard(finHote);
        hoteEnFond();
        {
            PiloteDePartie client(partie.client());
            client.setSansRecord(true);
            client.setSansAide(true);
            QVERIFY2(client.joue([&client](const Vue&) { return client.cartesJouees() >= 2; }),
                     qPrintable(partie.echec()));
        }
        QVERIFY2(finHote(), qPrintable(partie.echec()));
        QCOMPARE(::kill(pid_t(partie.client().pid()), SIGSTOP), 0);
        {
            // The host plays twice more: the stopped seat, which follows it,
            // was played meanwhile. Within a turn, the host's margin and the
            // pace of a busy machine.
            PiloteDePartie hote(partie.hote());
            hote.setSansRecord(true);
            QVERIFY2(hote.joue([&hote](const Vue&) { return hote.cartesJouees() >= 2; },
                               lenteur::limite((delai + 12 + 30) * 1000)),
                     qPrintable(QStringLiteral("the host's table waited for the stopped program: ") + partie.echec()));
            partie.hote().garde(QStringLiteral("table_goes_on"));
        }

        partie.tueClient();
        QVERIFY2(partie.rejoint(), qPrintable(partie.echec()));
        hoteEnFond();
        PiloteDePartie client(partie.client());
        client.setSansRecord(true);
        client.setSansAide(true);
        client.setReponseBoites(true);
        QVERIFY2(client.joue([&client](const Vue&) { return client.cartesJouees() >= 3; }, 90000),
                 qPrintable(partie.echec()));
        partie.client().garde(QStringLiteral("back_at_its_seat"));
        QVERIFY2(finHote(), qPrintable(partie.echec()));
        RecordDePartie deLHote;
        QVERIFY2(partie.enregistre(partie.hote(), QStringLiteral("host.jss"), deLHote), qPrintable(partie.echec()));
        // One player at the client's seat all along, who played there again.
        const SiegeDuClient siege = siegeDuClient(deLHote);
        const QByteArray lignes = deLHote.lignes().join(QLatin1Char('\n')).toUtf8();
        QVERIFY2(siege.ids.size() == 1 && siege.coupsApresRetour >= 1, lignes.constData());
    }


private:
    // The client's seat (the second) in the host's record (the deal in
    // progress and the inscriptions): the players given the seat, the moves
    // its user played since it was last given (after the host's computer
    // stood in, or after it entered again), and the moves the client's own
    // computer played.
    struct SiegeDuClient {
        QSet<qint64> ids;
        int inscriptions = 0;
        int coupsApresRetour = 0;
        int coupsDeSonOrdinateur = 0;
    };
    static SiegeDuClient siegeDuClient(const RecordDePartie& record)
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

    // A case's online turns, when a user is to run out of them: two short
    // turns exclude that user quickly. A user who plays online afterwards
    // needs turns the pilot plays in at any machine's pace.
    static constexpr int DELAI_COURT_S = 4;
    static constexpr int DELAI_JOUABLE_S = 12;

    // The local game after an online one, played as a person plays it: the
    // boxes answered (only those told when it ended: n), then cards until a
    // trick of the user's is collected.
    static bool joueLocalement(SessionDeJeu& s, int boites, const QString& image)
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

    // A box comes within the limit to tell the end of the online game (its
    // picture kept), and the local game is played on after it.
    static bool finPuisJeuLocal(SessionDeJeu& s, int limiteMs, const QString& nom)
    {
        if (!attendsBoite(s, true, limiteMs))
            return s.echoue(QStringLiteral("No box told the end of the online game (%1)").arg(nom));
        s.garde(nom);
        return joueLocalement(s, 1, QStringLiteral("local_after_") + nom);
    }

    // The case's online game, its turns that long, started by the host;
    // false with echec().
    static bool commenceAvecDesToursDe(PartieEnReseau& partie, int secondes)
    {
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        r.delaiTour = secondes;
        if (!partie.prepare(r) || !partie.heberge() || !partie.rejoint() || !partie.demarre())
            return false;
        if (!attendsBoite(partie.client(), false, 10000))
            return partie.client().echoue(QStringLiteral("The connection window stayed over the table"));
        return true;
    }

private slots:
    // A client's user who never plays online is excluded after two turns
    // run out: one box says so, and once it is answered the local game is
    // there to play on, to a collected trick.
    void inviteExclu()
    {
        PartieEnReseau partie(QStringLiteral("online_guest_excluded"), LIMITE_RESEAU_S);
        const int delai = lenteur::limite(DELAI_COURT_S);
        QVERIFY2(commenceAvecDesToursDe(partie, delai), qPrintable(partie.echec()));
        // Nobody plays: the host's computer stands in for its user, the
        // client's user is excluded.
        QVERIFY2(finPuisJeuLocal(partie.client(), 4 * delai * 1000 + 20000, QStringLiteral("exclusion")),
                 qPrintable(partie.echec()));
    }

    // Nobody plays: both users are excluded. The host's box stays open and
    // the table goes on under it. She answers it, leaves the online game,
    // hosts again, the guest (its own box answered) joins again, and she
    // plays a card at her seat.
    void hoteExclu()
    {
        PartieEnReseau partie(QStringLiteral("online_host_excluded"), LIMITE_RESEAU_S);
        const int delai = lenteur::limite(DELAI_JOUABLE_S);
        QVERIFY2(commenceAvecDesToursDe(partie, delai), qPrintable(partie.echec()));
        SessionDeJeu& hote = partie.hote();
        QVERIFY2(attendsBoite(hote, true, 4 * delai * 1000 + 20000), "no box came when the host's turns ran out");
        const QImage exclue = hote.garde(QStringLiteral("excluded"));
        // The table moves on under her box.
        QElapsedTimer attente;
        attente.start();
        while (LectureEcran::identiques(hote.capture(), exclue) && attente.elapsed() < lenteur::limite(20000))
            QThread::msleep(200);
        QList<QRect> panneau;
        QList<QRect> boite;
        const QImage dessous = hote.garde(QStringLiteral("box_open_table_on"));
        PiloteDePartie::litBoutons(dessous, panneau, boite);
        QVERIFY2(!LectureEcran::identiques(dessous, exclue) && boite.size() == 1,
                 "the table stood still under the host's box");
        hote.ecran().clique(hote.fenetre().topLeft() + boite.first().center());
        QVERIFY2(attendsBoite(hote, false, 10000), "the exclusion box stayed after OK");
        // Her status says she watches while the computer plays for her.
        hote.garde(QStringLiteral("excluded_status"));
        // Network > Leave, OK to the question.
        QVERIFY2(!hote.ouvreMenu(QStringLiteral("alt+n")).isEmpty(), qPrintable(partie.echec()));
        hote.ecran().touche(QStringLiteral("l"));
        QVERIFY2(attendsBoite(hote, true, 10000), "no question came after Network > Leave");
        immobile(hote);
        hote.ecran().touche(QStringLiteral("Return"));
        QVERIFY2(attendsBoite(hote, false, 10000), "the question after Network > Leave stayed");

        // The guest, excluded too, answers its box.
        SessionDeJeu& client = partie.client();
        QVERIFY2(attendsBoite(client, true, 4 * delai * 1000 + 20000), "no box came when the guest's turns ran out");
        PiloteDePartie::litBoutons(client.capture(), panneau, boite);
        QVERIFY2(!boite.isEmpty(), "the guest's box went before it was answered");
        client.ecran().clique(client.fenetre().topLeft() + boite.first().center());
        QVERIFY2(attendsBoite(client, false, 10000), "the guest's box stayed after OK");

        QVERIFY2(partie.heberge() && partie.rejoint() && partie.demarre(), qPrintable(partie.echec()));
        PiloteDePartie enLigne(hote);
        enLigne.setSansRecord(true);
        QVERIFY2(enLigne.joue([&enLigne](const Vue&) { return enLigne.cartesJouees() >= 1; }, 60000),
                 qPrintable(partie.echec()));
        hote.garde(QStringLiteral("played_again"));
    }

    // The windowless host, started from a terminal, is stopped there while
    // its guest plays: the guest reads one box, and plays its local game.
    // The guest joined over the secure port, full of silent sockets of its
    // own address.
    void hoteSansFenetreArrete()
    {
        PartieEnReseau partie(QStringLiteral("windowless_host_stopped"), LIMITE_RESEAU_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        QVERIFY2(partie.prepare(r), qPrintable(partie.echec()));
        QProcess hote;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& v : partie.hote().maison().environnement())
            env.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
        env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        hote.setProcessEnvironment(env);
        hote.setProcessChannelMode(QProcess::MergedChannels);
        descendance::finitAvecLeParent(hote);
        hote.start(QStringLiteral(ZB_PROGRAMME),
                   {QStringLiteral("--server"), QStringLiteral("--auto"), QStringLiteral("--port"),
                    QString::number(partie.port())});
        auto finHote = qScopeGuard([&hote] {
            hote.kill();
            hote.waitForFinished(5000);
        });
        QVERIFY(hote.waitForStarted(10000));
        QElapsedTimer attente;
        attente.start();
        QByteArray sortie;
        while (!sortie.contains("HOST") && attente.elapsed() < lenteur::limite(20000)) {
            hote.waitForReadyRead(200);
            sortie += hote.readAllStandardOutput();
        }
        // The guest joins over the secure port while sockets from its own
        // address that never say a word hold every place the port has for
        // unfinished handshakes: it gets in all the same.
        const QList<QByteArray> mots = sortie.mid(sortie.indexOf("HOST")).split('\n').first().split(' ');
        const qsizetype apres = mots.indexOf("secure-websocket") + 1;
        const quint16 secure = apres > 0 && apres < mots.size() ? quint16(mots.at(apres).toUInt()) : 0;
        QVERIFY2(secure != 0, sortie.constData());
        std::vector<std::unique_ptr<QTcpSocket>> muettes;
        for (int i = 0; i < 64; ++i) {
            muettes.push_back(std::make_unique<QTcpSocket>());
            muettes.back()->connectToHost(QHostAddress::LocalHost, secure);
            muettes.back()->waitForConnected(2000);
        }
        QVERIFY2(partie.rejoint(secure), qPrintable(partie.echec()));
        QVERIFY2(attendsBoite(partie.client(), false, 20000), "the connection window stayed over the table");
        {
            PiloteDePartie client(partie.client());
            client.setSansRecord(true);
            client.setSansAide(true);
            QVERIFY2(client.joue([&client](const Vue&) { return client.cartesJouees() >= 1; }, 40000),
                     qPrintable(partie.echec()));
        }
        hote.terminate();
        QVERIFY(hote.waitForFinished(10000));
        finHote.dismiss();
        QCOMPARE(hote.exitCode(), 128 + 15);
        QVERIFY2(finPuisJeuLocal(partie.client(), 10000, QStringLiteral("host_stopped")), qPrintable(partie.echec()));
    }

    // A first start left by Esc, the settings panel opened and closed by the
    // keyboard, then Undo twice and Redo once, and the game plays on.
    void annulerDeuxFoisRetablirUneFois()
    {
        SessionDeJeu s(QStringLiteral("undo_redo"), LIMITE_S);
        DossierUtilisateur::Reglages r;
        r.objectif = 1000;
        r.fenetre = {1280, 800};
        r.theme = 2;
        r.accueil = true;
        r.aideAvecAccueil = true;
        QVERIFY2(s.prepare(r) && s.lance(), qPrintable(s.echec()));
        PiloteDePartie pilote(s);
        QVERIFY2(accueilPasse(s, pilote, QStringLiteral("Escape")), qPrintable(s.echec()));
        QVERIFY2(pilote.joue([](const Vue& v) { return v.demandeCarte && v.record.cartesJouees(0) >= 2; }),
                 qPrintable(s.echec()));
        QVERIFY2(reglagesAuClavier(s, pilote), qPrintable(s.echec()));
        const int donne = s.record().nombreDeDonnes();
        s.garde(QStringLiteral("before_undo"));
        for (const char* touche : {"ctrl+z", "ctrl+z", "ctrl+shift+z"}) {
            const QStringList avant = s.record().lignes();
            s.touche(QLatin1String(touche));
            // Each step asks the user again, which the autosave shows.
            QVERIFY2(s.attendsRecord(avant, 5000),
                     qPrintable(QStringLiteral("%1 did not change the autosave within %2 s (it holds: %3)")
                                    .arg(QLatin1String(touche))
                                    .arg(lenteur::limite(5000) / 1000)
                                    .arg(s.record().resume())));
            s.garde(QString::fromLatin1(touche).replace(QLatin1Char('+'), QLatin1Char('_')));
        }
        pilote.oublieDernierCoup();
        QVERIFY2(pilote.joue(donneApres(donne)), qPrintable(s.echec()));
        s.garde(QStringLiteral("next_deal"));
        QVERIFY2(pilote.ecartsDuTapis().isEmpty(), ecarts(pilote).constData());
        QVERIFY2(s.quitte(), qPrintable(s.echec()));
    }
};

ZB_REGISTER_TEST(TestAcceptance)
#include "TestAcceptance.moc"
