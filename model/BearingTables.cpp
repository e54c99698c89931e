#include "model/BearingTables.h"

#include <array>

namespace brindlemar {

namespace {

struct BearingFactorRow {
    float Nc, Nq, Ngamma;
};

// One row per whole degree of friction angle, 0 to 45.
constexpr std::array<BearingFactorRow, 46> BearingFactorRows{{
    {5.14f, 1.0f, 0.0f},   {5.4f, 1.1f, 0.1f},    {5.6f, 1.2f, 0.2f},    {5.9f, 1.4f, 0.2f},
    {6.2f, 1.5f, 0.3f},    {6.5f, 1.6f, 0.5f},    {6.8f, 1.7f, 0.6f},    {7.2f, 1.9f, 0.7f},
    {7.5f, 2.1f, 0.9f},    {7.9f, 2.3f, 1.0f},    {8.4f, 2.5f, 1.2f},    {8.8f, 2.7f, 1.4f},
    {9.3f, 3.0f, 1.7f},    {9.8f, 3.3f, 2.0f},    {10.4f, 3.6f, 2.3f},   {11.0f, 3.9f, 2.7f},
    {11.6f, 4.3f, 3.1f},   {12.3f, 4.8f, 3.5f},   {13.1f, 5.3f, 4.1f},   {13.9f, 5.8f, 4.7f},
    {14.8f, 6.4f, 5.4f},   {15.8f, 7.1f, 6.2f},   {16.9f, 7.8f, 7.1f},   {18.1f, 8.7f, 8.2f},
    {19.3f, 9.6f, 9.4f},   {20.7f, 10.7f, 10.9f}, {22.3f, 11.9f, 12.5f}, {23.9f, 13.2f, 14.5f},
    {25.8f, 14.7f, 16.7f}, {27.9f, 16.4f, 19.3f}, {30.1f, 18.4f, 22.4f}, {32.7f, 20.6f, 26.0f},
    {35.5f, 23.2f, 30.2f}, {38.6f, 26.1f, 35.2f}, {42.2f, 29.4f, 41.1f}, {46.1f, 33.3f, 48.0f},
    {50.6f, 37.8f, 56.3f}, {55.6f, 42.9f, 66.2f}, {61.4f, 48.9f, 78.0f}, {67.9f, 56.0f, 92.3f},
    {75.3f, 64.2f, 109.4f}, {83.9f, 73.9f, 130.2f}, {93.7f, 85.4f, 155.6f}, {105.1f, 99.0f, 186.5f},
    {118.4f, 115.3f, 224.6f}, {133.9f, 134.9f, 271.8f},
}};

}  // namespace

void InitBearingFactorTables(Model& m) {
    BearingFactorTable& t = m.BearingCapacityFactors;
    t.Count = 45;
    for (int k = 0; k <= t.Count; ++k) {
        t.FrictionAngle[k] = static_cast<float>(k);
        t.Nc[k] = BearingFactorRows[k].Nc;
        t.Nq[k] = BearingFactorRows[k].Nq;
        t.Ngamma[k] = BearingFactorRows[k].Ngamma;
    }
}

void InitDepthFactorTable(Model& m) {
    DepthFactorTable& t = m.DepthCorrectionFactors;
    t.AngleCount = 2;
    t.RatioCount = 3;
    constexpr std::array<float, 3> angles{32, 37, 42};
    constexpr std::array<float, 4> ratios{1, 2, 4, 8};
    constexpr std::array<std::array<float, 4>, 3> factors{{
        {1.20f, 1.30f, 1.35f, 1.40f},
        {1.20f, 1.25f, 1.30f, 1.35f},
        {1.15f, 1.20f, 1.25f, 1.30f},
    }};
    for (int a = 0; a <= t.AngleCount; ++a) {
        t.FrictionAngle[a] = angles[a];
        for (int r = 0; r <= t.RatioCount; ++r) {
            t.EmbedmentRatio[a][r] = ratios[r];
            t.DepthFactor[a][r] = factors[a][r];
        }
    }
}

}  // namespace brindlemar
