#pragma once
// The scaffolding of a fuzz target: a scratch folder, quiet message boxes,
// the input written where the reader can open it, and a crash on a fault.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "ReaderChecks.h"
#include "model/Initialise.h"
#include "runtime/Hooks.h"

namespace brindlemar::fuzz {

inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const auto path =
            std::filesystem::temp_directory_path() / ("brindlemar-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        // a message box per refused input would only slow the run
        UiHooks hooks;
        hooks.MsgBox = [](const std::string&, int style, const std::string&) { return DefaultMsgBoxAnswer(style); };
        hooks.SetBusyPointer = [](bool) {};
        InstallUiHooks(hooks);
        return path.string();
    }();
    return folder;
}

// A model with the built-in new-project values, as the file commands read into.
inline const Model& ResetModel() {
    static const std::unique_ptr<Model> reset = [] {
        auto m = std::make_unique<Model>();
        m->ProgramDirectory = ScratchFolder();
        InitialiseProject(*m);
        return m;
    }();
    return *reset;
}

inline std::string WriteInput(const uint8_t* data, std::size_t size) {
    const std::string path = ScratchFolder() + "/input";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

inline void CrashOnFault(Outcome outcome) {
    if (outcome == Outcome::Fault) std::abort();
}

}  // namespace brindlemar::fuzz
