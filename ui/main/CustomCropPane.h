#pragma once
// The custom crop editor: creates, edits, saves and deletes the user's own crops. A custom crop is a name,
// yield units and a yield table (one row per inch of net irrigation from 0, one column per inch of annual
// rainfall), kept as one crop file in <user folder>/crops/custom. The crop library reads these files with
// the library crops; the crop rows show them once they are rebuilt (after a save and on "Back to Home").
//
// Controls (objectNames): "txtCustom(0)" (crop name), "cboCustomGrid(0)" (custom crop list: "Select..." then
// the custom crop names), "cboCustomGrid(1)" / "cboCustomGrid(2)" (lowest / highest annual rainfall),
// "cboCustomGrid(3)" (maximum net irrigation), "cboCustomGrid(4)" (yield units), "cboCustomGrid(5)" (the
// default-crop list, editable), "dgCustom" (the yield grid), "cmdCustomGrid(0)" "Set Grid Size",
// "cmdCustomGrid(2)" "Save Custom Crop", "cmdCustomGrid(3)" "Copy Grid Data for Excel",
// "cmdCustomGrid(4)" "Paste Grid Data from Excel", "cmdCustomGrid(5)" "Back to Home",
// "cmdCustomGrid(6)" "Delete this Custom Crop?", the help button "cmdHelp(27)".
//
// The grid is addressed as the editor sees it: cell (0, c) is the rainfall header of column c, cell (r, 0)
// the irrigation header of row r, cells (r >= 1, c >= 1) the data; Rows() and Cols() count the header row and
// column. The headers are the table's own header sections, so they stay in view while the data scrolls.
#include <QByteArray>
#include <QFrame>
#include <QString>
#include <QStringList>
#include <array>
#include <filesystem>
#include <optional>
#include <vector>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace korvel::ui {

class PaneHost;

class CustomCropPane : public QFrame {
    Q_OBJECT
public:
    explicit CustomCropPane(PaneHost& main, QWidget* parent = nullptr);

    // One file of the custom crop folder: its full path and the crop name of its first line.
    struct CustomCropEntry {
        std::filesystem::path file;
        QString name;
    };

    // The Tools menu's "Manage Custom Crops": lists the folder again, refills the custom crop list, resets the
    // editor and shows the pane.
    void open();
    // The editor's lists as the main window's load fills them: rainfall 9-11 and 12-32, irrigation 0-32 (each
    // on its second entry), the units (on the first) and the default crops (reading "Select crop...").
    void fillDesignLists();

    // Rebuilds CustomCropList from the folder, in file-name order. The first file that cannot be read (it cannot
    // be opened, it is empty, its first line holds no "=") ends the scan silently; the entries before it stay.
    void LoadCustomCropFiles();
    // "Select..." then the names of CustomCropList, and selects entry 0 (which resets the editor).
    void FillCustomCropList();
    // Empties the name box and every grid cell (headers too; the size stays), puts the ranges on their first
    // entries, the custom crop list on "Select..." and the default-crop list back to "Select crop...".
    void ResetCustomCropPane();
    // Loads the custom crop of list entry index (0: no crop, the editor is reset). A file that cannot be read as
    // a crop stops the load where it fails, silently, keeping what was already set.
    void LoadCustomCrop(int index);
    // Sizes the grid (cells that stay keep their text) and writes the headers "<inches> in.". Throws
    // std::invalid_argument for a range that gives no data row or column.
    void SetGridSize(int lowestRain, int highestRain, int lowestIrrigation, int highestIrrigation);
    // Lays the values into the data cells row by row from (1, 1). Throws std::out_of_range at the first value
    // that has no cell (the values before it are written).
    void FillGridFromArray(const QStringList& values);
    // The text without any of the characters * ? / \ : | < > and the double quote.
    static QString RemoveIllegals(const QString& pstrCheckString);

    // An entry of list index became selected (by the user or from code).
    void listPicked(int index);
    // The buttons 0, 2, 3, 4, 5 and 6. A Save or Delete that fails says why; any other failure inside shows "Error
    // saving file" with the reason.
    void editorButtonClicked(int index);

    // --- The grid ---------------------------------------------------------------------------------
    int Rows() const;
    int Cols() const;
    QString cellText(int row, int col) const;
    void setCellText(int row, int col, const QString& text);
    // The current cell (a data cell; (1, 1) when none is current).
    int currentRow() const;
    int currentCol() const;
    void setCurrentCell(int row, int col);

    const std::vector<CustomCropEntry>& CustomCropList() const { return CustomCropList_; }
    // <user folder>/crops/custom/<RemoveIllegals(name)>.txt
    std::filesystem::path customCropFile(const QString& name) const;

    // True once a key has been typed into the name box since the last reset, load or save.
    bool customAltered = false;

    QLineEdit* nameBox; // "txtCustom(0)"
    std::array<QComboBox*, 6> cboCustomGrid{};
    QTableWidget* dgCustom;
    std::array<QPushButton*, 7> cmdCustomGrid{}; // elements 1 is unused; 0, 2 .. 6 are the buttons
    QPushButton* helpButton;                     // "cmdHelp(27)"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The builders of the constructor, in its order: the name box and the six lists, the data grid, the
    // editor's buttons, and the form that places the name box and the lists.
    void buildDesignLists();
    void buildGrid();
    // The column at its designed width, or wider to show its widest value whole.
    void fitColumn(int column);
    void buildEditorButtons();
    QGridLayout* buildDesignForm();

    void loadDefaultTable();
    void setGridSizeFromLists();
    void saveCustomCrop();
    // A name that a crop of the crop library has (letter case, surrounding blanks and invisible characters aside)
    // is refused with a message saying so; true then.
    bool refuseLibraryName(const QString& name);
    // True when the crop name may be saved into target: it holds no crop, or the crop of that name, or the user
    // agreed to replace the other crop it holds (whose name gives the same file name).
    bool mayReplace(const std::filesystem::path& target, const QString& name);
    // The crop files of the custom folder other than target whose crop has the name as it shows (the same text
    // once invisible characters and surrounding blanks are left out).
    std::vector<CustomCropEntry> otherCropsNamed(const QString& name, const std::filesystem::path& target) const;
    // True when the user agreed that the crop name replaces these other crops of the same name.
    bool mayReplaceSameNamed(const QString& name, const std::vector<CustomCropEntry>& others);
    // Deletes the files of the crops that a save under name replaced and takes them off the custom crop list; a
    // file that cannot be deleted is named with the reason.
    void removeReplacedCrops(const QString& name, const std::vector<CustomCropEntry>& others);
    // How many entries before entry k of the custom crop list have its crop name.
    int sameNamedBefore(int k) const;
    // The crop file of the editor's name, units, lists and grid, when the crop library reads it back as exactly
    // what the editor shows: a name on one line, a grid sized for the lists' ranges and every data cell a number
    // or empty. Otherwise nothing is made: the message says which part is wrong (a wrong cell is made current
    // and takes the focus).
    std::optional<QByteArray> customCropContent();
    void selectUnits(const QString& unitsText);
    void refusePaste();
    void copyGrid();
    void pasteGrid();
    void backToHome();
    void deleteCustomCrop();
    // Typing in the grid: a character, and the keys that act before it (true when the key went no further).
    void gridCharacterTyped(QChar character);
    bool gridKeyPressed(int key, Qt::KeyboardModifiers shift);
    std::filesystem::path customFolder() const;
    // Why the user's folder cannot take a custom crop's file or its removal; nothing when it can.
    std::optional<QString> userFolderProblem() const;
    QTableWidgetItem* headerItem(int row, int col) const;
    void ensureHeaderItems();

    PaneHost& main_; // the window, through its host interface
    std::vector<CustomCropEntry> CustomCropList_;
    // A list's selection handler has run for the change that the user's pick is now reporting.
    std::array<bool, 6> changeHandled_{};
};

} // namespace korvel::ui
