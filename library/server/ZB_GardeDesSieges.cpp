#include "ZB_GardeDesSieges.h"

#include "ZB_FicheIdentification.h"

bool ZB_GardeDesSieges::refuse_(qint64 id, QString& raison) const
{
    if (exclus_.contains(id)) {
        raison = QStringLiteral("player %1 was removed by the host").arg(id);
        return true;
    }
    if (reserves_.contains(id)) {
        raison = QStringLiteral("player %1 is not a client's").arg(id);
        return true;
    }
    return false;
}

ZB_GardeDesSieges::Verdict ZB_GardeDesSieges::examineSigne(qint64 id, QString& raison)
{
    if (refuse_(id, raison))
        return Refuse;
    const bool connu = cles_.contains(id);
    // A key nobody was given: one who claimed the id without proof loses
    // the key it got, and no key takes the seat from now on.
    cles_.insert(id, ZB_FicheIdentification::genereCle());
    return connu ? Retour : Prouve;
}

ZB_GardeDesSieges::Verdict ZB_GardeDesSieges::examine(qint64 id, const QString& clePresentee, QString& raison)
{
    if (refuse_(id, raison))
        return Refuse;
    const auto connue = cles_.constFind(id);
    // The id's own key: its player, even over one who claimed the id
    // first without it (and who loses that key now).
    if (ZB_FicheIdentification::idDeCle(clePresentee) == id) {
        const bool connu = connue != cles_.cend();
        cles_.insert(id, clePresentee);
        return connu ? Retour : Prouve;
    }
    if (connue == cles_.cend()) {
        cles_.insert(id, ZB_FicheIdentification::genereCle());
        return Nouveau;
    }
    if (ZB_FicheIdentification::memeCle(clePresentee, connue.value()))
        return Retour;
    raison = clePresentee.isEmpty() ? QStringLiteral("player %1 without its seat key").arg(id)
                                    : QStringLiteral("player %1 with a wrong seat key").arg(id);
    return Refuse;
}

void ZB_GardeDesSieges::oublieTout()
{
    cles_.clear();
    reserves_.clear();
    exclus_.clear();
}

qsizetype ZB_GardeDesSieges::victime(const QList<QHostAddress>& tenues, const QHostAddress& nouveau)
{
    auto compte = [&tenues](const QHostAddress& adresse) {
        qsizetype n = 0;
        for (const QHostAddress& a : tenues)
            n += a.isEqual(adresse) ? 1 : 0;
        return n;
    };
    // The newcomer's seats once seated.
    const qsizetype siens = nouveau.isNull() ? 1 : compte(nouveau) + 1;
    qsizetype choisie = -1;
    qsizetype plus = siens;
    // The latest player of the address that holds the most.
    for (qsizetype i = tenues.size() - 1; i >= 0; --i) {
        const QHostAddress& adresse = tenues.at(i);
        if (adresse.isNull() || (!nouveau.isNull() && adresse.isEqual(nouveau)))
            continue;
        const qsizetype n = compte(adresse);
        if (n > plus) {
            plus = n;
            choisie = i;
        }
    }
    return choisie;
}
