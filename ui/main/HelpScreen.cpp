#include "ui/main/HelpScreen.h"

#include <algorithm>

#include <QLabel>
#include <QPushButton>

#include "ui/platform/ButtonKeys.h"
#include "ui/platform/CloseOnDeactivate.h"
#include "ui/platform/Twips.h"

namespace korvel::ui {

namespace {
// The label's place in the window, in twips.
constexpr int kLabelLeft = 240;
constexpr int kLabelTop = 120;
constexpr int kLabelWidth = 5295;
constexpr int kLabelHeight = 2055;
constexpr int kClientWidth = kLabelLeft + kLabelWidth + kLabelLeft;
// The window's height counts its caption and borders; the rest is the client area.
constexpr int kFrameTwips = 405;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;
constexpr int kGap = 60;
} // namespace

HelpScreen::HelpScreen(QWidget* parent) : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmHelp"));
    // A secondary window: it never keeps the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Help Screen"));

    lblOutput_ = new QLabel(this);
    lblOutput_->setObjectName(QStringLiteral("lblOutput"));
    lblOutput_->setWordWrap(true);
    lblOutput_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblOutput_->setAutoFillBackground(true);
    QPalette palette = lblOutput_->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    lblOutput_->setPalette(palette);
    lblOutput_->setMargin(4);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("Command1"));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QWidget::close);

    new CloseOnDeactivate(this);
    closeOnEscape(this);
    showText(QString(), QString(), 3000);
    setWindowTitle(QStringLiteral("Help Screen"));
}

void HelpScreen::showText(const QString& text, const QString& title, int formHeight)
{
    formHeight_ = formHeight;
    lblOutput_->setText(text);
    setWindowTitle(QStringLiteral("Help - ") + title);
    layOut();
}

void HelpScreen::layOut()
{
    const int width = twipsToPixels(kClientWidth);
    const int labelLeft = twipsToPixels(kLabelLeft);
    const int labelTop = twipsToPixels(kLabelTop);
    const int labelWidth = twipsToPixels(kLabelWidth);
    int buttonTop = twipsToPixels(okTopTwips());
    int clientHeight = twipsToPixels(formHeight_ - kFrameTwips);

    // The text sits above the button. A text that the designed height cannot hold in this window's font
    // moves the button down and lengthens the window, so no line is ever hidden.
    const int room = buttonTop - labelTop - twipsToPixels(kGap);
    const int needed = lblOutput_->heightForWidth(labelWidth);
    const int labelHeight = std::max(std::min(twipsToPixels(kLabelHeight), room), needed);
    if (labelHeight > room) {
        buttonTop += labelHeight - room;
        clientHeight += labelHeight - room;
    }
    clientHeight = std::max(clientHeight, buttonTop + twipsToPixels(kButtonHeight) + twipsToPixels(kGap));

    lblOutput_->setGeometry(labelLeft, labelTop, labelWidth, std::max(labelHeight, 0));
    okButton_->setGeometry((width - twipsToPixels(kButtonWidth)) / 2, buttonTop, twipsToPixels(kButtonWidth),
                           twipsToPixels(kButtonHeight));
    setFixedSize(width, clientHeight);
}

} // namespace korvel::ui
