// The tests above the main window's layer build the whole window: the results and trend panes with it.
#include "ui/AssembledWindow.h"
#include "trend/WindowAssembly.h"

namespace korvel::ui::test {

UpperPanes windowPanes()
{
    return resultsAndTrendPanes();
}

} // namespace korvel::ui::test
