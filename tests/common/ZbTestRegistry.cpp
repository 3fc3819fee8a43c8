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
    QStringList qtestArgs{QString::fromLocal8Bit(argv[0])};
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        bool isClass = false;
        for (const auto& entry : registry())
            isClass = isClass || entry.first == arg.toUtf8();
        (isClass ? selected : qtestArgs) << arg;
    }

    int failures = 0;
    for (const auto& entry : registry()) {
        if (!selected.isEmpty() && !selected.contains(QString::fromUtf8(entry.first)))
            continue;
        std::unique_ptr<QObject> test(entry.second());
        failures += QTest::qExec(test.get(), qtestArgs);
    }
    return failures == 0 ? 0 : 1;
}

} // namespace zbtest
