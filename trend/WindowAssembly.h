#pragma once
// The whole main window: the panes of the results layer and of the trend layer, for MainWindow and
// WelcomeWindow to build with the main window's own panes.
#include "ui/main/UpperPanes.h"

namespace korvel::ui {

UpperPanes resultsAndTrendPanes();

} // namespace korvel::ui
