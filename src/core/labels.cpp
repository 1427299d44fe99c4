#include "core/labels.h"

#include <algorithm>
#include <cmath>

#include "core/axes.h"
#include "core/plane.h"
#include "core/state.h"

namespace kw {

namespace {
constexpr Rgb kBlack = rgb(0, 0, 0);

// Widths in pixels of the plane's bold 11-pixel font, a little generous.
constexpr double kDigitWidth = 8, kMinusWidth = 5, kLabelGap = 4;

// Whether the mark at t (a multiple of `step` from 0) is kept at `every`.
bool kept(double t, double step, long long every)
{
    return every <= 1 || std::llround(t / step) % every == 0;
}
}  // namespace

long long thinning(double pixelsPerStep, double needed)
{
    if (!(pixelsPerStep > 0))
        return 1;
    for (long long decade = 1; decade < 1'000'000'000'000LL; decade *= 10)
        for (long long m : {1, 2, 5})
            if (pixelsPerStep * double(decade * m) >= needed)
                return decade * m;
    return 1'000'000'000'000LL;
}

double labelWidth(double value)
{
    int digits = 1;
    for (double a = std::fabs(value); a >= 10 && digits < 20; a /= 10)
        ++digits;
    return digits * kDigitWidth + (value < 0 ? kMinusWidth : 0) + kLabelGap;
}

void Skalla(Plane& p, const PictureState& picture)
{
    const double X = picture.X, Y = picture.Y;
    p.setForeColor(kBlack);
    const float L = 1.0f;
    const double d = Y <= 50 ? Y * 80 / 20 : (Y * 80) / (Y / 1.5);
    const double s = Y <= 50 ? 1 : 5;
    // Marks closer than a few pixels would merge into a dark band.
    const long long alongX = thinning(p.width() / std::fabs(p.scaleWidth()) * s, kMarkSpacing);
    const long long alongY = thinning(p.height() / std::fabs(p.scaleHeight()) * s, kMarkSpacing);
    for (double t = X; t <= Y - 1; t += s)
        if (kept(t, s, alongX))
            p.line(L * t, (X + 1) / d, L * t, (Y - 1) / d);
    for (double t = X; t <= Y - 1; t += s)
        if (kept(t, s, alongY))
            p.line((X - 1) / d, L * t, (Y + 1) / d, L * t);
}

void Beschriftung(Plane& p, PictureState& picture, const DrawRequest& r)
{
    applyRange(picture, r);
    const double X = picture.X, Y = picture.Y;
    p.setPenWidth(1);
    p.setForeColor(kBlack);
    // Half the world width and height, each rounded to an integer before halving.
    const double hw = std::nearbyint(p.scaleWidth()) / 2;
    const double hh = std::nearbyint(p.scaleHeight()) / 2;
    if (picture.Zoom_Prozent < kLabelsFromZoom)
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

    // Numbers that would overlap their neighbours are thinned: the widest
    // number decides along x, the line height along y.
    const double s = Y <= 50 ? 1 : 5;
    const double widest = std::max(labelWidth(X + 1), labelWidth(Y - 1));
    const long long alongX = thinning(p.width() / std::fabs(p.scaleWidth()) * s, widest);
    const long long alongY =
        thinning(p.height() / std::fabs(p.scaleHeight()) * s, Plane::kLineHeight + 2);
    auto onX = [&](double i, double y) {
        if (kept(i, s, alongX))
            number(i - 0.2, y, i);
    };
    auto onY = [&](double x, double i) {
        if (kept(i, s, alongY))
            number(x, i + 0.2, i);
    };
    if (Y <= 50) {
        for (double i = -1; i >= X + 1; --i)
            onX(i, hh - (X + 0.3));
        for (double i = 1; i <= Y - 1; ++i)
            onX(i, hh - (X + 0.3));
        for (double i = 1; i <= Y - 1; ++i)
            onY(hw + X - 1, i);
        for (double i = -1; i >= X + 1; --i)
            onY(hw + X - 1, i);
    } else {
        for (double i = -5; i >= X + 1; i -= 5)
            onX(i, hh - (X + 1));
        for (double i = 5; i <= Y - 1; i += 5)
            onX(i, hh - (X + 1));
        for (double i = 5; i <= Y - 1; i += 5)
            onY(hw + X + 1, i);
        for (double i = -5; i >= X + 1; i -= 5)
            onY(hw + X + 1, i);
    }
}

}  // namespace kw
