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

void ReflowColumns::addColumn(QWidget* column)
{
    column->setParent(this);
    columns_.append(column);
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
    for (int i = 0; i < n; ++i) {
        const QWidget* w = row[i];
        if (free >= wanted) // each its wanted width and an even share of the rest
            widths.append(wantedWidth(w) + (free - wanted) / n + (i == n - 1 ? (free - wanted) % n : 0));
        else if (free > least) // between their least and wanted widths, in proportion
            widths.append(leastWidth(w) + (wantedWidth(w) - leastWidth(w)) * (free - least) / (wanted - least));
        else
            widths.append(leastWidth(w));
    }
    return widths;
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
