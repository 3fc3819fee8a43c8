#include "ZB_Application.h"

#include "GM_Exception.h"
#include "GM_SharedFunctions.h"
#include "ZB_Room.h"
#include "ZB_TableFonts.h"
#include "ZB_TraceLog.h"

#include <QFontDatabase>
#include <QMutexLocker>
#include <QTimer>

namespace {

const char* const policesEmbarquees[] = {":/fonts/DejaVuSans.ttf", ":/fonts/DejaVuSans-Bold.ttf",
                                         ":/fonts/DejaVuSerif.ttf"};

} // namespace

int& ZB_Application::prepare_(int& argc)
{
    // Only honoured before the application object is built; a policy chosen
    // in the environment (QT_SCALE_FACTOR_ROUNDING_POLICY) still wins.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(ARRONDI_ECHELLE);
    return argc;
}

ZB_Application::ZB_Application(int& argc, char** argv)
    : QApplication(prepare_(argc), argv)
{
    // Before the first connection carries them.
    ZB_Room::enregistreTypesDesSignaux();
    enregistrePolices_();
    ZB_TableFonts::install();
    police_ = QApplication::font();
    if (!policesEmbarquees_.isEmpty())
        police_.setFamily(policesEmbarquees_.first());
    setScaledFontBase(police_);
}

ZB_Application::~ZB_Application()
{
    resetScaledFontBase();
    closeTraceLog();
}

ZB_Application* ZB_Application::instance()
{
    return qobject_cast<ZB_Application*>(QCoreApplication::instance());
}

void ZB_Application::enregistrePolices_()
{
    for (const char* chemin : policesEmbarquees) {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(chemin));
        if (id < 0) {
            qWarning("Embedded font %s could not be registered", chemin);
            continue;
        }
        const QStringList familles = QFontDatabase::applicationFontFamilies(id);
        for (const QString& famille : familles)
            if (!policesEmbarquees_.contains(famille))
                policesEmbarquees_ << famille;
    }
}

bool ZB_Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const GM_Exception& e) {
        {
            QMutexLocker lock(&exceptionsMutex_);
            messagesExceptions_ << e.getMessageAffiche();
        }
        // Shown later, from the event loop: the handler that threw may have
        // left its objects half-way, and a box must not re-enter them now.
        QTimer::singleShot(0, this, &ZB_Application::OnException);
        return false;
    }
}

void ZB_Application::OnException()
{
    QString message;
    {
        QMutexLocker lock(&exceptionsMutex_);
        if (messagesExceptions_.isEmpty())
            return;
        message = messagesExceptions_.takeFirst();
    }
    qWarning("%s", qUtf8Printable(message));
    if (traceLog_)
        traceLog_->log(QStringLiteral("Exception: ") + message);
    messageBox(GM::Critical, tr("Erreur"), message, GM::Ok);
}

QFont ZB_Application::getFontApplication() const
{
    return police_;
}

void ZB_Application::setFontApplication(const QFont& police)
{
    police_ = police;
    setScaledFontBase(police_);
}

ZB_TraceLog* ZB_Application::getTraceLog()
{
    if (!traceLog_) {
        QString dossier = appDataPath(applicationName());
        if (dossier.endsWith(QLatin1Char('/')))
            dossier.chop(1);
        traceLog_ = std::make_unique<ZB_TraceLog>(dossier);
    }
    return traceLog_.get();
}

void ZB_Application::closeTraceLog()
{
    if (traceLog_)
        traceLog_->close();
}

QStringList ZB_Application::getMessagesEnAttente() const
{
    QMutexLocker lock(&exceptionsMutex_);
    return messagesExceptions_;
}
