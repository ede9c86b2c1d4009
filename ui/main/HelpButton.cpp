#include "ui/main/HelpButton.h"

#include <QPushButton>

#include "ui/main/ControlNames.h"
#include "ui/main/HelpButtons.h"
#include "ui/main/MainWindow.h"
#include "ui/platform/Twips.h"

namespace korvel::ui {

QPushButton* plainHelpButton(const QString& name, QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("?"), parent);
    button->setObjectName(name);
    button->setFixedSize(twips(240) + 2, twips(240) + 2);
    button->setFocusPolicy(Qt::TabFocus);
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: #E0E0E0; border: 1px solid #808080;"
                                         " padding: 0px; font-weight: bold; }"));
    return button;
}

QPushButton* makeHelpButton(MainWindow& main, int index, QWidget* parent)
{
    QPushButton* button = plainHelpButton(arrayName(QStringLiteral("cmdHelp"), index), parent);
    button->setProperty("index", index);
    QObject::connect(button, &QPushButton::clicked, &main,
                     [&main, index, button] { main.helpButtonClicked(index, button); });
    return button;
}

} // namespace korvel::ui
