#pragma once
// The main window as the inputs file sees it, over plain members: the boxes' texts, the selected preset, the
// irrigation costs, a crop library whose crops are also the crop rows, the trend switch, and how often the
// rows were refreshed.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/InputsTarget.h"

namespace korvel::testing {

class PlainInputsTarget : public InputsTarget {
public:
    std::map<MainBox, std::string> main;
    int preset = -1;
    IrrigationCosts irrigation;
    std::map<IrrigationBox, std::string> irrigationBoxes;
    std::shared_ptr<CropScenario> library = std::make_shared<CropScenario>();
    int refreshes = 0;
    bool batch = false;

    explicit PlainInputsTarget(const std::vector<std::string>& cropTypes = {})
    {
        for (const std::string& cropType : cropTypes) {
            auto crop = std::make_shared<Crop>();
            crop->cropType = cropType;
            library->Add(crop);
        }
    }

    std::string mainText(MainBox box) const override
    {
        const auto it = main.find(box);
        return it == main.end() ? std::string() : it->second;
    }
    void setMainText(MainBox box, const std::string& text) override { main[box] = text; }
    int selectedPreset() const override { return preset; }
    void selectPreset(int index) override { preset = index; }
    IrrigationCosts& irrigationCosts() override { return irrigation; }
    void setIrrigationText(IrrigationBox box, const std::string& text) override { irrigationBoxes[box] = text; }
    std::shared_ptr<CropScenario> cropLibrary() const override { return library; }
    std::vector<std::shared_ptr<Crop>> cropRowCrops() const override
    {
        return std::vector<std::shared_ptr<Crop>>(library->begin(), library->end());
    }
    void refreshCropRows() override { ++refreshes; }
    bool batchEnabled() const override { return batch; }
    void setBatchEnabled(bool on) override { batch = on; }
};

} // namespace korvel::testing
