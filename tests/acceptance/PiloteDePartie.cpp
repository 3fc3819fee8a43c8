#include "PiloteDePartie.h"

#include "SessionDeJeu.h"

#include <QElapsedTimer>
#include <QSet>
#include <QThread>

#include <algorithm>

namespace {

constexpr int REGARD_MS = 100;
constexpr int STABILITE_MS = 180;
constexpr int DISPARITION_MS = 6000;
constexpr int TAPIS_MS = 2500;
// The hand stands raised while its seat is asked: its top is then above
// this share of the window's height (about 0.72; 0.81 at rest).
constexpr double MAIN_LEVEE = 0.765;

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

QList<QRect> PiloteDePartie::boutonsDuPanneau(const QImage& image)
{
    const QList<QRect> tous = LectureEcran::boutons(image, QRect(0, image.height() / 2, image.width(), image.height() / 2));
    // The panel: three buttons or more on one row, and what lies below them.
    for (const QRect& r : tous) {
        int memeRangee = 0;
        for (const QRect& s : tous)
            memeRangee += std::abs(s.top() - r.top()) <= 4 ? 1 : 0;
        if (memeRangee >= 3)
            return tous;
    }
    return {};
}

QList<QRect> PiloteDePartie::boutonsDeBoite(const QImage& image)
{
    if (!boutonsDuPanneau(image).isEmpty())
        return {};
    QList<QRect> tous = LectureEcran::boutons(image, QRect(0, image.height() / 8, image.width(), image.height() * 7 / 8));
    // A box's buttons hold one word: well wider than tall.
    tous.erase(std::remove_if(tous.begin(), tous.end(), [](const QRect& r) { return r.width() < 2 * r.height(); }),
               tous.end());
    return tous.size() >= 1 && tous.size() <= 2 ? tous : QList<QRect>();
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

bool PiloteDePartie::clique_(const QRect& bouton, const QString& quoi)
{
    const QPoint ecran = session_.fenetre().topLeft() + bouton.center();
    session_.ecran().clique(ecran);
    eloigneSouris_();
    // The button goes once the click is taken.
    QElapsedTimer attente;
    attente.start();
    while (attente.elapsed() < DISPARITION_MS) {
        QThread::msleep(REGARD_MS);
        const QImage image = session_.capture();
        bool encore = false;
        for (const QRect& r : LectureEcran::boutons(image))
            encore = encore || (r.intersects(bouton) && std::abs(r.width() - bouton.width()) <= 4);
        if (!encore)
            return true;
    }
    return session_.echoue(QStringLiteral("The %1 stayed on the window after a click on it").arg(quoi));
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
        if (memeRangee >= 3)
            rangee.append(r);
    }
    for (const QRect& r : panneau)
        if (!rangee.isEmpty() && r.top() > rangee.first().bottom())
            dessous = r;
    // Jass: the last trump of the row. Belote: pass, below the row or first
    // in it.
    const bool belote = session_.jeu() == DossierUtilisateur::BeloteContree;
    const QRect choix = belote ? (dessous.isNull() ? rangee.first() : dessous) : rangee.last();
    session_.garde(QStringLiteral("panel"));
    dernierCoup_ = record.lignes();
    aDejaJoue_ = true;
    ++coups_;
    return clique_(choix, belote ? QStringLiteral("bid panel") : QStringLiteral("trump panel"));
}

bool PiloteDePartie::repondBoite_(const QList<QRect>& boutons)
{
    ++boites_;
    session_.garde(QStringLiteral("box"));
    return clique_(premierBouton_ ? boutons.first() : boutons.last(), QStringLiteral("message box"));
}

bool PiloteDePartie::verifieTapis_(const RecordDePartie& record, const QImage& premiere)
{
    // The trick of the record, each card on its seat's side; a card still
    // flying in or out settles first.
    QList<int> attendus;
    for (const RecordDePartie::CarteJouee& c : record.pliEnCours().cartes)
        attendus.append(c.siege);
    std::sort(attendus.begin(), attendus.end());
    QImage image = premiere;
    QElapsedTimer attente;
    attente.start();
    QList<int> vus;
    for (;;) {
        const LectureEcran::Tapis tapis = LectureEcran::tapis(image);
        vus.clear();
        for (const QRect& c : tapis.cartes)
            vus.append(LectureEcran::siegeDe(tapis, c));
        std::sort(vus.begin(), vus.end());
        if (tapis.trouve && vus == attendus)
            return true;
        if (attente.elapsed() > TAPIS_MS)
            break;
        QThread::msleep(REGARD_MS);
        image = session_.capture();
    }
    session_.garde(QStringLiteral("cloth_mismatch"));
    ecarts_.append(QStringLiteral("deal %1 trick %2: the cloth shows cards of %3, the record's trick holds cards of %4")
                       .arg(record.nombreDeDonnes())
                       .arg(record.plis().size() + (record.pliEnCours().cartes.isEmpty() ? 1 : 0))
                       .arg(sieges(vus), sieges(attendus)));
    qWarning().noquote() << "cloth mismatch:" << ecarts_.last();
    return true;
}

bool PiloteDePartie::joueCarte(const Vue& vue)
{
    const LectureEcran::Main main = LectureEcran::main(vue.image);
    if (!verifieTapis_(vue.record, vue.image))
        return false;
    ++plisVerifies_;
    session_.garde(QStringLiteral("deal%1_trick%2").arg(vue.record.nombreDeDonnes()).arg(vue.record.plis().size()
                                                                                          + (vue.record.pliEnCours().cartes.isEmpty() ? 1 : 0)));
    // The middle one of the parts that may be played.
    const QPoint p = main.jouables.at(main.jouables.size() / 2);
    dernierCoup_ = vue.record.lignes();
    aDejaJoue_ = true;
    ++coups_;
    session_.ecran().doubleClique(session_.fenetre().topLeft() + p);
    eloigneSouris_();
    return true;
}

bool PiloteDePartie::joue(const Condition& fini, int sansProgresMs)
{
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
        vue.record = session_.record();
        if (vue.image.isNull()) {
            QThread::msleep(REGARD_MS);
            continue;
        }
        if (vue.record.valide() && vue.record.lignes() != vu) {
            vu = vue.record.lignes();
            progres.restart();
        }

        const QList<QRect> panneau = boutonsDuPanneau(vue.image);
        vue.boutons = panneau.isEmpty() ? boutonsDeBoite(vue.image) : QList<QRect>();
        const bool demande = vue.record.valide() && (!aDejaJoue_ || vue.record.lignes() != dernierCoup_);
        const LectureEcran::Main main = LectureEcran::main(vue.image);
        const bool levee = main.haut >= 0 && main.haut <= vue.image.height() * MAIN_LEVEE;
        vue.demandeCarte = demande && panneau.isEmpty() && vue.boutons.isEmpty() && !main.jouables.isEmpty();
        if (fini(vue))
            return true;

        if (!panneau.isEmpty()) {
            QImage apres;
            if (!stable_(vue.image, apres, panneau.first().united(panneau.last())))
                continue;
            if (!choisitDansPanneau_(boutonsDuPanneau(apres), vue.record))
                return false;
            progres.restart();
            continue;
        }
        if (!vue.boutons.isEmpty()) {
            QImage apres;
            if (!stable_(vue.image, apres, QRect()) || boutonsDeBoite(apres).size() != vue.boutons.size())
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
            vue.image = apres;
            if (!joueCarte(vue))
                return false;
            progres.restart();
            continue;
        }
        QThread::msleep(REGARD_MS);
    }
}
