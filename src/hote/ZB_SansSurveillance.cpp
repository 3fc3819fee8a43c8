#include "ZB_SansSurveillance.h"

#include "GM_FichierRegulier.h"
#include "GM_SharedFunctions.h"
#include "ZB_RoomTable.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

QString ZB_SansSurveillance::prepareDossierDonnees(const QString& dossierDonnees)
{
    QString dossier = dossierDonnees.isEmpty() ? appDataPath(QCoreApplication::applicationName()) : dossierDonnees;
    if (!dossier.endsWith(QLatin1Char('/')))
        dossier += QLatin1Char('/');
    QDir().mkpath(dossier);
    return dossier;
}

ZB_Room::Parametres ZB_SansSurveillance::parametresSalle(const ZB_Settings& demarrage, const QString& dossierDonnees)
{
    ZB_Room::Parametres p;
    p.sansDelai = demarrage.nowait || demarrage.autotest;
    p.modeSimple = demarrage.autotest;
    p.tcp = demarrage.tcpsockets;
    p.nonSecurise = demarrage.nossl;
    p.dossierDonnees = dossierDonnees;
    return p;
}

std::array<int, 2> ZB_SansSurveillance::scoresDe(const ZB_RoomTable* table)
{
    std::array<int, 2> s{};
    if (table != nullptr)
        for (int e = 0; e < 2; ++e)
            s[size_t(e)] = table->getSettingsPartie().scores_[size_t(e)] + table->totalDonne(e);
    return s;
}

void ZB_SansSurveillance::rapporteMatch(ZB_Room& salle, const QString& dossierDonnees)
{
    // An unattended run keeps its match for whoever checks it.
    const std::array<int, 2> s = scoresDe(salle.getTable(-1));
    const QString chemin = dossierDonnees + QLatin1String(FICHIER_FIN_AUTOMATIQUE);
    // The data folder's own file, as the autosave: a link in its place would
    // be saved through.
    GM_FichierRegulier::ecarte(chemin);
    salle.saveAs(chemin);
    std::printf("MATCH %d %d file %s\n", s[0], s[1], qUtf8Printable(chemin));
    std::fflush(stdout);
}
