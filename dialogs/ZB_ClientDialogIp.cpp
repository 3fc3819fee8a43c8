#include "ZB_ClientDialogIp.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

namespace {
// As long as a name the table shows (ZB_MainWidget::NOM_DE_JEU_MAX).
constexpr int NOM_MAX = 24;
}

ZB_ClientDialogIp::ZB_ClientDialogIp(QWidget* parent)
    : GM_WidgetAuto(parent)
    , label_(new QLabel(this))
    , lineEditIp_(new QLineEdit(this))
    , labelPort_(new QLabel(this))
    , lineEditPort_(new QLineEdit(this))
    , labelNom_(new QLabel(this))
    , lineEditNom_(new QLineEdit(this))
    , manque_(new QLabel(this))
    , boutons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this))
{
    setObjectName(QStringLiteral("ClientDialogIp"));
    setAutoFillBackground(true);
    resize(236, 140);

    auto* grille = new QGridLayout(this);
    grille->setObjectName(QStringLiteral("gridLayout"));
    label_->setObjectName(QStringLiteral("label"));
    lineEditIp_->setObjectName(QStringLiteral("lineEditIp"));
    lineEditIp_->setPlaceholderText(QStringLiteral("192.168.1.10"));
    boutons_->setObjectName(QStringLiteral("buttonBox"));
    labelPort_->setObjectName(QStringLiteral("labelPort"));
    lineEditPort_->setObjectName(QStringLiteral("lineEditPort"));
    lineEditPort_->setValidator(new QIntValidator(1, 65535, lineEditPort_));
    grille->addWidget(label_, 0, 0);
    grille->addWidget(lineEditIp_, 0, 1);
    grille->addWidget(labelPort_, 1, 0);
    grille->addWidget(lineEditPort_, 1, 1);
    labelNom_->setObjectName(QStringLiteral("labelNom"));
    lineEditNom_->setObjectName(QStringLiteral("lineEditNom"));
    lineEditNom_->setMaxLength(NOM_MAX);
    grille->addWidget(labelNom_, 2, 0);
    grille->addWidget(lineEditNom_, 2, 1);
    manque_->setObjectName(QStringLiteral("labelManque"));
    manque_->setWordWrap(true);
    manque_->hide();
    grille->addWidget(manque_, 3, 0, 1, 2);
    // Placed in the table at a size much taller than the form: the rows
    // stay together at the top.
    grille->setRowStretch(4, 1);
    grille->addWidget(boutons_, 5, 0, 1, 2);

    // The window takes the keyboard into the address: the user types it at
    // once, and the port after a Tab.
    setFocusProxy(lineEditIp_);
    connect(boutons_, &QDialogButtonBox::accepted, this, &ZB_ClientDialogIp::OnAccepte);
    connect(boutons_, &QDialogButtonBox::rejected, this, &ZB_ClientDialogIp::OnRefuse);
    // Return in any field answers OK through the form's own keys.
    retranslateUi();
}

ZB_ClientDialogIp::~ZB_ClientDialogIp() = default;

QString ZB_ClientDialogIp::getIp() const
{
    return lineEditIp_->text().trimmed();
}

void ZB_ClientDialogIp::setIp(const QString& ip)
{
    lineEditIp_->setText(ip);
}

quint16 ZB_ClientDialogIp::getPort() const
{
    bool ok = false;
    const uint port = lineEditPort_->text().trimmed().toUInt(&ok);
    return ok && port >= 1 && port <= 65535 ? quint16(port) : quint16(0);
}

void ZB_ClientDialogIp::setPort(quint16 port)
{
    lineEditPort_->setText(port != 0 ? QString::number(port) : QString());
}

QString ZB_ClientDialogIp::getNom() const
{
    return lineEditNom_->text().trimmed();
}

QString ZB_ClientDialogIp::getManque() const
{
    return manque_->isHidden() ? QString() : manque_->text();
}

void ZB_ClientDialogIp::setNom(const QString& nom)
{
    lineEditNom_->setText(nom);
}

void ZB_ClientDialogIp::OnAccepte()
{
    const quint16 port = getPort();
    // Nothing to connect to: no connection is tried.
    QLineEdit* aReprendre = getIp().isEmpty() ? lineEditIp_
                          : port == 0         ? lineEditPort_
                                              : (getNom().isEmpty() ? lineEditNom_ : nullptr);
    manque_->setText(aReprendre == lineEditIp_     ? tr("Entrez l'adresse du serveur.")
                     : aReprendre == lineEditPort_ ? tr("Entrez un port de 1 à 65535.")
                     : aReprendre == lineEditNom_  ? tr("Entrez votre nom.")
                                                   : QString());
    manque_->setVisible(aReprendre != nullptr);
    if (aReprendre != nullptr) {
        aReprendre->setFocus(Qt::OtherFocusReason);
        aReprendre->selectAll();
        return;
    }
    hide();
    emit accepted(getIp(), port);
}

void ZB_ClientDialogIp::OnRefuse()
{
    manque_->hide();
    hide();
    emit rejected();
}

void ZB_ClientDialogIp::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    GM_WidgetAuto::changeEvent(event);
}

void ZB_ClientDialogIp::retranslateUi()
{
    setWindowTitle(tr("Connection Client"));
    label_->setText(tr("Ip Serveur"));
    labelPort_->setText(tr("Port"));
    labelNom_->setText(tr("Votre nom"));
    // Told again, in the new language, at the next OK.
    manque_->hide();
}
