#pragma once
// Model members: the main window's state: project file, recent files, options of the session.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Enums.h"

namespace brindlemar {

struct ModelApp {
};

}  // namespace brindlemar
