#pragma once

#include "GM_WidgetAuto.h"
#include "OptionsDePartie.h"
#include "ZB_Hebergement.h"
#include "ZB_ServerSocket.h"

#include <QPointer>
#include <QSharedPointer>
#include <QStringList>

class GM_SocketAbstract;
class QLabel;
class QLineEdit;
class QListWidget;
class QComboBox;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

// The host's view of its game server: who is connected, what the server
// logs, and the buttons that start the online game or stop the server. The
// hosting itself (waiting, welcoming and seating the clients, the host's
// seat and name, the ports friends are given) is ZB_Hebergement's, which
// the view drives as the windowless host does.
//
// Rules:
// - The list follows the server's connections one for one: a connection is
//   known by its identity, not its text, so two clients of one address are
//   told apart.
// - Each client's row tells where it connects from (address and port), so
//   that the host sees who holds several seats from one place.
// - The host may put the selected client on a chosen table and seat, or
//   remove it: it is disconnected, its seat goes to the computer and the
//   server refuses its player id for the rest of the session.
// - The view tells the host what to give friends who join: this machine's
//   addresses and the port of each transport it listens on.
// - Its log tells the host, in the user's language and by the names the
//   table shows, what concerns it: a player who left, was removed, was
//   excluded for slowness, gave up its seat to a newcomer, found no seat,
//   or was placed by the host. The server's own lines (refused or dropped
//   connections, dropped records, socket errors) go to the trace only.
// - Closing the view leaves the server running (the main window shows it
//   again); so does starting the game, the host being a player whose turn
//   must not run out under the view. Stopping the server ends the online
//   session and the view goes.
class ServerView : public GM_WidgetAuto, public ZB_ServerSocket::Cb_SocketInput
{
    Q_OBJECT

public:
    // What the view tells the room about the server.
    using Cb_ServerStartOrStop = ZB_Hebergement::Cb_ServerStartOrStop;

    ServerView(QWidget* parent, ZB_ServerSocket* serveur, ZB_ServerSocket::Cb_TableConnectionInput* salle);
    ~ServerView() override;

    // The host starts waiting for players: the view shows itself and the
    // server takes connections.
    void start(const OptionsDePartie& options, QSharedPointer<GM_SocketAbstract> pont, const QString& login,
               quint16 portSecure, quint16 portUnsecure, quint16 portTcp, qint64 idUtilisateur,
               Cb_ServerStartOrStop* demarrage);

    // ZB_ServerSocket::Cb_SocketInput.
    void cb_newConnection(ZB_ServerSocket* serveur, const OptionsDuJoueur& joueur,
                          ZB_ServerSocketConnection* connection, bool replacedOld) override;
    void cb_connectionClosed(ZB_ServerSocket* serveur, ZB_ServerSocketConnection* connection) override;
    void cb_gameEnded(bool fin, int nombreDeTables) override;
    void cb_log(const QString& severite, const QString& message) override;
    void cb_annonce(const QString& texte) override;

    // The host places a waiting player on a seat.
    bool place(ZB_ServerSocketConnection* connection, int noTable, int siege, bool hotSwap);
    // The connection selected in the list, or null.
    ZB_ServerSocketConnection* connexionChoisie() const;
    void choisitConnexion(ZB_ServerSocketConnection* connection);

    bool estEnCours() const { return enCours_; }
    QStringList getConnexions() const;
    QStringList getJournal() const { return journal_; }
    QPushButton* getBoutonDemarrer() const { return demarrer_; }
    QPushButton* getBoutonArreter() const { return arreter_; }
    QPushButton* getBoutonPlacer() const { return placer_; }
    QPushButton* getBoutonRetirer() const { return retirer_; }
    QPushButton* getBoutonFermer() const { return fermer_; }
    // What the host reads to tell friends where to join.
    QString getTexteAdresses() const;
    // Stops the server without a question.
    void arrete();
    QSpinBox* getTable() const { return table_; }
    // The name the host plays under: shown from the start of the hosting,
    // editable until the game starts, when it is taken (cleaned as typed
    // text is, numbered as a newcomer's when a client goes by it; an empty
    // one keeps the name hosted under).
    QLineEdit* getNom() const { return nom_; }
    QComboBox* getSiege() const { return siege_; }

public slots:
    // The host starts the online game with the players connected so far.
    void OnDemarrer();
    // The host stops its server; while a game runs, asks first through
    // signalArretDemande when anybody listens to it.
    void OnArreter();
    // The host puts the selected client on the chosen table and seat.
    void OnPlacer();
    // The host sends the selected client away.
    void OnRetirer();

signals:
    // The host stopped its server: the online session is over.
    void signalServeurArrete();
    // Stop was asked while a game runs: the listener asks the user and
    // calls arrete() on a yes.
    void signalArretDemande();
    // The game starts with the host playing under the name it chose (the
    // table may number it): the one to keep.
    void signalNomDeJeu(const QString& nom);

protected:
    void changeEvent(QEvent* event) override;

private:
    void afficheEtat_();
    // Sets every text the user reads, in the language in force: at
    // construction and at each language switch.
    void retranslateUi();
    QListWidgetItem* item_(const ZB_ServerSocketConnection* connection) const;
    void afficheAdresses_();

    QPointer<ZB_ServerSocket> serveur_;
    ZB_ServerSocket::Cb_TableConnectionInput* salle_;
    Cb_ServerStartOrStop* demarrage_ = nullptr;
    // The host's player keeps one identity for every session of this view.
    ZB_Hebergement hebergement_;
    bool enCours_ = false;
    QStringList journal_;
    QLabel* etat_ = nullptr;
    QLabel* adresses_ = nullptr;
    QLabel* labelNom_ = nullptr;
    QLineEdit* nom_ = nullptr;
    QLabel* labelConnexions_ = nullptr;
    QLabel* labelTable_ = nullptr;
    QLabel* labelPlace_ = nullptr;
    QLabel* labelJournal_ = nullptr;
    QListWidget* connexions_ = nullptr;
    QPlainTextEdit* vueJournal_ = nullptr;
    QPushButton* demarrer_ = nullptr;
    QPushButton* arreter_ = nullptr;
    QSpinBox* table_ = nullptr;
    QComboBox* siege_ = nullptr;
    QPushButton* placer_ = nullptr;
    QPushButton* retirer_ = nullptr;
    QPushButton* fermer_ = nullptr;
};
