#include "FormBugQuestionnaire.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int LIGNES_VISIBLES = 4;

QPlainTextEdit* nouvelleReponse(QWidget* parent, const QString& nom, const QString& invite)
{
    auto* texte = new QPlainTextEdit(parent);
    texte->setObjectName(nom);
    texte->setPlaceholderText(invite);
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
    , categorie_(new QComboBox(this))
    , quoi_(nouvelleReponse(this, QStringLiteral("plainTextEditWhat"), tr("Décrivez ce que vous avez vu")))
    , attendu_(nouvelleReponse(this, QStringLiteral("plainTextEditExpected"), tr("Ce qui aurait dû se passer")))
    , reproductible_(new QCheckBox(tr("Le problème se reproduit"), this))
    , contact_(new QLabel(this))
    , envoyer_(new QPushButton(tr("Créer le rapport"), this))
    , annuler_(new QPushButton(tr("Annuler"), this))
{
    setObjectName(QStringLiteral("FormBugQuestionnaire"));
    setAutoFillBackground(true);
    setWindowTitle(tr("Rapport de bug"));
    auto* disposition = new QVBoxLayout(this);
    auto* titre = new QLabel(QStringLiteral("<b>") + tr("Rapport de bug") + QStringLiteral("</b>"), this);
    disposition->addWidget(titre);
    auto* explication = new QLabel(tr("Une image de la table a été prise. Quelques mots nous aident à trouver le "
                                      "problème; le rapport reste sur cet appareil."),
                                   this);
    explication->setWordWrap(true);
    disposition->addWidget(explication);
    categorie_->setObjectName(QStringLiteral("comboBoxCategory"));
    categorie_->addItem(tr("Règles du jeu"), Regles);
    categorie_->addItem(tr("Affichage"), Affichage);
    categorie_->addItem(tr("Réseau"), Reseau);
    categorie_->addItem(tr("Plantage ou blocage"), Plantage);
    categorie_->addItem(tr("Autre"), Autre);
    reproductible_->setObjectName(QStringLiteral("checkBoxReproducible"));
    auto* forme = new QFormLayout;
    forme->addRow(tr("Genre de problème"), categorie_);
    forme->addRow(tr("Que s'est-il passé?"), quoi_);
    forme->addRow(tr("Qu'attendiez-vous?"), attendu_);
    forme->addRow(QString(), reproductible_);
    disposition->addLayout(forme, 1);
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
