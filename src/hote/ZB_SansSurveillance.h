#pragma once

#include "ZB_Room.h"
#include "ZB_Settings.h"

#include <QString>

#include <array>

class ZB_RoomTable;

// What an unattended run needs, with a window or without: its data folder,
// its room's parameters and the report of its match. The main window and
// the windowless host (ZB_HoteSansFenetre) share it, so that neither needs
// the other.
//
// Rules:
// - The data folder is made if missing, and always ends with '/'.
// - The match report writes the room's first table to automatic.jss in the
//   data folder, then prints "MATCH <team 0> <team 1> file <path>" on the
//   standard output.
// GUI thread only.
class ZB_SansSurveillance
{
public:
    static constexpr const char* FICHIER_FIN_AUTOMATIQUE = "automatic.jss";
    // The display mode where the computer plays every seat, the user's too.
    static constexpr int MODE_AFFICHAGE_ORDINATEUR = 2;
    // How often an unattended host looks whether a player has joined.
    static constexpr int INTERVALLE_HOTE_MS = 200;
    // The exit status of an unattended run that met an error.
    static constexpr int CODE_SORTIE_ERREUR = 1;

    // The data folder: the one given, else the user's.
    static QString prepareDossierDonnees(const QString& dossierDonnees);
    // The room's parameters for a start-up record and a data folder.
    static ZB_Room::Parametres parametresSalle(const ZB_Settings& demarrage, const QString& dossierDonnees);
    // The match scores of a table (none: 0 and 0), this deal's points
    // included.
    static std::array<int, 2> scoresDe(const ZB_RoomTable* table);
    // Writes the room's match and prints the report (see the rules).
    static void rapporteMatch(ZB_Room& salle, const QString& dossierDonnees);
};
