#include "GM_ExceptionFileTooOld.h"

// The message is deliberately not translated: it is shown before a
// translator may have been installed.
GM_ExceptionFileTooOld::GM_ExceptionFileTooOld()
    : GM_Exception(QStringLiteral("Ce fichier n'est pas compatible avec votre version du jeu."))
{
}

GM_ExceptionFileTooOld::~GM_ExceptionFileTooOld() = default;
