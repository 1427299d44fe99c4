#include "core/labels.h"

#include <cmath>

#include "core/axes.h"
#include "core/context.h"

namespace kw {

namespace {
constexpr Rgb kBlack = rgb(0, 0, 0);
}

void Skalla(Context& c)
{
    Plane& p = c.plane;
    const double X = c.state.picture.X, Y = c.state.picture.Y;
    p.setForeColor(kBlack);
    const float L = 1.0f;
    const double d = Y <= 50 ? Y * 80 / 20 : (Y * 80) / (Y / 1.5);
    const double s = Y <= 50 ? 1 : 5;
    for (double t = X; t <= Y - 1; t += s)
        p.line(L * t, (X + 1) / d, L * t, (Y - 1) / d);
    for (double t = X; t <= Y - 1; t += s)
        p.line((X - 1) / d, L * t, (Y + 1) / d, L * t);
}

void Beschriftung(Context& c, const DrawRequest& r)
{
    applyRange(c.state.picture, r);
    Plane& p = c.plane;
    const double X = c.state.picture.X, Y = c.state.picture.Y;
    p.setPenWidth(1);
    p.setForeColor(kBlack);
    // Half the world width and height, each rounded to an integer before halving.
    const double hw = std::nearbyint(p.scaleWidth()) / 2;
    const double hh = std::nearbyint(p.scaleHeight()) / 2;
    if (c.state.picture.Zoom_Prozent < 70)
        return;

    auto write = [&](double x, double y, const char* text) {
        p.setCurrentX(x);
        p.setCurrentY(y);
        p.print(text);
    };
    auto number = [&](double x, double y, double i) {
        p.setCurrentX(x);
        p.setCurrentY(y);
        p.printNumber(i);
    };
    write(1.5, Y, "Y-Achse");
    write(Y - 10, 3, "X-Achse");

    if (Y <= 50) {
        for (double i = -1; i >= X + 1; --i)
            number(i - 0.2, hh - (X + 0.3), i);
        for (double i = 1; i <= Y - 1; ++i)
            number(i - 0.2, hh - (X + 0.3), i);
        for (double i = 1; i <= Y - 1; ++i)
            number(hw + X - 1, i + 0.2, i);
        for (double i = -1; i >= X + 1; --i)
            number(hw + X - 1, i + 0.2, i);
    } else {
        for (double i = -5; i >= X + 1; i -= 5)
            number(i - 0.2, hh - (X + 1), i);
        for (double i = 5; i <= Y - 1; i += 5)
            number(i - 0.2, hh - (X + 1), i);
        for (double i = 5; i <= Y - 1; i += 5)
            number(hw + X + 1, i + 0.2, i);
        for (double i = -5; i >= X + 1; i -= 5)
            number(hw + X + 1, i + 0.2, i);
    }
}

}  // namespace kw
