#pragma once
// Every ordered choice of one crop per field, with repetition.
#include <memory>
#include <vector>

#include "model/CropScenario.h"

namespace korvel::MakingCropCombos {

// n^nFields combinations in descending lexicographic order of the crops' positions (the last crop first).
// Every crop in the result is a copy made while building; combinations sharing a prefix share its copies.
// Throws InvalidArgument when nFields is below 1.
std::vector<std::shared_ptr<CropScenario>> makeCropCombos(const CropScenario& crops, int nFields);

} // namespace korvel::MakingCropCombos
