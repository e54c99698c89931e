#include "FileTestSupport.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>
#include <fstream>
#include <iterator>

#include "model/Initialise.h"

namespace brindlemar::test {

std::unique_ptr<Model> BuiltInModel(const std::string& programDirectory) {
    auto m = std::make_unique<Model>();
    m->ProgramDirectory = programDirectory;
    InitialiseProject(*m);
    return m;
}

#define SAME(member) EXPECT_EQ(a.member, b.member) << #member
#define SAME_RECORD(member) EXPECT_TRUE(a.member == b.member) << #member
#define SAME_RECORDS(member)                                                \
    for (std::size_t i = 0; i < a.member.size(); ++i)                       \
    EXPECT_TRUE(a.member[i] == b.member[i]) << #member "[" << i << "]"
#define SAME_ARRAY(member)                                                  \
    for (std::size_t i = 0; i < a.member.size(); ++i)                       \
    EXPECT_EQ(a.member[i], b.member[i]) << #member "[" << i << "]"

void ExpectSameFileState(const Model& a, const Model& b) {
    SAME(CurrentUnitSystem);
    SAME(GravityAcceleration);
    SAME(ProjectTitle);
    SAME(ProjectModified);
    SAME(StoredResultsMarker);
    SAME(ToeLength);
    SAME(StemFrontBatter);
    SAME(StemTopThickness);
    SAME(StemBackBatter);
    SAME(HeelLength);
    SAME(BaseWidth);
    SAME(FrontStemHeight);
    SAME(ToeTopDrop);
    SAME(ToeTipThickness);
    SAME(BackStemHeight);
    SAME(HeelTopDrop);
    SAME(HeelEndThickness);
    SAME(WallHeight);
    SAME(BackfillSlopeRatio);
    SAME(WaterIncluded);
    SAME(EnteredFrontWaterDepth);
    SAME(EnteredBackWaterDepth);
    SAME(FrontWaterDepth);
    SAME(BackWaterDepth);
    SAME(SeismicIncluded);
    SAME(EnteredSeismicCoefficient);
    SAME(AppliedSeismicCoefficient);
    SAME(BackfillSurcharge);
    SAME(SurchargeLoadType);
    SAME(LineLoadCount);
    SAME_RECORDS(LineLoads);
    SAME(ConcreteUnitWeight);
    SAME(ConcreteCompressiveStress);
    SAME(ConcreteElasticityModulus);
    SAME(ConcretePoissonRatio);
    SAME(RebarYieldStress);
    SAME(RebarElasticityModulus);
    SAME(ConcreteCover);
    SAME(WaterUnitWeight);
    SAME(BackfillUnitWeight);
    SAME(BackfillDryDensity);
    SAME(BackfillSaturatedDensity);
    SAME(BackfillFrictionAngle);
    SAME(BackfillCohesion);
    SAME(EarthToEarthFrictionAngle);
    SAME(ConcreteToEarthFrictionAngle);
    SAME(ToeEarthUnitWeight);
    SAME(ToeEarthDryDensity);
    SAME(ToeEarthSaturatedDensity);
    SAME(ToeEarthFrictionAngle);
    SAME(ToeEarthCohesion);
    SAME(BaseFrictionAngle);
    SAME(BaseCohesion);
    SAME(NominalBearingResistance);
    SAME(BaseElasticityModulus);
    SAME(BaseUnitWeight);
    SAME(MinimumFluidDensity);
    SAME(MinimumFluidDensityEnabled);
    SAME(BaseSptBlowCount);
    SAME(BaseCptTipResistance);
    SAME(BaseMaterialOption);
    SAME(EarthPressureOption);
    SAME(KaSource);
    SAME(EnteredKa);
    SAME(KaeSource);
    SAME(EnteredKae);
    SAME(KpSource);
    SAME(EnteredKp);
    SAME(BearingResistanceMethod);
    SAME(PassiveToePressureIncluded);
    SAME(AdjacentStructureIncluded);
    SAME(AdjacentStructureCapacity);
    SAME(AdjacentStructurePosition);
    SAME(ShearKeyIncluded);
    SAME(ShearKeyDepth);
    SAME(ShearKeyWidth);
    SAME(ShearKeyToeDistance);
    SAME(ShearKeyHeelDistance);
    SAME_RECORD(CurrentLoadCombination);
    SAME_RECORDS(CombinationSets);
    SAME(CombinationSetCount);
    SAME(ActiveCombinationSet);
    SAME(CurrentCombination);
    SAME(PageMarginLeft);
    SAME(PageMarginRight);
    SAME(PageMarginTop);
    SAME(PageMarginBottom);
    SAME_ARRAY(FooterTexts);
    SAME(ReportFontName);
    SAME(ReportFontSize);
    SAME(LegacySurchargeLoadType);
    SAME(LegacyLineLoadCount);
    SAME_RECORDS(LegacyLineLoads);
    SAME(LegacyProjectFlag);
    SAME(ReservedFileInteger);
    SAME(ReinforcementDesignMethod);
    SAME(UpperStemLength);
    SAME_ARRAY(UserBarDiameters);
    SAME_ARRAY(UserBarSpacings);
    SAME_ARRAY(NodeXCoordinates);
    SAME_ARRAY(NodeYCoordinates);
}

#undef SAME
#undef SAME_ARRAY
#undef SAME_RECORD
#undef SAME_RECORDS

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::set<std::string> NamesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

void PatchInteger(std::string& bytes, std::size_t offset, int16_t value) {
    const auto u = static_cast<uint16_t>(value);
    bytes.at(offset) = static_cast<char>(u & 0xFF);
    bytes.at(offset + 1) = static_cast<char>(u >> 8);
}

void PatchSingle(std::string& bytes, std::size_t offset, float value) {
    uint32_t u;
    std::memcpy(&u, &value, 4);
    for (std::size_t i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<char>((u >> (8 * i)) & 0xFF);
}

int InChildProcess(bool asNobody, rlim_t sizeLimit, const std::function<int()>& body,
                   const std::vector<gid_t>& groups) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        if (asNobody && ::geteuid() == 0 &&
            (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
            ::_exit(CannotDrop);
        if (sizeLimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{sizeLimit, sizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(CannotDrop);
        }
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

}  // namespace brindlemar::test
