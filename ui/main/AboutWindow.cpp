#include "ui/main/AboutWindow.h"
#include "ui/platform/ShowCentred.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QVBoxLayout>

#include "ui/platform/ButtonKeys.h"
#include "ui/platform/CloseOnDeactivate.h"

namespace korvel::ui {

namespace {
QPointer<AboutWindow>& openWindow()
{
    static QPointer<AboutWindow> window;
    return window;
}

// The two pictures: a water drop and a field in rows.
QPixmap dropPicture()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath drop;
    drop.moveTo(32, 4);
    drop.cubicTo(44, 22, 54, 32, 54, 42);
    drop.cubicTo(54, 54, 44, 62, 32, 62);
    drop.cubicTo(20, 62, 10, 54, 10, 42);
    drop.cubicTo(10, 32, 20, 22, 32, 4);
    p.fillPath(drop, QColor(0x2f, 0x6f, 0xb3));
    p.setPen(QPen(QColor(0xd6, 0xe8, 0xf8), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(18, 34, 20, 20), 180 * 16, 70 * 16);
    return pixmap;
}

QPixmap fieldPicture()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(2, 30, 60, 32), QColor(0x8a, 0x6a, 0x3c));
    p.setPen(QPen(QColor(0x3c, 0x8d, 0x2f), 4, Qt::SolidLine, Qt::RoundCap));
    for (int x = 8; x <= 56; x += 12)
        p.drawLine(QPointF(x, 58), QPointF(x + 4, 34));
    p.setBrush(QColor(0xf2, 0xc1, 0x2e));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(48, 14), 9, 9);
    return pixmap;
}

QLabel* pictureLabel(QWidget* parent, const char* name, const QPixmap& pixmap)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(pixmap);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QLabel* textLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    // Clicks on the texts reach the window's background like clicks anywhere else.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}
} // namespace

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    // A secondary window: it never keeps the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QString());
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    setPalette(palette);

    auto* title = textLabel(this, "lblTitle", QStringLiteral("Korvel"));
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 8);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* version = textLabel(this, "Label1", QStringLiteral("Version 1.16  Build 002"));
    auto* contactHeading = textLabel(this, "Label2", QStringLiteral("For more information, contact:"));
    QFont bold = contactHeading->font();
    bold.setBold(true);
    contactHeading->setFont(bold);

    // Filled when the window loads.
    auto* contact = textLabel(this, "lblContact", QString());
    auto* contactOrmand = textLabel(this, "lblContactOrmand", QString());
    contact->setText(QStringLiteral("Korvel Program Support\n"
                                    "Velmont Irrigation Extension\n"
                                    "Water Management Office\n"
                                    "1200 Research Park Road\n"
                                    "Velmont\n"
                                    "Phone: (555) 010-4100"));
    contactOrmand->setText(QStringLiteral("Ormand Field Station\n"
                                          "Crop Water Use Program\n"
                                          "Irrigated Cropping Systems\n"
                                          "45 County Road 12\n"
                                          "Ormand\n"
                                          "Phone: (555) 010-4200"));
    auto* disclaimer = textLabel(
        this, "lblDisclaimer",
        QStringLiteral("This program was written for use as a tool to help with allocating irrigation water over a "
                       "specified acreage with varying crops.  Neither the programmers nor Velmont are to be held "
                       "responsibile for the information generated from this program."));

    auto* heading = new QHBoxLayout;
    heading->addWidget(pictureLabel(this, "Image1", dropPicture()));
    auto* names = new QVBoxLayout;
    names->addWidget(title);
    names->addWidget(version);
    heading->addLayout(names, 1);
    heading->addWidget(pictureLabel(this, "Image2", fieldPicture()));

    auto* contacts = new QHBoxLayout;
    contacts->addWidget(contact, 1, Qt::AlignTop);
    contacts->addWidget(contactOrmand, 1, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 18);
    layout->setSpacing(10);
    layout->addLayout(heading);
    layout->addWidget(contactHeading);
    layout->addLayout(contacts);
    layout->addWidget(disclaimer);
    setFixedWidth(440);
    adjustSize();

    new CloseOnDeactivate(this);
    closeOnEscape(this);
}

AboutWindow* AboutWindow::showAbout(QWidget* parent)
{
    unload();
    auto* window = new AboutWindow(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    openWindow() = window;
    showCentred(window);
    return window;
}

void AboutWindow::unload()
{
    if (openWindow())
        openWindow()->close();
    openWindow() = nullptr;
}

void AboutWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    close();
}

} // namespace korvel::ui
