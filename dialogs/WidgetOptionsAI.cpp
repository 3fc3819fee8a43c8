#include "WidgetOptionsAI.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

QDoubleSpinBox* nouveauFacteur(QWidget* parent, const QString& nom)
{
    auto* boite = new QDoubleSpinBox(parent);
    boite->setObjectName(nom);
    boite->setRange(WidgetOptionsAI::FACTEUR_MIN, WidgetOptionsAI::FACTEUR_MAX);
    boite->setDecimals(WidgetOptionsAI::DECIMALES_FACTEUR);
    boite->setSingleStep(0.01);
    return boite;
}

// Shows valeur in the box, clamped; true when it had to be.
bool montre(QDoubleSpinBox* boite, double valeur)
{
    const bool dehors = !std::isfinite(valeur) || valeur < boite->minimum() || valeur > boite->maximum();
    boite->setValue(std::isfinite(valeur) ? valeur : boite->minimum());
    return dehors;
}

} // namespace

WidgetOptionsAI::WidgetOptionsAI(QWidget* parent)
    : QWidget(parent)
    , niveau_(new QComboBox(this))
    , force_(new QSpinBox(this))
    , secondTour_(nouveauFacteur(this, QStringLiteral("doubleSpinBoxSecondTurnTrump")))
    , troisiemeTour_(nouveauFacteur(this, QStringLiteral("doubleSpinBoxThirdTurnTrump")))
    , connaissance_(nouveauFacteur(this, QStringLiteral("doubleSpinBoxKnowledgeOpponents")))
{
    force_->setObjectName(QStringLiteral("spinBoxNbrCombinations"));
    force_->setRange(COMBINAISONS_MIN, COMBINAISONS_MAX);
    force_->setSingleStep(PAS_COMBINAISONS);
    niveau_->setObjectName(QStringLiteral("comboBoxLevel"));
    for (int force : NIVEAUX)
        niveau_->addItem(QString(), force);
    niveau_->addItem(QString(), -1);
    connect(niveau_, &QComboBox::activated, this, [this](int index) {
        const int force = niveau_->itemData(index).toInt();
        if (force > 0)
            force_->setValue(force);
    });
    connect(force_, &QSpinBox::valueChanged, this, &WidgetOptionsAI::niveauSuitForce_);
    auto* disposition = new QFormLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    QWidget* const champs[] = {niveau_, force_, secondTour_, troisiemeTour_, connaissance_};
    for (size_t i = 0; i < etiquettes_.size(); ++i) {
        etiquettes_[i] = new QLabel(this);
        disposition->addRow(etiquettes_[i], champs[i]);
    }
    retranslateUi();
    setOptions(OptionsAI());
}

WidgetOptionsAI::~WidgetOptionsAI() = default;

QStringList WidgetOptionsAI::setOptions(const OptionsAI& options)
{
    QStringList bornees;
    const double n = options.nbrCombinations_;
    if (!std::isfinite(n) || n < COMBINAISONS_MIN || n > COMBINAISONS_MAX)
        bornees << tr("force");
    force_->setValue(std::isfinite(n) ? static_cast<int>(std::lround(std::clamp(n, double(COMBINAISONS_MIN),
                                                                                  double(COMBINAISONS_MAX))))
                                      : COMBINAISONS_MIN);
    if (montre(secondTour_, options.secondTurnTrump_))
        bornees << tr("confiance au 2e tour");
    if (montre(troisiemeTour_, options.thirdTurnTrump_))
        bornees << tr("confiance au 3e tour");
    if (montre(connaissance_, options.knowledgeOpponents_))
        bornees << tr("déduction");
    version_ = options.version_;
    niveauSuitForce_(force_->value());
    return bornees;
}

void WidgetOptionsAI::niveauSuitForce_(int force)
{
    const int index = niveau_->findData(force);
    niveau_->setCurrentIndex(index >= 0 ? index : niveau_->count() - 1);
}

OptionsAI WidgetOptionsAI::options() const
{
    return OptionsAI(secondTour_->value(), troisiemeTour_->value(), connaissance_->value(), force_->value(), version_);
}

void WidgetOptionsAI::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}

void WidgetOptionsAI::retranslateUi()
{
    force_->setToolTip(tr("Nombre de donnes simulées par coup: plus il est grand, plus l'ordinateur joue fort et "
                          "lentement."));
    // Renaming the items keeps the chosen level.
    const QString noms[] = {tr("Facile"), tr("Moyen"), tr("Fort"), tr("Expert"), tr("Sur mesure")};
    static_assert(std::size(noms) == std::size(NIVEAUX) + 1);
    for (int i = 0; i < int(std::size(noms)); ++i)
        niveau_->setItemText(i, noms[i]);
    etiquettes_[0]->setText(tr("Niveau"));
    etiquettes_[1]->setText(tr("Force (donnes simulées)"));
    etiquettes_[2]->setText(tr("Confiance au 2e tour d'atout"));
    etiquettes_[3]->setText(tr("Confiance au 3e tour d'atout"));
    etiquettes_[4]->setText(tr("Déduction des jeux adverses"));
}
