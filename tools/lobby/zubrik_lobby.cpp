// A lobby service to try the program's lobby by hand (there is no public
// one). It listens on loopback by default, with plain and TLS WebSockets;
// point the program at it with ZUBRIK_SERVER_ADDRESS=host:port (the plain
// port when the program runs without TLS, else the TLS port).
#include "ZB_LobbyServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QTimeZone>
#include <QTextStream>

namespace {

// Demo rankings of both families, and statistics and titles for every
// account, so that the ranking, statistics and titles tabs show something.
void remplitClassements(ZB_LobbyServer& lobby, const QList<qint64>& comptes)
{
    lobby.setClassement(0, {QStringLiteral("1,Anna,412,251,38210"), QStringLiteral("2,Ben,388,214,35122"),
                            QStringLiteral("3,Cleo,120,71,11980"), QStringLiteral("4,Dora,97,40,8851"),
                            QStringLiteral("5,Emil,33,12,2790")});
    lobby.setClassement(1, {QStringLiteral("1,Fred,230,140,120450"), QStringLiteral("2,Gina,198,96,99870"),
                            QStringLiteral("3,Hugo,45,20,21004")});
    const QStringList jass{
        QStringLiteral("152,0.54,87,81,21,1368,23560,3950,170,310,41,9,3,2,4,5,1,6,0,2,1"),
        QStringLiteral(" , , , , ,9.0,155.0,26.0,1.1,2.0,0.27,0.06,0.02,0.01,0.03,0.03,0.01,0.04,0,0.01,0.01"),
        QStringLiteral(" , , , , ,9,157,420,2,4,2,1,1,1,1,1,1,1,0,1,1"),
        QStringLiteral(" ,0.5, ,0.48, ,9.0,152.2,22.9,1.0,1.8,0.22,0.05,0.02,0.02,0.02,0.02,0.02,0.02,0.02,0.02,0.02"),
        QStringLiteral(" , , , , ,9,157,540,2,5,3,1,1,1,1,1,1,1,1,1,1")};
    // Totals only: " " is the lobby's "no value".
    const QString aucune = QStringList(21, QStringLiteral(" ")).join(QLatin1Char(','));
    const QStringList belote{QStringLiteral("40,0.49,12,19,5,320,6100,980,31,12,3,1,0,0,0,0,0,0,0,0,0"), aucune,
                             aucune, aucune, aucune};
    const QDateTime depuis(QDate(2026, 11, 2), QTime(19, 30), QTimeZone::utc());
    for (const qint64 id : comptes) {
        lobby.setStatistiques(id, 0, jass);
        lobby.setStatistiques(id, 1, belote);
        const int titres[] = {7000000, 5000000, 5200001, 6000000, 400004, 4300000};
        int jour = 0;
        for (const int numero : titres)
            lobby.ajouteTitre(id, numero, depuis.addDays(jour++));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zubrik_lobby"));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("A lobby service for trying Zubrik's online lobby."));
    options.addHelpOption();
    const QCommandLineOption ecoute(QStringLiteral("listen"), QStringLiteral("Address to listen on."),
                                    QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption portWs(QStringLiteral("ws-port"), QStringLiteral("Plain WebSocket port (0: any)."),
                                    QStringLiteral("port"), QStringLiteral("4023"));
    const QCommandLineOption portWss(QStringLiteral("wss-port"), QStringLiteral("TLS WebSocket port (0: any)."),
                                     QStringLiteral("port"), QStringLiteral("4043"));
    const QCommandLineOption compte(QStringLiteral("account"),
                                    QStringLiteral("An account (repeatable); without any, two demo accounts."),
                                    QStringLiteral("email:password:pseudo"));
    const QCommandLineOption version(QStringLiteral("min-version"),
                                     QStringLiteral("Older programs are asked to update."), QStringLiteral("version"));
    const QCommandLineOption serveur(QStringLiteral("game-server"),
                                     QStringLiteral("Answer for server id 1: a game server the lobby sends "
                                                    "players to (repeatable ids count up)."),
                                     QStringLiteral("host:port"));
    options.addOptions({ecoute, portWs, portWss, compte, version, serveur});
    options.process(app);

    QTextStream sortie(stdout);
    QTextStream erreurs(stderr);
    ZB_LobbyServer lobby;
    QStringList comptes = options.values(compte);
    if (comptes.isEmpty())
        comptes = {QStringLiteral("alice@example.org:secret1:Alice"), QStringLiteral("bob@example.org:secret2:Bob")};
    QList<qint64> ids;
    for (const QString& texte : std::as_const(comptes)) {
        const QStringList parties = texte.split(QLatin1Char(':'));
        if (parties.size() != 3 || parties.contains(QString())) {
            erreurs << "bad --account " << texte << " (email:password:pseudo)\n";
            return 2;
        }
        const qint64 id = lobby.ajouteCompte(parties.at(0), parties.at(1), parties.at(2));
        ids << id;
        sortie << "account " << parties.at(0) << " (" << parties.at(2) << ", user id " << id << ")\n";
    }
    if (options.isSet(version))
        lobby.setVersionMinimale(options.value(version));
    int idServeur = 1;
    QStringList liste;
    for (const QString& texte : options.values(serveur)) {
        const qsizetype i = texte.lastIndexOf(QLatin1Char(':'));
        if (i <= 0) {
            erreurs << "bad --game-server " << texte << " (host:port)\n";
            return 2;
        }
        const QString id = QString::number(idServeur++);
        lobby.setAdresseServeur(id, QString(),
                                {texte.left(i), texte.mid(i + 1), QStringLiteral("0"), QStringLiteral("30"),
                                 QStringLiteral("1"), QStringLiteral("-1"), QStringLiteral("3")});
        liste << QStringLiteral("Serveur %1,1,%2,%1").arg(id, texte.left(i));
    }
    // A protected demo server (password "demo"), and canned lists for every
    // tab: status groups, players online, tournaments running, planned and
    // finished, friends in every status, and search answers.
    lobby.setAdresseServeur(QStringLiteral("99"), QStringLiteral("demo"),
                            {QString(), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("30"),
                             QStringLiteral("1"), QStringLiteral("-1"), QStringLiteral("3")});
    liste << QStringLiteral("Jass Public,1,127.0.0.1,98") << QStringLiteral("Jass Privé,No,127.0.0.1,99");
    lobby.setReponse("R7k", liste);
    QStringList statuts;
    for (int i = 1; i < idServeur; ++i)
        statuts << QString::number(i) << QStringLiteral("4") << QStringLiteral("1") << QStringLiteral("40");
    lobby.setReponse("SrS", statuts + QStringList{"98", "6", "2", "40", "99", "1", "0", "8"});
    lobby.setReponse("SrI", {QStringLiteral("42")});
    lobby.setReponse("Tli", {QStringLiteral("Coupe,TeamsRandom,2026-12-07 18:00:00,-1,0,1,,0,Jass Schieber"),
                             QStringLiteral("Hiver,TeamsFree,2026-12-20 19:30:00,-1,0,0,,1,Jass Schieber"),
                             QStringLiteral("Automne,TeamsRandom,2026-11-02 19:30:00,0,0,-1,"
                                            "https://results.zubrik.invalid/automne.html,0,Jass Schieber")});
    lobby.setReponse("Fhr", {QStringLiteral("1,2001,Anna"), QStringLiteral("2,2002,Ben"),
                             QStringLiteral("3,2003,Cleo"), QStringLiteral("4,2004,Dora"),
                             QStringLiteral("10,2005,Emil"), QStringLiteral("15,2006,Fred"),
                             QStringLiteral("16,2007,Gina")});
    lobby.setReponse("Fr1", {QStringLiteral("Zed,2101"), QStringLiteral("Yan,2102")});
    lobby.setReponse("FiS", {QStringLiteral("Xu,2103")});
    remplitClassements(lobby, ids);

    bool ok = false;
    const QHostAddress adresse(options.value(ecoute));
    const quint16 ws = quint16(options.value(portWs).toUInt(&ok));
    bool ok2 = false;
    const quint16 wss = quint16(options.value(portWss).toUInt(&ok2));
    if (adresse.isNull() || !ok || !ok2) {
        erreurs << "bad --listen, --ws-port or --wss-port\n";
        return 2;
    }
    if (!lobby.ecoute(adresse, ws, wss, true) && !lobby.ecoute(adresse, ws, 0, false)) {
        erreurs << "cannot listen\n";
        return 1;
    }
    sortie << "plain:  ZUBRIK_SERVER_ADDRESS=" << lobby.adresse(true) << '\n';
    if (lobby.tlsActif())
        sortie << "TLS:    ZUBRIK_SERVER_ADDRESS=" << lobby.adresse(false) << '\n';
    else
        sortie << "TLS is off (no certificate or TLS backend)\n";
    sortie.flush();
    return QCoreApplication::exec();
}
