#pragma once
// The section forces along a whole member, between its stations too.
//
// No load begins or ends between two stations, yet a member's forces need not
// peak on one: the base pressure rising towards the stem brings a heel's shear
// back towards 0 at its root, so that it peaks inside the heel; the base
// forces act on a tapered member whose section centre rises along it; loads
// of opposite senses meet, so a moment can even change sign twice between two
// stations. So a member is walked through its stations and even cuts between
// them, and every local extreme the walk shows is narrowed by golden-section
// search between its neighbouring cuts.

#include <cstddef>
#include <optional>
#include <vector>

#include "analysis/SectionForces.h"

namespace brindlemar {

// The forces at one cut.
struct KnownCut {
    float x = 0;
    SectionForces forces;
};

// A member's stations in their order with even cuts between them.
struct MemberWalk {
    std::vector<KnownCut> cuts;
    std::vector<std::size_t> stations;   // where in `cuts` each station stands
};

// Walks the stations: about 32 even cuts along the whole member, never fewer
// than 6 in one interval however short. `first`, when it stands at the first
// station, gives that station's forces. Nothing when a routine failed.
std::optional<MemberWalk> WalkMember(const Model& m, SectionRoutine routine, const std::vector<float>& stations,
                                     const KnownCut* first = nullptr);

// The part of a walk short of `limit` (in the walk's direction), closed by a
// station at the limit: the range over which a member's shear is designed,
// where every cut beyond the limit takes its shear at the limit. The walk
// itself when no cut lies beyond. Nothing when the routine failed.
std::optional<MemberWalk> WalkUpTo(const Model& m, SectionRoutine routine, const MemberWalk& walk, float limit);

// One value of a cut's result set, read so that larger is more extreme: the
// negative moment as -M, the positive one as M, a shear or normal force by
// its size or either sign.
enum class Component { Moment, Shear, Normal };
enum class Sense { Negative, Positive, Magnitude };
struct Measure {
    Component component;
    Sense sense;
    // `second` reads the set that leaves out a point force at the cut
    float Of(const SectionForces& f, bool second) const;
};

// The size of the terms a walked member's forces are summed from: its
// largest moment, shear times its length and normal force times its
// thickness. The lever arms of those terms are differences of coordinates
// as large as the member, held to 7 significant digits.
double ForceScale(const Model& m, const MemberWalk& walk, ThicknessRoutine thickness);

// What counts as nothing beside forces of that scale: sums that cancel
// leave rounding (a tip moment of 1E-15, or 6E-4 kNm/m where the terms are
// a thousand kNm/m), which is no force.
float RoundingFloor(double scale);

// No moment (nor shear, nor normal force): a section force whose size is at
// most `floor`, the RoundingFloor of the whole wall's forces, is rounding.
// The design gives it no steel and lets it govern nothing, judged against
// every member in every combination of the set, so that rounding never counts
// in one combination while another drops the same; a diagram prints no value
// for it, judged against every member of the combination it shows. A search
// along one member keeps off that member's own rounding the same way.
bool NoSectionForce(double value, float floor);

// The most extreme value of a measure met so far, the normal force of the same
// result set and the cut. Only a value above the floor counts, and only one
// larger than the last: the earlier cut and, at one cut, the first set win a tie.
struct Extreme {
    float value = 0;
    float axial = 0;
    float x = 0;
    bool found = false;
    void Record(const KnownCut& cut, Measure measure, float floor);
};

// Narrows every local extreme of the measure within each interval of the
// walk, the stations at its ends included, and gives the most extreme cut
// looked at in each. Nothing when the routine failed.
std::optional<std::vector<KnownCut>> NarrowPeaks(const Model& m, SectionRoutine routine, const MemberWalk& walk,
                                                 Measure measure, float floor);

}  // namespace brindlemar
