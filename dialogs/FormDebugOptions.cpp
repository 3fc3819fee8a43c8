#include "FormDebugOptions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FormDebugOptions::FormDebugOptions(QWidget* parent)
    : GM_WidgetAuto(parent)
    , modeAffichage_(new QPushButton(tr("Changer le mode d'affichage"), this))
    , fermer_(new QPushButton(tr("Fermer"), this))
{
    setObjectName(QStringLiteral("FormDebugOptions"));
    setAutoFillBackground(true);
    setWindowTitle(tr("Options de débogage"));
    auto* disposition = new QVBoxLayout(this);
    auto* titre = new QLabel(QStringLiteral("<b>") + tr("Options de débogage") + QStringLiteral("</b>"), this);
    disposition->addWidget(titre);
    auto* explication = new QLabel(tr("Si la table s'affiche mal (cartes qui disparaissent, traces), le mode de "
                                      "secours redessine tout à chaque image: plus lent, mais plus sûr. Un second "
                                      "appui revient au mode normal."),
                                   this);
    explication->setWordWrap(true);
    disposition->addWidget(explication);
    modeAffichage_->setObjectName(QStringLiteral("pushButtonChangeDisplayMode"));
    fermer_->setObjectName(QStringLiteral("pushButtonClose"));
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(modeAffichage_);
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
    connect(fermer_, &QPushButton::clicked, this, &QWidget::hide);
}

FormDebugOptions::~FormDebugOptions() = default;
