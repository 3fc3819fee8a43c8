#include "GM_ExceptionFileTooOld.h"

// The message is kept in French: it may be thrown before a translator is
// installed; getMessageAffiche translates it where it is shown.
GM_ExceptionFileTooOld::GM_ExceptionFileTooOld()
    : GM_Exception(
        QString::fromUtf8(QT_TRANSLATE_NOOP("GM_Exception", "Ce fichier n'est pas compatible avec votre version du jeu.")))
{
}

GM_ExceptionFileTooOld::~GM_ExceptionFileTooOld() = default;
