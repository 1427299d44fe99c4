#include "analysis/grid_search.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <system_error>

#include "core/ui.h"
#include "terms/numtext.h"

namespace kw {

namespace {

constexpr std::string_view kHinweis = "Suche läuft … mit Esc abbrechen";

// 10000000 as "10.000.000".
std::string grouped(std::int64_t n)
{
    std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0)
            out += '.';
        out += digits[i];
    }
    return out;
}

}  // namespace

double round2(double v)
{
    if (!(std::fabs(v) < 1e15))
        return v;  // no room for two decimals (or not a number at all)
    return roundHalfEven(v * 100) / 100;
}

Grid::Grid(double from, double to, Ui* ui, GridLimits limits)
    : from_(from), to_(to), ui_(ui), limits_(limits),
      span_(std::min(to - from, double(limits.maxPoints - 1) * kGridStep)),
      pacer_(ui, true, limits.progressAfter), work_(pacer_, kHinweis)
{
}

bool Grid::next(GridPoint& p)
{
    if (over_)
        return false;
    auto finish = [this](GridEnd why) {
        over_ = true;
        end_ = why;
        if (why == GridEnd::Done && pacer_.shown())
            ui_->setProgressValue(to_ - from_);
        return false;
    };
    if (points_ == half_.handOverAt) {
        over_ = handedOver_ = true;
        return false;
    }
    const double at = points_ == 0 ? from_ : x_ + kGridStep;
    if (!(at <= to_))
        return finish(GridEnd::Done);
    const double x = round2(at);
    if (points_ > 0 && !(x > x_))
        return finish(GridEnd::Stalled);
    if (points_ >= limits_.maxPoints)
        return finish(GridEnd::Limit);
    if (points_ > 0 && points_ % Pacer::kEvery == 0) {
        if (pacer_.stop(progress(at), span_))
            return finish(GridEnd::Stopped);
        if (half_.stop) {  // the second half, which has no UI of its own
            half_.points->store(points_, std::memory_order_relaxed);
            if (half_.stop->load(std::memory_order_relaxed))
                return finish(GridEnd::Stopped);
        }
    }
    ++points_;
    x_ = x;
    p.at = at;
    p.x = x;
    return true;
}

double Grid::progress(double at) const
{
    const double value = at - from_;
    if (!half_.points)
        return value;
    // and what the second half has done
    const auto beyond = half_.points->load(std::memory_order_relaxed) - half_.handOverAt;
    return std::min(value + double(std::max<std::int64_t>(beyond, 0)) * kGridStep, span_);
}

bool Grid::skip(std::int64_t count)
{
    for (GridPoint p; points_ < count;)
        if (!next(p))
            return false;
    return true;
}

GridOutcome walkInHalves(double from, double to, Ui* ui, const GridLimits& limits,
                         std::int64_t overlap, const HalfWalk& walk, int& kept)
{
    kept = 1;
    // About how many points the walk has; the halves need not be equal.
    const double span = (to - from) / kGridStep + 1;
    const std::int64_t points = span >= double(limits.maxPoints) ? limits.maxPoints
                                : span >= 1                      ? std::int64_t(span)
                                                                 : 0;
    Grid first(from, to, ui, limits);
    if (points < std::max<std::int64_t>(limits.splitFrom, 2)) {
        walk(0, first, 0);
        return first.outcome();
    }

    std::atomic<bool> stop = false;
    std::atomic<std::int64_t> secondPoints = 0;
    Grid second(from, to, nullptr, limits);
    second.half_ = {.handOverAt = -1, .stop = &stop, .points = &secondPoints};
    // The second half starts where the first one's walk arrives (less the
    // overlap): the grid is re-rounded at every step, so it is walked there,
    // not computed.
    const std::int64_t shared = std::min(overlap, points / 2);
    std::future<void> done;
    try {
        done = std::async(std::launch::async, [&] {
            if (second.skip(points / 2 - shared))
                walk(1, second, shared);
        });
    } catch (const std::system_error&) {  // no second thread to be had: one walks it all
        walk(0, first, 0);
        return first.outcome();
    }
    first.half_ = {.handOverAt = points / 2, .stop = nullptr, .points = &secondPoints};
    walk(0, first, 0);
    if (!first.handedOver_) {  // over before the middle: stopped, or the range was shorter
        stop = true;
        done.get();
        return first.outcome();
    }
    // Meanwhile the user may stop it, and sees how far it got.
    while (done.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready)
        if (first.pacer_.stop(first.progress(first.x_ + kGridStep), first.span_))
            stop = true;
    done.get();
    if (second.points_ < points / 2) {  // stopped while still on its way to the middle
        GridOutcome outcome = first.outcome();
        outcome.end = GridEnd::Stopped;
        return outcome;
    }
    if (second.end_ == GridEnd::Done && first.pacer_.shown())
        ui->setProgressValue(to - from);
    kept = 2;
    return second.outcome();
}

std::string endNote(const GridOutcome& grid)
{
    const std::string range = " Durchsucht wurde nur der Bereich von x = " + text(grid.from) +
                              " bis x = " + text(grid.reached) + ".";
    switch (grid.end) {
    case GridEnd::Done:
        return {};
    case GridEnd::Stopped:
        return "Die Suche wurde abgebrochen." + range;
    case GridEnd::Limit:
        return "Die Suche wurde nach " + grouped(grid.points) + " Rasterpunkten beendet." +
               range + " Bitte wählen Sie einen kleineren x Bereich.";
    case GridEnd::Stalled:
        return "Die Suche wurde bei x = " + text(grid.reached) +
               " beendet, weil sich so große x Werte nicht mehr in Schritten von 0,01 "
               "durchlaufen lassen.";
    }
    return {};
}

std::string withEndNote(std::string report, const GridOutcome& outcome)
{
    const std::string note = endNote(outcome);
    if (note.empty())
        return report;
    if (!report.ends_with("\r\n"))
        report += "\r\n";
    return report + "\r\n" + note;
}

}  // namespace kw
