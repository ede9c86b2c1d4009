#pragma once
// The production-cost pane: one crop's production costs and other returns.
#include <QFrame>
#include <memory>

namespace korvel { class Crop; }
namespace korvel::ui {

class MainWindow;

class ProductionCostPane : public QFrame {
    Q_OBJECT
public:
    // False while the pane is an empty frame: the menu items and buttons that open it stay disabled.
    static constexpr bool kBuilt = false;

    explicit ProductionCostPane(MainWindow& main, QWidget* parent = nullptr);
    // Opens the pane for crop (a crop row's "Costs/Returns"): fills the boxes, makes it activeCrop, shows it.
    void openFor(const std::shared_ptr<korvel::Crop>& crop);

private:
    MainWindow& main_;
};

} // namespace korvel::ui
