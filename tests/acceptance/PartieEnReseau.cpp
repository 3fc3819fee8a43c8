#include "PartieEnReseau.h"

#include "LectureEcran.h"
#include "Lenteur.h"
#include "PiloteDePartie.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QSet>
#include <QThread>
#include <QDebug>

#include <algorithm>

#include <unistd.h>

namespace {

constexpr int REGARD_MS = 150;
const int VUE_MS = lenteur::limite(20000);
const int DIALOGUE_MS = lenteur::limite(10000);
// A client identifies about a second after it connects; the view lists it
// then.
const int ARRIVEE_MS = lenteur::limite(20000);
constexpr int CALME_MS = 1500;
const int RECORD_MS = lenteur::limite(5000);

quint16 portLibre()
{
    // Below the system's range for outgoing connections (32768 and up),
    // which would hand a port free a moment ago to a connection of any
    // program running beside, and the host then could not listen on it; as
    // the host listens, on every address.
    constexpr int PREMIER = 20000;
    constexpr int DERNIER = 32767;
    for (int essai = 0; essai < 200; ++essai) {
        const auto port = quint16(QRandomGenerator::global()->bounded(PREMIER, DERNIER + 1));
        QTcpServer serveur;
        if (serveur.listen(QHostAddress::Any, port))
            return port;
    }
    return 0;
}

// The join dialog's OK and Cancel: two wide buttons side by side (a trump
// panel left open by the local game may show beside them).
bool dialogueRejoindre(const QImage& image)
{
    const QList<QRect> boutons = LectureEcran::boutons(image);
    for (const QRect& r : boutons) {
        int larges = 0;
        for (const QRect& b : boutons)
            larges += std::abs(b.top() - r.top()) <= 4 && b.width() >= 2 * b.height() ? 1 : 0;
        if (larges == 2)
            return true;
    }
    return false;
}

} // namespace

PartieEnReseau::PartieEnReseau(const QString& nomDuCas, int limiteSecondes)
    : hote_(nomDuCas + QStringLiteral("_host"), limiteSecondes)
    , client_(nomDuCas + QStringLiteral("_client"), limiteSecondes)
{
}

PartieEnReseau::~PartieEnReseau()
{
    if (hote_.echec().isEmpty() == client_.echec().isEmpty())
        return;
    SessionDeJeu& autre = hote_.echec().isEmpty() ? hote_ : client_;
    autre.garde(QStringLiteral("other_side"));
    autre.maison().garde();
    qWarning().noquote() << QStringLiteral("The other side's home folder: %1").arg(autre.maison().racine());
}

bool PartieEnReseau::prepare(const DossierUtilisateur::Reglages& reglages)
{
    if (!hote_.prepare(reglages) || !client_.prepare(reglages))
        return false;
    port_ = portLibre();
    if (port_ == 0)
        return echoue_(hote_, QStringLiteral("No free TCP port on loopback"));
    hote_.setArguments({QStringLiteral("--port"), QString::number(port_)});
    return true;
}

QString PartieEnReseau::echec() const
{
    if (!hote_.echec().isEmpty())
        return QStringLiteral("host: ") + hote_.echec();
    if (!client_.echec().isEmpty())
        return QStringLiteral("client: ") + client_.echec();
    return QString();
}

bool PartieEnReseau::echoue_(SessionDeJeu& cote, const QString& message)
{
    SessionDeJeu& autre = &cote == &hote_ ? client_ : hote_;
    cote.echoue(message);
    // The other side's picture tells what it saw meanwhile.
    autre.garde(QStringLiteral("other_side"));
    return false;
}

QList<QRect> PartieEnReseau::boutonsDeLaVue(const QImage& image)
{
    if (image.isNull())
        return {};
    const QList<QRect> tous = LectureEcran::boutons(image);
    QList<QRect> rangee;
    for (const QRect& r : tous) {
        QList<QRect> memeRangee;
        for (const QRect& s : tous)
            if (std::abs(s.top() - r.top()) <= 4 && s.width() >= 2 * s.height())
                memeRangee.append(s);
        if (memeRangee.size() >= 3 && (rangee.isEmpty() || r.top() > rangee.first().top() + 4))
            rangee = memeRangee;
    }
    std::sort(rangee.begin(), rangee.end(), [](const QRect& a, const QRect& b) { return a.left() < b.left(); });
    return rangee;
}

bool PartieEnReseau::attendsVue_(bool visible, int limiteMs)
{
    QElapsedTimer attente;
    attente.start();
    while (attente.elapsed() < limiteMs && hote_.tempsRestantMs() > 0) {
        if (!hote_.enMarche())
            return echoue_(hote_, QStringLiteral("The host's program ended"));
        if (boutonsDeLaVue(hote_.capture()).isEmpty() != visible)
            return true;
        QThread::msleep(REGARD_MS);
    }
    return echoue_(hote_, visible ? QStringLiteral("No server view came after Network > Host a game")
                                  : QStringLiteral("The server view stayed over the table after its first button"));
}

bool PartieEnReseau::heberge()
{
    if (!hote_.enMarche() && !hote_.lance())
        return false;
    if (hote_.ouvreMenu(QStringLiteral("alt+n")).isEmpty())
        return false;
    hote_.ecran().touche(QStringLiteral("h"));
    if (!attendsVue_(true, VUE_MS))
        return false;
    QThread::msleep(CALME_MS);
    vueAvantClient_ = hote_.garde(QStringLiteral("server_view"));
    return true;
}

QList<quint16> PartieEnReseau::portsDeLHote() const
{
    // The sockets the process holds, then those of them that listen.
    QSet<QString> prises;
    const QString dossier = QStringLiteral("/proc/%1/fd").arg(hote_.pid());
    for (const QString& nom : QDir(dossier).entryList(QDir::System | QDir::NoDotAndDotDot)) {
        char cible[128] = {};
        const QByteArray chemin = QFile::encodeName(dossier + QLatin1Char('/') + nom);
        const ssize_t n = ::readlink(chemin.constData(), cible, sizeof(cible) - 1);
        const QString texte = n > 0 ? QString::fromLatin1(cible, int(n)) : QString();
        if (texte.startsWith(QLatin1String("socket:[")))
            prises.insert(texte.mid(8).chopped(1));
    }
    QList<quint16> ports;
    for (const char* table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile f{QString::fromLatin1(table)};
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lignes = f.readAll().split('\n');
        for (const QByteArray& ligne : lignes) {
            const QList<QByteArray> champs = ligne.simplified().split(' ');
            // Local address, state 0A (listening), inode.
            if (champs.size() < 10 || champs.at(3) != "0A" || !prises.contains(QString::fromLatin1(champs.at(9))))
                continue;
            const quint16 port = quint16(champs.at(1).split(':').value(1).toUInt(nullptr, 16));
            if (port != 0 && !ports.contains(port))
                ports.append(port);
        }
    }
    std::sort(ports.begin(), ports.end());
    return ports;
}

bool PartieEnReseau::remplitRejoindre_(quint16 port)
{
    if (client_.ouvreMenu(QStringLiteral("alt+n")).isEmpty())
        return false;
    client_.ecran().touche(QStringLiteral("j"));
    // The dialog: its OK and Cancel, the address field having the keyboard.
    QElapsedTimer attente;
    attente.start();
    for (;;) {
        if (dialogueRejoindre(client_.capture()))
            break;
        if (attente.elapsed() > DIALOGUE_MS || !client_.enMarche())
            return echoue_(client_, QStringLiteral("No join dialog came after Network > Join a game"));
        QThread::msleep(REGARD_MS);
    }
    QThread::msleep(CALME_MS / 3);
    EcranVirtuel& e = client_.ecran();
    e.touche(QStringLiteral("ctrl+a"));
    e.tape(QStringLiteral("127.0.0.1"));
    e.touche(QStringLiteral("Tab"));
    e.touche(QStringLiteral("ctrl+a"));
    e.tape(QString::number(port));
    client_.garde(QStringLiteral("join_dialog"));
    e.touche(QStringLiteral("Return"));
    return true;
}

bool PartieEnReseau::rejointEnVain()
{
    if (!client_.enMarche() && !client_.lance())
        return false;
    const quint16 personne = portLibre();
    if (personne == 0)
        return echoue_(client_, QStringLiteral("No free TCP port on loopback"));
    if (!remplitRejoindre_(personne))
        return false;
    // Every transport is tried there in turn, the connection window up,
    // before the box comes: the screen then stays as it is.
    QElapsedTimer attente;
    attente.start();
    QImage avant;
    while (attente.elapsed() < ARRIVEE_MS && client_.enMarche()) {
        QThread::msleep(CALME_MS);
        const QImage maintenant = client_.capture();
        QList<QRect> panneau;
        QList<QRect> boite;
        PiloteDePartie::litBoutons(maintenant, panneau, boite);
        if (!boite.isEmpty() && LectureEcran::identiques(maintenant, avant)) {
            client_.garde(QStringLiteral("join_failed"));
            return true;
        }
        avant = maintenant;
    }
    return echoue_(client_, QStringLiteral("No box said the join failed within %1 s").arg(ARRIVEE_MS / 1000));
}

bool PartieEnReseau::rejoint(quint16 portTape)
{
    if (!client_.enMarche() && !client_.lance())
        return false;
    // The host's view before the client comes, to see it come.
    if (!boutonsDeLaVue(hote_.capture()).isEmpty())
        vueAvantClient_ = hote_.capture();
    else
        vueAvantClient_ = QImage();
    if (!remplitRejoindre_(portTape != 0 ? portTape : port_))
        return false;
    if (vueAvantClient_.isNull())
        return connexionFaite_();
    QElapsedTimer attente;
    attente.start();
    // The host's list shows the client once it has identified.
    while (attente.elapsed() < ARRIVEE_MS) {
        QThread::msleep(REGARD_MS);
        const QImage maintenant = hote_.capture();
        if (!LectureEcran::identiques(maintenant, vueAvantClient_)) {
            QThread::msleep(CALME_MS);
            hote_.garde(QStringLiteral("client_listed"));
            return true;
        }
        if (!client_.enMarche())
            return echoue_(client_, QStringLiteral("The client's program ended while joining"));
    }
    return echoue_(hote_, QStringLiteral("The host's server view did not change within %1 s of the client's join")
                              .arg(ARRIVEE_MS / 1000));
}

bool PartieEnReseau::connexionFaite_()
{
    // Into a game under way: the connection window waits for the host to
    // take the client in, its lone Cancel right of the middle (a box's
    // lone OK stands in the middle). A person lets it be; a pilot that
    // answers boxes would cancel the return.
    QElapsedTimer attente;
    attente.start();
    // The connection window comes up as the dialog goes (a program just
    // started may take seconds to take the Return): before, its absence
    // says nothing.
    while (dialogueRejoindre(client_.capture())) {
        if (attente.elapsed() > ARRIVEE_MS || !client_.enMarche())
            return echoue_(client_, QStringLiteral("The join dialog stayed up %1 s after its Return").arg(ARRIVEE_MS / 1000));
        QThread::msleep(REGARD_MS);
    }
    while (attente.elapsed() < ARRIVEE_MS) {
        QThread::msleep(REGARD_MS);
        const QImage image = client_.capture();
        QList<QRect> panneau;
        QList<QRect> boite;
        PiloteDePartie::litBoutons(image, panneau, boite);
        if (boite.size() != 1 || boite.first().center().x() < image.width() * 3 / 5) {
            // Seen once more, so that a window still coming up is not
            // taken for its absence.
            QThread::msleep(CALME_MS);
            PiloteDePartie::litBoutons(client_.capture(), panneau, boite);
            if (boite.size() != 1 || boite.first().center().x() < image.width() * 3 / 5)
                return true;
        }
        if (!client_.enMarche())
            return echoue_(client_, QStringLiteral("The client's program ended while joining"));
    }
    return echoue_(client_, QStringLiteral("The connection window stayed up %1 s after the join").arg(ARRIVEE_MS / 1000));
}

bool PartieEnReseau::demarre()
{
    const QList<QRect> boutons = boutonsDeLaVue(hote_.capture());
    if (boutons.isEmpty())
        return echoue_(hote_, QStringLiteral("No server view to start the game from"));
    hote_.ecran().clique(hote_.fenetre().topLeft() + boutons.first().center());
    return attendsVue_(false, VUE_MS);
}

bool PartieEnReseau::enregistre(SessionDeJeu& cote, const QString& nom, RecordDePartie& record)
{
    const QString chemin = cote.maison().donnees() + QLatin1Char('/') + nom;
    // Save as has no key of its own everywhere: through the menu.
    if (cote.ouvreMenu(QStringLiteral("alt+g")).isEmpty())
        return false;
    cote.ecran().touche(QStringLiteral("a"));
    if (!cote.remplitDialogue(QStringLiteral("Save the game"), chemin))
        return echoue_(cote, QStringLiteral("Game > Save as showed no 'Save the game' dialog that took %1").arg(chemin));
    QElapsedTimer attente;
    attente.start();
    while (!record.lit(chemin)) {
        if (attente.elapsed() > RECORD_MS)
            return echoue_(cote, QStringLiteral("The game saved as %1 does not read").arg(chemin));
        QThread::msleep(REGARD_MS);
    }
    return true;
}
