#include "OptionsDuJoueur.h"

#include "GM_SpacesSeparatedString.h"

#include <QCoreApplication>
#include <QObject>
#include <QRandomGenerator>
#include <QTime>

#include <algorithm>

OptionsDuJoueur::OptionsDuJoueur()
    : id_(genereId())
{
}

OptionsDuJoueur::~OptionsDuJoueur() = default;

void OptionsDuJoueur::chargeValeursDepuisString(const QString& text)
{
    GM_SpacesSeparatedString s(text);
    litChamps(s);
}

void OptionsDuJoueur::litChamps(GM_SpacesSeparatedString& s)
{
    // Sanitised as when writing, so that a name read from a peer is the one
    // this record will write and read back.
    nom_ = GM_SpacesSeparatedString::sanitizeFreeText(s.nextString());
    drapeau1_ = s.nextBool();
    distant_ = s.nextInt();
    ordinateur_ = s.nextInt();
    s.nextInt(); // format number, always 1
    id_ = s.nextLongLong();
    idCompte_ = s.nextLongLong();
    if (s.hasOptionalField())
        s.nextRecord(optionsAI_);
}

QString OptionsDuJoueur::sauveValeursDansString() const
{
    GM_SpacesSeparatedString s;
    ecritChamps(s);
    return s.getString();
}

void OptionsDuJoueur::ecritChamps(GM_SpacesSeparatedString& s) const
{
    // Names come from users and peers: keep them from breaking the record.
    s.addString(GM_SpacesSeparatedString::sanitizeFreeText(nom_));
    s.addBool(drapeau1_);
    s.addInt(distant_);
    s.addInt(ordinateur_);
    s.addInt(1);
    s.addLongLong(id_);
    s.addLongLong(idCompte_);
    s.addRecord(optionsAI_);
}

qint64 OptionsDuJoueur::genereId()
{
    const quint64 r1 = QRandomGenerator::system()->generate();
    const quint64 r2 = QRandomGenerator::system()->generate();
    const qint64 msDepuisMinuit = QTime::currentTime().msecsSinceStartOfDay();
    const quint64 id = ((r2 % 0xFFFFFFFFull) << 31) + quint64(msDepuisMinuit) + ((r1 % 255u) << 8)
        + quint64(QCoreApplication::applicationPid());
    return qint64(id);
}

QString OptionsDuJoueur::nomLisible(const QString& nom)
{
    return nom == QLatin1String(NOM_PARTENAIRE) ? QObject::tr(NOM_PARTENAIRE) : nom;
}

QString OptionsDuJoueur::nomGarde(const QString& lu)
{
    return lu == QObject::tr(NOM_PARTENAIRE) ? QString::fromUtf8(NOM_PARTENAIRE) : lu;
}

QString OptionsDuJoueur::nomBorne(const QString& nom, int max)
{
    if (nom.size() <= max)
        return nom;
    // One character fewer for the ellipsis, and never half a surrogate pair.
    qsizetype garde = std::max(1, max - 1);
    if (garde > 1 && nom.at(garde - 1).isHighSurrogate())
        --garde;
    return nom.left(garde) + QChar(0x2026);
}

QString OptionsDuJoueur::isole(const QString& texte)
{
    constexpr char16_t Fsi = 0x2068;
    constexpr char16_t Pdi = 0x2069;
    QString isole(1, QChar(Fsi));
    isole.reserve(texte.size() + 2);
    int ouverts = 0;
    for (const QChar c : texte) {
        if (c.unicode() >= 0x2066 && c.unicode() <= Fsi) {
            ++ouverts;
        } else if (c.unicode() == Pdi) {
            if (ouverts == 0)
                continue;
            --ouverts;
        }
        isole += c;
    }
    return isole + QString(ouverts + 1, QChar(Pdi));
}

QString OptionsDuJoueur::getNomAffiche(bool forceSuffix) const
{
    const QString nom = isole(ordinateur_ != 0 ? nomLisible(nomBorne(nom_)) : nomBorne(nom_));
    if (ordinateur_ != 0)
        return (distant_ != 0 || forceSuffix) ? nom + QObject::tr(" (ordi)") : nom;
    if (distant_ != 0)
        return nom + QObject::tr(" (joueur)");
    if (nom_.isEmpty())
        return QObject::tr("Vous");
    return nom + QObject::tr(" (vous)");
}
