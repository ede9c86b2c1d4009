#pragma once
// The custom crop editor.
#include <QFrame>

namespace korvel::ui {

class MainWindow;

class CustomCropPane : public QFrame {
    Q_OBJECT
public:
    // False while the pane is an empty frame: the menu items and buttons that open it stay disabled.
    static constexpr bool kBuilt = false;

    explicit CustomCropPane(MainWindow& main, QWidget* parent = nullptr);
    // The Tools menu's "Manage Custom Crops": shows the pane.
    void open();
    // The editor's lists as the main window's load fills them.
    void fillDesignLists();

private:
    MainWindow& main_;
};

} // namespace korvel::ui
