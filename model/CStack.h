#pragma once
// A last-in-first-out stack of crop scenarios by reference.
#include <memory>
#include <vector>

#include "model/CropScenario.h"

namespace korvel {

class CStack {
public:
    long Count() const;
    // Stores the reference on top and sets the caller's Data to nothing.
    void Push(std::shared_ptr<CropScenario>& Data);
    // The top entry, or nothing when empty.
    std::shared_ptr<CropScenario> Top() const;
    // The top entry, removed; throws IndexError on an empty stack.
    std::shared_ptr<CropScenario> Pop();

private:
    std::vector<std::shared_ptr<CropScenario>> entries_;
};

} // namespace korvel
