// The crop rows are built again from a fresh reading of the crop library whenever the custom crop pane goes back
// home or saves a crop. Every crop still in the library keeps what the user typed or loaded into it and its row
// (tick, price, maximum yield, production costs with the optimal-rate flags and the stand life, the trend
// override), so a run afterwards ranks what it ranked before; a new crop comes in as the library gives it and a
// deleted one is gone.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "model/FieldCollection.h"
#include "ui/AssembledWindow.h"
#include "ui/platform/Twips.h"
#include "ui/results/OptionBrowser.h"

using namespace korvel::ui;
namespace fs = std::filesystem;

namespace {

// What a row shows and what its crop holds of the user's entries.
struct RowEntries {
    bool ticked;
    QString price;
    QString maxYield;
    std::string values; // price, maximum yield and every saved production cost, as the inputs file keeps them
    bool useBatch;
    double batchCosts;
    bool operator==(const RowEntries&) const = default;
};

RowEntries entriesOf(CropRow& row)
{
    const auto& crop = *row.crop();
    return {row.isActive(),   row.txtPrice->text(),     row.txtMaxYield->text(),
            crop.writeData(), crop.inputCosts.UseBatch, crop.inputCosts.BatchGeneralCosts};
}

std::ostream& operator<<(std::ostream& out, const RowEntries& e)
{
    std::string values = e.values;
    for (std::size_t at; (at = values.find("\r\n")) != std::string::npos;)
        values.replace(at, 2, "|");
    return out << (e.ticked ? "ticked " : "unticked ") << e.price.toStdString() << " / " << e.maxYield.toStdString()
               << " [" << values << "] override " << e.useBatch << " " << e.batchCosts;
}

class CropRowRebuild : public test::MainWindowTest {
public:
    QPushButton* editorButton(int n)
    {
        return window->pneCustomCrop()->findChild<QPushButton*>(arrayName("cmdCustomGrid", n));
    }

    // The farm and crops as a user enters them: the main inputs, "Load Default Values", three crops ticked, the
    // alfalfa stand life typed on its cost pane, a trend override left on the wheat, a price typed for Oats.
    void enterTheFarm()
    {
        pane().txtArea->setText("160");
        pane().txtMax->setText("12");
        pane().txtEff->setText("85");
        pane().txtAnnRain->setEditText("16");
        pane().presetButtons[0]->setChecked(true);
        pane().defaultsButton->click();
        for (const char* crop : {"Corn", "Wheat", "Alfalfa"})
            row(crop)->chkCrop->click();
        row("Alfalfa")->cmdInputCosts->click();
        ASSERT_FALSE(w().pneInputCosts()->isHidden());
        w().pneInputCosts()->findChild<QLineEdit*>("txtStand")->setText("6");
        w().pneInputCosts()->findChild<QPushButton*>("Command6")->click();
        ASSERT_FALSE(pane().isHidden());
        row("Wheat")->crop()->inputCosts.UseBatch = true;
        row("Wheat")->crop()->inputCosts.BatchGeneralCosts = 95;
        row("Oats")->txtPrice->setText("3.25");
    }

    std::map<QString, RowEntries> rows()
    {
        std::map<QString, RowEntries> out;
        for (int i = 0; i < w().cropRowCount(); ++i)
            out.emplace(w().cr(i)->GetCrop(), entriesOf(*w().cr(i)));
        return out;
    }

    // Runs from the main pane and returns the options shown: per field its crop, acres, depth and costs, and the
    // option's profit; then goes back to the main pane.
    std::vector<std::string> run()
    {
        pane().runButton->click();
        EXPECT_FALSE(pneResults(w())->isHidden()) << dialogs.lastText().toStdString();
        std::vector<std::string> shown;
        for (const auto& option : pneResults(w())->theResults()->FieldCollection) {
            std::ostringstream line;
            for (long k = 1; k <= option->Count(); ++k) {
                const auto& f = option->Item(k);
                line << f->theCrop->cropType << ' ' << f->acres << ' ' << f->Depth << ' ' << f->getCosts(session)
                     << "; ";
            }
            if (option->Count() > 0)
                line << option->getProfit(session);
            shown.push_back(line.str());
        }
        pneResults(w())->findChild<QAbstractButton*>("Command1")->click();
        EXPECT_FALSE(pane().isHidden());
        return shown;
    }
};

} // namespace

TEST_F(CropRowRebuild, TheCustomCropPaneKeepsEveryEntryOfTheCropsStillInTheLibrary)
{
    struct Case {
        const char* what;
        std::function<void(CropRowRebuild&)> steps; // from the main pane, ending back on it
        QString added;                              // a crop new to the library
        QString removed;                            // a crop no longer in it
    };
    const std::vector<Case> cases = {
        {"Back to Home without touching anything",
         [](CropRowRebuild& t) {
             t.w().mnuCustomCrop->trigger();
             t.editorButton(5)->click();
         },
         {},
         {}},
        {"a new custom crop saved, then Back to Home",
         [](CropRowRebuild& t) {
             t.w().mnuCustomCrop->trigger();
             CustomCropPane* editor = t.w().pneCustomCrop();
             QTest::keyClicks(editor->nameBox, "Barley");
             editor->cboCustomGrid[5]->setCurrentIndex(editor->cboCustomGrid[5]->findText("Wheat"));
             t.editorButton(2)->click();
             t.editorButton(5)->click();
         },
         "Barley",
         {}},
        {"a custom crop deleted, then Back to Home",
         [](CropRowRebuild& t) {
             t.w().mnuCustomCrop->trigger();
             CustomCropPane* editor = t.w().pneCustomCrop();
             editor->cboCustomGrid[0]->setCurrentIndex(editor->cboCustomGrid[0]->findText("Oats"));
             t.dialogs.answers = {MsgAnswer::Yes};
             t.editorButton(6)->click();
             t.editorButton(5)->click();
         },
         {},
         "Oats"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& e : fs::directory_iterator(folder.path() / "crops" / "custom"))
            fs::remove(e.path());
        fs::remove(folder.path() / "inputs.txt");
        folder.write("crops/custom/oats.txt", "CROP=Oats\r\n\r\nUNITS=bu.,bushels\r\n\r\nANNUAL_RAIN=11,12\r\n\r\n"
                                              "EFF_IRRIG=0,1\r\n\r\nYIELD_VALUES=10,20,30,40\r\n");
        open();
        enterTheFarm();
        const auto ranked = run();
        const auto before = rows(); // after the run, which writes the optimal rates into the crops

        c.steps(*this);
        ASSERT_FALSE(pane().isHidden());
        auto after = rows();
        if (!c.added.isEmpty()) {
            ASSERT_EQ(after.count(c.added), 1u);
            const RowEntries& fresh = after.at(c.added);
            EXPECT_FALSE(fresh.ticked);
            EXPECT_EQ(fresh.price, "");
            EXPECT_EQ(fresh.maxYield, "");
            EXPECT_EQ(row(c.added)->crop()->price, 0) << "a new crop comes in with the library's values";
            after.erase(c.added);
        }
        auto expected = before;
        if (!c.removed.isEmpty())
            expected.erase(c.removed);
        EXPECT_EQ(after, expected);
        for (int i = 0; i < w().cropRowCount(); ++i)
            EXPECT_EQ(w().cr(i)->crop(), w().cropLibrary()->Item(i + 1)) << "every row holds the new library's crop";
        EXPECT_EQ(row("Alfalfa")->crop()->inputCosts.AlfalfaStand.number(), 6);
        EXPECT_TRUE(row("Corn")->txtPrice->isEnabled()) << "a ticked row keeps its boxes enabled";

        EXPECT_EQ(run(), ranked) << "a run after the rebuild ranks what it ranked before";
    }
}

// With the whole window: the rebuild also appends the library names to the trend setup's crop list.
namespace korvel::ui::test {

TEST_F(MainWindowTest, FewRowsDisableTheScrollBarAndRebuildsKeepTheRowsEntries)
{
    std::filesystem::remove_all(folder.path() / "crops");
    copyShippedCrops(folder.path(), {"01-corn.txt", "03-wheat.txt"});
    open();
    ASSERT_EQ(w().cropRowCount(), 3);
    EXPECT_EQ(w().cr(2)->GetCrop(), "Fallow");
    EXPECT_EQ(w().cr(1)->y(), twips(490));
    EXPECT_EQ(w().cr(2)->y(), twips(980));
    EXPECT_EQ(pane().cropFrame->height(), twips(1650));
    EXPECT_EQ(pane().cropScroll->maximum(), 0);
    EXPECT_FALSE(pane().cropScroll->isEnabled());

    // Rebuild after custom crops were added: the crops still there keep their rows' entries, new ones start afresh.
    w().cr(0)->chkCrop->setChecked(true);
    w().cr(0)->txtPrice->setText("6.5");
    w().cr(1)->chkCrop->setChecked(true);
    w().cr(1)->txtPrice->setText("5");
    for (int i = 0; i < 6; ++i)
        folder.write("crops/custom/c" + std::to_string(i) + ".txt",
                     "CROP=Custom" + std::to_string(i) +
                         "\n\nUNITS=bu.,bushels\n\nANNUAL_RAIN=11,12\n\nEFF_IRRIG=0,1\n\nYIELD_VALUES=1,2,3,4\n");
    w().LoadCropRows();
    ASSERT_EQ(w().cropRowCount(), 9);
    EXPECT_TRUE(w().cr(0)->isActive());
    EXPECT_EQ(w().cr(0)->txtPrice->text(), "6.5");
    EXPECT_EQ(w().cr(0)->crop()->price, 6.5);
    EXPECT_TRUE(w().cr(1)->isActive());
    EXPECT_EQ(w().cr(1)->txtPrice->text(), "5");
    EXPECT_TRUE(w().cr(1)->txtPrice->isEnabled());
    EXPECT_EQ(w().cr(1)->crop(), w().cropLibrary()->Item(2));
    EXPECT_EQ(w().cr(1)->crop()->price, 5);
    EXPECT_FALSE(w().cr(3)->isActive());
    EXPECT_EQ(w().cr(3)->txtPrice->text(), "");
    EXPECT_FALSE(w().cr(3)->txtPrice->isEnabled());
    EXPECT_EQ(find<QComboBox>("cboCrops")->count(), 3 + 9) << "the names are appended again";
    EXPECT_EQ(pane().cropScroll->maximum(), 9 * 550 - 3270);
    EXPECT_TRUE(pane().cropScroll->isEnabled()) << "a library that no longer fits can be scrolled";
}

} // namespace korvel::ui::test
