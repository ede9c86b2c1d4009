#include "ui/main/SummaryTable.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/FieldCollection.h"
#include "model/Numbers.h"
#include "ui/main/ViewText.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/platform/SaveFile.h"
#include "ui/platform/Twips.h"

namespace korvel::ui {

namespace {

const QString kNoneSaved = QStringLiteral(
    "No saved results.  Run a scenario and click the 'Save Results' button to add items to be displayed on this page");
const QString kSomeSaved =
    QStringLiteral("Saved options are displayed in the table below.  Remove a column by clicking it.");

const char* const kCaptions[SummaryTable::kRows] = {"",
                                                    "Crop",
                                                    "Acres",
                                                    "Soil",
                                                    "Price",
                                                    "Yield",
                                                    "Annual Rainfall",
                                                    "Gross Irrigation",
                                                    "Net Irrigation",
                                                    "Operating Costs",
                                                    "Returns",
                                                    "Net Return"};

// Dark green for odd options, blue for even ones; white text on both.
const QColor kOddOption(0, 128, 0);
const QColor kEvenOption(0, 0, 255);
const QColor kDataText(255, 255, 255);
const QColor kSelection(128, 128, 255);

// A cell's text, or an empty text when the figure cannot be computed.
template <class Make>
QString cellText(Make&& make)
{
    try {
        return make();
    } catch (const std::exception&) {
        return QString();
    }
}

// A cost per acre in whole dollars: "$170 /acre".
QString dollarsPerAcre(double total, double acres)
{
    return QStringLiteral("$") + pattern(total / acres, "###,##0") + QStringLiteral(" /acre");
}

// The figures of a field's column, from the crop down (the rainfall row shows rain); a figure that cannot be
// computed is an empty cell.
QStringList fieldFigures(Field& f, const SessionState& s)
{
    const Crop& crop = *f.theCrop;
    return {
        cellText([&] { return qtext(crop.cropType); }),
        cellText([&] { return plain(f.acres); }),
        cellText([&] { return qtext(crop.soilName); }),
        cellText([&] {
            return QStringLiteral("$") + pattern(crop.price, "###,##0.00") + QStringLiteral("/") + singularUnit(crop);
        }),
        cellText([&] { return qtext(crop.yieldToString()); }),
        cellText([&] { return plain(f.annualRain) + QStringLiteral("''"); }),
        cellText([&] { return pattern(f.grossDepth(s), "#0.0") + QStringLiteral("''"); }),
        cellText([&] { return pattern(f.Depth, "#0.0") + QStringLiteral("''"); }),
        cellText([&] { return dollarsPerAcre(f.getCosts(s), f.acres); }),
        cellText([&] { return dollarsPerAcre(f.getReturn(), f.acres); }),
        cellText([&] { return dollarsPerAcre(f.getReturn() - f.getCosts(s), f.acres); }),
    };
}

} // namespace

QString csvCell(const QString& text)
{
    static const QRegularExpression needsQuotes(QStringLiteral("[,\"\r\n]"));
    if (!text.contains(needsQuotes))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

SummaryTable::SummaryTable(const SessionState& session, OptionList& summaryResults, QWidget* parent)
    : QWidget(parent), session_(session), summaryResults_(summaryResults)
{
    auto* layout = new QVBoxLayout(this);
    titleLabel = new QLabel(QStringLiteral("Summary of Saved Options"), this);
    titleLabel->setObjectName(arrayName(QStringLiteral("Label57"), 1));
    QFont titleFont = titleLabel->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleLabel->setFont(titleFont);
    layout->addWidget(titleLabel);

    savedNote = new QLabel(this);
    savedNote->setObjectName(arrayName(QStringLiteral("Label59"), 1));
    savedNote->setWordWrap(true);
    layout->addWidget(savedNote);

    fgsummary = new QTableWidget(2, 2, this);
    fgsummary->setObjectName(QStringLiteral("fgsummary"));
    fgsummary->horizontalHeader()->hide();
    fgsummary->verticalHeader()->hide();
    fgsummary->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fgsummary->setSelectionMode(QAbstractItemView::SingleSelection);
    fgsummary->setSelectionBehavior(QAbstractItemView::SelectItems);
    // Tab goes on to the buttons below; the arrow keys move between the cells.
    fgsummary->setTabKeyNavigation(false);
    layout->addWidget(fgsummary, 1);

    auto* buttons = new QHBoxLayout;
    cmdExcelSave = new QPushButton(QStringLiteral("Save table to CSV"), this);
    cmdExcelSave->setObjectName(QStringLiteral("cmdExcelSave"));
    cmdCancel = new QPushButton(QStringLiteral("Back"), this);
    cmdCancel->setObjectName(arrayName(QStringLiteral("cmdCancel"), 2));
    buttons->addWidget(cmdExcelSave);
    buttons->addStretch(1);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    setReadingOrder({fgsummary, cmdExcelSave, cmdCancel});

    connect(fgsummary, &QTableWidget::cellClicked, this, [this](int, int) { removeClickedOption(); });
    connect(cmdExcelSave, &QPushButton::clicked, this, &SummaryTable::exportCsv);
    connect(cmdCancel, &QPushButton::clicked, this, [this] {
        if (hooks.back)
            hooks.back();
    });
}

void SummaryTable::setCell(int row, int column, const QString& text)
{
    QTableWidgetItem* item = fgsummary->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        fgsummary->setItem(row, column, item);
    }
    item->setText(text);
}

void SummaryTable::showSummary()
{
    if (summaryResults_.empty()) {
        fgsummary->hide();
        savedNote->setText(kNoneSaved);
    } else {
        fgsummary->show();
        savedNote->setText(kSomeSaved);
        fillTable();
    }
    if (hooks.showPane)
        hooks.showPane();
}

// The caption column, then one column per field of every saved option, each option in its own colour.
void SummaryTable::fillTable()
{
    const QColor fixed = palette().color(QPalette::Button);
    startTable(fixed);

    int c = 1;
    int k = 1;
    for (const auto& option : summaryResults_) {
        const QColor colour = k % 2 == 1 ? kOddOption : kEvenOption;
        fgsummary->setColumnWidth(0, twips(kColumnWidthTwips));
        int j = 1;
        for (const auto& field : *option) {
            QString header = QStringLiteral("Saved Option #") + QString::number(k);
            if (option->Count() > 1)
                header += QStringLiteral(" - Field #") + QString::number(j);
            addFieldColumn(c, header, fieldFigures(*field, session_), colour, fixed);
            c = c + 1;
            j = j + 1;
        }
        k = k + 1;
    }
}

// An empty table of the figures' rows with their captions, in the caption colour fixed.
void SummaryTable::startTable(const QColor& fixed)
{
    fgsummary->clear();
    fgsummary->setRowCount(kRows);
    fgsummary->setColumnCount(2);
    for (int row = 0; row < kRows; ++row) {
        setCell(row, 0, QString::fromLatin1(kCaptions[row]));
        fgsummary->item(row, 0)->setBackground(fixed);
    }
    QPalette selection = fgsummary->palette();
    selection.setColor(QPalette::Highlight, kSelection);
    selection.setColor(QPalette::HighlightedText, kDataText);
    fgsummary->setPalette(selection);
}

// One field's column: its header in the caption colour fixed, its figures in white on the option's colour.
void SummaryTable::addFieldColumn(int c, const QString& header, const QStringList& figures, const QColor& colour,
                                  const QColor& fixed)
{
    fgsummary->setColumnCount(c + 1);
    fgsummary->setColumnWidth(c, twips(kColumnWidthTwips));
    setCell(0, c, header);
    fgsummary->item(0, c)->setBackground(fixed);
    for (int row = 1; row < kRows; ++row) {
        setCell(row, c, figures[row - 1]);
        QTableWidgetItem* item = fgsummary->item(row, c);
        item->setBackground(colour);
        item->setForeground(kDataText);
    }
}

void SummaryTable::removeClickedOption()
{
    if (showMessage(this, QStringLiteral("Do you want to delete this saved result?"), MsgButtons::YesNo,
                    MsgIcon::Question, QStringLiteral("Delete?")) != MsgAnswer::Yes)
        return;
    const int C = fgsummary->currentColumn();
    int first = 1;
    for (std::size_t k = 0; k < summaryResults_.size(); ++k) {
        const int width = static_cast<int>(summaryResults_[k]->Count());
        if (C >= first && C < first + width) {
            summaryResults_.erase(summaryResults_.begin() + static_cast<std::ptrdiff_t>(k));
            showSummary();
            return;
        }
        first = first + width;
    }
    if (hooks.showPane)
        hooks.showPane();
}

void SummaryTable::exportCsv()
{
    FileRequest request;
    request.filter = QStringLiteral("Comma Separated Values|*.csv");
    const std::optional<QString> chosen = DialogService::instance().saveFile(this, request);
    if (!chosen || chosen->isEmpty())
        return;
    QString path = *chosen;
    // A name typed without an extension gets the table's own.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");

    QByteArray text;
    for (int row = 0; row < fgsummary->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < fgsummary->columnCount(); ++column) {
            const QTableWidgetItem* item = fgsummary->item(row, column);
            cells << csvCell(item ? item->text() : QString());
        }
        text += cells.join(QLatin1Char(',')).toUtf8();
        text += "\r\n";
    }

    // Written beside the chosen file and renamed over it, so a failed save leaves an earlier file whole.
    QString reason;
    if (!saveFile(path, text, &reason)) {
        showMessage(this,
                    QStringLiteral("The summary table could not be saved to \"") + QDir::toNativeSeparators(path) +
                        QStringLiteral("\": ") + reason,
                    MsgButtons::Ok, MsgIcon::Exclamation, QStringLiteral("File Error"));
    }
}

} // namespace korvel::ui
