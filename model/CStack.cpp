#include "model/CStack.h"

#include "model/Errors.h"

namespace korvel {

long CStack::Count() const
{
    return static_cast<long>(entries_.size());
}

void CStack::Push(std::shared_ptr<CropScenario>& Data)
{
    entries_.push_back(std::move(Data));
    Data.reset();
}

std::shared_ptr<CropScenario> CStack::Top() const
{
    if (entries_.empty())
        return nullptr;
    return entries_.back();
}

std::shared_ptr<CropScenario> CStack::Pop()
{
    if (entries_.empty())
        throw IndexError("a crop combination was popped from an empty stack");
    auto top = std::move(entries_.back());
    entries_.pop_back();
    return top;
}

} // namespace korvel
