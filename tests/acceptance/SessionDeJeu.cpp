#include "SessionDeJeu.h"

#include "Descendance.h"
#include "LectureEcran.h"
#include "Lenteur.h"
#include "PiloteDePartie.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <utility>

namespace {

constexpr const char* TITRE = "Jass & Belote";
const int FENETRE_MS = lenteur::limite(20000);
const int FIN_MS = lenteur::limite(15000);
constexpr int SONDAGE_MS = 50;
const int DIALOGUE_MS = lenteur::limite(8000);
// A menu drops down at once; seconds on a loaded machine.
constexpr int MENU_MS = 8000;
constexpr int MARGE_ECRAN = 64;

// Whether the picture shows more than one colour.
bool dessinee(const QImage& image)
{
    if (image.isNull())
        return false;
    const QRgb premier = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (image.pixel(x, y) != premier)
                return true;
    return false;
}

} // namespace

SessionDeJeu::SessionDeJeu(const QString& nomDuCas, int limiteSecondes)
    : nom_(nomDuCas)
    , limiteMs_(lenteur::limite(limiteSecondes * 1000))
    , images_(qEnvironmentVariableIsEmpty("ZUBRIK_ACCEPTANCE_PICTURES")
                  ? QStringLiteral(ZB_IMAGES_ACCEPTATION)
                  : qEnvironmentVariable("ZUBRIK_ACCEPTANCE_PICTURES"))
{
    // The variable keeps the pictures of runs made side by side apart.
    chrono_.start();
    QDir(images_).mkpath(QStringLiteral("."));
    // The pictures of an earlier run of this case would mislead.
    for (const QString& ancien : QDir(images_).entryList({nom_ + QStringLiteral("_*.png")}, QDir::Files))
        QFile::remove(QDir(images_).filePath(ancien));
}

SessionDeJeu::~SessionDeJeu()
{
    if (programme_.state() != QProcess::NotRunning) {
        programme_.kill();
        programme_.waitForFinished(5000);
    }
}

int SessionDeJeu::tempsRestantMs() const
{
    return int(limiteMs_ - chrono_.elapsed());
}

bool SessionDeJeu::prepare(const DossierUtilisateur::Reglages& reglages)
{
    jeu_ = reglages.jeu;
    QString erreur;
    // Without a window manager the window comes a little below the top:
    // the screen leaves room for it.
    if (!ecran_.demarre(reglages.fenetre.width(), reglages.fenetre.height() + MARGE_ECRAN, &erreur))
        return echoue(erreur);
    if (!maison_.valide() || !maison_.prepare(reglages, &erreur))
        return echoue(erreur.isEmpty() ? QStringLiteral("No home folder") : erreur);
    return true;
}

bool SessionDeJeu::lance()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& v : maison_.environnement())
        env.insert(v.section(QLatin1Char('='), 0, 0), v.section(QLatin1Char('='), 1));
    env.insert(QStringLiteral("DISPLAY"), ecran_.nomAffichage());
    // The tests run offscreen; the program must show a real window.
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
    // Several programs render side by side beside the other test areas: one
    // rendering thread each, or a small machine is swamped by their threads.
    env.insert(QStringLiteral("LP_NUM_THREADS"), QStringLiteral("1"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    programme_.setProcessEnvironment(env);
    programme_.setStandardOutputFile(maison_.racine() + QStringLiteral("/stdout.txt"), QIODevice::Append);
    programme_.setStandardErrorFile(maison_.racine() + QStringLiteral("/stderr.txt"), QIODevice::Append);
    descendance::finitAvecLeParent(programme_);
    programme_.start(QStringLiteral(ZB_PROGRAMME), arguments_);
    if (!programme_.waitForStarted(FENETRE_MS))
        return echoue(QStringLiteral("The program did not start: %1").arg(programme_.errorString()));
    QElapsedTimer attente;
    attente.start();
    bool montree = false;
    while (attente.elapsed() < FENETRE_MS && tempsRestantMs() > 0) {
        fenetre_ = ecran_.fenetre(QLatin1String(TITRE), &idFenetre_);
        // Mapped is not ready: a window not drawn yet (all one colour)
        // loses the keys sent to it. Its drawing has a limit of its own.
        if (!fenetre_.isEmpty() && !std::exchange(montree, true))
            attente.restart();
        if (!fenetre_.isEmpty() && dessinee(ecran_.capture(fenetre_)))
            return true;
        if (programme_.state() == QProcess::NotRunning)
            return echoue(QStringLiteral("The program ended at start (exit code %1)").arg(programme_.exitCode()));
        QThread::msleep(SONDAGE_MS);
    }
    return echoue(fenetre_.isEmpty() ? QStringLiteral("No window titled '%1' appeared").arg(QLatin1String(TITRE))
                                     : QStringLiteral("The window stayed undrawn (one colour)"));
}

void SessionDeJeu::tue()
{
    if (programme_.state() != QProcess::NotRunning) {
        programme_.kill();
        programme_.waitForFinished(5000);
    }
    fenetre_ = QRect();
}

bool SessionDeJeu::quitte()
{
    touche(QStringLiteral("ctrl+q"));
    if (!programme_.waitForFinished(FIN_MS))
        return echoue(QStringLiteral("The program did not end after Ctrl+Q"));
    if (programme_.exitStatus() != QProcess::NormalExit || programme_.exitCode() != 0)
        return echoue(QStringLiteral("The program ended badly after Ctrl+Q (exit code %1, %2)")
                          .arg(programme_.exitCode())
                          .arg(programme_.exitStatus() == QProcess::CrashExit ? QStringLiteral("crashed")
                                                                              : QStringLiteral("normal exit")));
    fenetre_ = QRect();
    return true;
}

QImage SessionDeJeu::capture()
{
    const QRect r = ecran_.fenetre(QLatin1String(TITRE), &idFenetre_);
    if (!r.isEmpty())
        fenetre_ = r;
    return fenetre_.isEmpty() ? QImage() : ecran_.capture(fenetre_);
}

QImage SessionDeJeu::garde(const QString& nom)
{
    // The whole screen: a dialog of its own (a file dialog) shows too.
    const QImage image = ecran_.capture();
    image.save(QDir(images_).filePath(QStringLiteral("%1_%2_%3.png").arg(nom_).arg(++numero_, 3, 10, QLatin1Char('0')).arg(nom)));
    return fenetre_.isEmpty() ? image : image.copy(fenetre_);
}

void SessionDeJeu::touche(const QString& combinaison)
{
    // The keyboard goes to the window, as after a click on it.
    if (!fenetre_.isEmpty())
        ecran_.deplace(fenetre_.center());
    ecran_.focus(idFenetre_);
    ecran_.touche(combinaison);
}

QRect SessionDeJeu::ouvreMenu(const QString& combinaison)
{
    touche(combinaison);
    QElapsedTimer attente;
    attente.start();
    for (;;) {
        const QRect menu = ecran_.surgissante();
        if (!menu.isEmpty())
            return menu;
        if (attente.elapsed() > lenteur::limite(MENU_MS) || !enMarche()) {
            echoue(QStringLiteral("No menu dropped down within %1 s of %2 (no pop-up on the screen)")
                       .arg(lenteur::limite(MENU_MS) / 1000)
                       .arg(combinaison));
            return QRect();
        }
        QThread::msleep(SONDAGE_MS);
    }
}

QRect SessionDeJeu::attendsSousMenu(const QRect& menu, const QString& quoi)
{
    QElapsedTimer attente;
    attente.start();
    QImage avant;
    for (;;) {
        const QRect sous = ecran_.surgissante();
        const QImage image = sous.isEmpty() || sous == menu ? QImage() : ecran_.capture(sous);
        // Drawn once it holds still.
        if (!image.isNull() && image == avant)
            return sous;
        avant = image;
        if (attente.elapsed() > lenteur::limite(MENU_MS) || !enMarche()) {
            echoue(QStringLiteral("No submenu %1 dropped down within %2 s (the topmost pop-up: %3)")
                       .arg(quoi)
                       .arg(lenteur::limite(MENU_MS) / 1000)
                       .arg(sous.isEmpty() ? QStringLiteral("none")
                            : sous == menu ? QStringLiteral("the menu itself")
                                           : QStringLiteral("still drawing")));
            return QRect();
        }
        QThread::msleep(SONDAGE_MS);
    }
}

bool SessionDeJeu::attendsBoite(bool visible, int limiteMs)
{
    QElapsedTimer attente;
    attente.start();
    do {
        QList<QRect> panneau;
        QList<QRect> boite;
        PiloteDePartie::litBoutons(capture(), panneau, boite);
        if (boite.isEmpty() != visible)
            return true;
        QThread::msleep(200);
    } while (attente.elapsed() < lenteur::limite(limiteMs) && enMarche());
    return false;
}

QImage SessionDeJeu::immobile()
{
    QImage avant = capture();
    for (int i = 0; i < 25; ++i) {
        QThread::msleep(200);
        const QImage apres = capture();
        if (LectureEcran::identiques(avant, apres))
            return apres;
        avant = apres;
    }
    return avant;
}

QImage SessionDeJeu::attendsChangement(const QImage& reference, const QList<QRect>& zones, int minimum,
                                       const QString& quoi)
{
    QElapsedTimer attente;
    attente.start();
    QStringList vus;
    while (attente.elapsed() < lenteur::limite(10000) && enMarche()) {
        const QImage image = capture();
        vus.clear();
        bool tous = true;
        for (const QRect& z : zones) {
            const int n = LectureEcran::changes(reference, image, z, false);
            vus << QString::number(n);
            tous = tous && n >= minimum;
        }
        if (tous)
            return immobile();
        QThread::msleep(200);
    }
    echoue(QStringLiteral("%1 did not show within %2 s (awaited: %3 changed pixels in each zone; seen: %4)")
               .arg(quoi)
               .arg(lenteur::limite(10000) / 1000)
               .arg(minimum)
               .arg(vus.join(QStringLiteral(", "))));
    return QImage();
}

RecordDePartie SessionDeJeu::record() const
{
    RecordDePartie r;
    r.lit(maison_.autosave());
    return r;
}

bool SessionDeJeu::remplitDialogue(const QString& titre, const QString& chemin)
{
    QElapsedTimer attente;
    attente.start();
    unsigned long dialogue = 0;
    while (ecran_.fenetre(titre, &dialogue).isEmpty() && attente.elapsed() < DIALOGUE_MS)
        QThread::msleep(SONDAGE_MS);
    if (dialogue == 0)
        return false;
    // The file name field has the keyboard when the dialog opens.
    ecran_.focus(dialogue);
    ecran_.tape(chemin);
    const QRect place = ecran_.fenetre(titre);
    QImage vu = ecran_.capture(place);
    ecran_.touche(QStringLiteral("Return"));
    attente.restart();
    bool encore = true;
    while (!ecran_.fenetre(titre).isEmpty() && attente.elapsed() < DIALOGUE_MS) {
        // The name field's completion list, when it came up under the
        // typing, takes the first Return.
        if (encore && attente.elapsed() > DIALOGUE_MS / 4) {
            encore = false;
            ecran_.touche(QStringLiteral("Return"));
        }
        vu = ecran_.capture(place);
        QThread::msleep(SONDAGE_MS);
    }
    if (!ecran_.fenetre(titre).isEmpty())
        return false;
    // The dialog's pixels stay on the screen until the window under it
    // repaints there, seconds later on a loaded machine, and its buttons
    // would read as a message box's: its place is waited for to change.
    attente.restart();
    while (!vu.isNull() && attente.elapsed() < DIALOGUE_MS) {
        const QImage la = ecran_.capture(place);
        qsizetype autres = 0;
        if (la.size() == vu.size())
            for (int y = 0; y < la.height(); y += 2)
                for (int x = 0; x < la.width(); x += 2)
                    autres += la.pixel(x, y) != vu.pixel(x, y) ? 1 : 0;
        // Most of it: the name field and its completion list may differ.
        if (la.size() != vu.size() || autres * 4 * 4 > qsizetype(la.width()) * la.height())
            break;
        QThread::msleep(SONDAGE_MS);
    }
    return true;
}

bool SessionDeJeu::attendsRecord(const QStringList& avant, int limiteMs)
{
    const int limite = lenteur::limite(limiteMs);
    QElapsedTimer attente;
    attente.start();
    while (attente.elapsed() < limite && tempsRestantMs() > 0) {
        const RecordDePartie r = record();
        if (r.valide() && r.lignes() != avant)
            return true;
        QThread::msleep(SONDAGE_MS);
    }
    return false;
}

bool SessionDeJeu::echoue(const QString& message)
{
    if (echec_.isEmpty()) {
        echec_ = message;
        if (!ecran_.nomAffichage().isEmpty())
            garde(QStringLiteral("failure"));
        echec_ += QStringLiteral(" [record: %1] [pictures: %2/%3_*.png] [home: %4]")
                      .arg(record().resume(), images_, nom_, maison_.racine());
        maison_.garde();
    }
    if (programme_.state() != QProcess::NotRunning) {
        programme_.kill();
        programme_.waitForFinished(5000);
    }
    return false;
}
