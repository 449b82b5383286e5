#include "fraction.h"

#include <algorithm>
#include <utility>

namespace tarvelo {
namespace {

using Term = Fraction::Term;

Term gcd(Term a, Term b)
{
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0)
        a = std::exchange(b, a % b);
    return a;
}

Term times(Term a, Term b)
{
    Term out;
    if (__builtin_mul_overflow(a, b, &out))
        throw FractionOverflow();
    return out;
}

Term plus(Term a, Term b)
{
    Term out;
    if (__builtin_add_overflow(a, b, &out))
        throw FractionOverflow();
    return out;
}

} // namespace

Fraction::Fraction(Term numerator, Term denominator)
{
    if (denominator == 0)
        throw std::domain_error("division by zero");
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const Term g = std::max<Term>(gcd(numerator, denominator), 1);
    n_ = numerator / g;
    d_ = denominator / g;
}

// Cross terms are reduced by the common factor of the denominators first,
// which keeps sums of rates and amounts far from the limit.
Fraction operator+(const Fraction& a, const Fraction& b)
{
    const Term g = gcd(a.d_, b.d_);
    return {plus(times(a.n_, b.d_ / g), times(b.n_, a.d_ / g)), times(a.d_ / g, b.d_)};
}

Fraction operator-(const Fraction& a, const Fraction& b)
{
    return a + Fraction(-b.n_, b.d_);
}

Fraction operator*(const Fraction& a, const Fraction& b)
{
    const Term g1 = std::max<Term>(gcd(a.n_, b.d_), 1);
    const Term g2 = std::max<Term>(gcd(b.n_, a.d_), 1);
    return {times(a.n_ / g1, b.n_ / g2), times(a.d_ / g2, b.d_ / g1)};
}

Fraction operator/(const Fraction& a, const Fraction& b)
{
    if (b.n_ == 0)
        throw std::domain_error("division by zero");
    return a * Fraction(b.d_, b.n_);
}

bool operator<(const Fraction& a, const Fraction& b)
{
    return (a - b).n_ < 0;
}

std::string Fraction::fixed(int places) const
{
    Term scale = 1;
    for (int i = 0; i < places; ++i)
        scale = times(scale, 10);
    const Term whole = plus(times(times(n_, scale), 2), d_) / times(d_, 2);
    std::string digits;
    for (Term rest = whole < 0 ? -whole : whole; rest > 0 || digits.empty(); rest /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(rest % 10)));
    if (digits.size() < static_cast<size_t>(places) + 1)
        digits.insert(0, places + 1 - digits.size(), '0');
    if (places > 0)
        digits.insert(digits.size() - places, 1, '.');
    return whole < 0 ? '-' + digits : digits;
}

} // namespace tarvelo
