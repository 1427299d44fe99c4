#include "analysis/grid_search.h"

#include <algorithm>
#include <cmath>

#include "core/ui.h"
#include "terms/numtext.h"

namespace kw {

namespace {

// How often the walk looks up from its work: asks whether to stop, checks the
// clock. A grid point costs a few microseconds, so this is well under a millisecond.
constexpr std::int64_t kPaceEvery = 16;

constexpr std::string_view kHinweis = "Suche läuft … mit Esc abbrechen";
// The note goes into the wide status panel of the coordinates: they stand
// still anyway while the search keeps the mouse from the windows.
constexpr int kHinweisPanel = 2;

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
    : from_(from), to_(to), ui_(ui), limits_(limits), started_(std::chrono::steady_clock::now())
{
    if (ui_)
        ui_->searchStarted();
}

Grid::~Grid()
{
    if (!ui_)
        return;
    if (progressShown_)
        ui_->setStatus(kHinweisPanel, "");
    ui_->searchEnded();
}

bool Grid::next(GridPoint& p)
{
    if (over_)
        return false;
    auto finish = [this](GridEnd why) {
        over_ = true;
        end_ = why;
        if (why == GridEnd::Done && progressShown_)
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
    if (points_ > 0 && points_ % kPaceEvery == 0 && ui_) {
        if (ui_->stopRequested())
            return finish(GridEnd::Stopped);
        pace(at);
    }
    ++points_;
    x_ = x;
    p.at = at;
    p.x = x;
    return true;
}

void Grid::pace(double at)
{
    if (!progressShown_) {
        if (std::chrono::steady_clock::now() - started_ < limits_.progressAfter)
            return;
        progressShown_ = true;
        const double span =
            std::min(to_ - from_, double(limits_.maxPoints - 1) * kGridStep);
        ui_->setProgressMaximum(span);
        ui_->setStatus(kHinweisPanel, kHinweis);
    }
    ui_->setProgressValue(at - from_);
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
