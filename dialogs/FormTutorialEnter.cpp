#include "FormTutorialEnter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

FormTutorialEnter::FormTutorialEnter(QWidget* parent)
    : GM_WidgetAuto(parent)
    , titre_(new QLabel(this))
    , question_(new QLabel(this))
    , groupe_(new QButtonGroup(this))
    , nePlusAfficher_(new QCheckBox(this))
    , ok_(new QPushButton(this))
    , passer_(new QPushButton(this))
{
    setObjectName(QStringLiteral("FormTutorialEnter"));
    setAutoFillBackground(true);
    // A question and three answers: the table stays in view around them.
    setTailleAuContenu(true);
    auto* disposition = new QVBoxLayout(this);
    titre_->setObjectName(QStringLiteral("labelTitle"));
    disposition->addWidget(titre_);
    question_->setWordWrap(true);
    disposition->addWidget(question_);
    groupe_->setObjectName(QStringLiteral("buttonGroupTutorial"));
    for (int id : {ConnaitLeJeu, Debutant, ExpliqueRegles}) {
        auto* radio = new QRadioButton(this);
        radio->setObjectName(QStringLiteral("radioButtonTutorial%1").arg(id));
        groupe_->addButton(radio, id);
        radio->installEventFilter(this);
        disposition->addWidget(radio);
    }
    groupe_->button(ConnaitLeJeu)->setChecked(true);
    // The keyboard lands on the choices: the arrows move between them.
    setFocusProxy(groupe_->button(ConnaitLeJeu));
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
    // Esc skips: the table starts as it is set, and the welcome comes back
    // next time.
    setBoutonsAnnuler({passer_});
    retranslateUi();
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

void FormTutorialEnter::fermeParLaTable()
{
    if (isVisible())
        OnPasser();
}

void FormTutorialEnter::OnPasser()
{
    const quint32 id = eventId();
    hide();
    emit signalTutorialClosed(id, false);
}

bool FormTutorialEnter::eventFilter(QObject* objet, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return GM_WidgetAuto::eventFilter(objet, event);
    const auto* touche = static_cast<QKeyEvent*>(event);
    int pas = 0;
    if (touche->key() == Qt::Key_Up || touche->key() == Qt::Key_Left)
        pas = -1;
    else if (touche->key() == Qt::Key_Down || touche->key() == Qt::Key_Right)
        pas = 1;
    if (pas == 0 || touche->modifiers() != Qt::NoModifier)
        return GM_WidgetAuto::eventFilter(objet, event);
    QAbstractButton* suivant = groupe_->button(std::clamp(choix() + pas, int(ConnaitLeJeu), int(ExpliqueRegles)));
    suivant->setChecked(true);
    suivant->setFocus(Qt::TabFocusReason);
    return true;
}

bool FormTutorialEnter::focusNextPrevChild(bool next)
{
    const std::array<QWidget*, 4> tour{groupe_->button(choix()), nePlusAfficher_, passer_, ok_};
    QWidget* ici = focusWidget();
    if (qobject_cast<QAbstractButton*>(ici) && groupe_->buttons().contains(static_cast<QAbstractButton*>(ici)))
        ici = tour.front();
    const auto trouve = std::find(tour.cbegin(), tour.cend(), ici);
    if (trouve == tour.cend())
        return GM_WidgetAuto::focusNextPrevChild(next);
    const int n = static_cast<int>(tour.size());
    const int suivant = (static_cast<int>(trouve - tour.cbegin()) + (next ? 1 : n - 1)) % n;
    tour[static_cast<size_t>(suivant)]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void FormTutorialEnter::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    GM_WidgetAuto::changeEvent(event);
}

void FormTutorialEnter::retranslateUi()
{
    setWindowTitle(tr("Bienvenue"));
    titre_->setText(QStringLiteral("<h3>") + tr("Bienvenue à la table!") + QStringLiteral("</h3>"));
    question_->setText(tr("Comment voulez-vous commencer?"));
    groupe_->button(ConnaitLeJeu)->setText(tr("Je connais le jeu: jouons!"));
    groupe_->button(Debutant)->setText(tr("Je débute: montrez-moi les cartes jouables et les conseils"));
    groupe_->button(ExpliqueRegles)->setText(tr("Expliquez-moi d'abord les règles"));
    nePlusAfficher_->setText(tr("Ne plus afficher ce message"));
    ok_->setText(tr("OK"));
    passer_->setText(tr("Passer"));
}
