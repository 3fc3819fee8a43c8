#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace discord {

// A typed event of the Discord binding: any number of subscribers, called in
// the order they connected, each with the same arguments.
//
// Rules:
// - Connect hands out tokens 0, 1, 2 ... one per accepted subscriber. An
//   empty callable is refused (the answer is REFUSED and no token is used):
//   events are raised from inside the library's C callbacks, where calling an
//   empty callable would throw through C code.
// - Disconnect removes the subscriber with that token; an unknown token is
//   ignored. DisconnectAll removes every subscriber; tokens keep growing.
// - A subscriber may connect or disconnect subscribers while the event is
//   raised: that raising still calls exactly those connected when it began.
template <typename... Args>
class Event
{
public:
    using Token = int;
    using Callable = std::function<void(Args...)>;

    static constexpr Token REFUSED = -1;
    static constexpr int RESERVED_SUBSCRIBERS = 4;

    Event() { slots_.reserve(RESERVED_SUBSCRIBERS); }

    Token Connect(Callable callable)
    {
        if (!callable)
            return REFUSED;
        const Token token = nextToken_++;
        slots_.emplace_back(token, std::move(callable));
        return token;
    }

    void Disconnect(Token token)
    {
        for (auto it = slots_.begin(); it != slots_.end(); ++it) {
            if (it->first == token) {
                slots_.erase(it);
                return;
            }
        }
    }

    void DisconnectAll() { slots_.clear(); }

    int SubscriberCount() const { return static_cast<int>(slots_.size()); }

    void operator()(Args... args) const
    {
        if (slots_.empty())
            return;
        const auto raised = slots_;
        for (const auto& slot : raised)
            slot.second(args...);
    }

private:
    Token nextToken_ = 0;
    std::vector<std::pair<Token, Callable>> slots_;
};

} // namespace discord
