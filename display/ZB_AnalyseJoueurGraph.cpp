#include "ZB_AnalyseJoueurGraph.h"

#include "ZB_AnalyseJoueurGraphProb.h"

#include <QGridLayout>
#include <QLabel>

ZB_AnalyseJoueurGraph::ZB_AnalyseJoueurGraph(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    setObjectName(QStringLiteral("FormAnalyseJoueurGraph"));
    resize(400, 300);

    grille_ = new QGridLayout(this);
    grille_->setContentsMargins(4, 4, 4, 4);
    grille_->setHorizontalSpacing(2);
    grille_->setVerticalSpacing(4);

    for (int joueur = 0; joueur < 4; ++joueur) {
        for (int valeur = RANG_MIN; valeur <= RANG_MAX; ++valeur) {
            auto* barre = new ZB_AnalyseJoueurGraphProb(this);
            barre->setObjectName(QStringLiteral("graphProb_%1_%2").arg(joueur).arg(valeur));
            barres_[joueur][valeur - RANG_MIN] = barre;
            grille_->addWidget(barre, joueur, valeur);
        }
        auto* label = new QLabel(this);
        // Seat names may come from remote players: never read them as markup.
        label->setTextFormat(Qt::PlainText);
        label->setObjectName(QStringLiteral("labelJoueur%1").arg(joueur));
        labels_[joueur] = label;
        grille_->addWidget(label, joueur, COLONNE_TEXTE);
    }

    // Rank titles: jack, queen, king and ace by their French initials.
    static const char* const titres[RANG_MAX - RANG_MIN + 1] = {"6", "7", "8", "9", "10", "V", "D", "R", "A"};
    for (int valeur = RANG_MIN; valeur <= RANG_MAX; ++valeur) {
        auto* titre = new QLabel(QString::fromLatin1(titres[valeur - RANG_MIN]), this);
        titre->setObjectName(QStringLiteral("labelRang%1").arg(valeur));
        titre->setMinimumWidth(14);
        titre->setAlignment(Qt::AlignCenter);
        grille_->addWidget(titre, LIGNE_TITRES, valeur);
    }
}

ZB_AnalyseJoueurGraph::~ZB_AnalyseJoueurGraph() = default;

ZB_AnalyseJoueurGraphProb* ZB_AnalyseJoueurGraph::getGraphProb(int joueur, int valeur) const
{
    if (joueur < 0 || joueur > 3 || valeur < RANG_MIN || valeur > RANG_MAX)
        return nullptr;
    return barres_[joueur][valeur - RANG_MIN];
}

QLabel* ZB_AnalyseJoueurGraph::getLabel(int joueur) const
{
    return (joueur >= 0 && joueur < 4) ? labels_[joueur] : nullptr;
}

void ZB_AnalyseJoueurGraph::setTexte(int joueur, const QString& texte)
{
    if (QLabel* label = getLabel(joueur))
        label->setText(texte);
}
