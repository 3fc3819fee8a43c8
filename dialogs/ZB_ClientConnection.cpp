#include "ZB_ClientConnection.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <limits>

ZB_ClientConnection::ZB_ClientConnection(QWidget* parent)
    : GM_WidgetAuto(parent)
    , label_(new QLabel(this))
    , boutonAnnuler_(new QPushButton(this))
    , boutonFermer_(new QPushButton(this))
{
    setObjectName(QStringLiteral("ClientConnection"));
    setAutoFillBackground(true);
    resize(420, 120);

    auto* grille = new QGridLayout(this);
    grille->setObjectName(QStringLiteral("gridLayout"));
    label_->setObjectName(QStringLiteral("labelEtat"));
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignCenter);
    boutonAnnuler_->setObjectName(QStringLiteral("pushButtonAnnuler"));
    boutonFermer_->setObjectName(QStringLiteral("pushButtonClose"));
    grille->addWidget(label_, 0, 0, 1, 3);
    grille->addWidget(boutonAnnuler_, 1, 1);
    grille->addWidget(boutonFermer_, 1, 2);
    grille->setRowStretch(0, 1);
    grille->setColumnStretch(0, 1);

    // The close button only puts the window away: the connection is the
    // client socket's business.
    connect(boutonFermer_, &QPushButton::clicked, this, &QWidget::hide);
    setBoutonsAnnuler({boutonAnnuler_, boutonFermer_});
    connect(boutonAnnuler_, &QPushButton::clicked, this, [this] {
        if (actionAnnuler_)
            actionAnnuler_();
    });

    compteARebours_.setEndValue(0);
    connect(&compteARebours_, &QVariantAnimation::valueChanged, this, &ZB_ClientConnection::OnCompteARebours);
    connect(&compteARebours_, &QVariantAnimation::finished, this, &ZB_ClientConnection::OnCompteAReboursTermine);
    retranslateUi();
}

ZB_ClientConnection::~ZB_ClientConnection()
{
    compteARebours_.stop();
}

QString ZB_ClientConnection::texteEtat(int etat, int secondesRestantes)
{
    switch (etat) {
    case Init:
        return tr("Init");
    case ResolutionAdresse:
        return tr("Résolution de l'adresse...");
    case TentativeConnection:
        return tr("Tentative de connection...");
    case AttentePublique:
    case AttentePubliqueReessai:
    case AttenteHote:
        // Once the wait ran out, the start is the host's: a count at 0
        // would read as stuck.
        if (secondesRestantes > 0)
            return tr("Connection réussie, en attente d'autres joueurs pour encore max. %1[s]...")
                .arg(secondesRestantes);
        return tr("Connection réussie, en attente d'autres joueurs et de la formation des équipes, par le joueur "
                  "qui a lancé ce serveur...");
    case JeuEnCours:
        return tr("Jeu en cours...");
    case DeconnecteUtilisateur:
        return tr("Déconnecté par l'utilisateur");
    default:
        return tr("Déconnecté...");
    }
}

QString ZB_ClientConnection::texteEssai(int essai, int essais, int secondes)
{
    return tr("Le serveur de jeu a fermé la connection: nouvelle tentative %1 sur %2 dans %3 s.")
        .arg(essai)
        .arg(essais)
        .arg(secondes);
}

void ZB_ClientConnection::setEtat(int etat)
{
    etat_ = etat;
    essai_ = 0;
    const bool attente = estEtatDAttente(etat);
    const bool enCours = etat >= ResolutionAdresse && etat <= AttenteHote;
    // While a connection is being made or waits, it can be given up; once
    // it runs or ended there is only the window to close.
    boutonAnnuler_->setVisible(enCours);
    boutonAnnuler_->setEnabled(enCours && etat != TentativeConnection);
    boutonFermer_->setVisible(!enCours);

    if (attente) {
        if (compteARebours_.state() == QAbstractAnimation::Stopped && secondesRestantes_ > 0)
            compteARebours_.start();
    } else {
        compteARebours_.stop();
    }
    afficheTexte_();
    if (etat == TentativeConnection || etat == AttentePublique || etat == AttentePubliqueReessai)
        show();
    // The game is on the table now: the window would hide the cards the
    // user must play, and the turn's time would run out behind it.
    else if (etat == JeuEnCours)
        hide();
}

void ZB_ClientConnection::setSecondesAttente(int secondes)
{
    compteARebours_.stop();
    // The animation counts milliseconds in an int.
    secondesAttente_ = qBound(0, secondes, std::numeric_limits<int>::max() / 1000);
    compteARebours_.setDuration(secondesAttente_ * 1000);
    compteARebours_.setStartValue(secondesAttente_);
    secondesRestantes_ = secondesAttente_;
    // Outside the waiting states the text does not show the countdown.
    if (estEtatDAttente(etat_)) {
        if (secondesRestantes_ > 0)
            compteARebours_.start();
        afficheTexte_();
    }
}

void ZB_ClientConnection::annonceEssai(int essai, int essais, int secondes)
{
    essai_ = essai;
    essais_ = essais;
    secondesEssai_ = secondes;
    afficheTexte_();
}

QString ZB_ClientConnection::getTexte() const
{
    return label_->text();
}

void ZB_ClientConnection::OnCompteARebours(const QVariant& valeur)
{
    Q_UNUSED(valeur);
    // Setting the start value reports a value too.
    if (compteARebours_.state() != QAbstractAnimation::Running)
        return;
    // Rounded up: the window never says 0 while time remains, and says the
    // full wait at the start.
    const int restantMs = qMax(0, compteARebours_.duration() - compteARebours_.currentTime());
    const int secondes = (restantMs + 999) / 1000;
    if (secondes == secondesRestantes_)
        return;
    secondesRestantes_ = secondes;
    if (estEtatDAttente(etat_))
        afficheTexte_();
}

void ZB_ClientConnection::OnCompteAReboursTermine()
{
    secondesRestantes_ = 0;
    if (estEtatDAttente(etat_))
        afficheTexte_();
}

void ZB_ClientConnection::afficheTexte_()
{
    etatAffiche_ = true;
    label_->setText(essai_ > 0 ? texteEssai(essai_, essais_, secondesEssai_) : texteEtat(etat_, secondesRestantes_));
}

void ZB_ClientConnection::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    GM_WidgetAuto::changeEvent(event);
}

void ZB_ClientConnection::retranslateUi()
{
    setWindowTitle(tr("Connection client"));
    boutonAnnuler_->setText(tr("Annuler"));
    boutonFermer_->setText(tr("Fermer"));
    if (etatAffiche_)
        afficheTexte_();
    else
        label_->setText(tr("Connection en cours..."));
}
