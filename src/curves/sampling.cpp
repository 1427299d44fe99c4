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
        if (run.samples == kMaxSamples) {
            run.capped = true;
            break;
        }
        if (run.samples % Pacer::kEvery == 0 && c.pacer.stop(done(x), total)) {
            run.stopped = true;
            break;
        }
        ++run.samples;
        const int e = statement.execute(x);
        const double v = *curve.result;  // unchanged when the statement failed
        if (e != 0) {
            run.error = e;
            const auto policy = curve.onFailure;
            if (policy == Curve::OnFailure::Stop || e == err::Syntax ||
                (policy == Curve::OnFailure::SkipInvalid && e != err::InvalidArgument)) {
                run.ended = true;
                return run;
            }
            if (policy == Curve::OnFailure::SkipInvalid || policy == Curve::OnFailure::Skip) {
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
            !std::exchange(firstSegmentPending, false)) {
            if (curve.swapAxes)
                plane.line(vPrev, xPrev, v, x, colour);
            else
                plane.line(xPrev, vPrev, x, v, colour);
        }
        const double p = vPrev;
        if (e == err::InvalidArgument) {
            counter = 0;
            vPrev = 0;
        } else {
            ++counter;
            xPrev = x;
            vPrev = v;
        }
        // Where a segment was skipped because the curve shot off the plane, a
        // vertical stroke still takes it to the edge.
        if (curve.edgeStrokes) {
            if (p > 0 && v > Y && p < Y)
                plane.line(x, p, x, Y + 1, colour);
            if (p < 0 && v < X && p > X)
                plane.line(x, p, x, X - 1, colour);
        }
        if (curve.progress)
            c.ui.setProgressValue(done(x));
    }
    return run;
}

}  // namespace kw
