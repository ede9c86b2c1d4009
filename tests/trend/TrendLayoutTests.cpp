// What a user sees of the trend panes: the results pane hides the setup pane behind it, and the variable
// captions of the setup pane are not squeezed by their units.
#include <QApplication>

#include "trend/TrendFixture.h"

using namespace korvel::ui;
using namespace korvel::ui::test;

namespace {

TEST_F(TrendTest, TrendResultsCoverTheSetupPaneBehindThem)
{
    openWithTrends();
    w().show();
    w().mnuFallBatch->trigger();
    manualValues(0, QStringLiteral("5, 6, 7"));
    setup().cmdBatchIt->click();
    ASSERT_TRUE(resultsPane().isVisible()) << dialogs.lastText().toStdString();
    QApplication::processEvents();

    EXPECT_TRUE(resultsPane().geometry().contains(setup().geometry()))
        << "setup controls would show around the results";
    EXPECT_TRUE(resultsPane().autoFillBackground()) << "setup controls would show through the results";
    // Nothing of the setup pane is under the mouse anywhere on the results pane.
    QWidget* client = resultsPane().parentWidget();
    for (const QPoint corner : {setup().geometry().topLeft(), setup().geometry().bottomRight(),
                                setup().mapTo(client, setup().cmdBatchIt->geometry().center())}) {
        QWidget* hit = client->childAt(corner);
        ASSERT_NE(hit, nullptr);
        EXPECT_TRUE(hit == &resultsPane() || resultsPane().isAncestorOf(hit)) << hit->objectName().toStdString();
    }
}

TEST_F(TrendTest, VariableCaptionsKeepTheirFullWidthBesideTheCropsUnits)
{
    openWithTrends();
    w().show();
    w().mnuFallBatch->trigger();
    ASSERT_TRUE(setup().isVisible());
    for (const QString& crop : {QStringLiteral("Corn"), QStringLiteral("Wheat")}) {
        setup().selectCropEntry(setup().cboCrops->findText(crop));
        QApplication::processEvents();
        EXPECT_FALSE(setup().lblYieldUnits->text().isEmpty());
        for (QRadioButton* option : setup().optBatchVariable)
            EXPECT_GE(option->width(), option->sizeHint().width())
                << crop.toStdString() << ": " << option->text().toStdString() << " is cut off";
    }
}

} // namespace
