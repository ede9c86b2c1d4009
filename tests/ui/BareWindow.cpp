// The tests of the main window's own layer build it without the panes of the layers above it.
#include "ui/MainWindowFixture.h"

namespace korvel::ui::test {

UpperPanes windowPanes()
{
    return {};
}

} // namespace korvel::ui::test
