#pragma once
// The check run when the user leaves a numeric box: a rejected text is announced ("Input error"),
// taken back to the text the box had when the user's current edit began (when the box took the focus or was
// last accepted), and the focus goes back to the box. The check guards only the box's text; it never writes
// into the model.
#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

namespace korvel::ui {

// Tests the text of box when it is left: empty, "-" and "." pass; anything that is not a number as a
// whole, a negative number or a number above limit (inclusive) is rejected with its message. A null box
// passes.
void TestInput(QLineEdit* box, double limit, const QString& label);

// The largest value of each kind that a box without a limit of its own takes: a price (per unit of yield, per
// pound or per thousand seeds), a money amount per acre, a yield per acre and a rate applied per acre. With them
// every figure such a value feeds (a price times a yield, a price times a rate, times the acres of any farm) stays
// a finite number that the views can write out.
inline constexpr double kLargestPrice = 100000;        // dollars per unit of yield, per pound, per thousand seeds
inline constexpr double kLargestMoneyPerAcre = 100000; // dollars per acre
inline constexpr double kLargestYield = 1000000;       // units of yield per acre
inline constexpr double kLargestRate = 10000000;       // pounds or seeds applied per acre

// TestInput for a box that also takes negative values (a credit, a loss): a number below -limit is rejected with
// label & ":  Please enter a value that's greater than or equal to -" and the limit.
void TestSignedInput(QLineEdit* box, double limit, const QString& label);

// Shows message ("Input error", exclamation, OK); when the user has edited box since code last set its text,
// gives it back the text it had when that edit began and forgets its undo history; then puts the focus back
// into box (when it can still take it). A box not watched through onLostFocus keeps its text.
void ShowInputError(const QString& message, QLineEdit* box);

// The message of a number above limit: label & ":  Please enter a value that's less than or equal to " and the
// limit as limitText writes it.
QString aboveLimitMessage(double limit, const QString& label);

// The limit as the messages write it: the whole part grouped in threes by commas, the fractional
// digits as they are (500000 -> "500,000", 0.99 -> "0.99").
QString limitText(double limit);

// Runs handler every time box loses the focus to another control of the program (not when the
// program's window is deactivated or a popup opens), after the box has handled the focus change itself.
// Each box's leaving handler (the TestInput call with its limit and label) is attached this way; a text box
// attached this way also keeps the text its current edit began with, for ShowInputError.
void onLostFocus(QWidget* box, std::function<void()> handler);

} // namespace korvel::ui
