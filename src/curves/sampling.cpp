#include "curves/sampling.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "core/context.h"
#include "terms/compiled.h"

namespace kw {

namespace {

// One line of a comb at x up to the value v, from the x-axis or from the base
// term's value there.
void drawTooth(Context& c, const Curve& curve, const Curve::Comb& comb,
               std::optional<CompiledStatement>& baseStatement, double x, double v, SampleRun& run)
{
    const double X = c.state.picture.X, Y = c.state.picture.Y;
    double base = 0;
    if (baseStatement) {
        if (const int e = baseStatement->execute(x); e != 0) {
            run.error = e;
            return;
        }
        base = *comb.baseResult;
    }
    if (comb.insideRange && !(x != 0 && X < x && x < Y))
        return;
    Plane& plane = c.plane;
    if (curve.width >= 1)
        plane.setPenWidth(curve.width);
    // A pole or a value of 1E+300 still ends at the edge: the line stays on the plane.
    const double top = plane.worldY(0), bottom = plane.worldY(plane.height());
    const double lo = std::min(top, bottom), hi = std::max(top, bottom);
    plane.line(x, std::clamp(base, lo, hi), x, std::clamp(v, lo, hi),
               curve.colour.value_or(plane.foreColor()));
}

// The line from the previous sample, with x and y swapped for the inverse function.
void segment(Plane& plane, bool swapAxes, double xPrev, double vPrev, double x, double v, Rgb colour)
{
    if (swapAxes)
        plane.line(vPrev, xPrev, v, x, colour);
    else
        plane.line(xPrev, vPrev, x, v, colour);
}

enum class Failure { Draw, Skip, End };

// What a failed sample does under the curve's policy.
Failure onFailure(Curve::OnFailure policy, int e)
{
    if (policy == Curve::OnFailure::Stop || e == err::Syntax ||
        (policy == Curve::OnFailure::SkipInvalid && e != err::InvalidArgument))
        return Failure::End;
    if (policy == Curve::OnFailure::SkipInvalid || policy == Curve::OnFailure::Skip)
        return Failure::Skip;
    return Failure::Draw;
}

// Where a segment was skipped because the curve shot off the plane (from p to
// v at x), a vertical stroke still takes it to the edge.
void edgeStroke(Plane& plane, double x, double p, double v, double X, double Y, Rgb colour)
{
    if (p > 0 && v > Y && p < Y)
        plane.line(x, p, x, Y + 1, colour);
    if (p < 0 && v < X && p > X)
        plane.line(x, p, x, X - 1, colour);
}

}  // namespace

SampleRun sampleCurve(Context& c, const Curve& curve, double start, double end, double step)
{
    SampleRun run;
    Plane& plane = c.plane;
    const double X = c.state.picture.X, Y = c.state.picture.Y;
    const double progressMax = float(std::fabs(X) + std::fabs(Y));
    // The graph of f counts its progress from the left end of the range, as
    // Y + x; any other curve from its own start.
    const double total = curve.progress ? progressMax : std::fabs(end - start);
    auto done = [&](double x) {
        return curve.progress ? std::clamp(Y + x, 0.0, progressMax) : std::fabs(x - start);
    };
    const Pacer::Work drawing(c.pacer, kDrawingHint, kDrawingCancelled);

    CompiledStatement statement(c.engine, curve.prefix, curve.term->pattern());
    std::optional<CompiledStatement> baseStatement;
    if (curve.comb && curve.comb->base)
        baseStatement.emplace(c.engine, curve.comb->basePrefix, curve.comb->base->pattern());
    int counter = 0;  // samples since the last break
    double xPrev = 0, vPrev = 0;
    bool firstSegmentPending = curve.skipFirstSegment;

    for (double x = start; step > 0 ? x <= end : x >= end; x += step) {
        const bool capped = run.samples == kMaxSamples;
        if (capped || (run.samples % Pacer::kEvery == 0 && c.pacer.stop(done(x), total))) {
            (capped ? run.capped : run.stopped) = true;
            break;
        }
        ++run.samples;
        const int e = statement.execute(x);
        const double v = *curve.result;  // unchanged when the statement failed
        if (e != 0) {
            run.error = e;
            const Failure failure = onFailure(curve.onFailure, e);
            if (failure == Failure::End) {
                run.ended = true;
                return run;
            }
            if (failure == Failure::Skip) {
                counter = 0;  // no line across a point where f is undefined
                continue;
            }
        }
        if (curve.comb) {
            drawTooth(c, curve, *curve.comb, baseStatement, x, v, run);
            continue;
        }

        if (curve.width >= 1)
            plane.setPenWidth(curve.width);
        if (curve.rangeGate && !(X < v && v < Y))
            continue;
        const Rgb colour = curve.colour.value_or(plane.foreColor());
        if (curve.points) {
            plane.point(x, v, colour);
            continue;
        }

        // A pole between two samples gives two large values of opposite sign;
        // the jump test keeps them apart. It judges the drawn heights.
        const double h = curve.swapAxes ? x : v, hPrev = curve.swapAxes ? xPrev : vPrev;
        if (2 * X <= v && v <= 2 * Y && std::fabs(hPrev) + std::fabs(h) < 2 * Y && counter > 1 &&
            !std::exchange(firstSegmentPending, false))
            segment(plane, curve.swapAxes, xPrev, vPrev, x, v, colour);
        const double p = vPrev;
        if (e == err::InvalidArgument) {
            counter = 0;
            vPrev = 0;
        } else {
            ++counter;
            xPrev = x;
            vPrev = v;
        }
        if (curve.edgeStrokes)
            edgeStroke(plane, x, p, v, X, Y, colour);
        if (curve.progress)
            c.ui.setProgressValue(done(x));
    }
    return run;
}

}  // namespace kw
