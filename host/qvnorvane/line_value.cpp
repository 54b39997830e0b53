#include "host/qvnorvane/line_value.h"

#include <cfloat>
#include <limits>

namespace qvnorvane {

namespace {

using Real = long double;

// Every product of two doubles, and every product of a double and a difference of doubles, is
// a normal number of this type: no step below overflows or loses bits to underflow.
static_assert(LDBL_MAX_EXP >= 2 * DBL_MAX_EXP + 2 &&
                  LDBL_MIN_EXP <= 2 * (DBL_MIN_EXP - DBL_MANT_DIG),
              "the exact products need twice a double's exponent range");

// A sum of two numbers held exactly: `high` the rounded sum, `low` what the rounding lost.
struct Pair {
    Real high, low;
};

// a + b, exactly.
Pair TwoSum(Real a, Real b) {
    const Real sum = a + b;
    const Real bPart = sum - a;
    return {sum, (a - (sum - bPart)) + (b - bPart)};
}

// a as two halves of at most half the significand's bits each, whose products are exact.
Pair Split(Real a) {
    constexpr int halfBits = (std::numeric_limits<Real>::digits + 1) / 2;
    const Real factor = static_cast<Real>(1ULL << halfBits) + 1;
    const Real scaled = factor * a;
    const Real high = scaled - (scaled - a);
    return {high, a - high};
}

// a * b, exactly.
Pair TwoProduct(Real a, Real b) {
    const Real product = a * b;
    const Pair x = Split(a), y = Split(b);
    return {product,
            ((x.high * y.high - product) + x.high * y.low + x.low * y.high) + x.low * y.low};
}

// The sum of the parts of four exact products, within a few units in the last place of the
// true sum: the parts are merged exactly into nonoverlapping components of increasing size,
// which are then added from the smallest, so that no cancellation among the parts costs a bit.
Real ExactSum(const Pair (&products)[4]) {
    Real components[8];
    int count = 0;
    auto add = [&](Real part) {
        int kept = 0;
        for (int k = 0; k < count; ++k) {
            const Pair merged = TwoSum(part, components[k]);
            if (merged.low != 0) components[kept++] = merged.low;
            part = merged.high;
        }
        components[kept++] = part;
        count = kept;
    };
    for (const Pair& product : products) {
        add(product.high);
        add(product.low);
    }
    Real sum = 0;
    for (int k = 0; k < count; ++k)
        sum += components[k];
    return sum;
}

} // namespace

double LineValue(double x0, double y0, double x1, double y1, double x) {
    const Pair toRight = TwoSum(x1, -static_cast<Real>(x));
    const Pair fromLeft = TwoSum(x, -static_cast<Real>(x0));
    const Pair products[4] = {TwoProduct(y0, toRight.high), TwoProduct(y0, toRight.low),
                              TwoProduct(y1, fromLeft.high), TwoProduct(y1, fromLeft.low)};
    const Real width = static_cast<Real>(x1) - x0;
    return static_cast<double>(ExactSum(products) / width);
}

} // namespace qvnorvane
