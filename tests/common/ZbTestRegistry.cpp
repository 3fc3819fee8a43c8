#include "ZbTestRegistry.h"

#include <QTest>

#include <memory>
#include <utility>
#include <vector>

namespace zbtest {

namespace {
std::vector<std::pair<QByteArray, Factory>>& registry()
{
    static std::vector<std::pair<QByteArray, Factory>> tests;
    return tests;
}
} // namespace

bool registerTest(const char* name, Factory factory)
{
    registry().emplace_back(name, std::move(factory));
    return true;
}

int runAll(int argc, char* argv[])
{
    QStringList selected;
    QStringList excluded;
    QStringList qtestArgs{QString::fromLocal8Bit(argv[0])};
    const auto isClass = [](const QString& name) {
        for (const auto& entry : registry())
            if (entry.first == name.toUtf8())
                return true;
        return false;
    };
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg.startsWith(QLatin1Char('!')) && isClass(arg.mid(1)))
            excluded << arg.mid(1);
        else
            (isClass(arg) ? selected : qtestArgs) << arg;
    }

    int failures = 0;
    for (const auto& entry : registry()) {
        const QString name = QString::fromUtf8(entry.first);
        if ((!selected.isEmpty() && !selected.contains(name)) || excluded.contains(name))
            continue;
        std::unique_ptr<QObject> test(entry.second());
        failures += QTest::qExec(test.get(), qtestArgs);
    }
    return failures == 0 ? 0 : 1;
}

} // namespace zbtest
