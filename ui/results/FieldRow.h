#pragma once
// One field row of the option browser: acres, crop, yield, gross / net inches, costs, returns and net
// return per acre, and the button that opens the field's cost details. The row keeps its own copy of the
// field it shows.
#include <functional>
#include <memory>

#include <QWidget>

#include "model/Field.h"
#include "model/SessionState.h"

class QLabel;
class QToolButton;

namespace korvel::ui {

class FieldRow : public QWidget {
    Q_OBJECT
public:
    // Column widths in pixels, shared with the browser's column headings.
    static constexpr int kAcresWidth = 90;
    static constexpr int kCropWidth = 110;
    static constexpr int kYieldWidth = 110;
    static constexpr int kDepthWidth = 45;
    static constexpr int kSlashWidth = 12;
    static constexpr int kCostsWidth = 115;
    static constexpr int kReturnsWidth = 100;
    static constexpr int kProfitWidth = 100;
    static constexpr int kDetailsWidth = 30;

    explicit FieldRow(const SessionState& session, QWidget* parent = nullptr);

    // The row's own copy of the field it shows.
    std::shared_ptr<Field> theField = std::make_shared<Field>();

    // Keeps a copy of f and shows it; a step that fails is skipped and its label keeps its text.
    void loadField(const Field& f);

    // The details button: called with the row's own copy of its field.
    std::function<void(const std::shared_ptr<Field>&)> onDetails;

private:
    void showDetails();

    const SessionState& session_;
    QLabel* lblAcres;
    QLabel* lblCrop;
    QLabel* lblYield;
    QLabel* lblGross;
    QLabel* slashLabel; // "Label1"
    QLabel* lblNet;
    QLabel* lblTC;
    QLabel* lblTR;
    QLabel* lblProfit;
    QToolButton* cmdDetails;
};

} // namespace korvel::ui
