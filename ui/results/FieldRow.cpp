#include "ui/results/FieldRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

#include "ui/main/ViewText.h"

namespace korvel::ui {

namespace {

QLabel* cell(QWidget* parent, QHBoxLayout* row, const char* name, int width)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFixedWidth(width);
    label->setAlignment(Qt::AlignCenter);
    row->addWidget(label);
    return label;
}

} // namespace

FieldRow::FieldRow(const SessionState& session, QWidget* parent) : QWidget(parent), session_(session)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 2, 0, 2);
    row->setSpacing(0);
    lblAcres = cell(this, row, "lblAcres", kAcresWidth);
    lblCrop = cell(this, row, "lblCrop", kCropWidth);
    lblYield = cell(this, row, "lblYield", kYieldWidth);
    lblGross = cell(this, row, "lblGross", kDepthWidth);
    slashLabel = cell(this, row, "Label1", kSlashWidth);
    slashLabel->setText(QStringLiteral("/"));
    lblNet = cell(this, row, "lblNet", kDepthWidth);
    lblTC = cell(this, row, "lblTC", kCostsWidth);
    lblTR = cell(this, row, "lblTR", kReturnsWidth);
    lblProfit = cell(this, row, "lblProfit", kProfitWidth);

    cmdDetails = new QToolButton(this);
    cmdDetails->setObjectName(QStringLiteral("cmdDetails"));
    cmdDetails->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    cmdDetails->setToolTip(tr("Cost details of this field"));
    cmdDetails->setFixedWidth(kDetailsWidth);
    row->addWidget(cmdDetails);
    row->addStretch(1);
    connect(cmdDetails, &QToolButton::clicked, this, &FieldRow::showDetails);
}

void FieldRow::loadField(const Field& f)
{
    theField = f.Copy();
    Field& fld = *theField;
    const SessionState& s = session_;
    showStep(lblAcres, [&] { return pattern(fld.acres, "###,###,##0.0"); });
    showStep(lblCrop, [&] { return qtext(fld.theCrop->cropType); });
    showStep(lblYield, [&] { return qtext(fld.theCrop->yieldToString()); });
    showStep(lblGross, [&] { return pattern(fld.grossDepth(s), "#0.0") + QStringLiteral("''"); });
    showStep(lblNet, [&] { return pattern(fld.Depth, "#0.0") + QStringLiteral("''"); });
    showStep(lblTC, [&] {
        return QStringLiteral("$") + pattern(fld.getCosts(s) / fld.acres, "###,##0") + QStringLiteral(" /acre");
    });
    showStep(lblTR, [&] {
        return QStringLiteral("$") + pattern(fld.getReturn() / fld.acres, "###,##0") + QStringLiteral(" /acre");
    });
    showStep(lblProfit, [&] {
        return QStringLiteral("$") + pattern((fld.getReturn() - fld.getCosts(s)) / fld.acres, "###,##0") +
               QStringLiteral(" /acre");
    });
}

void FieldRow::showDetails()
{
    if (onDetails)
        onDetails(theField);
}

} // namespace korvel::ui
