#include "ui/main/ProgressWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "ui/main/ControlNames.h"
#include "ui/platform/OnTop.h"
#include "ui/platform/Twips.h"

namespace korvel::ui {

namespace {

// Window messages are let through at most this often between depth splits: often enough for Cancel
// and repainting to answer at once, rarely enough not to slow the search.
constexpr qint64 kPumpIntervalMs = 10;
// The bar's length for each search of a trend.
constexpr int kStageLength = 1000;

QPixmap progressPicture()
{
    QPixmap pix(48, 48);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1f, 0x5f, 0x9f), 3));
    p.setBrush(QColor(0xcf, 0xe3, 0xf7));
    p.drawEllipse(4, 4, 40, 40);
    p.drawLine(24, 24, 24, 10);
    p.drawLine(24, 24, 34, 28);
    return pix;
}

} // namespace

ProgressWindow::ProgressWindow(korvel::SessionState& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint), session_(session)
{
    setObjectName(QStringLiteral("frmUpdating"));
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(progressPicture());

    titleLabel_ = new QLabel(QStringLiteral("Label1"), this);
    titleLabel_->setObjectName(arrayName(QStringLiteral("lblTitle"), 0));
    QFont bold = titleLabel_->font();
    bold.setBold(true);
    titleLabel_->setFont(bold);
    messageLabel_ = new QLabel(this);
    messageLabel_->setObjectName(arrayName(QStringLiteral("lblTitle"), 1));

    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setRange(0, 1);
    progressBar_->setValue(0);
    progressBar_->setTextVisible(false);

    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("Command1"));
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancelSearch(); });

    auto* texts = new QVBoxLayout;
    texts->addWidget(titleLabel_);
    texts->addWidget(messageLabel_);
    texts->addWidget(progressBar_);
    auto* top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancelButton_);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(buttons);
    resize(twips(5400), twips(1900));
}

void ProgressWindow::Update()
{
    count(1);
}

void ProgressWindow::count(std::size_t steps)
{
    // Messages and repainting at most every few milliseconds: a search may finish thousands of depth splits
    // between two looks at the window, and the window still counts every one of them. The bar itself is told
    // when it moves by a thousandth of its length (finer than it can draw), when the window is repainted and at
    // its end: telling a bar each of a hundred thousand steps costs more than the search.
    const bool due = !sincePump_.isValid() || sincePump_.elapsed() >= kPumpIntervalMs;
    if (due) {
        QCoreApplication::processEvents();
        sincePump_.restart();
    }
    for (; steps > 0; --steps)
        value_ += 1.0f;
    const int shown = static_cast<int>(std::min(static_cast<double>(value_), max_));
    const int bar = barValue(shown);
    const int stride = std::max(1, barMaximum() / 1000);
    if (due || shown >= max_ || bar - progressBar_->value() >= stride)
        progressBar_->setValue(bar);
    if (due)
        repaint();
}

void ProgressWindow::setMax(double theMax)
{
    max_ = theMax;
    value_ = 0.0f;
    // A new search: the messages waiting at its start run at once (a Cancel pressed between two searches of a
    // trend among them), however recently the last search let messages through.
    sincePump_.invalidate();
    // A search without depth splits shows an empty bar.
    progressBar_->setRange(0, barMaximum());
    progressBar_->setValue(barValue(0));
}

void ProgressWindow::setStage(int index, int count)
{
    stages_ = std::clamp(count, 1, std::numeric_limits<int>::max() / kStageLength);
    stage_ = std::clamp(index, 0, stages_ - 1);
    progressBar_->setRange(0, barMaximum());
    progressBar_->setValue(barValue(0));
}

int ProgressWindow::barMaximum() const
{
    if (stages_ > 1)
        return stages_ * kStageLength;
    return std::max(1, static_cast<int>(max_));
}

int ProgressWindow::barValue(int shown) const
{
    if (stages_ <= 1)
        return shown;
    const int within = max_ > 0 ? static_cast<int>(kStageLength * (shown / max_)) : 0;
    return stage_ * kStageLength + std::clamp(within, 0, kStageLength);
}

void ProgressWindow::setTitle(const QString& title)
{
    titleLabel_->setText(title);
    show();
}

void ProgressWindow::setMessage(const QString& message)
{
    messageLabel_->setText(message);
}

void ProgressWindow::cancelSearch()
{
    session_.CancelRequested = true;
}

void ProgressWindow::pumpMessages()
{
    if (sincePump_.isValid() && sincePump_.elapsed() < kPumpIntervalMs)
        return;
    QCoreApplication::processEvents();
    sincePump_.restart();
}

void ProgressWindow::advance()
{
    SetOnTop(this, true);
    Update();
}

void ProgressWindow::advanceBy(std::size_t steps)
{
    SetOnTop(this, true);
    count(steps);
}

void ProgressWindow::close()
{
    QWidget::close();
}

} // namespace korvel::ui
