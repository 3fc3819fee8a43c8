#include "GM_PassChange.h"

#include "GM_LineEdit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpacerItem>
#include <QVBoxLayout>

GM_PassChange::GM_PassChange(QWidget* parent)
    : GM_WidgetAuto(parent)
    , expressionPasse_(QRegularExpression::anchoredPattern(QString::fromLatin1(PasswordPattern)))
    , validateurAncien_(new QRegularExpressionValidator(this))
    , validateurNouveau_(new QRegularExpressionValidator(this))
{
    construitFormulaire_();
    connect(pushButtonOk, &QPushButton::clicked, this, &GM_PassChange::on_pushButtonOk_clicked);
    connect(pushButtonAnnuler, &QPushButton::clicked, this, &GM_PassChange::on_pushButtonAnnuler_clicked);
    retranslate();
}

GM_PassChange::~GM_PassChange() = default;

void GM_PassChange::construitFormulaire_()
{
    setObjectName(QStringLiteral("GM_PassChange"));
    resize(272, 266);
    auto* colonne = new QVBoxLayout(this);
    colonne->setObjectName(QStringLiteral("verticalLayout"));
    colonne->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));

    m_labelPasswordOldP = new QLabel(this);
    m_labelPasswordOldP->setObjectName(QStringLiteral("m_labelPasswordOldP"));
    m_labelPasswordOldP->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    m_labelPasswordOldP->setWordWrap(true);
    colonne->addWidget(m_labelPasswordOldP);
    m_passwordOldP = new GM_LineEdit(this);
    m_passwordOldP->setObjectName(QStringLiteral("m_passwordOldP"));
    m_passwordOldP->setEchoMode(QLineEdit::Password);
    m_passwordOldP->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    colonne->addWidget(m_passwordOldP);

    m_labelPasswordNewP = new QLabel(this);
    m_labelPasswordNewP->setObjectName(QStringLiteral("m_labelPasswordNewP"));
    m_labelPasswordNewP->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    colonne->addWidget(m_labelPasswordNewP);
    m_passwordNewP = new GM_LineEdit(this);
    m_passwordNewP->setObjectName(QStringLiteral("m_passwordNewP"));
    m_passwordNewP->setEchoMode(QLineEdit::Password);
    m_passwordNewP->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    colonne->addWidget(m_passwordNewP);
    colonne->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));

    auto* boutons = new QHBoxLayout;
    boutons->setObjectName(QStringLiteral("horizontalLayout"));
    boutons->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    pushButtonOk = new QPushButton(this);
    pushButtonOk->setObjectName(QStringLiteral("pushButtonOk"));
    pushButtonOk->setEnabled(false);
    boutons->addWidget(pushButtonOk);
    pushButtonAnnuler = new QPushButton(this);
    pushButtonAnnuler->setObjectName(QStringLiteral("pushButtonAnnuler"));
    boutons->addWidget(pushButtonAnnuler);
    boutons->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    colonne->addLayout(boutons);
}

void GM_PassChange::retranslate()
{
    setWindowTitle(tr("Form"));
    m_labelPasswordOldP->setText(tr("Ancien mot de passe"));
    m_labelPasswordNewP->setText(tr("Nouveau mot de passe (min. 5 char.)"));
    pushButtonOk->setText(tr("Envoyer"));
    pushButtonAnnuler->setText(tr("Annuler"));
}

void GM_PassChange::init()
{
    validateurAncien_->setRegularExpression(expressionPasse_);
    validateurNouveau_->setRegularExpression(expressionPasse_);
    m_passwordOldP->setValidator(validateurAncien_);
    m_passwordNewP->setValidator(validateurNouveau_);
    OnAnyTextChanged();
    connect(m_passwordNewP, &QLineEdit::textChanged, this, &GM_PassChange::OnAnyTextChanged);
    connect(m_passwordOldP, &QLineEdit::textChanged, this, &GM_PassChange::OnAnyTextChanged);
}

bool GM_PassChange::verifieChamp_(QLineEdit* champ, const QLabel* etiquette)
{
    const QPalette normale = etiquette->palette();
    QPalette rouge = normale;
    for (const QPalette::ColorGroup groupe : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        rouge.setBrush(groupe, QPalette::Text, QBrush(QColor(QStringLiteral("red"))));
    const QValidator* validateur = champ->validator();
    QString texte = champ->text();
    int position = 0;
    const bool acceptable =
        validateur != nullptr && validateur->validate(texte, position) == QValidator::Acceptable;
    champ->setPalette(acceptable ? normale : rouge);
    return acceptable;
}

void GM_PassChange::OnAnyTextChanged()
{
    const bool ancien = verifieChamp_(m_passwordOldP, m_labelPasswordOldP);
    const bool nouveau = verifieChamp_(m_passwordNewP, m_labelPasswordNewP);
    pushButtonOk->setEnabled(ancien && nouveau);
}

void GM_PassChange::on_pushButtonAnnuler_clicked()
{
    emit signalFinish(false);
}

void GM_PassChange::on_pushButtonOk_clicked()
{
    emit signalFinish(true);
}
