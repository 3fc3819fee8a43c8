#include "FormTutorialEnter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FormTutorialEnter::FormTutorialEnter(QWidget* parent)
    : GM_WidgetAuto(parent)
    , groupe_(new QButtonGroup(this))
    , nePlusAfficher_(new QCheckBox(tr("Ne plus afficher ce message"), this))
    , ok_(new QPushButton(tr("OK"), this))
    , passer_(new QPushButton(tr("Passer"), this))
{
    setObjectName(QStringLiteral("FormTutorialEnter"));
    setAutoFillBackground(true);
    setWindowTitle(tr("Bienvenue"));
    auto* disposition = new QVBoxLayout(this);
    auto* titre = new QLabel(QStringLiteral("<h3>") + tr("Bienvenue à la table!") + QStringLiteral("</h3>"), this);
    titre->setObjectName(QStringLiteral("labelTitle"));
    disposition->addWidget(titre);
    auto* question = new QLabel(tr("Comment voulez-vous commencer?"), this);
    question->setWordWrap(true);
    disposition->addWidget(question);
    groupe_->setObjectName(QStringLiteral("buttonGroupTutorial"));
    const std::pair<int, QString> choix[] = {
        {ConnaitLeJeu, tr("Je connais le jeu: jouons!")},
        {Debutant, tr("Je débute: montrez-moi les cartes jouables et les conseils")},
        {ExpliqueRegles, tr("Expliquez-moi d'abord les règles")},
    };
    for (const auto& [id, texte] : choix) {
        auto* radio = new QRadioButton(texte, this);
        radio->setObjectName(QStringLiteral("radioButtonTutorial%1").arg(id));
        groupe_->addButton(radio, id);
        disposition->addWidget(radio);
    }
    groupe_->button(ConnaitLeJeu)->setChecked(true);
    nePlusAfficher_->setObjectName(QStringLiteral("checkBoxNePlusAfficher"));
    disposition->addWidget(nePlusAfficher_);
    disposition->addStretch(1);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    passer_->setObjectName(QStringLiteral("pushButtonSkip"));
    ok_->setObjectName(QStringLiteral("pushButtonOk"));
    ok_->setDefault(true);
    boutons->addWidget(passer_);
    boutons->addWidget(ok_);
    disposition->addLayout(boutons);
    connect(ok_, &QPushButton::clicked, this, &FormTutorialEnter::OnOk);
    connect(passer_, &QPushButton::clicked, this, &FormTutorialEnter::OnPasser);
}

FormTutorialEnter::~FormTutorialEnter() = default;

int FormTutorialEnter::choix() const
{
    const int id = groupe_->checkedId();
    return id < 0 ? ConnaitLeJeu : id;
}

bool FormTutorialEnter::nePlusAfficher() const
{
    return nePlusAfficher_->isChecked();
}

void FormTutorialEnter::OnOk()
{
    const quint32 id = eventId();
    hide();
    emit signalTutorialAnswer(choix(), nePlusAfficher());
    emit signalTutorialClosed(id, true);
}

void FormTutorialEnter::OnPasser()
{
    const quint32 id = eventId();
    hide();
    emit signalTutorialClosed(id, false);
}
