#include "PiloteDePartie.h"

#include "Lenteur.h"
#include "SessionDeJeu.h"
#include "EvenementDeJeu.h"
#include "GM_Exception.h"
#include "ZB_StatusMise.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QSet>
#include <QThread>

#include <algorithm>
#include <utility>

namespace {

constexpr int REGARD_MS = 100;
constexpr int ATTENTE_MS = 300;
// A card taken leaves the hand at once; beside eight other programs on two
// processors, seconds later.
const int PRISE_MS = lenteur::limite(3000);
constexpr int REFUS_MAX = 6;
constexpr int STABILITE_MS = 180;
// A pressed button goes at once; a program drawing with a software
// renderer beside eight others on two processors took seconds.
const int DISPARITION_MS = lenteur::limite(10000);
// Longer than a step of the connection window's countdown on a loaded machine.
constexpr int CONNEXION_IMMOBILE_MS = 3000;
// A card flies 500 ms; on a loaded machine's software renderer far longer
// (a card was seen landing after 6 s): a cloth that differs from the record
// for this long is a fault.
const int TAPIS_MS = lenteur::limite(10000);
// The hand stands raised while its seat is asked: its top is then above
// this share of the window's height (about 0.72; 0.76 at rest, where the
// whole hand shows).
constexpr double MAIN_LEVEE = 0.74;

// The deal's bidding in the record leaves a plain bid of an opponent of the
// user (seats 1 and 3), which the user may double.
bool miseAdverseSimple(const RecordDePartie& record)
{
    const QStringList coups = record.coupsParDonne().value(record.nombreDeDonnes() - 1);
    int miseur = -1;
    int contrat = 0;
    for (const QString& coup : coups) {
        const QStringList champs = coup.split(QLatin1Char(' '));
        if (champs.size() < 3 || champs.at(0).toInt() != int(EvenementDeJeu::Chm))
            continue;
        ZB_StatusMise mise;
        try {
            mise.chargeValeursDepuisString(coup.section(QLatin1Char(' '), 2));
        } catch (const GM_Exception&) {
            continue;
        }
        if (!mise.miseFaite_)
            continue;
        miseur = champs.at(1).toInt();
        contrat = mise.typeContrat_;
    }
    return (miseur == 1 || miseur == 3) && contrat == ZB_StatusMise::Simple;
}

QString sieges(const QList<int>& liste)
{
    static const char* const noms[] = {"bottom", "right", "top", "left"};
    QStringList n;
    for (int s : liste)
        n << QLatin1String(s >= 0 && s < 4 ? noms[s] : "?");
    return n.isEmpty() ? QStringLiteral("none") : n.join(QLatin1Char(' '));
}

} // namespace

PiloteDePartie::PiloteDePartie(SessionDeJeu& session)
    : session_(session)
{
}

void PiloteDePartie::litBoutons(const QImage& image, QList<QRect>& panneau, QList<QRect>& boite)
{
    panneau.clear();
    boite.clear();
    const int h = image.height();
    // The band's pass spans the row of trumps above it: wider than other
    // buttons. Unread, the pass was taken for the row's first button, and a
    // frame of the bid box read as one was clicked in vain.
    const QList<QRect> tous =
        LectureEcran::boutons(image, QRect(0, h / 8, image.width(), h * 7 / 8), LectureEcran::LARGEUR_PASSE_MAX);
    // The panel: three buttons or more on one row below the top third (it
    // lies just above the hand), or two of the panel's near-square ones (a
    // pass beside a redouble or a take), and what lies with them: the buttons of the
    // rows next to it.
    const int largeurPanneau = image.width() / 20;
    const auto carre = [largeurPanneau](const QRect& r) {
        return 2 * r.height() >= r.width() && r.width() >= largeurPanneau;
    };
    const auto bouton = [h](const QRect& r) { return r.top() > h / 3; };
    // A speech bubble read as a button has a white face; a button's is a
    // middle tone.
    const auto faceClaire = [&image](const QRect& r) {
        long total = 0;
        long n = 0;
        for (int y = r.top() + 3; y < r.bottom() - 2; ++y)
            for (int x = r.left() + 3; x < r.left() + r.width() / 5; ++x, ++n)
                total += qGray(image.pixel(x, y));
        return n > 0 && total / n > 215;
    };
    // The top of the hand, read once it is needed: a court card's framed
    // picture in the hand reads like a near-square button, and two or three
    // court cards lying level like a row of them.
    int hautMain = -2;
    const auto litHautMain = [&image, &hautMain] {
        if (hautMain == -2)
            hautMain = LectureEcran::main(image).haut;
        return hautMain;
    };
    const auto auDessusDeLaMain = [&litHautMain](const QRect& r) {
        const int haut = litHautMain();
        return haut >= 0 && r.bottom() < haut;
    };
    const auto dansLaMain = [&litHautMain](const QRect& r) {
        const int haut = litHautMain();
        return haut >= 0 && r.top() > haut;
    };
    // A lone button of the panel lies in the middle, just above the hand
    // and below the cloth (the table is framed above the band); a bubble or
    // a side seat's cards by the cloth, which may read as one, do not.
    const auto seulDuPanneau = [&](const QRect& r) {
        const int largeur = image.width();
        if (!auDessusDeLaMain(r) || r.bottom() < litHautMain() - 3 * r.height() || r.center().x() <= largeur / 4
            || r.center().x() >= largeur * 3 / 4)
            return false;
        const LectureEcran::Tapis tapis = LectureEcran::tapis(image);
        return !tapis.trouve || r.top() >= tapis.zone.bottom();
    };
    QRect seul;
    for (const QRect& r : tous) {
        if (!bouton(r) || dansLaMain(r))
            continue;
        int memeRangee = 0;
        int carres = 0;
        QRect unCarre;
        for (const QRect& s : tous) {
            // Cards of the hand lying level read as a row of buttons too:
            // their faces are white.
            const bool ensemble =
                std::abs(s.top() - r.top()) <= 4 && bouton(s) && !faceClaire(s) && !dansLaMain(s);
            memeRangee += ensemble ? 1 : 0;
            if (ensemble && carre(s) && !faceClaire(s)) {
                ++carres;
                unCarre = s;
            }
        }
        if (memeRangee >= 3 || carres >= 2) {
            for (const QRect& s : tous)
                if (bouton(s) && s.top() >= r.top() - 2 * r.height() && s.top() <= r.bottom() + r.height())
                    panneau.append(s);
            return;
        }
        if (carres == 1 && seul.isNull() && seulDuPanneau(unCarre))
            seul = unCarre;
    }
    // Beside a pass, a greyed redouble (the partner doubled) has no dark
    // outline to be read by: the pass then stands alone above the hand, the
    // panel's only button.
    if (!seul.isNull()) {
        panneau.append(seul);
        return;
    }
    // A box's buttons hold one word: well wider than tall, on a face of a
    // middle tone. They lie on the box's plain light face; a network line's
    // bubble, which looks like one, floats on the table.
    const auto surUneBoite = [&image](const QRect& r) {
        QList<int> tons;
        const int y = r.center().y();
        for (const int x : {r.left() - 6, r.right() + 6})
            if (image.valid(x, y))
                tons.append(qGray(image.pixel(x, y)));
        for (const int x : {r.left() + r.width() / 4, r.center().x(), r.right() - r.width() / 4})
            if (image.valid(x, r.top() - 6))
                tons.append(qGray(image.pixel(x, r.top() - 6)));
        if (tons.size() < 4)
            return false;
        const auto [bas, haut] = std::minmax_element(tons.begin(), tons.end());
        return *bas >= 150 && *haut - *bas <= 24;
    };
    for (const QRect& r : tous)
        if (r.width() >= 2 * r.height() && !faceClaire(r) && surUneBoite(r))
            boite.append(r);
    if (boite.size() > 2)
        boite.clear();
}

bool PiloteDePartie::stable_(const QImage& avant, QImage& apres, const QRect& zone)
{
    QThread::msleep(STABILITE_MS);
    apres = session_.capture();
    return LectureEcran::identiques(avant, apres, zone);
}

void PiloteDePartie::eloigneSouris_()
{
    // A hovered button or card looks different: the hand goes back to rest
    // on the table's edge.
    const QRect f = session_.fenetre();
    session_.ecran().deplace(f.topLeft() + QPoint(f.width() / 50, f.height() * 3 / 10));
}


namespace {

// The button, or one of its width where it was, is on the picture.
bool boutonPresent(const QImage& image, const QRect& bouton)
{
    for (const QRect& r : LectureEcran::boutons(image, QRect(), LectureEcran::LARGEUR_PASSE_MAX))
        if (r.intersects(bouton) && std::abs(r.width() - bouton.width()) <= 4)
            return true;
    return false;
}

} // namespace

bool PiloteDePartie::clique_(const QRect& bouton, const QString& quoi)
{
    session_.ecran().clique(session_.fenetre().topLeft() + bouton.center());
    eloigneSouris_();
    return attendsDisparition_(bouton, quoi);
}

bool PiloteDePartie::disparait_(const QRect& bouton)
{
    // The button goes once the click or key is taken.
    QElapsedTimer attente;
    attente.start();
    while (attente.elapsed() < DISPARITION_MS) {
        QThread::msleep(REGARD_MS);
        if (!boutonPresent(session_.capture(), bouton))
            return true;
    }
    return false;
}

bool PiloteDePartie::attendsDisparition_(const QRect& bouton, const QString& quoi)
{
    return disparait_(bouton) || session_.echoue(QStringLiteral("The %1 stayed on the window").arg(quoi));
}

bool PiloteDePartie::choisitDansPanneau_(const QList<QRect>& panneau, const RecordDePartie& record)
{
    // The row of trumps; below it, the pass.
    QList<QRect> rangee;
    QRect dessous;
    for (const QRect& r : panneau) {
        int memeRangee = 0;
        for (const QRect& s : panneau)
            memeRangee += std::abs(s.top() - r.top()) <= 4 ? 1 : 0;
        if (memeRangee >= 2)
            rangee.append(r);
    }
    if (rangee.isEmpty() && panneau.size() == 1)
        rangee = panneau;
    if (rangee.isEmpty())
        return session_.echoue(QStringLiteral("The trump and bid panel shows no row of buttons"));
    // Jass: the last trump of the row. Belote: pass, the wide button below
    // the row's near-square ones (a court picture of the hand below is
    // taller than wide), else the first of them.
    const bool belote = session_.jeu() != DossierUtilisateur::Jass;
    QList<QRect> carres;
    for (const QRect& r : std::as_const(rangee))
        if (std::abs(r.width() - r.height()) * 5 <= 2 * std::max(r.width(), r.height()))
            carres.append(r);
    if (carres.isEmpty())
        carres = rangee;
    for (const QRect& r : panneau)
        if (r.top() > carres.first().bottom() - 2 && r.width() >= 2 * r.height() && r.left() < carres.last().right()
            && r.right() > carres.first().left())
            dessous = r;
    QRect choix = belote && !prend_ ? (dessous.isNull() ? carres.first() : dessous) : rangee.last();
    if (belote && contre_ && miseAdverseSimple(record)) {
        // The double stands last, right of the trumps (and as square as
        // they are).
        QRect droite;
        for (const QRect& r : panneau)
            if (droite.isNull() || r.left() > droite.left())
                droite = r;
        if (!droite.isNull() && droite.left() > carres.first().right()) {
            choix = droite;
            ++contres_;
        }
    }
    session_.garde(QStringLiteral("panel"));
    dernierCoup_ = record.lignes();
    aDejaJoue_ = true;
    ++coups_;
    return clique_(choix, belote ? QStringLiteral("bid panel") : QStringLiteral("trump panel"));
}

bool PiloteDePartie::repondBoite_(const QList<QRect>& boutons)
{
    // A window that has just closed (the file dialog) stays on the screen
    // until the table repaints under it, longer on a loaded machine: its
    // buttons read like a box's. A box is one still there at the next look.
    QThread::msleep(REGARD_MS);
    const QImage vue = session_.capture();
    if (!boutonPresent(vue, boutons.first()))
        return true;
    // A lone button right of the middle is the connection window's Cancel
    // or Close. While the connection waits for the host the window counts
    // the seconds down, and a person lets it be (a program just started
    // may take seconds to connect): it is answered once its words hold
    // still, telling how the connection ended.
    const QRect& bouton = boutons.first();
    if (boutons.size() == 1 && bouton.center().x() >= vue.width() * 3 / 5) {
        const QRect mots(vue.width() / 10, vue.height() / 5, bouton.right() - vue.width() / 10,
                         bouton.top() - vue.height() / 5);
        QElapsedTimer immobile;
        immobile.start();
        while (immobile.elapsed() < CONNEXION_IMMOBILE_MS) {
            QThread::msleep(REGARD_MS);
            if (!LectureEcran::identiques(vue, session_.capture(), mots))
                return true;
        }
    }
    ++boites_;
    session_.garde(QStringLiteral("box"));
    if (!toucheBoite_.isEmpty()) {
        // The box has the keyboard: the key answers it, and nothing behind.
        session_.touche(std::exchange(toucheBoite_, QString()));
        return attendsDisparition_(boutons.first(), QStringLiteral("message box answered by a key"));
    }
    return clique_(premierBouton_ ? boutons.first() : boutons.last(), QStringLiteral("message box"));
}

LectureEcran::Tapis PiloteDePartie::litTapis_(const QImage& image)
{
    LectureEcran::Tapis tapis = LectureEcran::tapis(image);
    if (tapis.trouve)
        zoneTapis_ = tapis.zone;
    else if (!zoneTapis_.isEmpty())
        tapis = LectureEcran::tapis(image, zoneTapis_.adjusted(-2, -2, 2, 2));
    return tapis;
}

QImage PiloteDePartie::tourAuRepos()
{
    QElapsedTimer attente;
    attente.start();
    QString vu;
    for (;;) {
        const RecordDePartie record = session_.record();
        const QImage image = session_.capture();
        QList<int> attendus;
        for (const RecordDePartie::CarteJouee& c : record.pliEnCours().cartes)
            attendus.append(c.siege);
        std::sort(attendus.begin(), attendus.end());
        const LectureEcran::Tapis tapis = litTapis_(image);
        QList<int> vus;
        for (const QRect& c : tapis.cartes)
            vus.append(LectureEcran::siegeDe(tapis, c));
        std::sort(vus.begin(), vus.end());
        QList<QRect> panneau;
        QList<QRect> boite;
        litBoutons(image, panneau, boite);
        const bool aide = sansAide_ || LectureEcran::aideAllumee(image);
        QImage apres;
        if (record.valide() && tapis.trouve && tapisDuRecord_(record, vus, attendus) && aide && panneau.isEmpty()
            && boite.isEmpty()
            && stable_(image, apres, QRect()))
            return apres;
        vu = QStringLiteral("the cloth shows cards of %1, the record's trick holds cards of %2, the help %3, %4 "
                            "panel buttons, %5 box buttons")
                 .arg(sieges(vus), sieges(attendus), aide ? QStringLiteral("lit") : QStringLiteral("greyed"))
                 .arg(panneau.size())
                 .arg(boite.size());
        if (attente.elapsed() > TAPIS_MS) {
            session_.echoue(QStringLiteral("The user's turn did not come to rest within %1 s (awaited: the "
                                           "record's trick alone on the cloth, the help lit, no panel or box, a "
                                           "still picture; seen: %2)")
                                .arg(TAPIS_MS / 1000)
                                .arg(vu));
            return QImage();
        }
        QThread::msleep(REGARD_MS);
    }
}

bool PiloteDePartie::tapisDuRecord_(const RecordDePartie& record, const QList<int>& vus, const QList<int>& attendus) const
{
    if (vus == attendus)
        return true;
    // Jass shows the announcements at the second trick: a card of the
    // first one that was announced lies at its seat beside the second
    // trick's cards (four tens, the ten of the first trick among them),
    // until the second trick's first card.
    const bool deuxiemePli =
        record.plis().size() - (record.pliEnCours().cartes.isEmpty() ? 0 : 1) == 1 && !record.plis().isEmpty()
        && record.plis().first().ramasse;
    return session_.jeu() == DossierUtilisateur::Jass && deuxiemePli
        && std::includes(vus.begin(), vus.end(), attendus.begin(), attendus.end());
}

bool PiloteDePartie::verifieTapis_(const RecordDePartie& premierRecord, const QImage& premiere)
{
    // The trick of the record, each card on its seat's side; a card still
    // flying in or out settles first, and the record is read again with each
    // look, so that a picture and a record taken a moment apart agree.
    RecordDePartie record = premierRecord;
    verifieTapisEnRetard_(record);
    QList<int> attendus;
    bool nouvelleDonne = false;
    const auto litAttendus = [&] {
        attendus.clear();
        for (const RecordDePartie::CarteJouee& c : record.pliEnCours().cartes)
            attendus.append(c.siege);
        std::sort(attendus.begin(), attendus.end());
        // At the first trick of a deal nothing of the last deal floats over
        // the cloth any more (a score's flight lasts about a second).
        nouvelleDonne = record.plis().size() <= 1;
    };
    litAttendus();
    QImage image = premiere;
    QElapsedTimer attente;
    attente.start();
    QList<int> vus;
    int encre = 0;
    int seuil = 0;
    bool aide = false;
    for (;;) {
        const LectureEcran::Tapis tapis = litTapis_(image);
        vus.clear();
        for (const QRect& c : tapis.cartes)
            vus.append(LectureEcran::siegeDe(tapis, c));
        std::sort(vus.begin(), vus.end());
        encre = tapis.encre;
        aide = aide || sansAide_ || LectureEcran::aideAllumee(image);
        // A few letters' worth: the name plates lie outside the middle.
        seuil = tapis.zone.width() * tapis.zone.height() / 250;
        if (tapis.trouve && vus == attendus && aide && (!nouvelleDonne || encre <= seuil))
            return true;
        if (attente.elapsed() > TAPIS_MS)
            break;
        QThread::msleep(REGARD_MS);
        image = session_.capture();
        // A box or a panel that comes up covers the cloth: it is answered
        // from the main loop, which then looks at the user's turn again.
        QList<QRect> panneau;
        QList<QRect> boite;
        litBoutons(image, panneau, boite);
        if (!panneau.isEmpty() || !boite.isEmpty())
            return true;
        const RecordDePartie relu = session_.record();
        if (relu.valide()) {
            record = relu;
            litAttendus();
        }
    }
    const auto note = [this](const QString& ecart) {
        if (!ecarts_.contains(ecart)) {
            ecarts_.append(ecart);
            qWarning().noquote() << "cloth mismatch:" << ecart;
        }
    };
    const int donne = record.nombreDeDonnes();
    const qsizetype pli = record.plis().size() + (record.pliEnCours().cartes.isEmpty() ? 1 : 0);
    if (!aide)
        note(QStringLiteral("deal %1 trick %2: at the user's turn the help button is greyed, as while the user only "
                            "watches")
                 .arg(donne)
                 .arg(pli));
    if (nouvelleDonne && encre > seuil) {
        session_.garde(QStringLiteral("floating_over_new_deal"));
        note(QStringLiteral("deal %1: texts still float over the cloth at the user's first turn (%2 pixels)")
                 .arg(donne)
                 .arg(encre));
    }
    if (tapisDuRecord_(record, vus, attendus))
        return true;
    // The autosave is written at the table's own steps, which a computer's
    // card and the user's turn may pass in one: the record may still hold
    // the trick without the cards played just before the user's turn. The
    // cloth then holds more: it is judged once the record holds the trick
    // with the user's card.
    if (std::includes(vus.begin(), vus.end(), attendus.begin(), attendus.end())
        && record.cartesJouees(0) == premierRecord.cartesJouees(0)) {
        tapisEnRetard_ = {record.nombreDeDonnes(), int(record.plis().size()) - (record.pliEnCours().cartes.isEmpty() ? 0 : 1),
                          record.cartesJouees(0), vus};
        return true;
    }
    session_.garde(QStringLiteral("cloth_mismatch"));
    note(QStringLiteral("deal %1 trick %2: the cloth shows cards of %3, the record's trick holds cards of %4")
             .arg(donne)
             .arg(pli)
             .arg(sieges(vus), sieges(attendus)));
    return true;
}

void PiloteDePartie::verifieTapisEnRetard_(const RecordDePartie& record)
{
    if (tapisEnRetard_.donne <= 0 || record.nombreDeDonnes() != tapisEnRetard_.donne
        || record.cartesJouees(0) <= tapisEnRetard_.cartesDeLUtilisateur)
        return;
    const TapisEnRetard attendu = std::exchange(tapisEnRetard_, TapisEnRetard());
    if (attendu.pli < 0 || attendu.pli >= record.plis().size())
        return;
    // The cards the user saw: those played before hers in that trick.
    QList<int> avant;
    for (const RecordDePartie::CarteJouee& c : record.plis().at(attendu.pli).cartes) {
        if (c.siege == 0)
            break;
        avant.append(c.siege);
    }
    std::sort(avant.begin(), avant.end());
    if (avant == attendu.vus)
        return;
    const QString ecart = QStringLiteral("deal %1 trick %2: the cloth showed cards of %3 at the user's turn, the "
                                         "record's trick holds cards of %4 before hers")
                              .arg(attendu.donne)
                              .arg(attendu.pli + 1)
                              .arg(sieges(attendu.vus), sieges(avant));
    if (!ecarts_.contains(ecart)) {
        ecarts_.append(ecart);
        qWarning().noquote() << "cloth mismatch:" << ecart;
    }
}

bool PiloteDePartie::joueCarte(const Vue& vue)
{
    if (!sansRecord_ && !verifieTapis_(vue.record, vue.image))
        return false;
    ++plisVerifies_;
    // The cloth may have taken a while to settle: the hand is read from a
    // picture taken now, once it holds still and the help is lit (the
    // program lights it as it marks the cards that may be played; a hand
    // read before is still all bright).
    QImage image;
    QElapsedTimer pret;
    pret.start();
    for (;;) {
        const QImage avant = session_.capture();
        if (stable_(avant, image, QRect()) && (sansAide_ || LectureEcran::aideAllumee(image)))
            break;
        if (pret.elapsed() > TAPIS_MS)
            break;
    }
    session_.garde(QStringLiteral("deal%1_trick%2").arg(vue.record.nombreDeDonnes()).arg(vue.record.plis().size()
                                                                                          + (vue.record.pliEnCours().cartes.isEmpty() ? 1 : 0)));
    // A panel or a box that came up meanwhile is answered first, from the
    // main loop.
    QList<QRect> panneauVenu;
    QList<QRect> boiteVenue;
    litBoutons(image, panneauVenu, boiteVenue);
    const LectureEcran::Main main = LectureEcran::main(image);
    if (main.jouables.isEmpty() || !panneauVenu.isEmpty() || !boiteVenue.isEmpty())
        return true;
    mainsLues_.append({vue.record.nombreDeDonnes(), vue.record.cartesJouees(0), main.droite - main.gauche});
    // The middle one of the parts that may be played.
    const QPoint p = main.jouables.at(main.jouables.size() / 2);
    session_.ecran().doubleClique(session_.fenetre().topLeft() + p);
    eloigneSouris_();
    // A card taken leaves the hand, whose ends then move as it closes up; a
    // refused card only changes the hand's shades: the user then looks
    // again.
    QElapsedTimer attente;
    attente.start();
    while (attente.elapsed() < PRISE_MS) {
        QThread::msleep(REGARD_MS);
        const QImage apres = session_.capture();
        // A box that covers the table takes the click: it is answered, and
        // the card played, from the main loop.
        QList<QRect> panneau;
        QList<QRect> boite;
        litBoutons(apres, panneau, boite);
        if (!boite.isEmpty())
            return true;
        const LectureEcran::Main ensuite = LectureEcran::main(apres);
        if (std::abs(ensuite.gauche - main.gauche) > 2 || std::abs(ensuite.droite - main.droite) > 2) {
            dernierCoup_ = vue.record.lignes();
            aDejaJoue_ = true;
            ++coups_;
            ++cartes_;
            mainBaissee_ = false;
            refus_ = 0;
            return true;
        }
    }
    // Tries are counted for one request: a take slower than the wait, seen
    // only at the next look, is not a refusal of the next card.
    if (vue.record.lignes() != requeteRefusee_) {
        requeteRefusee_ = vue.record.lignes();
        refus_ = 0;
    }
    if (++refus_ > REFUS_MAX)
        return session_.echoue(QStringLiteral("The user's double-clicked card never left the hand (%1 tries)").arg(refus_));
    return true;
}

bool PiloteDePartie::joue(const Condition& fini, int sansProgresMs)
{
    sansProgresMs = lenteur::limite(sansProgresMs);
    QElapsedTimer progres;
    progres.start();
    QStringList vu;
    QString attente = QStringLiteral("the game to start");
    for (;;) {
        if (session_.tempsRestantMs() <= 0)
            return session_.echoue(QStringLiteral("The case ran out of time while waiting for %1").arg(attente));
        if (progres.elapsed() > sansProgresMs)
            return session_.echoue(QStringLiteral("Nothing moved for %1 s while waiting for %2")
                                       .arg(sansProgresMs / 1000)
                                       .arg(attente));
        if (!session_.enMarche())
            return session_.echoue(QStringLiteral("The program ended while waiting for %1").arg(attente));
        Vue vue;
        vue.image = session_.capture();
        if (!sansRecord_)
            vue.record = session_.record();
        if (vue.image.isNull()) {
            QThread::msleep(REGARD_MS);
            continue;
        }
        if (vue.record.valide() && vue.record.lignes() != vu) {
            vu = vue.record.lignes();
            progres.restart();
        }

        QList<QRect> panneau;
        litBoutons(vue.image, panneau, vue.boutons);
        const LectureEcran::Main main = LectureEcran::main(vue.image);
        const bool levee = main.haut >= 0 && main.haut <= vue.image.height() * MAIN_LEVEE;
        const bool aide = sansAide_ || LectureEcran::aideAllumee(vue.image);
        bool demande = vue.record.valide() && (!aDejaJoue_ || vue.record.lignes() != dernierCoup_);
        if (sansRecord_) {
            // The window moves while the game does: a picture unlike the
            // last one is progress.
            if (!LectureEcran::identiques(vue.image, dernierRegard_))
                progres.restart();
            dernierRegard_ = vue.image;
            mainBaissee_ = mainBaissee_ || !levee;
            demande = levee && aide && mainBaissee_;
        }
        // Cards are asked when the program lights the help for the user's
        // card: before, a whole bright hand only waits for the others' bids.
        // The record may be written before the window shows the request
        // (after a trick, or seconds ahead on a loaded machine): the user's
        // turn is the one the window shows too, with the help lit.
        const bool phaseDesCartes = sansRecord_ || aide;
        vue.demandeCarte = demande && phaseDesCartes && boites_ >= boitesAvantDeJouer_ && panneau.isEmpty()
                        && vue.boutons.isEmpty()
                        && !main.jouables.isEmpty();
        if (fini(vue))
            return true;

        if (!panneau.isEmpty()) {
            QImage apres;
            if (!stable_(vue.image, apres, panneau.first().united(panneau.last())))
                continue;
            QList<QRect> panneauStable;
            QList<QRect> aucune;
            litBoutons(apres, panneauStable, aucune);
            // Gone between the two looks (answered by the table, or still
            // coming up on a loaded machine): look again.
            if (panneauStable.isEmpty())
                continue;
            if (!choisitDansPanneau_(panneauStable, vue.record))
                return false;
            progres.restart();
            continue;
        }
        if (!vue.boutons.isEmpty()) {
            QImage apres;
            QList<QRect> panneauStable;
            QList<QRect> boiteStable;
            if (!stable_(vue.image, apres, QRect()))
                continue;
            litBoutons(apres, panneauStable, boiteStable);
            if (boiteStable.size() != vue.boutons.size())
                continue;
            if (!repondBoite_(vue.boutons))
                return false;
            progres.restart();
            continue;
        }
        if (demande) {
            attente = QStringLiteral("a card of the user to stand ready (the record asks the user; the hand's top "
                                     "at %1 of the window's height, %2)")
                          .arg(double(main.haut) / vue.image.height(), 0, 'f', 2)
                          .arg(levee ? QStringLiteral("raised") : QStringLiteral("not raised"));
        } else {
            attente = QStringLiteral("the game to go on after the user's move (the computer players, the "
                                     "trick's collect, the next request to the user)");
        }
        if (vue.demandeCarte) {
            QImage apres;
            if (!stable_(vue.image, apres, QRect()))
                continue;
            // A box or a panel that came up meanwhile is answered first.
            QList<QRect> panneauApres;
            QList<QRect> boiteApres;
            litBoutons(apres, panneauApres, boiteApres);
            if (!panneauApres.isEmpty() || !boiteApres.isEmpty())
                continue;
            vue.image = apres;
            if (!joueCarte(vue))
                return false;
            progres.restart();
            continue;
        }
        // The user's turn is watched closely; the computers' at leisure,
        // which leaves the processor to the program.
        QThread::msleep(demande ? REGARD_MS : ATTENTE_MS);
    }
}
