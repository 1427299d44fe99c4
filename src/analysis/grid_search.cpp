#include "analysis/grid_search.h"

#include <algorithm>
#include <cmath>

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

bool bandRejects(double z, double x) { return -kBand <= z && z <= kBand && x != 0; }

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
    const double at = points_ == 0 ? from_ : x_ + kGridStep;
    if (!(at <= to_))
        return finish(GridEnd::Done);
    const double x = round2(at);
    if (points_ > 0 && !(x > x_))
        return finish(GridEnd::Stalled);
    if (points_ >= limits_.maxPoints)
        return finish(GridEnd::Limit);
    if (points_ > 0 && points_ % Pacer::kEvery == 0 && pacer_.stop(at - from_, span_))
        return finish(GridEnd::Stopped);
    ++points_;
    x_ = x;
    p.at = at;
    p.x = x;
    return true;
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
