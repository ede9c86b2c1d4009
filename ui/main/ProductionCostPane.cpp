#include "ui/main/ProductionCostPane.h"
#include "ui/main/BoldLabel.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "model/Numbers.h"
#include "model/ProductionCostFields.h"
#include "ui/main/BoxTexts.h"
#include "ui/main/ControlNames.h"
#include "ui/main/CostPreviews.h"
#include "ui/main/DefaultValues.h"
#include "ui/main/HelpButton.h"
#include "ui/main/InputValidation.h"
#include "ui/main/MainPane.h"
#include "ui/main/PaneHost.h"
#include "ui/platform/DialogService.h"
#include "ui/platform/ReadingOrder.h"
#include "ui/platform/ReflowColumns.h"
#include "ui/platform/Twips.h"
#include "ui/platform/WholeTextBox.h"

namespace korvel::ui {

namespace {

// What every box holds whole however narrow the window: a charge such as the harvest's base charge.
const QString kDesignedContent = QStringLiteral("000.00");

// The limit of a box whose limit depends on the crop, in the order Alfalfa, Corn, Grain Sorghum, Soybeans,
// Sunflower, Wheat; a negative entry means the box of that crop is not checked, and so is any other crop's.
struct CropLimits {
    double alfalfa, corn, sorghum, soybeans, sunflower, wheat;
};

bool isNamedCrop(const std::string& crop)
{
    return crop == "Alfalfa" || crop == "Corn" || crop == "Grain Sorghum" || crop == "Soybeans" ||
           crop == "Sunflower" || crop == "Wheat";
}

std::optional<double> limitFor(const std::string& crop, const CropLimits& l)
{
    double limit = -1;
    if (crop == "Alfalfa")
        limit = l.alfalfa;
    else if (crop == "Corn")
        limit = l.corn;
    else if (crop == "Grain Sorghum")
        limit = l.sorghum;
    else if (crop == "Soybeans")
        limit = l.soybeans;
    else if (crop == "Sunflower")
        limit = l.sunflower;
    else if (crop == "Wheat")
        limit = l.wheat;
    if (limit < 0)
        return std::nullopt;
    return limit;
}

// The check of each box when it is left: the label and the limit, or nothing for a box (or a crop) that is not
// checked. Labels marked with a crop name get the active crop's name after the text.
struct LeaveCheck {
    const char* box;
    const char* label;
    double fixedLimit; // used when the limit does not depend on the crop (byCrop false)
    bool byCrop;
    CropLimits limits;
    // For a crop outside the six named ones (a custom crop): the limit of the box's kind of value.
    double otherCrops = -1;
};
// clang-format off
constexpr LeaveCheck kLeaveChecks[] = {
    {"txtNitrogenCost",           "Nitrogen Cost",                1.5, false, {}},
    {"txtNitrogenApplied",        "Nitrogen Rate - ",             0,   true,  {500, 675, 375, 350, 400, 350}, kLargestRate},
    {"txtPCost",                  "Phosphorus Cost",              1.5, false, {}},
    {"txtPApplied",               "Phosphorus Rate - ",           0,   true,  {298, 215, 132, 131, 144, 110}, kLargestRate},
    {"txtSeedCost",               "Seed Cost - ",                 0,   true,  {20, 10, 10, 0.99, 4, 0.4}, kLargestPrice},
    {"txtSeedRate",               "Seed Rate - ",                 0,   true,  {20, 99999, 30, 500000, 60000, 240}, kLargestRate},
    {"txtHerbicide",              "Herbicide Cost - ",            0,   true,  {199, 120, 120, 120, 120, 120}, kLargestMoneyPerAcre},
    {"txtInsecticide",            "Insecticide Cost - ",          0,   true,  {199, 120, 120, 120, 120, 120}, kLargestMoneyPerAcre},
    {"txtTillage",                "Tillage Cost",                 100, false, {}},
    {"txtPlanting",               "Planting Cost",                50,  false, {}},
    {"txtFertilizerApplication",  "Fertilizer Application Cost",  50,  false, {}},
    {"txtHerbicideApplication",   "Herbicide Application Cost",   120, false, {}},
    {"txtInsecticideApplication", "Insecticide Application Cost", 120, false, {}},
    {"txtHarvestBase",            "Harvest Base Rate - ",         0,   true,  {-1, 80, 80, 80, 80, 80}, kLargestMoneyPerAcre},
    {"txtExceedCost",             "Extra Charge - ",              0,   true,  {-1, 0.5, 0.5, 0.5, 1, 0.5}, kLargestPrice},
    {"txtHaulingCost",            "Hauling Cost - ",              0,   true,  {-1, 0.5, 0.5, 0.5, 1, 0.5}, kLargestPrice},
    {"txtFlatRate",               "Harvesting Flat Rate - ",      0,   true,  {-1, 1, 1, 1, 2, 1}, kLargestPrice},
    {"txtSwathing",               "Swathing Cost",                40,  false, {}},
    {"txtSwathingNum",            "Swathing Operations",          10,  false, {}},
    {"txtRaking",                 "Side Raking cost",             12,  false, {}},
    {"txtRakingNum",              "Raking Operations",            10,  false, {}},
    {"txtBaling",                 "Baling Cost",                  60,  false, {}},
};
// clang-format on

// The text a box shows for a value.
template <typename Value>
QString boxText(CostBox shown, const Value& value)
{
    return shown == CostBox::Money ? BoxTexts::money(value) : BoxTexts::plain(value);
}

QCheckBox* tickBox(const QWidget& pane, const ProductionCostField& field)
{
    return pane.findChild<QCheckBox*>(QString::fromLatin1(field.box));
}

} // namespace

ProductionCostPane::ProductionCostPane(PaneHost& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneInputCosts"));
    setMinimumSize(twips(11460), twips(6795));
    buildControls();
}

QLineEdit* ProductionCostPane::newBox(const char* name)
{
    auto* b = new QLineEdit(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setMaximumWidth(90);
    keepTextWhole(b, kDesignedContent);
    onLostFocus(b, [this, b] { leaveBox(b); });
    boxes_.insert(b->objectName(), b);
    return b;
}

void ProductionCostPane::buildControls()
{
    buildBoxesAndLabels();
    QGroupBox* general = buildGeneralInputCosts();
    QGroupBox* operations = buildOperationCosts();
    QGroupBox* other = buildReturnsAndMiscellaneous();
    buildHarvestFrame();
    buildForageFrames();
    QHBoxLayout* buttons = buildButtons();

    // Change handlers: every change of a box, typed or set by code.
    const auto rateRule = [this](QLineEdit* rate, QCheckBox* optimal) {
        connect(rate, &QLineEdit::textChanged, this, [this, optimal](const QString& text) {
            optimal->setChecked(text.isEmpty());
            ShowInputCostTotal();
        });
    };
    rateRule(txtNitrogenApplied_, chkNOptimal_);
    rateRule(txtPApplied_, chkPOptimal_);
    rateRule(txtSeedRate_, chkSeedOptimal_);
    for (QLineEdit* b : {txtNitrogenCost_, txtPCost_, txtSeedCost_, txtHerbicide_, txtInsecticide_})
        connect(b, &QLineEdit::textChanged, this, [this] { ShowInputCostTotal(); });
    for (QLineEdit* b :
         {txtTillage_, txtPlanting_, txtFertilizerApplication_, txtHerbicideApplication_, txtInsecticideApplication_})
        connect(b, &QLineEdit::textChanged, this, [this] { ShowOperationCostTotal(); });

    // Three columns; where the window is too narrow for them, the harvesting column moves below the others.
    auto* columns = new ReflowColumns(this);
    const auto column = [columns](std::initializer_list<QWidget*> groups) {
        auto* c = new QWidget(columns);
        auto* l = new QVBoxLayout(c);
        l->setContentsMargins(0, 0, 0, 0);
        for (QWidget* g : groups)
            l->addWidget(g);
        l->addStretch(1);
        columns->addColumn(c);
    };
    column({general});
    column({operations, lblAnnualized_, other});
    column({harvestFrame_, forageHarvestFrame_, standLifeFrame_});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHeader_);
    layout->addWidget(columns, 1);
    layout->addLayout(buttons);

    setReadingOrder(controlsInReadingOrder());
}

QList<QWidget*> ProductionCostPane::controlsInReadingOrder() const
{
    auto help = [this](int index) { return findHelpButton(*this, index); };
    auto named = [this](const QString& name) { return findChild<QWidget*>(name); };
    // The group boxes a column at a time (general input costs; operation costs, returns and miscellaneous
    // costs; the harvest charges or the forage frames in their place), then the buttons.
    return {help(11),
            txtNitrogenCost_,
            txtNitrogenApplied_,
            chkNOptimal_,
            help(22),
            txtPCost_,
            txtPApplied_,
            chkPOptimal_,
            help(23),
            txtSeedCost_,
            txtSeedRate_,
            chkSeedOptimal_,
            help(24),
            txtHerbicide_,
            txtInsecticide_,
            help(13),
            txtTillage_,
            txtPlanting_,
            txtFertilizerApplication_,
            txtHerbicideApplication_,
            txtInsecticideApplication_,
            help(12),
            txtReturns_,
            help(21),
            txtMiscCost_,
            txtHarvestBase_,
            txtExceed_,
            txtExceedCost_,
            txtHaulingCost_,
            txtFlatRate_,
            txtSwathing_,
            txtSwathingNum_,
            txtRaking_,
            txtRakingNum_,
            txtBaling_,
            txtBalingNum_,
            txtAlfFlat_,
            txtStand_,
            cmdDefault_,
            help(14),
            named(QStringLiteral("Command13")),
            named(arrayName(QStringLiteral("cmdCancel"), 1)),
            named(QStringLiteral("Command6"))};
}

QLabel* ProductionCostPane::label(const QString& text)
{
    return new QLabel(text, this);
}

QPushButton* ProductionCostPane::helpButton(int index)
{
    return makeHelpButton(main_, index, this);
}

void ProductionCostPane::buildBoxesAndLabels()
{
    auto named = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto check = [this](const char* name, const QString& caption) {
        auto* c = new QCheckBox(caption, this);
        c->setObjectName(QString::fromLatin1(name));
        return c;
    };

    txtNitrogenCost_ = newBox("txtNitrogenCost");
    txtNitrogenApplied_ = newBox("txtNitrogenApplied");
    txtPCost_ = newBox("txtPCost");
    txtPApplied_ = newBox("txtPApplied");
    txtSeedCost_ = newBox("txtSeedCost");
    txtSeedRate_ = newBox("txtSeedRate");
    txtHerbicide_ = newBox("txtHerbicide");
    txtInsecticide_ = newBox("txtInsecticide");
    txtTillage_ = newBox("txtTillage");
    txtPlanting_ = newBox("txtPlanting");
    txtFertilizerApplication_ = newBox("txtFertilizerApplication");
    txtHerbicideApplication_ = newBox("txtHerbicideApplication");
    txtInsecticideApplication_ = newBox("txtInsecticideApplication");
    txtHarvestBase_ = newBox("txtHarvestBase");
    txtExceed_ = newBox("txtExceed");
    txtExceedCost_ = newBox("txtExceedCost");
    txtHaulingCost_ = newBox("txtHaulingCost");
    txtFlatRate_ = newBox("txtFlatRate");
    txtReturns_ = newBox("txtReturns");
    txtMiscCost_ = newBox("txtMiscCost");

    chkNOptimal_ = check("chkNOptimal", QStringLiteral("Use optimal yield based nitrogen rate"));
    chkPOptimal_ = check("chkPOptimal", QStringLiteral("Use optimal yield based phosphorus rate"));
    chkSeedOptimal_ = check("chkSeedOptimal", QStringLiteral("Use optimal yield based seeding rate"));

    lblHeader_ = boldLabel(QStringLiteral("Production costs"), this, 4);
    lblHeader_->setObjectName(QStringLiteral("lblHeader"));
    lblSeedRate_ = named("lblSeedRate", QStringLiteral("seeds / acre"));
    lblSeedUnits_ = named("lblSeedUnits", QStringLiteral("/ 1,000 seeds"));
    lblUnits_ = named("lblUnits", QStringLiteral("bushels"));
    for (int i = 0; i < 3; ++i) {
        lblperunits_[i] = new QLabel(QStringLiteral("/ bu"), this);
        lblperunits_[i]->setObjectName(arrayName(QStringLiteral("lblperunits"), i));
    }
    lblApplicationCosts_ = boldLabel(QStringLiteral("Operation Costs"), this);
    lblApplicationCosts_->setObjectName(QStringLiteral("lblApplicationCosts"));
    lblGICTOTAL_ = boldLabel(BoxTexts::kNoSubtotal, this);
    lblGICTOTAL_->setObjectName(QStringLiteral("lblGICTOTAL"));
    lblOC_ = boldLabel(BoxTexts::kNoSubtotal, this);
    lblOC_->setObjectName(QStringLiteral("lblOC"));
    lblAnnualized_ =
        named("lblAnnualized",
              QStringLiteral("Seed, tillage, and planting costs automatically annualized over the life of stand"));
    lblAnnualized_->setWordWrap(true);
}

QGroupBox* ProductionCostPane::buildGeneralInputCosts()
{
    // General input costs.
    auto* general = new QGroupBox(this);
    auto* g = new QGridLayout(general);
    {
        auto* title = new QHBoxLayout;
        title->addWidget(boldLabel(QStringLiteral("General Input Costs"), this));
        title->addWidget(helpButton(11));
        title->addStretch(1);
        g->addLayout(title, 0, 0, 1, 5);
        int r = 1;
        auto rateRow = [&](const QString& caption, QLineEdit* cost, QWidget* costUnit, QLineEdit* rate,
                           QWidget* rateUnit, QCheckBox* optimal, int help) {
            g->addWidget(label(caption), r, 0);
            g->addWidget(cost, r, 1);
            g->addWidget(costUnit, r, 2);
            g->addWidget(rate, r, 3);
            g->addWidget(rateUnit, r++, 4);
            auto* opt = new QHBoxLayout;
            opt->addWidget(optimal);
            opt->addWidget(helpButton(help));
            opt->addStretch(1);
            g->addLayout(opt, r++, 1, 1, 4);
        };
        rateRow(QStringLiteral("Nitrogen"), txtNitrogenCost_, label(QStringLiteral("$ / lb")), txtNitrogenApplied_,
                label(QStringLiteral("lb / ac")), chkNOptimal_, 22);
        rateRow(QStringLiteral("Phosphorus"), txtPCost_, label(QStringLiteral("$ / lb")), txtPApplied_,
                label(QStringLiteral("lb / ac")), chkPOptimal_, 23);
        rateRow(QStringLiteral("Seed"), txtSeedCost_, lblSeedUnits_, txtSeedRate_, lblSeedRate_, chkSeedOptimal_, 24);
        g->addWidget(label(QStringLiteral("Herbicide")), r, 0);
        g->addWidget(txtHerbicide_, r, 1);
        g->addWidget(label(QStringLiteral("$ / ac")), r++, 2);
        g->addWidget(label(QStringLiteral("Insecticide")), r, 0);
        g->addWidget(txtInsecticide_, r, 1);
        g->addWidget(label(QStringLiteral("$ / ac")), r++, 2);
        g->addWidget(label(QStringLiteral("General Input Costs Subtotal:")), r, 0, 1, 2);
        g->addWidget(lblGICTOTAL_, r++, 2, 1, 3);
        g->addWidget(label(QStringLiteral("*subtotal does not include inputs using optimal rates")), r, 0, 1, 5);
    }
    return general;
}

QGroupBox* ProductionCostPane::buildOperationCosts()
{
    // Operation costs, returns and miscellaneous costs.
    auto* operations = new QGroupBox(this);
    auto* o = new QGridLayout(operations);
    {
        auto* title = new QHBoxLayout;
        title->addWidget(lblApplicationCosts_);
        title->addWidget(helpButton(13));
        title->addStretch(1);
        o->addLayout(title, 0, 0, 1, 3);
        int r = 1;
        auto row = [&](const QString& caption, QLineEdit* b) {
            o->addWidget(label(caption), r, 0);
            o->addWidget(b, r, 1);
            o->addWidget(label(QStringLiteral("$ / ac")), r++, 2);
        };
        row(QStringLiteral("Tillage"), txtTillage_);
        row(QStringLiteral("Planting"), txtPlanting_);
        row(QStringLiteral("Fertilizer Application"), txtFertilizerApplication_);
        row(QStringLiteral("Herbicide Application"), txtHerbicideApplication_);
        row(QStringLiteral("Insecticide Application"), txtInsecticideApplication_);
        o->addWidget(label(QStringLiteral("Operation Costs Subtotal:")), r, 0);
        o->addWidget(lblOC_, r++, 1, 1, 2);
        o->addWidget(label(QStringLiteral("*subtotal does not include harvesting costs")), r, 0, 1, 3);
    }
    return operations;
}

QGroupBox* ProductionCostPane::buildReturnsAndMiscellaneous()
{
    auto* other = new QGroupBox(this);
    auto* m = new QGridLayout(other);
    {
        auto titled = [&](int r, const QString& title, int help, QLineEdit* b) {
            auto* t = new QHBoxLayout;
            t->addWidget(boldLabel(title, this));
            t->addWidget(helpButton(help));
            t->addStretch(1);
            m->addLayout(t, r, 0, 1, 2);
            m->addWidget(b, r + 1, 0);
            m->addWidget(label(QStringLiteral("$ / ac")), r + 1, 1);
        };
        titled(0, QStringLiteral("Land Usage Returns"), 12, txtReturns_);
        titled(2, QStringLiteral("Miscellaneous Costs"), 21, txtMiscCost_);
        m->setColumnStretch(2, 1);
    }
    return other;
}

void ProductionCostPane::buildHarvestFrame()
{
    // Harvest charges of the grain crops.
    harvestFrame_ = new QGroupBox(QStringLiteral("Harvesting Costs"), this);
    auto* h = new QGridLayout(harvestFrame_);
    {
        h->addWidget(label(QStringLiteral("Base charge:")), 0, 0);
        h->addWidget(txtHarvestBase_, 0, 1);
        h->addWidget(label(QStringLiteral("$ / ac")), 0, 2);
        h->addWidget(label(QStringLiteral("Extra charge for yields exceeding")), 1, 0);
        h->addWidget(txtExceed_, 1, 1);
        h->addWidget(lblUnits_, 1, 2);
        h->addWidget(txtExceedCost_, 2, 1);
        h->addWidget(lblperunits_[0], 2, 2);
        h->addWidget(label(QStringLiteral("Hauling:")), 3, 0);
        h->addWidget(txtHaulingCost_, 3, 1);
        h->addWidget(lblperunits_[1], 3, 2);
        h->addWidget(label(QStringLiteral("Flat rate:")), 4, 0);
        h->addWidget(txtFlatRate_, 4, 1);
        h->addWidget(lblperunits_[2], 4, 2);
    }
}

void ProductionCostPane::buildForageFrames()
{
    // The forage frames, in place of the harvest charges for a crop sold by the ton.
    forageHarvestFrame_ = new QGroupBox(this);
    forageHarvestFrame_->setObjectName(QStringLiteral("frmICAlf"));
    auto* f = new QGridLayout(forageHarvestFrame_);
    auto forageBox = [this](const char* name, QWidget* frame) {
        auto* b = new QLineEdit(frame);
        b->setObjectName(QString::fromLatin1(name));
        b->setMaximumWidth(90);
        keepTextWhole(b, kDesignedContent);
        onLostFocus(b, [this, b] { leaveBox(b); });
        boxes_.insert(b->objectName(), b);
        return b;
    };
    txtSwathing_ = forageBox("txtSwathing", forageHarvestFrame_);
    txtSwathingNum_ = forageBox("txtSwathingNum", forageHarvestFrame_);
    txtRaking_ = forageBox("txtRaking", forageHarvestFrame_);
    txtRakingNum_ = forageBox("txtRakingNum", forageHarvestFrame_);
    txtBaling_ = forageBox("txtBaling", forageHarvestFrame_);
    txtBalingNum_ = forageBox("txtBalingNum", forageHarvestFrame_);
    txtAlfFlat_ = forageBox("txtAlfFlat", forageHarvestFrame_);
    {
        auto frameLabel = [this](const QString& text) { return new QLabel(text, forageHarvestFrame_); };
        f->addWidget(boldLabel(QStringLiteral("Harvesting Costs"), forageHarvestFrame_), 0, 0, 1, 3);
        f->addWidget(boldLabel(QStringLiteral("Number of Operations per Season"), forageHarvestFrame_), 0, 3, 1, 2);
        f->addWidget(frameLabel(QStringLiteral("Swathing:")), 1, 0);
        f->addWidget(txtSwathing_, 1, 1);
        f->addWidget(frameLabel(QStringLiteral("/ acre")), 1, 2);
        f->addWidget(txtSwathingNum_, 1, 3);
        f->addWidget(frameLabel(QStringLiteral("Sideraking:")), 2, 0);
        f->addWidget(txtRaking_, 2, 1);
        f->addWidget(frameLabel(QStringLiteral("/ acre")), 2, 2);
        f->addWidget(txtRakingNum_, 2, 3);
        f->addWidget(frameLabel(QStringLiteral("Baling:")), 3, 0);
        f->addWidget(txtBaling_, 3, 1);
        f->addWidget(frameLabel(QStringLiteral("/ bale")), 3, 2);
        f->addWidget(txtBalingNum_, 3, 3);
        f->addWidget(frameLabel(QStringLiteral("bales / ac")), 3, 4);
        f->addWidget(frameLabel(QStringLiteral("Flat rate:")), 4, 0);
        f->addWidget(txtAlfFlat_, 4, 1);
        f->addWidget(frameLabel(QStringLiteral("/ ton")), 4, 2);
    }
    standLifeFrame_ = new QGroupBox(this);
    standLifeFrame_->setObjectName(QStringLiteral("frmICAlf2"));
    txtStand_ = forageBox("txtStand", standLifeFrame_);
    {
        auto* s = new QHBoxLayout(standLifeFrame_);
        s->addWidget(new QLabel(QStringLiteral("Life of Stand"), standLifeFrame_));
        s->addWidget(txtStand_);
        s->addWidget(new QLabel(QStringLiteral("years"), standLifeFrame_));
        s->addStretch(1);
    }
    forageHarvestFrame_->hide();
    standLifeFrame_->hide();
    lblAnnualized_->hide();
}

QHBoxLayout* ProductionCostPane::buildButtons()
{
    // Buttons.
    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    QPushButton* apply = button("Command6", QStringLiteral("Apply Costs && Returns"));
    QPushButton* clear = button("Command13", QStringLiteral("Clear all values on this page"));
    cmdDefault_ = button("cmdDefault", QStringLiteral("Load Default --- Values"));
    QPushButton* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(arrayName(QStringLiteral("cmdCancel"), 1));
    connect(apply, &QPushButton::clicked, this, [this] { applyCosts(); });
    connect(clear, &QPushButton::clicked, this, [this] { clearBoxes(); });
    connect(cmdDefault_, &QPushButton::clicked, this, [this] { loadDefaults(); });
    connect(cancel, &QPushButton::clicked, this, [this] { main_.returnToPreviousPane(); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDefault_);
    buttons->addWidget(helpButton(14));
    buttons->addWidget(clear);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    buttons->addWidget(apply);
    return buttons;
}

QLineEdit* ProductionCostPane::box(const QString& name) const
{
    return boxes_.value(name, nullptr);
}

std::string ProductionCostPane::cropType() const
{
    return main_.state().activeCrop ? main_.state().activeCrop->cropType : std::string();
}

double ProductionCostPane::read(QLineEdit* b) const
{
    return BoxTexts::value(b->text());
}

bool ProductionCostPane::isForage(const Crop& crop) const
{
    return !crop.cropUnitsArray.empty() && crop.cropUnitsArray[0] == "ton";
}

void ProductionCostPane::openFor(const std::shared_ptr<Crop>& crop)
{
    if (!crop)
        return;
    main_.ShowPane(this);
    main_.state().activeCrop = crop;
    const inputCosts& ic = crop->inputCosts;
    const QString name = QString::fromStdString(crop->cropType);

    const bool library = !crop->Custom;
    for (QWidget* w : std::initializer_list<QWidget*>{cmdDefault_, chkNOptimal_, chkPOptimal_, chkSeedOptimal_})
        w->setEnabled(library);
    lblHeader_->setText(QStringLiteral("Production Costs for ") + name);

    if (crop->cropType == "Wheat" || crop->cropType == "Grain Sorghum" || crop->cropType == "Alfalfa") {
        lblSeedRate_->setText(QStringLiteral("lb/acre"));
        lblSeedUnits_->setText(QStringLiteral("/lb"));
    } else {
        lblSeedRate_->setText(QStringLiteral("seeds/acre"));
        lblSeedUnits_->setText(QStringLiteral("/1000 seeds"));
    }
    const auto unit = [&](std::size_t i) {
        return i < crop->cropUnitsArray.size() ? QString::fromStdString(crop->cropUnitsArray[i]) : QString();
    };
    lblUnits_->setText(unit(1));
    for (QLabel* l : lblperunits_)
        l->setText(QStringLiteral("/ ") + unit(0));
    cmdDefault_->setText(QStringLiteral("Load Default ") + name + QStringLiteral(" Values"));

    // Every box from its field, in the order of the inputs file, so each rate box is written before its optimal
    // box and the optimal box ends with the stored flag. The forage boxes are written for a forage crop only;
    // for any other they keep whatever text they had.
    const bool forage = isForage(*crop);
    for (const ProductionCostField& f : kProductionCostFields) {
        if (f.committed == CostCommit::Forage && !forage)
            continue;
        std::visit(Overloaded{[&](bool inputCosts::*m) {
                                  if (QCheckBox* c = tickBox(*this, f))
                                      c->setChecked(ic.*m);
                              },
                              [&](auto m) {
                                  const bool empty = f.emptyWhen && ic.*f.emptyWhen;
                                  if (QLineEdit* b = box(QString::fromLatin1(f.box)))
                                      b->setText(empty ? QString() : boxText(f.shown, ic.*m));
                              }},
                   f.member);
    }
    lblApplicationCosts_->setText(forage ? name + QStringLiteral(" Operation Costs")
                                         : QStringLiteral("Operation Costs"));
    // The forage frames stand over the harvest charges.
    forageHarvestFrame_->setVisible(forage);
    standLifeFrame_->setVisible(forage);
    lblAnnualized_->setVisible(forage);
    harvestFrame_->setVisible(!forage);

    BoxTexts::blankZeroTexts(main_.hostWindow());
}

void ProductionCostPane::applyCosts()
{
    if (!main_.state().activeCrop)
        main_.state().activeCrop = std::make_shared<Crop>();
    const std::shared_ptr<Crop> crop = main_.state().activeCrop;
    inputCosts& ic = crop->inputCosts;

    const auto commit = [&](CostCommit when) {
        for (const ProductionCostField& f : kProductionCostFields) {
            if (f.committed != when)
                continue;
            std::visit(Overloaded{[&](bool inputCosts::*m) {
                                      if (const QCheckBox* c = tickBox(*this, f))
                                          ic.*m = c->isChecked();
                                  },
                                  [&](auto m) {
                                      if (QLineEdit* b = box(QString::fromLatin1(f.box)))
                                          ic.*m = read(b);
                                  }},
                       f.member);
        }
    };
    commit(CostCommit::First);
    if (isForage(*crop)) {
        if (!num::isNumeric(txtStand_->text().toStdString())) {
            // What was written so far stays; the pane stays open on the same crop.
            showMessage(this, QStringLiteral("Please enter a 'Life of Stand' value for the Forage crop"),
                        MsgButtons::Ok, MsgIcon::Critical);
            return;
        }
        commit(CostCommit::Forage);
    } else {
        commit(CostCommit::Harvest);
    }
    commit(CostCommit::Last);

    main_.ShowPane(main_.pneMain());
    main_.SetMainInfo(main_.state().strMainInfo);
    main_.state().activeCrop.reset();
}

void ProductionCostPane::clearBoxes()
{
    // Every box, the forage frames' too, then the optimal boxes (which emptying a rate box ticks).
    for (const ProductionCostField& f : kProductionCostFields)
        if (f.shown != CostBox::Tick)
            if (QLineEdit* b = box(QString::fromLatin1(f.box)))
                b->setText(QString());
    for (const ProductionCostField& f : kProductionCostFields)
        if (f.shown == CostBox::Tick)
            if (QCheckBox* c = tickBox(*this, f))
                c->setChecked(false);
}

void ProductionCostPane::loadDefaults()
{
    txtNitrogenApplied_->setText(QString());
    chkNOptimal_->setChecked(true);
    txtPApplied_->setText(QString());
    chkPOptimal_->setChecked(true);
    txtSeedRate_->setText(QString());
    chkSeedOptimal_->setChecked(true);
    for (const DefaultValues::BoxText& t : DefaultValues::productionPaneTexts(cropType()))
        if (QLineEdit* b = box(t.box))
            b->setText(t.text);
}

void ProductionCostPane::ShowInputCostTotal()
{
    CostPreviews::GeneralInputs in;
    in.nitrogenCost = read(txtNitrogenCost_);
    in.nitrogenRate = read(txtNitrogenApplied_);
    in.phosphorusCost = read(txtPCost_);
    in.phosphorusRate = read(txtPApplied_);
    in.seedCost = read(txtSeedCost_);
    in.seedRate = read(txtSeedRate_);
    in.herbicide = read(txtHerbicide_);
    in.insecticide = read(txtInsecticide_);
    lblGICTOTAL_->setText(BoxTexts::subtotal(CostPreviews::generalInputCosts(cropType(), in), QStringLiteral(" / ac")));
}

void ProductionCostPane::ShowOperationCostTotal()
{
    const double total =
        CostPreviews::operationCosts(read(txtTillage_), read(txtPlanting_), read(txtFertilizerApplication_),
                                     read(txtInsecticideApplication_), read(txtHerbicideApplication_));
    lblOC_->setText(BoxTexts::subtotal(total, QStringLiteral(" / ac")));
}

void ProductionCostPane::leaveBox(QLineEdit* b)
{
    const std::string crop = cropType();
    const QString cropName = QString::fromStdString(crop);
    const QString name = b->objectName();
    if (b == txtAlfFlat_) {
        TestInput(b, 100, cropName + QStringLiteral(" Harvest Flat Rate"));
        return;
    }
    if (b == txtStand_) {
        TestInput(b, 40, QStringLiteral("Life of ") + cropName + QStringLiteral(" Stand"));
        return;
    }
    // The boxes without a limit of their own take the limit of their kind of value. Land usage returns and
    // miscellaneous costs may be negative.
    if (b == txtReturns_) {
        TestSignedInput(b, kLargestMoneyPerAcre, QStringLiteral("Land Usage Returns"));
        return;
    }
    if (b == txtMiscCost_) {
        TestSignedInput(b, kLargestMoneyPerAcre, QStringLiteral("Miscellaneous Costs"));
        return;
    }
    if (b == txtExceed_) {
        TestInput(b, kLargestYield, QStringLiteral("Extra Charge Yield - ") + cropName);
        return;
    }
    for (const LeaveCheck& c : kLeaveChecks) {
        if (name != QLatin1String(c.box))
            continue;
        if (!c.byCrop) {
            TestInput(b, c.fixedLimit, QString::fromLatin1(c.label));
        } else if (const std::optional<double> limit = limitFor(crop, c.limits)) {
            TestInput(b, *limit, QString::fromLatin1(c.label) + cropName);
        } else if (c.otherCrops >= 0 && !isNamedCrop(crop)) {
            TestInput(b, c.otherCrops, QString::fromLatin1(c.label) + cropName);
        }
        return;
    }
}

} // namespace korvel::ui
