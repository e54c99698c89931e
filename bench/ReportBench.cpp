// The whole report of the built-in wall printed into a PDF file: every
// section, its analysis, pictures, design and the writing of the file.

#include <benchmark/benchmark.h>

#include <QPrinter>
#include <filesystem>

#include "BenchApplication.h"

#include "model/Initialise.h"
#include "model/Model.h"
#include "platform/Printers.h"
#include "platform/PrinterSurface.h"
#include "reports/ReportJob.h"

namespace {

void WholeReportToPdf(benchmark::State& state) {
    using namespace brindlemar;
    bench::EnsureApplication();
    Model m;
    InitialiseProject(m, false);
    m.TextFontName = m.TitleFontName = m.ReportFontName = "Arial";
    m.SymbolFontName = "Symbol";
    for (int section = 0; section <= 6; ++section) SectionSwitch(m, section) = 1;
    CurrentPrinter::Get().Select(PdfPrinterName);
    const std::string pdf = (std::filesystem::temp_directory_path() / "brindlemar_bench_report.pdf").string();
    for (auto _ : state) {
        std::unique_ptr<QPrinter> printer = CurrentPrinter::Get().MakePrinter(pdf);
        PrinterSurface s(*printer);
        PrintReport(m, s, nullptr);
    }
    state.counters["pages"] = ReportPageCount(m);
    std::filesystem::remove(pdf);
}
BENCHMARK(WholeReportToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
