#include "analysis/clusters.h"

#include <algorithm>
#include <cmath>

namespace kw {

namespace {

// What two values may differ by and still count as equal: rounding noise.
constexpr double kNoise = 1e-9;

// Values this small are on their way below the smallest double: no school
// term takes them but by underflow.
constexpr double kUnderflow = 1e-290;

// The step lands within half a grid step of x; the slack takes in the noise
// of a step that lands right on the midpoint. A step that stays put once
// rounded to two decimals lands there too.
bool nearby(double target, double x)
{
    return std::fabs(target - x) <= kGridStep / 2 + 1e-12 * std::max(1.0, std::fabs(x));
}

bool candidate(const Sample& s)
{
    return (s.q && *s.q == 0) || s.crossing || (s.target && nearby(*s.target, s.x));
}

// q changes sign from a to b (reaching 0 counts as changing) and keeps running
// that way from the point before a to the point after b, where they are known.
bool crosses(const Sample* before, const Sample& a, const Sample& b, const Sample& after,
             bool anySignChange)
{
    if (!a.q || !b.q)
        return false;
    const double qa = *a.q, qb = *b.q;
    const bool rising = qa < 0 && qb >= 0;
    if (!rising && !(qa > 0 && qb <= 0))
        return false;
    if (anySignChange)
        return true;
    auto sameWay = [rising](const std::optional<double>& from, const std::optional<double>& to) {
        return !from || !to || (rising ? *from < *to : *from > *to);
    };
    return (!before || sameWay(before->q, qa)) && sameWay(qb, after.q);
}

// A key to nine significant digits: compared exactly, it chooses the same
// point whichever way the noise in the last digits falls, and in whatever
// order the members are compared.
double nineDigits(double v)
{
    if (v == 0 || !std::isfinite(v))
        return v;
    const double scale = std::pow(10.0, 8 - std::floor(std::log10(std::fabs(v))));
    const double rounded = std::round(v * scale) / scale;
    return std::isfinite(rounded) ? rounded : v;
}

bool lower(const Pick& a, const std::optional<Pick>& b) { return !b || nineDigits(a.key) < nineDigits(b->key); }
bool higher(const Pick& a, const std::optional<Pick>& b) { return !b || nineDigits(a.key) > nineDigits(b->key); }

// -1, 0 or 1 as a is below, about equal to (within rounding noise) or above b.
int compareNoise(double a, double b)
{
    const double noise = kNoise * std::max(std::fabs(a), std::fabs(b));
    return a < b - noise ? -1 : a > b + noise ? 1 : 0;
}

// |q| at the pick is at most `times` |q| at either neighbour (both known).
bool steepAtMost(const Pick& p, double times)
{
    auto notSteeper = [q = p.point.q, times](const std::optional<double>& n) {
        return q && n && compareNoise(std::fabs(*q), times * std::fabs(*n)) <= 0;
    };
    return notSteeper(p.before.q) && notSteeper(p.after.q);
}

}  // namespace

std::optional<double> magnitude(const Sample& s)
{
    if (!s.q)
        return std::nullopt;
    return std::fabs(*s.q);
}

std::optional<double> zeroOf(const Cluster& c)
{
    if (!c.lowest)
        return std::nullopt;
    const Pick& p = *c.lowest;
    // Where q is 0 all along (f = 0, or exp(300x) far left of 0) no point is one.
    if (p.before.q == 0.0 && p.point.q == 0.0 && p.after.q == 0.0)
        return std::nullopt;
    // Nor where the values fade below what a double holds and are 0 from
    // there on (e^(-x^2)·x^2 beyond 27,3): the term is not 0 there.
    auto underflowing = [](const std::optional<double>& q) { return q && *q != 0 && std::fabs(*q) < kUnderflow; };
    if (p.point.q == 0.0 && ((underflowing(p.before.q) && p.after.q == 0.0) ||
                             (p.before.q == 0.0 && underflowing(p.after.q))))
        return std::nullopt;
    if (p.point.q && (*p.point.q == 0 || p.point.crossing || steepAtMost(p, 1)))
        return p.point.x;
    return std::nullopt;
}

Cluster joined(const Cluster& before, const Cluster& after)
{
    Cluster c = before;
    if (after.lowest && lower(*after.lowest, c.lowest))
        c.lowest = after.lowest;
    if (after.highest && higher(*after.highest, c.highest))
        c.highest = after.highest;
    if (!c.first)
        c.first = after.first;
    if (after.last)
        c.last = after.last;
    return c;
}

ClusterWalk::ClusterWalk(SampleAt sampleAt, Key key, Found found, Hold hold, bool anySignChange)
    : sampleAt_(std::move(sampleAt)), key_(std::move(key)), found_(std::move(found)), hold_(hold),
      anySignChange_(anySignChange)
{
}

void ClusterWalk::visit(const GridPoint& p, bool owned)
{
    if (added_ == 0) {
        const double before = p.x - kGridStep;
        add(before, round2(before), false);
    }
    add(p.at, p.x, owned);
}

void ClusterWalk::finish()
{
    if (added_ == 0)
        return;
    // Statements at the next two points as the grid would walk them.
    for (int i = 0; i < 2; ++i) {
        const double at = lastX_ + kGridStep;
        add(at, round2(at), false);
    }
    if (open_ && hold_ == Hold::Last) {
        held_ = cluster_;
        open_ = false;
    }
    close();
}

void ClusterWalk::add(double at, double x, bool owned)
{
    Entry& newest = window_[++added_ % window_.size()];
    newest.sample = sampleAt_(at, x);
    newest.sample.x = x;
    newest.owned = owned;
    lastX_ = x;
    if (added_ < 3)
        return;

    // The pair before the newest point; then the older of the two has both of
    // its pairs judged.
    auto back = [this](std::size_t k) -> Entry& { return window_[(added_ - k) % window_.size()]; };
    Entry &a = back(2), &b = back(1);
    const Sample* before = added_ > 3 ? &back(3).sample : nullptr;
    if (crosses(before, a.sample, b.sample, newest.sample, anySignChange_))
        a.sample.crossing = b.sample.crossing = true;
    settle(a, before, b.sample);
}

void ClusterWalk::settle(const Entry& e, const Sample* before, const Sample& after)
{
    const bool firstOwned = e.owned && !ownedYet_;
    ownedYet_ = ownedYet_ || e.owned;
    if (!e.owned || !candidate(e.sample)) {
        close();
        return;
    }
    if (!open_) {
        open_ = true;
        heldOpen_ = firstOwned && hold_ == Hold::First;
    }
    const auto key = key_(e.sample);
    const Pick pick{before ? *before : Sample{}, e.sample, after, key.value_or(0)};
    if (!cluster_.first)
        cluster_.first = pick;
    cluster_.last = pick;
    if (!key)
        return;
    if (lower(pick, cluster_.lowest))
        cluster_.lowest = pick;
    if (higher(pick, cluster_.highest))
        cluster_.highest = pick;
}

void ClusterWalk::close()
{
    if (!open_)
        return;
    open_ = false;
    if (heldOpen_)
        held_ = cluster_;
    else
        found_(cluster_);
    heldOpen_ = false;
    cluster_ = {};
}

}  // namespace kw
