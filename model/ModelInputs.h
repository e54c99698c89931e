#pragma once
// What the user enters and the project file keeps: program-wide values,
// geometry, water and seismic loading (with the depths and coefficient in
// use that the file holds beside them), surcharge and line loads, materials,
// options, restraints, combination sets, report page settings and drawing
// colours.

#include <array>
#include <cstdint>
#include <string>

#include "model/Enums.h"

namespace brindlemar {

using UnitLabelTable = std::array<std::string, 4>;

struct FactorDefinition {
    std::array<std::string, 22> FactorName{};
    std::array<std::string, 22> FactorCode{};
    bool operator==(const FactorDefinition&) const = default;
};

struct LoadCombination {
    std::string Name;
    std::array<float, 22> Factor{};
    bool operator==(const LoadCombination&) const = default;
};

struct CombinationSet {
    std::string Name;
    std::array<LoadCombination, 51> Combinations{};
    int16_t CombinationCount = 0;
    FactorDefinition Factors;
    std::string Comment;
    bool operator==(const CombinationSet&) const = default;
};

struct LineLoad {
    float Value = 0;
    float X = 0;
    float Y = 0;
    float Direction = 0;
    int16_t LoadType = 0;
    bool operator==(const LineLoad&) const = default;
};

struct ModelInputs {
    // unit systems and unit-label tables
    int16_t CurrentUnitSystem = Metric;
    int16_t PreviousUnitSystem = Metric;
    UnitLabelTable ForceUnitLabels, UnitWeightUnitLabels, LengthUnitLabels, SectionUnitLabels,
        BarUnitLabels, StressUnitLabels, PressureUnitLabels, VolumeUnitLabels, ModulusUnitLabels,
        AngleUnitLabels;

    // program-wide values
    std::string ProgramVersion;
    std::string VersionDate;
    std::string DefaultsFilePath;
    std::string FactorFileDirectory;
    std::string FileTypeTitle;
    float GravityAcceleration = 9.81f;
    std::string ProjectTitle;

    // the project file's marker of stored results
    int16_t StoredResultsMarker = -1;

    // wall geometry (length unit)
    float ToeLength = 0, StemFrontBatter = 0, StemTopThickness = 0, StemBackBatter = 0,
          HeelLength = 0, BaseWidth = 0;
    float FrontStemHeight = 0, ToeTopDrop = 0, ToeTipThickness = 0;
    float BackStemHeight = 0, HeelTopDrop = 0, HeelEndThickness = 0;
    float WallHeight = 0;
    float BackfillSlopeRatio = 0;

    // water and seismic loading
    int16_t WaterIncluded = 0;
    float EnteredFrontWaterDepth = 0, EnteredBackWaterDepth = 0;
    float FrontWaterDepth = 0, BackWaterDepth = 0;
    int16_t SeismicIncluded = 0;
    float EnteredSeismicCoefficient = 0, AppliedSeismicCoefficient = 0;

    // surcharge and line loads
    float BackfillSurcharge = 0;
    int16_t SurchargeLoadType = ES;
    int16_t LineLoadCount = 0;
    std::array<LineLoad, 51> LineLoads{};

    // materials
    float ConcreteUnitWeight = 0, ConcreteCompressiveStress = 0, ConcreteElasticityModulus = 0,
          ConcretePoissonRatio = 0, RebarYieldStress = 0, RebarElasticityModulus = 0,
          ConcreteCover = 0;
    float WaterUnitWeight = 0;
    float BackfillUnitWeight = 0, BackfillDryDensity = 0, BackfillSaturatedDensity = 0,
          BackfillFrictionAngle = 0, BackfillCohesion = 0;
    float EarthToEarthFrictionAngle = 0, ConcreteToEarthFrictionAngle = 0;
    float ToeEarthUnitWeight = 0, ToeEarthDryDensity = 0, ToeEarthSaturatedDensity = 0,
          ToeEarthFrictionAngle = 0, ToeEarthCohesion = 0;
    float BaseFrictionAngle = 0, BaseCohesion = 0, NominalBearingResistance = 0,
          BaseElasticityModulus = 0, BaseUnitWeight = 0;
    float MinimumFluidDensity = 0;
    int16_t MinimumFluidDensityEnabled = 0;
    float BaseSptBlowCount = 0, BaseCptTipResistance = 0;

    // options
    int16_t BaseMaterialOption = Rock;
    int16_t EarthPressureOption = Active;
    int16_t KaSource = Computed;
    float EnteredKa = 0;
    int16_t KaeSource = Computed;
    float EnteredKae = 0;
    int16_t KpSource = Computed;
    float EnteredKp = 0;
    int16_t BearingResistanceMethod = NominalBearing;
    int16_t ShowWeightResultants = 1;

    // sliding restraints and shear key
    int16_t PassiveToePressureIncluded = 0;
    int16_t AdjacentStructureIncluded = 0;
    float AdjacentStructureCapacity = 0, AdjacentStructurePosition = 0;
    int16_t ShearKeyIncluded = 0;
    float ShearKeyDepth = 0, ShearKeyWidth = 0, ShearKeyToeDistance = 0, ShearKeyHeelDistance = 0;

    // factors and combination sets
    int16_t FactorCount = 21;
    FactorDefinition CurrentFactorDefinition;
    LoadCombination CurrentLoadCombination;
    std::array<CombinationSet, 51> CombinationSets{};
    int16_t CombinationSetCount = 0;
    int16_t ActiveCombinationSet = 0;
    int16_t CurrentCombination = 0;

    // report page settings (millimetres, points)
    int16_t PageMarginLeft = 25, PageMarginRight = 20, PageMarginTop = 20, PageMarginBottom = 20;
    std::array<std::string, 4> FooterTexts{};
    std::string ReportFontName;
    float ReportFontSize = 10;
    // fonts chosen at start-up among those the printer offers
    std::string TextFontName, TitleFontName, SymbolFontName;

    // drawing colours (RGB, red in the low byte)
    int32_t DimensionLineColour = 0, DimensionTextColour = 0, CaptionColour = 0,
            BackfillColour = 0, GroundColour = 0, WaterColour = 0, OutlineColour = 0,
            ConcreteColour = 0, RestraintColour = 0, LoadColour = 0, LoadLabelColour = 0,
            ResistanceColour = 0, ResistanceLabelColour = 0;
    std::array<int32_t, 2> DiagramColours{};
    std::array<int32_t, 2> DiagramTextColours{};
    int32_t FactorTableGridColour = 0, FactorTableTextColour = 0;

    // kept for project files only: written and read back
    int16_t LegacySurchargeLoadType = 0;
    int16_t LegacyLineLoadCount = 0;
    std::array<LineLoad, 51> LegacyLineLoads{};
    int16_t LegacyProjectFlag = 0;
    int16_t ReservedFileInteger = 0;

    bool operator==(const ModelInputs&) const = default;
};

}  // namespace brindlemar
