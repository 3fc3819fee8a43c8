// A lobby service to try the program's lobby by hand (there is no public
// one). It listens on loopback by default, with plain and TLS WebSockets;
// point the program at it with ZUBRIK_SERVER_ADDRESS=host:port (the plain
// port when the program runs without TLS, else the TLS port).
#include "ZB_LobbyServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

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
                                                    "players to (repeatable ids count up); the listed demo "
                                                    "servers send players to the first."),
                                     QStringLiteral("host:port"));
    options.addOptions({ecoute, portWs, portWss, compte, version, serveur});
    options.process(app);

    QTextStream sortie(stdout);
    QTextStream erreurs(stderr);
    ZB_LobbyServer lobby;
    QStringList comptes = options.values(compte);
    if (comptes.isEmpty())
        comptes = {QStringLiteral("alice@example.org:secret1:Alice"), QStringLiteral("bob@example.org:secret2:Bob")};
    for (const QString& texte : std::as_const(comptes)) {
        const QStringList parties = texte.split(QLatin1Char(':'));
        if (parties.size() != 3 || parties.contains(QString())) {
            erreurs << "bad --account " << texte << " (email:password:pseudo)\n";
            return 2;
        }
        const qint64 id = lobby.ajouteCompte(parties.at(0), parties.at(1), parties.at(2));
        sortie << "account " << parties.at(0) << " (" << parties.at(2) << ", user id " << id << ")\n";
    }
    if (options.isSet(version))
        lobby.setVersionMinimale(options.value(version));
    int idServeur = 1;
    QStringList liste;
    // Where the listed demo servers send players: the first game server
    // given, else nowhere (the lobby then answers that they are gone).
    QStringList premiereAdresse{QString(), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("30"),
                                QStringLiteral("1"), QStringLiteral("-1"), QStringLiteral("3")};
    for (const QString& texte : options.values(serveur)) {
        const qsizetype i = texte.lastIndexOf(QLatin1Char(':'));
        if (i <= 0) {
            erreurs << "bad --game-server " << texte << " (host:port)\n";
            return 2;
        }
        const QString id = QString::number(idServeur++);
        const QStringList adresse{texte.left(i),       texte.mid(i + 1),    QStringLiteral("0"), QStringLiteral("30"),
                                  QStringLiteral("1"), QStringLiteral("-1"), QStringLiteral("3")};
        if (id == QLatin1String("1"))
            premiereAdresse = adresse;
        lobby.setAdresseServeur(id, QString(), adresse);
        liste << QStringLiteral("Serveur %1,1,%2,%1").arg(id, texte.left(i));
    }
    // A public and a protected demo server (password "demo"), and canned
    // lists for every tab: status groups, players online, tournaments
    // running, planned and finished, friends in every status, and search
    // answers.
    lobby.setAdresseServeur(QStringLiteral("98"), QString(), premiereAdresse);
    lobby.setAdresseServeur(QStringLiteral("99"), QStringLiteral("demo"), premiereAdresse);
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
    lobby.ajouteDemoClassements();
    // A few lines in each chat room, and one announcement per session.
    lobby.ajouteLigneChat(0, QStringLiteral("<Anna> Salut à tous!\r\n"));
    lobby.ajouteLigneChat(0, QStringLiteral("<Ben> Quelqu'un pour un Schieber ce soir?\r\n"));
    lobby.ajouteLigneChat(1, QStringLiteral("<Emil> Hello, anyone up for a game?\r\n"));
    lobby.ajouteLigneChat(2, QStringLiteral("<Cleo> Une belote contrée à 21h?\r\n"));
    lobby.ajouteLigneChat(3, QStringLiteral("<Fred> Belote anyone?\r\n"));
    lobby.setAnnonces({QStringLiteral("Bienvenue sur le lobby de démonstration.")});

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
