#include "support/ProjectFileBuilder.h"

#include <cstring>

namespace brindlemar::test {

void ByteWriter::Integer(int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    Bytes += static_cast<char>(u & 0xFF);
    Bytes += static_cast<char>(u >> 8);
}

void ByteWriter::Single(float v) {
    uint32_t u;
    std::memcpy(&u, &v, 4);
    for (int i = 0; i < 4; ++i) Bytes += static_cast<char>((u >> (8 * i)) & 0xFF);
}

void ByteWriter::Text(const std::string& s) {
    Integer(static_cast<int16_t>(s.size()));
    Bytes += s;
}

BuiltSet StandardSet(const std::string& name, int combinations) {
    BuiltSet set;
    set.Name = name;
    set.Comment = name.empty() ? "" : "Comment on " + name;
    for (int c = 0; c < combinations; ++c) {
        BuiltCombination combination;
        combination.Name = name + " combination " + std::to_string(c + 1);
        for (int k = 1; k <= 21; ++k) combination.Factor[k] = 1.0f + 0.05f * static_cast<float>((k + c) % 7);
        set.Combinations.push_back(combination);
    }
    return set;
}

void WriteBuiltSets(ByteWriter& w, const std::vector<BuiltSet>& sets, int16_t count) {
    static const char* codes[22] = {"",   "DL", "EV", "EH", "ES", "LL", "LD", "WA", "EQ", "IC", "S1",
                                    "S2", "BE", "FC", "EP", "RH", "EX", "RO", "OS", "CT", "CC", "CS"};
    w.Mark("SetCount");
    w.Integer(count >= 0 ? count : static_cast<int16_t>(sets.size() - 1));
    for (std::size_t s = 0; s < sets.size(); ++s) {
        const BuiltSet& set = sets[s];
        w.Text(set.Name);
        for (std::size_t c = 0; c < 51; ++c) {
            if (c < set.Combinations.size()) {
                w.Text(set.Combinations[c].Name);
                for (float f : set.Combinations[c].Factor) w.Single(f);
            } else {
                w.Text("");
                for (int k = 0; k < 22; ++k) w.Single(0);
            }
        }
        w.Mark("CombinationCount" + std::to_string(s));
        w.Integer(set.CombinationCount >= 0 ? set.CombinationCount
                                            : static_cast<int16_t>(set.Combinations.size()));
        for (int k = 0; k < 22; ++k) w.Text(k == 0 ? "" : std::string("Factor named ") + codes[k]);
        for (int k = 0; k < 22; ++k) w.Text(codes[k]);
        w.Mark("Comment" + std::to_string(s));
        w.Text(set.Comment);
    }
}

namespace {

void WriteLoads(ByteWriter& w, const std::vector<BuiltLoad>& loads) {
    for (const BuiltLoad& load : loads) {
        w.Single(load.Value);
        w.Single(load.X);
        w.Single(load.Y);
        w.Single(load.Direction);
        w.Integer(load.Type);
    }
}

}  // namespace

ByteWriter ProjectFileBuilder::Build() const {
    ByteWriter w;
    // block A
    w.Integer(0);
    w.Integer(0);
    for (int16_t margin : Margins) w.Integer(margin);
    w.Mark("Footer1");
    for (const auto& footer : Footers) w.Text(footer);
    w.Text(FontName);
    w.Single(FontSize);
    w.Mark("Title");
    w.Text(Title);
    w.Mark("UnitSystem");
    w.Integer(UnitSystem);
    w.Mark("Geometry");
    for (float v : Geometry) w.Single(v);
    w.Single(SlopeRatio);
    w.Single(FrontWater);
    w.Single(BackWater);
    for (float v : Concrete) w.Single(v);
    w.Single(OldCover);
    for (float v : Materials) w.Single(v);
    w.Single(Surcharge);
    w.Mark("OldSurchargeType");
    w.Integer(OldSurchargeType);
    w.Single(Seismic);
    w.Integer(OldFlag);
    w.Mark("OldLoadCount");
    w.Integer(OldLoadCount >= 0 ? OldLoadCount : static_cast<int16_t>(OldLoads.size()));
    w.Mark("OldLoads");
    WriteLoads(w, OldLoads);
    w.Mark("Marker");
    w.Integer(Marker);
    if (Marker == -2) {
        for (float v : OldDiameters) w.Single(v);
        for (float v : OldSpacings) w.Single(v);
    } else if (Marker == -1) {
        // old results: 549 Singles and 2 Integers, never used on reading
        w.Integer(-1);
        for (int i = 0; i < 4 * 20 + 1 + 3 * 5 + 5 * 20; ++i) w.Single(1.25f);
        w.Integer(0);
        for (int i = 0; i < 549 - (4 * 20 + 1 + 3 * 5 + 5 * 20); ++i) w.Single(2.5f);
    }

    // block B
    w.Text(FileTitle);
    w.Mark("Version");
    w.Text(Version);
    if (Version.empty() || Version[0] != '2') return w;

    // block C
    w.Mark("Water");
    w.Integer(Water);
    w.Integer(SeismicOn);
    w.Single(FrontWaterUsed);
    w.Single(BackWaterUsed);
    w.Single(SeismicUsed);
    w.Single(AdjacentCapacity);
    w.Single(KeyDepth);
    w.Mark("Passive");
    w.Integer(Passive);
    w.Integer(Adjacent);
    w.Integer(Key);
    for (float v : ToeEarth) w.Single(v);
    if (Version != "2.50" && Version != "2.60") return w;

    // block D
    w.Single(AdjacentPosition);
    w.Single(KeyToe);
    w.Single(KeyWidth);
    w.Single(KeyHeel);
    w.Mark("BaseMaterial");
    w.Integer(BaseMaterial);
    w.Integer(EarthPressure);
    w.Mark("SurchargeType");
    w.Integer(SurchargeType);
    w.Mark("LoadCount");
    w.Integer(LoadCount >= 0 ? LoadCount : static_cast<int16_t>(Loads.size()));
    w.Mark("Loads");
    WriteLoads(w, Loads);
    w.Single(UpperStem);
    w.Single(Cover);
    for (int i = 0; i < 8; ++i) {
        w.Single(Diameters[i]);
        w.Single(Spacings[i]);
    }
    w.Mark("DesignMethod");
    w.Integer(DesignMethod);
    w.Integer(Reserved);
    w.Mark("CurrentLoadCombination");
    w.Text(Current.Name);
    for (float f : Current.Factor) w.Single(f);
    WriteBuiltSets(w, Sets, SetCount);
    w.Mark("Active");
    w.Integer(Active);
    w.Integer(CurrentCombination);
    w.Mark("KaSource");
    w.Integer(KaSource);
    w.Single(Ka);
    w.Integer(KaeSource);
    w.Single(Kae);
    w.Integer(KpSource);
    w.Single(Kp);
    if (Version != "2.60") return w;

    // block E
    w.Single(BaseUnitWeight);
    w.Mark("Bearing");
    w.Integer(Bearing);
    w.Single(Spt);
    w.Single(Cpt);
    w.Single(MinFluid);
    w.Mark("MinFluidOn");
    w.Integer(MinFluidOn);
    return w;
}

std::string ProjectFileBuilder::Bytes() const { return Build().Bytes; }

}  // namespace brindlemar::test
