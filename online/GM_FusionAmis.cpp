#include "GM_FusionAmis.h"

#include <QSignalBlocker>
#include <QTreeWidget>

bool GM_FusionAmis::cochable(const QTreeWidgetItem* ligne)
{
    return (ligne->flags() & Qt::ItemIsUserCheckable) && !ligne->data(ColTick, Qt::CheckStateRole).isNull();
}

void GM_FusionAmis::debute(QTreeWidget* arbre, FaitLigne faitLigne)
{
    *this = GM_FusionAmis();
    arbre_ = arbre;
    faitLigne_ = std::move(faitLigne);
    const QSignalBlocker bloque(arbre);
    // The placeholder, and rows a dropped merge had replaced.
    for (int i = arbre->topLevelItemCount() - 1; i >= 0; --i)
        if (!arbre->topLevelItem(i)->text(ColTick).isEmpty() || arbre->topLevelItem(i)->isHidden())
            delete arbre->takeTopLevelItem(i);
    // An index by id: a merge every 5 s of a long list must not search the
    // tree once per friend.
    for (int i = 0; i < arbre->topLevelItemCount(); ++i)
        parId_.insert(arbre->topLevelItem(i)->text(ColId), arbre->topLevelItem(i));
    anciens_ = QSet<QString>(parId_.keyBegin(), parId_.keyEnd());
}

void GM_FusionAmis::fusionne(const QStringList& liste, qsizetype debut, qsizetype fin)
{
    const QSignalBlocker bloque(arbre_);
    QList<QTreeWidgetItem*> ajouts;
    for (qsizetype i = debut; i < fin && i < liste.size(); ++i) {
        bool online = false;
        QTreeWidgetItem* nouvelle = faitLigne_(liste.at(i), &online);
        if (nouvelle == nullptr)
            continue;
        const QString id = nouvelle->text(ColId);
        if (vus_.contains(id)) {
            delete nouvelle;
            continue;
        }
        vus_.insert(id);
        if (online)
            ++enLigne_;
        anciens_.remove(id);
        if (QTreeWidgetItem* ancienne = parId_.value(id)) {
            if (ancienne->text(ColStatus) == nouvelle->text(ColStatus)) {
                delete nouvelle;
                continue;
            }
            if (cochable(nouvelle) && cochable(ancienne) && ancienne->checkState(ColTick) == Qt::Checked)
                nouvelle->setCheckState(ColTick, Qt::Checked);
            ancienne->setHidden(true);
            remplacees_.insert(ancienne);
        }
        ajouts << nouvelle;
    }
    arbre_->addTopLevelItems(ajouts);
}

void GM_FusionAmis::termine(bool uneCocheAuPlus)
{
    const QSignalBlocker bloque(arbre_);
    for (int i = arbre_->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* ligne = arbre_->topLevelItem(i);
        if (remplacees_.contains(ligne)
            || (parId_.value(ligne->text(ColId)) == ligne && anciens_.contains(ligne->text(ColId))))
            delete arbre_->takeTopLevelItem(i);
    }
    if (uneCocheAuPlus) {
        // The merge may have kept two.
        bool vu = false;
        for (int i = 0; i < arbre_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* ligne = arbre_->topLevelItem(i);
            if (cochable(ligne) && ligne->checkState(ColTick) == Qt::Checked) {
                if (vu)
                    ligne->setCheckState(ColTick, Qt::Unchecked);
                vu = true;
            }
        }
    }
    parId_.clear();
    anciens_.clear();
    remplacees_.clear();
    vus_.clear();
}
