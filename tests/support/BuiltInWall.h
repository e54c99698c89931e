#pragma once
// A model reset to the built-in new project, with its program folder in a
// fresh temporary folder so that no defaults file of another test is read.

#include <memory>

#include "model/Initialise.h"
#include "model/Model.h"
#include "support/TempDir.h"

namespace brindlemar::test {

struct BuiltInWall {
    TempDir Folder;
    std::unique_ptr<Model> Wall = std::make_unique<Model>();
    Model& m = *Wall;

    BuiltInWall() {
        m.ProgramDirectory = Folder.Path().string();
        InitialiseProject(m);
    }
};

}  // namespace brindlemar::test
