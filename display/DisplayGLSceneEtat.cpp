#include "DisplayGLScene.h"

#include "Carte.h"
#include "DisplayGLHumanCarte.h"
#include "DisplayGLScoreAnimText.h"
#include "DisplayTextAnim.h"
#include "EtatDeJeu.h"
#include "GL_ObjectSquare.h"
#include "InfoDemande.h"
#include "NomsDeCouleurs.h"
#include "Partie.h"
#include "TypeDePartie.h"
#include "ZB_PointsA.h"

#include <QGraphicsSimpleTextItem>
#include <QMutexLocker>
#include <QPainter>
#include <QParallelAnimationGroup>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "DisplayGLSceneInterne.h"

using namespace scene_interne;

// The status line (what the game waits for, with the seat panel's help text
// above it) and the scoreboard (both teams' totals, the running deal, the
// target) with its floating score changes.

namespace {

// Prompts that wait for a click are given to the auto-continue timer after
// this delay when the state needs no reading first.
constexpr int DELAI_DISTRIBUTION_AUTO_MS = 0;
// A prompt to the local human is felt as a short buzz.
constexpr int VIBRATION_INVITE_MS = 50;
// The first deal of a Jass game is opened by the holder of this card.
constexpr int VALEUR_CARTE_DEPART = 7;
constexpr int COULEUR_CARTE_DEPART = 2;
constexpr int DELAI_ENTRE_SCORES_MS = 600;
constexpr int RETARD_MAX_SCORES_MS = 2 * DisplayGLScoreAnimText::DUREE_SCORE_MS;

} // namespace

// ------------------------------------------------------------- status text

void DisplayGLScene::refreshStatusText()
{
    // A temporary text keeps the lines until its timer gives them back.
    if (timerAide_.isActive())
        return;
    setLignesArdoise(largeurTable_, decalageTable_, ardoiseStatut_->statutCompose());
}

void DisplayGLScene::setTexteAide(const QString& texte)
{
    ardoiseStatut_->setAide(texte);
    refreshStatusText();
}

void DisplayGLScene::setStatusText(const QString& texte)
{
    setStatusText([texte] { return texte; });
}

void DisplayGLScene::setStatusText(std::function<QString()> texte)
{
    const QString lu = texte ? texte() : QString();
    if (lu.isEmpty())
        return;
    texteTemporaire_ = std::move(texte);
    setLignesArdoise(largeurTable_, decalageTable_, lu);
    timerAide_.start(DELAI_AIDE_MS);
    etatTexteTemporaire_ = etatCourant_;
}

QList<SceneArdoise::Argument> DisplayGLScene::arguments_(std::initializer_list<const Joueur*> noms) const
{
    QList<SceneArdoise::Argument> args;
    for (const Joueur* joueur : noms) {
        SceneArdoise::Argument argument;
        argument.texte = joueur->nomAffiche();
        for (int siege = 0; siege < NOMBRE_SIEGES; ++siege)
            if (sieges_[static_cast<size_t>(siege)].joueur == joueur)
                argument.siege = siege;
        args << argument;
    }
    return args;
}

void DisplayGLScene::setStatut_(const char* source, std::initializer_list<const Joueur*> noms, bool action)
{
    timerInvite_.stop();
    ardoiseStatut_->setStatut(source, arguments_(noms), action, motAction_);
    refreshStatusText();
}

QString DisplayGLScene::nomDuSiege_(int siege) const
{
    if (siege < 0 || siege >= NOMBRE_SIEGES)
        return QString();
    const Joueur* joueur = sieges_[static_cast<size_t>(siege)].joueur;
    if (!joueur)
        return QString();
    // Coming back or joining, the user watches the game so far from its
    // seat, where the table still shows who played it meanwhile.
    if (siege == joueurLocal_ && joueurLocalAffiche_ && joueur->options_.distant_ != 0)
        return joueurLocalAffiche_->getNomAffiche();
    return joueur->nomAffiche();
}

void DisplayGLScene::prompt_(const char* source, std::initializer_list<const Joueur*> noms, bool action)
{
    const int reste = resteAvantMainComplete();
    if (reste > 0) {
        // The band that asks waits for the hand's last card: the line asks
        // with it, not ahead of it.
        setStatut_(QT_TR_NOOP("Patientez..."));
        invite_ = {source, arguments_(noms), action};
        timerInvite_.start(reste);
        return;
    }
    setStatut_(source, noms, action);
    vibre(VIBRATION_INVITE_MS);
}

void DisplayGLScene::montreInvite_()
{
    ardoiseStatut_->setStatut(invite_.source, invite_.args, invite_.action, motAction_);
    refreshStatusText();
    vibre(VIBRATION_INVITE_MS);
}

void DisplayGLScene::statutAttente()
{
    setStatut_(QT_TR_NOOP("Patientez..."));
    boutonAide_->setEnabled(false);
    mainJouable_ = false;
}

void DisplayGLScene::programmeSuiteAuto_(int delaiMs)
{
    timerSuiteAuto_.start(std::max(0, delaiMs));
}

// ------------------------------------------------------------- status line

void DisplayGLScene::afficheEtat(const InfoDemande& etat, Joueur* acteur, Joueur* second, int noJoueur,
                                 bool atoutImpose)
{
    const int code = etat.etat_;
    etatCourant_ = code;
    setDernierEtat(code);
    // An automatic continuation answers the state that armed it: left
    // running, it would collect a later trick before its delay.
    timerSuiteAuto_.stop();
    // A temporary text tells of the state it was shown in: the table moved
    // on, it gives the lines back (who holds the first card is old news once
    // cards lie on the cloth).
    if (timerAide_.isActive() && code != etatTexteTemporaire_) {
        timerAide_.stop();
        refreshStatusText();
    }
    boutonAide_->setEnabled(false);
    // The hand is playable, and a card advised, only while this status asks
    // for a card.
    mainJouable_ = false;
    effaceCarteConseil();
    mains_.effaceTeintes();

    const Siege& local = sieges_[static_cast<size_t>(siegeBas_)];
    if (local.numero == -1) {
        setStatut_(QT_TR_NOOP("Patientez..."));
        return;
    }
    // A local game rebuilt without animation (the autosave taken back, as
    // when an online game ends) is the user's own: nobody watches it.
    if (modeVue_ == MODE_VUE_SANS_ANIMATION && !enLigne_) {
        setStatut_(QT_TR_NOOP("Patientez..."));
        return;
    }
    if (modeVue_ != 0) {
        setStatut_(QT_TR_NOOP("Vous êtes spectateur, merci de patienter..."));
        return;
    }
    if (!local.joueur || !local.joueur->estJoueurManuel()) {
        setStatut_(QT_TR_NOOP("Vous êtes spectateur."));
        return;
    }
    if (code < EtatDeJeu::InscriptionJoueur0 || code > EtatDeJeu::FinDePartieSiege3)
        return;

    // An automatic continuation asks nobody: the line says so rather than
    // keep the last seat's turn.
    auto attendClic = [this](const char* modele, int delai) {
        if (options_.ramassageAuto_) {
            setStatut_(QT_TR_NOOP("Patientez..."));
            programmeSuiteAuto_(delai);
        } else {
            prompt_(modele, {}, true);
        }
    };

    if (EtatDeJeu::estInscriptionJoueur(code)) {
        setStatut_(nullptr);
        bulles_.vide();
        rafraichitCouche();
        return;
    }
    if (EtatDeJeu::estAttenteDistribue(code)) {
        boutonAide_->setEnabled(true);
        attendClic(QT_TR_NOOP("%1 pour distribuer."), DELAI_DISTRIBUTION_AUTO_MS);
        return;
    }
    if (EtatDeJeu::estAttenteMise(code)) {
        // A seat outside the table has nobody to name.
        const bool siegeValide = noJoueur >= 0 && noJoueur < NOMBRE_SIEGES;
        if (siegeValide && noJoueur == local.numero) {
            boutonAide_->setEnabled(!enLigne_);
            prompt_(QT_TR_NOOP("Choisissez la mise."));
            return;
        }
        const Joueur* miseur = siegeValide ? sieges_[static_cast<size_t>(noJoueur)].joueur : nullptr;
        if (miseur)
            setStatut_(QT_TR_NOOP("%1 choisit la mise..."), {miseur});
        else
            setStatut_(QT_TR_NOOP("Patientez..."));
        return;
    }
    if (code == EtatDeJeu::AttendAtout) {
        if (!atoutImpose && (local.joueur == acteur || local.joueur == second)) {
            boutonAide_->setEnabled(true);
            prompt_(QT_TR_NOOP("Choisissez l'atout."));
        } else if (!acteur || atoutImpose) {
            setStatut_(QT_TR_NOOP("Patientez..."));
        } else {
            setStatut_(QT_TR_NOOP("%1 choisit l'atout..."), {acteur});
        }
        return;
    }
    if (code == EtatDeJeu::AttendAtoutChibre) {
        if (second && second == local.joueur) {
            boutonAide_->setEnabled(true);
            // Without the seat that passed (a damaged record) the human is
            // still asked, without a name.
            if (acteur)
                prompt_(QT_TR_NOOP("%1 a chibré. Choisissez l'atout."), {acteur});
            else
                prompt_(QT_TR_NOOP("Choisissez l'atout."));
            return;
        }
        afficheChibre(acteur, second);
        return;
    }
    // Announcements are gathered by the table; a pair that decides the
    // match waits for its collect.
    if (EtatDeJeu::estNouveauJoueur(code) || EtatDeJeu::estAttenteAnnonce(code)
        || code == EtatDeJeu::PaireBeloteDecideMatch) {
        setStatut_(QT_TR_NOOP("Patientez..."));
        return;
    }
    if (EtatDeJeu::estAttenteDeCarte(code)) {
        if (code == EtatDeJeu::Tour1_AttendCarte1) {
            const QSharedPointer<Partie> jeu = partie();
            const int style = jeuDeCartes_.getStyle();
            const QString atout = scene_textes::nomAtout(jeu ? jeu->atoutEnCours_ : StatusAtout::Inconnu, style,
                                                         scene_textes::UsageAtout::Annonce);
            afficheMessageReseau(atoutImpose ? tr("L'atout imposé est %1.").arg(atout)
                                             : tr("L'atout est %1.").arg(atout));
            // Only a Jass game's first deal is opened by the holder of a set
            // card; a Belote deal is opened by the seat after the dealer.
            const bool jass = jeu ? jeu->typeDePartie_.genre_ == TypeDePartie::GenreJass : !belote_;
            if (jass && ardoiseStatut_->total(0) == 0 && ardoiseStatut_->total(1) == 0)
                setStatusText([style] {
                    return tr("Le joueur avec '%1 de %2' commence.")
                        .arg(getNomValeur(VALEUR_CARTE_DEPART, style), getNomCouleur(COULEUR_CARTE_DEPART, style));
                });
        }
        afficheEtatCarte_(acteur);
        return;
    }
    if (EtatDeJeu::estRamasseTas(code) && code < EtatDeJeu::PaireBelote_AttendRamasseTas1) {
        attendClic(QT_TR_NOOP("%1 pour continuer."), options_.ramassageDelay_);
        return;
    }
    if (EtatDeJeu::estConfirmationAnnonces(code)) {
        boutonAide_->setEnabled(true);
        attendClic(QT_TR_NOOP("%1 pour confirmer les annonces."), options_.ramassageDelay_);
        return;
    }
    if (code >= EtatDeJeu::PaireBelote_AttendRamasseTas1 && code <= EtatDeJeu::PaireBelote_AttendRamasseTas4) {
        attendClic(QT_TR_NOOP("%1 pour terminer la partie."), options_.ramassageDelay_);
        return;
    }
    if (code == EtatDeJeu::MatchTermineEnFinDeDonne) {
        setStatut_(QT_TR_NOOP("Fin du Jeu!"));
        return;
    }
    if (EtatDeJeu::estFinDePartie(code))
        attendClic(QT_TR_NOOP("%1 pour continuer."), options_.ramassageDelay_);
}

void DisplayGLScene::afficheEtatCarte_(Joueur* acteur)
{
    const QSharedPointer<Partie> jeu = partie();
    const Siege& local = sieges_[static_cast<size_t>(siegeBas_)];
    if (!jeu || jeu->noDuProchainAJouer_ != local.numero) {
        if (acteur)
            setStatut_(QT_TR_NOOP("Au tour de %1..."), {acteur});
        else
            setStatut_(QT_TR_NOOP("Patientez..."));
        return;
    }
    if (!enLigne_) {
        boutonAide_->setEnabled(true);
        // The search answers on its own thread; the highlight and the help
        // box read its card once it is there.
        if (modeVue_ == 0 && local.joueur)
            demandeConseil(local.joueur, jeu, jeu->joueurQuiAChoisiAtout_);
    }
    prompt_(QT_TR_NOOP("Choisissez une carte."));
    mainJouable_ = true;
}

// -------------------------------------------------------------- scoreboard

int DisplayGLScene::equipeVue() const
{
    const Siege& zero = sieges_[0];
    if (zero.numero < 0)
        return 0;
    int position = (zero.numero - siegeBas_ + NOMBRE_SIEGES) % NOMBRE_SIEGES;
    if (zero.miroir && (position == 1 || position == 3))
        position = 4 - position;
    return position % 2;
}

DisplayGLScene::LignesArdoise DisplayGLScene::lignesArdoise(const ZB_PointsDonne& points, int multiplicateur) const
{
    return ardoiseStatut_->tableau(points, multiplicateur, equipeVue(), objectifDonne_, donnesRestantes_);
}

int DisplayGLScene::pasEntreScores_() const
{
    // 600 ms apart, unless the table is too low for a score to leave its
    // own height in that time: then as long as it takes, so that two
    // scores never cover each other.
    return std::max(DELAI_ENTRE_SCORES_MS, DisplayGLScoreAnimText::intervalleScoresMs(zoneTable()));
}

void DisplayGLScene::animeScores_(const ZB_PointsA& points, int t)
{
    const QSharedPointer<Partie> jeu = partie();
    QString stock;
    if (jeu)
        stock = jeu->typeDePartie_.roiDame_ == TypeDePartie::RoiDameRebelote ? tr(" Belote") : tr(" Stöck");
    // Every score rises or sinks from the middle of the table: each starts
    // once the one before has left its height, after those of earlier
    // updates still waiting or under way. A backlog longer than a few
    // flights (updates faster than the table can show) drops the newest:
    // the slate has them.
    const int pas = pasEntreScores_();
    int delai = 0;
    bool enCours = false;
    int dernier = 0;
    for (const auto& anim : animsScore_) {
        int depart = 0;
        if (anim->isDelayRunning())
            depart = anim->delaiRestantMs();
        else if (anim->driver() && anim->driver()->isRunning())
            depart = -anim->driver()->groupe()->currentTime();
        else
            continue;
        dernier = enCours ? std::max(dernier, depart) : depart;
        enCours = true;
    }
    if (enCours)
        delai = std::max(0, dernier + pas);
    for (const SceneArdoise::Ecart& e : ardoiseStatut_->ecarts(points, t, stock)) {
        if (e.delta == 0 || delai > RETARD_MAX_SCORES_MS)
            continue;
        DisplayGLScoreAnimText* anim = prochainScore();
        anim->startScore(e.delta, e.label, zoneTable(), decalageTable_, delai, largeurEntrePlaques());
        ardoiseStatut_->scoresDeLaDonne().push_back(anim);
        delai += pas;
    }
    if (ardoiseStatut_->estMatchNouveau(points)) {
        const bool belote = jeu ? jeu->typeDePartie_.genre_ == TypeDePartie::GenreBelote : belote_;
        DisplayGLScoreAnimText* anim = prochainScore();
        anim->startBanner(belote ? tr("Capot") : tr("Match"), zoneTable(), decalageTable_, delai);
        ardoiseStatut_->scoresDeLaDonne().push_back(anim);
    }
}

void DisplayGLScene::dessineArdoise_(const ZB_PointsDonne& points, int multiplicateur, int equipeBarree)
{
    const LignesArdoise l = lignesArdoise(points, multiplicateur);
    const int t = l.equipeVue;
    signaleScoreEnLigne(l.totauxDonne[static_cast<size_t>(t)] + ardoiseStatut_->total(t),
                        l.totauxDonne[static_cast<size_t>(1 - t)] + ardoiseStatut_->total(1 - t), objectifDonne_,
                        donnesRestantes_);
    if (ardoise_)
        ardoiseStatut_->dessine(*ardoise_, l, options_.appStyle_, equipeBarree);
}

double DisplayGLScene::largeurEntrePlaques() const
{
    // The cloth as drawn: its narrower (far) edge, less the side plates.
    const QPolygonF tapis = contourVu_(tapis_.get());
    const QImage image = tapis_ ? tapis_->getImage() : QImage();
    if (tapis.size() < 4 || image.isNull() || !tapis_->isShown())
        return std::numeric_limits<double>::infinity();
    std::vector<double> x;
    for (const QPointF& p : tapis)
        x.push_back(p.x());
    std::sort(x.begin(), x.end());
    const double gauche = x[1];
    const double droite = x[x.size() - 2];
    const double bord = (droite - gauche) * ScenePlaques::BORD_PLAQUES_COTE / image.width();
    return std::max(0.0, droite - gauche - 2.0 * bord);
}

void DisplayGLScene::redessineArdoise_()
{
    dessineArdoise_(ardoiseStatut_->pointsPrecedents(), ardoiseStatut_->multiplicateurPrecedent(),
                    ardoiseStatut_->equipeBarreePrecedente());
}

bool DisplayGLScene::redessineArdoiseSeule_()
{
    if (automatique_ || !ardoiseStatut_->isDessinee())
        return false;
    DisplayGLPaintA* m = moteur();
    if (m)
        m->makeCurrent();
    redessineArdoise_();
    if (m)
        m->doneCurrent();
    return true;
}

void DisplayGLScene::afficheArdoise(const ZB_PointsA& points, int totalEquipe0, int totalEquipe1, int multiplicateur,
                                    const QList<int>& siegesStock, int equipeBarree)
{
    ardoiseStatut_->setTotaux(totalEquipe0, totalEquipe1);
    if (automatique_)
        return;
    if (navigationAnnuler_) {
        // Browsing the undo history: the next ordinary update animates
        // only what changed since this record.
        ardoiseStatut_->setPointsPrecedents(points, multiplicateur, equipeBarree);
        return;
    }
    const int t = equipeVue();
    if (options_.animatedScores_ && modeVue_ != MODE_VUE_SANS_ANIMATION)
        animeScores_(points, t);
    ardoiseStatut_->setPointsPrecedents(points, multiplicateur, equipeBarree);

    DisplayGLPaintA* m = moteur();
    if (m)
        m->makeCurrent();
    if (!fondConstruit_)
        construitFond_();
    dessineArdoise_(points, multiplicateur, equipeBarree);

    const QSharedPointer<Partie> jeu = partie();
    const bool rebelote = jeu && jeu->typeDePartie_.roiDame_ == TypeDePartie::RoiDameRebelote;
    for (int siege : siegesStock) {
        if (siege < 0 || siege >= NOMBRE_SIEGES || sieges_[static_cast<size_t>(siege)].numero < 0)
            continue;
        const int p = positionAffichage(siege);
        if (!bulle(p))
            continue;
        bulles_.montre(p, true, modeVue_ != MODE_VUE_SANS_ANIMATION);
        bulles_.dit(p, [rebelote] { return rebelote ? tr("Rebelote") : tr("Stöck"); }, font());
    }
    if (!ardoiseStatut_->isDessinee()) {
        ardoiseStatut_->setDessinee();
        prepareFriendNotice();
    }
    if (m)
        m->doneCurrent();
    rafraichitCouche();
}

void DisplayGLScene::drawTextOnObject(GL_ObjectSquare* objet, const QString& texte, double facteurPolice, double x,
                                      double y, double w, double h)
{
    if (!objet)
        return;
    QImage image = objet->getImage();
    if (image.isNull())
        return;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::TextAntialiasing);
    QFont police(QStringLiteral("Playtime With Hot Toddies"));
    police.setPixelSize(std::max(1, arrondi(image.width() * facteurPolice)));
    peintre.setFont(police);
    peintre.setPen(COULEUR_SOMBRE);
    peintre.drawText(QRect(arrondi(x), arrondi(y), arrondi(w), arrondi(h)), Qt::AlignCenter, texte);
    peintre.end();
    objet->setObjectImage(image);
}

void DisplayGLScene::prepareFriendNotice()
{
    static constexpr double FACTEUR_POLICE_NOTIFICATION = 0.087;
    drawTextOnObject(notification_.get(), tr("Un de vos contacts\njoue en ligne."), FACTEUR_POLICE_NOTIFICATION, 0,
                     10, 460, 110);
}
