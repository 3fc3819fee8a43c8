#pragma once

#include <functional>
#include <memory>
#include <unordered_set>
#include <utility>

namespace discord {

class PendingCompletions;

// A completion callable handed to the library as callback data. The library
// answers each request at most once, through a static function that takes
// the completion back (Completion::take), calls it and frees it.
class CompletionBase
{
public:
    explicit CompletionBase(PendingCompletions& pending);
    CompletionBase(const CompletionBase&) = delete;
    CompletionBase& operator=(const CompletionBase&) = delete;
    virtual ~CompletionBase();

protected:
    // The library has answered: the completion is no longer pending.
    void answered();

private:
    PendingCompletions* pending_;
};

// The completions a core has handed to the library and that the library has
// not answered yet. A library that never answers would otherwise leak them
// and whatever their callables hold: when the core is destroyed, after the
// library's own core object (so nothing can answer any more), the rest are
// freed without being called.
class PendingCompletions
{
public:
    PendingCompletions() = default;
    PendingCompletions(const PendingCompletions&) = delete;
    PendingCompletions& operator=(const PendingCompletions&) = delete;
    ~PendingCompletions();

    int count() const;

private:
    friend class CompletionBase;
    void add(CompletionBase* completion);
    void remove(CompletionBase* completion);

    std::unordered_set<CompletionBase*> pending_;
};

template <typename... Args>
class Completion : public CompletionBase
{
public:
    using Callable = std::function<void(Args...)>;

    // Moves the callable to the heap and registers it; the answer is the
    // callback data to hand to the library.
    static void* hand(PendingCompletions& pending, Callable callable)
    {
        return new Completion(pending, std::move(callable));
    }

    // The library's answer: ownership comes back here. Null data gives null.
    static std::unique_ptr<Completion> take(void* callbackData)
    {
        std::unique_ptr<Completion> completion(static_cast<Completion*>(callbackData));
        if (completion)
            completion->answered();
        return completion;
    }

    // Calls the callable unless it is empty.
    void operator()(Args... args) const
    {
        if (callable_)
            callable_(args...);
    }

private:
    Completion(PendingCompletions& pending, Callable callable)
        : CompletionBase(pending), callable_(std::move(callable))
    {
    }

    Callable callable_;
};

} // namespace discord
