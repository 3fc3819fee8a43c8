#include "ZB_RecordFramer.h"

ZB_RecordFramer::ZB_RecordFramer(qsizetype capacite)
    : capacite_(capacite)
{
}

void ZB_RecordFramer::ajoute(const QByteArray& octets)
{
    tampon_.append(octets);
}

ZB_RecordFramer::Resultat ZB_RecordFramer::prochain(QByteArray& record, bool& precede)
{
    const char* octets = tampon_.constData();
    const qsizetype taille = tampon_.size();
    for (; pos_ < taille; ++pos_) {
        const char c = octets[pos_];
        if (c == '{') {
            if (profondeur_++ == 0)
                ouverture_ = pos_;
        } else if (c == '}' && profondeur_ > 0) {
            if (--profondeur_ == 0) {
                // A "}" outside any record is only stray bytes before the
                // next one.
                precede = ouverture_ > debut_;
                record = tampon_.mid(ouverture_, pos_ + 1 - ouverture_);
                ++pos_;
                debut_ = pos_;
                ouverture_ = -1;
                return Record;
            }
        }
    }
    compacte_();
    if (enAttente() > capacite_) {
        vide();
        return Debordement;
    }
    return Aucun;
}

void ZB_RecordFramer::compacte_()
{
    if (debut_ == 0)
        return;
    tampon_.remove(0, debut_);
    pos_ -= debut_;
    if (ouverture_ >= 0)
        ouverture_ -= debut_;
    debut_ = 0;
}

void ZB_RecordFramer::vide()
{
    tampon_.clear();
    debut_ = 0;
    pos_ = 0;
    ouverture_ = -1;
    profondeur_ = 0;
}
