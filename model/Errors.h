#pragma once
// The typed failures of the model. Callers that may "ignore errors" catch them at that step;
// views turn them into messages.
#include <stdexcept>
#include <string>

namespace korvel {

struct KorvelError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A 1-based position outside 1..Count, or a read of an empty stack.
struct IndexError : KorvelError {
    using KorvelError::KorvelError;
};

// Text where a number belongs (arithmetic on a text value, a text put into a number field).
struct TypeMismatch : KorvelError {
    using KorvelError::KorvelError;
};

// A division or a format whose result is not a finite number ("a division without a finite result").
struct NonFiniteResult : KorvelError {
    using KorvelError::KorvelError;
};

// A yield looked up outside a crop's table (a rainfall column the table lacks, a negative depth).
struct YieldLookupError : KorvelError {
    using KorvelError::KorvelError;
};

// An argument the operation cannot work with (an iteration factor below 1, a list size below 1, ...).
struct InvalidArgument : KorvelError {
    using KorvelError::KorvelError;
};

} // namespace korvel
