// The one description of the production-cost fields: every member of inputCosts is in it or counted among the
// others, and each field it lists reaches its own line of the inputs file and back, the search's test that two
// crops cost alike, and Copy.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "FakeInputsWindow.h"
#include "TempFolder.h"
#include "model/InputsFile.h"
#include "model/ProductionCostFields.h"
#include "model/SearchTables.h"

namespace korvel::testing {
namespace {

// The number of members of an aggregate: the most initializers a brace list of it takes.
struct AnyMember {
    template <typename T>
    operator T() const;
};

template <typename T, std::size_t... I>
constexpr bool takesInitializers(std::index_sequence<I...>)
{
    return requires
    {
        T{(static_cast<void>(I), AnyMember{})...};
    };
}

template <typename T, std::size_t N = 0>
constexpr std::size_t memberCount()
{
    if constexpr (takesInitializers<T>(std::make_index_sequence<N + 1>{}))
        return memberCount<T, N + 1>();
    else
        return N;
}

TEST(ProductionCostFields, EveryMemberOfTheCostsIsDescribed)
{
    EXPECT_EQ(memberCount<inputCosts>(), kProductionCostFields.size() + kOtherCostMembers)
        << "a member added to inputCosts belongs in kProductionCostFields (one line), or, when the user does not "
           "enter it, among the others counted by kOtherCostMembers and compared by the search's sameCosts";
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        out.push_back(text.substr(start, at - start));
    out.push_back(text.substr(start));
    return out;
}

// Sets a field to a value a fresh crop does not hold, and tells whether a field holds it.
void setField(inputCosts& ic, const ProductionCostField& f)
{
    std::visit(Overloaded{[&](double inputCosts::*m) { ic.*m = 12.75; }, [&](bool inputCosts::*m) { ic.*m = true; },
                          [&](Variant inputCosts::*m) { ic.*m = Variant("7 acres"); }},
               f.member);
}

bool holdsSetValue(const inputCosts& ic, const ProductionCostField& f)
{
    return std::visit(Overloaded{[&](double inputCosts::*m) { return ic.*m == 12.75; },
                                 [&](bool inputCosts::*m) { return ic.*m; },
                                 [&](Variant inputCosts::*m) { return ic.*m == Variant("7 acres"); }},
                      f.member);
}

TEST(ProductionCostFields, EachFieldIsSavedOnItsLineReadBackComparedAndCopied)
{
    const std::vector<std::string> fresh = lines(inputCosts().writeData());
    ASSERT_EQ(fresh.size(), kProductionCostFields.size());
    for (std::size_t i = 0; i < kProductionCostFields.size(); ++i) {
        const ProductionCostField& f = kProductionCostFields[i];
        SCOPED_TRACE(f.box);
        FakeWindow saved({"Corn"});
        Crop& crop = *saved.library->Item(1);
        setField(crop.inputCosts, f);

        const std::vector<std::string> written = lines(crop.inputCosts.writeData());
        ASSERT_EQ(written.size(), fresh.size());
        for (std::size_t k = 0; k < written.size(); ++k)
            EXPECT_EQ(written[k] != fresh[k], k == i) << "line " << k;

        TempFolder folder;
        ASSERT_TRUE(InputsFile::saveInputs(folder.path(), saved));
        FakeWindow loaded({"Corn"});
        ASSERT_TRUE(InputsFile::loadInputs(folder.path(), loaded));
        EXPECT_TRUE(holdsSetValue(loaded.library->Item(1)->inputCosts, f)) << "read back";

        const Crop plain = *FakeWindow({"Corn"}).library->Item(1);
        EXPECT_TRUE(search::sameArithmetic(plain, plain, 16));
        EXPECT_FALSE(search::sameArithmetic(plain, crop, 16)) << "two crops that differ in it would share results";
        EXPECT_TRUE(holdsSetValue(crop.inputCosts.Copy(), f));
        EXPECT_TRUE(holdsSetValue(crop.Copy()->inputCosts, f));
    }
}

} // namespace
} // namespace korvel::testing
