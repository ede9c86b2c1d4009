#pragma once
// A last-in-first-out stack of splits with value semantics: Push stores a copy, Top and Pop hand out copies.
#include <vector>

#include "model/Split.h"

namespace korvel {

class Stack {
public:
    long Count() const;
    void Push(const Split& Data);
    // A copy of the top entry; throws IndexError on an empty stack.
    Split Top() const;
    // A copy of the top entry, which is then removed; throws IndexError on an empty stack.
    Split Pop();

private:
    std::vector<Split> entries_;
};

} // namespace korvel
