#include "text/crt_numbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>

namespace {

bool IsCrtSpace(char32_t c) {
    return c == U' ' || (c >= U'\t' && c <= U'\r');
}

// The ASCII text of the number at the start of `text`, white space skipped, up to the first
// zero or non-ASCII character.
template <typename Char>
std::string NumberText(std::basic_string_view<Char> text) {
    size_t i = 0;
    while (i < text.size() && IsCrtSpace(static_cast<char32_t>(text[i]))) {
        ++i;
    }
    std::string ascii;
    for (; i < text.size(); ++i) {
        auto c = static_cast<char32_t>(text[i]);
        if (c == 0 || c > 0x7F) {
            break;
        }
        ascii.push_back(static_cast<char>(c));
    }
    return ascii;
}

int ReadInt(const std::string& ascii) {
    size_t i = 0;
    bool negative = false;
    if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) {
        negative = ascii[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
        value = value * 10 + (ascii[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            return negative ? INT_MIN : INT_MAX;
        }
    }
    if (negative) {
        return value > static_cast<long long>(INT_MAX) ? INT_MIN : static_cast<int>(-value);
    }
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

}  // namespace

int CrtAtoi(std::string_view text) {
    return ReadInt(NumberText(text));
}

int CrtWtoi(std::u16string_view text) {
    return ReadInt(NumberText(text));
}

double CrtWtof(std::u16string_view text) {
    std::string ascii = NumberText(text);
    const char* first = ascii.data();
    const char* last = ascii.data() + ascii.size();
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first != last && (*first == '+' || *first == '-')) {
        return 0.0;
    }
    double value = 0.0;
    auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::invalid_argument) {
        return 0.0;
    }
    if (error == std::errc::result_out_of_range) {
        // strtod gives HUGE_VAL for a too large number and 0 for a too small one.
        std::string_view number(first, static_cast<size_t>(end - first));
        size_t exponent = number.find_first_of("eE");
        bool tiny = exponent != std::string_view::npos && exponent + 1 < number.size() &&
                    number[exponent + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}
