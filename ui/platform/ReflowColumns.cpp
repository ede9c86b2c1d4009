#include "ui/platform/ReflowColumns.h"

#include <QEvent>
#include <QStyle>
#include <algorithm>

namespace korvel::ui {

namespace {

constexpr int kFallbackSpacing = 6; // a style that leaves the spacing to each layout

int leastWidth(const QWidget* w)
{
    return std::max(w->minimumSizeHint().width(), w->minimumWidth());
}

int wantedWidth(const QWidget* w)
{
    return std::max(w->sizeHint().width(), leastWidth(w));
}

int wantedHeight(const QWidget* w)
{
    return std::max(w->sizeHint().height(), std::max(w->minimumSizeHint().height(), w->minimumHeight()));
}

int tallest(const QList<QWidget*>& row)
{
    int most = 0;
    for (const QWidget* w : row)
        most = std::max(most, wantedHeight(w));
    return most;
}

} // namespace

ReflowColumns::ReflowColumns(QWidget* parent) : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ReflowColumns::addColumn(QWidget* column, int stretch)
{
    column->setParent(this);
    columns_.append(column);
    stretches_.append(std::max(0, stretch));
    column->show();
    updateGeometry();
    place();
}

int ReflowColumns::spacing() const
{
    const int s = style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, this);
    return s >= 0 ? s : kFallbackSpacing;
}

int ReflowColumns::sideBySideWidth() const
{
    int width = 0;
    for (const QWidget* w : columns_)
        width += leastWidth(w);
    return width + spacing() * std::max<int>(0, static_cast<int>(columns_.size()) - 1);
}

QSize ReflowColumns::sizeHint() const
{
    int width = 0;
    for (const QWidget* w : columns_)
        width += wantedWidth(w);
    width += spacing() * std::max<int>(0, static_cast<int>(columns_.size()) - 1);
    return {width, tallest(columns_)};
}

QSize ReflowColumns::minimumSizeHint() const
{
    if (columns_.size() < 2)
        return {sideBySideWidth(), tallest(columns_)};
    const QList<QWidget*> top = columns_.mid(0, columns_.size() - 1);
    int topWidth = 0;
    for (const QWidget* w : top)
        topWidth += leastWidth(w);
    topWidth += spacing() * (static_cast<int>(top.size()) - 1);
    const int width = std::max(topWidth, leastWidth(columns_.last()));
    return {width, heightAt(width)};
}

int ReflowColumns::heightAt(int width) const
{
    if (columns_.size() < 2 || width >= sideBySideWidth())
        return tallest(columns_);
    return tallest(columns_.mid(0, columns_.size() - 1)) + spacing() + wantedHeight(columns_.last());
}

int ReflowColumns::heightForWidth(int width) const
{
    return heightAt(width);
}

QList<int> ReflowColumns::widthsIn(const QList<QWidget*>& row, int room) const
{
    const int n = static_cast<int>(row.size());
    const int free = room - spacing() * std::max(0, n - 1);
    int least = 0;
    int wanted = 0;
    for (const QWidget* w : row) {
        least += leastWidth(w);
        wanted += wantedWidth(w);
    }
    QList<int> widths;
    if (free > wanted) {
        // In proportion to the stretches (alike when none has one), no column narrower than it asks for: a
        // column whose share falls short keeps its wanted width and the others share the rest.
        const bool alike = stretchesOf(row) == 0;
        const auto stretchOfColumn = [&](const QWidget* w) { return alike ? 1 : stretchOf(w); };
        QList<bool> fixed(n, false);
        for (bool again = true; again;) {
            again = false;
            int shared = free; // the room the columns not fixed share
            int stretch = 0;
            for (int i = 0; i < n; ++i) {
                if (fixed[i])
                    shared -= wantedWidth(row[i]);
                else
                    stretch += stretchOfColumn(row[i]);
            }
            widths.clear();
            for (int i = 0; i < n; ++i) {
                const int share = stretch > 0 ? shared * stretchOfColumn(row[i]) / stretch : 0;
                if (!fixed[i] && share < wantedWidth(row[i])) {
                    fixed[i] = true;
                    again = true;
                }
                widths.append(fixed[i] ? wantedWidth(row[i]) : share);
            }
        }
        return widths;
    }
    for (const QWidget* w : row)
        widths.append(wantedWidth(w));
    // Short of room: the columns give it up in even parts, none below its least width.
    int short_ = wanted - std::max(free, least);
    while (short_ > 0) {
        int yielding = 0;
        for (int i = 0; i < n; ++i)
            yielding += widths[i] > leastWidth(row[i]) ? 1 : 0;
        if (yielding == 0)
            break;
        const int part = std::max(1, short_ / yielding);
        for (int i = 0; i < n && short_ > 0; ++i) {
            const int give = std::min({part, short_, widths[i] - leastWidth(row[i])});
            if (give > 0) {
                widths[i] -= give;
                short_ -= give;
            }
        }
    }
    return widths;
}

int ReflowColumns::stretchOf(const QWidget* column) const
{
    const qsizetype i = columns_.indexOf(column);
    return i < 0 ? 0 : stretches_[i];
}

int ReflowColumns::stretchesOf(const QList<QWidget*>& row) const
{
    int sum = 0;
    for (const QWidget* w : row)
        sum += stretchOf(w);
    return sum;
}

void ReflowColumns::place()
{
    if (columns_.isEmpty())
        return;
    reflowed_ = columns_.size() > 1 && width() < sideBySideWidth();
    const QList<QWidget*> row = reflowed_ ? columns_.mid(0, columns_.size() - 1) : columns_;
    const int rowHeight = reflowed_ ? std::min(height(), tallest(row)) : height();
    const QList<int> widths = widthsIn(row, width());
    int x = 0;
    for (qsizetype i = 0; i < row.size(); ++i) {
        row[i]->setGeometry(x, 0, widths[i], rowHeight);
        x += widths[i] + spacing();
    }
    if (reflowed_) {
        QWidget* last = columns_.last();
        const int top = rowHeight + spacing();
        last->setGeometry(0, top, std::min(width(), wantedWidth(last)), std::max(0, height() - top));
    }
}

void ReflowColumns::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place();
}

bool ReflowColumns::event(QEvent* event)
{
    // A column's contents changed (a frame shown or hidden): place the columns again and let the pane know
    // that the room they ask for may have changed.
    if (event->type() == QEvent::LayoutRequest) {
        place();
        updateGeometry();
        return true;
    }
    return QWidget::event(event);
}

} // namespace korvel::ui
