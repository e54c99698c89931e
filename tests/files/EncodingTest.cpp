#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "files/Encoding.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {
namespace {

std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

TEST(Encoding, FieldsAreLittleEndianAndPacked) {
    RecordWriter w;
    w.LeadIn();
    w.Text("abc");
    w.Text("");
    w.Integer(-1);
    w.Integer(0x1234);
    w.Single(1.0f);
    w.Single(-2.5f);
    EXPECT_EQ(Hex(w.Bytes()), "00 00 00 00 03 00 61 62 63 00 00 FF FF 34 12 00 00 80 3F 00 00 20 C0");
}

TEST(Encoding, RecordsHaveTheirFixedSizes) {
    RecordWriter load;
    load.Record(LineLoad{1, 2, 3, 4, 5});
    EXPECT_EQ(load.Bytes().size(), LineLoadBytes);

    // a set carries all 51 combinations whatever its count
    CombinationSet set;
    set.Name = "Set";
    set.CombinationCount = 1;
    set.Combinations[0].Name = "One";
    set.Factors.FactorCode[1] = "DL";
    RecordWriter w;
    w.Record(set);
    EXPECT_EQ(w.Bytes().size(), MinCombinationSetBytes + 3 + 3 + 2);

    // a table of count n holds n + 1 sets: the sets and the spare slot
    CombinationSetTable sets{};
    RecordWriter table;
    table.SetTable(4, sets);
    EXPECT_EQ(table.Bytes().size(), 2 + 5 * MinCombinationSetBytes);
}

TEST(Encoding, WriterRefusesWhatTheLayoutCannotHold) {
    RecordWriter w;
    EXPECT_THROW(w.Text(std::string(32768, 'x')), RuntimeError);
    CombinationSetTable sets{};
    EXPECT_THROW(w.SetTable(51, sets), RuntimeError);
    EXPECT_THROW(w.SetTable(-1, sets), RuntimeError);
    w.Text(std::string(32767, 'x'));
    EXPECT_EQ(w.Bytes().size(), 2u + 32767u);
}

TEST(Encoding, ReaderReadsWhatTheWriterWrote) {
    CombinationSetTable sets{};
    sets[0].Name = "ASD";
    sets[0].CombinationCount = 1;
    sets[0].Combinations[0].Factor[21] = 0.9f;
    sets[1].Comment = std::string(255, '\xE9');
    sets[2].Factors.FactorName[21] = "Shear and torsion";
    RecordWriter w;
    w.Record(LineLoad{-1.5f, 2, 3, 90, 7});
    w.SetTable(2, sets);

    RecordReader r(w.Bytes());
    LineLoad load;
    r.Record(load);
    EXPECT_TRUE(load == (LineLoad{-1.5f, 2, 3, 90, 7}));
    CombinationSetTable back{};
    EXPECT_EQ(r.SetTable(back), 2);
    EXPECT_TRUE(back == sets);
    EXPECT_EQ(r.Left(), 0u);
}

// A reader given a field it cannot take says what is wrong and never reads
// past the end of the bytes.
TEST(Encoding, ReaderRefusesBadFields) {
    const auto refusal = [](std::string bytes, auto read) -> std::string {
        RecordReader r(bytes);
        try {
            read(r);
        } catch (const FileFormatError& e) {
            return e.what();
        }
        return "accepted";
    };
    const auto text = [](RecordReader& r) { r.Text(); };
    EXPECT_EQ(refusal(std::string("\xFF\xFF", 2), text), "a text at byte 0 has length -1");
    EXPECT_EQ(refusal(std::string("\x30\x75" "abc", 5), text),
              "a text at byte 0 has length 30000 but only 3 bytes follow");
    EXPECT_EQ(refusal(std::string("\x03", 1), text), "it ends too early, after 1 byte");
    EXPECT_EQ(refusal(std::string("\x00\x00\x01\x00", 4), [](RecordReader& r) { r.LeadIn(); }),
              "it does not begin like one (variant type 1)");

    const auto single = [](RecordReader& r) { r.Single(); };
    EXPECT_EQ(refusal(std::string("\x00\x00\xC0\x7F", 4), single), "the value at byte 0 is not a number");
    EXPECT_EQ(refusal(std::string("\x00\x00\x80\xFF", 4), single), "the value at byte 0 is not a number");

    const auto loads = [](RecordReader& r) { r.Count("line load", "line loads", 0, 50, LineLoadBytes); };
    EXPECT_EQ(refusal(std::string("\x49\x00", 2), loads), "73 line loads (at most 50)");
    EXPECT_EQ(refusal(std::string("\xFF\xFF", 2), loads), "-1 line loads (at least 0)");
    EXPECT_EQ(refusal(std::string("\x02\x00", 2) + std::string(20, '\0'), loads),
              "2 line loads need 36 bytes but only 20 bytes follow");

    const auto units = [](RecordReader& r) { r.Code("unit system", 0, 2); };
    EXPECT_EQ(refusal(std::string("\x03\x00", 2), units), "unit system 3 (0 to 2)");

    CombinationSetTable sets{};
    sets[0].CombinationCount = 1;
    sets[1].CombinationCount = 3;
    const auto selection = [&](int16_t active, int16_t current) {
        try {
            CheckSelection(sets, 2, active, current);
        } catch (const FileFormatError& e) {
            return std::string(e.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(selection(1, 2), "accepted");
    EXPECT_EQ(selection(0, 0), "accepted");
    // the spare slot after the sets may be the active one
    EXPECT_EQ(selection(2, 0), "accepted");
    EXPECT_EQ(selection(3, 0), "active combination set 3 (0 to 2)");
    EXPECT_EQ(selection(-1, 0), "active combination set -1 (0 to 2)");
    EXPECT_EQ(selection(1, 3), "current combination 3 of set 1 (0 to 2)");
}

}  // namespace
}  // namespace brindlemar
