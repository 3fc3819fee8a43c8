#include "FormDebugOptions.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int CARACTERES_PAR_LIGNE = 52;

} // namespace

FormDebugOptions::FormDebugOptions(QWidget* parent)
    : GM_WidgetAuto(parent)
    , titre_(new QLabel(this))
    , explication_(new QLabel(this))
    , modeAffichage_(new QPushButton(this))
    , messages_(new QPushButton(this))
    , fermer_(new QPushButton(this))
{
    setObjectName(QStringLiteral("FormDebugOptions"));
    setAutoFillBackground(true);
    // One switch and its explanation: the table stays in view around them.
    setTailleAuContenu(true);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(titre_);
    explication_->setWordWrap(true);
    // A wrapped label asks for a narrow column; the form takes its content's
    // size, so the explanation asks for lines of a readable length.
    explication_->setMinimumWidth(explication_->fontMetrics().averageCharWidth() * CARACTERES_PAR_LIGNE);
    disposition->addWidget(explication_);
    modeAffichage_->setObjectName(QStringLiteral("pushButtonChangeDisplayMode"));
    messages_->setObjectName(QStringLiteral("pushButtonTestMessages"));
    fermer_->setObjectName(QStringLiteral("pushButtonClose"));
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(modeAffichage_);
    ligne->addWidget(messages_);
    ligne->addStretch(1);
    disposition->addLayout(ligne);
    disposition->addStretch(1);
    auto* bas = new QHBoxLayout;
    bas->addStretch(1);
    bas->addWidget(fermer_);
    disposition->addLayout(bas);
    // The scene shows its own box about the change: this form gets out of
    // its way.
    connect(modeAffichage_, &QPushButton::clicked, this, [this] {
        hide();
        emit signalChangeDisplayMode();
    });
    // The demonstration runs over the table: the form leaves it in view.
    connect(messages_, &QPushButton::clicked, this, [this] {
        hide();
        emit signalTestMessages();
    });
    connect(fermer_, &QPushButton::clicked, this, &QWidget::hide);
    setBoutonsAnnuler({fermer_});
    retranslateUi();
}

FormDebugOptions::~FormDebugOptions() = default;

void FormDebugOptions::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    GM_WidgetAuto::changeEvent(event);
}

void FormDebugOptions::retranslateUi()
{
    setWindowTitle(tr("Options de débogage"));
    titre_->setText(QStringLiteral("<b>") + tr("Options de débogage") + QStringLiteral("</b>"));
    explication_->setText(tr("Si la table s'affiche mal (cartes qui disparaissent, traces), le mode de "
                             "secours redessine tout à chaque image: plus lent, mais plus sûr. Un second "
                             "appui revient au mode normal."));
    modeAffichage_->setText(tr("Changer le mode d'affichage"));
    messages_->setText(tr("Tester les messages réseau"));
    fermer_->setText(tr("Fermer"));
}
