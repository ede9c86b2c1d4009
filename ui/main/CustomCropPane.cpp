#include "ui/main/CustomCropPane.h"

#include "ui/main/MainWindow.h"
#include "ui/main/Twips.h"

namespace korvel::ui {

CustomCropPane::CustomCropPane(MainWindow& main, QWidget* parent) : QFrame(parent), main_(main)
{
    setObjectName(QStringLiteral("pneCustomCrop"));
    setMinimumSize(twips(11220), twips(6615));
}

void CustomCropPane::open()
{
}

void CustomCropPane::fillDesignLists()
{
}
} // namespace korvel::ui
