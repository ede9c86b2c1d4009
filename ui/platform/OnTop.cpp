#include "ui/platform/OnTop.h"

#include <QWidget>

namespace korvel::ui {

void SetOnTop(QWidget* frm, bool onTop)
{
    if (!frm)
        return;
    if (frm->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    // Changing the flags hides a shown window and may let the window system place it anew.
    const bool wasVisible = frm->isVisible();
    const QRect geometry = frm->geometry();
    frm->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (wasVisible) {
        frm->setGeometry(geometry);
        frm->show();
    }
}

} // namespace korvel::ui
