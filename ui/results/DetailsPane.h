#pragma once
// The cost details of one field of the shown option.
#include <QFrame>

namespace korvel::ui {

class MainWindow;

class DetailsPane : public QFrame {
    Q_OBJECT
public:
    // False while the pane is an empty frame: the menu items and buttons that open it stay disabled.
    static constexpr bool kBuilt = false;

    explicit DetailsPane(MainWindow& main, QWidget* parent = nullptr);

private:
    MainWindow& main_;
};

} // namespace korvel::ui
