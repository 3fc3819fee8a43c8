#include "GM_NativeA.h"

GM_NativeA::CallBackContactEmail::~CallBackContactEmail() = default;

GM_NativeA::~GM_NativeA() = default;

void GM_NativeA::requestContactEmail(CallBackContactEmail* callback)
{
    Q_UNUSED(callback);
}

void GM_NativeA::discordInit()
{
}

void GM_NativeA::discordSetActivity(const QString& text)
{
    Q_UNUSED(text);
}

void GM_NativeA::discordSetActivityScore(int points, int adversary, const QString& suffix)
{
    Q_UNUSED(points);
    Q_UNUSED(adversary);
    Q_UNUSED(suffix);
}

void GM_NativeA::vibrate(int milliseconds)
{
    Q_UNUSED(milliseconds);
}
