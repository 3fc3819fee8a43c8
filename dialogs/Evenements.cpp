#include "Evenements.h"

#include "ListeDesEvenements.h"

#include <QEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

Evenements::Evenements(QWidget* parent, ListeDesEvenements* liste, int noFenetre)
    : GM_WidgetAuto(parent)
{
    setObjectName(QStringLiteral("Evenements"));
    noTable_ = liste != nullptr ? liste->getNoTable() : 0;
    auto* disposition = new QVBoxLayout(this);
    labelEnAttente_ = new QLabel(this);
    disposition->addWidget(labelEnAttente_);
    enAttente_ = new QTextEdit(this);
    enAttente_->setReadOnly(true);
    enAttente_->setLineWrapMode(QTextEdit::NoWrap);
    disposition->addWidget(enAttente_, 1);
    labelExecutes_ = new QLabel(this);
    disposition->addWidget(labelExecutes_);
    executes_ = new QTextEdit(this);
    executes_->setReadOnly(true);
    executes_->setLineWrapMode(QTextEdit::NoWrap);
    disposition->addWidget(executes_, 2);
    if (liste != nullptr) {
        // The views show the list's own documents: nothing is copied, and
        // the list stays their owner.
        enAttente_->setDocument(const_cast<QTextDocument*>(&liste->getEnAttente()));
        executes_->setDocument(const_cast<QTextDocument*>(&liste->getExecutes()));
        // The view keeps to the newest line while it is at the end; a user
        // who scrolled back to read is left where they are.
        QScrollBar* barre = executes_->verticalScrollBar();
        connect(barre, &QScrollBar::rangeChanged, this, &Evenements::OnExecutesChanged);
        connect(barre, &QScrollBar::valueChanged, this,
                [this, barre](int valeur) { suitLaFin_ = valeur >= barre->maximum(); });
        // A list that goes first leaves the views an empty page rather than
        // a dangling one.
        for (QTextEdit* vue : {enAttente_, executes_})
            connect(vue->document(), &QObject::destroyed, vue,
                    [vue] { vue->setDocument(new QTextDocument(vue)); });
    }
    retranslateUi();
    const int colonne = noFenetre % Colonnes;
    const int ligne = noFenetre / Colonnes;
    setGeometry(colonne * Largeur, ligne * Hauteur, Largeur, Hauteur);
}

Evenements::~Evenements()
{
    // The documents belong to the list, which may outlive this window.
    for (QTextEdit* vue : {enAttente_, executes_}) {
        disconnect(vue->document(), nullptr, vue, nullptr);
        vue->setDocument(new QTextDocument(vue));
    }
}

void Evenements::OnExecutesChanged()
{
    QScrollBar* barre = executes_->verticalScrollBar();
    if (suitLaFin_)
        barre->setValue(barre->maximum());
}

void Evenements::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    GM_WidgetAuto::changeEvent(event);
}

void Evenements::retranslateUi()
{
    setWindowTitle(tr("Evènements de la table %1").arg(noTable_));
    labelEnAttente_->setText(tr("En attente"));
    labelExecutes_->setText(tr("Exécutés"));
}
