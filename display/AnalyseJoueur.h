#pragma once

#include "GM_WidgetAuto.h"
#include "ZB_AnalyseJoueurA.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QSet>
#include <QStringList>

#include <atomic>

class QLabel;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class ZB_AnalyseJoueurGraph;

// One seat's analysis window: what the computer player believes about where
// the cards are (a bar page per suit), its text log and its search tree.
//
// The computer player reports from its worker threads as well as from the
// GUI thread. Every report is only stored under a mutex (tree, text, or
// graph mutex; never two at once) and a queued call drains it on the
// window's thread, the only one that touches a widget. While the window is
// hidden, messages, clear requests and new roots are dropped; child items,
// appends, labels and bar values are kept.
class AnalyseJoueur : public GM_WidgetAuto, public ZB_AnalyseJoueurA
{
    Q_OBJECT

public:
    // styleJeu: the deck face style that names the suit pages.
    explicit AnalyseJoueur(QWidget* parent = nullptr, int styleJeu = 0);
    ~AnalyseJoueur() override;

    void cache() override;
    void setTitre(const QString& titre) override;
    void affiche() override;
    void ajouteMessage(const QString& texte) override;
    void effaceMessages() override;
    void ajouteNoeudRacine(const QString& texte) override;
    qint64 ajouteNoeud(qint64 idParent, const QStringList& textes) override;
    void ajouteTexteNoeud(qint64 idNoeud, const QString& texte) override;
    AI_ProbaSimplifiee* creeProbabilites(const OptionsAI& options) override;
    void reinitialiseProbabilites(int couleur, int joueur) override;
    void setTextes(const QStringList& textes, int joueur) override;
    void setProbabilite(int couleur, int joueur, int valeur, float probabilite, int table) override;
    // Places the window in its parent's grid layout: 0 top right, 1 top
    // left, 2 bottom left, 3 bottom right; any other code only removes it.
    void setPosition(int code) override;

    bool swipeTriggered(const QSwipeGesture::SwipeDirection& direction) override;

    // The page of a suit (1 to 4), else null.
    ZB_AnalyseJoueurGraph* getGraph(int couleur) const;

public slots:
    void OnContinuePressed();
    void onTreeItemToAddTimer();
    void onTreeTopItemToAddTimer();
    void onTextMessagesUpdate();
    // Applies the stored labels and the bar values that changed.
    void onGraphsUpdate();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct NoeudAAjouter
    {
        qint64 idParent = 0;
        qint64 id = 0;
        QStringList textes;
    };
    struct TexteNoeudAAjouter
    {
        qint64 id = 0;
        QString texte;
    };

    static constexpr int NOMBRE_RANGS = 9;
    static constexpr int NOMBRE_TABLES = 3;

    void construitFormulaire_(int styleJeu);
    bool estThreadGraphique_() const;
    // Replaces the tree by the pending root.
    void construitRacine_unlocked();
    qint64 nouvelId_unlocked();
    // Stores one bar value; true when it changed.
    bool ecritProbabilite_unlocked(int couleur, int joueur, int valeur, int table, float probabilite);
    void planifieGraphs_unlocked();

    // Widgets of the form.
    QLabel* labelPlayerName = nullptr;
    QPushButton* pushButtonContinue_ = nullptr;
    QLabel* labelLegendViewFromPlayer = nullptr;
    QLabel* labelLegendViewFromPlayerPix = nullptr;
    QLabel* labelLegendViewOthers = nullptr;
    QLabel* labelLegendViewOthersPix = nullptr;
    QLabel* labelLegendViewReal = nullptr;
    QLabel* labelLegendViewRealPix = nullptr;
    QTabWidget* PageControlDistrib = nullptr;
    QTabWidget* tabWidgetLogs = nullptr;
    QWidget* tabText = nullptr;
    QTextEdit* RichEditInfo = nullptr;
    QWidget* tabTree = nullptr;
    QTreeWidget* TreeView = nullptr;

    // Tree members, under mutexArbre_.
    QList<NoeudAAjouter> noeudsAAjouter_;
    QMutex mutexArbre_;
    NoeudAAjouter racine_;
    QList<TexteNoeudAAjouter> textesNoeudsAAjouter_;
    QHash<qint64, QTreeWidgetItem*> noeuds_;
    // Ids handed out since the last root, so that none is given twice.
    QSet<qint64> idsDonnes_;
    // A new root waits to replace the tree: whichever drain runs first
    // builds it, before any child that was queued after it.
    bool racineEnAttente_ = false;
    bool noeudsPlanifies_ = false;

    // Message members, under mutexTexte_.
    QMutex mutexTexte_;
    QStringList messages_;
    // Never reset: once asked, every later update starts from an empty box.
    bool effaceMessages_ = false;
    bool messagesPlanifies_ = false;

    ZB_AnalyseJoueurGraph* graphs_[4] = {};

    // Graph members, under mutexGraphs_: what the pages must show.
    QMutex mutexGraphs_;
    float probabilites_[4][4][NOMBRE_RANGS][NOMBRE_TABLES];
    bool barresModifiees_[4][4][NOMBRE_RANGS] = {};
    bool barresAAppliquer_ = false;
    QString textes_[4];
    QString nomJoueur_;
    bool textesModifies_ = false;
    bool graphsPlanifies_ = false;

    // Whether the window is visible, readable from any thread.
    std::atomic<bool> visible_{false};
};
