#pragma once
// The cut positions along stem, toe and heel at which section forces are
// taken: the member ends and every point where the loading along the member
// changes.

#include <cstdint>
#include <span>
#include <vector>

#include "model/Model.h"

namespace brindlemar {

// Sorts entries 0 to n - 1 of `values` in place (bubble sort that stops after
// a pass without a swap; equal entries never trade places). Error 9 when n
// exceeds the values given.
void SortSingles(int16_t n, std::span<float> values, bool descending);

// Lengths of the members as their stations run, from the wall's outline:
// the stem from its top down to the higher of its two feet, the toe from
// its tip, the heel from its root; 0 for a member the wall does not have.
// The stations of a combination may stop short of them (an unstable wall
// keeps only the heel root), these never do.
double StemMemberLength(const Model& m);
double ToeMemberLength(const Model& m);
double HeelMemberLength(const Model& m);

// The upper-stem length the design, its tables and the report work with:
// the user's, stopped at the stem's foot (its last station). The stored
// length stays as it is until the reinforcement dialog brings it within the
// stem, so that a file keeps its bytes; a stem shortened since it was chosen
// never has an upper stem below its foot.
float UpperStemLengthInUse(const Model& m);

// Positions along the wall are compared by one rule: two closer than the
// tolerance are one. The model holds 32-bit floats, typed or converted
// between unit systems, and a member's extent is often a sum of them, so a
// load typed at a member's end lands a rounding either side of it. The
// tolerance is a share of the wall's size, the same in every unit system.
double PositionTolerance(const Model& m);
// a <= b within the tolerance
bool AtMost(const Model& m, double a, double b);
// from <= x <= to within the tolerance
bool Within(const Model& m, double x, double from, double to);

// The part of the wall whose free body takes a line load. The stability
// analysis counts every line load on the wall, so every one is carried by
// exactly one part, at its own point:
// - the toe: everything in front of the vertical through the toe root (over
//   the toe, under it, in front of its tip), and on that vertical up to the
//   toe's top;
// - the heel: everything behind the vertical through the heel root (in the
//   heel, on the earth over it, under it, beyond its end), and on that
//   vertical up to the heel's top;
// - the stem: everything between the two from the stem's foot up, over its
//   battered faces and above its top;
// - the joint: the block under the stem's foot, between the two roots, which
//   no member bends for.
// The heel carries the earth over it, so it carries what stands on that
// earth too; higher than the heel, a load on the vertical through its root
// bears on the stem.
enum class WallPart { Stem, Toe, Heel, Joint };
WallPart LineLoadPart(const Model& m, const LineLoad& load);

// The cuts of each member where its loads change, for the combination
// analysed last (the toe and heel lists read its base contact and
// WallStable), ascending, no two equal: the stem's as depths below its top,
// the toe's from its tip, the heel's from its root towards its end. The
// lists grow with the wall's loads (many line loads give many cuts).
std::vector<float> StemStationList(const Model& m);
std::vector<float> ToeStationList(const Model& m);
std::vector<float> HeelStationList(const Model& m);

}  // namespace brindlemar
