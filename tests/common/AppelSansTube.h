#pragma once

// A call that must not wait on a pipe that took a file's name. It runs on a
// thread of its own; when it has not returned within delaiMs, each pipe of
// tubes is opened for writing once and closed again, which lets a read
// waiting in open() go on (to an empty file), so that a test fails rather
// than hangs. The answer: whether the call returned by itself in time.
// Whatever the call uses must outlive it: a call that never returns, even
// then, is left running.

#include <QByteArray>
#include <QFile>
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
