#include "forms/DimensionEdit.h"

#include <algorithm>
#include <array>
#include <cfloat>

#include "forms/DialogEntries.h"
#include "model/Units.h"
#include "runtime/Format.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// The dimensions an edit may touch, worked on apart from the model so that
// an edit that cannot be stored leaves the model as it was.
struct Wall {
    float TL, FB, T, BB, HL, B;   // toe, front batter, stem top, back batter, heel, base width
    float Hf, dT, tT;             // front stem height, toe top drop, toe tip thickness
    float Hb, dH, tH;             // back stem height, heel top drop, heel end thickness
    float H;                      // wall height
    float slope;
    float wf, wb, enteredWf, enteredWb;
    float keyDepth, KT, KW, KH;   // shear key: depth, toe distance, width, heel distance
};

Wall Load(const Model& m) {
    return Wall{m.ToeLength,        m.StemFrontBatter,     m.StemTopThickness, m.StemBackBatter,
                m.HeelLength,       m.BaseWidth,           m.FrontStemHeight,  m.ToeTopDrop,
                m.ToeTipThickness,  m.BackStemHeight,      m.HeelTopDrop,      m.HeelEndThickness,
                m.WallHeight,       m.BackfillSlopeRatio,  m.FrontWaterDepth,  m.BackWaterDepth,
                m.EnteredFrontWaterDepth, m.EnteredBackWaterDepth, m.ShearKeyDepth,
                m.ShearKeyToeDistance, m.ShearKeyWidth, m.ShearKeyHeelDistance};
}

void Save(Model& m, const Wall& w) {
    m.ToeLength = w.TL;
    m.StemFrontBatter = w.FB;
    m.StemTopThickness = w.T;
    m.StemBackBatter = w.BB;
    m.HeelLength = w.HL;
    m.BaseWidth = w.B;
    m.FrontStemHeight = w.Hf;
    m.ToeTopDrop = w.dT;
    m.ToeTipThickness = w.tT;
    m.BackStemHeight = w.Hb;
    m.HeelTopDrop = w.dH;
    m.HeelEndThickness = w.tH;
    m.WallHeight = w.H;
    m.BackfillSlopeRatio = w.slope;
    m.FrontWaterDepth = w.wf;
    m.BackWaterDepth = w.wb;
    m.EnteredFrontWaterDepth = w.enteredWf;
    m.EnteredBackWaterDepth = w.enteredWb;
    m.ShearKeyDepth = w.keyDepth;
    m.ShearKeyToeDistance = w.KT;
    m.ShearKeyWidth = w.KW;
    m.ShearKeyHeelDistance = w.KH;
}

void Set(float& target, double value) { target = ToSingle(value); }

// What is left of a length after its other parts, which are known to fit:
// a rounding residue below 0 is 0.
void SetRemainder(float& target, double value) { target = ToSingle(std::max(value, 0.0)); }

double Sum(std::initializer_list<float> parts) {
    double s = 0;
    for (float p : parts) s += p;
    return s;
}

// One face of the wall after the wall height changed: its stem takes up the
// difference; when the stem would fall below its smallest height the first
// part (the top drop) gives way, then the second (the end thickness).
void FitFace(float H, float& stem, float& first, float& second) {
    Set(stem, double(H) - first - second);
    if (stem < MinimumStemHeight) {
        Set(stem, MinimumStemHeight);
        Set(first, double(H) - MinimumStemHeight - second);
        if (first < 0) {
            first = 0;
            Set(second, double(H) - MinimumStemHeight);
        }
    }
}

// One face after its drop or thickness `edited` was set within an unchanged
// wall height: the stem takes up the difference, then `yielding`, the other
// part of the same face; when even that is not enough the wall grows and the
// other face's stem grows with it.
void FitFaceKeepingHeight(float& H, float& stem, float edited, float& yielding, float& otherStem,
                          float otherDrop, float otherThickness) {
    Set(stem, double(H) - edited - yielding);
    if (stem < MinimumStemHeight) {
        Set(stem, MinimumStemHeight);
        Set(yielding, double(H) - MinimumStemHeight - edited);
        if (yielding < 0) {
            yielding = 0;
            Set(stem, double(H) - edited);
            if (stem < MinimumStemHeight) {
                Set(stem, MinimumStemHeight);
                Set(H, double(edited) + MinimumStemHeight + yielding);
                Set(otherStem, double(H) - otherDrop - otherThickness);
            }
        }
    }
}

void SumBaseWidth(Wall& w) { Set(w.B, Sum({w.TL, w.FB, w.T, w.BB, w.HL})); }

// The shear key back within the base: the toe distance takes up the
// difference, then the heel distance; a key wider than the base becomes as
// wide as the base.
void FitShearKey(Wall& w) {
    if (Sum({w.KW, w.KT, w.KH}) == w.B) return;
    Set(w.KT, double(w.B) - w.KW - w.KH);
    if (w.KT < 0) {
        w.KT = 0;
        Set(w.KH, double(w.B) - w.KW);
        if (w.KH < 0) {
            w.KH = 0;
            w.KW = w.B;
        }
    }
}

void Rebalance(Wall& w, int index, double v) {
    switch (index) {
    case ToeLengthLabel: Set(w.TL, v); SumBaseWidth(w); break;
    case StemFrontBatterLabel: Set(w.FB, v); SumBaseWidth(w); break;
    case StemTopThicknessLabel: Set(w.T, v); SumBaseWidth(w); break;
    case StemBackBatterLabel: Set(w.BB, v); SumBaseWidth(w); break;
    case HeelLengthLabel: Set(w.HL, v); SumBaseWidth(w); break;

    case BaseWidthLabel:
        // the toe gives way first, then the heel, the stem top and the front batter
        Set(w.B, v);
        Set(w.TL, double(w.B) - w.FB - w.T - w.BB - w.HL);
        if (w.TL < 0) {
            w.TL = 0;
            Set(w.HL, double(w.B) - w.FB - w.T - w.BB);
            if (w.HL < 0) {
                w.HL = 0;
                Set(w.T, double(w.B) - w.FB - w.BB);
                if (w.T < 0) {
                    w.T = 0;
                    Set(w.FB, double(w.B) - w.BB);
                    if (w.FB < 0) {
                        w.FB = 0;
                        w.BB = w.B;
                    }
                }
            }
        }
        break;

    case FrontStemHeightLabel:
        Set(w.Hf, std::max(v, MinimumStemHeight));
        Set(w.H, Sum({w.dT, w.Hf, w.tT}));
        FitFace(w.H, w.Hb, w.dH, w.tH);
        break;
    case ToeTopDropLabel:
        Set(w.dT, v);
        FitFaceKeepingHeight(w.H, w.Hf, w.dT, w.tT, w.Hb, w.dH, w.tH);
        break;
    case ToeTipThicknessLabel:
        Set(w.tT, v);
        FitFaceKeepingHeight(w.H, w.Hf, w.tT, w.dT, w.Hb, w.dH, w.tH);
        break;
    case BackStemHeightLabel:
        Set(w.Hb, std::max(v, MinimumStemHeight));
        Set(w.H, Sum({w.Hb, w.dH, w.tH}));
        FitFace(w.H, w.Hf, w.dT, w.tT);
        break;
    case HeelTopDropLabel:
        Set(w.dH, v);
        FitFaceKeepingHeight(w.H, w.Hb, w.dH, w.tH, w.Hf, w.dT, w.tT);
        break;
    case HeelEndThicknessLabel:
        Set(w.tH, v);
        FitFaceKeepingHeight(w.H, w.Hb, w.tH, w.dH, w.Hf, w.dT, w.tT);
        break;

    case FrontWaterDepthLabel: Set(w.wf, v); w.enteredWf = w.wf; break;
    case BackWaterDepthLabel: Set(w.wb, v); w.enteredWb = w.wb; break;
    case BackfillSlopeLabel: Set(w.slope, v); break;
    case ShearKeyDepthLabel: Set(w.keyDepth, v); break;

    case ShearKeyToeDistanceLabel:
        Set(w.KT, v);
        if (w.KT > double(w.B) - w.KW) Set(w.KT, double(w.B) - w.KW);
        SetRemainder(w.KH, double(w.B) - w.KT - w.KW);
        break;
    case ShearKeyWidthLabel:
        Set(w.KW, v);
        if (w.KW > w.B) w.KW = w.B;
        Set(w.KT, double(w.B) - w.KW - w.KH);
        if (w.KT < 0) {
            w.KT = 0;
            Set(w.KH, double(w.B) - w.KW);
        }
        break;
    case ShearKeyHeelDistanceLabel:
        Set(w.KH, v);
        if (w.KH > double(w.B) - w.KW) Set(w.KH, double(w.B) - w.KW);
        SetRemainder(w.KT, double(w.B) - w.KW - w.KH);
        break;

    case WallHeightLabel:
        Set(w.H, std::max(v, MinimumStemHeight));
        FitFace(w.H, w.Hf, w.dT, w.tT);
        FitFace(w.H, w.Hb, w.dH, w.tH);
        break;
    default: RaiseError(ErrSubscript);
    }
}

// What every accepted entry ends with, whichever dimension it changed.
void FollowWall(Wall& w, bool waterIncluded) {
    // a toe or heel without thickness has no length either
    if (Sum({w.dT, w.tT}) == 0) {
        w.TL = 0;
        SumBaseWidth(w);
    }
    if (Sum({w.dH, w.tH}) == 0) {
        w.HL = 0;
        SumBaseWidth(w);
    }

    // no water level below the underside of the base; without water both
    // levels of the analysis stand there, and the user's depths are kept
    // for when water is switched on again
    const double H = Sum({w.dT, w.Hf, w.tT});
    if (waterIncluded) {
        if (H < w.wf) Set(w.wf, H);
        w.enteredWf = w.wf;
        if (H < w.wb) Set(w.wb, H);
        w.enteredWb = w.wb;
    } else {
        Set(w.wf, H);
        Set(w.wb, H);
    }

    FitShearKey(w);
}

}  // namespace

float DimensionValue(const Model& m, int index) {
    return m.*DimensionValues[static_cast<std::size_t>(CheckedIndex(index, 0, DimensionLabelCount - 1))].Variable;
}

std::string DimensionCaption(const Model& m, int index) { return Format(DimensionValue(m, index), "#0.#0"); }

namespace {
std::string DimensionName(int index) {
    return index >= 0 && index < DimensionLabelCount ? DimensionValues[static_cast<std::size_t>(index)].Name : "Value";
}
}  // namespace

std::string DimensionSubject(const Model& m, int index) {
    // the slope reads 1 : n, n the horizontal run per unit of rise
    if (index == BackfillSlopeLabel) return DimensionName(index) + " (horizontal per 1 vertical)";
    return DimensionName(index) + " (" + m.LengthUnitLabels[static_cast<std::size_t>(UnitSystemIndex(m))] + ")";
}

void StoreDimension(Model& m, int index, float v) {
    Wall w = Load(m);
    Rebalance(w, index, v);
    FollowWall(w, m.WaterIncluded != 0);
    Save(m, w);
    m.ProjectModified = True;
}

bool EditDimension(Model& m, int index, const std::function<void(const std::string& refusal)>& showPopUp) {
    const double shown = Val(DimensionCaption(m, index));
    const EntryRule rule = DimensionValues[static_cast<std::size_t>(CheckedIndex(index, 0, DimensionLabelCount - 1))].Rule;
    // the pop-up takes any number; what the label's rule refuses opens it again
    const auto taken = [&m, rule] {
        const double v = std::clamp(Val(m.EditValueText), -double(FLT_MAX), double(FLT_MAX));
        return KeepsRule(rule, static_cast<float>(v));
    };
    bool stored = false;
    std::string refusal;
    m.DialogCancelled = False;
    do {
        m.EditValueText = GeneralNumber(static_cast<float>(shown));
        showPopUp(refusal);
        // Cancel always leaves, also while the label shows a value its rule refuses
        if (m.DialogCancelled != 0) break;
        refusal = EntryRefusal(rule, m.EditValueText, DimensionName(index));
        if (!taken()) Beep();
    } while (!taken());
    if (m.DialogCancelled == 0) {
        // the stored value is the entry as the label shows it, to two decimals
        const double v = Val(Format(Val(m.EditValueText), "#0.#0"));
        try {
            StoreDimension(m, index, ToSingle(v));
            stored = true;
        } catch (const RuntimeError& e) {
            MsgBox(e.Description, vbExclamation, ProductName);
        }
    }
    m.DialogCancelled = False;
    return stored;
}

}  // namespace brindlemar
