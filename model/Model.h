#pragma once
// The open wall: every value the program keeps, in one plain struct with
// flat members. The application owns one; a test makes its own.

#include <string>

#include "model/ModelAnalysis.h"
#include "model/ModelApp.h"
#include "model/ModelDesign.h"
#include "model/ModelDrawing.h"
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
               ModelDrawing,
               ModelApp,
               ModelReport {
    // The program's folder (where the defaults file lives). Tests point it
    // at a fresh temporary folder.
    std::string ProgramDirectory;
};

}  // namespace brindlemar
