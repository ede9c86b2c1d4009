#pragma once
// One crop row of the main pane: a tick box with the crop's name, the price and maximum-yield boxes with
// their unit captions and the "Costs/Returns" button. The row holds the library crop object itself and
// writes the typed price and maximum yield into it as they are typed.
//
// Controls (objectNames): "chkCrop", "txtPrice", "lblPriceUnits", "txtMaxYield", "lblYieldUnits",
// "cmdInputCosts", "background". The rows themselves are "cr(0)", "cr(1)", ... in row order.
#include <QList>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <utility>

#include "model/Crop.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvel::ui {

// The price and maximum-yield limits the crop rows test against; nothing for "Fallow", whose boxes take no value.
std::optional<std::pair<double, double>> cropRowLimits(const std::string& cropType);

class CropRow : public QWidget {
    Q_OBJECT
public:
    explicit CropRow(QWidget* parent = nullptr);

    // The crop shown by the row (created empty on first use when unset).
    const std::shared_ptr<korvel::Crop>& crop();
    void setCrop(std::shared_ptr<korvel::Crop> crop);

    void loadInfo(const QString& cropType, const QString& priceUnits, const QString& costUnits,
                  const QString& yieldUnits);
    bool isActive() const;
    // The price as the box shows it (digit grouping accepted), else the leading number, 0 when none.
    double getPrice() const;
    void setPrice(double newPrice);
    void setMaxYield(double newYield);
    // The leading number of the maximum-yield box, 0 when there is none.
    double getMaxYield() const;
    // The tick box's caption (the crop name).
    QString GetCrop() const;
    void setDefault(double price, double maxYield);
    void applyTick();
    void openInputCosts();
    // Shows the crop's price ("#,##0.00", or every digit when it has more than cents) and maximum yield (plain),
    // each as a text that reads back as the crop's value.
    void refresh();
    // The row's controls that take the focus, left to right: the tick box, the price, the maximum yield and
    // "Costs/Returns".
    QList<QWidget*> controlsInReadingOrder() const;

    // What the user typed or loaded into the row and its crop.
    struct Entries {
        std::shared_ptr<korvel::Crop> crop;
        bool ticked = false;
        QString price;
        QString maxYield;
    };
    Entries entries();
    // After the library was read again: the row takes what it held for the same crop before (its tick, the two
    // boxes' texts, and into its new crop the price, maximum yield and production costs with the optimal-rate
    // flags, the stand life and the trend override), or, with nothing before, starts unticked and empty as a
    // new row does. The yield table and units stay the library's. The change handlers do not run.
    void carryOver(const Entries* before);

    QCheckBox* chkCrop;
    QLineEdit* txtPrice;
    QLabel* lblPriceUnits;
    QLineEdit* txtMaxYield;
    QLabel* lblYieldUnits;
    QPushButton* cmdInputCosts;
    QFrame* background;

signals:
    // "Costs/Returns": the production-cost pane opens for this crop.
    void inputCostsRequested(const std::shared_ptr<korvel::Crop>& crop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The units beside the price and the yield, their designed distance from the boxes' right sides.
    void followBoxes();
    void storePrice();
    void storeMaxYield();
    void checkPrice();
    void checkMaxYield();

    std::shared_ptr<korvel::Crop> crop_;
};

} // namespace korvel::ui
