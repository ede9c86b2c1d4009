// The inputs file reader, through loadInputs on a file holding the input, into a window with the crops Corn,
// Wheat, Fallow and Barley. Checks: a load refreshes the crop rows once when it succeeds and never when it
// fails; it selects only presets 0 to 5; every number it writes into an irrigation-cost box reads back as a
// number; the crop library keeps its crops.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "model/FakeInputsWindow.h"
#include "model/InputsFile.h"
#include "model/Numbers.h"
#include "model/TempFolder.h"

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const korvel::testing::TempFolder folder("korvel-fuzz-inputs");
    {
        std::ofstream out(korvel::InputsFile::inputsPath(folder.path()), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    korvel::testing::FakeWindow target({"Corn", "Wheat", "Fallow", "Barley"});
    const bool loaded = korvel::InputsFile::loadInputs(folder.path(), target);

    require(target.refreshes == (loaded ? 1 : 0));
    require(target.preset >= -1 && target.preset <= 5);
    require(target.library->Count() == 4);
    using Box = korvel::InputsTarget::IrrigationBox;
    for (const auto& [box, text] : target.irrigationBoxes)
        if (box != Box::cboFuelType)
            require(korvel::num::isNumeric(text));
    return 0;
}
