#include "GM_ServerPass.h"

#include "GM_SharedFunctions.h"
#include "GM_TexteDuLobby.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int StatusOffline = 10;
constexpr int StatusOnline = 15;
constexpr int StatusBusy = 16;
constexpr int StretchTeammates = 4;
constexpr int CaracteresParLigne = 50;
} // namespace

GM_ServerPass::GM_ServerPass(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    setObjectName(QStringLiteral("GM_ServerPass"));
    setWindowModality(Qt::WindowModal);
    resize(375, 389);
    // A password line and, for teams, a short list: the table stays in
    // view around it.
    setTailleAuContenu(true);
    grid_ = new QGridLayout(this);
    grid_->setObjectName(QStringLiteral("gridLayoutMain"));
    grid_->setSpacing(0);
    grid_->setContentsMargins(3, 3, 3, 3);
    auto* haut = new QVBoxLayout;
    haut->setObjectName(QStringLiteral("verticalLayout"));
    haut->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("label"));
    haut->addWidget(label_);
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("m_passwordP"));
    password_->setEchoMode(QLineEdit::Password);
    password_->setFocusPolicy(Qt::ClickFocus);
    haut->addWidget(password_);
    haut->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    grid_->addLayout(haut, 0, 0);

    group_ = new QGroupBox(this);
    group_->setObjectName(QStringLiteral("groupBox"));
    group_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    group_->setAlignment(Qt::AlignCenter);
    group_->setFlat(true);
    auto* grilleGroupe = new QGridLayout(group_);
    grilleGroupe->setObjectName(QStringLiteral("gridLayout"));
    grilleGroupe->setSpacing(3);
    grilleGroupe->setContentsMargins(0, 0, 0, 0);
    tree_ = new QTreeWidget(group_);
    tree_->setObjectName(QStringLiteral("treeWidgetTeammateP"));
    tree_->setColumnCount(ColumnCount);
    tree_->setRootIsDecorated(false);
    grilleGroupe->addWidget(tree_, 0, 0);
    grid_->addWidget(group_, 1, 0);

    auto* bas = new QHBoxLayout;
    bas->setObjectName(QStringLiteral("horizontalLayout"));
    bas->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    ok_ = new QPushButton(this);
    ok_->setObjectName(QStringLiteral("pushButtonOk"));
    bas->addWidget(ok_);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName(QStringLiteral("pushButtonCancel"));
    cancel_->setFocusPolicy(Qt::StrongFocus);
    bas->addWidget(cancel_);
    bas->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    grid_->addLayout(bas, 2, 0);
    grid_->setRowStretch(0, 1);
    grid_->setRowStretch(1, StretchTeammates);

    connect(ok_, &QPushButton::pressed, this, &GM_ServerPass::OnOkPressed);
    connect(cancel_, &QPushButton::pressed, this, &GM_ServerPass::OnCancelPressed);
    ok_->setDefault(true);
    setBoutonsAnnuler({cancel_});
    connect(password_, &QLineEdit::textChanged, this, &GM_ServerPass::OnAnySelectionChanged);
    connect(tree_, &QTreeWidget::itemChanged, this, &GM_ServerPass::OnItemManageCheckStateChanged);
    retranslate();
    OnSocketDisconnected();
}

GM_ServerPass::~GM_ServerPass() = default;

void GM_ServerPass::retranslate()
{
    setWindowTitle(tr("Mot de passe requis"));
    label_->setText(tr("Entrer le mot de passe requis:"));
    ok_->setText(tr("Ok"));
    cancel_->setText(tr("Annuler"));
    tree_->setHeaderLabels({tr("Sel."), tr("Status"), tr("Id(Hidden)"), tr("Pseudo"), tr("Data(hidden)")});
    if (mode_ == TeammateOptional)
        group_->setTitle(tr("Coéquipier (facultatif)"));
    else if (mode_ == TeammateRequired)
        group_->setTitle(tr("Coéquipier (obligatoire)"));
    else
        group_->setTitle(QStringLiteral("Coéquipiers <dynamic>"));
}

void GM_ServerPass::init(GM_ClientSocket* client)
{
    if (client_ == client)
        return;
    if (client_ != nullptr)
        QObject::disconnect(client_, nullptr, this, nullptr);
    client_ = client;
    if (client != nullptr) {
        connect(client, &GM_ClientSocket::signalFriendListReceived, this, &GM_ServerPass::OnFriendListReceived);
        connect(client, &GM_ClientSocket::signalReady, this, &GM_ServerPass::OnSocketReady);
        connect(client, &GM_ClientSocket::signalDisconnected, this, &GM_ServerPass::OnSocketDisconnected);
    }
    password_->setFocusPolicy(Qt::StrongFocus);
}

QString GM_ServerPass::password() const
{
    return password_->text();
}

void GM_ServerPass::configure(bool showPassword, int teammateMode)
{
    teammate_.clear();
    // One dialog serves every server and tournament: a password typed for
    // one never shows up, let alone readable, for the next.
    password_->clear();
    mode_ = (teammateMode == TeammateOptional || teammateMode == TeammateRequired) ? teammateMode : NoTeammate;
    group_->setVisible(mode_ != NoTeammate);
    ok_->setEnabled(mode_ != TeammateRequired);
    retranslate();
    grid_->setRowStretch(1, mode_ != NoTeammate ? StretchTeammates : 0);
    label_->setVisible(showPassword);
    password_->setVisible(showPassword);
    OnAnySelectionChanged();
    // The parts shown changed: the form takes its new content's size (also
    // when it is configured while open).
    ajusteAuContenu();
}

void GM_ServerPass::OnAnySelectionChanged()
{
    teammate_.clear();
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* ligne = tree_->topLevelItem(i);
        if ((ligne->flags() & Qt::ItemIsUserCheckable) && ligne->checkState(ColTick) == Qt::Checked) {
            teammate_ = ligne->text(ColPseudo);
            break;
        }
    }
    if (teammate_.isEmpty() && mode_ == TeammateRequired) {
        ok_->setEnabled(false);
        return;
    }
    // isHidden, not isVisible: the dialog itself may not be shown yet.
    ok_->setEnabled(password_->isHidden() || password_->text().size() >= MinPasswordLength);
}

void GM_ServerPass::OnItemManageCheckStateChanged(QTreeWidgetItem* item, int)
{
    if (item != nullptr && GM_FusionAmis::cochable(item) && item->checkState(ColTick) == Qt::Checked) {
        const QSignalBlocker bloque(tree_);
        for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
            QTreeWidgetItem* autre = tree_->topLevelItem(i);
            if (autre != item && GM_FusionAmis::cochable(autre))
                autre->setCheckState(ColTick, Qt::Unchecked);
        }
    }
    OnAnySelectionChanged();
}

void GM_ServerPass::OnOkPressed()
{
    emit signalFinished(true, password_->text(), teammate_);
}

void GM_ServerPass::OnCancelPressed()
{
    emit signalFinished(false, password_->text(), teammate_);
}

void GM_ServerPass::OnSocketReady() {}

void GM_ServerPass::OnSocketDisconnected()
{
    placeholder_(tr("Connection en cours..."));
    OnAnySelectionChanged();
}

void GM_ServerPass::placeholder_(const QString& text)
{
    // A merge in progress holds rows of the tree.
    remplissage_.arrete();
    liste_.clear();
    const QSignalBlocker bloque(tree_);
    tree_->clear();
    auto* ligne = new QTreeWidgetItem;
    ligne->setText(ColTick, text);
    tree_->addTopLevelItem(ligne);
    finishTree_();
}

void GM_ServerPass::finishTree_()
{
    tree_->hideColumn(ColId);
    tree_->hideColumn(ColData);
    tree_->header()->resizeSections(QHeaderView::ResizeToContents);
    tree_->sortItems(ColId, Qt::AscendingOrder);
}

void GM_ServerPass::OnFriendListReceived(const QStringList* list)
{
    if (list != nullptr)
        mergeFriendList(*list);
}

QString GM_ServerPass::statusText(int status)
{
    switch (status) {
    case StatusOffline: return tr("Hors Ligne");
    case StatusOnline: return tr("En ligne");
    case StatusBusy: return tr("Occupé");
    default: return QString::number(status);
    }
}

QString GM_ServerPass::statusIcon(int status)
{
    switch (status) {
    case StatusOffline: return QStringLiteral(":/user_red");
    case StatusOnline: return QStringLiteral(":/user");
    case StatusBusy: return QStringLiteral(":/user_busy");
    default: return QString();
    }
}

QTreeWidgetItem* GM_ServerPass::friendItemFromEntry(const QString& entry)
{
    // No friend's entry comes near a line: such a text is no friend.
    if (entry.size() > GM_TexteDuLobby::Ligne)
        return nullptr;
    const QStringList champs = GM_TexteDuLobby::champs(entry, ColumnCount - 1);
    if (champs.size() < 3)
        return nullptr;
    bool ok = false;
    const int status = champs.at(0).toInt(&ok);
    // A row without a usable id could never be told apart from the others.
    if (!ok || status < FirstFriendStatus || champs.at(1).isEmpty())
        return nullptr;
    auto* ligne = new QTreeWidgetItem;
    for (int i = 0; i < ColumnCount - 1 && i < champs.size(); ++i)
        ligne->setText(i + 1, champs.at(i));
    ligne->setText(ColData, entry);
    ligne->setFlags(ligne->flags() | Qt::ItemIsUserCheckable);
    ligne->setCheckState(ColTick, Qt::Unchecked);
    ligne->setText(ColStatus, statusText(status));
    const QString icone = statusIcon(status);
    if (!icone.isEmpty()) {
        // Built once per status: a friend list may be long.
        static QHash<int, QIcon> icones;
        auto it = icones.find(status);
        if (it == icones.end())
            it = icones.insert(status, QIcon(icone));
        ligne->setIcon(ColStatus, *it);
    }
    return ligne;
}

void GM_ServerPass::mergeFriendList(const QStringList& list)
{
    remplissage_.arrete();
    liste_ = list.mid(0, AmisMax);
    if (liste_.isEmpty()) {
        placeholder_(tr("<Liste vide>"));
        OnAnySelectionChanged();
        return;
    }
    fusion_.debute(tree_, [](const QString& entree, bool* enLigne) {
        *enLigne = false;
        return friendItemFromEntry(entree);
    });
    remplissage_.demarre(
        liste_.size(), [this](qsizetype debut, qsizetype fin) { fusion_.fusionne(liste_, debut, fin); },
        [this] {
            fusion_.termine(true);
            liste_.clear();
            // No usable entry is said as an empty list, not shown as a
            // blank tree.
            if (tree_->topLevelItemCount() == 0)
                placeholder_(tr("<Liste vide>"));
            finishTree_();
            OnAnySelectionChanged();
        });
}

void GM_ServerPass::showEvent(QShowEvent* event)
{
    if (password_->focusPolicy() & Qt::StrongFocus)
        password_->setFocus();
    GM_WidgetAuto::showEvent(event);
}

void GM_ServerPass::adjustToSize()
{
    setFont(scaledFont(FontSizeClass));
    // The form takes its content's size: a line for the password and the
    // list's three columns need more than their controls ask for.
    grid_->setColumnMinimumWidth(0, fontMetrics().averageCharWidth() * CaracteresParLigne);
    GM_WidgetAuto::adjustToSize();
}
