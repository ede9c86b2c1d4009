#pragma once
// The details pane: holds the field cost details theDetails and connects them to the main window (Back,
// the Print menu).
#include <QFrame>

namespace korvel {
class Field;
}

namespace korvel::ui {

class FieldCostDetails;
class PaneHost;
class ResultsPanes;

class DetailsPane : public QFrame {
    Q_OBJECT
public:
    explicit DetailsPane(ResultsPanes& panes, QWidget* parent = nullptr);

    // The field cost details ("theDetails").
    FieldCostDetails* theDetails() const { return theDetails_; }
    // theDetails.loadCosts: fills the pane from a copy of the field.
    void loadCosts(const korvel::Field& f);

private:
    PaneHost& main_; // the window, through its host interface
    ResultsPanes& panes_;
    FieldCostDetails* theDetails_;
};

} // namespace korvel::ui
