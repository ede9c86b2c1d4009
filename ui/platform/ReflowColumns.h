#pragma once
// Columns of a pane that move below one another where the width runs short.
#include <QList>
#include <QWidget>

namespace korvel::ui {

// Holds a pane's columns (each a widget). Where its width holds them all, they stand side by side as a
// horizontal box would lay them out; where it does not, the last column moves below the others, at the left,
// so that the columns fit the width and everything in them is reached by scrolling up and down alone. The
// height it asks for follows the width (heightForWidth), so the pane that holds it can be given the height
// the arrangement needs.
class ReflowColumns : public QWidget {
    Q_OBJECT
public:
    explicit ReflowColumns(QWidget* parent = nullptr);

    // Adds a column at the right; the widget becomes a child of this one. Width beyond what the columns ask
    // for goes to them in proportion to their stretch, as a horizontal box gives it (evenly when none has one).
    void addColumn(QWidget* column, int stretch = 0);
    // The last column lies below the others.
    bool isReflowed() const { return reflowed_; }

    QSize sizeHint() const override;        // the columns side by side
    QSize minimumSizeHint() const override; // the least width of the arrangement with the last column below
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The least width that holds every column side by side.
    int sideBySideWidth() const;
    // The height of the arrangement used at this width.
    int heightAt(int width) const;
    // The widths given to the columns of one row that together take `room` pixels.
    QList<int> widthsIn(const QList<QWidget*>& row, int room) const;
    int stretchOf(const QWidget* column) const;
    int stretchesOf(const QList<QWidget*>& row) const;
    int spacing() const;
    void place();

    QList<QWidget*> columns_;
    QList<int> stretches_; // of each column
    bool reflowed_ = false;
};

} // namespace korvel::ui
