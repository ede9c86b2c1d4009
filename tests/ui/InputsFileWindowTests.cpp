// The inputs file through the real window: what a user typed before a run is back after the main window
// restarts on the same program folder, and random states survive a save and a load through the window's boxes.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>
#include <limits>
#include <map>
#include <random>

#include "model/IrrigationCosts.h"
#include "model/Numbers.h"
#include "model/RoundTripValues.h"
#include "ui/AssembledWindow.h"
#include "ui/main/BoxTexts.h"
#include "ui/main/IrrigationCostPane.h"

namespace korvel::ui::test {
namespace {

const char* const kIrrigationBoxes[] = {"txtGPM",  "txtEstHours",     "txtLift",          "txtPSI",
                                        "txtCost", "txtLaborPerHour", "txtRepairsPerAcre"};

QLineEdit* irrigationBox(MainWindow& w, const char* name)
{
    return w.pneIrrigCosts()->findChild<QLineEdit*>(QString::fromLatin1(name));
}
QComboBox* fuelBox(MainWindow& w)
{
    return w.pneIrrigCosts()->findChild<QComboBox*>("cboFuelType");
}

// What the user sees of the inputs the file keeps.
struct Snapshot {
    std::map<QString, QString> boxes; // main-pane boxes, irrigation-cost boxes, every row's price and yield
    int preset = -1;
    std::map<QString, double> prices;
    std::string fuel;

    static Snapshot of(MainWindow& w)
    {
        Snapshot s;
        MainPane& p = *w.pneMain();
        s.boxes["txtArea"] = p.txtArea->text();
        s.boxes["txtMax"] = p.txtMax->text();
        s.boxes["txtEff"] = p.txtEff->text();
        s.boxes["txtAnnRain"] = p.txtAnnRain->currentText();
        for (const char* name : kIrrigationBoxes)
            s.boxes[name] = irrigationBox(w, name)->text();
        s.boxes["cboFuelType"] = fuelBox(w)->currentText();
        for (int i = 0; i < w.cropRowCount(); ++i) {
            const QString row = QStringLiteral("cr(%1) ").arg(i);
            s.boxes[row + "txtPrice"] = w.cr(i)->txtPrice->text();
            s.boxes[row + "txtMaxYield"] = w.cr(i)->txtMaxYield->text();
            s.prices[row + w.cr(i)->GetCrop()] = w.cr(i)->crop()->price;
        }
        s.preset = p.selectedPreset();
        s.fuel = w.state().tempIrrigationCosts ? w.state().tempIrrigationCosts->FuelType : std::string();
        return s;
    }
};

} // namespace

TEST_F(MainWindowTest, AFuelTypedWithACommaComesBackWithEveryBoxAfterARestart)
{
    open();
    activate(window.get());
    typeInto(pane().txtArea, "160");
    typeInto(pane().txtMax, "12");
    typeInto(pane().txtEff, "85");
    pane().txtAnnRain->setFocus();
    pane().txtAnnRain->lineEdit()->selectAll();
    QTest::keyClicks(pane().txtAnnRain->lineEdit(), "16");
    pane().presetButtons[1]->click();
    for (const auto& [crop, price, yield] : {std::tuple{"Corn", "6.52", "220"}, std::tuple{"Wheat", "6.20", "75"},
                                             std::tuple{"Soybeans", "10.22", "65"}}) {
        CropRow* r = row(crop);
        r->chkCrop->click();
        typeInto(r->txtPrice, price);
        typeInto(r->txtMaxYield, yield);
    }

    pane().irrigationButton->click();
    for (const auto& [box, text] :
         {std::pair{"txtGPM", "750"}, std::pair{"txtEstHours", "1800"}, std::pair{"txtLift", "120"},
          std::pair{"txtPSI", "35"}, std::pair{"txtCost", "1.25"}, std::pair{"txtLaborPerHour", "10"},
          std::pair{"txtRepairsPerAcre", "0.33"}})
        typeInto(irrigationBox(w(), box), text);
    QComboBox* fuel = fuelBox(w());
    fuel->setFocus();
    fuel->lineEdit()->selectAll();
    QTest::keyClicks(fuel->lineEdit(), "Gas, LP");
    w().pneIrrigCosts()->findChild<QPushButton*>("Command9")->click();
    ASSERT_EQ(w().state().tempIrrigationCosts->FuelType, "Gas, LP");

    pane().runButton->click();
    ASSERT_TRUE(inputsFileExists());
    ASSERT_FALSE(pneResults(w())->isHidden()) << "the run went through";
    const Snapshot before = Snapshot::of(w());
    window.reset();

    korvel::SessionState restarted;
    window = std::make_unique<MainWindow>(ProgramFolders::inOne(QString::fromStdString(folder.path().string())),
                                          restarted, windowPanes());
    w().load();
    const Snapshot after = Snapshot::of(w());
    for (const auto& [box, text] : before.boxes) {
        if (box.endsWith("txtPrice") && text.isEmpty()) {
            EXPECT_EQ(after.boxes.at(box), "0.00") << box.toStdString() << ": an untouched row shows its crop's price";
        } else if (!box.endsWith("txtMaxYield") || !text.isEmpty()) {
            EXPECT_EQ(after.boxes.at(box), text) << box.toStdString();
        }
    }
    EXPECT_EQ(after.prices, before.prices);
    EXPECT_EQ(after.preset, 1);
    EXPECT_EQ(after.fuel, "Gas, LP");
    EXPECT_EQ(pane().lblVolume->text(), "1,920");
}

namespace {

// Custom crops named as a user may name them: like a library crop, like a number, like the trend mark, with a
// comma and quotes, with a leading blank.
const char* const kCustomNames[] = {"Corn", "007", "batch_enabled", "\"Red\", early", " Gas, LP", "1.50"};

// Random inputs as a user types them into the window's boxes.
class Typist {
public:
    explicit Typist(std::uint64_t seed) : rng_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance() { return below(2) == 0; }

    // A number in any of the ways the program gets one: typed with few or many digits, very large or tiny.
    double number()
    {
        switch (below(5)) {
        case 0: return below(5001);
        case 1: return below(100000) / 100.0;
        case 2: return std::uniform_real_distribution<double>(-1e4, 1e4)(rng_);
        case 3: return std::uniform_real_distribution<double>(0, 1)(rng_) * std::pow(10.0, below(600) - 300);
        default: {
            const double special[] = {std::numeric_limits<double>::max(),
                                      std::numeric_limits<double>::denorm_min(),
                                      -0.0,
                                      6.525,
                                      0.1 + 0.2,
                                      1e16};
            return special[below(int(std::size(special)))];
        }
        }
    }
    // A number as typed: its exact text, with grouping, or a few digits.
    QString numberText()
    {
        switch (below(4)) {
        case 0: return QString::fromStdString(korvel::num::plainTextExact(number()));
        case 1: return QString::fromStdString(korvel::num::formatPattern(below(10000000) / 100.0, "#,##0.00"));
        case 2: return QString::number(below(1000));
        default: return pick({"6.525", "1,500", " 160", "85.50", "1e3", "", "abc", "-0"});
        }
    }
    // Anything typed into a general box.
    QString anyText()
    {
        return below(3) ? numberText()
                        : pick({"1,500", "12\"", "\"12\"", "12\", 14\"", " ", ",", "16\t", "x,y", "1e999", "True"});
    }
    QString fuel() { return pick({"Natural Gas", "Diesel", "Gas, LP", " LP", "\"Propane\"", "", "007", "True"}); }

    korvel::Variant held() { return below(3) == 0 ? korvel::Variant() : korvel::Variant(number()); }

private:
    QString pick(std::initializer_list<const char*> list)
    {
        return QString::fromUtf8(*(list.begin() + below(int(list.size()))));
    }

    std::mt19937_64 rng_;
};

class InputsFileWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        std::ifstream in(kShippedData / "crops" / "01-corn.txt", std::ios::binary);
        std::string corn((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        corn.erase(0, corn.find('\r'));
        int n = 0;
        for (const char* name : kCustomNames)
            folder.write("crops/custom/custom" + std::to_string(n++) + ".txt", "CROP=" + std::string(name) + corn);
        open();
    }

    // The user's inputs: the main pane, the irrigation-cost pane applied, every row's boxes and costs, the switch.
    void typeState(Typist& t)
    {
        MainPane& p = pane();
        p.txtArea->setText(t.anyText());
        p.txtMax->setText(t.anyText());
        p.txtEff->setText(t.anyText());
        p.txtAnnRain->setEditText(t.anyText());
        p.presetButtons[t.below(6)]->setChecked(true);
        p.irrigationButton->click();
        for (const char* name : kIrrigationBoxes)
            irrigationBox(w(), name)->setText(t.numberText());
        fuelBox(w())->setEditText(t.fuel());
        w().pneIrrigCosts()->findChild<QPushButton*>("Command9")->click();
        w().state().tempIrrigationCosts->FixedPerAcre = t.number();
        w().state().tempIrrigationCosts->NPC = t.number();
        for (int i = 0; i < w().cropRowCount(); ++i) {
            CropRow& r = *w().cr(i);
            r.txtPrice->setText(t.numberText());
            r.txtMaxYield->setText(t.numberText());
            korvel::inputCosts& ic = r.crop()->inputCosts;
            for (double* v :
                 {&ic.NitrogenCost, &ic.NitrogenApplied, &ic.PCost, &ic.PApplied, &ic.SeedCost, &ic.SeedRate,
                  &ic.Herbicide, &ic.Insecticide, &ic.Tillage, &ic.Planting, &ic.HerbicideApplication,
                  &ic.InsecticideApplication, &ic.Returns, &ic.MiscCost, &ic.FertilizerApplication})
                *v = t.number();
            for (bool* b : {&ic.NOptimal, &ic.POptimal, &ic.SeedOptimal})
                *b = t.chance();
            for (korvel::Variant* v :
                 {&ic.HarvestBasePerAcre, &ic.HarvestExceedBu, &ic.HarvestExceedRate, &ic.HarvestHauling,
                  &ic.HarvestFlatRate, &ic.AlfalfaSwathing, &ic.AlfalfaSwathingNum, &ic.AlfalfaRaking,
                  &ic.AlfalfaRakingNum, &ic.AlfalfaBaling, &ic.AlfalfaBalingNum, &ic.AlfalfaPerTon, &ic.AlfalfaStand})
                *v = t.held();
        }
        session.BatchEnabled = t.chance();
    }

    // What the inputs file keeps of the window.
    struct Saved {
        std::vector<QString> main;
        int preset = -1;
        korvel::IrrigationCosts irrigation;
        std::vector<korvel::Crop> crops;
        bool batch = false;
    };
    std::vector<QString> mainTexts()
    {
        return {pane().txtArea->text(), pane().txtMax->text(), pane().txtEff->text(), pane().txtAnnRain->currentText()};
    }
    Saved remember()
    {
        Saved s{mainTexts(), pane().selectedPreset(), *w().state().tempIrrigationCosts, {}, session.BatchEnabled};
        for (int i = 0; i < w().cropRowCount(); ++i)
            s.crops.push_back(*w().cr(i)->crop());
        return s;
    }

    // Every value of `saved` the window does not show now, one line each.
    std::vector<std::string> differencesFrom(const Saved& saved)
    {
        using korvel::testing::same;
        std::vector<std::string> diff;
        auto check = [&](bool ok, const std::string& what) {
            if (!ok)
                diff.push_back(what);
        };
        const std::vector<QString> main = mainTexts();
        for (std::size_t b = 0; b < main.size(); ++b)
            check(korvel::testing::sameBoxText(saved.main[b].toStdString(), main[b].toStdString()),
                  "main box [" + saved.main[b].toStdString() + "] came back as [" + main[b].toStdString() + "]");
        check(pane().selectedPreset() == saved.preset, "preset");
        const korvel::IrrigationCosts& costs = saved.irrigation;
        for (const std::string& d : korvel::testing::irrigationDifferences(costs, *w().state().tempIrrigationCosts))
            diff.push_back(d);
        check(fuelBox(w())->currentText().toStdString() == costs.FuelType, "cboFuelType");
        const double shownCosts[] = {costs.GPM,          costs.dblEstHours,       costs.Lift, costs.PSI, costs.cost,
                                     costs.LaborPerHour, costs.RepairsPerAcreInch};
        for (std::size_t b = 0; b < std::size(kIrrigationBoxes); ++b) {
            const QString text = irrigationBox(w(), kIrrigationBoxes[b])->text();
            check(same(BoxTexts::value(text), shownCosts[b]),
                  std::string(kIrrigationBoxes[b]) + " shows " + text.toStdString());
        }
        for (int i = 0; i < w().cropRowCount(); ++i) {
            CropRow& r = *w().cr(i);
            for (const std::string& d : korvel::testing::cropDifferences(saved.crops[std::size_t(i)], *r.crop()))
                diff.push_back("row " + std::to_string(i) + " " + d);
            check(korvel::num::parseNumeric(r.txtPrice->text().toStdString()) == r.crop()->price &&
                      korvel::num::leadingNumberOrZero(r.txtMaxYield->text().toStdString()) == r.crop()->maxYield,
                  "row " + std::to_string(i) + " shows " + r.txtPrice->text().toStdString() + " and " +
                      r.txtMaxYield->text().toStdString());
        }
        check(session.BatchEnabled == saved.batch, "batch_enabled");
        return diff;
    }
};

} // namespace

TEST_F(InputsFileWindowTest, RandomStatesComeBackThroughTheWindowsBoxes)
{
    ASSERT_EQ(w().cropRowCount(), 7 + int(std::size(kCustomNames)));
    Typist typist(5150);
    Typist scrambler(1234);
    const int states = 300;
    int failed = 0;
    for (int state = 0; state < states; ++state) {
        typeState(typist);
        const Saved saved = remember();
        w().saveInputs();

        // Another state, then the file read back over it.
        typeState(scrambler);
        session.BatchEnabled = false;
        w().loadInputs();
        const std::vector<std::string> diff = differencesFrom(saved);
        if (!diff.empty() && ++failed <= 5)
            ADD_FAILURE() << "state " << state << ": " << diff.front() << " (" << diff.size() << " values)";
    }
    std::cout << "inputs file through the window: " << states << " states, " << failed << " lost data\n";
    EXPECT_EQ(failed, 0);
}

} // namespace korvel::ui::test
