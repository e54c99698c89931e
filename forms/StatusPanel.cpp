#include "forms/StatusPanel.h"

#include <cmath>

#include "analysis/Analysis.h"
#include "runtime/Format.h"

namespace brindlemar {

namespace {

// Ratios that no load challenges (1E10) or that are too large to matter
const char* const Unbounded = "~";

std::string RatioText(double ratio) { return ratio <= 99.99 ? Format(RatioShown(ratio), "#0.#0") : Unbounded; }

}  // namespace

StatusTexts ComputeStatusTexts(const StatusInputs& in) {
    StatusTexts out;
    // no result is no verdict on the wall: say so, and why
    if (!in.NoResultReason.empty()) {
        out.Verdict = "NO RESULT";
        out.VerdictRed = true;
        // one line has room for the cause; what follows a colon only spells
        // out its consequence, which the verdict already says
        out.Ratios[0] = in.NoResultReason.substr(0, in.NoResultReason.find(": "));
        out.Red[0] = true;
        return out;
    }
    if (!in.WallStable) {
        out.Verdict = "NOT STABLE";
        out.VerdictRed = true;
        return out;
    }
    out.Verdict = "STABLE";

    const double halfBase = in.BaseWidth / 2.0;
    const double absE = std::fabs(static_cast<double>(in.Eccentricity));

    const bool anyResistanceFactor = in.FC > 0 || in.EP > 0 || in.RH > 0 || in.EX > 0 || in.RO > 0;
    if (anyResistanceFactor) {
        out.Ratios[0] = "[Resistance/load ratios:";
        out.Ratios[5] = "] ";
    }
    if (in.BE > 0) out.Ratios[1] = " bearing = " + Format(RatioShown(in.BearingResistanceRatio), "#0.#0");
    if (SlidingChecked(in.FC, in.EP, in.RH)) out.Ratios[2] = ", sliding = " + RatioText(in.SlidingResistanceRatio);

    // a centred resultant has no eccentricity to resist
    const bool centred = absE == 0.0;
    const double re = centred ? 0.0 : EccentricityCriterion(in.BaseWidth, in.EX) / absE;
    if (in.EX > 0) out.Ratios[3] = ", eccentricity = " + (centred ? std::string(Unbounded) : Format(RatioShown(re), "#0.#0"));
    if (in.RO > 0) out.Ratios[4] = ", rotation = " + RatioText(in.RotationResistanceRatio);

    const bool noBase = in.BaseWidth == 0;
    out.Ratios[5] += "[e = " + Format(in.Eccentricity, "#0.00") + " " + in.LengthUnit + " = " +
                     (noBase ? std::string(Unbounded) : Format(absE / halfBase, "0.0#")) + " \xBD" "B] [" +
                     (noBase ? std::string(Unbounded) : Format(in.BearingPressureWidth / in.BaseWidth * 100.0, "0.0#")) +
                     "%]";

    out.Red[1] = RatioFails(in.BearingResistanceRatio, RatioShownIn::StatusLine);
    out.Red[2] = RatioFails(in.SlidingResistanceRatio, RatioShownIn::StatusLine);
    out.Red[3] = !centred && RatioFails(re, RatioShownIn::StatusLine);
    out.Red[4] = RatioFails(in.RotationResistanceRatio, RatioShownIn::StatusLine);
    return out;
}

}  // namespace brindlemar
