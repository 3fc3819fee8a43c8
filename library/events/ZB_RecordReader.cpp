#include "ZB_RecordReader.h"

#include "EvenementDeJeu.h"
#include "GM_Exception.h"

#include <QStringDecoder>

QString ZB_RecordReader::lis(const QByteArray& record, bool precede, EvenementDeJeu& ev)
{
    if (precede)
        return QStringLiteral("bytes before the record");
    QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texte = decodeur.decode(record);
    if (decodeur.hasError())
        return QStringLiteral("not UTF-8");
    QString reste;
    bool lu = false;
    const QString erreur = GM_Exception::sansException([&] { lu = ev.fromString(texte, reste); });
    if (!erreur.isEmpty())
        return erreur;
    if (!lu)
        return QStringLiteral("unknown kind");
    // The braces matched, but the event did not take all that was between
    // them: the framing found a brace pair the event's text did not account
    // for.
    if (!reste.isEmpty())
        return QStringLiteral("text after the event");
    ev.valide_ = true;
    return QString();
}

int ZB_RecordReader::sourceRecue(int source, qint64 idJoueur, qint64 idJoueurPropre)
{
    const bool propre = idJoueur == idJoueurPropre;
    switch (source) {
    case EvenementDeJeu::Local_AI:
    case EvenementDeJeu::Local_Human:
    case EvenementDeJeu::Local_Table:
        return source + 3;
    case EvenementDeJeu::Remote_AI:
        return propre ? EvenementDeJeu::SourceRemote_AI_MyOwnMessageReturned
                      : EvenementDeJeu::SourceRemote_AI_OtherPlayerMessageReturned;
    case EvenementDeJeu::Remote_Human:
        return propre ? EvenementDeJeu::SourceRemote_Human_MyOwnMessageReturned
                      : EvenementDeJeu::SourceRemote_Human_OtherPlayerMessageReturned;
    case EvenementDeJeu::Remote_Table:
    case EvenementDeJeu::SourceRemote_Table_OtherPlayerMessageReturned:
        return propre ? EvenementDeJeu::SourceRemote_Table_MyOwnMessageReturned
                      : EvenementDeJeu::SourceRemote_Table_OtherPlayerMessageReturned;
    case EvenementDeJeu::SourceRemote_Table_MyOwnMessageReturned:
        return EvenementDeJeu::Local_Table;
    default:
        return source;
    }
}
