#pragma once
// The texts of the main window's status panel: the stability verdict and the
// resistance/load ratios of the current combination, in six pieces that read
// as one line.

#include <array>
#include <string>

namespace brindlemar {

struct StatusInputs {
    bool WallStable = false;
    // resistance factors of the current combination
    float BE = 0, FC = 0, EP = 0, RH = 0, EX = 0, RO = 0;
    float BearingResistanceRatio = 0, SlidingResistanceRatio = 0, RotationResistanceRatio = 0;
    float Eccentricity = 0;      // e from mid-base, signed
    float BaseWidth = 0;         // B of the analysis
    float BearingPressureWidth = 0;
    std::string LengthUnit;
    // why the analysis computed no result; empty when it computed one
    std::string NoResultReason;
};

struct StatusTexts {
    std::string Verdict;  // "STABLE", "NOT STABLE", or "NO RESULT" with the reason in the first piece
    bool VerdictRed = false;
    std::array<std::string, 6> Ratios{};  // Windows-1252
    std::array<bool, 6> Red{};
};

StatusTexts ComputeStatusTexts(const StatusInputs& in);

}  // namespace brindlemar
