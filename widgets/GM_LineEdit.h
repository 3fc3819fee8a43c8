#pragma once

#include <QLineEdit>

// The line edit of the lobby's text and password fields. It adds nothing
// yet; it is the one place to give them a behaviour of their own.
class GM_LineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit GM_LineEdit(QWidget* parent = nullptr);
    ~GM_LineEdit() override;
};
