#pragma once
// A block of the reinforcement pages on an A4 sheet of the recording
// surface, and ways to read back what was printed where: a line of text
// (captions are printed a character at a time) and the text that ends at a
// column's value edge.

#include <cmath>
#include <string>
#include <vector>

#include "reports/ReportPage.h"
#include "reports/ReportTestSupport.h"

namespace brindlemar::test {

struct ReinforcementSheet : ReportSheet {
    ReinforcementSheet() { PrintBlockFrame(m, s); }

    // n stable combinations of the active set 1 named C1, C2...
    void Combinations(int n) {
        CombinationSet& set = m.CombinationSets[1];
        m.ActiveCombinationSet = 1;
        set.Name = "Strength";
        set.CombinationCount = static_cast<int16_t>(n);
        for (int c = 0; c < n; ++c) {
            set.Combinations[c].Name = "C" + std::to_string(c + 1);
            set.Combinations[c].Factor = {};
            set.Combinations[c].Factor[DL] = 1.25f;
            set.Combinations[c].Factor[EH] = 1.5f;
            m.CombinationWallStableFlags[c + 1] = True;
            m.CombinationDesignable[c + 1] = True;
        }
        m.AllCombinationsStable = True;
    }

    double W() const { return s.Drawing().FrameWidth; }
    double Scale() const { return s.Drawing().PrintScale; }
    double Row() const { return 240 * s.Drawing().PrintScale; }
    // top of the text of row k of a design table, or of the force tables'
    // first header row (k = 0)
    double RowY(double k) const { return s.Drawing().FrameTop + 360 * s.Drawing().PrintScale + k * Row(); }

    // The characters and texts printed with their top at y, left to right,
    // between the two x positions.
    std::string LineAt(double y, double fromX = -1e9, double toX = 1e9) const {
        std::vector<const SurfaceCall*> on;
        for (const SurfaceCall& c : s.Calls)
            if (c.Kind == "Print" && std::fabs(c.Y1 - y) < 0.5 && c.X1 >= fromX - 0.5 && c.X2 <= toX + 0.5)
                on.push_back(&c);
        std::string text;
        for (const SurfaceCall* c : on) text += c->Text;
        return text;
    }

    // The text printed with its top at y and its right end at x ("" when none).
    const SurfaceCall* EndingAt(double x, double y) const {
        for (const SurfaceCall& c : s.Calls)
            if (c.Kind == "Print" && std::fabs(c.Y1 - y) < 0.5 && std::fabs(c.X2 - x) < 0.5) return &c;
        return nullptr;
    }
    std::string TextEndingAt(double x, double y) const {
        const SurfaceCall* c = EndingAt(x, y);
        return c ? c->Text : std::string();
    }

    // The text printed centred on x with its top at y ("" when none).
    std::string TextCentredOn(double x, double y) const {
        for (const SurfaceCall& c : s.Calls)
            if (c.Kind == "Print" && std::fabs(c.Y1 - y) < 0.5 && std::fabs((c.X1 + c.X2) / 2 - x) < 0.5)
                return c.Text;
        return {};
    }

    // Starts the block again on an empty record.
    void Reprint() {
        s.Calls.clear();
        PrintBlockFrame(m, s);
    }
};

}  // namespace brindlemar::test
