#pragma once

#include <QTest>
#include <QtGlobal>

// What a test needs from the machine (an X server to start, a TLS backend,
// loopback addresses beyond 127.0.0.1): where it is missing the test is
// skipped on a developer's machine, but fails under CI (CI set in the
// environment, as .ci/run does), where a skip would pass for a success.
#define ZB_MANQUE(message)                                                                                             \
    do {                                                                                                               \
        if (!qEnvironmentVariableIsEmpty("CI"))                                                                        \
            QFAIL(message " (needed under CI)");                                                                       \
        QSKIP(message);                                                                                                \
    } while (false)
