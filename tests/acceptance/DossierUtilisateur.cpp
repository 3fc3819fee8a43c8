#include "DossierUtilisateur.h"

#include "OptionsAffichage.h"
#include "OptionsDePartie.h"
#include "TypeDePartie.h"

#include <QDataStream>
#include <QDir>
#include <QRect>
#include <QSettings>

namespace {

// The same store the program opens: organisation and product "Zubrik", in
// the configuration folder of XDG_CONFIG_HOME.
constexpr const char* NOM = "Zubrik";
constexpr int LANGUE_ANGLAIS = 2;
constexpr int PRESET_JASS = 0;           // "Suisse romand"
constexpr int PRESET_CONTREE = 8;        // "Belote Contrée"
constexpr int PRESET_CLASSIQUE = 6;      // "Belote Classique": a take on a turned card
constexpr int DELAI_RAMASSAGE_MS = 250;  // the shortest a person still sees

// The window's place as QWidget::saveGeometry writes it (format 3.0): the
// program restores it at start, as it does the user's last window.
QByteArray geometrie(const QSize& taille)
{
    QByteArray octets;
    QDataStream out(&octets, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_4_0);
    const QRect r(QPoint(0, 0), taille);
    out << quint32(0x1D9D0CB) << quint16(3) << quint16(0);
    auto rect = [&out](const QRect& q) { out << qint32(q.left()) << qint32(q.top()) << qint32(q.right()) << qint32(q.bottom()); };
    rect(r);          // frame
    rect(r);          // normal geometry
    out << qint32(0); // screen
    out << quint8(0) << quint8(0);
    out << qint32(taille.width());
    rect(r);          // the geometry itself
    return octets;
}

} // namespace

DossierUtilisateur::DossierUtilisateur()
    : dossier_(QDir::tempPath() + QStringLiteral("/zubrik-acceptance-XXXXXX"))
{
}

QString DossierUtilisateur::donnees() const
{
    return racine() + QStringLiteral("/data/%1/%1").arg(QLatin1String(NOM));
}

QString DossierUtilisateur::autosave() const
{
    return donnees() + QStringLiteral("/autosave.jss");
}

QString DossierUtilisateur::reglages() const
{
    return racine() + QStringLiteral("/config/%1/%1.conf").arg(QLatin1String(NOM));
}

QStringList DossierUtilisateur::environnement() const
{
    return {QStringLiteral("HOME=") + racine(), QStringLiteral("XDG_CONFIG_HOME=") + racine() + QStringLiteral("/config"),
            QStringLiteral("XDG_DATA_HOME=") + racine() + QStringLiteral("/data"),
            QStringLiteral("XDG_CACHE_HOME=") + racine() + QStringLiteral("/cache"),
            QStringLiteral("XDG_RUNTIME_DIR=") + racine() + QStringLiteral("/run")};
}

bool DossierUtilisateur::prepare(const Reglages& reglages, QString* erreur)
{
    for (const char* sous : {"/config", "/data", "/cache", "/run"})
        QDir().mkpath(racine() + QLatin1String(sous));
    QFile::setPermissions(racine() + QStringLiteral("/run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                                 | QFileDevice::ExeOwner);
    QDir().mkpath(donnees());

    // The game: the preset's rules as the user's own type, with a short
    // target; no announcements, so that no bubble lies over the cloth.
    const int genre = reglages.jeu == Jass ? TypeDePartie::GenreJass : TypeDePartie::GenreBelote;
    TypeDePartie::initTypesDePartie(genre, true);
    OptionsDePartie partie(genre);
    if (!reglages.typeParDefaut) {
        partie.idPreset_ = TypeDePartie::ID_PERSONALISE;
        partie.typeDePartie_ = TypeDePartie::getTypeDePartie(
            reglages.jeu == Jass ? PRESET_JASS : (reglages.jeu == BeloteContree ? PRESET_CONTREE : PRESET_CLASSIQUE));
        partie.typeDePartie_.pointsObjectif_ = reglages.objectif;
        partie.typeDePartie_.annonces_ = TypeDePartie::AnnoncesDesactivees;
        if (reglages.tournoi) {
            partie.modeDeJeu_ = OptionsDePartie::ModeTournoi;
            partie.typeDePartie_.atoutAutomatique_ = 1;
        }
    }
    partie.delaiReponse_ = reglages.delaiTour;
    for (OptionsAI* ia : {&partie.optionsAIAdversaires_, &partie.optionsAIPartenaire_})
        ia->nbrCombinations_ = reglages.combinaisonsIA;

    OptionsAffichage affichage;
    affichage.noms_ = QStringList{QStringLiteral("Est"), QStringLiteral("Nord"), QStringLiteral("Ouest")};
    affichage.randomNames_ = false;
    affichage.language_ = LANGUE_ANGLAIS;
    affichage.sounds_ = false;
    affichage.appStyle_ = reglages.theme;
    affichage.ramassageAuto_ = true;
    affichage.ramassageDelay_ = DELAI_RAMASSAGE_MS;
    for (OptionsAffichage::Periode& saison : affichage.saisons_)
        saison.actif = false;
    affichage.helpCard_ = !reglages.accueil || reglages.aideAvecAccueil;
    affichage.coloredCard_ = affichage.helpCard_;

    QSettings store(this->reglages(), QSettings::IniFormat);
    store.setValue(QStringLiteral("Tutorial/done"), !reglages.accueil);
    if (!reglages.accueil)
        store.setValue(QStringLiteral("Tutorial/choice"), 0);
    store.setValue(QStringLiteral("AppStyle/theme"), reglages.theme);
    store.setValue(QStringLiteral("CardStyle/style"), affichage.cardStyle_);
    store.setValue(QStringLiteral("Display/options"), affichage.sauveValeursDansString());
    store.setValue(QStringLiteral("Display/geometry"), geometrie(reglages.fenetre));
    store.setValue(QStringLiteral("Game/options"), partie.sauveValeursDansString());
    if (!reglages.nomDeJeu.isEmpty())
        store.setValue(QStringLiteral("Game/playerName"), reglages.nomDeJeu);
    store.sync();
    if (store.status() != QSettings::NoError) {
        *erreur = QStringLiteral("The settings could not be written to %1").arg(store.fileName());
        return false;
    }
    return true;
}
