#include "PanelAtouts.h"

#include "NomsDeCouleurs.h"
#include "ui_PanelAtouts.h"

#include <QEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>

#include <algorithm>
#include <cmath>

namespace {

// Button side for a panel height: large while few buttons fit easily,
// smaller when many are offered or the strip is narrow.
constexpr double PART_COTE_LARGE = 0.7;
constexpr double PART_COTE_PETIT = 0.5;
constexpr double PART_LARGEUR_LIBELLE = 3.0;
constexpr double PART_LARGEUR_MIN_LIBELLE = 1.1;
// The pass below the row stays a button to aim at when the strip is only
// as high as its rows.
constexpr double PART_HAUTEUR_MIN_DESSOUS = 0.6;
constexpr double PART_LARGEUR_ETROITE = 1.5;
// Room for the Chibre button, the bid controls and margins, in half heights.
constexpr double PLACE_EN_PLUS = 3.5;
constexpr int SEUIL_PETITS_BOUTONS = 7;
// The icon takes a third of the button, plus a margin of its own.
constexpr int DIVISEUR_ICONE = 3;
constexpr int DECALAGE_ICONE = 3;
constexpr int PREMIER_TOUR_MISES = 4;

int arrondi(double v)
{
    return static_cast<int>(std::lround(v));
}

} // namespace

PanelAtouts::PanelAtouts(bool modeCaptures, QWidget* parent)
    : GM_WidgetAuto(parent)
    , ui_(std::make_unique<Ui::PanelAtouts>())
    , modeCaptures_(modeCaptures)
{
    ui_->setupUi(this);
    setObjectName(QStringLiteral("PanelAtouts"));

    for (QWidget* w : std::initializer_list<QWidget*>{ui_->boutonChibre_left, ui_->boutonChibre_below,
                                                      ui_->pushButtonPrends, ui_->pushButton_Contre,
                                                      ui_->spinBoxMise, ui_->labelMise})
        w->hide();

    groupe_.setExclusive(false);
    groupe_.addButton(ui_->boutonChibre_left, ID_CHIBRE_COTE);
    groupe_.addButton(ui_->boutonChibre_below, ID_CHIBRE_DESSOUS);
    for (int mode = 1; mode < NOMBRE_MODES; ++mode) {
        QAbstractButton* bouton = boutonAtout_(mode);
        groupe_.addButton(bouton, mode + 1);
        setImageBouton(mode, STYLE_PAR_DEFAUT);
        bouton->hide();
    }
    metTexteChibre_(tr("&Chibre"));

    connect(&groupe_, &QButtonGroup::idClicked, this, &PanelAtouts::OnAtoutButtonPressed_);
    connect(ui_->pushButtonPrends, &QPushButton::clicked, this, &PanelAtouts::OnMiseButtonPressed_);
    connect(ui_->pushButtonCapot, &QPushButton::clicked, this, &PanelAtouts::OnCapotButtonPressed_);
    connect(ui_->pushButton_Contre, &QPushButton::clicked, this, &PanelAtouts::OnContreButtonPressed_);
    connect(ui_->pushButtonBetPlus, &QPushButton::pressed, this, &PanelAtouts::OnPushButtonBetPlus);
    connect(ui_->pushButtonBetMinus, &QPushButton::pressed, this, &PanelAtouts::OnPushButtonBetMinus);
    connect(&timerPlus_, &QTimer::timeout, this, &PanelAtouts::OnPushButtonBetPlusLongCheck);
    connect(&timerMoins_, &QTimer::timeout, this, &PanelAtouts::OnPushButtonBetMinusLongCheck);
    connect(ui_->spinBoxMise, &QSpinBox::valueChanged, this, &PanelAtouts::OnSpinBoxValueChanged,
            Qt::QueuedConnection);

    for (QTimer* timer : {&timerPlus_, &timerMoins_}) {
        timer->setSingleShot(true);
        timer->setInterval(DELAI_APPUI_LONG_MS);
        timer->setParent(this);
    }
    timerPlus_.setObjectName(QStringLiteral("timerBetPlus"));
    timerMoins_.setObjectName(QStringLiteral("timerBetMinus"));

    for (QAbstractButton* bouton : findChildren<QAbstractButton*>()) {
        bouton->setFocusPolicy(Qt::StrongFocus);
        bouton->installEventFilter(this);
    }
}

// A member timer leaves its parent's children when it is destroyed, before
// the base class deletes the children.
PanelAtouts::~PanelAtouts() = default;

QString PanelAtouts::dossierStyle(int styleCartes)
{
    static const char* const dossiers[] = {"FraChSvg/", "GerChSvg/", "FraSvg/", "NapSvg/", "Fun1Svg/"};
    constexpr int nombre = static_cast<int>(std::size(dossiers));
    if (styleCartes < 0 || styleCartes >= nombre)
        styleCartes = STYLE_PAR_DEFAUT;
    return QString::fromLatin1(dossiers[styleCartes]);
}

QAbstractButton* PanelAtouts::boutonAtout_(int mode) const
{
    switch (mode) {
    case 1: return ui_->buttonAtout_Trefle;
    case 2: return ui_->buttonAtout_Carreau;
    case 3: return ui_->buttonAtout_Pique;
    case 4: return ui_->buttonAtout_Coeur;
    case 5: return ui_->buttonAtout_HautEnBas;
    case 6: return ui_->buttonAtout_BasEnHaut;
    case 7: return ui_->buttonAtout_ZigZag_DepartBas;
    case 8: return ui_->buttonAtout_ZigZag_DepartHaut;
    case 9: return ui_->buttonAtout_ToutAtout;
    case 10: return ui_->buttonAtout_SansAtout;
    case 11: return ui_->buttonAtout_Inverse;
    default: return nullptr;
    }
}

void PanelAtouts::setImageBouton(int mode, int styleCartes)
{
    if (mode < 1 || mode >= NOMBRE_MODES)
        return;
    styleCartes_ = (styleCartes >= 0 && styleCartes <= 4) ? styleCartes : STYLE_PAR_DEFAUT;
    images_[static_cast<size_t>(mode)] =
        QPixmap(QStringLiteral(":/Cartes/") + dossierStyle(styleCartes_) + QString::number(mode) + QStringLiteral("_btn.png"));
    const QAbstractButton* bouton = boutonAtout_(mode);
    placeImage_(mode, std::min(bouton->width(), bouton->height()));
}

void PanelAtouts::placeImage_(int mode, int cote)
{
    QAbstractButton* bouton = boutonAtout_(mode);
    const QPixmap& image = images_[static_cast<size_t>(mode)];
    if (!bouton || image.isNull())
        return;
    const double ratio = devicePixelRatioF() > 0.0 ? devicePixelRatioF() : 1.0;
    const int pixels = static_cast<int>((std::max(cote, 0) / DIVISEUR_ICONE + DECALAGE_ICONE) * ratio);
    if (pixels < 1)
        return;
    QPixmap icone = image.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    icone.setDevicePixelRatio(ratio);
    bouton->setIcon(QIcon(icone));
    bouton->setIconSize(QSize(arrondi(icone.width() / ratio), arrondi(icone.height() / ratio)));
}

void PanelAtouts::rafraichitInfobulles(const TypeDePartie& type)
{
    if (&type != &typeInfobulles_)
        typeInfobulles_ = type;
    infobulles_ = true;
    constexpr int DERNIERE_COULEUR = 4;
    for (int mode = 1; mode < NOMBRE_MODES; ++mode) {
        QString texte = getNomAtoutLong(mode, styleCartes_) + QStringLiteral(" x")
                        + QString::number(type.multiplicateurs_[static_cast<size_t>(mode)]);
        if (mode > DERNIERE_COULEUR && !type.description_.isEmpty())
            texte += QStringLiteral(", ") + type.descriptionAffichee();
        boutonAtout_(mode)->setToolTip(texte);
    }
}

void PanelAtouts::permisDepuis_(const TypeDePartie& type)
{
    type.getAtoutsPermis(permis_);
}

void PanelAtouts::montreAtoutsPermis_()
{
    for (int mode = 1; mode < NOMBRE_MODES; ++mode) {
        QAbstractButton* bouton = boutonAtout_(mode);
        if (!permis_[static_cast<size_t>(mode)])
            continue;
        bouton->setDown(false);
        bouton->setEnabled(true);
        bouton->show();
    }
}

void PanelAtouts::metTexteChibre_(const QString& texte)
{
    ui_->boutonChibre_left->setText(texte);
    ui_->boutonChibre_below->setText(texte);
}

void PanelAtouts::afficheChoixAtout(const TypeDePartie& type, bool chibre)
{
    laisseLeClavier_();
    modeMise_ = false;
    repondu_ = false;
    permisDepuis_(type);
    ui_->pushButtonPrends->hide();
    metTexteChibre_(tr("&Chibre"));
    ui_->widgetBet->hide();
    ui_->pushButton_Contre->hide();
    for (int mode = 1; mode < NOMBRE_MODES; ++mode)
        boutonAtout_(mode)->hide();
    montreAtoutsPermis_();
    for (QPushButton* bouton : {ui_->boutonChibre_left, ui_->boutonChibre_below}) {
        bouton->setDown(false);
        bouton->setEnabled(true);
        bouton->setVisible(chibre);
    }
    dispose_(width(), height());
    if (!modeCaptures_)
        rafraichitInfobulles(type);
    focusPremier();
}

void PanelAtouts::afficheChoixMise(const ZB_StatusMise& mise, const TypeDePartie& type, int joueur)
{
    laisseLeClavier_();
    mise_ = mise;
    modeMise_ = true;
    repondu_ = false;
    joueurMiseur_ = joueur;
    genrePartie_ = type.contrat_;
    permisDepuis_(type);
    const bool tourAMise = genrePartie_ == TypeDePartie::ContratFixe || genrePartie_ == TypeDePartie::ContratVache;
    modePrise_ = tourAMise && mise_.tourMise_ < PREMIER_TOUR_MISES;

    ui_->labelMiseValue->setText(QString::number(mise_.pointsMise_));
    ui_->labelMiseValue->setVisible(mise_.montantBloque_);
    const bool libre = !mise_.montantBloque_;
    ui_->spinBoxMise->setEnabled(libre);
    ui_->spinBoxMise->setVisible(libre);
    ui_->pushButtonBetMinus->setEnabled(libre);
    ui_->pushButtonBetPlus->setEnabled(libre);
    // A peer's state with its bounds crossed must not leave the spin box
    // showing a value outside what may be bid.
    ui_->spinBoxMise->setSingleStep(std::max(mise_.pasMise_, 0));
    ui_->spinBoxMise->setMinimum(mise_.miseMin_);
    ui_->spinBoxMise->setMaximum(std::max(mise_.miseMax_, mise_.miseMin_));
    ui_->spinBoxMise->setValue(mise_.miseMin_);
    timerPlus_.stop();
    timerMoins_.stop();

    ui_->pushButtonCapot->setChecked(false);
    ui_->labelMise->show();
    metTexteChibre_(tr("&Passe"));
    ui_->pushButtonPrends->hide();
    ui_->pushButtonCapot->hide();
    ui_->widgetBet->hide();
    ui_->pushButton_Contre->setEnabled(false);
    varianteCoinche_ = genrePartie_ == TypeDePartie::ContratCoinche;

    if (tourAMise) {
        for (int mode = 1; mode < NOMBRE_MODES; ++mode)
            boutonAtout_(mode)->hide();
        ui_->pushButton_Contre->hide();
        ui_->pushButtonCapot->hide();
        if (modePrise_)
            ui_->pushButtonPrends->show();
        else
            montreAtoutsPermis_();
    } else {
        for (int mode = 1; mode < NOMBRE_MODES; ++mode)
            boutonAtout_(mode)->hide();
        ui_->pushButton_Contre->show();
    }
    for (QPushButton* bouton : {ui_->boutonChibre_left, ui_->boutonChibre_below}) {
        if (!modePrise_)
            bouton->setDown(false);
        bouton->setEnabled(true);
    }
    metLibellesContreCapot_();
    ui_->boutonChibre_left->show();
    ui_->boutonChibre_below->show();
    dispose_(width(), height());
    focusPremier();
}

void PanelAtouts::metLibellesContreCapot_()
{
    if (genrePartie_ != TypeDePartie::ContratCoinche && genrePartie_ != TypeDePartie::ContratContre)
        return;
    // Whole words, so that each language names the double and the redouble
    // as its players do.
    const QString s = varianteCoinche_ ? tr("Coinche") : tr("Contre");
    const QString sur = varianteCoinche_ ? tr("Surcoinche") : tr("Surcontre");
    // A seat outside 0..3 on either side belongs to no team: nothing to double.
    const bool sieges = joueurMiseur_ >= 0 && joueurMiseur_ < 4 && mise_.miseur_ >= 0 && mise_.miseur_ < 4;
    const bool autreEquipe = sieges && (joueurMiseur_ % 2) != (mise_.miseur_ % 2);
    const bool capot = ui_->pushButtonCapot->isChecked();
    QPushButton* contre = ui_->pushButton_Contre;
    auto contreOuvert = [&](const QString& texte) {
        contre->setText(texte);
        contre->setEnabled(autreEquipe && !capot);
    };
    auto montreMise = [&] {
        montreAtoutsPermis_();
        metLibelleCapot_();
        ui_->pushButtonCapot->show();
        ui_->widgetBet->show();
    };
    // A state with nothing left to double keeps the plain label, not one
    // left over from an earlier bidding.
    contre->setText(tr("%1\nx2").arg(s));
    switch (mise_.typeContrat_) {
    case ZB_StatusMise::PasEncoreDeMise:
        montreMise();
        contre->setEnabled(false);
        break;
    case ZB_StatusMise::Simple:
        montreMise();
        contreOuvert(tr("%1\nx2").arg(s));
        break;
    case ZB_StatusMise::Contre: contreOuvert(tr("%1\nx4").arg(sur)); break;
    // A capot is scored on the bid's points, weighed as any bid's.
    case ZB_StatusMise::Capot: contreOuvert(tr("%1\nx2").arg(s)); break;
    case ZB_StatusMise::CapotContre: contreOuvert(tr("%1\nx4").arg(sur)); break;
    default: break;
    }
}

int PanelAtouts::nombreVisibles_() const
{
    const int permis = static_cast<int>(std::count(permis_.cbegin(), permis_.cend(), true));
    const bool parContrat = genrePartie_ == TypeDePartie::ContratChibre || genrePartie_ == TypeDePartie::ContratCoinche
                            || genrePartie_ == TypeDePartie::ContratContre;
    // The trump choice offers the allowed modes, whatever the last bidding
    // left in the state.
    if (!modeMise_ || !parContrat)
        return permis;
    switch (mise_.typeContrat_) {
    case 0:
    case ZB_StatusMise::PrendCouleurRetournee: return permis;
    case ZB_StatusMise::PasEncoreDeMise:
    case ZB_StatusMise::Simple: return permis + 2;
    case ZB_StatusMise::Contre:
    case ZB_StatusMise::Surcontre:
    case ZB_StatusMise::Capot:
    case ZB_StatusMise::CapotContre:
    case ZB_StatusMise::CapotSurcontre: return 2;
    default: return 0;
    }
}

void PanelAtouts::setLargeurOfferte(int largeur)
{
    largeurOfferte_ = std::max(0, largeur);
    dispose_(width(), height());
}

void PanelAtouts::setHauteurOfferte(int hauteur)
{
    hauteurOfferte_ = std::max(0, hauteur);
    dispose_(width(), height());
}

void PanelAtouts::dispose_(int largeur, int hauteur)
{
    if (hauteurOfferte_ > 0)
        hauteur = hauteurOfferte_;
    // Once the strip is wider than the room it was given, its own width no
    // longer says what room there is: the width offered does.
    if (largeurOfferte_ > 0)
        largeur = std::min(largeur, largeurOfferte_);
    // The wide layout first, then the narrow one, then smaller buttons,
    // until what the style makes of them fits.
    [&] {
        for (const double part : {1.0, 0.85, 0.7, 0.55}) {
            for (const bool large : {true, false}) {
                disposeAvec_(largeur, hauteur, large, part);
                if (!layout())
                    return;
                layout()->invalidate();
                if (layout()->minimumSize().width() <= largeur)
                    return;
            }
        }
    }();
    // A holder that grew to an earlier, wider strip is brought back to the
    // room offered: its proxy on the table follows it.
    QWidget* parent = parentWidget();
    if (largeurOfferte_ > 0 && parent && parent->width() > width()) {
        const int voulue = largeurOfferte_ + (parent->width() - width());
        if (parent->width() > voulue)
            parent->resize(std::max(voulue, parent->minimumSizeHint().width()), parent->height());
    }
    // Now, not at a later turn of the loop: a paint already queued would
    // show the buttons where they were, and on a busy machine a click aimed
    // at that picture would land beside them.
    if (layout())
        layout()->activate();
}

void PanelAtouts::disposeAvec_(int largeur, int hauteur, bool largePermis, double part)
{
    const int n = nombreVisibles_();
    const int demi = arrondi(hauteur / 2.0);
    // The bid controls keep their own width; the buttons share the rest.
    const int mise = ui_->widgetBet->isHidden()
        ? 0
        : ui_->widgetBet->minimumSizeHint().width() + ui_->gridLayout->horizontalSpacing();
    const double place = (n + PLACE_EN_PLUS) * demi + mise;
    const bool large = largePermis && largeur >= place;

    const bool chibre = !ui_->boutonChibre_left->isHidden() || !ui_->boutonChibre_below->isHidden();
    if (chibre || modeMise_) {
        ui_->boutonChibre_left->setVisible(large);
        ui_->boutonChibre_below->setVisible(!large);
    } else {
        ui_->boutonChibre_left->hide();
        ui_->boutonChibre_below->hide();
    }
    ui_->pushButtonPrends->setVisible(modePrise_ && modeMise_);

    const int cote =
        arrondi((n > SEUIL_PETITS_BOUTONS || !large ? PART_COTE_PETIT : PART_COTE_LARGE) * hauteur * part);
    // The two zig-zag buttons share a column. A single offered button (or
    // only the zig-zag pair) still gets one column's width.
    const int colonnes = std::max(1, permis_[MODE_ZIGZAG] ? n - 1 : n);
    // Narrow, each column also gives up its share of the spacing and of
    // the margins, so that the strip never grows past the table.
    const QMargins marges = contentsMargins() + ui_->gridLayout->contentsMargins();
    const int espaces = colonnes * std::max(0, ui_->gridLayout->horizontalSpacing()) + marges.left() + marges.right();
    const int largeurMin = large ? cote
                                 : std::min(arrondi(PART_LARGEUR_ETROITE * cote),
                                            std::max(1, (largeur - mise - espaces) / colonnes));
    for (int mode = 1; mode < NOMBRE_MODES; ++mode) {
        QAbstractButton* bouton = boutonAtout_(mode);
        bouton->setMaximumSize(cote, cote);
        // Their full height when the strip is only as high as its rows; the
        // two zig-zag buttons share that height in their column.
        const bool partage = permis_[MODE_ZIGZAG] && (mode == MODE_ZIGZAG || mode == MODE_ZIGZAG + 1);
        const int espacement = std::max(0, ui_->gridLayout->verticalSpacing());
        bouton->setMinimumSize(largeurMin, partage ? std::max(1, (cote - espacement) / 2) : cote);
        placeImage_(mode, cote);
    }
    for (QPushButton* bouton : {ui_->boutonChibre_left, ui_->pushButtonPrends, ui_->pushButton_Contre}) {
        bouton->setMaximumHeight(cote);
        bouton->setMinimumHeight(cote);
        bouton->setMaximumWidth(arrondi(PART_LARGEUR_LIBELLE * cote));
        bouton->setMinimumWidth(static_cast<int>(PART_LARGEUR_MIN_LIBELLE * cote));
    }
    ui_->boutonChibre_below->setMaximumHeight(cote);
    ui_->boutonChibre_below->setMinimumHeight(arrondi(PART_HAUTEUR_MIN_DESSOUS * cote));
}

void PanelAtouts::resizeEvent(QResizeEvent* event)
{
    dispose_(event->size().width(), event->size().height());
    GM_WidgetAuto::resizeEvent(event);
}

void PanelAtouts::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        const QString capot = ui_->pushButtonCapot->text();
        const QString contre = ui_->pushButton_Contre->text();
        ui_->retranslateUi(this);
        metTexteChibre_(modeMise_ ? tr("&Passe") : tr("&Chibre"));
        ui_->pushButtonCapot->setText(capot);
        ui_->pushButton_Contre->setText(contre);
        metLibellesContreCapot_();
        if (infobulles_)
            rafraichitInfobulles(typeInfobulles_);
    }
    GM_WidgetAuto::changeEvent(event);
}

void PanelAtouts::showEvent(QShowEvent* event)
{
    GM_WidgetAuto::showEvent(event);
    focusPremier();
}

QList<QAbstractButton*> PanelAtouts::boutonsOfferts() const
{
    QList<QAbstractButton*> boutons;
    for (QAbstractButton* bouton : findChildren<QAbstractButton*>())
        if (bouton->isVisibleTo(this) && bouton->isEnabled())
            boutons << bouton;
    auto place = [this](const QAbstractButton* b) { return b->mapTo(this, b->rect().center()); };
    std::stable_sort(boutons.begin(), boutons.end(), [&place](const QAbstractButton* a, const QAbstractButton* b) {
        const QPoint pa = place(a);
        const QPoint pb = place(b);
        // One row when their middles lie within half a button of each other.
        if (std::abs(pa.y() - pb.y()) * 2 >= std::min(a->height(), b->height()))
            return pa.y() < pb.y();
        return pa.x() < pb.x();
    });
    return boutons;
}

void PanelAtouts::laisseLeClavier_()
{
    // A button turned off while it is still the band's own focus widget
    // hands the keyboard on along the band's chain, and so, through the
    // band's proxy, takes it from the window the user types in (a field
    // chosen whole by Tab then loses its choice): the band forgets it first.
    if (!clavierPris())
        return;
    QWidget* garde = window()->focusWidget();
    if (garde != nullptr && isAncestorOf(garde))
        garde->clearFocus();
}

void PanelAtouts::focusPremier()
{
    if (!isVisible() || clavierPris())
        return;
    const QList<QAbstractButton*> offerts = boutonsOfferts();
    for (QAbstractButton* voulu : std::initializer_list<QAbstractButton*>{
             boutonAtout_(1), boutonAtout_(2), boutonAtout_(3), boutonAtout_(4), boutonAtout_(5), boutonAtout_(6),
             boutonAtout_(7), boutonAtout_(8), boutonAtout_(9), boutonAtout_(10), boutonAtout_(11),
             ui_->pushButtonPrends, ui_->pushButton_Contre, ui_->boutonChibre_left, ui_->boutonChibre_below}) {
        if (offerts.contains(voulu)) {
            voulu->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    if (!offerts.isEmpty())
        offerts.first()->setFocus(Qt::TabFocusReason);
}

void PanelAtouts::deplaceFocus_(QAbstractButton* depuis, int pas)
{
    const QList<QAbstractButton*> offerts = boutonsOfferts();
    if (offerts.isEmpty())
        return;
    const int n = static_cast<int>(offerts.size());
    const int ici = static_cast<int>(offerts.indexOf(depuis));
    const int suivant = ici < 0 ? 0 : ((ici + pas) % n + n) % n;
    offerts[suivant]->setFocus(pas < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
}

bool PanelAtouts::eventFilter(QObject* objet, QEvent* event)
{
    auto* bouton = qobject_cast<QAbstractButton*>(objet);
    if (!bouton || event->type() != QEvent::KeyPress)
        return GM_WidgetAuto::eventFilter(objet, event);
    const auto* touche = static_cast<QKeyEvent*>(event);
    if (touche->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (touche->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (bouton->isEnabled())
            bouton->click();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Right:
    case Qt::Key_Down:
        deplaceFocus_(bouton, 1);
        return true;
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Up:
        deplaceFocus_(bouton, -1);
        return true;
    default:
        return false;
    }
}

bool PanelAtouts::repondre_()
{
    if (repondu_)
        return false;
    repondu_ = true;
    return true;
}

void PanelAtouts::OnAtoutButtonPressed_(int id)
{
    const int mode = id >= 1 ? id - 1 : 0;
    if (mode >= NOMBRE_MODES || !repondre_())
        return;
    if (!modeMise_) {
        emit signalAtoutButtonPressed_(mode);
        return;
    }
    if (mode == 0) {
        mise_.miseFaite_ = false;
        mise_.atoutMise_ = 0;
    } else {
        mise_.miseFaite_ = true;
        mise_.atoutMise_ = mode;
        mise_.pointsMise_ = ui_->spinBoxMise->value();
        mise_.typeContrat_ = ui_->pushButtonCapot->isChecked() ? ZB_StatusMise::Capot : ZB_StatusMise::Simple;
    }
    emit signalBetAnswer_(mise_);
}

void PanelAtouts::OnMiseButtonPressed_()
{
    if (mise_.typeContrat_ != ZB_StatusMise::PasEncoreDeMise || !repondre_())
        return;
    mise_.miseFaite_ = true;
    mise_.atoutMise_ = 0;
    mise_.typeContrat_ = ZB_StatusMise::PrendCouleurRetournee;
    emit signalBetAnswer_(mise_);
}

void PanelAtouts::OnContreButtonPressed_()
{
    int suivant = 0;
    switch (mise_.typeContrat_) {
    case ZB_StatusMise::Simple: suivant = ZB_StatusMise::Contre; break;
    case ZB_StatusMise::Contre: suivant = ZB_StatusMise::Surcontre; break;
    case ZB_StatusMise::Capot: suivant = ZB_StatusMise::CapotContre; break;
    case ZB_StatusMise::CapotContre: suivant = ZB_StatusMise::CapotSurcontre; break;
    default: return;
    }
    if (!repondre_())
        return;
    mise_.typeContrat_ = suivant;
    mise_.miseFaite_ = true;
    emit signalBetAnswer_(mise_);
}

void PanelAtouts::OnCapotButtonPressed_(bool checked)
{
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->spinBoxMise, ui_->pushButtonBetMinus,
                                                      ui_->pushButtonBetPlus, ui_->boutonChibre_left,
                                                      ui_->boutonChibre_below})
        w->setEnabled(!checked);
    metLibellesContreCapot_();
}

void PanelAtouts::pas_(int sens, bool appuiNeuf)
{
    QSpinBox* spin = ui_->spinBoxMise;
    QTimer& timer = sens > 0 ? timerPlus_ : timerMoins_;
    if (appuiNeuf)
        timer.setInterval(DELAI_APPUI_LONG_MS);
    const bool auBout = sens > 0 ? spin->value() >= spin->maximum() : spin->value() <= spin->minimum();
    if (auBout)
        return;
    spin->stepBy(sens);
    if (!timer.isActive())
        timer.start();
}

void PanelAtouts::repete_(int sens)
{
    QTimer& timer = sens > 0 ? timerPlus_ : timerMoins_;
    const QAbstractButton* bouton = sens > 0 ? ui_->pushButtonBetPlus : ui_->pushButtonBetMinus;
    timer.stop();
    if (bouton->isDown()) {
        timer.setInterval(DELAI_REPETITION_MS);
        pas_(sens, false);
    } else {
        timer.setInterval(DELAI_APPUI_LONG_MS);
    }
}

void PanelAtouts::OnPushButtonBetPlus()
{
    pas_(1, true);
}

void PanelAtouts::OnPushButtonBetMinus()
{
    pas_(-1, true);
}

void PanelAtouts::OnPushButtonBetPlusLongCheck()
{
    repete_(1);
}

void PanelAtouts::OnPushButtonBetMinusLongCheck()
{
    repete_(-1);
}

void PanelAtouts::metLibelleCapot_()
{
    // The capot's points are the bid's, those of the box.
    ui_->pushButtonCapot->setText(tr("Capot (%1)").arg(ui_->spinBoxMise->value()));
}

void PanelAtouts::OnSpinBoxValueChanged()
{
    metLibelleCapot_();
    if (QLineEdit* ligne = ui_->spinBoxMise->findChild<QLineEdit*>())
        ligne->deselect();
}
