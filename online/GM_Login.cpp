#include "GM_Login.h"

#include "GM_LineEdit.h"
#include "GM_SharedFunctions.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSettings>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QtEndian>

namespace {

constexpr int PageInscription = 0;
constexpr int PageNormale = 1;
// qCompress puts the uncompressed size in front, on four bytes.
constexpr int TailleEnTete = 4;

QPushButton* bouton(const char* nom, QWidget* parent)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(nom));
    return b;
}

QLabel* etiquette(const char* nom, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(nom));
    return l;
}

GM_LineEdit* champ(const char* nom, QWidget* parent, bool motDePasse)
{
    auto* c = new GM_LineEdit(parent);
    c->setObjectName(QLatin1String(nom));
    if (motDePasse)
        c->setEchoMode(QLineEdit::Password);
    return c;
}

QHBoxLayout* rangeeDeBoutons(const char* nom, QPushButton* premier, QPushButton* second)
{
    auto* rangee = new QHBoxLayout;
    rangee->setObjectName(QLatin1String(nom));
    rangee->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    rangee->addWidget(premier);
    rangee->addWidget(second);
    rangee->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    return rangee;
}

} // namespace

GM_Login::GM_Login(QWidget* parent)
    : GM_WidgetAuto(parent)
    , expressionEmail_(
          QRegularExpression::anchoredPattern(QStringLiteral(R"(\b[A-Z0-9._%+-]+@[A-Z0-9.-]+\.[A-Z]{2,6}\b)")),
          QRegularExpression::CaseInsensitiveOption)
    , expressionPasse_(QRegularExpression::anchoredPattern(
          QStringLiteral(R"([\p{L}0-9*.!@#$%^&(){}\[\]:;<>,.?\/~_\+\-\=|]{5,20})")))
    , expressionPseudo_(QRegularExpression::anchoredPattern(QStringLiteral(R"([\p{L}0-9^\[\]_]{4,20})")))
    , validateurEmail_(new QRegularExpressionValidator(expressionEmail_, this))
    , validateurPasse_(new QRegularExpressionValidator(expressionPasse_, this))
    , validateurPseudo_(new QRegularExpressionValidator(expressionPseudo_, this))
{
    construitFormulaire_();
    resize(1, 1);
}

GM_Login::~GM_Login() = default;

void GM_Login::construitFormulaire_()
{
    setObjectName(QStringLiteral("GM_Login"));
    resize(276, 317);
    auto* principal = new QVBoxLayout(this);
    principal->setObjectName(QStringLiteral("verticalLayout_6"));
    principal->setSpacing(1);
    principal->setContentsMargins(3, 3, 3, 3);

    autoConnect_ = new QCheckBox(this);
    autoConnect_->setObjectName(QStringLiteral("m_checkBoxAutoConnectP"));
    autoConnect_->setChecked(true);
    principal->addWidget(autoConnect_);
    radioNormal_ = new QRadioButton(this);
    radioNormal_->setObjectName(QStringLiteral("radioButtonNormal"));
    radioNormal_->setChecked(true);
    principal->addWidget(radioNormal_);
    radioGetLogin_ = new QRadioButton(this);
    radioGetLogin_->setObjectName(QStringLiteral("radioButtonGetLogin"));
    principal->addWidget(radioGetLogin_);

    auto* blocEmail = new QVBoxLayout;
    blocEmail->setObjectName(QStringLiteral("verticalLayout"));
    blocEmail->setSpacing(1);
    blocEmail->setContentsMargins(0, 0, 0, 0);
    labelEmail_ = etiquette("m_labelEmailP", this);
    labelEmail_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    blocEmail->addWidget(labelEmail_);
    email_ = champ("m_emailP", this, false);
    email_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    email_->setInputMethodHints(Qt::ImhNoAutoUppercase | Qt::ImhNoPredictiveText);
    blocEmail->addWidget(email_);
    principal->addLayout(blocEmail);

    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("stackedWidget"));
    principal->addWidget(pages_);

    auto* pageInscription = new QWidget;
    pageInscription->setObjectName(QStringLiteral("pageGetLogin"));
    auto* blocInscription = new QVBoxLayout(pageInscription);
    blocInscription->setObjectName(QStringLiteral("verticalLayout_7"));
    blocInscription->setSpacing(0);
    blocInscription->setContentsMargins(0, 0, 0, 0);
    labelPseudo_ = etiquette("m_labelPseudoP", pageInscription);
    labelPseudo_->setWordWrap(true);
    blocInscription->addWidget(labelPseudo_);
    pseudo_ = champ("m_pseudoP", pageInscription, false);
    blocInscription->addWidget(pseudo_);
    labelPasseInscription_ = etiquette("m_labelPassP_2", pageInscription);
    blocInscription->addWidget(labelPasseInscription_);
    passeInscription_ = champ("m_passwordRegisterP", pageInscription, true);
    blocInscription->addWidget(passeInscription_);
    labelConfirmation_ = etiquette("m_labelConfirmP", pageInscription);
    labelConfirmation_->setWordWrap(true);
    blocInscription->addWidget(labelConfirmation_);
    confirmation_ = champ("m_passwordRegisterConfirmP", pageInscription, true);
    blocInscription->addWidget(confirmation_);
    boutonEnvoyer_ = bouton("m_pushButtonGetLoginP", pageInscription);
    boutonEnvoyer_->setEnabled(false);
    boutonAnnuler1_ = bouton("pushButtonAnnuler1", pageInscription);
    blocInscription->addLayout(rangeeDeBoutons("horizontalLayout", boutonEnvoyer_, boutonAnnuler1_));
    defilement_ = new QScrollArea(pageInscription);
    defilement_->setObjectName(QStringLiteral("scrollArea"));
    defilement_->setFrameShape(QFrame::NoFrame);
    defilement_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    defilement_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    defilement_->setWidgetResizable(true);
    defilement_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    avertissement_ = etiquette("m_labelDisclaimerP", nullptr);
    avertissement_->setWordWrap(true);
    avertissement_->setTextFormat(Qt::PlainText);
    defilement_->setWidget(avertissement_);
    blocInscription->addWidget(defilement_);
    pages_->addWidget(pageInscription);

    auto* pageNormale = new QWidget;
    pageNormale->setObjectName(QStringLiteral("pageNormal"));
    auto* blocNormal = new QVBoxLayout(pageNormale);
    blocNormal->setObjectName(QStringLiteral("verticalLayout_2"));
    blocNormal->setSpacing(3);
    blocNormal->setContentsMargins(0, 0, 0, 0);
    oublie_ = new QCheckBox(pageNormale);
    oublie_->setObjectName(QStringLiteral("m_checkBoxForgotP"));
    blocNormal->addWidget(oublie_);
    labelPasse_ = etiquette("m_labelPassP", pageNormale);
    blocNormal->addWidget(labelPasse_);
    passe_ = champ("m_passwordNormalP", pageNormale, true);
    blocNormal->addWidget(passe_);
    boutonOk_ = bouton("pushButtonOk", pageNormale);
    boutonOk_->setEnabled(false);
    boutonAnnuler2_ = bouton("pushButtonAnnuler2", pageNormale);
    blocNormal->addLayout(rangeeDeBoutons("horizontalLayout_3", boutonOk_, boutonAnnuler2_));
    blocNormal->addItem(new QSpacerItem(20, 152, QSizePolicy::Minimum, QSizePolicy::Expanding));
    texteConnexion_ = etiquette("label", pageNormale);
    texteConnexion_->setWordWrap(true);
    blocNormal->addWidget(texteConnexion_);
    pages_->addWidget(pageNormale);
    pages_->setCurrentIndex(PageNormale);

    setTabOrder(autoConnect_, radioGetLogin_);
    setTabOrder(radioGetLogin_, email_);
    setTabOrder(email_, oublie_);
    setTabOrder(oublie_, passe_);
    setTabOrder(passe_, boutonOk_);
    setTabOrder(boutonOk_, boutonAnnuler2_);
    setTabOrder(boutonAnnuler2_, passeInscription_);
    setTabOrder(passeInscription_, boutonAnnuler1_);
    setTabOrder(boutonAnnuler1_, defilement_);
    setTabOrder(defilement_, radioNormal_);
    setTabOrder(radioNormal_, pseudo_);
    setTabOrder(pseudo_, confirmation_);
    setTabOrder(confirmation_, boutonEnvoyer_);

    connect(oublie_, &QCheckBox::toggled, passe_, &QWidget::setDisabled);
    connect(oublie_, &QCheckBox::toggled, labelPasse_, &QWidget::setDisabled);
    retranslate();
}

void GM_Login::retranslate()
{
    setWindowTitle(tr("Login"));
    autoConnect_->setText(tr("Connection automatique"));
    radioNormal_->setText(tr("J'ai déjà un compte"));
    radioGetLogin_->setText(tr("Obtenir un compte (gratuit et immédiat)"));
    labelEmail_->setText(tr("Email"));
    labelPseudo_->setText(tr("Pseudo (nom qui apparaitra aux autres joueurs, min 4 char.)"));
    labelPasseInscription_->setText(tr("Mot de passe (min. 5 char.)"));
    labelConfirmation_->setText(tr("Confirmer le mot de passe"));
    boutonEnvoyer_->setText(tr("Envoyer"));
    boutonAnnuler1_->setText(tr("Annuler"));
    avertissement_->setText(
        tr("Vérifiez que les informations ci-dessus sont bien correctes, puis pressez sur \"Envoyer\" pour envoyer "
           "la requète.\n\nVous recevrez ensuite un courriel, qui contiendra un lien pour confirmation.\n\nNotez "
           "que:\n-L'auteur ne revends pas votre adresse email et respecte les lois sur la confidentialité et la vie "
           "privée.\n-La création de l'accompte implique une inscription à au moins une occurence de la newsletter, "
           "qui peut être ensuite désactivée conformément à la législation.\n-Un usage abusif peut-être un motif de "
           "ban définitif des parties en ligne.\n-Bien que les prestations en ligne soient maintenus au meilleur "
           "niveau possible, il n'y a aucune garantie de service.\n              "));
    oublie_->setText(tr("Mot de passe oublié (envoi par email)"));
    labelPasse_->setText(tr("Mot de passe (min. 5 char.)"));
    boutonOk_->setText(tr("Connecter"));
    boutonAnnuler2_->setText(tr("Annuler"));
    texteConnexion_->setText(tr("Connectez vous pour pouvoir jouer avec vos amis ou sauver vos statistiques. \n\n"
                                "Garanti sans supplément et sans aucun risque."));
}

QByteArray GM_Login::passeStocke(const QString& passe)
{
    return qCompress(passe.toUtf8(), -1);
}

QString GM_Login::passeLu(const QVariant& valeur)
{
    if (valeur.typeId() == QMetaType::QString)
        return valeur.toString();
    const QByteArray octets = valeur.toByteArray();
    if (octets.size() <= TailleEnTete)
        return QString();
    // qUncompress would first reserve whatever size the value claims.
    const quint32 annonce = qFromBigEndian<quint32>(octets.constData());
    if (annonce > quint32(PasseStockeMax))
        return QString();
    return QString::fromUtf8(qUncompress(octets));
}

void GM_Login::init(QSettings* settings)
{
    settings_ = settings;
    if (settings_ != nullptr) {
        settings_->sync();
        settings_->beginGroup(QLatin1String(Groupe));
        email_->setText(settings_->value(QStringLiteral("email")).toString());
    }
    email_->setValidator(validateurEmail_);
    const QString passe =
        settings_ != nullptr ? passeLu(settings_->value(QStringLiteral("pass"))) : QString();
    passe_->setText(passe);
    passeInscription_->setText(passe);
    passe_->setValidator(validateurPasse_);
    passeInscription_->setValidator(validateurPasse_);
    pseudo_->setValidator(validateurPseudo_);
    if (settings_ != nullptr) {
        autoConnect_->setChecked(settings_->value(QStringLiteral("isAutoConnect"), true).toBool());
        settings_->endGroup();
        protegeFichier_();
    }
    OnAnyTextChanged();

    for (QLineEdit* c : {static_cast<QLineEdit*>(email_), static_cast<QLineEdit*>(passe_),
                         static_cast<QLineEdit*>(passeInscription_), static_cast<QLineEdit*>(confirmation_),
                         static_cast<QLineEdit*>(pseudo_)})
        connect(c, &QLineEdit::textChanged, this, &GM_Login::OnAnyTextChanged);
    connect(radioGetLogin_, &QRadioButton::toggled, this, &GM_Login::OnCheckGetLoginP);
    connect(oublie_, &QCheckBox::toggled, this, &GM_Login::OnCheckForgotPassword);
    connect(boutonEnvoyer_, &QPushButton::clicked, this, &GM_Login::OnPushGetLogin);
    connect(boutonOk_, &QPushButton::clicked, this, &GM_Login::OnOk);
    connect(boutonAnnuler1_, &QPushButton::clicked, this, &GM_Login::OnCancel);
    connect(boutonAnnuler2_, &QPushButton::clicked, this, &GM_Login::OnCancel);
    // One page shows at a time: its own buttons answer Return and Esc.
    boutonOk_->setDefault(true);
    boutonEnvoyer_->setDefault(true);
    setBoutonsAnnuler({boutonAnnuler2_, boutonAnnuler1_});
}

void GM_Login::protegeFichier_()
{
    // The password is stored merely compressed: nobody but the user may
    // read the file. A store that is not a file (a registry) is left alone.
    const QString fichier = settings_->fileName();
    if (!QFileInfo(fichier).isFile())
        return;
    if (!QFile::setPermissions(fichier, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        qWarning().noquote() << "GM_Login: the settings file cannot be made private:" << fichier;
}

bool GM_Login::valide_(QLineEdit* c) const
{
    const QValidator* validateur = c->validator();
    if (validateur == nullptr)
        return false;
    QString texte = c->text();
    int position = 0;
    return validateur->validate(texte, position) == QValidator::Acceptable;
}

bool GM_Login::checkField_(QLineEdit* c, const QWidget* sourcePalette, bool acceptable)
{
    const QPalette normale = sourcePalette->palette();
    QPalette rouge = normale;
    for (const QPalette::ColorGroup groupe : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        rouge.setBrush(groupe, QPalette::Text, QBrush(QColor(QStringLiteral("red"))));
    c->setPalette(acceptable ? normale : rouge);
    return acceptable;
}

bool GM_Login::isEmailValid() const
{
    QString texte = email_->text();
    int position = 0;
    return validateurEmail_->validate(texte, position) == QValidator::Acceptable;
}

bool GM_Login::setUserAndPass(const QString& email, const QString& password)
{
    email_->setText(email);
    passe_->setText(password);
    const bool emailOk = checkUser();
    const bool passeOk = checkPassNormal();
    return emailOk && passeOk;
}

bool GM_Login::checkUser()
{
    return checkField_(email_, labelEmail_, isEmailValid());
}

bool GM_Login::checkPassNormal()
{
    return checkField_(passe_, this, valide_(passe_));
}

bool GM_Login::checkPassRegister()
{
    return checkField_(passeInscription_, this, valide_(passeInscription_));
}

bool GM_Login::checkPseudo()
{
    return checkField_(pseudo_, this, valide_(pseudo_));
}

bool GM_Login::checkConfirmOk()
{
    return checkField_(confirmation_, passeInscription_, confirmation_->text() == passeInscription_->text());
}

void GM_Login::OnAnyTextChanged()
{
    const bool emailOk = checkUser();
    const bool passeOk = checkPassNormal();
    const bool inscriptionOk = checkPassRegister();
    const bool pseudoOk = checkPseudo();
    oublie_->setEnabled(emailOk);
    boutonEnvoyer_->setEnabled(inscriptionOk && checkConfirmOk() && pseudoOk && emailOk);
    boutonOk_->setEnabled(emailOk && (oublie_->isChecked() || passeOk));
}

void GM_Login::OnCheckGetLoginP(bool checked)
{
    pages_->setCurrentIndex(checked ? PageInscription : PageNormale);
    oublie_->setEnabled(!checked);
    if (checked)
        oublie_->setChecked(false);
    checkUser();
    checkPassNormal();
    checkPassRegister();
    checkPseudo();
    OnAnyTextChanged();
}

void GM_Login::OnCheckForgotPassword(bool checked)
{
    OnAnyTextChanged();
    passe_->setEnabled(!checked);
}

void GM_Login::OnPushGetLogin()
{
    passe_->setText(passeInscription_->text());
    radioNormal_->animateClick();
    emit signalNewUserAndPass(email_->text().toLower(), passeInscription_->text(), pseudo_->text());
}

void GM_Login::OnOk()
{
    if (oublie_->isChecked()) {
        oublie_->setChecked(false);
        passe_->setEnabled(true);
        emit signalPasswordForgot(email_->text());
        return;
    }
    if (settings_ != nullptr) {
        settings_->beginGroup(QLatin1String(Groupe));
        settings_->setValue(QStringLiteral("email"), email_->text().toLower());
        settings_->setValue(QStringLiteral("pass"), passeStocke(passe_->text()));
        settings_->setValue(QStringLiteral("isAutoConnect"), autoConnect_->isChecked() && isEmailValid());
        settings_->endGroup();
        settings_->sync();
        protegeFichier_();
    }
    emit signalLoginUserAnswer(1);
}

void GM_Login::replaceSavedPassword(const QString& password)
{
    passe_->setText(password);
    passeInscription_->setText(password);
    if (settings_ == nullptr)
        return;
    settings_->beginGroup(QLatin1String(Groupe));
    const bool stocke = !passeLu(settings_->value(QStringLiteral("pass"))).isEmpty();
    if (stocke)
        settings_->setValue(QStringLiteral("pass"), passeStocke(password));
    settings_->endGroup();
    if (stocke) {
        settings_->sync();
        protegeFichier_();
    }
}

void GM_Login::OnCancel()
{
    emit signalLoginUserAnswer(0);
}

void GM_Login::showEvent(QShowEvent* event)
{
    adjustToSize();
    email_->clearFocus();
    radioNormal_->setFocus();
    GM_WidgetAuto::showEvent(event);
}

void GM_Login::adjustToSize()
{
    avertissement_->setFont(scaledFont(0));
    setFont(scaledFont(1));
    GM_WidgetAuto::adjustToSize();
}
