#pragma once

#include <QObject>

#include <functional>

// Several QtTest classes share one executable per area: each test source
// registers its class, and the shared main runs them in turn. Arguments that
// name registered classes select those, "!" and a class's name leaves that
// one out (so that a build can run an area's slow classes beside the rest);
// the rest go to QtTest.
namespace zbtest {

using Factory = std::function<QObject*()>;
bool registerTest(const char* name, Factory factory);
int runAll(int argc, char* argv[]);

} // namespace zbtest

#define ZB_REGISTER_TEST(Class)                                                                                       \
    static const bool zbRegistered_##Class = zbtest::registerTest(#Class, [] { return new Class; });
