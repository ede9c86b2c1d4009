// The main pane's inputs, the input check run when a box is left, and the crop rows with their scrolling frame.
#include <QCheckBox>
#include <QImage>
#include <QScrollBar>

#include "model/IrrigationCosts.h"
#include "ui/MainWindowFixture.h"
#include "ui/main/InputValidation.h"
#include "ui/platform/Twips.h"

using namespace korvel::ui;
using namespace korvel::ui::test;

TEST_F(MainWindowTest, VolumeLabelFollowsAcresAndGrossInches)
{
    open();
    struct Case {
        const char* acres;
        const char* inches;
        const char* volume;
    };
    const Case cases[] = {
        {"160", "12", "1,920"},
        {"0.4", "1", ""},
        {"", "12", ""},
        {"abc", "12", ""},
        {"160abc", "12", "1,920"},
        {"1,500", "2", "3,000"},
        {"1000", "1000", "1,000,000"},
        {"1e300", "1e300", ""},
        // Digit grouping is part of the number, as the leave check accepts it: "1,500" acres are 1500.
        {"2,000.5", "1", "2,000"},
        // A whole number of acre-inches: halves go to the even neighbour.
        {"640.5", "9", "5,764"},
        {"0.5", "1", ""},
        {"1.5", "1", "2"},
        {"160.5", "3", "482"},
    };
    for (const Case& c : cases) {
        pane().txtArea->setText(c.acres);
        pane().txtMax->setText(c.inches);
        EXPECT_EQ(find<QLabel>("lblVolume")->text(), c.volume) << c.acres << " x " << c.inches;
    }
    // Typing the acreage updates it too.
    pane().txtMax->setText("300");
    typeInto(pane().txtArea, "80");
    EXPECT_EQ(pane().lblVolume->text(), "24,000");
}

TEST_F(MainWindowTest, CapacityWarningWhenGrossInchesExceedThePump)
{
    open();
    const QString warning160 = QStringLiteral(
        "According to the seasonal pumping hours entered on the Irrigation Cost screen of 1,800 hours, \n"
        "your system cannot pump more than 18.6 inches.");
    w().state().tempIrrigationCosts->GPM = 750;
    w().state().tempIrrigationCosts->dblEstHours = 1800;
    pane().txtArea->setText("160");
    pane().txtMax->setText("18");
    EXPECT_TRUE(dialogs.messages.empty());
    pane().txtMax->setText("19");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, warning160);
    EXPECT_EQ(dialogs.messages[0].title, "Capacity Exceeded");
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::None);
    EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(pane().txtMax->text(), "19") << "advice only";

    // Changing the acreage does not rerun the check.
    dialogs.clearRecord();
    pane().txtArea->setText("");
    EXPECT_TRUE(dialogs.messages.empty());
    // With no acreage the limit is 0.
    pane().txtMax->setText("1");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.endsWith("cannot pump more than .0 inches."));
    // A negative acreage gets no advice with a negative capacity in it.
    dialogs.clearRecord();
    pane().txtArea->setText("-5");
    pane().txtMax->setText("12");
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();

    // Without committed pumping data nothing is ever shown.
    dialogs.clearRecord();
    w().state().tempIrrigationCosts->GPM = 0;
    pane().txtMax->setText("500");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindowTest, SoilBoxSetsTheCurrentSoil)
{
    open();
    pane().txtSoil->setCurrentIndex(1);
    EXPECT_EQ(w().state().currentSoil, "Fine Sand");
    pane().txtSoil->setEditText("Clay");
    EXPECT_EQ(w().state().currentSoil, "Clay");
}

TEST(InputTest, AcceptsOrRejectsWithItsMessage)
{
    ScriptedDialogs dialogs;
    QWidget host;
    auto* box = new QLineEdit(&host);
    struct Case {
        const char* text;
        double limit;
        const char* message; // empty: the entry passes
    };
    const Case cases[] = {
        {"", 10, ""},
        {"-", 10, ""},
        {".", 10, ""},
        {"0", 10, ""},
        {"10", 10, ""},
        {" 7.5 ", 10, ""},
        {"1,000", 1000, ""},
        {"10.0001", 10, "Label:  Please enter a value that's less than or equal to 10"},
        {"-1", 10, "Label:  Please enter a value that's greater than 0"},
        {"abc", 10, "Label:  Please enter a numeric value!"},
        {"12abc", 10, "Label:  Please enter a numeric value!"},
        {" ", 10, "Label:  Please enter a numeric value!"},
        {"500001", 500000, "Label:  Please enter a value that's less than or equal to 500,000"},
        {"2", 1.5, "Label:  Please enter a value that's less than or equal to 1.5"},
        {"1", 0.99, "Label:  Please enter a value that's less than or equal to 0.99"},
        {"100000", 99999, "Label:  Please enter a value that's less than or equal to 99,999"},
    };
    for (const Case& c : cases) {
        dialogs.clearRecord();
        box->setText(c.text);
        TestInput(box, c.limit, "Label");
        if (std::string(c.message).empty()) {
            EXPECT_TRUE(dialogs.messages.empty()) << '"' << c.text << '"';
        } else {
            ASSERT_EQ(dialogs.messages.size(), 1u) << '"' << c.text << '"';
            EXPECT_EQ(dialogs.messages[0].text, c.message);
            EXPECT_EQ(dialogs.messages[0].title, "Input error");
            EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(dialogs.messages[0].buttons, MsgButtons::Ok);
            EXPECT_EQ(box->text(), c.text) << "a text set by code cannot be undone and stays";
        }
    }
    dialogs.clearRecord();
    TestInput(nullptr, 1, "Label");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(limitText(1234567.25), "1,234,567.25");
}

TEST_F(MainWindowTest, RejectedEfficiencyIsTakenBackAndKeepsTheFocus)
{
    open();
    activate(window.get());
    typeInto(pane().txtEff, "150");
    ASSERT_EQ(pane().txtEff->text(), "150");
    pane().txtArea->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Irrigation Efficiency %:  Please enter a value that's less than or equal to 100");
    EXPECT_EQ(pane().txtEff->text(), "85") << "the text from before the typing comes back";
    EXPECT_FALSE(pane().txtEff->isUndoAvailable()) << "the rejected text cannot be brought back";
    EXPECT_TRUE(pane().txtEff->hasFocus());

    // Leaving an accepted value, also unchanged, shows nothing; every leave runs the check.
    dialogs.clearRecord();
    typeInto(pane().txtEff, "100");
    pane().txtArea->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(pane().txtArea->hasFocus());

    // A rejected text put there by code stays; the focus still returns.
    pane().txtEff->setText("abc");
    pane().txtEff->setFocus(Qt::TabFocusReason);
    pane().txtArea->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Irrigation Efficiency %:  Please enter a numeric value!");
    EXPECT_EQ(pane().txtEff->text(), "abc");
    EXPECT_TRUE(pane().txtEff->hasFocus());
}

// The acreage and the gross inches take values up to their limits; a larger one is refused when the box is left,
// with the box's caption in the message, and the box goes back to the text its edit began with.
TEST_F(MainWindowTest, AcresAndGrossInchesAreRefusedAboveTheirLimitsWhenLeft)
{
    struct Case {
        const char* box;
        const char* atLimit;
        const char* above;
        const char* volume; // the gross volume with the other box at 2
        const char* message;
    };
    const Case cases[] = {
        {"txtArea", "1,000,000", "1000000.01", "2,000,000",
         "Total Acres:  Please enter a value that's less than or equal to 1,000,000"},
        {"txtMax", "200", "200.5", "400",
         "Annual Gross Irrigation Amount (inches):  Please enter a value that's less than or equal to 200"},
        {"txtArea", "1000000", "1e300", "2,000,000",
         "Total Acres:  Please enter a value that's less than or equal to 1,000,000"},
    };
    open();
    activate(window.get());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        auto* box = find<QLineEdit>(c.box);
        QLineEdit* other = box == pane().txtArea ? pane().txtMax : pane().txtArea;
        other->setText("2");
        dialogs.clearRecord();
        typeInto(box, c.atLimit);
        pane().txtEff->setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
        EXPECT_EQ(pane().lblVolume->text(), c.volume);

        typeInto(box, c.above);
        pane().txtEff->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, c.message);
        EXPECT_EQ(dialogs.messages[0].title, "Input error");
        EXPECT_EQ(box->text(), c.atLimit) << "the accepted text comes back";
        EXPECT_EQ(pane().lblVolume->text(), c.volume) << "the volume follows the text put back";
        EXPECT_TRUE(box->hasFocus());
    }
}

TEST_F(MainWindowTest, CommasThatDoNotGroupInThreesMakeNoNumber)
{
    open();
    activate(window.get());
    fillInputs();
    // The efficiency box refuses "8,5" as any other text that is no number, and takes its own text back.
    typeInto(pane().txtEff, "8,5");
    QTest::keyClick(pane().txtEff, Qt::Key_Tab);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Irrigation Efficiency %:  Please enter a numeric value!");
    EXPECT_EQ(pane().txtEff->text(), "85");
    EXPECT_TRUE(pane().txtEff->hasFocus());

    // The acreage is read to its first comma that groups nothing, as "12abc" is read to the letters; the crop
    // row's price box refuses the text when it is left.
    dialogs.clearRecord();
    typeInto(pane().txtArea, "1,2");
    EXPECT_EQ(pane().lblVolume->text(), "12") << "1 acre by 12 inches, not 12 acres";
    typeInto(pane().txtArea, "12,345.5");
    EXPECT_EQ(pane().lblVolume->text(), "148,146");
    QLineEdit* price = row("Corn")->txtPrice;
    typeInto(price, "6,5");
    QTest::keyClick(price, Qt::Key_Tab);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Crop Price - Corn:  Please enter a numeric value!");
    EXPECT_EQ(row("Corn")->crop()->price, 6.52) << "the crop keeps the price the box had";
}

TEST_F(MainWindowTest, CropRowTickStates)
{
    open();
    CropRow* corn = row("Corn");
    CropRow* fallow = row("Fallow");
    const auto enabled = [](CropRow* r) {
        return QList<bool>{r->txtPrice->isEnabled(), r->lblPriceUnits->isEnabled(), r->txtMaxYield->isEnabled(),
                           r->lblYieldUnits->isEnabled(), r->cmdInputCosts->isEnabled()};
    };
    const QList<bool> none{false, false, false, false, false};
    const QList<bool> all{true, true, true, true, true};
    EXPECT_EQ(enabled(corn), none);
    EXPECT_TRUE(corn->chkCrop->isEnabled());
    EXPECT_TRUE(corn->background->isHidden());
    EXPECT_EQ(corn->chkCrop->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(corn->lblPriceUnits->text(), "$/bu.");
    EXPECT_EQ(corn->lblYieldUnits->text(), "bushels");
    EXPECT_EQ(row("Alfalfa")->lblPriceUnits->text(), "$/ton");
    EXPECT_EQ(fallow->lblPriceUnits->text(), "");

    corn->chkCrop->setChecked(true);
    EXPECT_EQ(enabled(corn), all);
    EXPECT_FALSE(corn->background->isHidden());
    EXPECT_EQ(corn->chkCrop->palette().color(QPalette::Window), QColor(0xF3, 0xF3, 0xF3));
    // The colour is the one painted, not only the one kept: right of its caption the box shows its background.
    const auto paintedBackground = [](QCheckBox* box) {
        const QImage picture = box->grab().toImage();
        return picture.pixelColor(picture.width() - 2, picture.height() / 2);
    };
    EXPECT_EQ(paintedBackground(corn->chkCrop), QColor(0xF3, 0xF3, 0xF3));
    corn->chkCrop->setChecked(false);
    EXPECT_EQ(paintedBackground(corn->chkCrop), QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(enabled(corn), none);
    EXPECT_TRUE(corn->chkCrop->isEnabled());
    EXPECT_TRUE(corn->background->isHidden());

    fallow->chkCrop->setChecked(true);
    EXPECT_EQ(enabled(fallow), all) << "a ticked Fallow row enables its boxes too";
}

TEST_F(MainWindowTest, CropRowTypingReachesTheCropAndLeavingChecksIt)
{
    open();
    activate(window.get());
    CropRow* corn = row("Corn");
    corn->chkCrop->setChecked(true);
    const auto& crop = corn->crop();
    corn->txtPrice->setText("6.5");
    corn->txtMaxYield->setText("220");
    EXPECT_EQ(crop->price, 6.5);
    EXPECT_EQ(crop->maxYield, 220);
    corn->txtPrice->setText("abc");
    EXPECT_EQ(crop->price, 6.5) << "a price that is not a number keeps the crop's price";
    corn->txtMaxYield->setText("abc");
    EXPECT_EQ(crop->maxYield, 0) << "a maximum yield that is not a number is 0";
    corn->txtMaxYield->setText("220");
    corn->txtPrice->setText("1,250.5");
    EXPECT_EQ(crop->price, 1250.5);
    EXPECT_EQ(corn->getPrice(), 1250.5);
    corn->txtPrice->setText("6.52");

    typeInto(corn->txtPrice, "12");
    corn->txtMaxYield->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Crop Price - Corn:  Please enter a value that's less than or equal to 10");
    EXPECT_EQ(corn->txtPrice->text(), "6.52");
    EXPECT_EQ(crop->price, 6.52) << "the undo runs the change handler";
    EXPECT_TRUE(corn->txtPrice->hasFocus());

    dialogs.clearRecord();
    typeInto(corn->txtMaxYield, "501");
    corn->txtPrice->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Maximum Yield - Corn:  Please enter a value that's less than or equal to 500");

    // setDefault and refresh format the two boxes.
    corn->setDefault(6.2, 75);
    EXPECT_EQ(corn->txtPrice->text(), "6.20");
    EXPECT_EQ(corn->txtMaxYield->text(), "75");
    crop->price = 1234.5;
    crop->maxYield = 180.25;
    corn->refresh();
    EXPECT_EQ(corn->txtPrice->text(), "1,234.50");
    EXPECT_EQ(corn->txtMaxYield->text(), "180.25");
    EXPECT_EQ(crop->price, 1234.5);
}

// A custom crop's row takes any price and maximum yield up to the limits of every price and yield, and refuses
// larger ones (figures of 1e300 no longer reach the run).
TEST_F(MainWindowTest, CustomCropRowsTakeEveryPriceAndYieldUpToTheirLimits)
{
    folder.write("crops/custom/barley.txt",
                 "CROP=Barley\r\n\r\nUNITS=bu.,bushels\r\n\r\nANNUAL_RAIN=11,12\r\n\r\nEFF_IRRIG=0,1\r\n\r\n"
                 "YIELD_VALUES=10,20,30,40\r\n");
    open();
    activate(window.get());
    CropRow* barley = row("Barley");
    ASSERT_NE(barley, nullptr);
    EXPECT_EQ(w().cr(w().cropRowCount() - 1), barley) << "custom crops come after Fallow";
    barley->chkCrop->setChecked(true);
    struct Case {
        QLineEdit* box;
        const char* typed;
        const char* message; // empty: the text passes
    };
    const Case cases[] = {
        {barley->txtPrice, "1200", ""},
        {barley->txtPrice, "100000", ""},
        {barley->txtPrice, "1e300", "Crop Price - Barley:  Please enter a value that's less than or equal to 100,000"},
        {barley->txtMaxYield, "1000000", ""},
        {barley->txtMaxYield, "1e300",
         "Maximum Yield - Barley:  Please enter a value that's less than or equal to 1,000,000"},
        {barley->txtMaxYield, "-5", "Maximum Yield - Barley:  Please enter a value that's greater than 0"},
    };
    for (const Case& c : cases) {
        dialogs.clearRecord();
        c.box->setText(QStringLiteral("50"));
        typeInto(c.box, QString::fromLatin1(c.typed));
        (c.box == barley->txtPrice ? barley->txtMaxYield : barley->txtPrice)->setFocus(Qt::TabFocusReason);
        if (*c.message) {
            ASSERT_EQ(dialogs.messages.size(), 1u) << c.typed;
            EXPECT_EQ(dialogs.lastText(), c.message);
            EXPECT_EQ(c.box->text(), "50");
        } else {
            EXPECT_TRUE(dialogs.messages.empty()) << c.typed << " " << dialogs.lastText().toStdString();
            EXPECT_EQ(c.box->text(), c.typed);
        }
    }
}

TEST_F(MainWindowTest, CropFrameScrollLimits)
{
    open();
    // Seven rows (six library crops and Fallow): 490 twips apart, a frame 3850 twips high, a bar up to 580.
    ASSERT_EQ(w().cropRowCount(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(w().cr(i)->y(), twips(i * 490)) << i;
    EXPECT_EQ(pane().cropFrame->height(), twips(3850));
    QScrollBar* bar = find<QScrollBar>("cropScroll");
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 580);
    EXPECT_EQ(bar->singleStep(), 100);
    EXPECT_EQ(bar->pageStep(), 300);
    EXPECT_TRUE(bar->isEnabled());
    bar->setValue(580);
    EXPECT_EQ(pane().cropFrame->y(), -twips(580));
}

TEST_F(MainWindowTest, MissingCropLibraryLeavesNoRowsAndSaysSo)
{
    std::filesystem::remove_all(folder.path() / "crops");
    open();
    EXPECT_EQ(w().cropRowCount(), 0);
    EXPECT_TRUE(pane().row(0)->isHidden());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("The crop library could not be read"));
    EXPECT_FALSE(w().ready());
}
