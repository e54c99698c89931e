#include "analysis/SectionForcesSearch.h"

#include <algorithm>
#include <cmath>

#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// Even cuts between two stations: about this many along the whole member,
// and never fewer than the minimum in one interval, however short.
constexpr int CutsPerMember = 32;
constexpr int MinimumCutsPerInterval = 6;
// Each local extreme among the cuts is narrowed until its bracket is this
// share of the bracket it started from.
constexpr double RefinedShare = 0.05;
// Values below this share of the member's forces are the rounding of sums
// that cancel and count as none.
constexpr double RoundingShare = 1e-6;

std::optional<SectionForces> ForcesAt(const Model& m, SectionRoutine routine, float x) {
    SectionForces f;
    if (!routine(m, x, f.M, f.V, f.N, f.M2, f.V2, f.N2)) return std::nullopt;
    return f;
}

float Axial(const SectionForces& f, bool second) { return second ? f.N2 : f.N; }

// The measure at a cut, the better of the two result sets.
float Reach(const SectionForces& f, Measure measure) {
    return std::max(measure.Of(f, false), measure.Of(f, true));
}
// The same, the lesser of the two result sets.
float LesserReach(const SectionForces& f, Measure measure) {
    return std::min(measure.Of(f, false), measure.Of(f, true));
}

// Whether the measure may rise from a station into its interval before it
// falls below the station's value at the first cut: the slope at the station,
// of either result set, of the parabola through it and the next two cuts
// (`step` +1 into the cuts after it, -1 into those before). A curve that falls
// away from the station leaves its extreme on the station, which the walk has.
bool RisesInto(const std::vector<KnownCut>& cuts, std::size_t j, int step, Measure measure) {
    const KnownCut &k0 = cuts[j], &k1 = cuts[j + step], &k2 = cuts[j + 2 * step];
    const double a = k0.x, b = k1.x, c = k2.x;
    const double f1 = measure.Of(k1.forces, false), f2 = measure.Of(k2.forces, false);
    const double direction = b > a ? 1 : -1;
    for (const bool second : {false, true}) {
        const double f0 = measure.Of(k0.forces, second);
        const double slope =
            f0 * (2 * a - b - c) / ((a - b) * (a - c)) + f1 * (a - c) / ((b - a) * (b - c)) + f2 * (a - b) / ((c - a) * (c - b));
        if (slope * direction > 0) return true;
    }
    return false;
}

}  // namespace

float Measure::Of(const SectionForces& f, bool second) const {
    const float value = component == Component::Moment  ? (second ? f.M2 : f.M)
                        : component == Component::Shear ? (second ? f.V2 : f.V)
                                                        : (second ? f.N2 : f.N);
    return sense == Sense::Negative ? -value : sense == Sense::Positive ? value : std::abs(value);
}

std::optional<MemberWalk> WalkMember(const Model& m, SectionRoutine routine, const std::vector<float>& stations,
                                     const KnownCut* first) {
    MemberWalk walk;
    const double length = stations.empty() ? 0.0 : std::abs(double(stations.back()) - stations.front());
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const float x = stations[i];
        walk.stations.push_back(walk.cuts.size());
        if (i == 0 && first && first->x == x) {
            walk.cuts.push_back(*first);
        } else {
            const std::optional<SectionForces> f = ForcesAt(m, routine, x);
            if (!f) return std::nullopt;
            walk.cuts.push_back({x, *f});
        }
        if (i + 1 == stations.size()) break;
        const double a = x, b = stations[i + 1];
        const int pieces =
            std::max(MinimumCutsPerInterval,
                     length > 0 ? static_cast<int>(std::ceil(CutsPerMember * std::abs(b - a) / length)) : 0);
        for (int k = 1; k < pieces; ++k) {
            const float at = ToSingle(a + (b - a) * k / pieces);
            if (at == walk.cuts.back().x || at == float(b)) continue;
            const std::optional<SectionForces> f = ForcesAt(m, routine, at);
            if (!f) return std::nullopt;
            walk.cuts.push_back({at, *f});
        }
    }
    return walk;
}

std::optional<MemberWalk> WalkUpTo(const Model& m, SectionRoutine routine, const MemberWalk& walk, float limit) {
    if (walk.cuts.empty()) return walk;
    const bool ascending = walk.cuts.back().x >= walk.cuts.front().x;
    auto before = [&](float x) { return ascending ? x < limit : x > limit; };
    if (before(walk.cuts.back().x) || walk.cuts.back().x == limit) return walk;

    MemberWalk upTo;
    std::size_t i = 0, s = 0;
    for (; i < walk.cuts.size() && before(walk.cuts[i].x); ++i) {
        if (s < walk.stations.size() && walk.stations[s] == i) {
            upTo.stations.push_back(i);
            ++s;
        }
        upTo.cuts.push_back(walk.cuts[i]);
    }
    KnownCut at{limit, {}};
    if (walk.cuts[i].x == limit) {
        at = walk.cuts[i];
    } else {
        const std::optional<SectionForces> f = ForcesAt(m, routine, limit);
        if (!f) return std::nullopt;
        at.forces = *f;
    }
    upTo.stations.push_back(upTo.cuts.size());
    upTo.cuts.push_back(at);
    return upTo;
}

double ForceScale(const Model& m, const MemberWalk& walk, ThicknessRoutine thickness) {
    const double length =
        walk.cuts.empty() ? 0.0 : std::abs(double(walk.cuts.back().x) - walk.cuts.front().x);
    double scale = 0;
    for (const KnownCut& k : walk.cuts) {
        const SectionForces& f = k.forces;
        const double t = thickness(m, k.x);
        scale = std::max({scale, double(std::abs(f.M)), double(std::abs(f.M2)), std::abs(f.V) * length,
                          std::abs(f.V2) * length, std::abs(f.N) * t, std::abs(f.N2) * t});
    }
    return scale;
}

float RoundingFloor(double scale) { return ToSingle(RoundingShare * scale); }

bool NoSectionForce(double value, float floor) { return !(std::abs(value) > floor); }

void Extreme::Record(const KnownCut& cut, Measure measure, float floor) {
    for (const bool second : {false, true}) {
        const float v = measure.Of(cut.forces, second);
        if (!NoSectionForce(v, floor) && v > value) {
            value = v;
            axial = Axial(cut.forces, second);
            x = cut.x;
            found = true;
        }
    }
}

std::optional<std::vector<KnownCut>> NarrowPeaks(const Model& m, SectionRoutine routine, const MemberWalk& walk,
                                                 Measure measure, float floor) {
    const std::vector<KnownCut>& cuts = walk.cuts;
    // the measure at a cut of the walk, rounding counted as none; at a station
    // with a point force on it the two result sets differ, and the curve inside
    // the intervals on either side runs on from one of them: `lower` takes the
    // lesser, so that a station never hides a peak beside it
    auto reach = [&](std::size_t j, bool lower = false) {
        const float r = lower ? LesserReach(cuts[j].forces, measure) : Reach(cuts[j].forces, measure);
        return NoSectionForce(r, floor) ? 0.0f : r;
    };
    std::vector<KnownCut> peaks;
    // the most of the measure between two cuts, by golden-section search
    auto narrow = [&](double lo, double hi) -> bool {
        const double g = (std::sqrt(5.0) - 1) / 2, stop = RefinedShare * std::abs(hi - lo);
        std::optional<KnownCut> best;
        auto look = [&](double x) -> std::optional<float> {
            const float at = ToSingle(x);
            const std::optional<SectionForces> f = ForcesAt(m, routine, at);
            if (!f) return std::nullopt;
            const float r = Reach(*f, measure);
            if (!best || r > Reach(best->forces, measure)) best = KnownCut{at, *f};
            return r;
        };
        double a = lo, b = hi, x1 = b - g * (b - a), x2 = a + g * (b - a);
        std::optional<float> r1 = look(x1), r2 = look(x2);
        while (r1 && r2 && std::abs(b - a) > stop) {
            if (*r1 >= *r2) {
                b = x2, x2 = x1, r2 = r1;
                x1 = b - g * (b - a);
                r1 = look(x1);
            } else {
                a = x1, x1 = x2, r1 = r2;
                x2 = a + g * (b - a);
                r2 = look(x2);
            }
        }
        if (!r1 || !r2) return false;
        peaks.push_back(*best);
        return true;
    };
    // every local extreme within each interval, the stations at its ends included
    for (std::size_t i = 0; i + 1 < walk.stations.size(); ++i) {
        const std::size_t first = walk.stations[i], last = walk.stations[i + 1];
        for (std::size_t j = first; j <= last; ++j) {
            const float r = reach(j);
            bool peak;
            if (j == first) {
                peak = r > reach(j + 1, j + 1 == last) && (j + 2 >= last || RisesInto(cuts, j, 1, measure));
            } else if (j == last) {
                peak = r > reach(j - 1, j - 1 == first) && (j <= first + 2 || RisesInto(cuts, j, -1, measure));
            } else {
                const float before = reach(j - 1, j - 1 == first), after = reach(j + 1, j + 1 == last);
                peak = r >= before && r >= after && (r > before || r > after);
            }
            if (peak && !narrow(cuts[j == first ? j : j - 1].x, cuts[j == last ? j : j + 1].x))
                return std::nullopt;
        }
    }
    return peaks;
}

}  // namespace brindlemar
