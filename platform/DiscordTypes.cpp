#include "DiscordTypes.h"

#include <cstring>

namespace discord {

namespace {

constexpr unsigned char UTF8_CONTINUATION_MASK = 0xC0;
constexpr unsigned char UTF8_CONTINUATION = 0x80;

bool isContinuation(char byte)
{
    return (static_cast<unsigned char>(byte) & UTF8_CONTINUATION_MASK) == UTF8_CONTINUATION;
}

template <std::size_t N>
void copyInto(char (&field)[N], const char* text)
{
    copyText(field, N, text);
}

} // namespace

std::size_t wholeCharactersWithin(const char* text, std::size_t length, std::size_t limit)
{
    if (length <= limit)
        return length;
    // The byte after the cut starts a character unless it continues one; back
    // off to that character's first byte so that it is left out whole.
    std::size_t cut = limit;
    while (cut > 0 && isContinuation(text[cut]))
        --cut;
    return cut;
}

void copyText(char* field, std::size_t size, const char* text)
{
    if (size == 0)
        return;
    std::memset(field, 0, size);
    if (!text)
        return;
    const std::size_t length = std::strlen(text);
    std::memcpy(field, text, wholeCharactersWithin(text, length, size - 1));
}

void User::SetUsername(const char* username)
{
    copyInto(internal_.username, username);
}

void ActivityAssets::SetLargeImage(const char* key)
{
    copyInto(internal_.large_image, key);
}

void ActivityAssets::SetLargeText(const char* text)
{
    copyInto(internal_.large_text, text);
}

void ActivityAssets::SetSmallImage(const char* key)
{
    copyInto(internal_.small_image, key);
}

void ActivityAssets::SetSmallText(const char* text)
{
    copyInto(internal_.small_text, text);
}

void Activity::SetName(const char* name)
{
    copyInto(internal_.name, name);
}

void Activity::SetState(const char* state)
{
    copyInto(internal_.state, state);
}

void Activity::SetDetails(const char* details)
{
    copyInto(internal_.details, details);
}

Result LobbyTransaction::SetType(LobbyType type)
{
    if (!internal_)
        return Result::InternalError;
    return static_cast<Result>(internal_->set_type(internal_, static_cast<std::int32_t>(type)));
}

Result LobbyTransaction::SetCapacity(std::uint32_t capacity)
{
    if (!internal_)
        return Result::InternalError;
    return static_cast<Result>(internal_->set_capacity(internal_, capacity));
}

Result LobbyTransaction::SetMetadata(const char* key, const char* value)
{
    if (!internal_ || !key || !value)
        return Result::InternalError;
    return static_cast<Result>(internal_->set_metadata(internal_, key, value));
}

Result LobbySearchQuery::Limit(std::uint32_t limit)
{
    if (!internal_)
        return Result::InternalError;
    return static_cast<Result>(internal_->limit(internal_, limit));
}

} // namespace discord
