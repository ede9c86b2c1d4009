#include "model/Stack.h"

#include "model/Errors.h"

namespace korvel {

long Stack::Count() const
{
    return static_cast<long>(entries_.size());
}

void Stack::Push(const Split& Data)
{
    entries_.push_back(Data);
}

Split Stack::Top() const
{
    if (entries_.empty())
        throw IndexError("the top of an empty split stack was asked for");
    return entries_.back();
}

Split Stack::Pop()
{
    if (entries_.empty())
        throw IndexError("a split was popped from an empty stack");
    Split top = std::move(entries_.back());
    entries_.pop_back();
    return top;
}

} // namespace korvel
