// The report job: the chosen sections in their fixed order, two half-page
// blocks to a sheet, each sheet finished with its footer.

#include "design/DesignReinforcement.h"
#include "design/DesignSectionForces.h"
#include "analysis/Analysis.h"
#include "analysis/Preparation.h"
#include "reports/ReportBlocks.h"
#include "reports/ReportFooter.h"
#include "reports/ReportJob.h"
#include "reports/ReportPage.h"
#include "runtime/OneBoxPerError.h"
#include "model/KeepCurrentCombination.h"

namespace brindlemar {

namespace {

class ReportPrinter {
public:
    ReportPrinter(const Model& m, Surface& s) : m_(m), s_(s) {}

    // One half-page block, then the turn: after a bottom block the sheet is
    // finished with its footer and the next one begun.
    template <typename Block>
    void PrintBlock(Block&& block) {
        if (s_.Drawing().CurrentHalfPage == -1) s_.Drawing().CurrentHalfPage = 0;
        block();
        const int16_t old = s_.Drawing().CurrentHalfPage;
        s_.Drawing().CurrentHalfPage = static_cast<int16_t>(1 - old);
        if (old == 1) {
            PrintPageFooter(m_, s_);
            s_.NewPage();
            ++s_.Drawing().PageNumber;
        }
    }

private:
    const Model& m_;
    Surface& s_;
};

}  // namespace

void PrintReport(Model& m, Surface& s, const std::function<void(const std::string&)>& progress) {
    const auto tell = [&](const char* caption) {
        if (progress) progress(caption);
    };
    KeepCurrentCombination keep(m);
    // a fault of the wall meets every combination of every section: told once
    const OneBoxPerError oneBox;
    try {
        // the design section forces of every combination: the page count and
        // the reinforcement section read them, whoever asked for the report
        ComputeDesignSectionForces(m);
        // the values in use and the outline, whatever the screen drew last
        PrepareWall(m);
        SetupPrinterPage(m, s);
        s.Drawing().CurrentHalfPage = -1;
        s.Drawing().PageCount = ReportPageCount(m);
        const int n = ActiveCombinationCount(m);
        ReportPrinter job(m, s);
        const auto select = [&](int i) { m.CurrentCombination = static_cast<int16_t>(i - 1); };

        if (m.PrintDimensions) {
            tell("Printing dimensions");
            job.PrintBlock([&] { PrintDimensionsBlock(m, s); });
        }
        if (m.PrintProperties) {
            tell("Printing properties");
            job.PrintBlock([&] { PrintPropertiesBlock(m, s); });
        }
        if (m.PrintLoads) {
            for (int i = 1; i <= n; ++i) {
                tell("Printing loads");
                select(i);
                PrepareCombination(m);
                job.PrintBlock([&] { PrintLoadsBlock(m, s); });
            }
            m.CurrentCombination = keep.Kept();
        }
        if (m.PrintReactions) {
            for (int i = 1; i <= n; ++i) {
                tell("Printing reactions");
                select(i);
                PrepareCombination(m);
                job.PrintBlock([&] { PrintReactionsBlock(m, s); });
            }
            m.CurrentCombination = keep.Kept();
        }
        if (m.PrintStability) {
            AnalyseAllCombinations(m);
            for (int k = 1; k <= (n + 2) / 3; ++k) {
                tell("Printing stability");
                job.PrintBlock([&] { PrintStabilityBlock(m, s, k); });
            }
        }
        if (m.PrintDiagrams) {
            for (int i = 1; i <= n; ++i) {
                tell("Printing diagrams");
                select(i);
                PrepareCombination(m);
                for (int kind = 1; kind <= 3; ++kind) job.PrintBlock([&] { PrintDiagramBlock(m, s, kind); });
            }
            m.CurrentCombination = keep.Kept();
        }
        if (m.PrintReinforcementDesign) {
            tell("Printing reinforcement design");
            const int tables = 2 * ReinforcementTablePages(n);
            // the design first: the tables print each face's forces as its design shows them
            const bool design = DesignBlocksApply(m);
            if (design) DesignReinforcement(m);
            for (int i = 1; i <= tables; ++i) job.PrintBlock([&] { PrintReinforcementBlock(m, s, i); });
            if (design) {
                for (int i = tables + 1; i <= tables + 3; ++i)
                    job.PrintBlock([&] { PrintReinforcementBlock(m, s, i); });
            }
        }
        // a last sheet holding only a top block still gets its footer
        if (s.Drawing().CurrentHalfPage == 1) PrintPageFooter(m, s);
        s.EndDoc();
    } catch (...) {
        // release what was printed so far; the caller tells the error
        s.EndDoc();
        throw;
    }
}

}  // namespace brindlemar
