#pragma once
// Exact rational numbers for money and rates: nothing is rounded until a
// figure is shown. 128-bit terms hold any customs value and rate with room
// to spare; an operation that would still overflow throws, never wraps.
#include <stdexcept>
#include <string>

namespace tarvelo {

struct FractionOverflow : std::overflow_error {
    FractionOverflow() : std::overflow_error("number too large") {}
};

class Fraction {
public:
    __extension__ typedef __int128 Term; // a GCC and Clang extension

    Fraction() = default;
    Fraction(Term numerator, Term denominator = 1);

    Term numerator() const { return n_; }
    Term denominator() const { return d_; }
    bool isZero() const { return n_ == 0; }

    friend Fraction operator+(const Fraction& a, const Fraction& b);
    friend Fraction operator-(const Fraction& a, const Fraction& b);
    friend Fraction operator*(const Fraction& a, const Fraction& b);
    friend Fraction operator/(const Fraction& a, const Fraction& b);
    friend bool operator<(const Fraction& a, const Fraction& b);
    friend bool operator==(const Fraction& a, const Fraction& b) = default;

    // Half up (for values that are not negative), with the given number of decimals: "1941.18".
    std::string fixed(int places) const;

private:
    Term n_ = 0;
    Term d_ = 1; // always positive, and the fraction always in lowest terms
};

} // namespace tarvelo
