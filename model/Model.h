#pragma once
// The open wall: every value the program keeps, in one plain struct with
// flat members. The application owns one; a test makes its own.

#include <cstdint>
#include <string>

#include "model/ModelAnalysis.h"
#include "model/ModelApp.h"
#include "model/ModelDesign.h"
#include "model/ModelGeometry.h"
#include "model/ModelInputs.h"
#include "model/ModelReport.h"
#include "model/ModelSections.h"

namespace brindlemar {

struct Model : ModelInputs,
               ModelGeometry,
               ModelAnalysis,
               ModelSections,
               ModelDesign,
               ModelApp,
               ModelReport {
    // The program's folder, and the user's configuration folder ("" when
    // none is known). The defaults file lives in the configuration folder,
    // or beside the program when a copy carried on a stick keeps it there.
    // Tests point the program's folder at a fresh temporary folder and leave
    // the configuration folder empty, so the defaults file lives there too.
    std::string ProgramDirectory;
    std::string ConfigurationDirectory;

    // A defaults file that could neither be read nor moved aside is left
    // alone, neither read nor written, until the program ends.
    bool DefaultsFileLeftAlone = false;
    // The defaults file as this program last read or wrote it: one that is
    // no longer so was written by another program since, and is replaced
    // only when the user says so.
    FileStamp DefaultsFileStamp;
    // A defaults file that cannot be written is told once; later writes
    // fail without a word until the program ends.
    bool DefaultsWriteFailureTold = false;

    // Analyses of one combination run on this wall: what a command costs.
    int64_t AnalysisCount = 0;
};

}  // namespace brindlemar
