#include "EcranVirtuel.h"

#include "Descendance.h"
#include "Lenteur.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

#include <functional>

// The X headers come last: they define macros (None, Bool, Status) that Qt's
// headers would otherwise meet.
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

const int DEMARRAGE_MS = lenteur::limite(15000);
constexpr int PAUSE_ENTRE_EVENEMENTS_MS = 30;
constexpr int PAUSE_DOUBLE_CLIC_MS = 70;
constexpr int PROFONDEUR = 24;

// A window that vanished between two calls is no reason to end the tests.
int ignoreErreur(Display*, XErrorEvent*)
{
    return 0;
}

QString titreDe(Display* d, Window w)
{
    // The UTF-8 title first, the old one else.
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    const Atom nomNet = XInternAtom(d, "_NET_WM_NAME", False);
    Atom type = 0;
    int format = 0;
    unsigned long n = 0;
    unsigned long reste = 0;
    unsigned char* donnees = nullptr;
    QString titre;
    if (XGetWindowProperty(d, w, nomNet, 0, 1024, False, utf8, &type, &format, &n, &reste, &donnees) == Success
        && donnees != nullptr) {
        titre = QString::fromUtf8(reinterpret_cast<const char*>(donnees), int(n));
        XFree(donnees);
    }
    if (titre.isEmpty()) {
        char* nom = nullptr;
        if (XFetchName(d, w, &nom) && nom != nullptr) {
            titre = QString::fromLocal8Bit(nom);
            XFree(nom);
        }
    }
    return titre;
}

// The topmost mapped window on the screen that passes the test, and where
// it lies; its id through id.
QRect premiereFenetre(Display* d, unsigned long* id,
                      const std::function<bool(Display*, Window, const XWindowAttributes&)>& choisie)
{
    Window racine = DefaultRootWindow(d);
    Window parent = 0;
    Window* enfants = nullptr;
    unsigned int n = 0;
    QRect trouvee;
    if (!XQueryTree(d, racine, &racine, &parent, &enfants, &n))
        return QRect();
    // The children come bottom first.
    for (int i = int(n) - 1; i >= 0 && trouvee.isEmpty(); --i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, enfants[i], &a) || a.map_state != IsViewable || !choisie(d, enfants[i], a))
            continue;
        int x = 0;
        int y = 0;
        Window enfant = 0;
        XTranslateCoordinates(d, enfants[i], racine, 0, 0, &x, &y, &enfant);
        trouvee = QRect(x, y, a.width, a.height);
        if (id != nullptr)
            *id = enfants[i];
    }
    if (enfants != nullptr)
        XFree(enfants);
    return trouvee;
}

} // namespace

struct EcranVirtuel::Connexion
{
    Display* d = nullptr;
    ~Connexion()
    {
        if (d != nullptr)
            XCloseDisplay(d);
    }
};

EcranVirtuel::EcranVirtuel() = default;

EcranVirtuel::~EcranVirtuel()
{
    x_.reset();
    if (xvfb_.state() != QProcess::NotRunning) {
        xvfb_.terminate();
        if (!xvfb_.waitForFinished(3000)) {
            xvfb_.kill();
            xvfb_.waitForFinished(3000);
        }
    }
}

bool EcranVirtuel::xvfbDisponible()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty();
}

bool EcranVirtuel::demarre(int largeur, int hauteur, QString* erreur)
{
    // The server writes the display it chose to standard output.
    xvfb_.setProcessChannelMode(QProcess::SeparateChannels);
    xvfb_.setStandardErrorFile(QProcess::nullDevice());
    descendance::finitAvecLeParent(xvfb_, SIGTERM);
    xvfb_.start(QStringLiteral("Xvfb"),
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                 QStringLiteral("%1x%2x%3").arg(largeur).arg(hauteur).arg(PROFONDEUR), QStringLiteral("-nolisten"),
                 QStringLiteral("tcp"), QStringLiteral("-noreset"), QStringLiteral("-s"), QStringLiteral("0")});
    if (!xvfb_.waitForStarted(DEMARRAGE_MS)) {
        *erreur = QStringLiteral("Xvfb did not start: %1").arg(xvfb_.errorString());
        return false;
    }
    QElapsedTimer chrono;
    chrono.start();
    QByteArray sortie;
    while (!sortie.contains('\n') && chrono.elapsed() < DEMARRAGE_MS && xvfb_.state() == QProcess::Running) {
        xvfb_.waitForReadyRead(200);
        sortie += xvfb_.readAllStandardOutput();
    }
    bool ok = false;
    const int numero = sortie.trimmed().toInt(&ok);
    if (!ok) {
        *erreur = QStringLiteral("Xvfb gave no display number");
        return false;
    }
    nom_ = QStringLiteral(":%1").arg(numero);
    XSetErrorHandler(ignoreErreur);
    x_ = std::make_unique<Connexion>();
    x_->d = XOpenDisplay(nom_.toLatin1().constData());
    if (x_->d == nullptr) {
        *erreur = QStringLiteral("Cannot open the X display %1").arg(nom_);
        return false;
    }
    int evenement = 0;
    int erreurX = 0;
    int majeur = 0;
    int mineur = 0;
    if (!XTestQueryExtension(x_->d, &evenement, &erreurX, &majeur, &mineur)) {
        *erreur = QStringLiteral("The X server %1 has no XTest extension").arg(nom_);
        return false;
    }
    return true;
}

QRect EcranVirtuel::fenetre(const QString& titre, unsigned long* id) const
{
    if (!x_ || x_->d == nullptr)
        return QRect();
    return premiereFenetre(x_->d, id, [&titre](Display* d, Window w, const XWindowAttributes&) {
        return titreDe(d, w).contains(titre);
    });
}

QRect EcranVirtuel::surgissante() const
{
    if (!x_ || x_->d == nullptr)
        return QRect();
    // Pop-ups place themselves, past any window manager.
    return premiereFenetre(x_->d, nullptr,
                           [](Display*, Window, const XWindowAttributes& a) { return a.override_redirect != 0; });
}

QImage EcranVirtuel::capture(const QRect& zone) const
{
    if (!x_ || x_->d == nullptr)
        return QImage();
    Display* d = x_->d;
    const Window racine = DefaultRootWindow(d);
    XWindowAttributes a;
    XGetWindowAttributes(d, racine, &a);
    const QRect ecran(0, 0, a.width, a.height);
    const QRect r = zone.isEmpty() ? ecran : zone.intersected(ecran);
    if (r.isEmpty())
        return QImage();
    XImage* image = XGetImage(d, racine, r.x(), r.y(), unsigned(r.width()), unsigned(r.height()), AllPlanes, ZPixmap);
    if (image == nullptr)
        return QImage();
    QImage copie(r.width(), r.height(), QImage::Format_RGB32);
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (int y = 0; y < r.height(); ++y) {
        auto* ligne = reinterpret_cast<QRgb*>(copie.scanLine(y));
        if (direct) {
            const auto* source = reinterpret_cast<const quint32*>(image->data + qsizetype(y) * image->bytes_per_line);
            for (int x = 0; x < r.width(); ++x)
                ligne[x] = 0xff000000u | (source[x] & 0x00ffffffu);
        } else {
            for (int x = 0; x < r.width(); ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                ligne[x] = qRgb(int((p & image->red_mask) >> 16), int((p & image->green_mask) >> 8),
                                int(p & image->blue_mask));
            }
        }
    }
    XDestroyImage(image);
    return copie;
}

void EcranVirtuel::pause_(int ms) const
{
    QThread::msleep(static_cast<unsigned long>(ms));
}

void EcranVirtuel::deplace(QPoint p)
{
    if (!x_)
        return;
    XTestFakeMotionEvent(x_->d, -1, p.x(), p.y(), CurrentTime);
    XFlush(x_->d);
    pause_(PAUSE_ENTRE_EVENEMENTS_MS);
}

void EcranVirtuel::bouton_(bool enfonce)
{
    XTestFakeButtonEvent(x_->d, 1, enfonce ? True : False, CurrentTime);
    XFlush(x_->d);
}

void EcranVirtuel::clique(QPoint p)
{
    if (!x_)
        return;
    deplace(p);
    bouton_(true);
    pause_(PAUSE_ENTRE_EVENEMENTS_MS);
    bouton_(false);
    pause_(PAUSE_ENTRE_EVENEMENTS_MS);
}

void EcranVirtuel::doubleClique(QPoint p)
{
    if (!x_)
        return;
    deplace(p);
    for (int i = 0; i < 2; ++i) {
        bouton_(true);
        pause_(PAUSE_ENTRE_EVENEMENTS_MS);
        bouton_(false);
        if (i == 0)
            pause_(PAUSE_DOUBLE_CLIC_MS);
    }
    pause_(PAUSE_ENTRE_EVENEMENTS_MS);
}

void EcranVirtuel::touche(const QString& combinaison)
{
    if (!x_)
        return;
    QList<KeyCode> codes;
    for (const QString& nom : combinaison.split(QLatin1Char('+'))) {
        KeySym s = NoSymbol;
        const QString n = nom.trimmed();
        if (n.compare(QLatin1String("ctrl"), Qt::CaseInsensitive) == 0)
            s = XK_Control_L;
        else if (n.compare(QLatin1String("shift"), Qt::CaseInsensitive) == 0)
            s = XK_Shift_L;
        else if (n.compare(QLatin1String("alt"), Qt::CaseInsensitive) == 0)
            s = XK_Alt_L;
        else
            s = XStringToKeysym(n.toLatin1().constData());
        if (s == NoSymbol)
            continue;
        codes.append(XKeysymToKeycode(x_->d, s));
    }
    for (const KeyCode c : std::as_const(codes))
        XTestFakeKeyEvent(x_->d, c, True, CurrentTime);
    XFlush(x_->d);
    pause_(PAUSE_ENTRE_EVENEMENTS_MS);
    for (auto it = codes.crbegin(); it != codes.crend(); ++it)
        XTestFakeKeyEvent(x_->d, *it, False, CurrentTime);
    XFlush(x_->d);
    pause_(PAUSE_ENTRE_EVENEMENTS_MS);
}

void EcranVirtuel::tape(const QString& texte)
{
    if (!x_)
        return;
    for (const QChar c : texte) {
        // Printable ASCII keysyms are the characters' own codes.
        const auto s = KeySym(c.unicode());
        const KeyCode code = XKeysymToKeycode(x_->d, s);
        if (code == 0)
            continue;
        // The shifted half of a key (":", "_", capitals) needs shift held.
        const bool majuscule = XkbKeycodeToKeysym(x_->d, code, 0, 0) != s;
        const KeyCode shift = XKeysymToKeycode(x_->d, XK_Shift_L);
        if (majuscule)
            XTestFakeKeyEvent(x_->d, shift, True, CurrentTime);
        XTestFakeKeyEvent(x_->d, code, True, CurrentTime);
        XTestFakeKeyEvent(x_->d, code, False, CurrentTime);
        if (majuscule)
            XTestFakeKeyEvent(x_->d, shift, False, CurrentTime);
        XFlush(x_->d);
        pause_(5);
    }
}

void EcranVirtuel::focus(unsigned long id)
{
    if (!x_ || id == 0)
        return;
    XSetInputFocus(x_->d, Window(id), RevertToPointerRoot, CurrentTime);
    XFlush(x_->d);
    pause_(PAUSE_ENTRE_EVENEMENTS_MS);
}
