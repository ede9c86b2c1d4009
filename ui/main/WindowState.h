#pragma once
// The application state the main window holds and its panes share: the crop library reader, the crop being
// edited, the irrigation costs every run uses, the crops and main-pane texts of the last run, the saved options,
// the soil, the information line's standing text and the number of trend processes of a fixed trend.
#include <QString>
#include <memory>
#include <vector>

namespace korvel {
class Crop;
class CropScenario;
class FieldCollection;
class FileReader;
class IrrigationCosts;
} // namespace korvel

namespace korvel::ui {

// Saved or ranked options: the allocation objects themselves, shared.
using OptionList = std::vector<std::shared_ptr<korvel::FieldCollection>>;

// The main pane's texts as a run read its inputs from them.
struct RunTexts {
    QString txtArea;    // total acres
    QString txtEff;     // irrigation efficiency, percent
    QString txtAnnRain; // annual rainfall
    QString txtMax;     // seasonal gross irrigation, inches
};

struct WindowState {
    std::shared_ptr<korvel::FileReader> cropFiles;                // the crop library reader
    std::shared_ptr<korvel::Crop> activeCrop;                     // the crop on the production-cost pane
    std::shared_ptr<korvel::IrrigationCosts> tempIrrigationCosts; // the irrigation costs every run uses
    std::shared_ptr<korvel::CropScenario> cs;                     // the crops of the last run
    RunTexts lastRunTexts;                                        // the main pane's texts the last run read
    OptionList summaryResults;                                    // saved options, in saving order
    QString currentSoil;                                          // the soil box's text
    QString strMainInfo;                                          // the standing text of the information line
    int MaximumBatches = 0;                                       // trend processes of a fixed trend
};

} // namespace korvel::ui
