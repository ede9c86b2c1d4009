#pragma once
// What the inputs file reads from and writes into: the main pane's general boxes and preset, the irrigation
// costs and the irrigation-cost pane's boxes, the crop library and the crop rows, and the trend switch.
// The main window implements it; tests use a fake.
//
// Setting a box's text is expected to behave as typing does (its change handler runs: volume, capacity check,
// cost previews); the inputs file relies on that.
#include <memory>
#include <string>
#include <vector>

#include "model/Crop.h"
#include "model/CropScenario.h"
#include "model/GeneralInputs.h"
#include "model/IrrigationCosts.h"

namespace korvel {

class InputsTarget {
public:
    virtual ~InputsTarget() = default;

    // The general inputs of the last save or load (kept between them: a save with no preset selected keeps the
    // preset of the previous one).
    GeneralInputs MainInputs;

    enum class MainBox { txtAnnRain, txtEff, txtArea, txtMax };
    enum class IrrigationBox {
        txtGPM,
        txtEstHours,
        txtLift,
        txtPSI,
        cboFuelType,
        txtCost,
        txtLaborPerHour,
        txtRepairsPerAcre
    };

    // The text of a main-pane box, and setting it (change handlers run).
    virtual std::string mainText(MainBox box) const = 0;
    virtual void setMainText(MainBox box, const std::string& text) = 0;

    // The selected land-split preset Option1(0..5), -1 when none is selected; selecting one (0..5 only).
    virtual int selectedPreset() const = 0;
    virtual void selectPreset(int index) = 0;

    // tempIrrigationCosts, the irrigation costs every evaluation uses (created empty on first use).
    virtual IrrigationCosts& irrigationCosts() = 0;
    // Setting the text of a box of the irrigation-cost pane (the text boxes' change handlers run; the fuel
    // box's text is set without running its selection handler).
    virtual void setIrrigationText(IrrigationBox box, const std::string& text) = 0;

    // The crop library, cropFiles.cropCollection (saved in library order); null when there is none.
    virtual std::shared_ptr<CropScenario> cropLibrary() const = 0;
    // The crops of the crop rows in row order (the library Crop objects themselves).
    virtual std::vector<std::shared_ptr<Crop>> cropRowCrops() const = 0;
    // refresh of every crop row, in row order (price and maximum yield boxes from the crop).
    virtual void refreshCropRows() = 0;

    // BatchEnabled, trend processing switched on.
    virtual bool batchEnabled() const = 0;
    virtual void setBatchEnabled(bool on) = 0;
};

} // namespace korvel
