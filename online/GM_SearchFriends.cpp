#include "GM_SearchFriends.h"

#include "GM_SocketEvent.h"
#include "GM_TexteDuLobby.h"

#include <QCryptographicHash>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMutexLocker>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpacerItem>
#include <QTreeWidget>

namespace {
const QString SettingsGroup = QStringLiteral("Friends");
const QString HashKey = QStringLiteral("lastContactHash");
} // namespace

GM_SearchFriends::GM_SearchFriends(QWidget* parent)
    : GM_WidgetAuto(parent)
    , pseudo_(QRegularExpression::anchoredPattern(QStringLiteral("[\\p{L}0-9^\\[\\]_]{4,20}")))
{
    setObjectName(QStringLiteral("GM_SearchFriends"));
    resize(232, 167);
    setMinimumHeight(150);
    auto* grille = new QGridLayout(this);
    grille->setObjectName(QStringLiteral("gridLayout"));
    grille->setSpacing(3);
    grille->setContentsMargins(3, 3, 3, 3);
    auto* haut = new QHBoxLayout;
    haut->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    import_ = new QPushButton(this);
    import_->setObjectName(QStringLiteral("m_pushButtonImportP"));
    haut->addWidget(import_);
    haut->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    grille->addLayout(haut, 0, 0);
    line_ = new QFrame(this);
    line_->setObjectName(QStringLiteral("lineImport"));
    line_->setFrameShape(QFrame::HLine);
    line_->setFrameShadow(QFrame::Sunken);
    grille->addWidget(line_, 1, 0);
    auto* recherche = new QHBoxLayout;
    etiquette_ = new QLabel(this);
    etiquette_->setObjectName(QStringLiteral("label_3"));
    recherche->addWidget(etiquette_);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("m_lineEditSearchNameP"));
    name_->setFocusPolicy(Qt::ClickFocus);
    recherche->addWidget(name_);
    search_ = new QPushButton(this);
    search_->setObjectName(QStringLiteral("m_pushButtonSearchP"));
    search_->setEnabled(false);
    recherche->addWidget(search_);
    grille->addLayout(recherche, 2, 0);
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("m_treeWidgetFriendsP"));
    tree_->setColumnCount(ColumnCount);
    tree_->setSortingEnabled(true);
    tree_->sortByColumn(ColPseudo, Qt::AscendingOrder);
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(false);
    tree_->header()->setStretchLastSection(true);
    tree_->hideColumn(ColId);
    grille->addWidget(tree_, 3, 0);
    auto* bas = new QHBoxLayout;
    bas->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    invite_ = new QPushButton(this);
    invite_->setObjectName(QStringLiteral("m_pushButtonInviteP"));
    invite_->setEnabled(false);
    bas->addWidget(invite_);
    bas->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    grille->addLayout(bas, 4, 0);
    setTabOrder(import_, name_);
    setTabOrder(name_, search_);
    setTabOrder(search_, tree_);
    setTabOrder(tree_, invite_);

    validator_ = new QRegularExpressionValidator(pseudo_, this);
    name_->setValidator(validator_);
    connect(name_, &QLineEdit::textChanged, this, &GM_SearchFriends::OnTextChanged);
    connect(tree_, &QTreeWidget::itemChanged, this, &GM_SearchFriends::OnItemCheckStateChanged);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* i) { OnItemDoubleClicked(i); });
    connect(search_, &QPushButton::clicked, this, &GM_SearchFriends::OnSearchClicked);
    connect(invite_, &QPushButton::clicked, this, &GM_SearchFriends::OnRequestAddChecked);
    connect(import_, &QPushButton::clicked, this, &GM_SearchFriends::OnRequestImportFriends);
    connect(name_, &QLineEdit::returnPressed, this, &GM_SearchFriends::OnSearchClicked);
    // No address book on the desktop: the platform layer shows these.
    import_->hide();
    line_->hide();
    retranslate();
    OnDisconnected();
    callBackTimer_.setInterval(CallBackPeriodMs);
    connect(&callBackTimer_, &QTimer::timeout, this, &GM_SearchFriends::OnExecuteCallBack);
    callBackTimer_.start();
}

GM_SearchFriends::~GM_SearchFriends()
{
    callBackTimer_.stop();
}

void GM_SearchFriends::retranslate()
{
    setWindowTitle(tr("Chercher des amis"));
    etiquette_->setText(tr("Pseudo:"));
    import_->setText(tr("Importer Carnet"));
    search_->setText(tr("Rechercher"));
    invite_->setText(tr("Ajouter"));
    tree_->setHeaderLabels({tr("Pseudo"), tr("Id")});
}

void GM_SearchFriends::init(GM_MessageBoxDisplayerA* displayer, GM_NativeA* native, GM_ClientSocket* client,
                            QSettings* settings)
{
    setMessageBoxDisplayer(displayer);
    native_ = native;
    client_ = client;
    settings_ = settings;
    if (client == nullptr)
        return;
    connect(client, &GM_ClientSocket::signalSearchFriendsListReceived, this,
            &GM_SearchFriends::OnSearchFriendsListReceived);
    connect(client, &GM_ClientSocket::signalReady, this, &GM_SearchFriends::OnSocketReady);
    connect(client, &GM_ClientSocket::signalDisconnected, this, &GM_SearchFriends::OnDisconnected);
}

void GM_SearchFriends::placeholder_(const QString& text)
{
    // A fill in progress holds rows of the tree.
    remplissage_.arrete();
    resultats_.clear();
    const QSignalBlocker bloque(tree_);
    tree_->clear();
    auto* ligne = new QTreeWidgetItem;
    ligne->setText(ColPseudo, text);
    tree_->addTopLevelItem(ligne);
    tree_->header()->resizeSections(QHeaderView::ResizeToContents);
}

void GM_SearchFriends::send_(const QByteArray& word, const QStringList& fields)
{
    GM_ClientSocket* client = client_.data();
    if (client == nullptr)
        return;
    QMutexLocker verrou(client->getOutQueueMutex());
    QSharedPointer<GM_SocketEvent> message = GM_SocketEvent::findEvent(GM_SocketEvent::Idle, word);
    if (message.isNull())
        return;
    connect(message.data(), &GM_SocketEvent::signalTransmitError, client, &GM_ClientSocket::onError);
    message->champs_ << fields;
    client->enqueueEvent(message);
}

void GM_SearchFriends::OnTextChanged()
{
    QString texte = name_->text();
    int position = 0;
    const bool accepte = validator_->validate(texte, position) == QValidator::Acceptable;
    QPalette palette = this->palette();
    if (!accepte)
        palette.setColor(QPalette::Text, Qt::red);
    name_->setPalette(palette);
    search_->setEnabled(accepte);
}

void GM_SearchFriends::OnSearchClicked()
{
    if (!search_->isEnabled())
        return;
    send_("Fr1", {name_->text()});
    invite_->setEnabled(false);
    placeholder_(tr("<Recherche en cours...>"));
    search_->setEnabled(false);
    QTimer::singleShot(SearchPauseMs, this, &GM_SearchFriends::OnTextChanged);
}

void GM_SearchFriends::OnSearchFriendsListReceived(const QStringList* list)
{
    invite_->setEnabled(false);
    remplissage_.arrete();
    {
        const QSignalBlocker bloque(tree_);
        tree_->clear();
    }
    resultats_ = list != nullptr ? list->mid(0, GM_RemplissageParTranches::LignesMax) : QStringList();
    remplissage_.demarre(
        resultats_.size(),
        [this](qsizetype debut, qsizetype fin) {
            QList<QTreeWidgetItem*> lignes;
            for (qsizetype i = debut; i < fin; ++i) {
                const QStringList champs = GM_TexteDuLobby::champs(resultats_.at(i), ColumnCount);
                // A player without an id could not be asked to be a friend.
                if (champs.size() < 2 || champs.at(1).isEmpty())
                    continue;
                auto* item = new QTreeWidgetItem(champs);
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(ColPseudo, Qt::Unchecked);
                lignes << item;
            }
            const QSignalBlocker bloque(tree_);
            tree_->addTopLevelItems(lignes);
        },
        [this] {
            resultats_.clear();
            if (tree_->topLevelItemCount() == 0)
                placeholder_(tr("<Aucun nouveau résultat trouvé>"));
            tree_->header()->resizeSections(QHeaderView::ResizeToContents);
            tree_->hideColumn(ColId);
        });
}

void GM_SearchFriends::OnItemCheckStateChanged()
{
    bool coche = false;
    for (int i = 0; i < tree_->topLevelItemCount() && !coche; ++i)
        coche = tree_->topLevelItem(i)->checkState(ColPseudo) == Qt::Checked;
    invite_->setEnabled(coche);
}

void GM_SearchFriends::requestFriends_(const QStringList& ids)
{
    if (ids.isEmpty())
        return;
    if (GM_ClientSocket* client = client_.data())
        client->sendInviteFriends(ids);
    emit signalFriendsRequestSent();
    remplissage_.arrete();
    const QSignalBlocker bloque(tree_);
    tree_->clear();
    invite_->setEnabled(false);
}

void GM_SearchFriends::OnRequestAddChecked()
{
    QStringList ids;
    for (int i = 0; i < tree_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = tree_->topLevelItem(i);
        if (item->checkState(ColPseudo) == Qt::Checked && !item->text(ColId).isEmpty())
            ids << item->text(ColId);
    }
    requestFriends_(ids);
}

void GM_SearchFriends::OnItemDoubleClicked(QTreeWidgetItem* item)
{
    // Placeholder rows carry no id: nothing to ask for.
    if (item != nullptr && !item->text(ColId).isEmpty())
        requestFriends_({item->text(ColId)});
}

void GM_SearchFriends::OnRequestImportFriendsFromCacheClicked()
{
    QStringList contacts;
    {
        QMutexLocker verrou(&callBackMutex_);
        contacts = contacts_;
    }
    placeholder_(tr("<Recherche en cours...>"));
    import_->setEnabled(false);
    send_("FiS", contacts);
    emit displayMyTab();
}

void GM_SearchFriends::OnRequestImportFriends()
{
    askBeforeImport_ = false;
    import_->setEnabled(false);
    if (native_ != nullptr)
        native_->requestContactEmail(this);
}

void GM_SearchFriends::contactEmails(bool refused, const QStringList& emails)
{
    QMutexLocker verrou(&callBackMutex_);
    contacts_ = emails;
    contactsRefused_ = refused;
    callBackPending_ = true;
}

QString GM_SearchFriends::contactHash(const QStringList& contacts)
{
    QCryptographicHash hash(QCryptographicHash::Md4);
    for (const QString& c : contacts) {
        QByteArray octets = c.toUtf8();
        const qsizetype zero = octets.indexOf('\0');
        if (zero >= 0)
            octets.truncate(zero);
        hash.addData(octets);
    }
    return QString::fromLatin1(hash.result().toHex());
}

void GM_SearchFriends::OnExecuteCallBack()
{
    QStringList contacts;
    bool refuses = false;
    {
        QMutexLocker verrou(&callBackMutex_);
        if (!callBackPending_)
            return;
        callBackPending_ = false;
        contacts = contacts_;
        refuses = contactsRefused_;
    }
    // The lock is let go before anything visible: the import reads the list
    // again under it, and the callback may come meanwhile from its thread.
    remplissage_.arrete();
    const QSignalBlocker bloque(tree_);
    tree_->clear();
    if (refuses) {
        placeholder_(tr("<Accès aux contacts refusé>"));
    } else if (contacts.isEmpty()) {
        placeholder_(tr("<Liste vide>"));
    } else {
        const QString nouveau = contactHash(contacts);
        QString ancien;
        if (settings_ != nullptr) {
            settings_->sync();
            ancien = settings_->value(SettingsGroup + QLatin1Char('/') + HashKey).toString();
        }
        if (askBeforeImport_ && ancien != nouveau)
            messageBoxConfirm(GM::Information, tr("Notification"),
                              tr("Votre liste de contacts a changé depuis votre dernière connection.\n\nSouhaitez-vous "
                                 "importer vos nouveaux contacts maintenant?"),
                              GM::StandardButton(GM::Ok | GM::Cancel), this,
                              "OnRequestImportFriendsFromCacheClicked");
        else if (!askBeforeImport_)
            OnRequestImportFriendsFromCacheClicked();
        if (settings_ != nullptr) {
            settings_->setValue(SettingsGroup + QLatin1Char('/') + HashKey, nouveau);
            settings_->sync();
        }
    }
    import_->setEnabled(true);
}

void GM_SearchFriends::OnSocketReady() {}

void GM_SearchFriends::OnDisconnected()
{
    placeholder_(tr("<Liste Vide>"));
    invite_->setEnabled(false);
}

void GM_SearchFriends::OnImportSetEnabled()
{
    import_->setEnabled(true);
}

void GM_SearchFriends::OnContactsPermissionDenied()
{
    messageBox(GM::Warning, tr("Permissions Manquantes"),
               tr("Les permissions 'CONTACTS' n'ont pas été accordées. L'importation de vos amis devra se faire "
                  "manuellement.")
                   + QStringLiteral("\n\r\n\r")
                   + tr("Pour régler ce problème, accordez les permissions 'CONTACTS' voulues dans "
                        "'Paramètres\\Applications' de votre téléphone, ou réinstallez l'application."));
}

void GM_SearchFriends::OnContactsPermissionNeeded(int result)
{
    if (result == OkButton)
        OnRequestImportFriends();
}
