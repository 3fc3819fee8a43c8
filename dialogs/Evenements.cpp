#include "Evenements.h"

#include "ListeDesEvenements.h"

#include <QLabel>
#include <QScrollBar>
#include <QTextEdit>
#include <QVBoxLayout>

Evenements::Evenements(QWidget* parent, ListeDesEvenements* liste, int noFenetre)
    : GM_WidgetAuto(parent)
{
    setObjectName(QStringLiteral("Evenements"));
    setWindowTitle(tr("Evènements de la table %1").arg(liste != nullptr ? liste->getNoTable() : 0));
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(new QLabel(tr("En attente"), this));
    enAttente_ = new QTextEdit(this);
    enAttente_->setReadOnly(true);
    enAttente_->setLineWrapMode(QTextEdit::NoWrap);
    disposition->addWidget(enAttente_, 1);
    disposition->addWidget(new QLabel(tr("Exécutés"), this));
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
