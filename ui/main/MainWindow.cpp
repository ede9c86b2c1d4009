#include "ui/main/MainWindow.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <limits>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include "model/BestMix.h"
#include "model/CropScenario.h"
#include "model/FieldCollection.h"
#include "model/IrrigationCosts.h"
#include "model/ReplaceFile.h"
#include "ui/main/AboutWindow.h"
#include "ui/main/ControlNames.h"
#include "ui/main/CropRow.h"
#include "ui/main/CustomCropPane.h"
#include "ui/main/DefaultValues.h"
#include "ui/main/HelpButtons.h"
#include "ui/main/HelpTopics.h"
#include "ui/main/IrrigationCostPane.h"
#include "ui/main/MainPane.h"
#include "ui/main/OptionsWindow.h"
#include "ui/main/ProductionCostPane.h"
#include "ui/main/ProgressWindow.h"
#include "ui/main/SummaryPane.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/platform/ReflowColumns.h"
#include "ui/platform/Twips.h"

namespace korvel::ui {

namespace {

constexpr int kHeaderHeight = 96; // pixels above the panes
constexpr int kBandLeft = 180;    // left edge of the header band

constexpr int kSmallestHeight = 400; // the window's least height, menu bar included
constexpr int kScreenMargin = 16;    // room for the window's frame on a screen narrower than the main pane
constexpr int kPaneMargin = 8;       // room kept beside a pane that takes the window's width
constexpr const char* kGrowsProperty = "growsWithWindow";
constexpr const char* kDesignedSizeProperty = "designedSize";
constexpr const char* kShownPaneProperty = "shownPane"; // of the client area: the pane shown last

// Runs a function whenever a widget has been resized, or a pane on it asks for other room.
class ResizeWatch : public QObject {
public:
    ResizeWatch(QWidget* widget, std::function<void()> resized) : QObject(widget), resized_(std::move(resized))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)
            resized_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> resized_;
};

QPixmap headerPicture()
{
    QPixmap pix(164, 80);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2e, 0x7d, 0x32));
    p.drawRect(0, 56, 164, 24);
    p.setBrush(QColor(0x64, 0xb5, 0xf6));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF(18 + i * 32, 40 - (i % 2) * 8), 6, 9);
    p.setPen(QColor(0x1b, 0x3a, 0x5c));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(26);
    p.setFont(f);
    p.drawText(QRect(0, 0, 164, 34), Qt::AlignCenter, QStringLiteral("Korvel"));
    return pix;
}

// The width the panes have beside one another in the window: the client area's viewport less a margin each
// side (unlimited before the window is shown).
int paneAreaWidth(const QWidget* client)
{
    const QWidget* viewport = client->parentWidget();
    if (!viewport || !viewport->isVisible())
        return std::numeric_limits<int>::max();
    return viewport->width() - 2 * kPaneMargin;
}

// The room a pane needs in a pane area `available` pixels wide: its designed size where the pane cannot
// reflow. A pane whose columns move below one another keeps its designed width where that fits, and otherwise
// takes the area's width (never less than its narrowest); either way with the height its columns take at
// that width.
QSize neededSize(const QWidget* pane, int available)
{
    const QSize designed = pane->property(kDesignedSizeProperty).toSize();
    if (!designed.isValid())
        return pane->size();
    if (!pane->findChild<ReflowColumns*>())
        return designed;
    // A frame shown since (the forage frames) may ask for more height than the design gave.
    if (designed.width() <= available)
        return {designed.width(), std::max(designed.height(), pane->heightForWidth(designed.width()))};
    const int width = std::max({available, pane->minimumSizeHint().width(), pane->minimumWidth()});
    return {width, std::max(pane->minimumHeight(), pane->heightForWidth(width))};
}

// Sizes a pane for the client area and centres it there: a pane of a grid or table fills the area, an input
// pane keeps the size it needs.
void fitPane(QWidget* client, QWidget* pane)
{
    const QSize need = neededSize(pane, paneAreaWidth(client));
    if (pane->property(kGrowsProperty).toBool())
        pane->resize(std::max(need.width(), client->width() - 2 * kPaneMargin),
                     std::max(need.height(), client->height() - pane->y() - kPaneMargin));
    else
        pane->resize(need);
    pane->move(std::max(0, client->width() / 2 - pane->width() / 2), pane->y());
}

// The client area holds the header and the pane shown whole: a window too small for them scrolls. A pane that
// grows with the window needs only the size it needs in the pane area.
void fitClientAreaTo(QWidget* client, const QWidget* pane)
{
    const QSize need = neededSize(pane, paneAreaWidth(client));
    client->setMinimumSize(need.width(), pane->y() + need.height() + kPaneMargin);
}

// Shows a pane: sized for the pane area and the client area fitted to it; a pane other than the one shown
// before opens with the area scrolled to its top left (shown again, it keeps where the user scrolled to).
void fitClientArea(QWidget* client, QWidget* pane)
{
    fitPane(client, pane);
    fitClientAreaTo(client, pane);
    if (client->property(kShownPaneProperty).value<QObject*>() == pane)
        return;
    client->setProperty(kShownPaneProperty, QVariant::fromValue(static_cast<QObject*>(pane)));
    if (auto* scroller =
            qobject_cast<QScrollArea*>(client->parentWidget() ? client->parentWidget()->parentWidget() : nullptr)) {
        scroller->horizontalScrollBar()->setValue(0);
        scroller->verticalScrollBar()->setValue(0);
    }
}

} // namespace

MainWindow::MainWindow(ProgramFolders folders, korvel::SessionState& session, const UpperPanes& upper, QWidget* parent)
    : QMainWindow(parent), folders_(std::move(folders)), session_(session)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Korvel"));
    state_.tempIrrigationCosts = std::make_shared<korvel::IrrigationCosts>();

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    QPalette white = client_->palette();
    white.setColor(QPalette::Window, Qt::white);
    client_->setPalette(white);
    client_->setAutoFillBackground(true);
    // The panes scroll in a window smaller than they are (a small screen, a large scaling); otherwise the
    // client area fills the window.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("paneScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    // The scroller is no Tab stop of its own: Tab goes round the shown pane's controls (and still scrolls to
    // each).
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidget(client_);
    setCentralWidget(scroller);
    new ResizeWatch(client_, [this] { centrePanes(); });
    buildHeader(client_);

    // The panes in the order they are made, the upper layers' among them.
    pneMain_ = new MainPane(*this, client_);
    addPane(pneMain_, false);
    pneInputCosts_ = new ProductionCostPane(*this, client_);
    addPane(pneInputCosts_, false);
    pneIrrigCosts_ = new IrrigationCostPane(*this, client_);
    addPane(pneIrrigCosts_, false);
    if (upper.addResultsPanes)
        upper.addResultsPanes(*this);
    pneSummary_ = new SummaryPane(*this, client_);
    addPane(pneSummary_, true);
    pneCustomCrop_ = new CustomCropPane(*this, client_);
    addPane(pneCustomCrop_, false);
    if (upper.addTrendPanes)
        upper.addTrendPanes(*this);

    buildMenus();

    connect(pneMain_->irrigationButton, &QPushButton::clicked, this, [this] { pneIrrigCosts_->open(); });
    connect(pneMain_->defaultsButton, &QPushButton::clicked, this,
            [this] { DefaultValues::loadAll(*this, *pneIrrigCosts_); });

    fitPanes();
}

void MainWindow::addPane(QWidget* pane, bool grows)
{
    pane->resize(pane->sizeHint().expandedTo(pane->minimumSize()));
    pane->move(0, kHeaderHeight);
    pane->hide();
    // The panes of grids and tables take the room the window gives them; the input panes keep their size.
    if (grows)
        pane->setProperty(kGrowsProperty, true);
    panes_.append(pane);
}

void MainWindow::fitPanes()
{
    int widest = 0;
    int tallest = 0;
    for (QWidget* pane : panes_) {
        widest = std::max(widest, pane->width());
        tallest = std::max(tallest, pane->height());
        pane->setProperty(kDesignedSizeProperty, pane->size());
    }
    // The client area is never smaller than the pane shown (see ShowPane): in a smaller window it scrolls.
    // The window itself is never narrower than the main pane with a scroll bar beside it, on a screen wide
    // enough for that.
    const int narrowest = pneMain_->width() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setMinimumSize(std::min(narrowest, screen()->availableGeometry().width() - kScreenMargin), kSmallestHeight);
    resize(std::max(twips(15240), widest + 16),
           std::max(twips(11190), kHeaderHeight + tallest + 8) + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() = default;

void MainWindow::buildHeader(QWidget* client)
{
    headerPicture_ = new QLabel(client);
    headerPicture_->setObjectName(QStringLiteral("Image2"));
    headerPicture_->setPixmap(headerPicture());
    headerPicture_->setGeometry(8, 8, 164, 80);

    headerBand_ = new QFrame(client);
    headerBand_->setObjectName(arrayName(QStringLiteral("shpGeneric"), 5));
    QPalette band = headerBand_->palette();
    band.setColor(QPalette::Window, QColor(0xF3, 0xF3, 0xF3));
    headerBand_->setPalette(band);
    headerBand_->setAutoFillBackground(true);
    headerBand_->setGeometry(kBandLeft, 16, 400, 64);

    lblMainInfo_ = new QLabel(headerBand_);
    lblMainInfo_->setObjectName(QStringLiteral("lblMainInfo"));
    lblMainInfo_->setWordWrap(true);
    lblMainInfo_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* layout = new QHBoxLayout(headerBand_);
    layout->setContentsMargins(10, 4, 10, 4);
    layout->addWidget(lblMainInfo_);
}

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->setObjectName(arrayName(QStringLiteral("mnuFile"), 0));
    mnuPrint = file->addAction(QStringLiteral("Print"));
    mnuPrint->setObjectName(QStringLiteral("mnuPrint"));
    mnuPrint->setEnabled(false);
    mnuExit = file->addAction(QStringLiteral("Exit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    QMenu* location = bar->addMenu(QStringLiteral("Location"));
    location->setObjectName(QStringLiteral("mnuLocation"));
    QAction* here = location->addAction(QStringLiteral("Velmont Research Area"));
    here->setObjectName(arrayName(QStringLiteral("mnuLocationItem"), 0));
    here->setCheckable(true);
    here->setChecked(true);
    QAction* elsewhere = location->addAction(QStringLiteral("Other Locations"));
    elsewhere->setObjectName(arrayName(QStringLiteral("mnuLocationItem"), 1));
    elsewhere->setEnabled(false);

    mnuSummary = bar->addAction(QStringLiteral("Summary Table"));
    mnuSummary->setObjectName(QStringLiteral("mnuSummary"));

    QMenu* edit = bar->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(arrayName(QStringLiteral("mnuTools"), 1));
    mnuOptions = edit->addAction(QStringLiteral("Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));

    QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(arrayName(QStringLiteral("mnuTools"), 2));
    mnuCustomCrop = tools->addAction(QStringLiteral("Manage Custom Crops"));
    mnuCustomCrop->setObjectName(QStringLiteral("mnuCustomCrop"));
    mnuEnableBatch = tools->addAction(QStringLiteral("Enable Trend Processing"));
    mnuEnableBatch->setObjectName(QStringLiteral("mnuEnableBatch"));
    mnuEnableBatch->setCheckable(true);
    mnuEnableBatch->setChecked(false);
    mnuFallBatch = tools->addAction(QStringLiteral("Run a variable trend process"));
    mnuFallBatch->setObjectName(QStringLiteral("mnuFallBatch"));
    mnuFallBatch->setEnabled(false);

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("mnuAbout"));
    mnuHelp = help->addAction(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuAboutKVL = help->addAction(QStringLiteral("About Korvel..."));
    mnuAboutKVL->setObjectName(QStringLiteral("mnuAboutKVL"));

    connect(mnuPrint, &QAction::triggered, this, [this] { printShownReport(); });
    connect(mnuExit, &QAction::triggered, this, [this] { exitProgram(); });
    connect(mnuSummary, &QAction::triggered, this, [this] { showSummary(); });
    connect(mnuOptions, &QAction::triggered, this, [this] { showOptions(); });
    connect(mnuCustomCrop, &QAction::triggered, this, [this] { showCustomCrops(); });
    // The check mark follows the trend switch, not the click itself.
    connect(mnuEnableBatch, &QAction::triggered, this, [this] {
        mnuEnableBatch->setChecked(session_.BatchEnabled);
        toggleTrendProcessing();
    });
    connect(mnuFallBatch, &QAction::triggered, this, [this] { startVariableTrend(); });
    connect(mnuHelp, &QAction::triggered, this, [this] { showHelpContents(); });
    connect(mnuAboutKVL, &QAction::triggered, this, [this] { showAbout(); });
}

// --- Load -----------------------------------------------------------------------------------------

void MainWindow::load()
{
    if (loadStarted_)
        return;
    loadStarted_ = true;

    // The leftovers of saves cut short (the program killed while saving) in the folders it saves into.
    korvel::removeStaleTemporaries(userPath(), ".txt");
    korvel::removeStaleTemporaries(userPath() / "crops" / "custom", ".txt");
    ShowPane(pneMain_);
    state_.strMainInfo = QStringLiteral("This program evaluates all possible combinations of water distribution over "
                                        "specified land divisions and the crop production outcome associated with the "
                                        "water use.");
    state_.currentSoil = QStringLiteral("Silt Loam");
    pneMain_->txtSoil->setEditText(QStringLiteral("Silt Loam"));
    LoadCropRows();
    loadInputs();
    if (session_.BatchEnabled) {
        session_.TrendMessageShown = true;
        EnableBatch(true);
    } else {
        EnableBatch(false);
    }
    session_.SplitFactor = 10;
    if (trendHooks_.selectFirstCrop)
        trendHooks_.selectFirstCrop();
    state_.MaximumBatches = 2;
    SetMainInfo(state_.strMainInfo);
    if (trendHooks_.fillBatchSteps)
        trendHooks_.fillBatchSteps();
    pneCustomCrop_->fillDesignLists();
}

// --- Panes ----------------------------------------------------------------------------------------

void MainWindow::ShowPane(QWidget* frame)
{
    if (!frame)
        return;
    // One of the window's own panes leaves the trend panes behind, with the inputs the user gave.
    const QWidget* ownPanes[] = {pneMain_, pneInputCosts_, pneIrrigCosts_, pneSummary_, pneCustomCrop_};
    if (std::find(std::begin(ownPanes), std::end(ownPanes), frame) != std::end(ownPanes))
        giveBackTrendInputs();
    const QWidget* current = paneHistory_.isEmpty() ? nullptr : paneHistory_.last().data();
    // The pane left keeps the information text it stood under, for a Back that returns to it.
    if (current && current != frame)
        infoOfPane_.insert(current, lblMainInfo_->text());
    // The pane already current is shown again without a new entry, so Back always leads to another pane.
    if (current != frame)
        paneHistory_.append(frame);
    frame->show();
    frame->raise();
    fitClientArea(client_, frame);
    // The keyboard goes with the pane: on a change of pane, or when the focus is not on the pane shown, it
    // moves to the pane's first control. It moves before the other panes hide, so that it passes straight from
    // the control left behind (whose leave check runs then) to the shown pane, and once more should that check
    // have taken it back.
    const bool moveFocus = current != frame || !frame->isAncestorOf(focusWidget());
    QWidget* first = moveFocus ? firstFocusable(frame) : nullptr;
    if (first)
        first->setFocus(Qt::OtherFocusReason);
    // One pane at a time, also of the two trend panes that share an array name.
    for (QWidget* pane : panes_)
        if (pane != frame)
            pane->hide();
    if (first && !frame->isAncestorOf(focusWidget()))
        first->setFocus(Qt::OtherFocusReason);
    if (!moveFocus)
        return;
    // The caller may fill the pane after showing it (the results of a run, a trend's first step, a trend's
    // step buttons hidden for a fixed trend): once its handler has finished, the focus moves on to the pane's
    // first control as it then stands, unless the user has moved it meanwhile from the control it was put on.
    QTimer::singleShot(0, this, [this, pane = QPointer<QWidget>(frame), placed = QPointer<QWidget>(first)] {
        if (!pane || paneHistory_.isEmpty() || paneHistory_.last() != pane || !pane->isVisibleTo(this))
            return;
        const bool placedStands = placed && placed->isVisibleTo(pane) && placed->isEnabled();
        if (placedStands && focusWidget() != placed && pane->isAncestorOf(focusWidget()))
            return;
        if (QWidget* settled = firstFocusable(pane); settled && settled != focusWidget())
            settled->setFocus(Qt::OtherFocusReason);
    });
}

QWidget* MainWindow::PreviousPane() const
{
    const auto n = paneHistory_.size();
    if (n >= 2 && paneHistory_[n - 2])
        return paneHistory_[n - 2];
    return pneMain_;
}

void MainWindow::returnToPreviousPane()
{
    QWidget* previous = PreviousPane();
    ShowPane(previous);
    // The standing text, or the text the pane stood under when it was left (a trend pane has its own).
    SetMainInfo(infoOfPane_.value(previous, state_.strMainInfo));
}

void MainWindow::SetMainInfo(const QString& text)
{
    lblMainInfo_->setText(text);
}

void MainWindow::setPrintEnabled(bool on)
{
    if (mnuPrint)
        mnuPrint->setEnabled(on);
}

// --- Crop rows ------------------------------------------------------------------------------------

int MainWindow::cropRowCount() const
{
    return libraryCount_;
}

CropRow* MainWindow::cr(int i) const
{
    return i < libraryCount_ ? pneMain_->row(i) : nullptr;
}

ProgressWindow* MainWindow::progressWindow() const
{
    return progress_.data();
}

void MainWindow::InitializeCropFrame()
{
    pneMain_->InitializeCropFrame();
}

void MainWindow::openProductionCosts(const std::shared_ptr<korvel::Crop>& crop)
{
    pneInputCosts_->openFor(crop);
}

// --- Main pane ------------------------------------------------------------------------------------

int MainWindow::selectedPreset() const
{
    return pneMain_->selectedPreset();
}

void MainWindow::selectPreset(int index)
{
    pneMain_->selectPreset(index);
}

// --- Trend switch ---------------------------------------------------------------------------------

void MainWindow::EnableBatch(bool b)
{
    if (b && !session_.TrendMessageShown) {
        showMessage(
            this,
            QStringLiteral(
                "Trend processing is now enabled.  This is completely optional and KVL will still run normally.\n"
                "To make use of the trend processing options, select 'Run variable trend process' from the Tools menu\n"
                " or click 'Run Fixed Trend Process' after you execute a normal KVL evaluation.\n"
                "Disable trend processing by unchecking it in the Tools menu."),
            MsgButtons::Ok, MsgIcon::Information, QStringLiteral("Trend processing enabled"));
        session_.TrendMessageShown = true;
    }
    session_.BatchEnabled = b;
    load();
    mnuFallBatch->setEnabled(b);
    mnuEnableBatch->setChecked(b);
    if (resultsHooks_.EnableBatch)
        resultsHooks_.EnableBatch(b);
    // Trend processing off: the trend panes also let no trend override of a finished variable trend stay in
    // force for the ordinary runs that follow.
    if (trendHooks_.EnableBatch)
        trendHooks_.EnableBatch(b);
    pneMain_->pnlBatchInstructions->setVisible(b);
    if (!b) {
        ShowPane(pneMain_);
        SetMainInfo(state_.strMainInfo);
    }
}

void MainWindow::ShowBatchScreen()
{
    if (trendHooks_.ShowBatchScreen)
        trendHooks_.ShowBatchScreen();
}

// --- Menus ----------------------------------------------------------------------------------------

void MainWindow::printShownReport()
{
    if (resultsHooks_.printShownReport)
        resultsHooks_.printShownReport();
}

void MainWindow::exitProgram()
{
    close();
}

void MainWindow::showOptions()
{
    OptionsWindow::showOptions(session_, this);
}

void MainWindow::showHelpContents()
{
    HelpTopics::ShowHelp(QStringLiteral("index.htm"));
}

void MainWindow::showAbout()
{
    AboutWindow::showAbout(this);
}

void MainWindow::showSummary()
{
    pneSummary_->open();
}

void MainWindow::showCustomCrops()
{
    pneCustomCrop_->open();
}

void MainWindow::toggleTrendProcessing()
{
    EnableBatch(!mnuEnableBatch->isChecked());
}

void MainWindow::startVariableTrend()
{
    if (trendHooks_.startVariableTrend)
        trendHooks_.startVariableTrend();
}

void MainWindow::helpButtonClicked(int index, const QWidget* beside)
{
    runHelpButton(index, beside);
}

// --- Window events --------------------------------------------------------------------------------

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    centrePanes();
}

void MainWindow::centrePanes()
{
    const int width = client_->width();
    headerBand_->resize(std::max(0, width - headerBand_->x() - twips(500)), headerBand_->height());
    for (QWidget* pane : panes_)
        fitPane(client_, pane);
    // The pane shown may now need another size of the client area (its columns moved, or a frame of it shown).
    if (!paneHistory_.isEmpty() && paneHistory_.last() && paneHistory_.last()->isVisibleTo(client_))
        fitClientAreaTo(client_, paneHistory_.last());
}

void MainWindow::showEvent(QShowEvent* event)
{
    load();
    QMainWindow::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (searchRunning_) {
        // A search is in flight inside one of this window's handlers: stop it and close once it has ended.
        session_.CancelRequested = true;
        closePending_ = true;
        event->ignore();
        return;
    }
    giveBackTrendInputs();
    unloadSmallWindows();
    event->accept();
}

void MainWindow::giveBackTrendInputs()
{
    if (trendHooks_.giveBackTrendInputs)
        trendHooks_.giveBackTrendInputs();
}

void MainWindow::unloadSmallWindows()
{
    if (progress_)
        progress_->close();
    HelpTopics::unloadHelpScreen();
    OptionsWindow::unload();
}

} // namespace korvel::ui
