#include "ui/main/WelcomeWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/main/AboutWindow.h"
#include "ui/main/ControlNames.h"
#include "ui/main/HelpTopics.h"
#include "ui/main/MainWindow.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/platform/Twips.h"

namespace korvel::ui {

namespace {

QPixmap welcomePicture()
{
    QPixmap pix(200, 150);
    pix.fill(QColor(0xE0, 0xE0, 0xE0));
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x9c, 0xcc, 0x65));
    p.drawRect(0, 95, 200, 55);
    p.setBrush(QColor(0x2e, 0x7d, 0x32));
    for (int i = 0; i < 6; ++i)
        p.drawRect(10 + i * 32, 105, 20, 40);
    p.setBrush(QColor(0x42, 0xa5, 0xf5));
    p.drawEllipse(QPointF(150, 40), 26, 26);
    p.setPen(QColor(0x1b, 0x3a, 0x5c));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(30);
    p.setFont(f);
    p.drawText(QRect(8, 10, 120, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Korvel"));
    return pix;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

WelcomeWindow::WelcomeWindow(ProgramFolders folders, korvel::SessionState& session, UpperPanes upper, QWidget* parent)
    : QWidget(parent), folders_(std::move(folders)), session_(session), upper_(std::move(upper))
{
    setObjectName(QStringLiteral("frmWelcome"));
    setWindowTitle(QStringLiteral("Welcome"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(welcomePicture());

    const char* texts[] = {
        "This program was written for use as a tool to help with allocating irrigation water over a specified "
        "acreage with varying crops.  Neither the programmers nor Velmont are to be held responsibile for the "
        "information generated from this program.",
        "Trend processing is an extension of KVL that permits entry of a range of values for an input variable "
        "(commodity price, maximum yield, production costs, irrigation system efficiency, and irrigation costs). "
        "Trend processing should be attempted only after the user becomes familiar with execution of KVL for one "
        "scenario at a time.",
        "Turn on this option by selecting Tools->Enable Trend Processing once the program starts"};
    QLabel* labels[3];
    for (int i = 0; i < 3; ++i) {
        labels[i] = new QLabel(QString::fromUtf8(texts[i]), this);
        labels[i]->setObjectName(arrayName(QStringLiteral("lblDisclaimer"), i));
        labels[i]->setWordWrap(true);
    }

    auto* start = button(QStringLiteral("Command1"), QStringLiteral("Start the Korvel"), this);
    auto* startTrend =
        button(QStringLiteral("Command4"), QStringLiteral("Start the Korvel with Trend Processing"), this);
    auto* learnMore = button(arrayName(QStringLiteral("cmdHelp"), 25), QStringLiteral("Learn more"), this);
    auto* help = button(QStringLiteral("Command2"), QStringLiteral("Korvel Help"), this);
    auto* about = button(QStringLiteral("Command3"), QStringLiteral("About Korvel"), this);

    setReadingOrder({start, startTrend, learnMore, help, about});

    connect(start, &QPushButton::clicked, this, [this] { startKorvel(); });
    connect(startTrend, &QPushButton::clicked, this, [this] { startWithTrendProcessing(); });
    connect(learnMore, &QPushButton::clicked, this, [this] { learnAboutTrends(); });
    connect(help, &QPushButton::clicked, this, [this] { showHelpContents(); });
    connect(about, &QPushButton::clicked, this, [this] { showAbout(); });

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    grid->addWidget(image, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(labels[0], 0, 1);
    grid->addWidget(start, 1, 1, Qt::AlignLeft);
    grid->addWidget(labels[1], 2, 1);
    auto* trendButtons = new QHBoxLayout;
    trendButtons->addWidget(startTrend);
    trendButtons->addWidget(learnMore);
    trendButtons->addStretch(1);
    grid->addLayout(trendButtons, 3, 1);
    grid->addWidget(labels[2], 4, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(help);
    bottom->addWidget(about);
    grid->addLayout(bottom, 5, 0, 1, 2);
    setFixedWidth(twips(9600));
}

MainWindow* WelcomeWindow::mainWindow() const
{
    return main_.data();
}

MainWindow* WelcomeWindow::createMain()
{
    if (!main_) {
        main_ = new MainWindow(folders_, session_, upper_);
        main_->setAttribute(Qt::WA_DeleteOnClose);
    }
    return main_;
}

void WelcomeWindow::startKorvel()
{
    MainWindow* main = createMain();
    main->load();
    main->show();
    close();
}

void WelcomeWindow::startWithTrendProcessing()
{
    MainWindow* main = createMain();
    main->EnableBatch(true);
    main->show();
    close();
}

void WelcomeWindow::learnAboutTrends()
{
    HelpTopics::ShowHelp(QStringLiteral("batchoption.htm"));
}

void WelcomeWindow::showHelpContents()
{
    HelpTopics::ShowHelp(QStringLiteral("index.htm"));
}

void WelcomeWindow::showAbout()
{
    AboutWindow::showAbout(this);
}

} // namespace korvel::ui
