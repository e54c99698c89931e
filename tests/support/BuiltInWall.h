#pragma once
// A model reset to the built-in new project, with its program folder in a
// fresh temporary folder so that no defaults file of another test is read.

#include <memory>

#include "model/Enums.h"
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

// The concrete's strength reduction factors on the first set's combinations,
// without which the built-in wall's reinforcement is not designed.
inline void FactorForConcrete(Model& m) {
    for (LoadCombination& c : m.CombinationSets[1].Combinations) {
        c.Factor[CT] = 0.9f;
        c.Factor[CC] = 0.65f;
        c.Factor[CS] = 0.75f;
    }
}

}  // namespace brindlemar::test
