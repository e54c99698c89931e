#pragma once
// What the section-force routines of stem, toe and heel share: the free body
// that sums forces about the centre of its cut in both result sets, and the
// loads whose distribution must be the one the stability analysis uses
// (hydrodynamic pressure, uplift, base pressure, the base resistances).

#include <functional>
#include <initializer_list>

#include "model/Model.h"

namespace brindlemar::section {

enum class Member { Stem, Toe, Heel };

// Which result sets a load enters: every distributed load enters both; a point
// force standing exactly at the cut enters only the first.
enum class Sets { Both, FirstOnly };

// The loads on the part of a member beyond a cut, reduced to the cut's centre
// (xc, yc) in the section frame: x from the toe tip towards the heel, y up
// from the underside of the base. Each load is given as the physical force it
// is, so the member's sign conventions live here alone.
class FreeBody {
public:
    FreeBody(Member member, double xc, double yc) : member_(member), xc_(xc), yc_(yc) {}

    double xc() const { return xc_; }
    double yc() const { return yc_; }

    // A force fx (positive towards the heel), fy (positive upwards) acting at (x, y).
    void Add(double fx, double fy, double x, double y, Sets sets = Sets::Both);
    void AddHorizontal(double fx, double y, Sets sets = Sets::Both) { Add(fx, 0, xc_, y, sets); }
    void AddVertical(double fy, double x, Sets sets = Sets::Both) { Add(0, fy, x, yc_, sets); }

    void Store(float& M, float& V, float& N, float& M2, float& V2, float& N2) const;

private:
    Member member_;
    double xc_, yc_;
    // M, V, N of the first and of the second set, held as the 32-bit floats they are stored as
    float sums_[2][3] = {{0, 0, 0}, {0, 0, 0}};
};

// A pressure block or a body reduced to its resultant and the coordinate of
// its line of action.
struct Resultant {
    double F = 0;
    double at = 0;
};

struct AreaCentroid {
    double area = 0;   // absolute
    double cx = 0, cy = 0;
};

// A cut position moved onto the member: a cut before its start is taken at
// the start, one beyond its end at the end.
double OnMember(double pos, double length);
// Member thicknesses at a distance x from the free end, in double precision.
double StemThickness(const Model& m, double x);
double ToeThickness(const Model& m, double x);
double HeelThickness(const Model& m, double x);

// Resultant of pressure p1 at a1 varying linearly to p2 at a2.
Resultant Trapezoid(double a1, double a2, double p1, double p2);
// Area and centroid of a polygon.
AreaCentroid Polygon(std::initializer_list<std::pair<double, double>> points);

// Where a point force lies along the member relative to the cut, from its
// distance beyond the cut (towards the free body's far end). Within the
// position tolerance it stands at the cut: a station derived from a force's
// position must find that force at its cut.
enum class Placement { Outside, AtCut, Beyond };
Placement PlaceAlong(const Model& m, double beyondDistance);
// The sets a point force at or beyond the cut enters.
inline Sets SetsFor(Placement p) { return p == Placement::Beyond ? Sets::Both : Sets::FirstOnly; }

// Adds every line load that lies on the member (`onMember` tests the bounds
// other than the cut) and at or beyond the cut (`beyond` gives its distance
// beyond the cut).
void AddLineLoads(const Model& m, FreeBody& body,
                  const std::function<bool(const LineLoad&)>& onMember,
                  const std::function<double(const LineLoad&)>& beyond);

// A point force along the underside of the base, (fx towards the heel), at
// `beyondDistance` beyond the cut: nothing when it lies outside the free body.
void AddBaseForce(const Model& m, FreeBody& body, double fx, double beyondDistance);

// Horizontal force of the front water under earthquake on a vertical face
// between heights y1 < y2 above the base: the pressure 7/8·γw·kh·√(hf·z) at
// depth z below the front water level, hf the front water height above the
// base. `at` is the height of its line of action. Acting towards the toe.
Resultant HydrodynamicForce(const Model& m, double y1, double y2);

// Uplift between x1 < x2 along the base: linear from the front head at the
// toe tip to the back head at the heel end. Acting upwards; `at` is its x.
Resultant UpliftForce(const Model& m, double x1, double x2);

// Base pressure of the last analysis between x1 < x2. Acting upwards.
Resultant BasePressureForce(const Model& m, double x1, double x2);

// The horizontal base load of the last analysis shared among the resistances
// that take it: friction first, then the adjacent structure, then the passive
// soil in front of the toe and of the shear key in proportion.
struct BaseResistances {
    double friction = 0, restraint = 0, toePassive = 0, shearKey = 0;
    double totalReaction = 0;   // the base reaction the friction is spread over
    // +1 when the resistances push towards the heel (the loads push the wall
    // towards the toe), -1 when the loads push it towards the heel
    double direction = 1;
};
BaseResistances ShareBaseResistances(const Model& m);
// The friction taken by the part of the base that carries `reaction`.
double FrictionShare(const BaseResistances& r, double reaction);

// Runs a section-force computation; a run-time error is told as the
// analysis tells its faults (TellAnalysisFault) and leaves all six outputs 0.
bool TrapSectionErrors(const Model& m, const std::function<FreeBody()>& compute, float& M, float& V, float& N,
                       float& M2, float& V2, float& N2);

}  // namespace brindlemar::section
