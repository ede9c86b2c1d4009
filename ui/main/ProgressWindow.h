#pragma once
// The progress window of a search: a title line, a message line, a progress bar, a picture and Cancel.
// Cancel only sets the session's cancel flag; the search notices it and ends. The window is also the
// search's observer: it lets pending window messages run, advances the bar once per depth split while
// staying on top, and closes when the search ends.
#include <QElapsedTimer>
#include <QWidget>

#include "model/FieldCalculator.h"
#include "model/SessionState.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace korvel::ui {

class ProgressWindow : public QWidget, public korvel::EvaluationObserver {
    Q_OBJECT
public:
    // Controls: "lblTitle(0)" (title, "Label1" when fresh), "lblTitle(1)" (message, empty when fresh),
    // "ProgressBar", "Image1", "Command1" ("Cancel").
    explicit ProgressWindow(korvel::SessionState& session, QWidget* parent = nullptr);

    // Lets pending window messages run, adds 1 to the bar's value and repaints (messages and repainting at
    // most every 10 ms; the bar control is moved at least every thousandth of its length).
    void Update();
    // The bar's maximum := theMax, its value := 0; the next look at the window's messages is not put off.
    void setMax(double theMax);
    // Shows title on the title line and shows the window.
    void setTitle(const QString& title);
    // The second line.
    void setMessage(const QString& message);
    // For a window that shows the searches of a trend one after the other: the bar shows search `index` (from 0)
    // of `count` as the part index .. index + 1 of its length, so it fills once over the whole trend. setMax, Update
    // and value() stay those of the search under way.
    void setStage(int index, int count);

    double value() const { return static_cast<double>(value_); }
    double maximum() const { return max_; }

    // EvaluationObserver
    void pumpMessages() override;
    void advance() override;
    // As many steps at once: the window is put on top and let its messages run once.
    void advanceBy(std::size_t steps) override;
    void close() override;

private:
    void cancelSearch();
    // Update for that many steps: the value counts each of them.
    void count(std::size_t steps);
    // The bar's length, and where it stands for `shown` steps of the search under way.
    int barMaximum() const;
    int barValue(int shown) const;

    korvel::SessionState& session_;
    QLabel* titleLabel_;        // "lblTitle(0)"
    QLabel* messageLabel_;      // "lblTitle(1)"
    QProgressBar* progressBar_; // "ProgressBar"
    QPushButton* cancelButton_; // "Command1"
    float value_ = 0.0f;        // counted in single precision
    double max_ = 0.0;
    int stage_ = 0;
    int stages_ = 1;
    QElapsedTimer sincePump_;
};

} // namespace korvel::ui
