#include "ZB_SettingsStore.h"

#include "GM_Exception.h"
#include "GM_FichierRegulier.h"
#include "OptionsAffichage.h"
#include "OptionsDePartie.h"
#include "TypeDePartie.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

const QLatin1String cleOptions("options");
const QLatin1String cleGeometrie("geometry");
const QLatin1String cleStyle("style");
const QLatin1String cleTheme("theme");
const QLatin1String cleStyleWidgets("widgetStyle");
const QLatin1String cleTermine("done");
const QLatin1String cleChoix("choice");
const QLatin1String cleContact("contact");
const QLatin1String cleNomDeJeu("playerName");
const QLatin1String cleDernier("lastReport");
const QLatin1String cleNombre("count");
const QLatin1String cleMotDePasse("pass");

constexpr int AUCUN_CHOIX = -1;
// A style name or an address longer than this was not typed by a person.
constexpr int TEXTE_MAX = 256;

QString cle(const char* groupe, QLatin1String nom)
{
    return QLatin1String(groupe) + QLatin1Char('/') + nom;
}

// Only a value stored as text (or as a number) reads as a number; anything
// else, or text that is no whole number, is absent.
bool entier(const QVariant& v, int& resultat)
{
    if (!v.isValid() || v.typeId() == QMetaType::QStringList || v.typeId() == QMetaType::QVariantList)
        return false;
    bool ok = false;
    const int n = v.toString().trimmed().toInt(&ok);
    if (ok)
        resultat = n;
    return ok;
}

int entierBorne(const QSettings& s, const QString& c, int min, int max, int defaut)
{
    int n = defaut;
    if (!entier(s.value(c), n))
        return defaut;
    return std::clamp(n, min, max);
}

bool booleen(const QSettings& s, const QString& c, bool defaut)
{
    const QVariant v = s.value(c);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    const QString t = v.toString().trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("1"))
        return true;
    if (t == QLatin1String("false") || t == QLatin1String("0"))
        return false;
    return defaut;
}

QString texte(const QSettings& s, const QString& c)
{
    const QVariant v = s.value(c);
    if (v.typeId() != QMetaType::QString)
        return QString();
    const QString t = v.toString();
    return t.size() > TEXTE_MAX ? QString() : t;
}

// Reads text into a fresh copy of record; the caller's record changes only
// when the whole text was accepted.
template <typename Record, typename Valide>
bool litRecord(const QString& texteStocke, Record& record, QString* erreur, Valide valide)
{
    Record lu = record;
    try {
        lu.chargeValeursDepuisString(texteStocke);
    } catch (const GM_Exception& e) {
        if (erreur != nullptr)
            *erreur = e.getMessage();
        return false;
    }
    if (!valide(lu, erreur))
        return false;
    record = lu;
    return true;
}

// The game options the table can play: a known preset, a kind and a mode
// it knows; the answer time is brought into its range.
bool partieValide(OptionsDePartie& o, QString* erreur)
{
    auto refuse = [erreur](const QString& raison) {
        if (erreur != nullptr)
            *erreur = raison;
        return false;
    };
    if (o.genre_ != TypeDePartie::GenreJass && o.genre_ != TypeDePartie::GenreBelote)
        return refuse(QStringLiteral("Unknown game kind %1.").arg(o.genre_));
    if (o.modeDeJeu_ < OptionsDePartie::ModeStandart || o.modeDeJeu_ > ZB_SettingsStore::MODE_DE_JEU_MAX)
        return refuse(QStringLiteral("Unknown game mode %1.").arg(o.modeDeJeu_));
    if (o.idPreset_ < 0 || o.idPreset_ > ZB_SettingsStore::PRESET_MAX)
        return refuse(QStringLiteral("Unknown game type %1.").arg(o.idPreset_));
    // Only the custom type depends on the kind, so the presets need not be
    // rebuilt (a game may be running on them).
    if (o.idPreset_ != TypeDePartie::ID_PERSONALISE && !TypeDePartie::getTypeDePartie(o.idPreset_).defini_)
        return refuse(QStringLiteral("Unknown game type %1.").arg(o.idPreset_));
    if (!(o.delaiReponse_ >= ZB_SettingsStore::DELAI_REPONSE_MIN))
        o.delaiReponse_ = ZB_SettingsStore::DELAI_REPONSE_MIN;
    o.delaiReponse_ = std::min(o.delaiReponse_, ZB_SettingsStore::DELAI_REPONSE_MAX);
    return true;
}

bool affichageValide(OptionsAffichage&, QString*)
{
    return true;
}

} // namespace

ZB_SettingsStore::ZB_SettingsStore(QSettings& settings)
    : settings_(settings)
{
}

std::unique_ptr<QSettings> ZB_SettingsStore::ouvreStore()
{
    // The store reads its file as it opens, and writes where it read: what
    // is not a regular file goes first (a pipe would even block the read).
    // The path is the native format's on this system.
    const QString organisation = QCoreApplication::organizationName().isEmpty()
        ? QStringLiteral("Unknown Organization")
        : QCoreApplication::organizationName();
    const QDir configuration(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    const QString fichier =
        configuration.filePath(organisation + QLatin1Char('/') + QCoreApplication::applicationName() + QStringLiteral(".conf"));
    GM_FichierRegulier::ecarte(fichier);
    // The store takes a lock file beside it as it writes, and reads one it
    // finds there: a pipe would hold the quit.
    GM_FichierRegulier::ecarte(fichier + QStringLiteral(".lock"));
    // The organisation's file, which the store falls back on, is only read:
    // a link to a regular file stays, anything that could block goes.
    const QString commun = configuration.filePath(organisation + QStringLiteral(".conf"));
    const QFileInfo entree(commun);
    if ((entree.exists() || entree.isSymLink()) && !entree.isFile())
        GM_FichierRegulier::ecarte(commun);
    return std::make_unique<QSettings>();
}

bool ZB_SettingsStore::litOptionsAffichage(OptionsAffichage& options, QString* erreur) const
{
    const QString c = cle(GROUPE_AFFICHAGE, cleOptions);
    bool ok = true;
    const QVariant v = settings_.value(c);
    if (v.isValid()) {
        if (v.typeId() != QMetaType::QString) {
            ok = false;
            if (erreur != nullptr)
                *erreur = QStringLiteral("%1 is not a text.").arg(c);
        } else {
            ok = litRecord(v.toString(), options, erreur, affichageValide);
        }
    }
    // The styles' own groups win: they are written with every change of
    // either, and survive a refused record.
    options.cardStyle_ = styleCartes(options.cardStyle_);
    options.appStyle_ = theme(options.appStyle_);
    return ok;
}

bool ZB_SettingsStore::ecritOptionsAffichage(const OptionsAffichage& options, QString* erreur)
{
    OptionsAffichage relu;
    if (!litRecord(options.sauveValeursDansString(), relu, erreur, affichageValide))
        return false;
    const QString texteEcrit = relu.sauveValeursDansString();
    settings_.setValue(cle(GROUPE_AFFICHAGE, cleOptions), texteEcrit);
    settings_.setValue(cle(GROUPE_STYLE_CARTES, cleStyle), relu.cardStyle_);
    settings_.setValue(cle(GROUPE_STYLE_APPLICATION, cleTheme), relu.appStyle_);
    return synchronise(erreur) && verifieEcrit_(cle(GROUPE_AFFICHAGE, cleOptions), texteEcrit, erreur);
}

bool ZB_SettingsStore::litOptionsDePartie(OptionsDePartie& options, QString* erreur) const
{
    const QString c = cle(GROUPE_PARTIE, cleOptions);
    const QVariant v = settings_.value(c);
    if (!v.isValid())
        return true;
    if (v.typeId() != QMetaType::QString) {
        if (erreur != nullptr)
            *erreur = QStringLiteral("%1 is not a text.").arg(c);
        return false;
    }
    return litRecord(v.toString(), options, erreur, partieValide);
}

bool ZB_SettingsStore::ecritOptionsDePartie(const OptionsDePartie& options, QString* erreur)
{
    OptionsDePartie relu(options);
    if (!litRecord(options.sauveValeursDansString(), relu, erreur, partieValide))
        return false;
    const QString texteEcrit = relu.sauveValeursDansString();
    settings_.setValue(cle(GROUPE_PARTIE, cleOptions), texteEcrit);
    return synchronise(erreur) && verifieEcrit_(cle(GROUPE_PARTIE, cleOptions), texteEcrit, erreur);
}

int ZB_SettingsStore::styleCartes(int defaut) const
{
    return entierBorne(settings_, cle(GROUPE_STYLE_CARTES, cleStyle), 0, OptionsAffichage::STYLE_CARTES_MAX, defaut);
}

void ZB_SettingsStore::setStyleCartes(int style)
{
    settings_.setValue(cle(GROUPE_STYLE_CARTES, cleStyle), std::clamp(style, 0, OptionsAffichage::STYLE_CARTES_MAX));
}

int ZB_SettingsStore::theme(int defaut) const
{
    return entierBorne(settings_, cle(GROUPE_STYLE_APPLICATION, cleTheme), 0,
                       OptionsAffichage::STYLE_APPLICATION_MAX, defaut);
}

QString ZB_SettingsStore::styleWidgets() const
{
    return texte(settings_, cle(GROUPE_STYLE_APPLICATION, cleStyleWidgets));
}

void ZB_SettingsStore::setStyleWidgets(const QString& nom)
{
    settings_.setValue(cle(GROUPE_STYLE_APPLICATION, cleStyleWidgets), nom.left(TEXTE_MAX));
}

QByteArray ZB_SettingsStore::geometrie() const
{
    const QVariant v = settings_.value(cle(GROUPE_AFFICHAGE, cleGeometrie));
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : QByteArray();
}

void ZB_SettingsStore::setGeometrie(const QByteArray& geometrie)
{
    settings_.setValue(cle(GROUPE_AFFICHAGE, cleGeometrie), geometrie);
}

QRect ZB_SettingsStore::fenetreDansEcran(const QByteArray& geometrie, const QRect& disponible, const QSize& parDefaut,
                                        bool* maximisee)
{
    // QWidget::saveGeometry's layout, version 3: magic, major, minor, frame
    // rectangle, normal rectangle, screen number, maximised, full screen,
    // screen width, inner rectangle.
    constexpr quint32 MAGIQUE = 0x1D9D0CB;
    constexpr quint16 VERSION = 3;
    QRect lue;
    bool agrandie = false;
    {
        QDataStream in(geometrie);
        in.setVersion(QDataStream::Qt_4_0);
        quint32 magique = 0;
        quint16 majeure = 0;
        quint16 mineure = 0;
        QRect cadre;
        QRect normale;
        qint32 ecran = 0;
        quint8 max = 0;
        quint8 plein = 0;
        qint32 largeurEcran = 0;
        QRect interieure;
        in >> magique >> majeure >> mineure >> cadre >> normale >> ecran >> max >> plein >> largeurEcran >> interieure;
        if (in.status() == QDataStream::Ok && magique == MAGIQUE && majeure == VERSION) {
            agrandie = max != 0;
            lue = agrandie || plein != 0 ? normale : interieure;
        }
    }
    // A rectangle whose size does not fit an int (its edges far apart) is
    // no saved window.
    const qint64 largeur = qint64(lue.right()) - lue.left() + 1;
    const qint64 hauteur = qint64(lue.bottom()) - lue.top() + 1;
    if (largeur <= 0 || hauteur <= 0 || largeur > INT_MAX || hauteur > INT_MAX)
        lue = QRect();
    if (maximisee)
        *maximisee = agrandie && lue.isValid();
    const QRect libre = disponible.isValid() ? disponible : QRect(QPoint(0, 0), parDefaut);
    QRect r = lue.isValid() ? lue : QRect(QPoint(0, 0), parDefaut);
    r.setSize(r.size()
                  .expandedTo(QSize(LARGEUR_FENETRE_MIN, HAUTEUR_FENETRE_MIN))
                  .boundedTo(libre.size())
                  .expandedTo(QSize(1, 1)));
    if (!lue.isValid())
        r.moveCenter(libre.center());
    r.moveLeft(std::clamp(r.left(), libre.left(), libre.right() + 1 - r.width()));
    r.moveTop(std::clamp(r.top(), libre.top(), libre.bottom() + 1 - r.height()));
    return r;
}

bool ZB_SettingsStore::tutorielTermine() const
{
    return booleen(settings_, cle(GROUPE_TUTORIEL, cleTermine), false);
}

int ZB_SettingsStore::choixTutoriel() const
{
    int n = AUCUN_CHOIX;
    return entier(settings_.value(cle(GROUPE_TUTORIEL, cleChoix)), n) && n >= 0 ? n : AUCUN_CHOIX;
}

void ZB_SettingsStore::setTutoriel(bool termine, int choix)
{
    settings_.setValue(cle(GROUPE_TUTORIEL, cleTermine), termine);
    settings_.setValue(cle(GROUPE_TUTORIEL, cleChoix), choix < 0 ? AUCUN_CHOIX : choix);
}

QString ZB_SettingsStore::nomDeJeu() const
{
    return texte(settings_, cle(GROUPE_PARTIE, cleNomDeJeu));
}

void ZB_SettingsStore::setNomDeJeu(const QString& nom)
{
    settings_.setValue(cle(GROUPE_PARTIE, cleNomDeJeu), nom.left(TEXTE_MAX));
}

QString ZB_SettingsStore::contactRapport() const
{
    return texte(settings_, cle(GROUPE_RAPPORTS, cleContact));
}

void ZB_SettingsStore::setContactRapport(const QString& contact)
{
    settings_.setValue(cle(GROUPE_RAPPORTS, cleContact), contact.left(TEXTE_MAX));
}

QString ZB_SettingsStore::dernierRapport() const
{
    return settings_.value(cle(GROUPE_RAPPORTS, cleDernier)).toString();
}

int ZB_SettingsStore::nombreDeRapports() const
{
    int n = 0;
    return entier(settings_.value(cle(GROUPE_RAPPORTS, cleNombre)), n) && n > 0 ? n : 0;
}

void ZB_SettingsStore::noteRapport(const QString& chemin)
{
    const int n = nombreDeRapports();
    settings_.setValue(cle(GROUPE_RAPPORTS, cleDernier), chemin);
    settings_.setValue(cle(GROUPE_RAPPORTS, cleNombre), n < INT_MAX ? n + 1 : n);
}

bool ZB_SettingsStore::estSecret(const QString& c)
{
    // Any password kept under the login group, at any depth.
    const QStringList parties = c.split(QLatin1Char('/'));
    return parties.size() >= 2 && parties.first().compare(QLatin1String(GROUPE_LOGIN), Qt::CaseInsensitive) == 0
        && parties.last().startsWith(cleMotDePasse, Qt::CaseInsensitive);
}

QList<QPair<QString, QString>> ZB_SettingsStore::copieSansSecrets() const
{
    QList<QPair<QString, QString>> copie;
    QStringList cles = settings_.allKeys();
    cles.sort();
    for (const QString& c : cles) {
        if (estSecret(c))
            continue;
        const QVariant v = settings_.value(c);
        QString t;
        switch (v.typeId()) {
        case QMetaType::QByteArray:
            t = QStringLiteral("@ByteArray(") + QString::fromLatin1(v.toByteArray().toBase64()) + QLatin1Char(')');
            break;
        case QMetaType::QStringList:
            t = v.toStringList().join(QLatin1String(", "));
            break;
        default:
            t = v.toString();
        }
        copie.append({c, t});
    }
    return copie;
}

bool ZB_SettingsStore::synchronise(QString* erreur)
{
    settings_.sync();
    // A format error only says that the file read at opening was damaged:
    // the store writes it afresh.
    if (settings_.status() != QSettings::AccessError)
        return true;
    if (erreur != nullptr)
        *erreur = QStringLiteral("The settings could not be written to %1.").arg(settings_.fileName());
    return false;
}

bool ZB_SettingsStore::verifieEcrit_(const QString& c, const QString& texteEcrit, QString* erreur) const
{
    // The status of a store keeps its first error, and every store object
    // of this process on the same file shares what it has in memory: only
    // a copy of the file, read afresh, tells whether this save reached the
    // disk. A store that is no file (the Windows registry) has only its
    // status to tell.
#ifdef Q_OS_WIN
    if (settings_.format() == QSettings::NativeFormat)
        return true;
#endif
    const QString fichier = settings_.fileName();
    bool ok = false;
    QTemporaryDir dossier;
    const QString copie = dossier.filePath(QStringLiteral("copy.ini"));
    if (dossier.isValid() && QFileInfo(fichier).isFile() && QFile::copy(fichier, copie)) {
        const QSettings relu(copie, settings_.format());
        ok = relu.value(c).toString() == texteEcrit;
    }
    if (!ok && erreur != nullptr)
        *erreur = QStringLiteral("The settings could not be written to %1.").arg(fichier);
    return ok;
}
