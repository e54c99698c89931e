#include "ui/main/Main.h"

#include <algorithm>

#include "model/Initialise.h"
#include "forms/StartUp.h"
#include "platform/Fonts.h"
#include "platform/ImageSurface.h"
#include "ui/main/Form1.h"

namespace brindlemar {

Form1* Main(Model& m, const std::string& commandLine) {
    InitialiseProject(m);
    m.StartDirectory = "";
    m.RecentFileCount = static_cast<int16_t>(
        std::count_if(m.RecentFiles.begin() + 1, m.RecentFiles.begin() + 5, [](const std::string& f) { return !f.empty(); }));
    m.FileTypeTitle = "Brindlemar Input Data";

    // The printer and the screen draw with the same font system, so the
    // screen's font list stands for the printer's, also when no printer is
    // installed.
    const ImageSurface screen(1, 1);
    ChooseReportFonts(m, OfferedFontNames(ReportFontCandidates(), screen.FontNames()), CurrentFontName());

    auto* window = new Form1(m);
    window->Form_Load(commandLine);
    window->show();
    return window;
}

}  // namespace brindlemar
