#include "GM_PartParAdresse.h"

#include <QHash>

qsizetype GM_PartParAdresse::aRenvoyer(const QList<QHostAddress>& tenues, const QHostAddress& nouveau)
{
    QHash<QHostAddress, int> parAdresse;
    if (!nouveau.isNull())
        parAdresse[nouveau] = 1;
    for (const QHostAddress& adresse : tenues)
        if (!adresse.isNull())
            ++parAdresse[adresse];
    qsizetype choisie = -1;
    int plus = 0;
    // Oldest first: among equals the oldest goes.
    for (qsizetype i = 0; i < tenues.size(); ++i) {
        const QHostAddress& adresse = tenues.at(i);
        const int nombre = adresse.isNull() ? 1 : parAdresse.value(adresse);
        if (nombre > plus) {
            plus = nombre;
            choisie = i;
        }
    }
    return choisie;
}
