#include "model/CropScenario.h"

#include "model/Errors.h"

namespace korvel {

void CropScenario::Add(std::shared_ptr<Crop> theCrop)
{
    mCol_.push_back(std::move(theCrop));
}

const std::shared_ptr<Crop>& CropScenario::Item(long i) const
{
    if (i < 1 || static_cast<std::size_t>(i) > mCol_.size())
        throw IndexError("crop " + std::to_string(i) + " does not exist (the list holds " +
                         std::to_string(mCol_.size()) + ")");
    return mCol_[static_cast<std::size_t>(i) - 1];
}

long CropScenario::Count() const
{
    return static_cast<long>(mCol_.size());
}

std::string CropScenario::toString() const
{
    std::string text;
    for (std::size_t i = 0; i < mCol_.size(); ++i) {
        if (i > 0)
            text += ", ";
        if (mCol_[i])
            text += mCol_[i]->cropType;
    }
    return text;
}

std::shared_ptr<CropScenario> CropScenario::Copy() const
{
    auto c = std::make_shared<CropScenario>();
    c->mCol_ = mCol_;
    return c;
}

} // namespace korvel
