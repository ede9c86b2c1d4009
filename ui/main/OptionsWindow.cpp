#include "ui/main/OptionsWindow.h"
#include "ui/platform/ShowCentred.h"

#include <algorithm>

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/Numbers.h"
#include "model/SessionState.h"
#include "ui/main/HelpTopics.h"
#include "ui/platform/ButtonKeys.h"
#include "ui/platform/CloseOnDeactivate.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/platform/Twips.h"

namespace korvel::ui {

namespace {
QPointer<OptionsWindow>& openWindow()
{
    static QPointer<OptionsWindow> window;
    return window;
}

const QString kExplanation = QStringLiteral(
    "This feature defines how many irrigation allocation calculations are executed by KVL for each selected "
    "crop. The default \u201cirrigation allocation iteration factor\u201d is 10. As the \u201cirrigation allocation "
    "iteration factor\u201d is increased more KVL calculates more net returns and results are \u201cfiner\u201d "
    "iterations of water allocations to each crop. For example, an \u201cirrigation allocation iteration "
    "factor\u201d with a value of 10, tells KVL to calculate net returns for each of 10% increment of the input "
    "water allocation (e.g. 12 inches of water is divided into equal units of 1.2 inches). An \u201cirrigation "
    "allocation iteration factor\u201d with a value of 5 tells KVL to calculate net returns for each increment 20% "
    "of input water allocation (e.g. 12 inches of water is divided into equal units of 2.4 inches). If more crops "
    "are compared at once with more land splits, KVL execution time will increase dramatically.");
} // namespace

OptionsWindow::OptionsWindow(SessionState& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), session_(session)
{
    setObjectName(QStringLiteral("frmOptions"));
    // A secondary window: it never keeps the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Options"));

    auto* band = new QFrame(this);
    band->setObjectName(QStringLiteral("shpBand"));
    band->setAutoFillBackground(true);
    QPalette bandPalette = band->palette();
    bandPalette.setColor(QPalette::Window, QColor(0xF3, 0xF3, 0xF3));
    band->setPalette(bandPalette);
    auto* title = new QLabel(QStringLiteral("Options"), band);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->addWidget(title);

    auto* explanation = new QLabel(kExplanation, this);
    explanation->setObjectName(QStringLiteral("Label1"));
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* caption = new QLabel(QStringLiteral("Irrigation Iteration Factor"), this);
    caption->setObjectName(QStringLiteral("Label2"));
    txtFineFactor_ = new QLineEdit(QStringLiteral("10"), this);
    txtFineFactor_->setObjectName(QStringLiteral("txtFineFactor"));
    txtFineFactor_->setMaximumWidth(twipsToPixels(1000));
    auto* cmdHelp = new QPushButton(QStringLiteral("?"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp(11)"));
    cmdHelp->setProperty("index", 11);
    cmdHelp->setFixedSize(twipsToPixels(240) + 4, twipsToPixels(240) + 4);
    auto* factorRow = new QHBoxLayout;
    factorRow->addWidget(caption);
    factorRow->addWidget(txtFineFactor_);
    factorRow->addWidget(cmdHelp);
    factorRow->addStretch();

    auto* cmdApply = new QPushButton(QStringLiteral("Apply"), this);
    cmdApply->setObjectName(QStringLiteral("cmdApply"));
    cmdApply->setDefault(true);
    auto* cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(cmdApply);
    buttonRow->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(band);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 4, 12, 0);
    body->addWidget(explanation, 1);
    body->addLayout(factorRow);
    body->addLayout(buttonRow);
    layout->addLayout(body, 1);

    setReadingOrder({txtFineFactor_, cmdHelp, cmdApply, cmdCancel});

    connect(cmdApply, &QPushButton::clicked, this, &OptionsWindow::applyFactor);
    connect(cmdCancel, &QPushButton::clicked, this, &OptionsWindow::cancel);
    connect(cmdHelp, &QPushButton::clicked, this, &OptionsWindow::showFactorHelp);
    connect(txtFineFactor_, &QLineEdit::returnPressed, this, &OptionsWindow::applyFactor);

    // The designed client area, grown only when this font needs more room for the explanation; fixed, so that no
    // window manager offers to maximise it.
    const int width = twipsToPixels(6300);
    setFixedSize(width, std::max(twipsToPixels(4380), heightForWidth(width)));

    // Load: the factor in force.
    txtFineFactor_->setText(QString::fromStdString(num::plainText(session_.SplitFactor)));

    new CloseOnDeactivate(this);
    // Esc is Cancel: the window closes without applying.
    closeOnEscape(this);
}

OptionsWindow* OptionsWindow::showOptions(SessionState& session, QWidget* parent)
{
    unload();
    auto* window = new OptionsWindow(session, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    openWindow() = window;
    showCentred(window);
    return window;
}

void OptionsWindow::unload()
{
    if (openWindow())
        openWindow()->close();
    openWindow() = nullptr;
}

void OptionsWindow::applyFactor()
{
    const std::optional<double> value = num::parseNumeric(txtFineFactor_->text().toStdString());
    if (!value) {
        showMessage(this, QStringLiteral("Please enter a valid number"), MsgButtons::Ok, MsgIcon::Critical,
                    QStringLiteral("Error"));
        return;
    }
    const double v = *value;
    if (!(v > 0) || v >= 100 || num::roundHalfEven(v) == 0) {
        showMessage(this, QStringLiteral("Please enter a number between 1 and 100"), MsgButtons::Ok, MsgIcon::Critical,
                    QStringLiteral("Error"));
        return;
    }
    session_.SplitFactor = static_cast<std::int16_t>(num::roundHalfEven(v));
    if (session_.SplitFactor > 10) {
        showMessage(this,
                    QStringLiteral("Using a larger split-factor will increase the amount of time necessary to run the "
                                   "evaluation!  If the evaluation time is too long, please reduce the "
                                   "split-factor."),
                    MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Caution"));
    }
    close();
}

void OptionsWindow::cancel()
{
    close();
}

void OptionsWindow::showFactorHelp()
{
    HelpTopics::ShowHelp(QStringLiteral("mainInput.htm#SplitFactor"));
}

} // namespace korvel::ui
