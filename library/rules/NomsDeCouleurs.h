#pragma once

#include <QString>

// Names that every screen text uses for suits and trump modes, by deck face
// style (0, 2, 4 French faces, 1 German-Swiss faces, 3 Latin faces).
QString getNomCouleur(const int& couleur, const int& styleJeu);
// Long trump-mode name, as used inside sentences.
QString getNomAtoutLong(const int& statusAtout, const int& styleJeu);
