#include "model/MakingCropCombos.h"

#include "model/CStack.h"
#include "model/Errors.h"

namespace korvel::MakingCropCombos {

std::vector<std::shared_ptr<CropScenario>> makeCropCombos(const CropScenario& crops, int nFields)
{
    if (nFields < 1)
        throw InvalidArgument("crop combinations need at least one field");
    std::vector<std::shared_ptr<CropScenario>> result;
    CStack stack;
    for (const auto& c : crops) {
        auto scenario = std::make_shared<CropScenario>();
        scenario->Add(c->Copy());
        stack.Push(scenario);
    }
    while (stack.Count() > 0) {
        auto s = stack.Pop();
        if (s->Count() != nFields) {
            for (const auto& c : crops) {
                auto extended = s->Copy();
                extended->Add(c->Copy());
                stack.Push(extended);
            }
        } else {
            result.push_back(std::move(s));
        }
    }
    return result;
}

} // namespace korvel::MakingCropCombos
