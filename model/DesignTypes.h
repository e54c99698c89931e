#pragma once
// The reinforced-concrete design's enumerations and result records.
//
// A computed value that has no meaning for the section at hand (a moment
// beyond what the concrete can carry, a neutral axis at 0, an effective
// depth of 0 or less, a strength reduction factor of 0...) is held as an
// empty std::optional: whoever shows it writes "--", and the verdict that
// needs it reads "Not OK". No NaN or infinity is ever stored.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace brindlemar {

enum class WallMember : int16_t { UpperStem = 1, LowerStem = 2, Toe = 3, Heel = 4 };

// Member m owns the faces 2m-1 and 2m; the odd face takes the most negative
// moment, the even face the most positive one.
enum class DesignPosition : int16_t {
    UpperStemRight = 1,
    UpperStemLeft = 2,
    LowerStemRight = 3,
    LowerStemLeft = 4,
    ToeTop = 5,
    ToeBottom = 6,
    HeelTop = 7,
    HeelBottom = 8,
};

enum class DesignMethod : int16_t { Aci31808 = 0, Aci31808Alternate = 1 };

enum class FlexureControl : int16_t { Compression = -1, Transition = 0, Tension = 1 };

inline constexpr int MemberCount = 4;
inline constexpr int PositionCount = 8;

inline constexpr std::array<const char*, 5> WallMemberNames{"", "Upper stem", "Lower stem", "Toe",
                                                            "Heel"};
inline constexpr std::array<const char*, 9> DesignPositionFaces{
    "", "Right", "Left", "Right", "Left", "Top", "Bottom", "Top", "Bottom"};
inline constexpr std::array<const char*, 2> DesignMethodNames{"ACI 318-08", "ACI 318-08 Alternate"};

constexpr const char* FlexureControlName(FlexureControl control) {
    switch (control) {
        case FlexureControl::Compression: return "Compression";
        case FlexureControl::Transition: return "Transition";
        case FlexureControl::Tension: return "Tension";
    }
    return "";
}

// The face across the member from position p.
constexpr int OtherFace(int p) { return p % 2 == 1 ? p + 1 : p - 1; }

// Verdict texts of the design.
inline constexpr const char* VerdictOK = "OK";
inline constexpr const char* VerdictNotOK = "Not OK";
inline constexpr const char* VerdictNone = "--";

// One face of one member, checked for flexure. Lengths in the wall length
// unit (m, m, ft), forces in the force unit (T, kN, Kip), all per unit
// length of wall; SteelStress in the stress unit (kg/cm², MPa, psi).
struct FlexureDesignResult {
    float Distance = 0;               // design section from the member end
    float Width = 0;                  // b, always 1
    float Height = 0;                 // h at the section
    float Cover = 0;
    float Moment = 0;                 // |Mu|
    float AxialForce = 0;             // Pu, compression positive
    float BarDiameter = 0;            // db of this face (the user's or the search's)
    float BarSpacing = 0;
    float EffectiveDepth = 0;         // d = h - cover - db/2
    float SteelArea = 0;              // As
    std::optional<float> SteelRatio;  // As / (b d)
    float OtherBarDiameter = 0;       // the user's bars on the other face
    float OtherBarSpacing = 0;
    float CompressionSteelDepth = 0;  // d', 0 without bars on the other face
    float CompressionSteelArea = 0;   // As'
    float PhiCompression = 0;
    float PhiTension = 0;
    std::optional<float> BalancedRatio;
    std::optional<float> BalancedStrain;  // fy / Es
    std::string RatioResult = VerdictNone;
    std::optional<float> TensileStrain;   // eps_t
    std::optional<FlexureControl> Control;
    std::optional<float> MomentStrength;  // phi Mn
    std::string MomentResult = VerdictNone;
    std::optional<float> AxialStrength;   // phi Pn,max
    std::string AxialResult = VerdictNone;
    std::optional<float> Phi;
    std::optional<float> SteelStress;     // fs that the moment needs
    std::optional<float> SteelStrain;     // fs / Es
    std::optional<float> MinimumSteelArea;
    std::string MinimumSteelResult = VerdictNone;
    std::optional<float> MaximumSpacing;  // 0 when no limit applies
    std::string SpacingResult = VerdictNone;
    std::optional<float> MinimumTensileStrain;
    std::string StrainResult = VerdictNone;
    // the combination whose forces these are: of those tied for the face's
    // governing moment, the one the bars fare worst under; 0 until a design
    // runs on the current forces
    int16_t Combination = 0;
};

// One member checked for one-way shear without shear reinforcement.
struct ShearDesignResult {
    float Distance = 0;
    float Width = 0;
    float Height = 0;
    float Cover = 0;
    float EffectiveDepth = 0;  // h - cover - db of the tension face's user bars
    float SteelArea = 0;       // As of those bars, 0 without them
    float Shear = 0;           // |Vu|
    float Moment = 0;          // the larger face moment
    float AxialForce = 0;      // Pu, compression positive
    float Phi = 0;
    float Lambda = 0;
    std::optional<float> ShearStrength;  // phi Vn
    std::string Result = VerdictNone;
};

}  // namespace brindlemar
