#pragma once

#include "ZB_PointsA.h"

#include <QCoreApplication>
#include <QFont>
#include <QGraphicsItem>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class DisplayGLScoreAnimText;
class GL_ObjectSquare;
class QBrush;
class QGraphicsPathItem;
class QGraphicsScene;
class QGraphicsSimpleTextItem;
class QPen;

// The table's slate and status lines, a part the table scene owns: the
// status lines over the table (the text items and their dark backing), the
// status and help texts they show, and the scoreboard (both teams' totals,
// the deal's points last drawn, its lines and picture, and the deal's
// floating scores, which the scene starts from its score ring).
//
// Rules:
// - GUI thread only; no locks. The scene owns the items (they are added to
//   it here) and the part only lays them out; it reaches no other part and
//   holds no reference to the scene beyond building the items: what it
//   needs (the table's height, where the slate shows) is passed in.
// - The lines never cover the slate: a text whose backing would meet the
//   slate's rectangle is wrapped in the room right of it, or, when that
//   room is under half the width, starts below it. The slate's rectangle
//   is the one the engine last drew (empty when unknown); once it moves,
//   doitSuivre says so and suit lays the same text out again.
// - Texts are plain text. The status is kept as its untranslated source
//   and arguments and translated in the scene's context, one argument call
//   per count, so that a name from a peer holding "%2" stays as it is.
// - A seat named in the status is kept as the seat: each translation asks
//   the scene's namer again ("Partner", " (computer)" follow the language
//   at once); the name given with it stands only while the namer has none.
class SceneArdoise
{
    Q_DECLARE_TR_FUNCTIONS(DisplayGLScene)

public:
    static constexpr int NOMBRE_LIGNES = 8;
    static constexpr int CLASSE_POLICE = 3;
    static constexpr double Z_LIGNES = -10002.0;
    static constexpr double Z_FOND = -10002.5;
    static constexpr int HAUT_LIGNES = 10;
    using Lignes = std::array<QGraphicsSimpleTextItem*, NOMBRE_LIGNES>;

    explicit SceneArdoise(QGraphicsScene& scene);
    SceneArdoise(const SceneArdoise&) = delete;
    SceneArdoise& operator=(const SceneArdoise&) = delete;

    // --- The lines.
    // Wraps the text over the lines, centred across largeur, from haut
    // down, kept off the slate's rectangle; the font grows with the
    // table's height.
    void pose(double largeur, double haut, const QString& texte, double hauteurTable, const QRectF& ardoise);
    // The slate shows elsewhere than when the lines were laid out.
    bool doitSuivre(const QRectF& ardoise) const;
    void suit(double hauteurTable, const QRectF& ardoise);
    // The lines' texts joined by single spaces.
    QString texte() const;
    // The text as last laid out, its own line breaks kept: what a new
    // layout wraps again.
    const QString& texteSource() const { return texte_; }
    const Lignes& lignes() const { return lignes_; }
    const QGraphicsPathItem* fond() const { return fond_; }
    void setPolice(const QFont& police);
    void setCouleurs(const QBrush& remplissage, const QPen& contour);
    void setCacheMode(QGraphicsItem::CacheMode mode);
    QGraphicsItem::CacheMode cacheMode() const;

    // --- The status and help texts.
    // An argument of the status: a seat (0 to 3), named in the language
    // shown, with the name it had when the status was set; or, seat -1, a
    // text as it stands.
    struct Argument
    {
        int siege = -1;
        QString texte;
    };
    // Names a seat in the language shown; empty when nobody sits there.
    using NommeSiege = std::function<QString(int siege)>;
    void setNommeSiege(NommeSiege nomme) { nommeSiege_ = std::move(nomme); }
    // The status from its untranslated source (null: none); action puts
    // the action word first among the arguments.
    void setStatut(const char* source, const QList<Argument>& args, bool action, const QString& motAction);
    // Translates the kept status again, in the language now shown. The
    // status is kept by its source and seats for this: the table sets it
    // anew only at its next state, so after a language change during the
    // user's turn the line stayed in the old language, beside menus,
    // bubbles and buttons in the new one, until she played.
    void retraduitStatut(const QString& motAction);
    void setAide(const QString& texte) { aide_ = texte; }
    QString statut() const { return statut_; }
    QString aide() const { return aide_; }
    // The help text above the status text, each alone when the other is
    // empty.
    QString statutCompose() const;

    // --- The scoreboard.
    // Its lines for a points record: team labels and totals, deal lines (a
    // multiplier below 1 counts as 1), target line.
    struct Tableau
    {
        std::array<QString, 5> textes;
        int equipeVue = 0;
        std::array<int, 2> totauxDonne{};
    };
    // equipeVue is the viewer's team; objectif -1 is no target, 100000 a
    // game by rounds, of which restants are left.
    Tableau tableau(const ZB_PointsDonne& points, int multiplicateur, int equipeVue, int objectif,
                    int restants) const;
    // Draws the lines on a fresh copy of the slate's picture, the deal line
    // of equipeBarree (0 or 1, else none) struck through in red, and hands
    // it to the engine unless it shows those very pixels.
    void dessine(GL_ObjectSquare& ardoise, const Tableau& tableau, int theme, int equipeBarree);
    void setTotaux(int equipe0, int equipe1);
    int total(int equipe) const { return totaux_[equipe == 1 ? 1 : 0]; }
    // The record the scoreboard shows, with the multiplier and the struck
    // team it was given with: what a redraw (language, colours, the end of
    // an undo) draws again.
    const ZB_PointsDonne& pointsPrecedents() const { return pointsPrecedents_; }
    int multiplicateurPrecedent() const { return multiplicateurPrecedent_; }
    int equipeBarreePrecedente() const { return equipeBarreePrecedente_; }
    void setPointsPrecedents(const ZB_PointsDonne& points, int multiplicateur = 1, int equipeBarree = -1)
    {
        pointsPrecedents_ = points;
        multiplicateurPrecedent_ = multiplicateur;
        equipeBarreePrecedente_ = equipeBarree;
    }
    // The picture as last drawn (null before the first).
    const QImage& image() const { return image_; }
    bool isDessinee() const { return dessinee_; }
    void setDessinee() { dessinee_ = true; }
    // What each counter of a points record gained for team equipe against
    // the other since the previous record, in the order the scores float,
    // each with its label (stock: the Stöck label, empty without a game);
    // 0 where nothing changed.
    struct Ecart
    {
        int delta = 0;
        QString label;
    };
    static constexpr int NOMBRE_ECARTS = 9;
    std::array<Ecart, NOMBRE_ECARTS> ecarts(const ZB_PointsDonne& points, int equipe, const QString& stock) const;
    // Either team's match flag is set in the record and was in neither of
    // the previous record's.
    bool estMatchNouveau(const ZB_PointsDonne& points) const;
    // The floating scores started for the deal on the table (items of the
    // scene's score ring); the next deal ends them.
    std::vector<DisplayGLScoreAnimText*>& scoresDeLaDonne() { return scoresDeLaDonne_; }

private:
    // Lays the text out over the lines, centred between gauche and droite
    // from haut down; the rectangle of the lines that hold text.
    QRectF poseLignes_(const QFont& police, double gauche, double droite, double haut, const QString& texte);
    QString traduitStatut_(const QString& motAction) const;

    Lignes lignes_{};
    // The dark backing behind the lines, shown while they hold text.
    QGraphicsPathItem* fond_ = nullptr;
    // What the lines were last laid out with, and where the slate was then.
    double largeur_ = 0.0;
    double haut_ = 0.0;
    QString texte_;
    QRectF ardoise_;

    QString statut_;
    const char* sourceStatut_ = nullptr;
    QList<Argument> argsStatut_;
    NommeSiege nommeSiege_;
    bool actionStatut_ = false;
    QString aide_;

    int totaux_[2] = {0, 0};
    ZB_PointsDonne pointsPrecedents_;
    int multiplicateurPrecedent_ = 1;
    int equipeBarreePrecedente_ = -1;
    std::vector<DisplayGLScoreAnimText*> scoresDeLaDonne_;
    QImage image_;
    bool dessinee_ = false;
};
