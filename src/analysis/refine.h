#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

namespace kw {

// A point the grid search found between two grid points, refined until its x
// (and f there) is certain to far below the digits the reports show.

// How closely a point is found: far below what the reports show, x as well as
// f there; but not below what a double can tell apart at x.
double closeTo(double x);

// x as the reports show it, to two decimals, halves to even. A point within
// what the search can tell of midway between two shown values is taken to lie
// there (the extremum of 1,5(x-2,25)(x-1) at 1,625, the zero of x-2,345).
double shown(double x);

// The zero of q between a and b, where q(a) and q(b) have opposite signs, to
// within `width`: secant steps from the bracket (Illinois), every third step a
// bisection; a step lands at least width/2 inside, so that a zero close to an
// end closes the bracket. Nothing where q fails on the way.
template <class Q>
std::optional<double> zeroBetween(Q&& q, double a, double b, double qa, double qb, double width)
{
    int kept = 0;  // the end the last step kept: -1 a, +1 b
    for (int i = 0; i < 200 && b - a > width; ++i) {
        double c = i % 3 == 2 ? a + (b - a) / 2 : a - qa * (b - a) / (qb - qa);
        if (!(c > a && c < b))
            c = a + (b - a) / 2;
        c = std::clamp(c, a + width / 2, b - width / 2);
        const std::optional<double> qc = q(c);
        if (!qc)
            return std::nullopt;
        if (*qc == 0)
            return c;
        if ((*qc < 0) == (qa < 0)) {
            a = c;
            qa = *qc;
            if (kept == 1)
                qb /= 2;
            kept = 1;
        } else {
            b = c;
            qb = *qc;
            if (kept == -1)
                qa /= 2;
            kept = -1;
        }
    }
    return a + (b - a) / 2;
}

// Where f is highest (way 1) or lowest (way -1) between a and b, for an f with
// one peak there: a golden-section search. Nothing where f fails.
template <class F>
std::optional<double> peakBetween(F&& f, double a, double b, int way, double width)
{
    const double g = (std::sqrt(5.0) - 1) / 2;
    double x1 = b - g * (b - a), x2 = a + g * (b - a);
    auto f1 = f(x1), f2 = f(x2);
    for (int i = 0; i < 200 && b - a > width; ++i) {
        if (!f1 || !f2)
            return std::nullopt;
        if (way * *f1 >= way * *f2) {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = b - g * (b - a);
            f1 = f(x1);
        } else {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = a + g * (b - a);
            f2 = f(x2);
        }
    }
    return a + (b - a) / 2;
}

}  // namespace kw
