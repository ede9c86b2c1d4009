#include "ui/results/ResultsPane.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "model/FieldCollection.h"
#include "model/Numbers.h"
#include "ui/main/MainWindow.h"
#include "ui/main/Twips.h"

namespace korvel::ui {

ResultsPane::ResultsPane(MainWindow& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneResults"));
    setMinimumSize(twips(11535), twips(7215));
    lstOptions_ = new QListWidget(this);
    lstOptions_->setObjectName(QStringLiteral("lstOptions"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Options, best first:"), this));
    layout->addWidget(lstOptions_);
}

void ResultsPane::loadResults(const std::vector<std::shared_ptr<korvel::FieldCollection>>& entries)
{
    lstOptions_->clear();
    int k = 0;
    for (const auto& option : entries) {
        if (!option || option->Count() == 0)
            continue;
        ++k;
        QString line = QStringLiteral("Option %1: ").arg(k);
        try {
            QStringList crops;
            for (const auto& field : *option)
                crops << QString::fromStdString(field->theCrop->cropType);
            line += crops.join(QStringLiteral(", ")) + QStringLiteral("  net return $") +
                    QString::fromStdString(num::formatPattern(option->getProfit(main_.session()), "###,###,##0"));
        } catch (const std::exception&) {
            line += QStringLiteral("(not computable)");
        }
        lstOptions_->addItem(line);
    }
}

void ResultsPane::ShowBatchedVariables(bool)
{
}

void ResultsPane::EnableBatch(bool)
{
}

} // namespace korvel::ui
