#pragma once

#include <QString>

// Carries a message meant for the user from deep in the rules, record or
// file code up to the event loop, which shows it. Thrown by value, caught by
// reference.
//
// Code that must not let anything escape (a slot, an event handler, a
// network intake) turns whatever was thrown into one message with
// messageDeLExceptionCourante or sansException: that message is never empty,
// so that an empty message always means that nothing was thrown.
class GM_Exception
{
public:
    explicit GM_Exception(const QString& message = QString());
    virtual ~GM_Exception();

    const QString& getMessage() const { return message_; }
    // The message in the language shown now. The file exceptions' fixed
    // texts stay French in the object (they may be thrown before a
    // translator is installed) and are translated here, where they are
    // read; a message translated when thrown comes back as it is.
    QString getMessageAffiche() const;

    // The message of the exception being handled; call it in a catch block.
    static QString messageDeLExceptionCourante();

    // Runs f; the message of whatever it throws, empty when it threw nothing.
    template <typename F>
    static QString sansException(F&& f)
    {
        try {
            f();
            return QString();
        } catch (...) {
            return messageDeLExceptionCourante();
        }
    }

protected:
    QString message_;
};
