#include "ui/main/CustomCropPane.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

#include "model/DefaultYieldTables.h"
#include "model/FileReader.h"
#include "model/Numbers.h"
#include "model/RegularFile.h"
#include "model/UserFiles.h"
#include "ui/main/ControlNames.h"
#include "ui/main/HelpButton.h"
#include "ui/main/InputValidation.h"
#include "ui/main/MainPane.h"
#include "ui/main/PaneHost.h"
#include "ui/platform/Clipboard.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/platform/SaveFile.h"
#include "ui/platform/Twips.h"

namespace korvel::ui {

namespace fs = std::filesystem;

namespace {

constexpr int kColumnWidth = 700; // twips, every grid column and the header column

const QString kSelect = QStringLiteral("Select...");
const QString kSelectCrop = QStringLiteral("Select crop...");

QStringList defaultCropNames()
{
    return {QStringLiteral("Corn"),     QStringLiteral("Alfalfa"),   QStringLiteral("Grain Sorghum"),
            QStringLiteral("Soybeans"), QStringLiteral("Sunflower"), QStringLiteral("Wheat")};
}

QStringList numbers(int from, int to)
{
    QStringList out;
    for (int v = from; v <= to; ++v)
        out << QString::number(v);
    return out;
}

// Empties a list and fills it again without running its selection handler; nothing is selected afterwards.
void refill(QComboBox* box, const QStringList& items)
{
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
}

// Selects the entry whose text is exactly text; throws when the list does not offer it.
void selectText(QComboBox* box, const QString& text)
{
    const int index = box->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index < 0)
        throw std::out_of_range("the list does not offer " + text.toStdString());
    box->setCurrentIndex(index);
}

// The leading number of a list's text as a whole number (0 when there is none).
int listValue(const QComboBox* box)
{
    const long long v = num::toWhole(num::leadingNumberOrZero(box->currentText().toStdString()));
    if (v < -1000000 || v > 1000000)
        throw std::out_of_range("a list value outside any grid");
    return static_cast<int>(v);
}

// The pieces between commas; an empty text has none.
QStringList splitList(const QString& text)
{
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char(','));
}

// One line without its line end (LF or CR LF), as the crop library reads it; throws when the file has no more
// lines or the line is longer than a crop file's line may be.
std::string nextLine(std::istream& in)
{
    std::string line;
    if (!korvel::FileReader::readLine(in, line))
        throw std::runtime_error("the file ends early");
    return line;
}

QString valueOf(const std::string& line)
{
    return QString::fromStdString(korvel::FileReader::parseEquals(line));
}

// The "UNITS=" value written for the units list's text.
QString unitsValue(const QString& listText)
{
    if (listText == QLatin1String("tons/acre"))
        return QStringLiteral("ton,tons");
    if (listText == QLatin1String("pounds/acre"))
        return QStringLiteral("lb,pounds");
    return QStringLiteral("bu.,bushels");
}

// A grid cell that the crop library reads back as the yield the cell shows: empty (an empty value), or one
// number as a whole, not below zero, without the commas that separate the values or a line break that would end
// their line.
bool readsBackAsShown(const QString& text)
{
    if (text.isEmpty())
        return true;
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        return false;
    const std::string bytes = text.toStdString();
    const std::optional<double> value = num::parseNumeric(bytes);
    if (!value || *value < 0)
        return false;
    try {
        return num::leadingNumber(bytes) == *value;
    } catch (const std::exception&) {
        return false;
    }
}

QString joinNumbers(int from, int to)
{
    if (to < from)
        throw std::invalid_argument("an empty range");
    return numbers(from, to).join(QLatin1Char(','));
}

QString pathText(const fs::path& path)
{
    return QString::fromStdString(path.string());
}

// Characters that show nothing where they stand: the format characters (zero-width space and joiners, direction
// marks, the soft hyphen, the byte order mark, tags), the combining grapheme joiner, variation selectors and the
// Hangul fillers.
bool isInvisible(char32_t ch)
{
    return QChar::category(ch) == QChar::Other_Format || ch == 0x034F || (ch >= 0xFE00 && ch <= 0xFE0F) ||
           (ch >= 0xE0100 && ch <= 0xE01EF) || ch == 0x115F || ch == 0x1160 || ch == 0x3164 || ch == 0xFFA0;
}

// A crop name as it shows in the crop rows: composed, without invisible characters, every kind of blank a plain
// one, and without blanks around it. Two names that give the same text look alike to the user.
QString shownName(const QString& name)
{
    QString out;
    for (const char32_t ch : name.normalized(QString::NormalizationForm_C).toUcs4()) {
        if (isInvisible(ch))
            continue;
        if (QChar::isSpace(ch))
            out += QLatin1Char(' ');
        else
            out += QString::fromUcs4(&ch, 1);
    }
    return out.trimmed();
}

// Deletes a file, also a read-only one. Nothing when it is gone; else why it is still there (or was never there).
std::optional<QString> deleteFile(const fs::path& file)
{
    std::error_code ec;
    if (fs::remove(file, ec))
        return std::nullopt;
    if (!ec)
        return QStringLiteral("it is no longer there");
    std::error_code writable;
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, writable);
    std::error_code again;
    if (!writable && fs::remove(file, again))
        return std::nullopt;
    return QString::fromLocal8Bit(ec.message().c_str());
}

// The crop name of a crop file's first line; nothing when there is no such file or it holds no crop name.
std::optional<QString> cropNameInFile(const fs::path& file)
{
    std::ifstream in;
    if (!korvel::openRegularFile(file, in))
        return std::nullopt;
    try {
        return valueOf(nextLine(in));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

QLabel* label(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

QLabel* hint(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setWordWrap(true);
    l->setContentsMargins(8, 0, 0, 0);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(0x40, 0x40, 0x40));
    l->setPalette(p);
    return l;
}

// A hint on a line of its own.
QLabel* note(const QString& text, QWidget* parent)
{
    QLabel* l = hint(text, parent);
    l->setContentsMargins(0, 0, 0, 0);
    return l;
}

} // namespace

CustomCropPane::CustomCropPane(PaneHost& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneCustomCrop"));
    setMinimumSize(twips(11220), twips(6615));

    auto* title = new QLabel(QStringLiteral("Create and Manage Custom Crops"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 3);
    title->setFont(titleFont);
    helpButton = makeHelpButton(main, 27, this);

    buildDesignLists();
    buildGrid();
    buildEditorButtons();

    // --- Layout ---
    auto* heading = new QHBoxLayout;
    heading->addWidget(title);
    heading->addWidget(helpButton);
    heading->addStretch(1);

    QGridLayout* form = buildDesignForm();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCustomGrid[3]);
    buttons->addWidget(cmdCustomGrid[4]);
    buttons->addStretch(1);
    buttons->addWidget(cmdCustomGrid[2]);
    buttons->addWidget(cmdCustomGrid[5]);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 8, 12, 8);
    outer->setSpacing(6);
    outer->addLayout(heading);
    outer->addLayout(form);
    outer->addWidget(note(QStringLiteral("Enter crop yields manually or paste from EXCEL to grid below"), this));
    outer->addWidget(dgCustom, 1);
    outer->addLayout(buttons);
    outer->addWidget(note(QStringLiteral("Save your crop using the 'Save Custom Crop' button.  Return to the main "
                                         "input page by pressing the 'Back to Home' button."),
                          this));

    setReadingOrder({helpButton, cboCustomGrid[0], cmdCustomGrid[6], nameBox, cboCustomGrid[4], cboCustomGrid[1],
                     cboCustomGrid[2], cboCustomGrid[3], cmdCustomGrid[0], cboCustomGrid[5], dgCustom, cmdCustomGrid[3],
                     cmdCustomGrid[4], cmdCustomGrid[2], cmdCustomGrid[5]});
}

void CustomCropPane::buildDesignLists()
{
    nameBox = new QLineEdit(this);
    nameBox->setObjectName(arrayName(QStringLiteral("txtCustom"), 0));
    nameBox->installEventFilter(this);

    for (int n = 0; n < 6; ++n) {
        auto* box = new QComboBox(this);
        box->setObjectName(arrayName(QStringLiteral("cboCustomGrid"), n));
        cboCustomGrid[static_cast<size_t>(n)] = box;
        // A selection from code runs the handler like a pick; the user's pick of the entry already selected
        // runs it too (activated without a change).
        connect(box, &QComboBox::currentIndexChanged, this, [this, n](int i) {
            if (i < 0)
                return;
            listPicked(n);
            changeHandled_[static_cast<size_t>(n)] = true;
            QTimer::singleShot(0, this, [this, n] { changeHandled_[static_cast<size_t>(n)] = false; });
        });
        connect(box, &QComboBox::activated, this, [this, n](int) {
            bool& handled = changeHandled_[static_cast<size_t>(n)];
            if (handled) {
                handled = false;
                return;
            }
            listPicked(n);
        });
    }
    cboCustomGrid[5]->setEditable(true);
    cboCustomGrid[5]->setInsertPolicy(QComboBox::NoInsert);
    // The default-crop list takes typed text but acts only on an entry picked from it: the list's own
    // matching of typed text to an entry (on Enter or on leaving the box) is switched off.
    QObject::disconnect(cboCustomGrid[5]->lineEdit(), &QLineEdit::editingFinished, cboCustomGrid[5], nullptr);
    cboCustomGrid[0]->setMinimumWidth(twips(2600));
    cboCustomGrid[4]->setMinimumWidth(twips(1800));
    cboCustomGrid[5]->setMinimumWidth(twips(2200));
    nameBox->setMinimumWidth(twips(2600));
}

void CustomCropPane::buildGrid()
{
    dgCustom = new QTableWidget(1, 1, this);
    dgCustom->setObjectName(QStringLiteral("dgCustom"));
    dgCustom->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dgCustom->setSelectionMode(QAbstractItemView::ContiguousSelection);
    dgCustom->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    dgCustom->horizontalHeader()->setDefaultSectionSize(twips(kColumnWidth));
    dgCustom->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    dgCustom->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    dgCustom->verticalHeader()->setDefaultSectionSize(twips(330));
    dgCustom->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    dgCustom->verticalHeader()->setFixedWidth(twips(kColumnWidth));
    dgCustom->setMinimumHeight(twips(2200));
    dgCustom->installEventFilter(this);
    // A column is as wide as designed, wider where a value needs more room to show whole.
    connect(dgCustom->model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                for (int c = first.column(); c <= last.column(); ++c)
                    fitColumn(c);
            });
    ensureHeaderItems();
}

void CustomCropPane::fitColumn(int column)
{
    // The widest cell as the grid draws it: its text, the margins its style keeps, the grid line.
    const QAbstractItemView* view = dgCustom; // (the grid's own measure, public as the view's)
    const int width = std::max(twips(kColumnWidth), view->sizeHintForColumn(column));
    if (dgCustom->columnWidth(column) != width)
        dgCustom->setColumnWidth(column, width);
}

void CustomCropPane::buildEditorButtons()
{
    const char* captions[] = {"Set Grid Size",
                              nullptr,
                              "Save Custom Crop",
                              "Copy Grid Data for Excel",
                              "Paste Grid Data from Excel",
                              "Back to Home",
                              "Delete this Custom Crop?"};
    for (int n = 0; n < 7; ++n) {
        if (!captions[n])
            continue;
        auto* button = new QPushButton(QString::fromUtf8(captions[n]), this);
        button->setObjectName(arrayName(QStringLiteral("cmdCustomGrid"), n));
        connect(button, &QPushButton::clicked, this, [this, n] { editorButtonClicked(n); });
        cmdCustomGrid[static_cast<size_t>(n)] = button;
    }
    cmdCustomGrid[6]->hide();
}

QGridLayout* CustomCropPane::buildDesignForm()
{
    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(4);
    auto inches = [this] { return label(QStringLiteral("inches"), this); };

    form->addWidget(label(QStringLiteral("Select a custom crop:"), this), 0, 0);
    auto* pick = new QHBoxLayout;
    pick->setSpacing(6);
    pick->addWidget(cboCustomGrid[0]);
    pick->addWidget(cmdCustomGrid[6]);
    pick->addStretch(1);
    form->addLayout(pick, 0, 1);

    form->addWidget(label(QStringLiteral("Name of Crop"), this), 1, 0);
    auto* name = new QHBoxLayout;
    name->setSpacing(6);
    name->addWidget(nameBox);
    name->addWidget(label(QStringLiteral("The name of your custom crop"), this));
    name->addStretch(1);
    form->addLayout(name, 1, 1);

    form->addWidget(label(QStringLiteral("Yield Units"), this), 2, 0);
    auto* units = new QHBoxLayout;
    units->setSpacing(6);
    units->addWidget(cboCustomGrid[4]);
    units->addWidget(hint(QStringLiteral("*Define the units that your custom crop will use.  'Tons' will be "
                                         "considered a forage crop."),
                          this),
                     1);
    form->addLayout(units, 2, 1);

    form->addWidget(label(QStringLiteral("Annual Rainfall Range"), this), 3, 0);
    auto* rain = new QHBoxLayout;
    rain->setSpacing(6);
    rain->addWidget(cboCustomGrid[1]);
    rain->addWidget(inches());
    rain->addWidget(label(QStringLiteral("to"), this));
    rain->addWidget(cboCustomGrid[2]);
    rain->addWidget(inches());
    rain->addWidget(hint(QStringLiteral("*Set the rainfall range for the data grid below"), this), 1);
    form->addLayout(rain, 3, 1);

    form->addWidget(label(QStringLiteral("Maximum Net Irrigation"), this), 4, 0);
    auto* irrigation = new QHBoxLayout;
    irrigation->setSpacing(6);
    irrigation->addWidget(cboCustomGrid[3]);
    irrigation->addWidget(inches());
    irrigation->addWidget(hint(QStringLiteral("*Set the maximum net irrigation for the grid below"), this), 1);
    form->addLayout(irrigation, 4, 1);

    auto* size = new QHBoxLayout;
    size->setSpacing(6);
    size->addWidget(cmdCustomGrid[0]);
    size->addWidget(hint(QStringLiteral("*Size the grid below using the values defined above"), this), 1);
    form->addLayout(size, 5, 1);

    form->addWidget(label(QStringLiteral("Load Default Crop Values:"), this), 6, 0);
    auto* defaults = new QHBoxLayout;
    defaults->setSpacing(6);
    defaults->addWidget(cboCustomGrid[5]);
    defaults->addStretch(1);
    form->addLayout(defaults, 6, 1);
    form->setColumnStretch(1, 1);
    return form;
}

// --- Opening and the lists --------------------------------------------------------------------------

void CustomCropPane::open()
{
    LoadCustomCropFiles();
    FillCustomCropList();
    ResetCustomCropPane();
    main_.ShowPane(this);
}

void CustomCropPane::fillDesignLists()
{
    refill(cboCustomGrid[1], numbers(9, 11));
    refill(cboCustomGrid[2], numbers(12, 32));
    refill(cboCustomGrid[3], numbers(0, 32));
    refill(cboCustomGrid[5], defaultCropNames());
    cboCustomGrid[5]->setEditText(kSelectCrop);
    for (int n = 1; n <= 3; ++n)
        cboCustomGrid[static_cast<size_t>(n)]->setCurrentIndex(1);
    refill(cboCustomGrid[4],
           {QStringLiteral("bushels/acre"), QStringLiteral("pounds/acre"), QStringLiteral("tons/acre")});
    cboCustomGrid[4]->setCurrentIndex(0);
}

fs::path CustomCropPane::customFolder() const
{
    return fs::path(main_.folders().user.toStdString()) / "crops" / "custom";
}

std::optional<QString> CustomCropPane::userFolderProblem() const
{
    const std::string reason = korvel::UserFiles::folderProblem(fs::path(main_.folders().user.toStdString()));
    if (reason.empty())
        return std::nullopt;
    return QString::fromLocal8Bit(reason.c_str());
}

fs::path CustomCropPane::customCropFile(const QString& name) const
{
    return customFolder() / (RemoveIllegals(name) + QStringLiteral(".txt")).toStdString();
}

void CustomCropPane::LoadCustomCropFiles()
{
    CustomCropList_.clear();
    for (const fs::path& file : korvel::FileReader::listFiles(customFolder())) {
        try {
            std::ifstream in(file, std::ios::binary);
            if (!in)
                break;
            CustomCropList_.push_back({file, valueOf(nextLine(in))});
        } catch (const std::exception&) {
            break;
        }
    }
}

void CustomCropPane::FillCustomCropList()
{
    QStringList entries{kSelect};
    for (const CustomCropEntry& entry : CustomCropList_)
        entries << entry.name;
    refill(cboCustomGrid[0], entries);
    cboCustomGrid[0]->setCurrentIndex(0);
}

void CustomCropPane::ResetCustomCropPane()
{
    nameBox->clear();
    for (int n = 1; n <= 3; ++n)
        cboCustomGrid[static_cast<size_t>(n)]->setCurrentIndex(0);
    for (int r = 0; r < dgCustom->rowCount(); ++r)
        for (int c = 0; c < dgCustom->columnCount(); ++c)
            if (QTableWidgetItem* item = dgCustom->item(r, c))
                item->setText(QString());
    ensureHeaderItems();
    for (int c = 0; c < dgCustom->columnCount(); ++c)
        dgCustom->horizontalHeaderItem(c)->setText(QString());
    for (int r = 0; r < dgCustom->rowCount(); ++r)
        dgCustom->verticalHeaderItem(r)->setText(QString());
    cboCustomGrid[0]->setCurrentIndex(0);
    refill(cboCustomGrid[5], defaultCropNames());
    cboCustomGrid[5]->setEditText(kSelectCrop);
    customAltered = false;
}

void CustomCropPane::listPicked(int index)
{
    if (index == 0)
        LoadCustomCrop(cboCustomGrid[0]->currentIndex());
    else if (index == 5)
        loadDefaultTable();
}

void CustomCropPane::LoadCustomCrop(int index)
{
    if (index == 0) {
        ResetCustomCropPane();
        cmdCustomGrid[6]->hide();
        customAltered = false;
        return;
    }
    cmdCustomGrid[6]->show();
    try {
        if (index < 1 || index > static_cast<int>(CustomCropList_.size()))
            throw std::out_of_range("no such custom crop");
        std::ifstream in(CustomCropList_[static_cast<size_t>(index - 1)].file, std::ios::binary);
        if (!in)
            throw std::runtime_error("the file cannot be opened");
        nameBox->setText(valueOf(nextLine(in)));
        nextLine(in);
        selectUnits(valueOf(nextLine(in)));
        nextLine(in);
        const QStringList rain = splitList(valueOf(nextLine(in)));
        if (rain.isEmpty())
            throw std::runtime_error("no rainfall columns");
        selectText(cboCustomGrid[1], rain.first());
        selectText(cboCustomGrid[2], rain.last());
        nextLine(in);
        const QStringList irrigation = splitList(valueOf(nextLine(in)));
        if (irrigation.isEmpty())
            throw std::runtime_error("no irrigation rows");
        selectText(cboCustomGrid[3], irrigation.last());
        nextLine(in);
        const QStringList values = splitList(valueOf(nextLine(in)));
        SetGridSize(listValue(cboCustomGrid[1]), listValue(cboCustomGrid[2]), 0, listValue(cboCustomGrid[3]));
        FillGridFromArray(values);
    } catch (const std::exception&) {
        // the load ends where it failed; what was set stays
    }
    customAltered = false;
}

void CustomCropPane::selectUnits(const QString& unitsText)
{
    // The entry a save writes as this units text; a text that no entry writes leaves the list as it is.
    QComboBox* units = cboCustomGrid[4];
    for (int i = 0; i < units->count(); ++i) {
        if (unitsValue(units->itemText(i)) == unitsText) {
            units->setCurrentIndex(i);
            return;
        }
    }
}

void CustomCropPane::loadDefaultTable()
{
    try {
        if (!cellText(1, 1).isEmpty() &&
            showMessage(this,
                        QStringLiteral("Loading default crop values will overwrite any existing data you've entered "
                                       "for this custom crop.  Continue to load the default crop values?"),
                        MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Load defaults?")) != MsgAnswer::Yes)
            return;
        const korvel::DefaultYieldTable* table =
            korvel::findDefaultYieldTable(cboCustomGrid[5]->currentText().toLower().toStdString());
        if (!table)
            return;
        selectText(cboCustomGrid[1], QString::number(table->lowestRain));
        selectText(cboCustomGrid[2], QString::number(table->highestRain));
        selectText(cboCustomGrid[3], QString::number(table->maxIrrigation));
        SetGridSize(table->lowestRain, table->highestRain, 0, table->maxIrrigation);
        selectText(cboCustomGrid[4],
                   QString::fromUtf8(table->unitsEntry.data(), static_cast<qsizetype>(table->unitsEntry.size())));
        FillGridFromArray(
            splitList(QString::fromUtf8(table->values.data(), static_cast<qsizetype>(table->values.size()))));
    } catch (const std::exception&) {
        // only lists that were never filled make a table fail to load; nothing more happens then
    }
}

// --- The grid -------------------------------------------------------------------------------------

int CustomCropPane::Rows() const
{
    return dgCustom->rowCount() + 1;
}

int CustomCropPane::Cols() const
{
    return dgCustom->columnCount() + 1;
}

QTableWidgetItem* CustomCropPane::headerItem(int row, int col) const
{
    if (row == 0 && col >= 1 && col < Cols())
        return dgCustom->horizontalHeaderItem(col - 1);
    if (col == 0 && row >= 1 && row < Rows())
        return dgCustom->verticalHeaderItem(row - 1);
    return nullptr;
}

void CustomCropPane::ensureHeaderItems()
{
    // A section without an item would show Qt's own numbering.
    for (int c = 0; c < dgCustom->columnCount(); ++c)
        if (!dgCustom->horizontalHeaderItem(c))
            dgCustom->setHorizontalHeaderItem(c, new QTableWidgetItem(QString()));
    for (int r = 0; r < dgCustom->rowCount(); ++r)
        if (!dgCustom->verticalHeaderItem(r))
            dgCustom->setVerticalHeaderItem(r, new QTableWidgetItem(QString()));
}

QString CustomCropPane::cellText(int row, int col) const
{
    if (row == 0 || col == 0) {
        const QTableWidgetItem* item = headerItem(row, col);
        return item ? item->text() : QString();
    }
    const QTableWidgetItem* item = dgCustom->item(row - 1, col - 1);
    return item ? item->text() : QString();
}

void CustomCropPane::setCellText(int row, int col, const QString& text)
{
    if (row < 0 || col < 0 || row >= Rows() || col >= Cols())
        throw std::out_of_range("no such grid cell");
    if (row == 0 || col == 0) {
        if (QTableWidgetItem* item = headerItem(row, col))
            item->setText(text);
        return;
    }
    QTableWidgetItem* item = dgCustom->item(row - 1, col - 1);
    if (!item) {
        item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        dgCustom->setItem(row - 1, col - 1, item);
    }
    item->setText(text);
}

int CustomCropPane::currentRow() const
{
    return dgCustom->currentRow() < 0 ? 1 : dgCustom->currentRow() + 1;
}

int CustomCropPane::currentCol() const
{
    return dgCustom->currentColumn() < 0 ? 1 : dgCustom->currentColumn() + 1;
}

void CustomCropPane::setCurrentCell(int row, int col)
{
    dgCustom->setCurrentCell(row - 1, col - 1);
}

void CustomCropPane::SetGridSize(int lowestRain, int highestRain, int lowestIrrigation, int highestIrrigation)
{
    const int rows = highestIrrigation - lowestIrrigation + 2;
    const int cols = highestRain - lowestRain + 2;
    if (rows < 2 || cols < 2)
        throw std::invalid_argument("a grid without data cells");
    dgCustom->setRowCount(rows - 1);
    dgCustom->setColumnCount(cols - 1);
    ensureHeaderItems();
    int c = 1;
    for (int v = lowestRain; v <= highestRain; ++v, ++c) {
        setCellText(0, c, QString::number(v) + QStringLiteral(" in."));
        fitColumn(c - 1);
    }
    int r = 1;
    for (int v = lowestIrrigation; v <= highestIrrigation; ++v, ++r)
        setCellText(r, 0, QString::number(v) + QStringLiteral(" in."));
}

void CustomCropPane::FillGridFromArray(const QStringList& values)
{
    int r = 1;
    int c = 1;
    for (const QString& value : values) {
        if (c == Cols()) {
            c = 1;
            ++r;
        }
        if (r >= Rows())
            throw std::out_of_range("more values than the grid has cells");
        setCellText(r, c, value);
        ++c;
    }
}

QString CustomCropPane::RemoveIllegals(const QString& pstrCheckString)
{
    QString out = pstrCheckString;
    for (const QChar ch : QStringLiteral("*?/\\:|<>\""))
        out.remove(ch);
    return out;
}

// --- Buttons --------------------------------------------------------------------------------------

void CustomCropPane::editorButtonClicked(int index)
{
    try {
        switch (index) {
        case 0: setGridSizeFromLists(); break;
        case 2: saveCustomCrop(); break;
        case 3: copyGrid(); break;
        case 4: pasteGrid(); break;
        case 5: backToHome(); break;
        case 6: deleteCustomCrop(); break;
        default: break;
        }
    } catch (const std::exception& e) {
        showSaveError(this, QString(), QString::fromLocal8Bit(e.what()));
    }
}

void CustomCropPane::setGridSizeFromLists()
{
    SetGridSize(listValue(cboCustomGrid[1]), listValue(cboCustomGrid[2]), 0, listValue(cboCustomGrid[3]));
}

void CustomCropPane::saveCustomCrop()
{
    const QString name = nameBox->text();
    if (refuseLibraryName(name))
        return;
    const int k = cboCustomGrid[0]->currentIndex();
    fs::path target;
    // A save into the loaded crop's own file replaces that crop (renamed, when No was the answer); any other
    // target may hold another crop whose name gives the same file name.
    bool ownFile = false;
    std::optional<RenamedCrop> renamed;
    if (k >= 1 && k <= static_cast<int>(CustomCropList_.size())) {
        const CustomCropEntry& entry = CustomCropList_[static_cast<size_t>(k - 1)];
        if (name == entry.name) {
            target = entry.file;
            ownFile = true;
        } else {
            switch (showMessage(this,
                                QStringLiteral("Do you want to save this as a new custom crop?  Selecting YES will "
                                               "create a new custom crop."),
                                MsgButtons::YesNoCancel, MsgIcon::Question, QStringLiteral("Save as new?"))) {
            case MsgAnswer::Yes: target = customCropFile(name); break;
            case MsgAnswer::No:
                target = entry.file;
                ownFile = true;
                renamed = RenamedCrop{entry.name.toStdString(), name.toStdString(), sameNamedBefore(k)};
                break;
            default: return;
            }
        }
    } else {
        target = customCropFile(name);
    }

    if (name.isEmpty() || cellText(1, 1).isEmpty()) {
        showMessage(this,
                    QStringLiteral("Please enter all of the information above, including information in the data grid"),
                    MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Not enough information"));
        return;
    }

    const std::optional<QByteArray> content = customCropContent();
    if (!content || (!ownFile && !mayReplace(target, name)))
        return;
    if (const std::optional<QString> reason = userFolderProblem()) {
        showSaveError(this, pathText(target),
                      QStringLiteral("The folder %1 cannot be used: %2").arg(pathText(customFolder()), *reason));
        return;
    }
    const std::vector<CustomCropEntry> others = otherCropsNamed(name, target);
    if (!others.empty() && !mayReplaceSameNamed(name, others))
        return;
    QString reason;
    if (!saveFile(pathText(target), *content, &reason, korvel::Leftovers::AlsoEarlierNames)) {
        showSaveError(this, pathText(target), reason);
        return;
    }
    removeReplacedCrops(name, others);

    showMessage(this, QStringLiteral("The custom crop has been saved."), MsgButtons::Ok, MsgIcon::Information,
                QStringLiteral("Saved"));
    if (renamed)
        main_.LoadCropRows(*renamed);
    else
        main_.LoadCropRows();
    customAltered = false;
}

bool CustomCropPane::refuseLibraryName(const QString& name)
{
    const QString shown = shownName(name);
    if (shown.isEmpty() || !main_.state().cropFiles)
        return false;
    for (const auto& crop : *main_.state().cropFiles->cropCollection) {
        const QString library = QString::fromStdString(crop->cropType);
        if (crop->Custom || shownName(library).compare(shown, Qt::CaseInsensitive) != 0)
            continue;
        showMessage(this,
                    QStringLiteral("The crop library already has a crop named \"%1\".  Please give your custom crop "
                                   "a name of its own, then save again.")
                        .arg(library),
                    MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Crop name"));
        nameBox->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

bool CustomCropPane::mayReplace(const fs::path& target, const QString& name)
{
    const std::optional<QString> occupant = cropNameInFile(target);
    if (!occupant || *occupant == name)
        return true;
    return showMessage(this,
                       QStringLiteral("Saving \"%1\" would replace the custom crop \"%2\", which is kept in the same "
                                      "file (%3).  Replace \"%2\"?  Choose No to keep it and give your crop "
                                      "another name.")
                           .arg(name, *occupant, pathText(target.filename())),
                       MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Replace crop?")) == MsgAnswer::Yes;
}

std::vector<CustomCropPane::CustomCropEntry> CustomCropPane::otherCropsNamed(const QString& name,
                                                                             const fs::path& target) const
{
    std::vector<CustomCropEntry> others;
    const QString shown = shownName(name);
    for (const fs::path& file : korvel::FileReader::listFiles(customFolder())) {
        if (file.filename() == target.filename())
            continue;
        if (const std::optional<QString> occupant = cropNameInFile(file); occupant && shownName(*occupant) == shown)
            others.push_back({file, *occupant});
    }
    return others;
}

bool CustomCropPane::mayReplaceSameNamed(const QString& name, const std::vector<CustomCropEntry>& others)
{
    QStringList files;
    for (const CustomCropEntry& other : others)
        files << pathText(other.file.filename());
    return showMessage(this,
                       QStringLiteral("Saving \"%1\" would replace the custom crop \"%2\" (%3), as two custom "
                                      "crops cannot share a name.  Replace \"%2\"?  Choose No to keep it and give "
                                      "your crop another name.")
                           .arg(name, others.front().name, files.join(QStringLiteral(", "))),
                       MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Replace crop?")) == MsgAnswer::Yes;
}

void CustomCropPane::removeReplacedCrops(const QString& name, const std::vector<CustomCropEntry>& others)
{
    for (const CustomCropEntry& other : others) {
        if (const std::optional<QString> reason = deleteFile(other.file)) {
            showMessage(this,
                        QStringLiteral("\"%1\" has been saved, but the custom crop \"%2\" it replaces could not be "
                                       "deleted: its file %3 cannot be removed (%4).")
                            .arg(name, other.name, pathText(other.file), *reason),
                        MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Crop not deleted"));
            continue;
        }
        // The list no longer offers a crop whose file is gone; the loaded crop stays selected.
        const auto listed = std::find_if(CustomCropList_.begin(), CustomCropList_.end(),
                                         [&](const CustomCropEntry& e) { return e.file == other.file; });
        if (listed != CustomCropList_.end()) {
            const QSignalBlocker quiet(cboCustomGrid[0]);
            cboCustomGrid[0]->removeItem(1 + static_cast<int>(listed - CustomCropList_.begin()));
            CustomCropList_.erase(listed);
        }
    }
}

int CustomCropPane::sameNamedBefore(int k) const
{
    const QString& name = CustomCropList_[static_cast<size_t>(k - 1)].name;
    return static_cast<int>(std::count_if(CustomCropList_.begin(), CustomCropList_.begin() + (k - 1),
                                          [&](const CustomCropEntry& e) { return e.name == name; }));
}

std::optional<QByteArray> CustomCropPane::customCropContent()
{
    const QString name = nameBox->text();
    if (std::any_of(name.begin(), name.end(), [](QChar ch) { return ch.category() == QChar::Other_Control; })) {
        showMessage(this,
                    QStringLiteral("The name of your custom crop holds a line break or another control character, "
                                   "which a crop file cannot keep.  Please type the name again without it."),
                    MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Crop name"));
        nameBox->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    }

    // The lists give the file its rainfall and irrigation inches; the grid must be sized for exactly those.
    const int lowestRain = listValue(cboCustomGrid[1]);
    const int highestRain = listValue(cboCustomGrid[2]);
    const int maxIrrigation = listValue(cboCustomGrid[3]);
    const auto headersRun = [this](int count, int from, bool columns) {
        if ((columns ? Cols() : Rows()) - 1 != count)
            return false;
        for (int i = 1; i <= count; ++i)
            if ((columns ? cellText(0, i) : cellText(i, 0)) != QString::number(from + i - 1) + QStringLiteral(" in."))
                return false;
        return true;
    };
    const auto refuseRange = [this](const QString& range) {
        showMessage(this,
                    range + QStringLiteral(" does not match the data grid.  Press 'Set Grid Size' to size the grid "
                                           "for it, or pick the values the grid was sized with, then save again."),
                    MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Grid size"));
        return std::nullopt;
    };
    if (!headersRun(highestRain - lowestRain + 1, lowestRain, true))
        return refuseRange(
            QStringLiteral("The annual rainfall range (%1 to %2 inches)").arg(lowestRain).arg(highestRain));
    if (!headersRun(maxIrrigation + 1, 0, false))
        return refuseRange(QStringLiteral("The maximum net irrigation (%1 inches)").arg(maxIrrigation));

    // Every cell must read back as the number it shows: the library splits the values at commas and reads each
    // one's leading number ("1,5" would be two values, "12abc" 12). An empty cell is an empty value (0).
    QStringList yields;
    for (int r = 1; r < Rows(); ++r) {
        for (int c = 1; c < Cols(); ++c) {
            const QString text = cellText(r, c);
            if (!readsBackAsShown(text)) {
                setCurrentCell(r, c);
                dgCustom->setFocus(Qt::OtherFocusReason);
                showMessage(this,
                            QStringLiteral("The yield at %1 net irrigation and %2 annual rainfall, \"%3\", is not a "
                                           "number.  Please enter a plain number there (digits and a decimal point, "
                                           "no commas or letters), then save again.")
                                .arg(cellText(r, 0), cellText(0, c), text),
                            MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Not a number"));
                return std::nullopt;
            }
            if (!text.isEmpty() && num::parseNumeric(text.toStdString()).value_or(0) > kLargestYield) {
                setCurrentCell(r, c);
                dgCustom->setFocus(Qt::OtherFocusReason);
                showMessage(this,
                            QStringLiteral("The yield at %1 net irrigation and %2 annual rainfall, \"%3\", is too "
                                           "large.  Please enter a value that's less than or equal to %4 there, then "
                                           "save again.")
                                .arg(cellText(r, 0), cellText(0, c), text, limitText(kLargestYield)),
                            MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Yield too large"));
                return std::nullopt;
            }
            yields << text;
        }
    }

    const QStringList lines = {
        QStringLiteral("CROP=") + name,
        QString(),
        QStringLiteral("UNITS=") + unitsValue(cboCustomGrid[4]->currentText()),
        QString(),
        QStringLiteral("ANNUAL_RAIN=") + joinNumbers(lowestRain, highestRain),
        QString(),
        QStringLiteral("EFF_IRRIG=") + joinNumbers(0, maxIrrigation),
        QString(),
        QStringLiteral("YIELD_VALUES=") + yields.join(QLatin1Char(',')),
    };
    QString content;
    for (const QString& line : lines)
        content += line + QStringLiteral("\r\n");
    return content.toUtf8();
}

void CustomCropPane::copyGrid()
{
    setClipboardText(QString());
    dgCustom->selectAll();
    QStringList rows;
    for (int r = 0; r < Rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < Cols(); ++c)
            cells << cellText(r, c);
        rows << cells.join(QLatin1Char('\t'));
    }
    setClipboardText(rows.join(QLatin1Char('\r')));
    showMessage(this, QStringLiteral("Your grid has been copied to your clipboard and can now be pasted into Excel"),
                MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Ready to Paste"));
}

void CustomCropPane::pasteGrid()
{
    for (const QChar ch : clipboardText()) {
        const bool fit = (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QLatin1Char('.') ||
                         ch == QLatin1Char('\r') || ch == QLatin1Char('\n') || ch == QLatin1Char('\t');
        if (!fit) {
            refusePaste();
            return;
        }
    }
    QString text = clipboardText();
    if (text.isEmpty()) {
        showMessage(this, QStringLiteral("Copy your selection from a Microsoft Excel worksheet first!"), MsgButtons::Ok,
                    MsgIcon::Exclamation, QStringLiteral("Copy from Excel"));
        return;
    }

    dgCustom->setUpdatesEnabled(false);
    // Rows end in CR LF, CR or LF (spreadsheets on this system put LF alone); a line end after the last row
    // ends that row and starts no new one.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    text.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    const QStringList rows = text.split(QLatin1Char('\r'));
    for (int i = 0; i < rows.size() && 1 + i < Rows(); ++i) {
        const QStringList cells = rows[i].split(QLatin1Char('\t'));
        for (int j = 0; j < cells.size() && 1 + j < Cols(); ++j)
            setCellText(1 + i, 1 + j, cells[j]);
    }
    setCurrentCell(1, 1);
    dgCustom->setUpdatesEnabled(true);
}

void CustomCropPane::refusePaste()
{
    showMessage(this,
                QStringLiteral("Non-numeric characters were detected in the data being pasted into the grid.  "
                               "Please only copy numeric values from Excel, do not include header rows or "
                               "any cells with non-numeric characters. Please try again."),
                MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Try again"));
}

void CustomCropPane::backToHome()
{
    if (customAltered &&
        showMessage(this, QStringLiteral("Are you sure?  Any unsaved changes to this custom crop will be lost."),
                    MsgButtons::YesNoCancel, MsgIcon::Information, QStringLiteral("Are you sure?")) != MsgAnswer::Yes)
        return;
    main_.LoadCropRows();
    main_.ShowPane(main_.pneMain());
}

void CustomCropPane::deleteCustomCrop()
{
    const int k = cboCustomGrid[0]->currentIndex();
    if (k < 1 || k > static_cast<int>(CustomCropList_.size()))
        return;
    const CustomCropEntry entry = CustomCropList_[static_cast<size_t>(k - 1)];
    if (showMessage(this, QStringLiteral("Delete ") + entry.name, MsgButtons::YesNoCancel, MsgIcon::Question,
                    QStringLiteral("Delete crop?")) != MsgAnswer::Yes)
        return;
    std::optional<QString> reason = userFolderProblem();
    if (!reason)
        reason = deleteFile(entry.file);
    if (reason) {
        showMessage(this,
                    QStringLiteral("The custom crop \"%1\" could not be deleted: its file %2 cannot be removed (%3).")
                        .arg(entry.name, pathText(entry.file), *reason),
                    MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("Crop not deleted"));
        return;
    }
    open();
    showMessage(this, QStringLiteral("Custom crop deleted"), MsgButtons::Ok, MsgIcon::Exclamation,
                QStringLiteral("Crop deleted"));
}

// --- Typing ---------------------------------------------------------------------------------------

bool CustomCropPane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == nameBox) {
        // Tab and Shift+Tab move the focus on; they edit nothing.
        if (!key->text().isEmpty() && key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
            customAltered = true;
        return false;
    }
    if (watched == dgCustom) {
        if (gridKeyPressed(key->key(), key->modifiers()))
            return true;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            gridCharacterTyped(QChar(13));
            return true;
        }
        const QString text = key->text();
        // Keys without a character (arrows, page keys) and Tab move around the grid as usual.
        if (text.isEmpty() || text == QLatin1String("\t"))
            return false;
        for (const QChar ch : text)
            gridCharacterTyped(ch);
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

bool CustomCropPane::gridKeyPressed(int key, Qt::KeyboardModifiers shift)
{
    const Qt::KeyboardModifiers held = shift & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const int r = currentRow();
    const int c = currentCol();
    if (held == Qt::ControlModifier && (key == Qt::Key_C || key == Qt::Key_X)) {
        setClipboardText(QString());
        setClipboardText(cellText(r, c));
        if (key == Qt::Key_X)
            setCellText(r, c, QString());
        return true;
    }
    if (held == Qt::ControlModifier && key == Qt::Key_V) {
        // A cell holds one line: the line end a spreadsheet puts after a single cell goes, and a text of several
        // lines is refused as the paste button refuses unfit text (its lines would be joined into one number).
        QString text = clipboardText();
        if (text.endsWith(QStringLiteral("\r\n")))
            text.chop(2);
        else if (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
            refusePaste();
        else
            setCellText(r, c, text);
        return true;
    }
    if (key == Qt::Key_Delete) {
        setCellText(r, c, QString());
        return true;
    }
    return false;
}

void CustomCropPane::gridCharacterTyped(QChar character)
{
    const int r = currentRow();
    const int c = currentCol();
    const ushort code = character.unicode();
    if (code == 13) {
        if (c + 1 <= Cols() - 1)
            setCurrentCell(r, c + 1);
        else
            setCurrentCell(r + 1 <= Rows() - 1 ? r + 1 : 1, 1);
    } else if (code == 8) {
        const QString text = cellText(r, c);
        const bool onlyBlanks = std::all_of(text.begin(), text.end(), [](QChar ch) { return ch == QLatin1Char(' '); });
        if (!onlyBlanks)
            setCellText(r, c, text.left(text.size() - 1));
    } else if (code >= 32) {
        setCellText(r, c, cellText(r, c) + character);
    }
}

} // namespace korvel::ui
