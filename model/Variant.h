#pragma once
// A value that is empty, a number or a text: the harvest and forage inputs of a crop's costs and the
// general inputs of the inputs file hold whatever was put in them.
#include <string>
#include <variant>

namespace korvel {

class Variant {
public:
    Variant() = default;
    Variant(double number) : v_(number) {}
    Variant(int number) : v_(static_cast<double>(number)) {}
    Variant(std::string text) : v_(std::move(text)) {}
    Variant(const char* text) : v_(std::string(text)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(v_); }
    bool isNumber() const { return std::holds_alternative<double>(v_); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }

    // The value in arithmetic: empty gives 0, a number itself, a text that reads as a number as a whole
    // that number; any other text throws TypeMismatch.
    double number() const;
    // The value as text: empty gives "", a number its plain decimal text, a text itself.
    std::string toString() const;

    bool operator==(const Variant& other) const = default;

private:
    std::variant<std::monostate, double, std::string> v_;
};

} // namespace korvel
