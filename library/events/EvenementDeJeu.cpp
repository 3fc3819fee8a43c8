#include "EvenementDeJeu.h"

#include "GM_ExceptionEventCorrupted.h"
#include "GM_SpacesSeparatedString.h"

#include <QObject>

const QString EvenementDeJeu::TypeEvenement[EvenementDeJeu::NombreDeGenres] = {
    QStringLiteral("RsV"), QStringLiteral("RsI"), QStringLiteral("ReE"), QStringLiteral("Ram"),
    QStringLiteral("Cho"), QStringLiteral("Chm"), QStringLiteral("Ajo"), QStringLiteral("Dis"),
    QStringLiteral("Fin"), QStringLiteral("Enr"), QStringLiteral("Mes"), QStringLiteral("InP"),
    QStringLiteral("InJ"), QStringLiteral("ReJ"), QStringLiteral("JoO"), QStringLiteral("JoN"),
    QStringLiteral("JoM"), QStringLiteral("NeW"), QStringLiteral("Ann"), QStringLiteral("END")};

const QString EvenementDeJeu::SourceEvenement[EvenementDeJeu::NombreDeSources] = {
    QStringLiteral("Local_AI"),
    QStringLiteral("Local_Human"),
    QStringLiteral("Local_Table"),
    QStringLiteral("Remote_AI"),
    QStringLiteral("Remote_Human"),
    QStringLiteral("Remote_Table"),
    QStringLiteral("SourceRemote_Table_LocalTableTransform"),
    QStringLiteral("SourceRemote_Human_MyOwnMessageReturned"),
    QStringLiteral("SourceRemote_Table_MyOwnMessageReturned"),
    QStringLiteral("SourceRemote_AI_MyOwnMessageReturned"),
    QStringLiteral("SourceRemote_Human_OtherPlayerMessageReturned"),
    QStringLiteral("SourceRemote_Table_OtherPlayerMessageReturned"),
    QStringLiteral("SourceRemote_AI_OtherPlayerMessageReturned")};

const unsigned EvenementDeJeu::ClassesDeGenre[EvenementDeJeu::NombreDeGenres] = {
    /* RsV */ PasseHorsDemande | SansDemande,
    /* RsI */ PasseHorsDemande | SansDemande,
    /* ReE */ PasseHorsDemande | SansDemande,
    /* Ram */ CoupDeJoueur | EnvoiDeClient | AvecDemande,
    /* Cho */ CoupDeJoueur | EnvoiDeClient | AvecDemande,
    /* Chm */ CoupDeJoueur | EnvoiDeClient | AvecDemande,
    /* Ajo */ CoupDeJoueur | EnvoiDeClient | AvecDemande,
    /* Dis */ CoupDeJoueur | EnvoiDeClient | AvecDemande,
    /* Fin */ HorsControleJoueur | CoupDeJoueur | EnvoiDeClient | AvecDemande,
    /* Enr */ PasseHorsDemande | FaitDeTable | SansDemande,
    /* Mes */ HorsControleJoueur | PasseHorsDemande | EnvoiDeClient | SansDemande,
    /* InP */ PasseHorsDemande | SansDemande,
    /* InJ */ HorsControleJoueur | PasseHorsDemande | FaitDeTable | SansDemande,
    /* ReJ */ HorsControleJoueur | PasseHorsDemande | FaitDeTable | AvecDemande,
    // JoO and JoM come from the referee at any time, with or without a request.
    /* JoO */ HorsControleJoueur | PasseHorsDemande,
    /* JoN */ HorsControleJoueur | PasseHorsDemande | AvecDemande,
    /* JoM */ HorsControleJoueur | PasseHorsDemande,
    /* NeW */ HorsControleJoueur | PasseHorsDemande | SansDemande,
    /* Ann */ CoupDeJoueur | EnvoiDeClient | AvecDemande,
    /* END */ SansDemande};

bool EvenementDeJeu::estDeClasse(int genre, Classe classe)
{
    if (genre < 0 || genre >= NombreDeGenres)
        return false;
    return (ClassesDeGenre[genre] & classe) != 0;
}

namespace {

// States at which the only legal answer is a collect ("Ram"): the collect
// groups and the confirmation of announcements.
bool estEtatDeRamassage(int etat)
{
    return EtatDeJeu::estRamasseTas(etat) || EtatDeJeu::estConfirmationAnnonces(etat);
}

} // namespace

bool EvenementDeJeu::estEtatDeCarte(int etat)
{
    return EtatDeJeu::estAttenteDeCarte(etat);
}

EvenementDeJeu::EvenementDeJeu()
    : ZB_Event(ZB_Event::EvenementDeJeu)
{
}

EvenementDeJeu::EvenementDeJeu(int type, const QString& texte, int noJoueur, int etat, int source, qint64 idJoueur,
                               int mode, int noDemande, int noTable, const char* fichier, int ligne,
                               const char* fonction)
    : ZB_Event(ZB_Event::EvenementDeJeu)
    , valide_(true)
    , texte_(texte)
    , type_(type)
    , noJoueur_(noJoueur)
    , etat_(etat)
    , source_(source)
    , idJoueur_(idJoueur)
    , mode_(mode)
    , noDemande_(noDemande)
    , noTable_(noTable)
    , fichier_(fichier ? fichier : "")
    , ligne_(ligne)
    , fonction_(fonction ? fonction : "")
{
    verifieValidite();
}

EvenementDeJeu::EvenementDeJeu(const EvenementDeJeu& autre) = default;
EvenementDeJeu& EvenementDeJeu::operator=(const EvenementDeJeu& autre) = default;
EvenementDeJeu::~EvenementDeJeu() = default;

EvenementDeJeu* EvenementDeJeu::clone() const
{
    return new EvenementDeJeu(*this);
}

const QString& EvenementDeJeu::codeDeGenre(int type)
{
    return TypeEvenement[(type >= 0 && type < NombreDeGenres) ? type : END];
}

QString EvenementDeJeu::nomDeSource(int source)
{
    if (source >= 0 && source < NombreDeSources)
        return SourceEvenement[source];
    return QStringLiteral("Unknown");
}

QString EvenementDeJeu::toString(const int& version) const
{
    GM_SpacesSeparatedString s;
    s.addString(codeDeGenre(type_));
    // Not escaped: a nested record keeps its braces and reads back as one
    // token. Free text must have been cleaned by whoever built the event.
    s.addString(texte_);
    s.addInt(noJoueur_);
    s.addInt(etat_);
    s.addInt(source_);
    s.addLongLong(idJoueur_);
    s.addInt(mode_);
    s.addInt(noDemande_);
    if (version >= 2)
        s.addInt(noTable_);
    return s.getString();
}

bool EvenementDeJeu::fromString(const QString& in, QString& rest)
{
    GM_SpacesSeparatedString s(in);
    const QString code = s.getNext();
    int type = -1;
    // END is deliberately not among the readable codes.
    for (int i = 0; i < END; ++i) {
        if (code == TypeEvenement[i]) {
            type = i;
            break;
        }
    }
    if (type < 0)
        return false;

    // Read into a copy so that a text refused halfway leaves this event as
    // it was.
    EvenementDeJeu lu(*this);
    lu.type_ = type;
    lu.texte_ = s.getNext();
    lu.noJoueur_ = s.nextInt();
    lu.etat_ = s.nextInt();
    lu.source_ = s.nextInt();
    lu.idJoueur_ = s.nextLongLong();
    lu.mode_ = s.nextInt();
    lu.noDemande_ = s.nextInt();
    // Version 1 texts stop here and belong to the first table.
    lu.noTable_ = s.hasOptionalField() ? s.nextInt() : 0;
    lu.verifieValidite();

    // What follows this event, braced again: "{}" when nothing does, and the
    // next event of a stream otherwise.
    QString reste = QLatin1Char('{') + s.remaining() + QLatin1Char('}');
    const qsizetype vide = reste.indexOf(QLatin1String("{}"));
    if (vide >= 0)
        reste.remove(vide, 2);

    type_ = lu.type_;
    texte_ = lu.texte_;
    noJoueur_ = lu.noJoueur_;
    etat_ = lu.etat_;
    source_ = lu.source_;
    idJoueur_ = lu.idJoueur_;
    mode_ = lu.mode_;
    noDemande_ = lu.noDemande_;
    noTable_ = lu.noTable_;
    rest = reste;
    return true;
}

namespace {

[[noreturn]] void jetteDoitEtreEffacee()
{
    throw GM_ExceptionEventCorrupted(QObject::tr("Malheureusement, cette partie est corrompue et doit être effacée."));
}

} // namespace

void EvenementDeJeu::verifieValidite() const
{
    if (estEtatDeRamassage(etat_) && type_ != Ram)
        throw GM_ExceptionEventCorrupted(QObject::tr("Malheureusement, cette partie est corrompue et va être effacée."));
    if (estEtatDeCarte(etat_) && type_ != Ajo)
        jetteDoitEtreEffacee();

    // Table-level facts answer no request; answers to a request must say
    // which one.
    if (estDeClasse(type_, SansDemande) && noDemande_ != -1)
        jetteDoitEtreEffacee();
    if (estDeClasse(type_, AvecDemande) && noDemande_ == -1)
        jetteDoitEtreEffacee();
}
