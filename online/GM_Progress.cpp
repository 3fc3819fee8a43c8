#include "GM_Progress.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpacerItem>

namespace {

constexpr int ValeurDuFormulaire = 24;

} // namespace

GM_Progress::GM_Progress(QWidget* parent)
    : GM_WidgetAuto(parent)
    , label_(new QLabel(this))
    , barre_(new QProgressBar(this))
    , boutonAnnuler_(new QPushButton(this))
{
    setObjectName(QStringLiteral("Progress"));
    setWindowModality(Qt::WindowModal);
    resize(239, 124);
    auto* grille = new QGridLayout(this);
    grille->setObjectName(QStringLiteral("gridLayout"));
    grille->setSpacing(3);
    grille->setContentsMargins(6, 6, 6, 6);
    grille->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding), 0, 0, 1, 3);
    label_->setObjectName(QStringLiteral("label"));
    label_->setAlignment(Qt::AlignCenter);
    label_->setWordWrap(true);
    // The texts are the client's, never markup.
    label_->setTextFormat(Qt::PlainText);
    grille->addWidget(label_, 1, 0, 1, 3);
    barre_->setObjectName(QStringLiteral("progressBar"));
    barre_->setValue(ValeurDuFormulaire);
    grille->addWidget(barre_, 2, 0, 1, 3);
    grille->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding), 3, 0, 1, 3);
    grille->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 4, 0);
    boutonAnnuler_->setObjectName(QStringLiteral("pushButtonCancel"));
    grille->addWidget(boutonAnnuler_, 4, 1, 2, 1);
    grille->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 4, 2);
    retranslate();

    connect(boutonAnnuler_, &QPushButton::clicked, this, &GM_Progress::OnCancelled);
    setBoutonsAnnuler({boutonAnnuler_});
    label_->setText(QString());
    barre_->setValue(0);
}

GM_Progress::~GM_Progress()
{
    if (annulation_ != nullptr)
        annulation_->progressDestroyed();
}

void GM_Progress::setProgress(const QString& texte, int valeur)
{
    label_->setText(texte);
    barre_->setValue(valeur);
}

void GM_Progress::activateWindow()
{
    GM_WidgetAuto::activateWindow();
}

void GM_Progress::show()
{
    GM_WidgetAuto::show();
}

void GM_Progress::hide()
{
    GM_WidgetAuto::hide();
}

void GM_Progress::retranslate()
{
    setWindowTitle(tr("Connection en cours"));
    label_->setText(tr("<Progress>"));
    boutonAnnuler_->setText(tr("Annuler"));
}

void GM_Progress::updateScaling()
{
    adjustToSize();
}

void GM_Progress::OnCancelled()
{
    if (annulation_ != nullptr)
        annulation_->cancel();
}
