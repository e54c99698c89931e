#include "forms/LoadsWorkingCopy.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "analysis/BackfillPressure.h"
#include "analysis/Coefficients.h"
#include "analysis/SectionStations.h"
#include "analysis/WaterPressure.h"
#include "forms/DialogEntries.h"
#include "forms/PropertiesForm.h"
#include "runtime/Format.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

bool FitsSingle(double x) {
    return std::isfinite(x) && std::fabs(x) <= static_cast<double>(std::numeric_limits<float>::max());
}

// A stored Single as Accept reads it; callers checked that it fits.
float SingleOf(const std::string& text) {
    const std::optional<float> value = SingleOfText(text);
    return value ? *value : 0.0f;
}

// no value when the coefficient routine refuses the angles
template <class Compute>
std::string CoefficientText(Compute compute) {
    try {
        return Format(compute(), "0.#0");
    } catch (const RuntimeError&) {
        return NoCoefficientText;
    }
}

}  // namespace

// ---- texts ----------------------------------------------------------------------

std::string LoadTypeText(const FactorDefinition& factors, int k) {
    if (k < 0 || k > MaxFactorCount) return {};
    return factors.FactorCode[static_cast<size_t>(k)] + " - " + factors.FactorName[static_cast<size_t>(k)];
}

int16_t LoadTypeOfText(const FactorDefinition& factors, const std::string& text, int16_t previous) {
    for (int16_t k = DL; k <= IC; ++k) {
        const std::string& code = factors.FactorCode[static_cast<size_t>(k)];
        if (!code.empty() && text.compare(0, code.size(), code) == 0) return k;
    }
    return previous;
}

namespace {
std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
}  // namespace

int16_t TypedLoadType(const FactorDefinition& factors, const std::string& text) {
    const std::string typed = Upper(Trimmed(text));
    if (typed.empty()) return 0;
    int16_t begun = 0, begunCount = 0;
    for (int16_t k = DL; k <= IC; ++k) {
        const std::string code = Upper(factors.FactorCode[static_cast<size_t>(k)]);
        if (!code.empty() && typed.compare(0, code.size(), code) == 0 &&
            (typed.size() == code.size() || !std::isalnum(static_cast<unsigned char>(typed[code.size()]))))
            return k;
        if (typed == Upper(factors.FactorName[static_cast<size_t>(k)])) return k;
        if (code.compare(0, typed.size(), typed) == 0) begun = k, ++begunCount;
    }
    return begunCount == 1 ? begun : int16_t{0};
}

std::string LoadTypeRefusal(const FactorDefinition& factors, const std::string& text) {
    if (TypedLoadType(factors, text) != 0) return "";
    std::string codes;
    for (int k = DL; k <= IC; ++k) codes += (k == DL ? "" : k == IC ? " or " : ", ") + factors.FactorCode[static_cast<size_t>(k)];
    const std::string typed = Trimmed(text);
    return (typed.empty() ? std::string("Type a load type") : "\"" + typed + "\" is no load type") + ": type " + codes +
           " or press F2 to choose it from the list";
}

std::string FactorSummaryText(float factor) { return Format(factor, "0.00;-0.00;--"); }

std::optional<float> SingleOfText(const std::string& text) {
    const double value = Val(text);
    if (!FitsSingle(value)) return std::nullopt;
    return static_cast<float>(value);
}

std::string LoadsOffTheWallNote(const Model& m, const LineLoadTable& loads, int16_t loadCount) {
    std::vector<int> inFront, beyond;
    for (int i = 1; i <= std::clamp<int>(loadCount, 0, MaxLineLoads); ++i) {
        const float x = loads[static_cast<size_t>(i)].X;
        if (!AtMost(m, 0, x)) inFront.push_back(i);
        if (!AtMost(m, x, m.BaseWidth)) beyond.push_back(i);
    }
    // "Load 3 stands ...: it is ...", "Loads 1, 4 and 5 stand ...: they are ..."
    auto sentence = [](const std::vector<int>& numbers, const char* where) {
        std::string text;
        for (size_t k = 0; k < numbers.size(); ++k)
            text += (k == 0 ? "" : k + 1 == numbers.size() ? " and " : ", ") + std::to_string(numbers[k]);
        if (numbers.size() == 1) return "Load " + text + " stands " + where + ": it is counted as a load on the wall";
        return "Loads " + text + " stand " + where + ": they are counted as loads on the wall";
    };
    std::vector<std::string> lines;
    if (!inFront.empty()) lines.push_back(sentence(inFront, "in front of the toe"));
    if (!beyond.empty()) lines.push_back(sentence(beyond, "beyond the heel"));
    return lines.empty() ? "" : lines.size() == 1 ? lines[0] : lines[0] + "\n" + lines[1];
}

// ---- coefficients ---------------------------------------------------------------------

std::string ActiveCoefficientText(const Model& m, bool atRest, float kh) {
    const BackfillAngles a = CheckedBackfillAngles(m, kh).Angles;
    return CoefficientText([&] {
        return atRest ? AtRestCoefficient(a.phi, a.beta) : CoulombActiveCoefficient(a.phi, 0, a.beta, a.delta);
    });
}

std::string SeismicCoefficientText(const Model& m, float kh) {
    const BackfillAngles a = CheckedBackfillAngles(m, kh).Angles;
    return CoefficientText([&] { return MononobeOkabeCoefficient(a.phi, 0, a.beta, a.delta, kh); });
}

std::string PassiveCoefficientText(const Model& m) {
    // the toe earth against the concrete of the toe, level in front of the wall
    return CoefficientText([&] { return ComputedPassiveCoefficient(m); });
}

// ---- working copy of the sets ---------------------------------------------------------

void CopyCombinationSetsToWorkingCopy(Model& m) {
    const int count = std::clamp<int>(m.CombinationSetCount, 0, MaxCombinationSets);
    m.WorkingCombinationSetCount = static_cast<int16_t>(count);
    for (int slot = 0; slot <= count; ++slot) m.WorkingCombinationSets[slot] = m.CombinationSets[slot];
    m.WorkingCurrentCombination = m.CurrentCombination;
    m.WorkingActiveCombinationSet = m.ActiveCombinationSet;
}

bool AddWorkingCombinationSet(Model& m) {
    if (m.WorkingCombinationSetCount >= MaxCombinationSets) return false;
    ++m.WorkingCombinationSetCount;
    CombinationSet& set = m.WorkingCombinationSets[m.WorkingCombinationSetCount - 1];
    // a name the list and the summary show, and no other set has
    set.Name.clear();
    for (int n = 1; set.Name.empty(); ++n) {
        const std::string name = "New set " + std::to_string(n);
        bool used = false;
        for (int s = 1; s < m.WorkingCombinationSetCount - 1; ++s) used = used || m.WorkingCombinationSets[s].Name == name;
        if (!used) set.Name = name;
    }
    set.Comment.clear();
    set.CombinationCount = 1;
    set.Factors = m.CurrentFactorDefinition;
    for (int j = 0; j <= 1; ++j) {
        LoadCombination& combination = set.Combinations[j];
        combination.Name.clear();
        combination.Factor.fill(1.0f);
        // the eccentricity limit is a fraction of the base width: 0 until chosen
        combination.Factor[EX] = 0.0f;
    }
    return true;
}

bool DeleteWorkingCombinationSet(Model& m, int slot) {
    const int count = m.WorkingCombinationSetCount;
    if (count < 3 || slot < 1 || slot > count - 1) return false;
    for (int s = slot; s < count - 1; ++s) m.WorkingCombinationSets[s] = std::move(m.WorkingCombinationSets[s + 1]);
    m.WorkingCombinationSetCount = static_cast<int16_t>(count - 1);
    if (m.WorkingActiveCombinationSet > slot) --m.WorkingActiveCombinationSet;
    // the summary's set was the last one: the new last set takes its place
    m.WorkingActiveCombinationSet =
        static_cast<int16_t>(std::clamp<int>(m.WorkingActiveCombinationSet, 1, m.WorkingCombinationSetCount - 1));
    return true;
}

bool MoveWorkingCombinationSet(Model& m, int slot, int direction) {
    const int other = slot + direction;
    const int last = m.WorkingCombinationSetCount - 1;
    if ((direction != -1 && direction != 1) || slot < 1 || slot > last || other < 1 || other > last) return false;
    std::swap(m.WorkingCombinationSets[slot], m.WorkingCombinationSets[other]);
    if (m.WorkingActiveCombinationSet == slot)
        m.WorkingActiveCombinationSet = static_cast<int16_t>(other);
    else if (m.WorkingActiveCombinationSet == other)
        m.WorkingActiveCombinationSet = static_cast<int16_t>(slot);
    return true;
}

bool AppendWorkingCombinationSets(Model& m, const std::array<CombinationSet, 51>& fileSets, int16_t fileCount) {
    if (fileCount < 0 || m.WorkingCombinationSetCount + fileCount > MaxCombinationSets) return false;
    // the file's slot 0 is its hidden set: only its own sets come across
    for (int s = 1; s < fileCount; ++s) {
        ++m.WorkingCombinationSetCount;
        m.WorkingCombinationSets[m.WorkingCombinationSetCount - 1] = fileSets[s];
    }
    return true;
}

// ---- Accept ---------------------------------------------------------------------------

const LoadOptionBox& LoadOptionBoxAt(int index) {
    static const std::array<LoadOptionBox, LoadOptionBoxCount> boxes = [] {
        std::array<LoadOptionBox, LoadOptionBoxCount> named{};
        for (std::size_t i = 0; i < named.size(); ++i) named[i] = {LoadOptionValues[i].Name, LoadOptionValues[i].Rule};
        return named;
    }();
    return boxes[static_cast<size_t>(CheckedIndex(index, 0, LoadOptionBoxCount - 1))];
}

const std::string& LoadOptionText(const LoadOptionControls& c, int index) {
    const std::array<const std::string*, 6> single{&c.Surcharge, &c.Seismic, &c.Ka, &c.Kae, &c.Kp, &c.MinFluid};
    const int i = static_cast<int>(CheckedIndex(index, 0, LoadOptionBoxCount - 1));
    if (i < 6) return *single[static_cast<size_t>(i)];
    if (i < 12) return c.Resist[static_cast<size_t>(i - 6)];
    return c.Value[static_cast<size_t>(i - 12)];
}

std::string& LoadOptionText(LoadOptionControls& c, int index) {
    return const_cast<std::string&>(LoadOptionText(std::as_const(c), index));
}

std::optional<std::string> OversizedLoadOption(const LoadOptionControls& c, const LineLoadTable& loads,
                                               int16_t loadCount) {
    for (int i = 0; i < LoadOptionBoxCount; ++i)
        if (!SingleOfText(LoadOptionText(c, i))) return LoadOptionBoxAt(i).Name;
    // the grid keeps only numbers that fit, but a load copied whole must too
    for (int i = 1; i <= std::min<int>(loadCount, MaxLineLoads); ++i)
        for (float v : {loads[i].Value, loads[i].X, loads[i].Y, loads[i].Direction})
            if (!std::isfinite(v)) return "Line loads on wall";
    return std::nullopt;
}

void StoreLoadOptions(Model& m, const LoadOptionControls& c, const LineLoadTable& loads, int16_t loadCount) {
    loadCount = static_cast<int16_t>(std::clamp<int>(loadCount, 0, MaxLineLoads));

    // A box still showing the text it opened with keeps its stored value: the
    // general number form holds 7 digits, and a value converted between unit
    // systems may need more to read back exactly.
    // systems may need more to read back exactly. A box of a quantity shows
    // it rounded to its unit (LoadOptionEntryText).
    const int u = m.CurrentUnitSystem;
    auto valueOf = [u](const std::string& text, float stored, std::optional<Quantity> q = std::nullopt) {
        return text == EntryText(stored, q, u) ? stored : SingleOf(text);
    };
    // compare: any difference outside the sets' contents modifies the project
    bool changed = false;
    auto single = [&](const std::string& text, float stored, std::optional<Quantity> q = std::nullopt) {
        changed |= valueOf(text, stored, q) != stored;
    };
    // a box without a coefficient to show keeps the value entered before
    auto coefficientOf = [&](const std::string& text, float stored) {
        return text == NoCoefficientText ? stored : valueOf(text, stored);
    };
    // a computed coefficient is stored over the entered one, but while it is
    // computed the entered value takes no part in any result
    auto coefficient = [&](int source, const std::string& text, float stored) {
        if (source != 0) changed |= coefficientOf(text, stored) != stored;
    };
    auto option = [&](int selected, int stored) { changed |= selected != stored; };
    single(c.Surcharge, m.BackfillSurcharge, Quantity::Pressure);
    single(c.Seismic, m.EnteredSeismicCoefficient);
    single(c.Resist[0], m.NominalBearingResistance, Quantity::Stress);
    single(c.Resist[1], m.BaseFrictionAngle);
    single(c.Resist[2], m.BaseCohesion, Quantity::Stress);
    single(c.Resist[3], m.BaseSptBlowCount);
    single(c.Resist[4], m.BaseCptTipResistance, Quantity::Stress);
    single(c.Resist[5], m.BaseUnitWeight, Quantity::UnitWeight);
    single(c.Value[0], m.AdjacentStructureCapacity, Quantity::ForcePerLength);
    single(c.Value[2], m.AdjacentStructurePosition, Quantity::Length);
    single(c.Value[1], m.ShearKeyDepth, Quantity::Length);
    coefficient(c.KaSource, c.Ka, m.EnteredKa);
    coefficient(c.KaeSource, c.Kae, m.EnteredKae);
    coefficient(c.KpSource, c.Kp, m.EnteredKp);
    single(c.MinFluid, m.MinimumFluidDensity, Quantity::UnitWeight);
    if (c.SurchargeTypeIndex >= 0) option(c.SurchargeTypeIndex + 1, m.SurchargeLoadType);
    changed |= loadCount != m.LineLoadCount;
    for (int i = 1; i <= std::min<int>(m.LineLoadCount, loadCount); ++i) changed |= !(loads[i] == m.LineLoads[i]);
    if (c.BearingMethod >= 0) option(c.BearingMethod, m.BearingResistanceMethod);
    option(c.EarthPressureOption, m.EarthPressureOption);
    option(c.BaseMaterialOption, m.BaseMaterialOption);
    option(c.KaSource, m.KaSource);
    option(c.KaeSource, m.KaeSource);
    option(c.KpSource, m.KpSource);
    option(c.Check[0], m.PassiveToePressureIncluded);
    option(c.Check[1], m.AdjacentStructureIncluded);
    option(c.Check[2], m.ShearKeyIncluded);
    option(c.MinFluidEnabled, m.MinimumFluidDensityEnabled);
    option(m.WorkingCombinationSetCount, m.CombinationSetCount);
    option(m.WorkingCurrentCombination, m.CurrentCombination);
    option(m.WorkingActiveCombinationSet, m.ActiveCombinationSet);
    if (changed) m.ProjectModified = True;

    // store every control, changed or not
    m.BackfillSurcharge = valueOf(c.Surcharge, m.BackfillSurcharge, Quantity::Pressure);
    // with no type chosen the surcharge keeps its type rather than take none
    if (c.SurchargeTypeIndex >= 0) m.SurchargeLoadType = static_cast<int16_t>(c.SurchargeTypeIndex + 1);
    m.EnteredSeismicCoefficient = valueOf(c.Seismic, m.EnteredSeismicCoefficient);
    m.LineLoadCount = loadCount;
    for (int i = 1; i <= loadCount; ++i) m.LineLoads[i] = loads[i];
    m.EarthPressureOption = static_cast<int16_t>(c.EarthPressureOption);
    m.KaSource = static_cast<int16_t>(c.KaSource);
    m.KaeSource = static_cast<int16_t>(c.KaeSource);
    m.KpSource = static_cast<int16_t>(c.KpSource);
    m.EnteredKa = coefficientOf(c.Ka, m.EnteredKa);
    m.EnteredKae = coefficientOf(c.Kae, m.EnteredKae);
    m.EnteredKp = coefficientOf(c.Kp, m.EnteredKp);
    m.MinimumFluidDensity = valueOf(c.MinFluid, m.MinimumFluidDensity, Quantity::UnitWeight);
    m.MinimumFluidDensityEnabled = static_cast<int16_t>(c.MinFluidEnabled);
    m.NominalBearingResistance = valueOf(c.Resist[0], m.NominalBearingResistance, Quantity::Stress);
    m.BaseFrictionAngle = valueOf(c.Resist[1], m.BaseFrictionAngle);
    m.BaseCohesion = valueOf(c.Resist[2], m.BaseCohesion, Quantity::Stress);
    m.BaseMaterialOption = static_cast<int16_t>(c.BaseMaterialOption);
    if (c.BearingMethod >= 0) m.BearingResistanceMethod = static_cast<int16_t>(c.BearingMethod);
    m.BaseSptBlowCount = valueOf(c.Resist[3], m.BaseSptBlowCount);
    m.BaseCptTipResistance = valueOf(c.Resist[4], m.BaseCptTipResistance, Quantity::Stress);
    m.BaseUnitWeight = valueOf(c.Resist[5], m.BaseUnitWeight, Quantity::UnitWeight);
    m.AdjacentStructureCapacity = valueOf(c.Value[0], m.AdjacentStructureCapacity, Quantity::ForcePerLength);
    m.AdjacentStructurePosition = valueOf(c.Value[2], m.AdjacentStructurePosition, Quantity::Length);
    m.ShearKeyDepth = valueOf(c.Value[1], m.ShearKeyDepth, Quantity::Length);
    m.PassiveToePressureIncluded = static_cast<int16_t>(c.Check[0]);
    m.AdjacentStructureIncluded = static_cast<int16_t>(c.Check[1]);
    m.ShearKeyIncluded = static_cast<int16_t>(c.Check[2]);
    // the sets go back from slot 1 (slot 0, the hidden set, is the program's)
    // to the spare slot after the last one
    const int count = std::clamp<int>(m.WorkingCombinationSetCount, 1, MaxCombinationSets);
    m.CombinationSetCount = static_cast<int16_t>(count);
    for (int slot = 1; slot <= count; ++slot) m.CombinationSets[slot] = m.WorkingCombinationSets[slot];
    m.CurrentCombination = m.WorkingCurrentCombination;
    m.ActiveCombinationSet = m.WorkingActiveCombinationSet;
}

}  // namespace brindlemar
