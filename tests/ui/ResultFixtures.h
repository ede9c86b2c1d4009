#pragma once
// Allocations for the result-view tests, built directly from model objects, and small widget look-ups.
#include <initializer_list>
#include <memory>
#include <string>

#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

#include "model/FieldCollection.h"

namespace korvel::test {

inline std::shared_ptr<Crop> makeCrop(const std::string& name, const std::string& unit, double price, double yield)
{
    auto crop = std::make_shared<Crop>();
    crop->cropType = name;
    crop->cropUnitsArray = {unit, unit + "s"};
    crop->price = price;
    crop->Yield = yield;
    return crop;
}

inline std::shared_ptr<Field> makeField(double acres, double depth, std::shared_ptr<Crop> crop, double rain = 16)
{
    auto field = std::make_shared<Field>();
    field->acres = acres;
    field->Depth = depth;
    field->theCrop = std::move(crop);
    field->annualRain = rain;
    return field;
}

inline std::shared_ptr<FieldCollection> makeOption(std::initializer_list<std::shared_ptr<Field>> fields)
{
    auto option = std::make_shared<FieldCollection>();
    for (const auto& f : fields)
        option->Add(f);
    return option;
}

// An empty placeholder of the ranked list.
inline std::shared_ptr<FieldCollection> placeholder()
{
    auto option = std::make_shared<FieldCollection>();
    option->isNew = true;
    return option;
}

// 60 acres of corn at 9 net inches: 180 bu./ac at $8; nitrogen 150 lb at $0.50, 30,000 seeds at $2.50 per
// thousand, herbicide $20: costs $170, returns $1,440 and net return $1,270 per acre.
inline std::shared_ptr<Field> cornField()
{
    auto crop = makeCrop("Corn", "bu.", 8, 180);
    crop->inputCosts.NitrogenCost = 0.5;
    crop->inputCosts.NitrogenApplied = 150;
    crop->inputCosts.SeedCost = 2.5;
    crop->inputCosts.SeedRate = 30000;
    crop->inputCosts.Herbicide = 20;
    return makeField(60, 9, crop);
}

// 40 acres of wheat at 4.5 net inches: 60 bu./ac at $5; herbicide $10 and tillage $15: costs $25, returns
// $300 and net return $275 per acre.
inline std::shared_ptr<Field> wheatField()
{
    auto crop = makeCrop("Wheat", "bu.", 5, 60);
    crop->inputCosts.Herbicide = 10;
    crop->inputCosts.Tillage = 15;
    return makeField(40, 4.5, crop);
}

template <class W = QWidget>
W* child(const QWidget* parent, const char* name)
{
    W* w = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << "no control " << name;
    return w;
}

inline std::string text(const QWidget* parent, const char* name)
{
    auto* label = child<QLabel>(parent, name);
    return label ? label->text().toStdString() : std::string("<missing>");
}

} // namespace korvel::test
