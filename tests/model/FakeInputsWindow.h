#pragma once
// A fake main window for the inputs file tests.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/InputsTarget.h"

namespace korvel::testing {

// The main window as the inputs file sees it; every write is logged in order.
class FakeWindow : public korvel::InputsTarget {
public:
    std::map<MainBox, std::string> main;
    int preset = -1;
    korvel::IrrigationCosts irrigation;
    std::map<IrrigationBox, std::string> irrigationBoxes;
    std::shared_ptr<CropScenario> library = std::make_shared<CropScenario>();
    std::vector<std::shared_ptr<Crop>> rows;
    int refreshes = 0;
    bool batch = false;
    std::vector<std::string> log;

    FakeWindow() = default;
    // A window whose library holds these crops, each shown by a row of its own.
    explicit FakeWindow(const std::vector<std::string>& cropTypes)
    {
        for (const std::string& cropType : cropTypes)
            addCrop(cropType);
    }

    std::string mainText(MainBox box) const override
    {
        const auto it = main.find(box);
        return it == main.end() ? std::string() : it->second;
    }
    void setMainText(MainBox box, const std::string& text) override
    {
        main[box] = text;
        log.push_back(std::string(name(box)) + "=" + text);
    }
    int selectedPreset() const override { return preset; }
    void selectPreset(int index) override
    {
        preset = index;
        log.push_back("Option1(" + std::to_string(index) + ")");
    }
    korvel::IrrigationCosts& irrigationCosts() override { return irrigation; }
    void setIrrigationText(IrrigationBox box, const std::string& text) override
    {
        irrigationBoxes[box] = text;
        log.push_back(std::string(name(box)) + "=" + text);
    }
    std::shared_ptr<CropScenario> cropLibrary() const override { return library; }
    std::vector<std::shared_ptr<Crop>> cropRowCrops() const override { return rows; }
    void refreshCropRows() override { ++refreshes; }
    bool batchEnabled() const override { return batch; }
    void setBatchEnabled(bool on) override { batch = on; }

    // A library crop shown by a row of its own.
    std::shared_ptr<Crop> addCrop(const std::string& cropType)
    {
        auto crop = std::make_shared<Crop>();
        crop->cropType = cropType;
        library->Add(crop);
        rows.push_back(crop);
        return crop;
    }

    static const char* name(MainBox b)
    {
        switch (b) {
        case MainBox::txtAnnRain: return "txtAnnRain";
        case MainBox::txtEff: return "txtEff";
        case MainBox::txtArea: return "txtArea";
        case MainBox::txtMax: return "txtMax";
        }
        return "?";
    }
    static const char* name(IrrigationBox b)
    {
        switch (b) {
        case IrrigationBox::txtGPM: return "txtGPM";
        case IrrigationBox::txtEstHours: return "txtEstHours";
        case IrrigationBox::txtLift: return "txtLift";
        case IrrigationBox::txtPSI: return "txtPSI";
        case IrrigationBox::cboFuelType: return "cboFuelType";
        case IrrigationBox::txtCost: return "txtCost";
        case IrrigationBox::txtLaborPerHour: return "txtLaborPerHour";
        case IrrigationBox::txtRepairsPerAcre: return "txtRepairsPerAcre";
        }
        return "?";
    }
};

} // namespace korvel::testing
