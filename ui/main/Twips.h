#pragma once
// Shorthand for the window layouts, which are designed in twips.
#include "ui/platform/Twips.h"

namespace korvel::ui {

inline int twips(int t)
{
    return twipsToPixels(t);
}

} // namespace korvel::ui
