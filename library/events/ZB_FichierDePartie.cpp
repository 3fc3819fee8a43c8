#include "ZB_FichierDePartie.h"

#include "GM_FichierRegulier.h"

#include "EtatDeJeu.h"
#include "EvenementDeJeu.h"
#include "GM.h"
#include "GM_ExceptionFileCorrupted.h"
#include "GM_ExceptionFileTooOld.h"
#include "GM_KnuthRandom.h"
#include "GM_MessageBoxEmitter.h"
#include "GM_SpacesSeparatedString.h"
#include "ListeDesEvenements.h"
#include "OptionsDePartie.h"
#include "OptionsDuJoueur.h"
#include "Carte.h"
#include "TypeDePartie.h"
#include "ZB_DeckBelote.h"
#include "ZB_DeckJass.h"
#include "ZB_MiseBelote.h"
#include "ZB_MiseJass.h"
#include "ZB_SettingsPartie.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QTextStream>

#include <array>
#include <limits>
#include <memory>
#include <optional>

namespace {

// The hands of a deal as index masks, for each seat that may take it:
// the table deals them from the snapshot settings through the same dealer.
// A deal dealt at once hands the same cards whoever takes; a turned-card
// deal hands out its rest once the bids are over, two cards and the
// turned one to the taker, three to every other seat.
using MainsDeLaDonne = std::array<quint64, 4>;
std::array<MainsDeLaDonne, 4> mainsDistribuees(const TypeDePartie& type, const ZB_SettingsPartie& settings)
{
    const bool jass = type.genre_ == TypeDePartie::GenreJass;
    const bool retournee = type.contrat_ == TypeDePartie::ContratFixe || type.contrat_ == TypeDePartie::ContratVache;
    const std::unique_ptr<ZB_DeckA> deck(jass ? static_cast<ZB_DeckA*>(new ZB_DeckJass) : new ZB_DeckBelote);
    QList<int> pileA;
    QList<int> pileB;
    if (!settings.textePiles_.isEmpty())
        settings.getPiles(pileA, pileB);
    const int premier = settings.rotationDonne_ ? 1 : 0;
    const bool coupe = type.distribution_ == 1;

    std::array<MainsDeLaDonne, 4> parPreneur{};
    for (int preneur = 0; preneur < 4; ++preneur) {
        if (preneur > 0 && !retournee) {
            parPreneur[size_t(preneur)] = parPreneur[0];
            continue;
        }
        std::unique_ptr<ZB_MiseA> mise;
        ZB_MiseBelote* belote = nullptr;
        if (type.contrat_ == TypeDePartie::ContratChibre)
            mise = std::make_unique<ZB_MiseJass>(*deck);
        else
            mise.reset(belote = new ZB_MiseBelote(*deck));
        mise->setPileA(pileA);
        mise->setPileB(pileB);
        ZB_SettingsPartie s = settings;
        MainsDeLaDonne& mains = parPreneur[size_t(preneur)];
        const auto recoit = [&mains](int siege, const EnsembleDeCartes& cartes) {
            mains[size_t(siege)] |= cartes.getMasque();
        };
        mise->distribueLaDonne(s.random_, (jass ? 9 : 8) - (retournee ? 3 : 0), premier, coupe,
                               s.joueurQuiCommenceLaProchainePartie, recoit);
        if (!retournee || belote == nullptr)
            continue;
        if (const Carte* carte = belote->getCarteRetournee(s.random_, coupe))
            mains[size_t(preneur)] |= quint64(1) << carte->getIndex();
        mise->distribueLeReste(s.random_, premier, preneur, coupe, recoit);
    }
    return parPreneur;
}

constexpr QChar MarqueOrdreOctets(0xFEFF);

// The version of a block, none when its line is not a decimal number.
std::optional<int> versionDe(const QString& ligne)
{
    bool ok = false;
    const int version = ligne.toInt(&ok, 10);
    return ok ? std::optional<int>(version) : std::nullopt;
}

QString tr(const char* texte)
{
    return QCoreApplication::translate("ZB_FichierDePartie", texte);
}

// The records a table reads from its events, kept from one line to the next:
// a snapshot's generator is costly to build.
struct Lecteurs
{
    OptionsDePartie partie;
    OptionsDuJoueur joueur;
    ZB_SettingsPartie cliche;
};

// Whether a line holds an event that a table can replay: it reads, its state
// indexes the queue, its seat and table exist, and the record the table
// reads from it (game options, a player, a snapshot) reads too. The seat of
// a player inscription is put in siege.
bool estRejouable(const QString& ligne, EvenementDeJeu& ev, int& siege, Lecteurs& lecteurs)
{
    // The reader drops a record's last character unseen: a line cut short
    // would read as a shorter, wrong event.
    if (!ligne.startsWith(QLatin1Char('{')) || !ligne.endsWith(QLatin1Char('}')))
        return false;
    try {
        QString reste;
        if (!ev.fromString(ligne, reste))
            return false;
        if (!EtatDeJeu::estValide(ev.etat_) || ev.noJoueur_ < 0 || ev.noJoueur_ > 4 || ev.noTable_ < -1
            || ev.noTable_ >= ZB_FichierDePartie::NombreMaximalDeTables)
            return false;
        siege = -1;
        switch (ev.type_) {
        case EvenementDeJeu::InP:
            lecteurs.partie.chargeValeursDepuisString(ev.texte_);
            break;
        case EvenementDeJeu::InJ:
            lecteurs.joueur.chargeValeursDepuisString(ev.texte_);
            if (EtatDeJeu::estInscriptionJoueur(ev.etat_))
                siege = ev.etat_ - EtatDeJeu::InscriptionJoueur0;
            break;
        case EvenementDeJeu::ReJ: {
            GM_SpacesSeparatedString s(ev.texte_);
            lecteurs.joueur.chargeValeursDepuisString(s.getNext());
            siege = s.nextInt();
            if (siege < 0 || siege > 3)
                return false;
            break;
        }
        case EvenementDeJeu::JoN:
        case EvenementDeJeu::JoM:
        case EvenementDeJeu::NeW:
            lecteurs.joueur.chargeValeursDepuisString(ev.texte_);
            break;
        case EvenementDeJeu::Enr:
            lecteurs.cliche.chargeValeursDepuisString(ev.texte_);
            break;
        default:
            break;
        }
        return true;
    } catch (const GM_Exception&) {
        return false;
    }
}

[[noreturn]] void refuse(const QString& raison)
{
    throw GM_ExceptionFileCorrupted(raison);
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
        // One character more than a line may hold tells a line too long
        // without taking in the rest of it.
        QString ligne = in.readLine(LongueurMaximaleDeLigne + 1);
        if (ligne.isEmpty()) // the end of the stream or an empty line
            break;
        if (ligne.size() > LongueurMaximaleDeLigne)
            refuse(tr("La ligne %1 est plus longue que toute ligne d'une partie.").arg(lignes.size() + 1));
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
    // Through a link, as a file manager opens it; but a pipe or a device
    // under a game's name would hold the program in open() for good.
    const QString chemin = fichier.fileName();
    if (!GM_FichierRegulier::ouvreEnLecture(fichier, chemin, GM_FichierRegulier::SuitLesLiens)) {
        const int erreur = errno;
        const QFileInfo entree(chemin);
        throw GM_ExceptionFileCorrupted(
            QStringLiteral("%1 (%2)").arg(chemin, entree.exists() && !entree.isFile() ? tr("ce n'est pas un fichier")
                                                                                        : qt_error_string(erreur)));
    }
    const qint64 taille = fichier.size();
    if (taille > TailleMaximale) {
        constexpr qint64 Mo = 1024 * 1024;
        refuse(tr("Le fichier fait %1 Mo, bien plus que toute partie (au plus %2 Mo).")
                   .arg((taille + Mo - 1) / Mo)
                   .arg(TailleMaximale / Mo));
    }
    return taille >= TailleMinimale;
}

QStringList ZB_FichierDePartie::lisPartie(const QByteArray& contenu, quint64 tableDemandee, int nombreDeTables)
{
    QBuffer tampon;
    tampon.setData(contenu);
    tampon.open(QIODevice::ReadOnly);
    QTextStream in(&tampon);
    QList<QStringList> tables;
    bool multi = false;
    if (!lisFichier(in, tableDemandee, nombreDeTables, tables, nullptr, &multi))
        refuse(tr("Le fichier n'a pas la forme d'une partie enregistrée."));

    // Only the block that runs to the end of the file can be cut by it.
    const bool finCoupee = !contenu.endsWith('\n');
    QStringList avis;
    for (qsizetype no = 0; no < tables.size(); ++no) {
        const bool derniere = no + 1 == tables.size();
        try {
            const QString texte = gardeLaPartieSaine(tables[no], finCoupee && derniere);
            verifieLesDonnes(tables[no]);
            if (!texte.isEmpty())
                avis << (multi ? tr("Table %1: %2").arg(no).arg(texte) : texte);
        } catch (const GM_ExceptionFileCorrupted& e) {
            if (!multi)
                throw;
            refuse(tr("Table %1: %2").arg(no).arg(e.getDetail()));
        }
    }
    return avis;
}

void ZB_FichierDePartie::verifieLesDonnes(const QStringList& lignes)
{
    // A deal runs from its snapshot or its deal requests; a card state lower
    // than the one before also starts one, should a record lack both.
    int genre = TypeDePartie::GenreJass;
    TypeDePartie type;
    // Each deal's hands, drawn from its snapshot as the table draws them.
    // They hold for the first dealing after the snapshot: should a deal be
    // dealt again without one, its hands are not known here.
    ZB_SettingsPartie settings;
    std::array<MainsDeLaDonne, 4> mains{};
    // The seats that may have taken the deal, as far as its cards tell.
    unsigned preneursPossibles = 0xF;
    bool mainsConnues = false;
    qsizetype ligneDuTirage = -1;
    int dernierDis = -1;
    std::array<int, 4> cartesJouees{};
    QSet<int> jouees;
    int dernierEtat = -1;
    int dernierSiege = -1;
    auto nouvelleDonne = [&] {
        cartesJouees = {};
        jouees.clear();
        dernierEtat = -1;
        dernierSiege = -1;
    };
    for (qsizetype i = 1; i < lignes.size(); ++i) {
        EvenementDeJeu ev;
        QString reste;
        try {
            if (!ev.fromString(lignes.at(i), reste))
                continue;
        } catch (const GM_Exception&) {
            continue;
        }
        if (ev.type_ == EvenementDeJeu::InP) {
            OptionsDePartie options;
            try {
                options.chargeValeursDepuisString(ev.texte_);
                genre = options.genre_;
                type = options.idPreset_ == TypeDePartie::ID_PERSONALISE
                    ? options.typeDePartie_
                    : TypeDePartie::getTypeDePartie(options.idPreset_);
            } catch (const GM_Exception&) {
            }
            nouvelleDonne();
            continue;
        }
        if (ev.type_ == EvenementDeJeu::Enr) {
            // Read over the previous snapshot, as the table reads it.
            mainsConnues = false;
            dernierDis = -1;
            try {
                ZB_SettingsPartie lu(settings);
                lu.chargeValeursDepuisString(ev.texte_);
                settings = lu;
                mains = mainsDistribuees(type, settings);
                preneursPossibles = 0xF;
                ligneDuTirage = i;
            } catch (const GM_Exception&) {
                ligneDuTirage = -1;
            }
            nouvelleDonne();
            continue;
        }
        if (ev.type_ == EvenementDeJeu::Dis) {
            mainsConnues = ligneDuTirage >= 0 && (dernierDis < 0 || ev.etat_ > dernierDis);
            if (!mainsConnues)
                ligneDuTirage = -1;
            dernierDis = ev.etat_;
            nouvelleDonne();
            continue;
        }
        if (ev.type_ != EvenementDeJeu::Ajo || ev.noJoueur_ < 0 || ev.noJoueur_ > 3)
            continue;
        if (ev.etat_ <= dernierEtat)
            nouvelleDonne();
        // Line numbers as a text editor shows them, the version being line 1.
        // Within a trick the seats play in turn: a card from any other seat
        // came from a hand that was not asked for one.
        if (ev.etat_ == dernierEtat + 1 && ev.noJoueur_ != (dernierSiege + 1) % 4)
            refuse(tr("La ligne %1 fait jouer la place %2 hors de son tour.").arg(i + 1).arg(ev.noJoueur_ + 1));
        dernierEtat = ev.etat_;
        dernierSiege = ev.noJoueur_;

        const QString carte = ev.texte_.left(20);
        const int index = Carte::indexDeTexte(ev.texte_, genre == TypeDePartie::GenreBelote);
        if (index < 0)
            refuse(tr("La ligne %1 joue la carte %2, qui n'existe pas.").arg(i + 1).arg(carte));
        if (jouees.contains(index))
            refuse(tr("La ligne %1 joue la carte %2 une deuxième fois dans la même donne.").arg(i + 1).arg(carte));
        jouees.insert(index);
        for (int preneur = 0; preneur < 4 && mainsConnues; ++preneur) {
            if (!((preneursPossibles >> preneur) & 1u))
                continue;
            const MainsDeLaDonne& donne = mains[size_t(preneur)];
            if ((donne[size_t(ev.noJoueur_)] >> index) & 1u)
                continue;
            preneursPossibles &= ~(1u << preneur);
            if (preneursPossibles != 0)
                continue;
            int autre = 0;
            while (autre < 4 && !((donne[size_t(autre)] >> index) & 1u))
                ++autre;
            if (autre == 4)
                refuse(tr("La ligne %1 fait jouer à la place %2 la carte %3, que le tirage de la ligne %4 n'a donnée "
                          "à personne.")
                           .arg(i + 1)
                           .arg(ev.noJoueur_ + 1)
                           .arg(carte)
                           .arg(ligneDuTirage + 1));
            refuse(tr("La ligne %1 fait jouer à la place %2 la carte %3, que le tirage de la ligne %4 a donnée "
                      "à la place %5.")
                       .arg(i + 1)
                       .arg(ev.noJoueur_ + 1)
                       .arg(carte)
                       .arg(ligneDuTirage + 1)
                       .arg(autre + 1));
        }
        const int parMain = genre == TypeDePartie::GenreBelote ? 8 : 9;
        if (++cartesJouees[size_t(ev.noJoueur_)] > parMain)
            refuse(tr("La ligne %1 joue une %2e carte d'une main qui en tient %3.")
                       .arg(i + 1)
                       .arg(cartesJouees[size_t(ev.noJoueur_)])
                       .arg(parMain));
    }
}

QString ZB_FichierDePartie::gardeLaPartieSaine(QStringList& lignes, bool finCoupee)
{
    Lecteurs lecteurs;
    bool partieInscrite = false;
    std::array<bool, 4> siegesInscrits{};
    bool coupJoue = false;
    qsizetype mauvaise = -1;
    for (qsizetype i = 1; i < lignes.size(); ++i) {
        EvenementDeJeu ev;
        int siege = -1;
        if (!estRejouable(lignes.at(i), ev, siege, lecteurs)) {
            mauvaise = i;
            break;
        }
        if (ev.type_ == EvenementDeJeu::InP)
            partieInscrite = true;
        else if (siege >= 0 && siege < 4)
            siegesInscrits[size_t(siege)] = true;
        else if (ev.etat_ >= EtatDeJeu::EnregistrementSettingsPartie)
            coupJoue = true;
    }

    // Line numbers as a text editor shows them, the version being line 1.
    const bool coupee = mauvaise >= 0 && finCoupee && mauvaise + 1 == lignes.size();
    const QString pourquoi = mauvaise < 0 ? QString()
        : coupee ? tr("Le fichier s'arrête au milieu de la ligne %1.").arg(mauvaise + 1)
                 : tr("La ligne %1 ne contient pas un coup lisible.").arg(mauvaise + 1);
    const bool inscrits = siegesInscrits[0] && siegesInscrits[1] && siegesInscrits[2] && siegesInscrits[3];
    if (!partieInscrite || !inscrits || !coupJoue) {
        if (!pourquoi.isEmpty())
            refuse(pourquoi);
        if (lignes.size() < 2)
            refuse(tr("Le fichier ne contient aucun coup."));
        if (!partieInscrite || !inscrits)
            refuse(tr("Le fichier ne contient pas l'inscription de la partie et de ses quatre joueurs."));
        refuse(tr("Le fichier ne contient aucun coup."));
    }
    if (mauvaise < 0)
        return QString();
    lignes.resize(mauvaise);
    return pourquoi + QLatin1Char(' ')
         + tr("La partie s'ouvre au dernier coup lisible, à la ligne %1; la suite du fichier est laissée de côté.")
               .arg(mauvaise);
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
    QString erreur;
    if (ecritFichier(chemin, ecrivain, erreur))
        return true;
    if (emetteur)
        emetteur->messageBox(GM::Information, QStringLiteral("File Error"), erreur, GM::Ok);
    return false;
}

bool ZB_FichierDePartie::ecritFichier(const QString& chemin, const ListeDesEvenements& liste, QString& erreur)
{
    return ecritFichier(chemin, [&liste](QTextStream& out) { liste.ecritTexte(out); }, erreur);
}

bool ZB_FichierDePartie::ecritFichier(const QString& chemin, const std::function<void(QTextStream&)>& ecrivain,
                                      QString& texteErreur)
{
    const QString dossier = QFileInfo(chemin).absolutePath();
    // A folder that cannot be made loses the game as surely as a file that
    // cannot be opened: the user is told the same way, not left to believe
    // it was saved.
    if (!QDir().mkpath(dossier)) {
        signaleErreur_(&texteErreur, EchecSauvegarde, chemin,
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
        signaleErreur_(&texteErreur, EchecOuverture, chemin, fichier.errorString());
        return false;
    }
    const QString erreur = ecritTout_(fichier, octets);
    if (!erreur.isEmpty()) {
        // Cancelling replaces the device's error text: the cause was kept
        // before. The temporary file goes with the QSaveFile.
        fichier.cancelWriting();
        signaleErreur_(&texteErreur, EchecEcriture, chemin, erreur);
        return false;
    }
    if (!fichier.commit()) {
        signaleErreur_(&texteErreur, EchecSauvegarde, chemin, fichier.errorString());
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

void ZB_FichierDePartie::signaleErreur_(QString* texte, Echec echec, const QString& chemin, const QString& erreur)
{
    *texte = texteErreur_(echec, chemin, erreur);
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
