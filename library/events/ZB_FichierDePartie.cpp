#include "ZB_FichierDePartie.h"

#include "GM.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_ExceptionFileTooOld.h"
#include "GM_KnuthRandom.h"
#include "GM_MessageBoxEmitter.h"
#include "ListeDesEvenements.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>

#include <limits>
#include <optional>

namespace {

constexpr QChar MarqueOrdreOctets(0xFEFF);

// The version of a block, none when its line is not a decimal number.
std::optional<int> versionDe(const QString& ligne)
{
    bool ok = false;
    const int version = ligne.toInt(&ok, 10);
    return ok ? std::optional<int>(version) : std::nullopt;
}

// Tables kept as plain line lists, for callers without a room.
class DestinationListes : public ZB_FichierDePartie::Destination
{
public:
    DestinationListes(QList<QStringList>& tables, bool* multi) : tables_(tables), multi_(multi) {}

    void recreeTables(int n, quint64) override
    {
        tables_ = QList<QStringList>(n);
        if (multi_)
            *multi_ = true;
    }
    int getNombreDeTables() const override { return static_cast<int>(tables_.size()); }
    bool chargeTable(int noTable, QTextStream& in, int* nombreDeLignes) override
    {
        return ZB_FichierDePartie::lisTable(in, tables_[noTable], nombreDeLignes);
    }

private:
    QList<QStringList>& tables_;
    bool* multi_;
};

} // namespace

bool ZB_FichierDePartie::lisTable(QTextStream& in, QStringList& lignes, int* nombreDeLignes)
{
    in.setEncoding(QStringConverter::Utf8);
    lignes.clear();
    for (;;) {
        QString ligne = in.readLine();
        if (ligne.isEmpty()) // the end of the stream or an empty line
            break;
        // A byte-order mark that an editor put in front of the file; a text
        // stream on a file drops it itself, one on a string does not.
        if (lignes.isEmpty() && ligne.startsWith(MarqueOrdreOctets)) {
            ligne.remove(0, 1);
            if (ligne.isEmpty())
                continue;
        }
        if (ligne.contains(QLatin1String(FinDesEvenements)))
            break;
        if (ligne == QLatin1String("<Table0>") || ligne == QLatin1String("<//Table0>"))
            continue;
        lignes << ligne;
    }
    if (lignes.isEmpty())
        return false;

    std::optional<int> version = versionDe(lignes.first());
    if (!version && lignes.size() >= 3) {
        lignes.remove(0, 2);
        version = versionDe(lignes.first());
    }
    if (!version)
        return false;
    if (*version < VersionMinimale)
        throw GM_ExceptionFileTooOld();

    if (nombreDeLignes)
        *nombreDeLignes = static_cast<int>(lignes.size());
    return true;
}

bool ZB_FichierDePartie::lisFichier(QTextStream& in, quint64 tableDemandee, Destination& destination,
                                    int* nombreDeLignes)
{
    in.setEncoding(QStringConverter::Utf8);
    QString premiere = in.readLine(LimiteEntete);
    if (premiere.startsWith(MarqueOrdreOctets))
        premiere.remove(0, 1);

    const bool multi = premiere == QLatin1String(EnteteMultiTables);
    if (multi) {
        bool ok = false;
        const QString texteNombre = in.readLine(LimiteEntete);
        const int n = texteNombre.toInt(&ok, 10);
        if (!ok || n < 1)
            return false;
        if (n > NombreMaximalDeTables)
            throw GM_ExceptionFileCorrupted(QStringLiteral("%1 %2").arg(QLatin1String(EnteteMultiTables), texteNombre));
        if (tableDemandee > static_cast<quint64>(n - 1))
            return false;
        in.readLine(LimiteEntete);
        destination.recreeTables(n, tableDemandee);
    } else {
        in.seek(0);
    }

    bool resultat = true;
    const int nombre = destination.getNombreDeTables();
    for (int noTable = 0; noTable < nombre; ++noTable) {
        if (multi) {
            in.readLine(LimiteEntete);
            in.readLine(LimiteEntete);
        }
        resultat = destination.chargeTable(noTable, in, nombreDeLignes) && resultat;
        if (multi) {
            // readLine gives a null string only at the end of the stream, and
            // every other call consumes text, so this ends.
            for (QString ligne = in.readLine(LimiteFinDeTable); !ligne.isNull(); ligne = in.readLine(LimiteFinDeTable))
                if (ligne.contains(QLatin1String(FinDeTable)))
                    break;
        }
    }
    return resultat;
}

bool ZB_FichierDePartie::lisFichier(QTextStream& in, quint64 tableDemandee, int nombreDeTables,
                                    QList<QStringList>& tables, int* nombreDeLignes, bool* multiTables)
{
    if (multiTables)
        *multiTables = false;
    tables = QList<QStringList>(qBound(0, nombreDeTables, static_cast<int>(NombreMaximalDeTables)));
    DestinationListes destination(tables, multiTables);
    return lisFichier(in, tableDemandee, destination, nombreDeLignes);
}

bool ZB_FichierDePartie::ouvrePourLecture(QFile& fichier)
{
    if (!fichier.open(QIODevice::ReadOnly))
        throw GM_ExceptionFileCorrupted(QStringLiteral("%1 (%2)").arg(fichier.fileName(), fichier.errorString()));
    return fichier.size() >= TailleMinimale;
}

int ZB_FichierDePartie::typeDeFichier(const QString& nomDeFichier, int modeDepart)
{
    if (nomDeFichier.endsWith(QLatin1String(".jst"), Qt::CaseInsensitive))
        return FichierJst;
    return modeDepart == 2 ? FichierClient : FichierNormal;
}

bool ZB_FichierDePartie::ecritFichier(const QString& chemin, const ListeDesEvenements& liste,
                                      GM_MessageBoxEmitter* emetteur)
{
    return ecritFichier(chemin, [&liste](QTextStream& out) { liste.ecritTexte(out); }, emetteur);
}

bool ZB_FichierDePartie::ecritFichier(const QString& chemin, const std::function<void(QTextStream&)>& ecrivain,
                                      GM_MessageBoxEmitter* emetteur)
{
    const QString dossier = QFileInfo(chemin).absolutePath();
    if (!QDir().mkpath(dossier)) {
        signaleErreur_(emetteur, EchecSauvegarde, chemin,
                       QStringLiteral("Cannot create the folder '%1'").arg(dossier));
        return false;
    }

    // The whole text is made before the disk is touched: a writer that
    // throws leaves the old game as it was.
    QByteArray octets;
    {
        QBuffer tampon(&octets);
        tampon.open(QIODevice::WriteOnly);
        QTextStream out(&tampon);
        out.setEncoding(QStringConverter::Utf8);
        out.setGenerateByteOrderMark(false);
        ecrivain(out);
        out.flush();
    }

    // The new game goes to a temporary file that replaces the old one only
    // once it is complete; until commit the old game stays on disk.
    // Unbuffered, every write reaches the system at once and its failure is
    // told where it happens, not lost in a later flush or close.
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        signaleErreur_(emetteur, EchecOuverture, chemin, fichier.errorString());
        return false;
    }
    const QString erreur = ecritTout_(fichier, octets);
    if (!erreur.isEmpty()) {
        // Cancelling replaces the device's error text: the cause was kept
        // before. The temporary file goes with the QSaveFile.
        fichier.cancelWriting();
        signaleErreur_(emetteur, EchecEcriture, chemin, erreur);
        return false;
    }
    if (!fichier.commit()) {
        signaleErreur_(emetteur, EchecSauvegarde, chemin, fichier.errorString());
        return false;
    }
    return true;
}

QString ZB_FichierDePartie::ecritTout_(QIODevice& fichier, const QByteArray& octets)
{
    // A write that stops part-way (the disk just filled) reports no cause;
    // the next one, which cannot write anything, gets the system's.
    const char* debut = octets.constData();
    const qint64 taille = octets.size();
    qint64 ecrits = 0;
    while (ecrits < taille) {
        const qint64 n = fichier.write(debut + ecrits, taille - ecrits);
        if (n <= 0)
            return fichier.errorString();
        ecrits += n;
    }
    return QString();
}

void ZB_FichierDePartie::signaleErreur_(GM_MessageBoxEmitter* emetteur, Echec echec, const QString& chemin,
                                        const QString& erreur)
{
    if (emetteur)
        emetteur->messageBox(GM::Information, QStringLiteral("File Error"), texteErreur_(echec, chemin, erreur),
                             GM::Ok);
}

QString ZB_FichierDePartie::texteErreur_(Echec echec, const QString& chemin, const QString& erreur)
{
    const char* verbe = echec == EchecOuverture ? "open" : echec == EchecEcriture ? "write" : "save";
    return QStringLiteral("Unable to %1 file '%2': %3").arg(QLatin1String(verbe), chemin, erreur);
}

QString ZB_FichierDePartie::fichierPreset(int modeDepart, int noTypeDePartie)
{
    if (modeDepart == 0)
        return noTypeDePartie == 15 ? QStringLiteral(":/preset_games_tournament_long_balanced.csv") : QString();
    if (modeDepart == 1)
        return noTypeDePartie == 0 ? QStringLiteral(":/preset_games_jass_suisse_romand_normal_winning.csv")
                                   : QStringLiteral(":/preset_games_jass_suisse_romand_piquedouble_winning.csv");
    return QString();
}

QStringList ZB_FichierDePartie::lisPreset(const QString& chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return QStringList();
    return QString::fromUtf8(fichier.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

int ZB_FichierDePartie::tirePreset(GM_KnuthRandom& rng, const QStringList& lignes)
{
    if (lignes.isEmpty())
        return -1;
    // tire(n) is the buffer value at the generator's position modulo n, the
    // position then moving on: the draw every preset start has always made.
    const int index = rng.tire(static_cast<int>(qMin<qsizetype>(lignes.size(), std::numeric_limits<int>::max())));
    rng.chargeValeursDepuisString(lignes[index]);
    return index;
}
