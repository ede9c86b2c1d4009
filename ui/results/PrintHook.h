#pragma once
// Where the result views print. The report printer is not built yet: until it is, printing either report
// tells the user that printing is not yet available. Replace these two functions' bodies (or the views'
// print hooks) when the report printer lands.
class QWidget;

namespace korvel::ui {

void printResultsReport(QWidget* parent);
void printDetailsReport(QWidget* parent);

} // namespace korvel::ui
