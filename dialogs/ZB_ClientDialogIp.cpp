#include "ZB_ClientDialogIp.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

ZB_ClientDialogIp::ZB_ClientDialogIp(QWidget* parent)
    : GM_WidgetAuto(parent)
    , label_(new QLabel(this))
    , lineEditIp_(new QLineEdit(this))
    , boutons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this))
{
    setObjectName(QStringLiteral("ClientDialogIp"));
    setAutoFillBackground(true);
    resize(236, 89);

    auto* grille = new QGridLayout(this);
    grille->setObjectName(QStringLiteral("gridLayout"));
    label_->setObjectName(QStringLiteral("label"));
    lineEditIp_->setObjectName(QStringLiteral("lineEditIp"));
    lineEditIp_->setPlaceholderText(QStringLiteral("192.168.1.10"));
    boutons_->setObjectName(QStringLiteral("buttonBox"));
    grille->addWidget(label_, 0, 0);
    grille->addWidget(lineEditIp_, 0, 1);
    // Placed in the table at a size much taller than the form: the rows
    // stay together at the top.
    grille->setRowStretch(1, 1);
    grille->addWidget(boutons_, 2, 0, 1, 2);

    connect(boutons_, &QDialogButtonBox::accepted, this, &ZB_ClientDialogIp::OnAccepte);
    connect(boutons_, &QDialogButtonBox::rejected, this, &ZB_ClientDialogIp::OnRefuse);
    connect(lineEditIp_, &QLineEdit::returnPressed, this, &ZB_ClientDialogIp::OnAccepte);
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

void ZB_ClientDialogIp::OnAccepte()
{
    hide();
    emit accepted(getIp());
}

void ZB_ClientDialogIp::OnRefuse()
{
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
}
