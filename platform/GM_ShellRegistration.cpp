#include "GM_ShellRegistration.h"

#include "GM_FichierRegulier.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

// In the store, "Default" names the unnamed default value of a key and "/"
// separates subkeys.
const QString DEFAULT_VALUE = QStringLiteral("/Default");

} // namespace

QString GM_ShellRegistration::storePath()
{
#ifdef Q_OS_WIN
    return QString();
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    if (folder.isEmpty())
        return QString();
    return folder + QLatin1Char('/') + QLatin1String(STORE_FILE_NAME);
#endif
}

std::unique_ptr<QSettings> GM_ShellRegistration::openStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QLatin1String(WINDOWS_ROOT), QSettings::NativeFormat);
#else
    const QString path = storePath();
    if (path.isEmpty())
        return nullptr;
    QDir().mkpath(QFileInfo(path).absolutePath());
    // The store reads its file as it opens and writes where it read, and
    // reads a lock file it finds beside it: a pipe in either place would
    // hold the start in open(), a link would be written through.
    if (!GM_FichierRegulier::ecarte(path) || !GM_FichierRegulier::ecarte(path + QStringLiteral(".lock")))
        return nullptr;
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
#endif
}

void GM_ShellRegistration::registerProgram(const QString& scheme, const QString& programPath)
{
    if (scheme.isEmpty())
        return;
    const std::unique_ptr<QSettings> store = openStore();
    if (!store)
        return;
    store->setValue(scheme + DEFAULT_VALUE, QStringLiteral("URL:%1").arg(scheme));
    store->setValue(scheme + QStringLiteral("/DefaultIcon") + DEFAULT_VALUE, QDir::toNativeSeparators(programPath));
    store->setValue(scheme + QStringLiteral("/URL Protocol"), QString());
    // The shell puts the opened file or address in place of the literal "%1".
    const QString command = QStringLiteral("\"%1\"").arg(programPath) + QStringLiteral(" \"%1\"");
    store->setValue(scheme + QStringLiteral("/shell/open/command") + DEFAULT_VALUE, command);
    for (const char* type : GAME_FILE_TYPES)
        store->setValue(QLatin1String(type) + DEFAULT_VALUE, scheme);
    store->sync();
}
