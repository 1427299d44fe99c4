#pragma once

#include <optional>
#include <string_view>

#include "core/plane.h"
#include "terms/substitution.h"

namespace kw {

class Context;

// The one loop that walks x across a range and draws a curve. Every curve of the
// program (the graph, root and log terms, derivatives, tangent, inverse
// function, sections, …) walks x the same way and differs only in the details
// below.
struct Curve {
    // How an engine failure at a sample is treated.
    // A syntax error ends every run: the text is the same at every sample, so
    // it would fail everywhere, and no value of it may be drawn.
    enum class OnFailure {
        // The sample goes on with the previous value; an invalid argument breaks
        // the polyline (the next two good samples start a new one).
        KeepValue,
        // Any failure ends the run silently.
        Stop,
        // An invalid argument skips its sample and breaks the polyline; any
        // other failure ends the run (the graph of f, sections).
        SkipInvalid,
        // Any failure skips its sample and breaks the polyline; no value is
        // ever drawn that was not computed at its x.
        Skip,
    };

    // Vertical lines instead of a polyline: at every sample one from the base
    // to the value, both ends cut off at the plane's top and bottom edge. A
    // sample where either term fails draws nothing.
    struct Comb {
        // The base: the x-axis, or the value the statement "basePrefix + expression"
        // assigns to baseResult.
        const Substitution* base = nullptr;
        std::string_view basePrefix;
        const double* baseResult = nullptr;
        // Only samples strictly between X and Y, and not at 0, draw.
        bool insideRange = false;
    };

    // A curve of the term whose values the statement "prefix + expression"
    // assigns to result.
    Curve(std::string_view prefix_, const double& result_, const Substitution& term_,
          OnFailure onFailure_)
        : prefix(prefix_), result(&result_), term(&term_), onFailure(onFailure_)
    {
    }

    std::string_view prefix;   // statement start, e.g. "Form.Zahl = "
    const double* result;      // the variable that statement assigns
    const Substitution* term;  // the term to put x into
    OnFailure onFailure;
    bool rangeGate = false;    // only values strictly between X and Y count; others change nothing
    bool points = false;       // single points instead of joined segments, without window and jump tests
    bool swapAxes = false;     // draw the sample (x, v) at (v, x)
    bool edgeStrokes = false;  // vertical strokes where the curve leaves through the top or bottom
    bool progress = false;     // report progress as Y + x
    bool skipFirstSegment = false;  // the first segment that passes the tests is not drawn
    std::optional<Comb> comb;
    int width = 0;             // pen width set before each sample; below 1 leaves the pen as it is
    std::optional<Rgb> colour; // nothing: the plane's fore colour
};

struct SampleRun {
    int error = 0;         // engine error that ended the run, or the last one met
    bool ended = false;    // a failure ended the run early
    bool capped = false;   // the sample limit ended the run
    bool stopped = false;  // the user stopped the drawing (Esc)
    int samples = 0;       // statements executed
};

// No loop takes more samples than a 16-bit counter can count; a huge range or
// quality ends quickly instead of hanging the program.
inline constexpr int kMaxSamples = 32768;

// A drawing that runs for more than half a second shows its progress and can be
// stopped with Esc (see Pacer); the whole redraw counts as one drawing.
inline constexpr std::string_view kDrawingHint = "Zeichnen läuft … mit Esc abbrechen";
inline constexpr std::string_view kDrawingCancelled = "Das Zeichnen wurde abgebrochen.";

// Walks x = start, start + step, … while x ≤ end (x ≥ end for a negative step),
// adding the step each time. The window and jump tests use the shared X and Y.
SampleRun sampleCurve(Context& c, const Curve& curve, double start, double end, double step);

}  // namespace kw
