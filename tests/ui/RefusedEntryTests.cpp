// A rejected entry goes back to the text its box had when the current edit began (when the box took the focus or
// was last accepted), not to what the toolkit's undo history reaches back to across visits. The same holds for
// every box checked when it is left: the main pane's efficiency, the cost panes' boxes and the crop rows.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

#include "ui/MainWindowFixture.h"

using namespace korvel::ui;

namespace {

class RefusedEntry : public test::MainWindowTest {
public:
    // The user's steps: select everything and type `accepted`, Tab (the entry passes); click at the end of the
    // box and type `more`, Tab: the entry is refused, OK closes the message.
    void editTwice(QLineEdit* box, const QString& accepted, const QString& more)
    {
        QTest::mouseClick(box, Qt::LeftButton);
        box->selectAll();
        QTest::keyClicks(box, accepted);
        QTest::keyClick(box, Qt::Key_Tab);
        ASSERT_FALSE(box->hasFocus());
        ASSERT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 2, box->height() / 2));
        ASSERT_TRUE(box->hasFocus());
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClicks(box, more);
        QTest::keyClick(box, Qt::Key_Tab);
    }
};

} // namespace

TEST_F(RefusedEntry, ARefusedEntryGoesBackToTheLastAcceptedTextAndARunUsesIt)
{
    open();
    test::activate(window.get());
    fillInputs();
    ASSERT_EQ(pane().txtEff->text(), "85");
    editTwice(pane().txtEff, "90", "5");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Irrigation Efficiency %:  Please enter a value that's less than or equal to 100");
    EXPECT_EQ(pane().txtEff->text(), "90");
    EXPECT_TRUE(pane().txtEff->hasFocus());
    EXPECT_FALSE(pane().txtEff->isUndoAvailable()) << "the refused text cannot be brought back";

    dialogs.clearRecord();
    pane().runButton->click();
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.lastText().toStdString();
    EXPECT_EQ(session.IrrigationEfficiency, 0.9) << "the run uses the efficiency the box shows";
}

TEST_F(RefusedEntry, EveryCheckedBoxGoesBackToTheTextItsEditBeganWith)
{
    struct Case {
        const char* box;
        std::function<QLineEdit*(RefusedEntry&)> show; // brings the box on screen as a user does
        QString accepted;
        QString more;
        std::function<double(RefusedEntry&)> committed; // what the model holds after the refusal, if it follows the box
        double expected;
    };
    const std::vector<Case> cases = {
        {"crop row price",
         [](RefusedEntry& t) {
             t.row("Corn")->chkCrop->click();
             return t.row("Corn")->txtPrice;
         },
         "6", "5", [](RefusedEntry& t) { return t.row("Corn")->crop()->price; }, 6},
        {"crop row maximum yield",
         [](RefusedEntry& t) {
             t.row("Wheat")->chkCrop->click();
             return t.row("Wheat")->txtMaxYield;
         },
         "80", "0", [](RefusedEntry& t) { return t.row("Wheat")->crop()->maxYield; }, 80},
        {"nitrogen cost",
         [](RefusedEntry& t) {
             t.row("Corn")->chkCrop->click();
             t.row("Corn")->cmdInputCosts->click();
             return t.w().pneInputCosts()->findChild<QLineEdit*>("txtNitrogenCost");
         },
         "1", "5", nullptr, 0},
        {"stand life",
         [](RefusedEntry& t) {
             t.row("Alfalfa")->chkCrop->click();
             t.row("Alfalfa")->cmdInputCosts->click();
             return t.w().pneInputCosts()->findChild<QLineEdit*>("txtStand");
         },
         "4", "1", nullptr, 0},
        {"pumping lift",
         [](RefusedEntry& t) {
             t.pane().irrigationButton->click();
             return t.w().pneIrrigCosts()->findChild<QLineEdit*>("txtLift");
         },
         "250", "0", nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        open();
        test::activate(window.get());
        dialogs.clearRecord();
        QLineEdit* box = c.show(*this);
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(box->isVisible());
        editTwice(box, c.accepted, c.more);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].text.contains("less than or equal to")) << dialogs.lastText().toStdString();
        EXPECT_EQ(box->text(), c.accepted);
        EXPECT_TRUE(box->hasFocus());
        EXPECT_FALSE(box->isUndoAvailable());
        if (c.committed) {
            EXPECT_EQ(c.committed(*this), c.expected);
        }
    }
}
