#include "GM_LineEdit.h"

GM_LineEdit::GM_LineEdit(QWidget* parent)
    : QLineEdit(parent)
{
}

GM_LineEdit::~GM_LineEdit() = default;
