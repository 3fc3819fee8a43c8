#include "DiscordApi.h"

#include "DiscordTypes.h"

#include <atomic>

namespace {

DiscordResultCode libraryAbsent(DiscordVersion version, DiscordCreateParams* params, DiscordCoreTable** result)
{
    (void)version;
    (void)params;
    (void)result;
    return static_cast<DiscordResultCode>(discord::Result::NotInstalled);
}

std::atomic<DiscordCreateFunction>& installed()
{
    static std::atomic<DiscordCreateFunction> function{&libraryAbsent};
    return function;
}

} // namespace

DiscordCreateFunction discordCreateFunction()
{
    return installed().load();
}

DiscordCreateFunction setDiscordCreateFunction(DiscordCreateFunction function)
{
    return installed().exchange(function ? function : &libraryAbsent);
}
