#include "FormBugQuestionnaire.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int LIGNES_VISIBLES = 4;

QPlainTextEdit* nouvelleReponse(QWidget* parent, const QString& nom)
{
    auto* texte = new QPlainTextEdit(parent);
    texte->setObjectName(nom);
    texte->setTabChangesFocus(true);
    texte->setMinimumHeight(texte->fontMetrics().lineSpacing() * LIGNES_VISIBLES);
    // Longer texts are cut as they are typed or pasted, not silently later.
    QObject::connect(texte, &QPlainTextEdit::textChanged, texte, [texte] {
        const QString t = texte->toPlainText();
        if (t.size() <= FormBugQuestionnaire::REPONSE_LONGUEUR_MAX)
            return;
        QSignalBlocker bloque(texte);
        texte->setPlainText(t.left(FormBugQuestionnaire::REPONSE_LONGUEUR_MAX));
        texte->moveCursor(QTextCursor::End);
    });
    return texte;
}

} // namespace

FormBugQuestionnaire::FormBugQuestionnaire(QWidget* parent)
    : GM_WidgetAuto(parent)
    , titre_(new QLabel(this))
    , explication_(new QLabel(this))
    , forme_(new QFormLayout)
    , categorie_(new QComboBox(this))
    , quoi_(nouvelleReponse(this, QStringLiteral("plainTextEditWhat")))
    , attendu_(nouvelleReponse(this, QStringLiteral("plainTextEditExpected")))
    , reproductible_(new QCheckBox(this))
    , contact_(new QLabel(this))
    , envoyer_(new QPushButton(this))
    , annuler_(new QPushButton(this))
{
    setObjectName(QStringLiteral("FormBugQuestionnaire"));
    setAutoFillBackground(true);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(titre_);
    explication_->setWordWrap(true);
    disposition->addWidget(explication_);
    categorie_->setObjectName(QStringLiteral("comboBoxCategory"));
    for (int c : {Regles, Affichage, Reseau, Plantage, Autre})
        categorie_->addItem(QString(), c);
    reproductible_->setObjectName(QStringLiteral("checkBoxReproducible"));
    for (QWidget* champ : {static_cast<QWidget*>(categorie_), static_cast<QWidget*>(quoi_),
                           static_cast<QWidget*>(attendu_)})
        forme_->addRow(new QLabel(this), champ);
    forme_->addRow(QString(), reproductible_);
    disposition->addLayout(forme_, 1);
    contact_->setObjectName(QStringLiteral("labelContact"));
    contact_->setTextFormat(Qt::RichText);
    contact_->setOpenExternalLinks(true);
    contact_->setWordWrap(true);
    disposition->addWidget(contact_);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch(1);
    annuler_->setObjectName(QStringLiteral("pushButtonCancel"));
    envoyer_->setObjectName(QStringLiteral("pushButtonSend"));
    envoyer_->setDefault(true);
    setBoutonsAnnuler({annuler_});
    boutons->addWidget(annuler_);
    boutons->addWidget(envoyer_);
    disposition->addLayout(boutons);
    connect(envoyer_, &QPushButton::clicked, this, [this] {
        const QString texte = reponses();
        hide();
        emit signalReponses(texte);
    });
    connect(annuler_, &QPushButton::clicked, this, [this] {
        hide();
        emit signalAnnule();
    });
    retranslateUi();
}

FormBugQuestionnaire::~FormBugQuestionnaire() = default;

void FormBugQuestionnaire::reset()
{
    categorie_->setCurrentIndex(0);
    quoi_->clear();
    attendu_->clear();
    reproductible_->setChecked(false);
}

void FormBugQuestionnaire::setNoteContact(const QString& note)
{
    contact_->setText(note);
    contact_->setVisible(!note.isEmpty());
}

QString FormBugQuestionnaire::reponses() const
{
    const auto reponse = [](const QPlainTextEdit* texte) {
        return texte->toPlainText().trimmed().left(REPONSE_LONGUEUR_MAX);
    };
    QStringList lignes;
    lignes << QStringLiteral("Category: %1").arg(categorie_->currentText());
    lignes << QStringLiteral("What happened: %1").arg(reponse(quoi_));
    lignes << QStringLiteral("Expected: %1").arg(reponse(attendu_));
    lignes << QStringLiteral("Reproducible: %1").arg(reproductible_->isChecked() ? QStringLiteral("yes")
                                                                                 : QStringLiteral("no"));
    return lignes.join(QLatin1Char('\n'));
}

void FormBugQuestionnaire::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    GM_WidgetAuto::changeEvent(event);
}

void FormBugQuestionnaire::retranslateUi()
{
    setWindowTitle(tr("Rapport de bug"));
    titre_->setText(QStringLiteral("<b>") + tr("Rapport de bug") + QStringLiteral("</b>"));
    explication_->setText(tr("Une image de la table a été prise. Quelques mots nous aident à trouver le "
                             "problème; le rapport reste sur cet appareil."));
    // Renaming the items keeps the chosen category; the typed answers are
    // not touched.
    categorie_->setItemText(categorie_->findData(Regles), tr("Règles du jeu"));
    categorie_->setItemText(categorie_->findData(Affichage), tr("Affichage"));
    categorie_->setItemText(categorie_->findData(Reseau), tr("Réseau"));
    categorie_->setItemText(categorie_->findData(Plantage), tr("Plantage ou blocage"));
    categorie_->setItemText(categorie_->findData(Autre), tr("Autre"));
    const std::pair<QWidget*, QString> etiquettes[] = {
        {categorie_, tr("Genre de problème")},
        {quoi_, tr("Que s'est-il passé?")},
        {attendu_, tr("Qu'attendiez-vous?")},
    };
    for (const auto& [champ, texte] : etiquettes)
        if (auto* etiquette = qobject_cast<QLabel*>(forme_->labelForField(champ)))
            etiquette->setText(texte);
    quoi_->setPlaceholderText(tr("Décrivez ce que vous avez vu"));
    attendu_->setPlaceholderText(tr("Ce qui aurait dû se passer"));
    reproductible_->setText(tr("Le problème se reproduit"));
    envoyer_->setText(tr("Créer le rapport"));
    annuler_->setText(tr("Annuler"));
}
