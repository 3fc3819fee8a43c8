#pragma once

#include <QString>

// Carries a message meant for the user from deep in the rules, record or
// file code up to the event loop, which shows it. Thrown by value, caught by
// reference.
class GM_Exception
{
public:
    explicit GM_Exception(const QString& message = QString());
    virtual ~GM_Exception();

    const QString& getMessage() const { return message_; }

protected:
    QString message_;
};
