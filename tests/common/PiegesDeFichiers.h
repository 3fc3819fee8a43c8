#pragma once

// What takes the names of the program's files in the tests: pipes a call
// must not wait on, and dangling links at the names a file is about to get.
//
// A call that must not wait on a pipe that took a file's name. It runs on a
// thread of its own; when it has not returned within delaiMs, each pipe of
// tubes is opened for writing once and closed again, which lets a read
// waiting in open() go on (to an empty file), so that a test fails rather
// than hangs. The answer: whether the call returned by itself in time.
// Whatever the call uses must outlive it: a call that never returns, even
// then, is left running.

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

inline bool appelSansTube(std::function<void()> appel, const QStringList& tubes, int delaiMs = 5000)
{
    auto fini = std::make_shared<std::atomic<bool>>(false);
    std::thread fil([appel = std::move(appel), fini] {
        appel();
        fini->store(true);
    });
    const auto attend = [&fini](int ms) {
        const auto limite = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!fini->load() && std::chrono::steady_clock::now() < limite)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return fini->load();
    };
    const bool atemps = attend(delaiMs);
    for (int essai = 0; !fini->load() && essai < 50; ++essai) {
        for (const QString& tube : tubes) {
            const int d = ::open(QFile::encodeName(tube).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (d >= 0)
                ::close(d);
        }
        attend(100);
    }
    if (fini->load())
        fil.join();
    else
        fil.detach();
    return atemps;
}

// Links to nothing in dossier, under the names that format (a
// QDateTime::toString format, in quotes what stays) gives the next
// secondes seconds and that nothing holds yet, each leading to a name in
// ailleurs: a file that appears there was written through one of them.
inline bool liensPendants(const QString& dossier, const QString& format, const QString& ailleurs, int secondes = 10)
{
    const QDateTime maintenant = QDateTime::currentDateTime();
    for (int s = 0; s <= secondes; ++s) {
        const QString nom = maintenant.addSecs(s).toString(format);
        const QFileInfo pris(QDir(dossier).filePath(nom));
        if (!pris.exists() && !pris.isSymLink() && !QFile::link(QDir(ailleurs).filePath(nom), pris.filePath()))
            return false;
    }
    return true;
}
