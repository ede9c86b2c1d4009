#pragma once
// A main window on a fresh program folder holding a copy of the shipped crop library, with a scripted dialog
// service and its own session, for the window tests. Each test program says which panes of the layers above
// the main window its windows get (windowPanes): none for the tests of the main window's own layer
// (BareWindow.cpp), the results and trend panes for the others (AssembledWindow.h).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "model/SessionState.h"
#include "model/TempFolder.h"
#include "ui/QtPrinting.h"
#include "ui/ScriptedDialogService.h"
#include "ui/main/ControlNames.h"
#include "ui/main/CropRow.h"
#include "ui/main/CustomCropPane.h"
#include "ui/main/IrrigationCostPane.h"
#include "ui/main/MainPane.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ProductionCostPane.h"
#include "ui/main/SummaryPane.h"
#include "ui/main/UpperPanes.h"

namespace korvel::ui::test {

// The shipped data of the source tree, or the copy named in KORVEL_TEST_DATA (a test run as another user, who
// may not read the source tree).
inline const std::filesystem::path kShippedData = [] {
    const char* copy = std::getenv("KORVEL_TEST_DATA");
    return std::filesystem::path(copy && *copy ? copy : KORVEL_DATA_DIR);
}();

// The panes of the layers above the main window that the windows of this test program are built with.
UpperPanes windowPanes();

// Copies the shipped crops (library, soils, custom folder) into folder/crops; with `only` set, just those
// library files (by file name) and their soil files.
inline void copyShippedCrops(const std::filesystem::path& folder, const std::vector<std::string>& only = {})
{
    namespace fs = std::filesystem;
    fs::create_directories(folder / "crops" / "custom");
    fs::create_directories(folder / "crops" / "soils");
    fs::copy(kShippedData / "crops" / "soils", folder / "crops" / "soils",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    for (const auto& entry : fs::directory_iterator(kShippedData / "crops")) {
        if (!entry.is_regular_file())
            continue;
        const std::string name = entry.path().filename().string();
        if (!only.empty() && std::find(only.begin(), only.end(), name) == only.end())
            continue;
        fs::copy_file(entry.path(), folder / "crops" / name, fs::copy_options::overwrite_existing);
    }
}

inline void activate(QWidget* w)
{
    w->show();
    w->raise();
    w->activateWindow();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

// Replaces the text of a box as a user does: select everything, type.
inline void typeInto(QLineEdit* box, const QString& text)
{
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

class MainWindowTest : public ::testing::Test {
public:
    void SetUp() override { copyShippedCrops(folder.path()); }
    void TearDown() override
    {
        window.reset();
        QApplication::processEvents();
    }

    // Builds and loads the window (after the test has put files in the folder).
    MainWindow& open()
    {
        window = std::make_unique<MainWindow>(ProgramFolders::inOne(QString::fromStdString(folder.path().string())),
                                              session, windowPanes());
        window->load();
        return *window;
    }
    MainWindow& w() { return *window; }
    MainPane& pane() { return *window->pneMain(); }

    template <class T>
    T* find(const QString& name)
    {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    // The row showing the crop named `name`.
    CropRow* row(const QString& name)
    {
        for (int i = 0; i < window->cropRowCount(); ++i)
            if (window->cr(i)->GetCrop() == name)
                return window->cr(i);
        ADD_FAILURE() << "no row " << name.toStdString();
        return nullptr;
    }

    // The crop rows' names, in row order.
    QStringList rowNames() const
    {
        QStringList names;
        for (int i = 0; i < window->cropRowCount(); ++i)
            names << window->cr(i)->GetCrop();
        return names;
    }

    void tick(const QString& crop, const QString& price, const QString& maxYield)
    {
        CropRow* r = row(crop);
        r->chkCrop->setChecked(true);
        r->txtPrice->setText(price);
        r->txtMaxYield->setText(maxYield);
    }

    // A complete set of main-pane inputs: 160 acres, 12 gross inches, 85 %, 16 inches of rain, "50 - 50".
    void fillInputs()
    {
        pane().txtArea->setText(QStringLiteral("160"));
        pane().txtMax->setText(QStringLiteral("12"));
        pane().txtEff->setText(QStringLiteral("85"));
        pane().txtAnnRain->setEditText(QStringLiteral("16"));
        pane().presetButtons[0]->setChecked(true);
        tick(QStringLiteral("Corn"), QStringLiteral("6.52"), QStringLiteral("220"));
        tick(QStringLiteral("Wheat"), QStringLiteral("6.2"), QStringLiteral("75"));
    }

    // Every crop ticked with no price, no yield and no costs, four fields and a fine water step: every
    // allocation earns the same, so none can be passed over and the search runs long enough to be cancelled.
    void tieEverything()
    {
        for (int i = 0; i < window->cropRowCount(); ++i) {
            window->cr(i)->chkCrop->setChecked(true);
            window->cr(i)->txtPrice->setText("0");
            window->cr(i)->txtMaxYield->setText("0");
        }
        pane().presetButtons[4]->setChecked(true);
        session.SplitFactor = 100;
    }

    bool inputsFileExists() const { return std::filesystem::exists(folder.path() / "inputs.txt"); }

    korvel::testing::TempFolder folder{"korvel-ui"};
    korvel::SessionState session;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

} // namespace korvel::ui::test
