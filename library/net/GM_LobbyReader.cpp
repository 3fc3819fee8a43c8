#include "GM_LobbyReader.h"

GM_LobbyReader::GM_LobbyReader(qsizetype capacite)
    : capacite_(capacite)
{
}

void GM_LobbyReader::ajoute(const QByteArray& message)
{
    tampon_.append(message);
}

GM_LobbyReader::Resultat GM_LobbyReader::prochain(Enregistrement& enregistrement)
{
    const qsizetype fin = tampon_.indexOf(GM_LobbyFrame::RecordEnd, pos_);
    if (fin < 0) {
        pos_ = tampon_.size();
        compacte_();
        if (enAttente() > capacite_) {
            vide();
            return TropGrand;
        }
        return Aucun;
    }
    const qsizetype longueur = fin - debut_;
    const qsizetype debut = debut_;
    debut_ = fin + 1;
    pos_ = debut_;
    // The terminator counts against the capacity as it does for the sender.
    if (longueur + 1 > capacite_)
        return TropGrand;
    // A copy: what the record hands out must not follow the buffer.
    return decoupe_(tampon_.mid(debut, longueur), enregistrement);
}

GM_LobbyReader::Resultat GM_LobbyReader::decoupe_(const QByteArray& octets, Enregistrement& enregistrement)
{
    const QByteArray mot = octets.left(GM_LobbyFrame::LongueurMot);
    if (!GM_LobbyFrame::motValide(mot))
        return MotInvalide;
    const qsizetype debutChamps = GM_LobbyFrame::LongueurMot;
    if (octets.size() > debutChamps && octets.back() != GM_LobbyFrame::FieldEnd)
        return Tronque;
    QStringList champs;
    QByteArray champ;
    qsizetype debut = debutChamps;
    while (debut < octets.size()) {
        const qsizetype fin = octets.indexOf(GM_LobbyFrame::FieldEnd, debut);
        if (!GM_LobbyFrame::unescape(octets.mid(debut, fin - debut), champ))
            return EchappementInvalide;
        champs << QString::fromUtf8(champ);
        debut = fin + 1;
    }
    enregistrement.mot = mot;
    enregistrement.champs = champs;
    return Record;
}

void GM_LobbyReader::compacte_()
{
    if (debut_ == 0)
        return;
    tampon_.remove(0, debut_);
    pos_ -= debut_;
    debut_ = 0;
}

void GM_LobbyReader::vide()
{
    tampon_.clear();
    debut_ = 0;
    pos_ = 0;
}

const char* GM_LobbyReader::nomResultat(Resultat resultat)
{
    switch (resultat) {
    case Aucun: return "none";
    case Record: return "record";
    case MotInvalide: return "bad word";
    case Tronque: return "truncated";
    case EchappementInvalide: return "bad escape";
    case TropGrand: return "oversized";
    }
    return "?";
}
