#pragma once
// Builds project files of any version byte by byte from the published
// layout, independently of the program's own writer, so that the readers can
// be tried on files of versions the program no longer writes (1.x, 2.00 to
// 2.50) and on files damaged on purpose. Every named field's byte offset is
// recorded, so a test can patch one field of a valid file.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace brindlemar::test {

struct BuiltLoad {
    float Value = 0, X = 0, Y = 0, Direction = 0;
    int16_t Type = 1;
};

struct BuiltCombination {
    std::string Name;
    std::array<float, 22> Factor{};
};

struct BuiltSet {
    std::string Name;
    std::vector<BuiltCombination> Combinations;  // written into 51 slots
    int16_t CombinationCount = -1;               // -1: the number given
    std::string Comment;
};

class ByteWriter {
public:
    void Integer(int16_t v);
    void Single(float v);
    void Text(const std::string& s);
    // records the offset of the next field under `name`
    void Mark(const std::string& name) { Offsets[name] = Bytes.size(); }

    std::string Bytes;
    std::map<std::string, std::size_t> Offsets;
};

// Writes the set table as the files carry it: count, then slots 0 to count.
void WriteBuiltSets(ByteWriter& w, const std::vector<BuiltSet>& sets, int16_t count = -1);
BuiltSet StandardSet(const std::string& name, int combinations);

struct ProjectFileBuilder {
    std::string Version = "2.60";
    int16_t Marker = -2;

    // block A, the old-format block
    std::array<int16_t, 4> Margins{25, 20, 20, 20};
    std::array<std::string, 3> Footers{"&File", "&Date &Time", "Page &Page of &NPages"};
    std::string FontName = "Arial";
    float FontSize = 10;
    std::string Title = "Quay wall";
    int16_t UnitSystem = 0;
    // toe, front batter, top thickness, back batter, heel, base width, front
    // stem height, toe top drop, toe tip thickness, back stem height, heel top
    // drop, heel end thickness
    std::array<float, 12> Geometry{2.0f, 0.5f, 0.83f, 0.5f, 3.37f, 7.2f, 8.0f, 1.0f, 1.0f, 7.73f, 1.0f, 1.27f};
    float SlopeRatio = 5;
    float FrontWater = 5, BackWater = 1.5f;
    // concrete unit weight ... rebar modulus
    std::array<float, 6> Concrete{2.4f, 280, 2.5f, 0.2f, 4200, 20};
    float OldCover = 5;
    // water unit weight ... concrete-to-earth friction angle
    std::array<float, 12> Materials{1, 1.7f, 1.6f, 2.0f, 30, 0, 32, 0.5f, 40, 1.5f, 28, 17};
    float Surcharge = 1.5f;
    int16_t OldSurchargeType = 2;
    float Seismic = 0.15f;
    int16_t OldFlag = -1;
    std::vector<BuiltLoad> OldLoads;
    int16_t OldLoadCount = -1;  // -1: the number given
    std::array<float, 6> OldDiameters{1.2f, 1.6f, 2.0f, 2.5f, 1.0f, 1.2f};
    std::array<float, 6> OldSpacings{20, 25, 30, 15, 20, 25};

    // block B
    std::string FileTitle = "Brindlemar Input Data";

    // block C
    int16_t Water = -1, SeismicOn = 0;
    float FrontWaterUsed = 4, BackWaterUsed = 1, SeismicUsed = 0;
    float AdjacentCapacity = 12, KeyDepth = 0.5f;
    int16_t Passive = 1, Adjacent = 1, Key = 1;
    std::array<float, 5> ToeEarth{1.8f, 1.75f, 2.1f, 33, 0.25f};

    // block D
    float AdjacentPosition = 1.5f;
    float KeyToe = 3.0f, KeyWidth = 0.5f, KeyHeel = 3.7f;
    int16_t BaseMaterial = 1, EarthPressure = 1, SurchargeType = 5;
    std::vector<BuiltLoad> Loads;
    int16_t LoadCount = -1;  // -1: the number given
    float UpperStem = 3;
    float Cover = 7.5f;
    std::array<float, 8> Diameters{16, 20, 12, 16, 20, 25, 12, 16};
    std::array<float, 8> Spacings{200, 250, 150, 200, 300, 150, 250, 200};
    int16_t DesignMethod = 1, Reserved = 7;
    BuiltCombination Current{"Current", {}};
    std::vector<BuiltSet> Sets{StandardSet("ASD", 1), StandardSet("Mine", 3), StandardSet("", 0)};
    int16_t SetCount = -1;  // -1: the number given less the spare slot
    int16_t Active = 1, CurrentCombination = 2;
    int16_t KaSource = 1, KaeSource = 0, KpSource = 1;
    float Ka = 0.33f, Kae = 0.4f, Kp = 3.1f;

    // block E
    float BaseUnitWeight = 1.9f;
    int16_t Bearing = 2;
    float Spt = 25, Cpt = 7;
    float MinFluid = 0.5f;
    int16_t MinFluidOn = 1;

    // The file, and the offsets of its named fields.
    std::string Bytes() const;
    ByteWriter Build() const;
};

}  // namespace brindlemar::test
