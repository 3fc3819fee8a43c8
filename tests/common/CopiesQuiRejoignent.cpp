#include "CopiesQuiRejoignent.h"

#include "ClientSocket.h"
#include "GM_SocketWeb.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "SalleSansInterface.h"
#include "TypeDePartie.h"
#include "VersionProtocole.h"
#include "ZB_CleDeJoueur.h"
#include "ZB_EventClientAskInfo.h"
#include "ZB_EventDisconnectClient.h"
#include "ZB_EventSocketError.h"
#include "ZB_MultiServer.h"
#include "ZB_PorteTls.h"
#include "ZB_ServerSocket.h"
#include "ZB_ServerSocketConnection.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QSet>
#include <QWebSocketServer>

class CopiesQuiRejoignent::Copie : public QObject, public ZB_SalleClienteA
{
public:
    Copie(int numero, quint16 port, ZB_DisplayEmpty* affichage, qint64 departMs)
        : departMs(departMs)
        , cle_(ZB_CleDeJoueur::depuisGraine(
              QCryptographicHash::hash(QByteArray::number(numero), QCryptographicHash::Sha256)))
        , numero_(numero)
    {
        exec_.liste = &liste_;
        liste_.version_ = VERSION_PROTOCOLE_ACTUELLE;
        id = ZB_CleDeJoueur::idDePublique(cle_.publique());
        QSharedPointer<GM_SocketAbstract> socket(new GM_SocketWeb(false), &QObject::deleteLater);
        client_ = std::make_unique<ClientSocket>(this, &liste_, affichage, nullptr, socket, nullptr);
        client_->setIdJoueur(id);
        client_->connecte(QStringLiteral("127.0.0.1"), port, QStringLiteral("copie%1").arg(numero), 0, 30, false);
    }
    ~Copie() override { client_.reset(); }
    Copie(const Copie&) = delete;
    Copie& operator=(const Copie&) = delete;

    void posteEvenementDuClient(ZB_Event* ev) override { QCoreApplication::postEvent(this, ev); }

    int essais() const { return client_->getEssais(); }

    const qint64 departMs;
    qint64 id = -1;
    qint64 assiseMs = -1;
    bool perdue = false;
    QString raison;

protected:
    void customEvent(QEvent* event) override
    {
        event->accept();
        if (auto* info = dynamic_cast<ZB_EventClientAskInfo*>(event)) {
            // As the program's room answers it.
            OptionsDuJoueur joueur;
            joueur.nom_ = QStringLiteral("Copie%1").arg(numero_);
            joueur.id_ = id;
            joueur.idCompte_ = info->getIdUtilisateur();
            client_->setSignataire(cle_);
            const int version = VERSION_PROTOCOLE_ACTUELLE;
            client_->sendUserInfo(joueur, info->getTempsAttente(), &version);
        } else if (auto* erreur = dynamic_cast<ZB_EventSocketError*>(event)) {
            perdue = true;
            raison = erreur->getTexte();
        } else if (dynamic_cast<ZB_EventDisconnectClient*>(event) != nullptr) {
            perdue = true;
            if (raison.isEmpty())
                raison = QStringLiteral("closed");
        }
    }

private:
    ExecuteurTemoin exec_;
    ListeDesEvenements liste_{&exec_, 0};
    ZB_CleDeJoueur cle_;
    int numero_;
    std::unique_ptr<ClientSocket> client_;
};

CopiesQuiRejoignent::CopiesQuiRejoignent(int salles)
{
    ZB_Room::Parametres p;
    p.sansSauvegarde = true;
    p.modeSimple = true;
    p.sansDelai = true;
    QList<ZB_Room*> rooms;
    for (int i = 0; i < salles; ++i) {
        salles_.push_back(std::make_unique<SalleSansInterface>(nullptr, &affichage_, nullptr,
                                                               OptionsDePartie(TypeDePartie::GenreJass), p));
        rooms << salles_.back().get();
    }
    serveur_ = std::make_unique<ZB_MultiServer>(nullptr, 0, rooms, nullptr);
    horloge_.start();
}

CopiesQuiRejoignent::~CopiesQuiRejoignent()
{
    copies_.clear();
    serveur_.reset();
    salles_.clear();
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

bool CopiesQuiRejoignent::ouvre()
{
    if (!serveur_->ecoute(QHostAddress::LocalHost, 0, 0, 0) || !serveur_->estTlsConfigure() || porte() == nullptr)
        return false;
    for (const auto& salle : salles_)
        salle->getServer()->attendJoueurs(OptionsDePartie(TypeDePartie::GenreJass), serveur_->getPortWebSecure(),
                                          serveur_->getPortWebUnsecure(), serveur_->getPortTcp(), false, 30);
    return true;
}

quint16 CopiesQuiRejoignent::port() const
{
    return serveur_->getPortWebSecure();
}

ZB_PorteTls* CopiesQuiRejoignent::porte() const
{
    return serveur_->getServeurWebSecure()->findChild<ZB_PorteTls*>();
}

void CopiesQuiRejoignent::surveille_()
{
    QSet<qint64> tenus;
    for (const auto& salle : salles_)
        for (const ZB_ServerSocketConnection* c : salle->getServer()->getJoueurs())
            tenus.insert(c->getPlayerId());
    const qint64 maintenant = horloge_.elapsed();
    for (const auto& copie : copies_)
        if (copie->assiseMs < 0 && !copie->perdue && tenus.contains(copie->id)) {
            copie->assiseMs = maintenant;
            plusLongue_ = qMax(plusLongue_, maintenant - copie->departMs);
        }
}

void CopiesQuiRejoignent::lance(int nombre)
{
    for (int i = 0; i < nombre; ++i)
        copies_.push_back(std::make_unique<Copie>(int(copies_.size()), serveur_->getPortWebSecure(), &affichage_,
                                                  horloge_.elapsed()));
}

bool CopiesQuiRejoignent::attend(int delaiMs)
{
    QElapsedTimer limite;
    limite.start();
    QTimer veille;
    veille.start(5);
    for (;;) {
        surveille_();
        if (assises() + perdues() == copies())
            return true;
        if (limite.elapsed() > delaiMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void CopiesQuiRejoignent::rejoignent(int nombre, int intervalleMs, int delaiMs)
{
    if (intervalleMs <= 0) {
        lance(nombre);
        attend(delaiMs);
        return;
    }
    QElapsedTimer limite;
    limite.start();
    QTimer veille;
    veille.start(5);
    int lancees = 0;
    while (lancees < nombre) {
        if (limite.elapsed() >= qint64(lancees) * intervalleMs) {
            lance(1);
            ++lancees;
        }
        surveille_();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    attend(int(qMax<qint64>(0, delaiMs - limite.elapsed())));
}

int CopiesQuiRejoignent::assises() const
{
    int n = 0;
    for (const auto& copie : copies_)
        n += copie->assiseMs >= 0 && !copie->perdue ? 1 : 0;
    return n;
}

int CopiesQuiRejoignent::perdues() const
{
    int n = 0;
    for (const auto& copie : copies_)
        n += copie->perdue ? 1 : 0;
    return n;
}

QStringList CopiesQuiRejoignent::raisons() const
{
    QStringList l;
    for (const auto& copie : copies_)
        if (copie->perdue)
            l << QStringLiteral("copy %1: %2").arg(copie->id).arg(copie->raison);
    return l;
}

int CopiesQuiRejoignent::essais() const
{
    int n = 0;
    for (const auto& copie : copies_)
        n += copie->essais();
    return n;
}
