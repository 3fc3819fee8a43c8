#include "ZB_CommandLine.h"

#include "ZB_Settings.h"

#include <QFileInfo>

#include <cstring>

namespace {

const QLatin1String prefixeOption("--");
const QLatin1String optionAide("--help");
const QLatin1String marqueServeur("-ServerName:");
const QLatin1String marqueProtocole("://run/");
const QLatin1String plateformeIos("ios");
const QLatin1String plateformeAndroid("android");

constexpr int LANGUE_CAPTURE_FRANCAIS = 1;
constexpr int LANGUE_CAPTURE_ANGLAIS = 2;

// Walks the arguments; every failure leaves a message for the user.
class Lecteur
{
public:
    explicit Lecteur(const QStringList& arguments)
        : arguments_(arguments)
    {
    }

    bool fini() const { return position_ >= arguments_.size(); }
    QString suivant() { return arguments_.at(position_++); }
    const QString& erreur() const { return erreur_; }

    bool echec(const QString& texte)
    {
        if (erreur_.isEmpty())
            erreur_ = texte;
        return false;
    }

    // A game file named that is not there: named with its whole path, first.
    bool introuvable(const QString& option, const QString& chemin)
    {
        const QString texte =
            QStringLiteral("Game file not found: '%1' (%2).").arg(chemin, QFileInfo(chemin).absoluteFilePath());
        return echec(option.isEmpty() ? texte : option + QStringLiteral(": ") + texte);
    }

    // The next argument as the value of option; a following option is not
    // a value.
    bool valeur(const QString& option, QString& resultat)
    {
        if (fini() || arguments_.at(position_).startsWith(prefixeOption))
            return echec(QStringLiteral("%1: a value is missing.").arg(option));
        resultat = suivant();
        if (resultat.trimmed().isEmpty())
            return echec(QStringLiteral("%1: the value is empty.").arg(option));
        return true;
    }

    bool nombre(const QString& option, int min, int max, int& resultat)
    {
        QString texte;
        if (!valeur(option, texte))
            return false;
        // Decimal digits only: toInt would also take "+7" or " 7".
        bool chiffres = texte.size() <= 9;
        for (const QChar c : texte)
            chiffres = chiffres && c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const int n = chiffres ? texte.toInt() : -1;
        if (!chiffres || n < min || n > max)
            return echec(QStringLiteral("%1: '%2' is not a number from %3 to %4.").arg(option, texte).arg(min).arg(max));
        resultat = n;
        return true;
    }

    bool fichier(const QString& option, QString& resultat)
    {
        QString chemin;
        if (!valeur(option, chemin))
            return false;
        const QFileInfo info(chemin);
        if (!info.exists())
            return introuvable(option, chemin);
        if (!info.isFile())
            return echec(QStringLiteral("%1: '%2' is no file.").arg(option, chemin));
        resultat = chemin;
        return true;
    }

private:
    const QStringList& arguments_;
    int position_ = 1;
    QString erreur_;
};

// A bare argument the user meant as a game file: one of the program's file
// types, or a path.
bool ressembleAUnFichier(const QString& argument)
{
    return argument.endsWith(QLatin1String(".jss"), Qt::CaseInsensitive)
        || argument.endsWith(QLatin1String(".jst"), Qt::CaseInsensitive) || argument.contains(QLatin1Char('/'))
        || argument.contains(QLatin1Char('\\'));
}

bool ouvreFichier(Lecteur& lecteur, ZB_Settings& s, const QString& chemin)
{
    if (!s.file.isEmpty())
        return lecteur.echec(QStringLiteral("Only one file can be opened ('%1' and '%2').").arg(s.file, chemin));
    s.file = chemin;
    return true;
}

bool adresseValide(const QString& email)
{
    const int arobase = email.indexOf(QLatin1Char('@'));
    if (arobase <= 0 || arobase != email.lastIndexOf(QLatin1Char('@')) || arobase == email.size() - 1)
        return false;
    for (const QChar c : email)
        if (c.isSpace())
            return false;
    return true;
}

bool litOption(Lecteur& l, const QString& option, ZB_Settings& s)
{
    if (option == QLatin1String("--port"))
        return l.nombre(option, ZB_CommandLine::PORT_MIN, ZB_CommandLine::PORT_MAX, s.port);
    if (option == QLatin1String("--login")) {
        if (!l.valeur(option, s.loginEmail) || !l.valeur(option, s.loginPass))
            return false;
        if (!adresseValide(s.loginEmail))
            return l.echec(QStringLiteral("--login: '%1' is not an e-mail address.").arg(s.loginEmail));
        return true;
    }
    if (option == QLatin1String("--tournamentcmd"))
        return l.valeur(option, s.tournamentCmd) && l.valeur(option, s.tournamentId);
    if (option == QLatin1String("--file")) {
        QString chemin;
        return l.fichier(option, chemin) && ouvreFichier(l, s, chemin);
    }
    if (option == QLatin1String("--mov"))
        return l.fichier(option, s.movFile) && l.nombre(option, 0, ZB_CommandLine::TABLE_FILM_MAX, s.movTable);
    if (option == QLatin1String("--testscenario"))
        return l.nombre(option, ZB_CommandLine::SCENARIO_MIN, ZB_CommandLine::SCENARIO_MAX, s.testScenario);
    if (option == QLatin1String("--platform")) {
        QString plateforme;
        if (!l.valeur(option, plateforme))
            return false;
        if (plateforme != plateformeIos && plateforme != plateformeAndroid)
            return l.echec(QStringLiteral("--platform: '%1' is neither ios nor android.").arg(plateforme));
        s.screenshotPlatform = plateforme;
        return true;
    }
    if (option == QLatin1String("--testscreentilenb"))
        return l.nombre(option, 0, ZB_CommandLine::TUILE_MAX, s.testTileNb);

    struct Drapeau
    {
        const char* nom;
        bool ZB_Settings::*champ;
    };
    static const Drapeau drapeaux[] = {
        {"--nowait", &ZB_Settings::nowait},         {"--nossl", &ZB_Settings::nossl},
        {"--tcpsockets", &ZB_Settings::tcpsockets}, {"--server", &ZB_Settings::server},
        {"--client", &ZB_Settings::client},         {"--autotest", &ZB_Settings::autotest},
        {"--noai", &ZB_Settings::noai},             {"--english", &ZB_Settings::english},
        {"--showdebug", &ZB_Settings::showdebug},   {"--testtournament", &ZB_Settings::testTournament},
    };
    for (const Drapeau& d : drapeaux)
        if (option == QLatin1String(d.nom)) {
            s.*(d.champ) = true;
            // A self-test is an unattended run.
            if (d.champ == &ZB_Settings::autotest)
                s.automatique = 1;
            return true;
        }
    if (option == QLatin1String("--auto")) {
        s.automatique = 1;
        return true;
    }
    if (option == QLatin1String("--screenshots")) {
        s.screenshotMode = 1;
        return true;
    }
    return l.echec(QStringLiteral("Unknown option '%1'.").arg(option));
}

} // namespace

ZB_CommandLine::Resultat ZB_CommandLine::parse(const QStringList& arguments, ZB_Settings& settings, QString* message)
{
    const QString programme = arguments.isEmpty() ? QStringLiteral("zubrik") : QFileInfo(arguments.first()).fileName();
    // Asking for the usage is no mistake, whatever else the line holds.
    if (arguments.indexOf(optionAide, 1) > 0) {
        if (message != nullptr)
            *message = usage(programme);
        return Aide;
    }
    ZB_Settings lu = settings;
    Lecteur lecteur(arguments);
    bool ok = true;
    while (ok && !lecteur.fini()) {
        const QString argument = lecteur.suivant();
        if (argument.contains(marqueServeur) || argument.contains(marqueProtocole))
            continue;
        if (argument.startsWith(prefixeOption))
            ok = litOption(lecteur, argument, lu);
        else if (!argument.isEmpty() && QFileInfo(argument).isFile())
            ok = ouvreFichier(lecteur, lu, argument);
        else if (!argument.isEmpty() && !QFileInfo::exists(argument) && ressembleAUnFichier(argument))
            ok = lecteur.introuvable(QString(), argument);
        else
            ok = lecteur.echec(QStringLiteral("Unexpected argument '%1'.").arg(argument));
    }
    if (ok && lu.server && lu.client)
        ok = lecteur.echec(QStringLiteral("--server and --client cannot be given together."));

    if (!ok) {
        if (message != nullptr)
            *message = lecteur.erreur() + QLatin1Char('\n') + usage(programme);
        return Arret;
    }
    if (lu.screenshotMode != 0)
        lu.screenshotLanguage = lu.english ? LANGUE_CAPTURE_ANGLAIS : LANGUE_CAPTURE_FRANCAIS;
    settings = lu;
    if (message != nullptr)
        message->clear();
    return Ok;
}

QString ZB_CommandLine::usage(const QString& programme)
{
    return QStringLiteral(
               "Usage: %1 [options] [game file]\n"
               "  --help                       print these lines and exit\n"
               "  <game file>                  open a saved game (*.jss, *.jst)\n"
               "  --file <file>                open a saved game\n"
               "  --mov <file> <table>         replay table <table> (0-%2) of <file> as a movie\n"
               "  --port <n>                   TCP port of hosted games (%3-%4, default %5)\n"
               "  --server                     host a game at start\n"
               "  --client                     join a game at start\n"
               "  --nossl                      plain WebSockets instead of secure ones\n"
               "  --tcpsockets                 raw TCP instead of WebSockets\n"
               "  --nowait                     no pacing delays\n"
               "  --login <email> <pass>       log in to the lobby at start\n"
               "  --tournamentcmd <cmd> <id>   run a tournament command once logged in\n"
               "  --testtournament             select the tournament of --tournamentcmd\n"
               "  --testscenario <n>           start test scenario <n> (%6-%7)\n"
               "  --auto                       unattended run: no sound, no card rendering\n"
               "  --autotest                   unattended self-test to the end of a match\n"
               "  --noai                       no computer-player search\n"
               "  --english                    English texts\n"
               "  --showdebug                  show the debugging tools\n"
               "  --screenshots                store-screenshot sequence\n"
               "  --platform <ios|android>     screenshot sizes of that store\n"
               "  --testscreentilenb <n>       window tile <n> (0-%8) for side-by-side tests\n")
        .arg(programme)
        .arg(TABLE_FILM_MAX)
        .arg(PORT_MIN)
        .arg(PORT_MAX)
        .arg(ZB_Settings::PORT_TCP_DEFAUT)
        .arg(SCENARIO_MIN)
        .arg(SCENARIO_MAX)
        .arg(TUILE_MAX);
}

QStringList ZB_CommandLine::cacheOptionsDuProgramme(int& argc, char** argv)
{
    QStringList cachees;
    int garde = 0;
    for (int i = 0; i < argc; ++i) {
        // Qt strips one dash from "--name" and reads "-platform <value>".
        if (i > 0 && std::strcmp(argv[i], "--platform") == 0) {
            cachees << QString::fromLocal8Bit(argv[i]);
            if (i + 1 < argc)
                cachees << QString::fromLocal8Bit(argv[++i]);
            continue;
        }
        argv[garde++] = argv[i];
    }
    if (garde < argc)
        argv[garde] = nullptr;
    argc = garde;
    return cachees;
}
