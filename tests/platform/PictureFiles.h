#pragma once
// Pictures and PDF files made by the tests: kept for a person to look at,
// and read back with the poppler tools.

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

namespace brindlemar::test {

// Copies the file into the folder that BRINDLEMAR_PICTURES names, if any.
inline void KeepPicture(const std::string& file, const std::string& name) {
    const char* folder = std::getenv("BRINDLEMAR_PICTURES");
    if (!folder || !*folder) return;
    std::filesystem::copy_file(file, std::filesystem::path(folder) / name,
                               std::filesystem::copy_options::overwrite_existing);
}

// What a shell command writes to its standard output.
inline std::string CommandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// Sets the printer up to print an A4 portrait PDF file with the report's
// default margins (25 mm left, 20 mm elsewhere).
inline void PrintToA4Pdf(QPrinter& printer, const std::string& pdf) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(25, 20, 20, 20),
                                      QPageLayout::Millimeter));
}

// The number of pages pdfinfo reports for a PDF file.
inline int PdfPageCount(const std::string& pdf) {
    std::istringstream info(CommandOutput("pdfinfo '" + pdf + "'"));
    int pages = 0;
    for (std::string line; std::getline(info, line);)
        if (line.rfind("Pages:", 0) == 0) pages = std::stoi(line.substr(6));
    return pages;
}

}  // namespace brindlemar::test
