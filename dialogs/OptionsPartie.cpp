#include "OptionsPartie.h"

#include "Carte.h"
#include "GM_SpacesSeparatedString.h"
#include "WidgetOptionsAI.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

// The year the season dates are shown in: a leap year, so that 29 February
// can be chosen; the records ignore the year.
constexpr int ANNEE_SAISONS = 2000;
constexpr int COLONNES_PRESETS = 2;
constexpr int DECIMALES_SECONDES = 2;
constexpr double PAS_SECONDES = 0.1;
constexpr int PAS_POURCENT = 5;
// Width of the small number boxes, so that they do not stretch over the
// whole form.
constexpr int LARGEUR_NOMBRE = 90;
// Style of the names of the suits in the trump list: the international deck.
constexpr int STYLE_NOMS_ATOUTS = 2;
const char* const COULEUR_AVERTISSEMENT = "#a05a00";
const char* const COULEUR_ERREUR = "#c00000";
// The tab titles, in tab order.
const char* const ONGLETS[] = {
    QT_TRANSLATE_NOOP("OptionsPartie", "Partie"),    QT_TRANSLATE_NOOP("OptionsPartie", "Règles"),
    QT_TRANSLATE_NOOP("OptionsPartie", "Ordinateurs"), QT_TRANSLATE_NOOP("OptionsPartie", "Affichage"),
    QT_TRANSLATE_NOOP("OptionsPartie", "Saisons"),
};

QSpinBox* nouveauSpin(QWidget* parent, const QString& nom, int min, int max)
{
    auto* boite = new QSpinBox(parent);
    boite->setObjectName(nom);
    boite->setRange(min, max);
    return boite;
}

QCheckBox* nouvelleCase(QWidget* parent, const QString& nom)
{
    auto* c = new QCheckBox(parent);
    c->setObjectName(nom);
    return c;
}

// Shows valeur clamped to the box's range; names it when it had to be.
void borne(QSpinBox* boite, int valeur, const QString& champ, QStringList& bornes)
{
    if (valeur < boite->minimum() || valeur > boite->maximum())
        bornes << champ;
    boite->setValue(valeur);
}

void borne(QDoubleSpinBox* boite, double valeur, const QString& champ, QStringList& bornes)
{
    if (!std::isfinite(valeur) || valeur < boite->minimum() || valeur > boite->maximum())
        bornes << champ;
    boite->setValue(std::isfinite(valeur) ? valeur : boite->minimum());
}

// A record date in the dialog's year; an unreadable one gives parDefaut.
QDate dateSaison(const QString& texte, const QString& parDefaut, const QString& champ, QStringList& bornes)
{
    QDate d = QDate::fromString(texte, Qt::ISODate);
    if (!d.isValid()) {
        bornes << champ;
        d = QDate::fromString(parDefaut, Qt::ISODate);
    }
    return QDate(ANNEE_SAISONS, d.month(), d.day());
}

} // namespace

OptionsPartie::OptionsPartie(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    setObjectName(QStringLiteral("OptionsPartie"));
    // Over the table's textures, a dialog needs its own background.
    setAutoFillBackground(true);
    auto* disposition = new QVBoxLayout(this);
    onglets_ = new QTabWidget(this);
    onglets_->setObjectName(QStringLiteral("tabWidget"));
    onglets_->addTab(creeOngletPartie_(), QString());
    onglets_->addTab(creeOngletRegles_(), QString());
    onglets_->addTab(creeOngletOrdinateurs_(), QString());
    onglets_->addTab(creeOngletAffichage_(), QString());
    onglets_->addTab(creeOngletSaisons_(), QString());
    disposition->addWidget(onglets_, 1);
    // In the table scene the dialog is drawn from its proxy's cache, and a
    // scroll area that moves its page refreshes only its viewport there:
    // whatever an earlier whole repaint put around the viewport (the
    // partly shown row at its edge) would stay. A scroll repaints the
    // whole tab widget.
    // A page's scroll area takes no Tab stop: it has nothing to show the
    // keyboard by, and Tab to a control below the fold scrolls to it.
    for (QScrollArea* defile : onglets_->findChildren<QScrollArea*>()) {
        defile->setFocusPolicy(Qt::NoFocus);
        for (QScrollBar* barre : {defile->verticalScrollBar(), defile->horizontalScrollBar()})
            connect(barre, &QScrollBar::valueChanged, onglets_, qOverload<>(&QWidget::update));
    }
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("labelMessage"));
    message_->setWordWrap(true);
    message_->hide();
    disposition->addWidget(message_);
    boutons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    boutons_->setObjectName(QStringLiteral("buttonBox"));
    disposition->addWidget(boutons_);
    connect(boutons_, &QDialogButtonBox::accepted, this, &OptionsPartie::OnAccepte);
    connect(boutons_, &QDialogButtonBox::rejected, this, &OptionsPartie::OnRefuse);
    connect(presets_, &QButtonGroup::idClicked, this, &OptionsPartie::OnPresetChoisi);
    connect(contrat_, &QButtonGroup::idToggled, this, &OptionsPartie::OnReglesChangees);
    retranslateUi();
    setOptions(OptionsDePartie(TypeDePartie::GenreJass), OptionsAffichage());
}

OptionsPartie::~OptionsPartie() = default;

QButtonGroup* OptionsPartie::groupe_(const QString& nom)
{
    auto* groupe = new QButtonGroup(this);
    groupe->setObjectName(nom);
    return groupe;
}

void OptionsPartie::ajouteRadio_(QButtonGroup* groupe, QLayout* disposition, int id, const QString& nom,
                                 const char* texte)
{
    auto* radio = new QRadioButton(disposition->parentWidget());
    radio->setObjectName(nom);
    traduit_(radio, texte);
    groupe->addButton(radio, id);
    disposition->addWidget(radio);
}

void OptionsPartie::traduit_(QObject* objet, const char* source)
{
    textes_.emplace_back(objet, source);
    montreTexte_(objet, tr(source));
}

void OptionsPartie::montreTexte_(QObject* objet, const QString& texte)
{
    if (auto* bouton = qobject_cast<QAbstractButton*>(objet))
        bouton->setText(texte);
    else if (auto* etiquette = qobject_cast<QLabel*>(objet))
        etiquette->setText(texte);
    else if (auto* boite = qobject_cast<QGroupBox*>(objet))
        boite->setTitle(texte);
}

QLabel* OptionsPartie::etiquette_(QWidget* parent, const char* source)
{
    auto* etiquette = new QLabel(parent);
    traduit_(etiquette, source);
    return etiquette;
}

QGroupBox* OptionsPartie::boite_(QWidget* parent, const char* source)
{
    auto* boite = new QGroupBox(parent);
    traduit_(boite, source);
    return boite;
}

QCheckBox* OptionsPartie::case_(QWidget* parent, const QString& nom, const char* source)
{
    QCheckBox* c = nouvelleCase(parent, nom);
    traduit_(c, source);
    return c;
}

void OptionsPartie::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    else if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        ajusteLargeurs_();
    GM_WidgetAuto::changeEvent(event);
}

void OptionsPartie::ajusteLargeurs_()
{
    // The styles' own width hint holds the longest text with no room to
    // spare, and none for a longer month than the range's ends: a word or a
    // month was cut, or touched the arrows.
    auto ajuste = [](QAbstractSpinBox* boite, const QStringList& textes) {
        if (boite == nullptr)
            return;
        const QFontMetrics fm = boite->fontMetrics();
        int largeur = 0;
        for (const QString& texte : textes)
            largeur = std::max(largeur, fm.horizontalAdvance(texte));
        QStyleOptionSpinBox option;
        option.initFrom(boite);
        option.frame = boite->hasFrame();
        option.buttonSymbols = boite->buttonSymbols();
        option.subControls = QStyle::SC_SpinBoxFrame | QStyle::SC_SpinBoxEditField | QStyle::SC_SpinBoxUp
                           | QStyle::SC_SpinBoxDown;
        const QSize contenu(largeur + 2 * fm.horizontalAdvance(QLatin1Char('0')), fm.height());
        boite->setMinimumWidth(boite->style()->sizeFromContents(QStyle::CT_SpinBox, &option, contenu, boite).width());
    };
    ajuste(montantContrat_, {montantContrat_->specialValueText(), QString::number(montantContrat_->maximum())});
    for (const Saison& s : saisons_)
        for (QDateEdit* date : {s.debut, s.fin}) {
            if (date == nullptr)
                continue;
            QStringList mois;
            for (int m = 1; m <= 12; ++m)
                mois << date->locale().toString(QDate(ANNEE_SAISONS, m, 28), date->displayFormat());
            ajuste(date, mois);
        }
}

void OptionsPartie::retranslateUi()
{
    setWindowTitle(tr("Options"));
    for (int i = 0; i < onglets_->count() && i < int(std::size(ONGLETS)); ++i)
        onglets_->setTabText(i, tr(ONGLETS[i]));
    // Only texts change: checked choices, typed names and values stay; a
    // name left as the default partner's is the default in the new language.
    for (const auto& [objet, source] : textes_)
        montreTexte_(objet, tr(source));
    const QString partenaire = OptionsDuJoueur::nomLisible(QString::fromUtf8(OptionsDuJoueur::NOM_PARTENAIRE));
    for (QLineEdit* nom : noms_)
        if (nom != nullptr && nom->text() == nomPartenaireLu_)
            nom->setText(partenaire);
    nomPartenaireLu_ = partenaire;
    for (int mode = 1; mode < TypeDePartie::NOMBRE_MODES; ++mode)
        modesPermis_[size_t(mode)]->setText(getNomAtout(mode, STYLE_NOMS_ATOUTS));
    // The month names in the language shown.
    for (const Saison& s : saisons_)
        for (QDateEdit* date : {s.debut, s.fin})
            if (date != nullptr)
                date->setLocale(QLocale());
    for (int id = 0; id < NOMBRE_PRESETS; ++id) {
        QAbstractButton* preset = presets_->button(id);
        if (id == TypeDePartie::ID_PERSONALISE || preset == nullptr)
            continue;
        preset->setText(TypeDePartie::nomDansListe(id));
        preset->setToolTip(TypeDePartie::descriptionTraduite(id));
    }
    montantContrat_->setSpecialValueText(tr("Aucun"));
    metAJourTournoi_();
    delaiRamassage_->setSuffix(tr(" s"));
    ajusteLargeurs_();
}

QWidget* OptionsPartie::creeOngletPartie_()
{
    auto* onglet = new QWidget;
    auto* disposition = new QVBoxLayout(onglet);

    auto* boitePresets = boite_(onglet, QT_TR_NOOP("Type de jeu"));
    auto* grille = new QGridLayout(boitePresets);
    presets_ = groupe_(QStringLiteral("buttonGroupPreset"));
    for (int id = 0; id < NOMBRE_PRESETS; ++id) {
        const TypeDePartie& type = TypeDePartie::getTypeDePartie(id);
        auto* radio = new QRadioButton(TypeDePartie::nomDansListe(id), boitePresets);
        if (id == TypeDePartie::ID_PERSONALISE)
            traduit_(radio, QT_TR_NOOP("Personalisé"));
        radio->setObjectName(QStringLiteral("radioButtonPreset%1").arg(id));
        if (!type.description_.isEmpty())
            radio->setToolTip(type.descriptionAffichee());
        presets_->addButton(radio, id);
        grille->addWidget(radio, id / COLONNES_PRESETS, id % COLONNES_PRESETS);
    }
    disposition->addWidget(boitePresets);

    auto* boiteMode = boite_(onglet, QT_TR_NOOP("Type de partie"));
    auto* ligneMode = new QHBoxLayout(boiteMode);
    modeDeJeu_ = groupe_(QStringLiteral("buttonGroupModeDeJeu"));
    ajouteRadio_(modeDeJeu_, ligneMode, OptionsDePartie::ModeStandart, QStringLiteral("radioButtonStandard"),
                 QT_TR_NOOP("Standart"));
    ajouteRadio_(modeDeJeu_, ligneMode, OptionsDePartie::ModeConcours, QStringLiteral("radioButtonConcours"),
                 QT_TR_NOOP("Concours"));
    ajouteRadio_(modeDeJeu_, ligneMode, OptionsDePartie::ModeCoiffeur, QStringLiteral("radioButtonCoiffeur"),
                 QT_TR_NOOP("Coiffeur"));
    ajouteRadio_(modeDeJeu_, ligneMode, OptionsDePartie::ModeTournoi, QStringLiteral("radioButtonTournament"),
                 QT_TR_NOOP("Tournoi"));
    disposition->addWidget(boiteMode);
    disposition->addStretch(1);
    return onglet;
}

QWidget* OptionsPartie::creeOngletRegles_()
{
    auto* defile = new QScrollArea;
    defile->setWidgetResizable(true);
    boiteRegles_ = boite_(nullptr, QT_TR_NOOP("Règles du type Personalisé"));
    boiteRegles_->setObjectName(QStringLiteral("groupBoxPersonalise"));
    auto* grille = new QGridLayout(boiteRegles_);
    int ligne = 0;
    auto ajouteGroupe = [&](QButtonGroup*& groupe, const QString& nomGroupe, const char* titre,
                            const QList<std::pair<QString, const char*>>& radios) {
        groupe = groupe_(nomGroupe);
        grille->addWidget(etiquette_(boiteRegles_, titre), ligne, 0);
        auto* rangee = new QHBoxLayout;
        auto* porteur = new QWidget(boiteRegles_);
        rangee->setContentsMargins(0, 0, 0, 0);
        porteur->setLayout(rangee);
        for (int id = 0; id < radios.size(); ++id)
            ajouteRadio_(groupe, rangee, id, radios.at(id).first, radios.at(id).second);
        rangee->addStretch(1);
        grille->addWidget(porteur, ligne++, 1);
    };
    ajouteGroupe(regles_, QStringLiteral("buttonGroupRegles"), QT_TR_NOOP("Règles"),
                 {{QStringLiteral("radioButtonRulesJass_9cards"), QT_TR_NOOP("Jass 9 Cartes")},
                  {QStringLiteral("radioButtonRulesBelote_8cards"), QT_TR_NOOP("Belote 8 Cartes")}});
    ajouteGroupe(contrat_, QStringLiteral("buttonGroupContrat"), QT_TR_NOOP("Contrat"),
                 {{QStringLiteral("radioButtonContratChibre"), QT_TR_NOOP("Chibre")},
                  {QStringLiteral("radioButtonContratFixe"), QT_TR_NOOP("Fixe")},
                  {QStringLiteral("radioButtonContratBeloteCoinchee"), QT_TR_NOOP("Coinché")},
                  {QStringLiteral("radioButtonContratBeloteContree"), QT_TR_NOOP("Contré")},
                  {QStringLiteral("radioButtonContratVache"), QT_TR_NOOP("Vache")}});
    ajouteGroupe(annonces_, QStringLiteral("buttonGroupAnnonces"), QT_TR_NOOP("Annonces"),
                 {{QStringLiteral("radioButtonAnnoncesAuto"), QT_TR_NOOP("Auto")},
                  {QStringLiteral("radioButtonAnnoncesMan"), QT_TR_NOOP("Manuelles")},
                  {QStringLiteral("radioButtonAnnoncesDesactive"), QT_TR_NOOP("Désactivées")}});
    ajouteGroupe(roiDame_, QStringLiteral("buttonGroupRoiDame"), QT_TR_NOOP("Roi et Dame"),
                 {{QStringLiteral("radioButtonRoiDameOff"), QT_TR_NOOP("Désactivé")},
                  {QStringLiteral("radioButtonRoiDameStock"), QT_TR_NOOP("Stöck")},
                  {QStringLiteral("radioButtonRoiDameRebelote"), QT_TR_NOOP("Rebelote")}});
    ajouteGroupe(distribution_, QStringLiteral("buttonGroupDistribution"), QT_TR_NOOP("Distribution"),
                 {{QStringLiteral("radioButtonDistAleatoire"), QT_TR_NOOP("Aléatoire")},
                  {QStringLiteral("radioButtonDistCoupePrec"), QT_TR_NOOP("Coupe Donne Préc.")}});
    ajouteGroupe(decompte_, QStringLiteral("buttonGroupDecompte"), QT_TR_NOOP("Décompte points"),
                 {{QStringLiteral("radioButtonDecompteFait"), QT_TR_NOOP("Faits")},
                  {QStringLiteral("radioButtonDecompteAnnonce"), QT_TR_NOOP("Annoncés")},
                  {QStringLiteral("radioButtonDecompteFaitPlusAnnonce"), QT_TR_NOOP("Faits + Annoncés")}});

    nbrPoints_ = nouveauSpin(boiteRegles_, QStringLiteral("spinBoxNbrPoints"), POINTS_MIN, POINTS_MAX);
    montantContrat_ = nouveauSpin(boiteRegles_, QStringLiteral("spinBoxContratAmount"), CONTRAT_MIN, CONTRAT_MAX);
        arrondi_ = nouveauSpin(boiteRegles_, QStringLiteral("spinBoxArrondi"), ARRONDI_MIN, ARRONDI_MAX);
    auto* nombres = new QHBoxLayout;
    for (const auto& [texte, boite] : {std::pair<const char*, QSpinBox*>{QT_TR_NOOP("Points"), nbrPoints_},
                                       {QT_TR_NOOP("Contrat"), montantContrat_},
                                       {QT_TR_NOOP("Arrondi"), arrondi_}}) {
        nombres->addWidget(etiquette_(boiteRegles_, texte));
        nombres->addWidget(boite);
    }
    nombres->addStretch(1);
    grille->addWidget(etiquette_(boiteRegles_, QT_TR_NOOP("Montants")), ligne, 0);
    grille->addLayout(nombres, ligne++, 1);

    sept_ = case_(boiteRegles_, QStringLiteral("checkBoxAnnonce7AnnuleDonne"), QT_TR_NOOP("Les 7 Annule Donne"));
    huit_ = case_(boiteRegles_, QStringLiteral("checkBoxAnnonce8AnnuleAnnonce"), QT_TR_NOOP("Les 8 Annule Annonces"));
    auto* cases = new QHBoxLayout;
    cases->addWidget(sept_);
    cases->addWidget(huit_);
    cases->addStretch(1);
    grille->addLayout(cases, ligne++, 1);

    auto* boiteAtouts = boite_(boiteRegles_, QT_TR_NOOP("Atouts permis et multiplicateurs"));
    auto* grilleAtouts = new QGridLayout(boiteAtouts);
    for (int mode = 1; mode < TypeDePartie::NOMBRE_MODES; ++mode) {
        modesPermis_[size_t(mode)] =
            nouvelleCase(boiteAtouts, QStringLiteral("checkBoxAtout%1").arg(mode));
        multiplicateurs_[size_t(mode)] = nouveauSpin(boiteAtouts, QStringLiteral("spinBoxAtout%1").arg(mode),
                                                     MULTIPLICATEUR_MIN, MULTIPLICATEUR_MAX);
        multiplicateurs_[size_t(mode)]->setPrefix(QStringLiteral("x"));
        multiplicateurs_[size_t(mode)]->setMaximumWidth(LARGEUR_NOMBRE);
        const int rang = (mode - 1) / 2;
        const int colonne = ((mode - 1) % 2) * 2;
        grilleAtouts->addWidget(modesPermis_[size_t(mode)], rang, colonne);
        grilleAtouts->addWidget(multiplicateurs_[size_t(mode)], rang, colonne + 1);
        QSpinBox* boite = multiplicateurs_[size_t(mode)];
        connect(modesPermis_[size_t(mode)], &QCheckBox::toggled, boite, &QWidget::setEnabled);
    }
    grilleAtouts->setColumnStretch(1, 1);
    grilleAtouts->setColumnStretch(3, 1);
    grille->addWidget(boiteAtouts, ligne++, 0, 1, 2);
    grille->setColumnStretch(1, 1);
    defile->setWidget(boiteRegles_);
    return defile;
}

QWidget* OptionsPartie::creeOngletOrdinateurs_()
{
    auto* onglet = new QWidget;
    auto* disposition = new QVBoxLayout(onglet);
    auto* boiteAdversaires = boite_(onglet, QT_TR_NOOP("Adversaires"));
    auto* d1 = new QVBoxLayout(boiteAdversaires);
    aiAdversaires_ = new WidgetOptionsAI(boiteAdversaires);
    aiAdversaires_->setObjectName(QStringLiteral("widgetOptionAIOpponents"));
    d1->addWidget(aiAdversaires_);
    auto* boitePartenaire = boite_(onglet, QT_TR_NOOP("Partenaire"));
    auto* d2 = new QVBoxLayout(boitePartenaire);
    aiPartenaire_ = new WidgetOptionsAI(boitePartenaire);
    aiPartenaire_->setObjectName(QStringLiteral("widgetOptionAIPartner"));
    d2->addWidget(aiPartenaire_);
    // Side by side: the table's inset is wider than it is tall.
    auto* cote = new QHBoxLayout;
    cote->addWidget(boiteAdversaires);
    cote->addWidget(boitePartenaire);
    disposition->addLayout(cote);
    auto* explication = etiquette_(onglet, QT_TR_NOOP("Plus l'ordinateur simule de donnes, plus il joue fort, et plus il réfléchit "
                                      "longtemps."));
    explication->setWordWrap(true);
    disposition->addWidget(explication);
    disposition->addStretch(1);
    return onglet;
}

QWidget* OptionsPartie::creeOngletAffichage_()
{
    auto* defile = new QScrollArea;
    defile->setWidgetResizable(true);
    auto* onglet = new QWidget;
    auto* disposition = new QVBoxLayout(onglet);

    auto* boiteNoms = boite_(onglet, QT_TR_NOOP("Noms des joueurs"));
    auto* formeNoms = new QFormLayout(boiteNoms);
    const std::array<std::pair<QString, const char*>, OptionsAffichage::NOMBRE_NOMS> champs{{
        {QStringLiteral("lineEditNameOpponent1"), QT_TR_NOOP("Adversaire 1")},
        {QStringLiteral("lineEditNameBuddy"), QT_TR_NOOP("Partenaire")},
        {QStringLiteral("lineEditNameOpponent2"), QT_TR_NOOP("Adversaire 2")},
    }};
    for (size_t i = 0; i < champs.size(); ++i) {
        noms_[i] = new QLineEdit(boiteNoms);
        noms_[i]->setObjectName(champs[i].first);
        noms_[i]->setMaxLength(NOM_LONGUEUR_MAX);
        formeNoms->addRow(etiquette_(boiteNoms, champs[i].second), noms_[i]);
    }
    disposition->addWidget(boiteNoms);

    auto* boiteCases = boite_(onglet, QT_TR_NOOP("Affichage"));
    auto* grilleCases = new QGridLayout(boiteCases);
    int n = 0;
    auto ajouteCase = [&](QCheckBox*& c, const QString& nom, const char* texte) {
        c = case_(boiteCases, nom, texte);
        grilleCases->addWidget(c, n / 2, n % 2);
        ++n;
    };
    ajouteCase(helpCard_, QStringLiteral("checkBoxHelpCard"), QT_TR_NOOP("Aide sur les cartes"));
    ajouteCase(animatedScores_, QStringLiteral("checkBoxAnimatedScores"), QT_TR_NOOP("Scores animés"));
    ajouteCase(useRightSpace_, QStringLiteral("checkBoxUseRightSpace"), QT_TR_NOOP("Utiliser l'espace à droite"));
    ajouteCase(coloredCard_, QStringLiteral("checkBoxColoredCard"), QT_TR_NOOP("Cartes colorées"));
    ajouteCase(randomNames_, QStringLiteral("checkBoxRandomNames"), QT_TR_NOOP("Noms aléatoires des ordinateurs"));
    ajouteCase(dealInverted_, QStringLiteral("checkBoxDealInverted"), QT_TR_NOOP("Donner dans l'autre sens"));
    ajouteCase(sounds_, QStringLiteral("checkBoxSounds"), QT_TR_NOOP("Sons"));
    ajouteCase(vibrate_, QStringLiteral("checkBoxVibrate"), QT_TR_NOOP("Vibrations"));
    ajouteCase(debug_, QStringLiteral("checkBoxDebug"), QT_TR_NOOP("Fonctions de débogage"));
    ramassageAuto_ = case_(boiteCases, QStringLiteral("checkBoxRamassageAuto"),
                                  QT_TR_NOOP("Ramassage automatique après"));
    delaiRamassage_ = new QDoubleSpinBox(boiteCases);
    delaiRamassage_->setObjectName(QStringLiteral("doubleSpinBoxRamassageDelay"));
    delaiRamassage_->setRange(0.0, OptionsAffichage::DELAI_RAMASSAGE_MAX / MS_PAR_SECONDE);
    delaiRamassage_->setDecimals(DECIMALES_SECONDES);
    delaiRamassage_->setSingleStep(PAS_SECONDES);
    connect(ramassageAuto_, &QCheckBox::toggled, delaiRamassage_, &QWidget::setEnabled);
    taillePolice_ = new QDoubleSpinBox(boiteCases);
    taillePolice_->setObjectName(QStringLiteral("doubleSpinBoxFontSize"));
    taillePolice_->setRange(OptionsAffichage::TAILLE_POLICE_MIN * POURCENT,
                            OptionsAffichage::TAILLE_POLICE_MAX * POURCENT);
    taillePolice_->setDecimals(0);
    taillePolice_->setSingleStep(PAS_POURCENT);
    taillePolice_->setSuffix(QStringLiteral(" %"));
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(ramassageAuto_);
    ligne->addWidget(delaiRamassage_);
    ligne->addSpacing(LARGEUR_NOMBRE);
    ligne->addWidget(etiquette_(boiteCases, QT_TR_NOOP("Taille du texte")));
    ligne->addWidget(taillePolice_);
    ligne->addStretch(1);
    const int rangee = (n + 1) / 2;
    grilleCases->addLayout(ligne, rangee, 0, 1, 2);
    disposition->addWidget(boiteCases);

    auto ajouteChoix = [&](QButtonGroup*& groupe, const QString& nomGroupe, const char* titre, int premier,
                           const QList<std::pair<QString, const char*>>& radios) {
        auto* boite = boite_(onglet, titre);
        auto* rangee = new QHBoxLayout(boite);
        groupe = groupe_(nomGroupe);
        for (int i = 0; i < radios.size(); ++i)
            ajouteRadio_(groupe, rangee, premier + i, radios.at(i).first, radios.at(i).second);
        rangee->addStretch(1);
        disposition->addWidget(boite);
    };
    ajouteChoix(qualite_, QStringLiteral("buttonGroupQualite"), QT_TR_NOOP("Qualité graphique"), OptionsAffichage::QUALITE_MIN,
                {{QStringLiteral("radioButtonQualLow"), QT_TR_NOOP("Basse")},
                 {QStringLiteral("radioButtonQualMedium"), QT_TR_NOOP("Moyenne")},
                 {QStringLiteral("radioButtonQualHigh"), QT_TR_NOOP("Haute")},
                 {QStringLiteral("radioButtonQualUltra"), QT_TR_NOOP("Ultra")}});
    ajouteChoix(styleCartes_, QStringLiteral("buttonGroupCardStyle"), QT_TR_NOOP("Cartes"), 0,
                {{QStringLiteral("radioButtonCardStyleRomand"), QT_TR_NOOP("Romandes")},
                 {QStringLiteral("radioButtonCardStyleSuisseA"), QT_TR_NOOP("Suisses allemandes")},
                 {QStringLiteral("radioButtonCardStyleInt"), QT_TR_NOOP("Internationales")},
                 {QStringLiteral("radioButtonCardStyleNapoli"), QT_TR_NOOP("Napolitaines")},
                 {QStringLiteral("radioButtonCardStyleFun1"), QT_TR_NOOP("Fun")}});
    ajouteChoix(styleApplication_, QStringLiteral("buttonGroupAppStyle"), QT_TR_NOOP("Thème"), 0,
                {{QStringLiteral("radioButtonAppStyleWood"), QT_TR_NOOP("Bois")},
                 {QStringLiteral("radioButtonAppStyleAlien"), QT_TR_NOOP("Alien")},
                 {QStringLiteral("radioButtonAppStyleRacing"), QT_TR_NOOP("Course")},
                 {QStringLiteral("radioButtonAppStyleCandy"), QT_TR_NOOP("Bonbon")},
                 {QStringLiteral("radioButtonAppStyleNature"), QT_TR_NOOP("Nature")}});
    ajouteChoix(langue_, QStringLiteral("buttonGroupLangue"), QT_TR_NOOP("Langue"), 0,
                {{QStringLiteral("radioButtonLangAuto"), QT_TR_NOOP("Automatique")},
                 {QStringLiteral("radioButtonLangFr"), "Français"},
                 {QStringLiteral("radioButtonLangEn"), "English"},
                 {QStringLiteral("radioButtonLangDe"), "Deutsch"},
                 {QStringLiteral("radioButtonLangIt"), "Italiano"}});
    disposition->addStretch(1);
    defile->setWidget(onglet);
    return defile;
}

QWidget* OptionsPartie::creeOngletSaisons_()
{
    auto* onglet = new QWidget;
    auto* grille = new QGridLayout(onglet);
    const std::array<std::pair<QString, const char*>, 4> noms{{
        {QStringLiteral("Winter"), QT_TR_NOOP("Hiver")},
        {QStringLiteral("Spring"), QT_TR_NOOP("Printemps")},
        {QStringLiteral("Summer"), QT_TR_NOOP("Eté")},
        {QStringLiteral("Autumn"), QT_TR_NOOP("Automne")},
    }};
    grille->addWidget(etiquette_(onglet, QT_TR_NOOP("Du")), 0, 1);
    grille->addWidget(etiquette_(onglet, QT_TR_NOOP("Au")), 0, 2);
    for (size_t i = 0; i < noms.size(); ++i) {
        Saison& s = saisons_[i];
        s.actif = case_(onglet, QStringLiteral("checkBox") + noms[i].first, noms[i].second);
        s.debut = new QDateEdit(onglet);
        s.debut->setObjectName(QStringLiteral("dateEdit%1Start").arg(noms[i].first));
        s.fin = new QDateEdit(onglet);
        s.fin->setObjectName(QStringLiteral("dateEdit%1End").arg(noms[i].first));
        for (QDateEdit* date : {s.debut, s.fin}) {
            // Day and month only: a period comes back every year.
            date->setDisplayFormat(QStringLiteral("d MMMM"));
            date->setDateRange(QDate(ANNEE_SAISONS, 1, 1), QDate(ANNEE_SAISONS, 12, 31));
            connect(s.actif, &QCheckBox::toggled, date, &QWidget::setEnabled);
        }
        const int ligne = int(i) + 1;
        grille->addWidget(s.actif, ligne, 0);
        grille->addWidget(s.debut, ligne, 1);
        grille->addWidget(s.fin, ligne, 2);
    }
    auto* explication = etiquette_(onglet, QT_TR_NOOP("Pendant une période cochée, la table se décore de la saison. Une période "
                                      "peut passer le Nouvel An, comme l'hiver."));
    explication->setWordWrap(true);
    grille->addWidget(explication, int(noms.size()) + 1, 0, 1, 4);
    grille->setRowStretch(int(noms.size()) + 2, 1);
    grille->setColumnStretch(3, 1);
    return onglet;
}

void OptionsPartie::coche_(QButtonGroup* groupe, int id, int parDefaut, const QString& champ, QStringList& bornes)
{
    QAbstractButton* bouton = groupe->button(id);
    if (bouton == nullptr) {
        bornes << champ;
        bouton = groupe->button(parDefaut);
    }
    if (bouton != nullptr)
        bouton->setChecked(true);
}

int OptionsPartie::choix_(const QButtonGroup* groupe, int parDefaut)
{
    const int id = groupe->checkedId();
    return id < 0 ? parDefaut : id;
}

void OptionsPartie::setOptions(const OptionsDePartie& partie, const OptionsAffichage& affichage)
{
    partie_ = partie;
    affichage_ = affichage;
    QStringList bornes;
    // What the records hold is said once, in the message line at the end.
    const QSignalBlocker silence(contrat_);

    coche_(presets_, partie.idPreset_, TypeDePartie::ID_PERSONALISE, tr("type de jeu"), bornes);
    // A mode the dialog does not offer (a new seed every deal) stays as it
    // is unless the user picks another.
    if (modeDeJeu_->button(partie.modeDeJeu_) != nullptr) {
        modeDeJeu_->button(partie.modeDeJeu_)->setChecked(true);
    } else if (QAbstractButton* coche = modeDeJeu_->checkedButton()) {
        modeDeJeu_->setExclusive(false);
        coche->setChecked(false);
        modeDeJeu_->setExclusive(true);
    }

    const TypeDePartie& type = partie.typeDePartie_;
    coche_(regles_, type.genre_, TypeDePartie::GenreJass, tr("règles"), bornes);
    coche_(contrat_, type.contrat_, TypeDePartie::ContratChibre, tr("contrat"), bornes);
    coche_(annonces_, type.annonces_, TypeDePartie::AnnoncesDesactivees, tr("annonces"), bornes);
    coche_(roiDame_, type.roiDame_, TypeDePartie::RoiDameStock, tr("roi et dame"), bornes);
    coche_(distribution_, type.distribution_, 0, tr("distribution"), bornes);
    coche_(decompte_, type.decompte_, TypeDePartie::DecompteFaits, tr("décompte"), bornes);
    borne(nbrPoints_, type.pointsObjectif_, tr("points"), bornes);
    borne(montantContrat_, type.montantContrat_, tr("montant du contrat"), bornes);
    borne(arrondi_, type.arrondi_, tr("arrondi"), bornes);
    sept_->setChecked(type.septAnnuleDonne_ != 0);
    huit_->setChecked(type.huitAnnuleAnnonces_ != 0);
    for (int mode = 1; mode < TypeDePartie::NOMBRE_MODES; ++mode) {
        const int m = type.multiplicateurs_[size_t(mode)];
        const bool permis = m >= MULTIPLICATEUR_MIN;
        modesPermis_[size_t(mode)]->setChecked(permis);
        multiplicateurs_[size_t(mode)]->setEnabled(permis);
        if (m != -1 && (m < MULTIPLICATEUR_MIN || m > MULTIPLICATEUR_MAX))
            bornes << getNomAtout(mode, STYLE_NOMS_ATOUTS);
        multiplicateurs_[size_t(mode)]->setValue(permis ? m : MULTIPLICATEUR_MIN);
    }
    bornes << aiAdversaires_->setOptions(partie.optionsAIAdversaires_);
    bornes << aiPartenaire_->setOptions(partie.optionsAIPartenaire_);

    for (int i = 0; i < OptionsAffichage::NOMBRE_NOMS; ++i) {
        const QString nom = i < affichage.noms_.size() ? affichage.noms_.at(i) : QString();
        if (nom.size() > NOM_LONGUEUR_MAX)
            bornes << tr("nom %1").arg(i + 1);
        noms_[size_t(i)]->setText(OptionsDuJoueur::nomLisible(nom).left(NOM_LONGUEUR_MAX));
    }
    helpCard_->setChecked(affichage.helpCard_);
    animatedScores_->setChecked(affichage.animatedScores_);
    useRightSpace_->setChecked(affichage.useRightSpace_);
    debug_->setChecked(affichage.debug_);
    randomNames_->setChecked(affichage.randomNames_);
    ramassageAuto_->setChecked(affichage.ramassageAuto_);
    delaiRamassage_->setEnabled(affichage.ramassageAuto_);
    coloredCard_->setChecked(affichage.coloredCard_);
    sounds_->setChecked(affichage.sounds_);
    dealInverted_->setChecked(affichage.dealInverted_);
    vibrate_->setChecked(affichage.vibrate_);
    coche_(qualite_, affichage.quality_, OptionsAffichage().quality_, tr("qualité"), bornes);
    coche_(styleCartes_, affichage.cardStyle_, OptionsAffichage().cardStyle_, tr("cartes"), bornes);
    coche_(styleApplication_, affichage.appStyle_, OptionsAffichage().appStyle_, tr("thème"), bornes);
    coche_(langue_, affichage.language_, 0, tr("langue"), bornes);
    borne(delaiRamassage_, affichage.ramassageDelay_ / MS_PAR_SECONDE, tr("délai de ramassage"), bornes);
    borne(taillePolice_, affichage.fontSize_ * POURCENT, tr("taille du texte"), bornes);

    const OptionsAffichage defauts;
    for (size_t i = 0; i < saisons_.size(); ++i) {
        const OptionsAffichage::Periode& p = affichage.saisons_[i];
        const OptionsAffichage::Periode& d = defauts.saisons_[i];
        Saison& s = saisons_[i];
        s.actif->setChecked(p.actif);
        s.debut->setDate(dateSaison(p.debut, d.debut, s.actif->text(), bornes));
        s.fin->setDate(dateSaison(p.fin, d.fin, s.actif->text(), bornes));
        s.debut->setEnabled(p.actif);
        s.fin->setEnabled(p.actif);
    }

    boiteRegles_->setEnabled(presets_->checkedId() == TypeDePartie::ID_PERSONALISE);
    if (metAJourTournoi_())
        bornes << tr("tournoi");
    bornes.removeDuplicates();
    if (bornes.isEmpty())
        afficheMessage_(QString(), false);
    else
        afficheMessage_(tr("Valeurs hors limites corrigées: %1.").arg(bornes.join(QStringLiteral(", "))), false);
}

TypeDePartie OptionsPartie::typeDePartie() const
{
    TypeDePartie t;
    t.defini_ = true;
    t.nom_ = tr("Personalisé");
    t.pointsObjectif_ = nbrPoints_->value();
    t.multiplicateurs_[0] = 0;
    for (int mode = 1; mode < TypeDePartie::NOMBRE_MODES; ++mode)
        t.multiplicateurs_[size_t(mode)] =
            modesPermis_[size_t(mode)]->isChecked() ? multiplicateurs_[size_t(mode)]->value() : -1;
    t.annonces_ = choix_(annonces_, TypeDePartie::AnnoncesDesactivees);
    t.roiDame_ = choix_(roiDame_, TypeDePartie::RoiDameStock);
    t.contrat_ = choix_(contrat_, TypeDePartie::ContratChibre);
    t.genre_ = choix_(regles_, TypeDePartie::GenreJass);
    t.montantContrat_ = montantContrat_->value();
    t.arrondi_ = arrondi_->value();
    t.distribution_ = choix_(distribution_, 0);
    t.decompte_ = choix_(decompte_, TypeDePartie::DecompteFaits);
    t.septAnnuleDonne_ = sept_->isChecked() ? 1 : 0;
    t.huitAnnuleAnnonces_ = huit_->isChecked() ? 1 : 0;
    const bool tournoi = modeDeJeu_->checkedId() == OptionsDePartie::ModeTournoi;
    t.atoutAutomatique_ = tournoi && t.atoutChoisiParLesSieges() ? 1 : 0;
    t.atoutImpose_ = false;
    return t;
}

bool OptionsPartie::construit(OptionsDePartie& partie, OptionsAffichage& affichage, QString* erreur) const
{
    auto refuse = [erreur](const QString& raison) {
        if (erreur != nullptr)
            *erreur = raison;
        return false;
    };

    OptionsAffichage a = affichage_;
    a.noms_.clear();
    for (size_t i = 0; i < noms_.size(); ++i) {
        const QString nom =
            GM_SpacesSeparatedString::sanitizeFreeText(noms_[i]->text()).simplified().left(NOM_LONGUEUR_MAX);
        if (nom.isEmpty()) {
            const QLabel* etiquette = nullptr;
            if (auto* forme = qobject_cast<QFormLayout*>(noms_[i]->parentWidget()->layout()))
                etiquette = qobject_cast<QLabel*>(forme->labelForField(noms_[i]));
            return refuse(tr("Le nom '%1' ne peut pas être vide.")
                              .arg(etiquette != nullptr ? etiquette->text() : QString::number(i + 1)));
        }
        a.noms_ << OptionsDuJoueur::nomGarde(nom);
    }
    for (size_t i = 0; i < saisons_.size(); ++i) {
        const Saison& s = saisons_[i];
        if (s.actif->isChecked() && s.debut->date() == s.fin->date())
            return refuse(tr("La période '%1' commence et finit le même jour: elle ne compte aucun jour.")
                              .arg(s.actif->text()));
        a.saisons_[i].actif = s.actif->isChecked();
        a.saisons_[i].debut = s.debut->date().toString(Qt::ISODate);
        a.saisons_[i].fin = s.fin->date().toString(Qt::ISODate);
    }
    a.helpCard_ = helpCard_->isChecked();
    a.animatedScores_ = animatedScores_->isChecked();
    a.useRightSpace_ = useRightSpace_->isChecked();
    a.debug_ = debug_->isChecked();
    a.randomNames_ = randomNames_->isChecked();
    a.ramassageAuto_ = ramassageAuto_->isChecked();
    a.ramassageDelay_ = static_cast<int>(std::lround(delaiRamassage_->value() * MS_PAR_SECONDE));
    a.coloredCard_ = coloredCard_->isChecked();
    a.sounds_ = sounds_->isChecked();
    a.dealInverted_ = dealInverted_->isChecked();
    a.vibrate_ = vibrate_->isChecked();
    a.quality_ = choix_(qualite_, a.quality_);
    a.cardStyle_ = choix_(styleCartes_, a.cardStyle_);
    a.appStyle_ = choix_(styleApplication_, a.appStyle_);
    a.language_ = choix_(langue_, a.language_);
    a.fontSize_ = taillePolice_->value() / POURCENT;

    OptionsDePartie p = partie_;
    p.idPreset_ = choix_(presets_, TypeDePartie::ID_PERSONALISE);
    p.typeDePartie_ = typeDePartie();
    p.modeDeJeu_ = choix_(modeDeJeu_, partie_.modeDeJeu_);
    // The widgets never leave a tournament chosen where the table cannot
    // impose the trump; a check set by code is read the same way.
    if (p.modeDeJeu_ == OptionsDePartie::ModeTournoi && !tournoiPossible_())
        p.modeDeJeu_ = OptionsDePartie::ModeStandart;
    // The table imposes trumps only from the custom type: a tournament of
    // another type plays that type's rules as the custom type, with its
    // trumps imposed, rather than as an ordinary match, and counted by its
    // deals as the tournament presets are, so that the slate shows the
    // deals left.
    if (p.modeDeJeu_ == OptionsDePartie::ModeTournoi && p.idPreset_ != TypeDePartie::ID_PERSONALISE) {
        const TypeDePartie& choisi = TypeDePartie::getTypeDePartie(p.idPreset_);
        if (choisi.atoutAutomatique_ == 0) {
            p.typeDePartie_ = choisi;
            p.typeDePartie_.atoutAutomatique_ = 1;
            p.typeDePartie_.pointsObjectif_ = TypeDePartie::OBJECTIF_SANS_FIN;
            p.idPreset_ = TypeDePartie::ID_PERSONALISE;
        }
    }
    p.optionsAIAdversaires_ = aiAdversaires_->options();
    p.optionsAIPartenaire_ = aiPartenaire_->options();
    // The kind of the rules that will be played: the custom type's, or the
    // preset's.
    p.genre_ = static_cast<quint8>(p.idPreset_ == TypeDePartie::ID_PERSONALISE
                                       ? p.typeDePartie_.genre_
                                       : TypeDePartie::getTypeDePartie(p.idPreset_).genre_);
    p.charge_ = 1;

    partie = p;
    affichage = a;
    return true;
}

QString OptionsPartie::message() const
{
    return message_->isHidden() ? QString() : message_->text();
}

void OptionsPartie::afficheMessage_(const QString& texte, bool erreur)
{
    message_->setText(texte);
    message_->setStyleSheet(QStringLiteral("color: %1;")
                                .arg(QLatin1String(erreur ? COULEUR_ERREUR : COULEUR_AVERTISSEMENT)));
    message_->setVisible(!texte.isEmpty());
}

void OptionsPartie::OnPresetChoisi(int id)
{
    boiteRegles_->setEnabled(id == TypeDePartie::ID_PERSONALISE);
    OnReglesChangees();
}

void OptionsPartie::OnReglesChangees()
{
    if (metAJourTournoi_())
        afficheMessage_(tr("Ce type de jeu ne se joue pas en tournoi: la partie standard est choisie."), false);
}

bool OptionsPartie::tournoiPossible_() const
{
    const int preset = presets_->checkedId();
    if (preset >= 0 && preset != TypeDePartie::ID_PERSONALISE)
        return TypeDePartie::getTypeDePartie(preset).atoutChoisiParLesSieges();
    return choix_(contrat_, TypeDePartie::ContratChibre) == TypeDePartie::ContratChibre;
}

bool OptionsPartie::metAJourTournoi_()
{
    QAbstractButton* tournoi = modeDeJeu_->button(OptionsDePartie::ModeTournoi);
    const bool possible = tournoiPossible_();
    tournoi->setEnabled(possible);
    tournoi->setToolTip(possible ? tr("La table impose tour à tour chaque atout permis; la partie se termine quand "
                                      "il n'en reste plus (ou plus tôt, aux points du type Personalisé).")
                                 : tr("Seul un jeu où l'on choisit l'atout (contrat Chibre) se joue en tournoi: "
                                      "ici, l'atout se gagne aux enchères."));
    if (possible || !tournoi->isChecked())
        return false;
    modeDeJeu_->button(OptionsDePartie::ModeStandart)->setChecked(true);
    return true;
}

void OptionsPartie::OnAccepte()
{
    OptionsDePartie partie;
    OptionsAffichage affichage;
    QString erreur;
    if (!construit(partie, affichage, &erreur)) {
        afficheMessage_(erreur, true);
        return;
    }
    partie_ = partie;
    affichage_ = affichage;
    afficheMessage_(QString(), false);
    hide();
    emit signalOptionsAccepted(partie, affichage);
}

void OptionsPartie::OnRefuse()
{
    // The widgets go back to what was given, for the next opening.
    setOptions(partie_, affichage_);
    hide();
    emit signalOptionsRejected();
}
