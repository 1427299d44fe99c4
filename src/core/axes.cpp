#include "core/axes.h"

#include <cmath>

#include "core/context.h"
#include "core/labels.h"
#include "core/request.h"
#include "terms/numtext.h"

namespace kw {

namespace {
constexpr Rgb kBlack = rgb(0, 0, 0);
constexpr Rgb kGrid = rgb(220, 220, 220);
}  // namespace

void readRange(Context& c)
{
    ++c.reads.ranges;
    if (auto x = readNumber(c.state.main.x_eingabe))
        c.state.picture.X = *x;
    if (auto y = readNumber(c.state.main.y_eingabe))
        c.state.picture.Y = *y;
}

void applyRange(PictureState& picture, const DrawRequest& r)
{
    if (r.left)
        picture.X = *r.left;
    if (r.right)
        picture.Y = *r.right;
}

void Koordinaten_System(Plane& p, PictureState& picture, const DrawRequest& r)
{
    p.clear();
    applyRange(picture, r);
    const double X = picture.X, Y = picture.Y;
    p.setPenWidth(1);
    p.setForeColor(kBlack);

    const bool small = Y <= 50;
    const float size = small ? 0.3f : 3.0f;
    const double arrowStart = small ? X + 1 : X + 5;

    p.scale(X, Y, -X, -Y);
    p.line(X, 0, Y, 0);
    p.line(0, X, 0, Y);
    DrawArrow45(p, float(arrowStart), 0, float(Y), 0, size, true, 0, 2);
    DrawArrow45(p, 0, float(-X - 1), 0, float(Y), size, true, 0, 2);
}

void DrawArrow45(Plane& p, float x1, float y1, float x2, float y2, float length, bool draw_head,
                 int num_fletchings, float fletching_gap)
{
    p.setForeColor(kBlack);
    float vx = x2 - x1, vy = y2 - y1;
    const float dist = std::sqrt(vx * vx + vy * vy);
    if (!(dist > 0))  // no direction: nothing to draw
        return;
    vx /= dist;
    vy /= dist;
    float gx = 0, gy = 0;
    if (num_fletchings > 1) {
        gx = vx * fletching_gap;
        gy = vy * fletching_gap;
    }
    auto strokes = [&](float ax, float ay) {
        if (draw_head)
            p.line(x2, y2, x2 + ax, y2 + ay);
        for (int i = 0; i < num_fletchings; ++i) {
            const float k = float(i);
            p.line(x1 + k * gx, y1 + k * gy, x1 + k * gx + ax, y1 + k * gy + ay);
        }
    };
    strokes((-vy - vx) * length, (vx - vy) * length);
    strokes((vy - vx) * length, (-vx - vy) * length);
}

void gitterzeichnen(Plane& p, const PictureState& picture)
{
    const double X = picture.X, Y = picture.Y;
    p.setForeColor(kGrid);
    p.setPenWidth(1);
    const double s = Y <= 50 ? 0.5 : 5;
    // Lines closer than a few pixels are thinned as the ticks are.
    const long long alongX = thinning(p.width() / std::fabs(p.scaleWidth()) * s, kMarkSpacing);
    const long long alongY = thinning(p.height() / std::fabs(p.scaleHeight()) * s, kMarkSpacing);
    for (double t = X; t <= Y; t += s)
        if (t != 0 && (alongY <= 1 || std::llround(t / s) % alongY == 0))
            p.line(X, t, Y, t);
    for (double t = X; t <= Y; t += s)
        if (t != 0 && (alongX <= 1 || std::llround(t / s) % alongX == 0))
            p.line(t, X, t, Y);
}

}  // namespace kw
