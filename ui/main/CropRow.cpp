#include "ui/main/CropRow.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <cmath>
#include <optional>

#include "model/Numbers.h"
#include "ui/main/BoxTexts.h"
#include "ui/main/InputValidation.h"
#include "ui/platform/Twips.h"
#include "ui/platform/WholeTextBox.h"

namespace korvel::ui {

namespace {

const QColor kShaded(0xF3, 0xF3, 0xF3);
const QColor kWhite(0xFF, 0xFF, 0xFF);

void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twips(left), twips(top), twips(width), twips(height));
}

void setBackground(QWidget* w, const QColor& colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

} // namespace

std::optional<std::pair<double, double>> cropRowLimits(const std::string& cropType)
{
    if (cropType == "Alfalfa")
        return std::pair{300.0, 20.0};
    if (cropType == "Corn")
        return std::pair{10.0, 500.0};
    if (cropType == "Grain Sorghum")
        return std::pair{10.0, 300.0};
    if (cropType == "Soybeans")
        return std::pair{20.0, 150.0};
    if (cropType == "Sunflower")
        return std::pair{25.0, 8000.0};
    if (cropType == "Wheat")
        return std::pair{15.0, 200.0};
    if (cropType == "Fallow")
        return std::nullopt;
    // A custom crop, or any other crop of the library: the limits of every price and yield.
    return std::pair{kLargestPrice, kLargestYield};
}

CropRow::CropRow(QWidget* parent) : QWidget(parent)
{
    resize(twips(9510), twips(510));

    background = new QFrame(this);
    background->setObjectName(QStringLiteral("background"));
    background->setStyleSheet(
        QStringLiteral("QFrame#background { background-color: #F3F3F3; border: 1px solid #404040; }"));
    place(background, 0, 45, 9405, 450);
    background->hide();

    chkCrop = new QCheckBox(this);
    chkCrop->setObjectName(QStringLiteral("chkCrop"));
    place(chkCrop, 105, 150, 1695, 255);
    // A button fills its background from the button colour; the tick box shows the row's own colour instead.
    chkCrop->setBackgroundRole(QPalette::Window);
    setBackground(chkCrop, kWhite);

    txtPrice = new QLineEdit(this);
    txtPrice->setObjectName(QStringLiteral("txtPrice"));
    place(txtPrice, 1815, 90, 855, 360);

    lblPriceUnits = new QLabel(this);
    lblPriceUnits->setObjectName(QStringLiteral("lblPriceUnits"));
    place(lblPriceUnits, 2775, 120, 1245, 240);

    txtMaxYield = new QLineEdit(this);
    txtMaxYield->setObjectName(QStringLiteral("txtMaxYield"));
    place(txtMaxYield, 4365, 90, 855, 360);

    lblYieldUnits = new QLabel(this);
    lblYieldUnits->setObjectName(QStringLiteral("lblYieldUnits"));
    place(lblYieldUnits, 5325, 120, 975, 240);

    cmdInputCosts = new QPushButton(QStringLiteral("Costs/Returns"), this);
    cmdInputCosts->setObjectName(QStringLiteral("cmdInputCosts"));
    place(cmdInputCosts, 7935, 105, 1380, 330);
    cmdInputCosts->setStyleSheet(
        QStringLiteral("QPushButton#cmdInputCosts { background-color: #F3F3F3; border: 1px solid #808080; }"
                       " QPushButton#cmdInputCosts:disabled { color: #A0A0A0; }"));

    for (QWidget* w :
         {static_cast<QWidget*>(txtPrice), static_cast<QWidget*>(lblPriceUnits), static_cast<QWidget*>(txtMaxYield),
          static_cast<QWidget*>(lblYieldUnits), static_cast<QWidget*>(cmdInputCosts)})
        w->setEnabled(false);

    // A price or yield wider than its box widens the box to the right, below its heading still, and the units
    // beside it move along (the room up to the next column holds the widest a crop takes).
    for (QLineEdit* box : {txtPrice, txtMaxYield}) {
        box->setMaximumWidth(box->width());
        keepTextWhole(box);
        box->installEventFilter(this);
    }
    followBoxes();

    connect(chkCrop, &QCheckBox::toggled, this, [this] { applyTick(); });
    connect(txtPrice, &QLineEdit::textChanged, this, [this] { storePrice(); });
    connect(txtMaxYield, &QLineEdit::textChanged, this, [this] { storeMaxYield(); });
    connect(cmdInputCosts, &QPushButton::clicked, this, [this] { openInputCosts(); });
    onLostFocus(txtPrice, [this] { checkPrice(); });
    onLostFocus(txtMaxYield, [this] { checkMaxYield(); });
}

bool CropRow::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == txtPrice || watched == txtMaxYield) && event->type() == QEvent::Resize)
        followBoxes();
    return QWidget::eventFilter(watched, event);
}

void CropRow::followBoxes()
{
    const int gap = twips(105); // between a box and its units, as designed
    lblPriceUnits->move(txtPrice->geometry().right() + 1 + gap, lblPriceUnits->y());
    lblYieldUnits->move(txtMaxYield->geometry().right() + 1 + gap, lblYieldUnits->y());
}

QList<QWidget*> CropRow::controlsInReadingOrder() const
{
    return {chkCrop, txtPrice, txtMaxYield, cmdInputCosts};
}

const std::shared_ptr<korvel::Crop>& CropRow::crop()
{
    if (!crop_)
        crop_ = std::make_shared<korvel::Crop>();
    return crop_;
}

void CropRow::setCrop(std::shared_ptr<korvel::Crop> crop)
{
    crop_ = std::move(crop);
}

void CropRow::loadInfo(const QString& cropType, const QString& priceUnits, const QString&, const QString& yieldUnits)
{
    chkCrop->setText(cropType);
    if (cropType != QLatin1String("Fallow")) {
        lblPriceUnits->setText(priceUnits);
    } else {
        lblPriceUnits->setText(QString());
        txtPrice->setEnabled(false);
        txtMaxYield->setEnabled(false);
    }
    lblYieldUnits->setText(yieldUnits);
}

bool CropRow::isActive() const
{
    return chkCrop->isChecked();
}

double CropRow::getPrice() const
{
    const std::string text = txtPrice->text().toStdString();
    if (const auto value = num::parseNumeric(text))
        return *value;
    return num::leadingNumberOrZero(text);
}

void CropRow::setPrice(double newPrice)
{
    txtPrice->setText(QString::fromStdString(num::plainText(newPrice)));
}

void CropRow::setMaxYield(double newYield)
{
    txtMaxYield->setText(QString::fromStdString(num::plainText(newYield)));
}

double CropRow::getMaxYield() const
{
    return BoxTexts::value(txtMaxYield->text());
}

QString CropRow::GetCrop() const
{
    return chkCrop->text();
}

void CropRow::setDefault(double price, double maxYield)
{
    txtPrice->setText(QString::fromStdString(num::formatPattern(price, "#0.00")));
    txtMaxYield->setText(QString::fromStdString(num::plainText(maxYield)));
}

void CropRow::applyTick()
{
    const bool ticked = chkCrop->isChecked();
    setBackground(chkCrop, ticked ? kShaded : kWhite);
    background->setVisible(ticked);
    for (QWidget* w :
         {static_cast<QWidget*>(txtPrice), static_cast<QWidget*>(lblPriceUnits), static_cast<QWidget*>(txtMaxYield),
          static_cast<QWidget*>(lblYieldUnits), static_cast<QWidget*>(cmdInputCosts)})
        w->setEnabled(ticked);
    chkCrop->setEnabled(true);
}

void CropRow::openInputCosts()
{
    emit inputCostsRequested(crop());
}

void CropRow::refresh()
{
    try {
        // A price with more than cents shows all its digits, so that the box gives the crop back its price.
        const double price = crop()->price;
        std::string text = num::formatPattern(price, "#,##0.00");
        const std::optional<double> shown = num::parseNumeric(text);
        if (!shown || *shown != price || std::signbit(*shown) != std::signbit(price))
            text = num::plainTextExact(price);
        txtPrice->setText(QString::fromStdString(text));
        txtMaxYield->setText(QString::fromStdString(num::plainTextExact(crop()->maxYield)));
    } catch (const std::exception&) {
        // A value that is not a finite number is not shown; the box keeps its text.
    }
}

CropRow::Entries CropRow::entries()
{
    return {crop(), isActive(), txtPrice->text(), txtMaxYield->text()};
}

void CropRow::carryOver(const Entries* before)
{
    {
        const QSignalBlocker quietPrice(txtPrice);
        const QSignalBlocker quietYield(txtMaxYield);
        txtPrice->setText(before ? before->price : QString());
        txtMaxYield->setText(before ? before->maxYield : QString());
    }
    if (before && before->crop && before->crop != crop()) {
        const korvel::Crop& old = *before->crop;
        korvel::Crop& now = *crop();
        now.price = old.price;
        now.maxYield = old.maxYield;
        now.inputCost = old.inputCost;
        now.inputCosts = old.inputCosts;
    }
    chkCrop->setChecked(before && before->ticked);
    applyTick();
}

void CropRow::storePrice()
{
    if (const auto value = num::parseNumeric(txtPrice->text().toStdString()))
        crop()->price = *value;
}

void CropRow::storeMaxYield()
{
    crop()->maxYield = BoxTexts::value(txtMaxYield->text());
}

void CropRow::checkPrice()
{
    const std::string type = crop()->cropType;
    if (const auto limits = cropRowLimits(type))
        TestInput(txtPrice, limits->first, QStringLiteral("Crop Price - ") + QString::fromStdString(type));
}

void CropRow::checkMaxYield()
{
    const std::string type = crop()->cropType;
    if (const auto limits = cropRowLimits(type))
        TestInput(txtMaxYield, limits->second, QStringLiteral("Maximum Yield - ") + QString::fromStdString(type));
}

} // namespace korvel::ui
