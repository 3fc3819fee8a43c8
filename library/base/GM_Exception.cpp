#include "GM_Exception.h"

#include <QCoreApplication>

#include <exception>

GM_Exception::GM_Exception(const QString& message)
    : message_(message)
{
}

GM_Exception::~GM_Exception() = default;

QString GM_Exception::getMessageAffiche() const
{
    return message_.isEmpty() ? message_ : QCoreApplication::translate("GM_Exception", message_.toUtf8().constData());
}

QString GM_Exception::messageDeLExceptionCourante()
{
    try {
        throw;
    } catch (const GM_Exception& e) {
        return e.getMessage().isEmpty() ? QStringLiteral("GM_Exception") : e.getMessageAffiche();
    } catch (const std::exception& e) {
        const QString message = QString::fromUtf8(e.what());
        return message.isEmpty() ? QStringLiteral("std::exception") : message;
    } catch (...) {
        return QStringLiteral("unknown exception");
    }
}
