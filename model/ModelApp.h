#pragma once
// Model members: the main window's state: project file, recent files, options
// of the session, and what its dialogs hand back to the command that opened them.

#include <array>
#include <cstdint>
#include <string>

#include "model/ModelInputs.h"

namespace brindlemar {

// Which file a path named (device and inode) and when it was last written,
// to the nanosecond: all zero when nothing is known.
struct FileStamp {
    uint64_t Device = 0, Inode = 0;
    int64_t ModifiedSeconds = 0, ModifiedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

struct ModelApp {
    // the wall differs from its project file
    int16_t ProjectModified = 0;
    // the dialog just closed stored nothing: its command does not redraw
    int16_t DialogCancelled = 0;
    // the number-entry pop-up's text, as the user left it
    std::string EditValueText;

    // the open project file; empty while the project has no name
    std::string ProjectFilePath;
    // the project file as this wall last read or wrote it: a file that is
    // no longer so was saved by someone else since
    FileStamp ProjectFileStamp;
    // first folder of the Open and Save-as dialogs
    std::string StartDirectory;
    // recent project files: slot 1 the most recent, slots 1 to 4 used
    std::array<std::string, 6> RecentFiles{};
    int16_t RecentFileCount = 0;
    // False from the start of a project write until it has completed
    int16_t SaveSucceeded = 0;

    // the view the main window shows: at most one flag is True
    int16_t ViewDimensions = 0, ViewDead = 0, ViewLive = 0, ViewSoil = 0, ViewWater = 0,
            ViewStructural = 0, ViewImpact = 0, ViewSeismic = 0, ViewReactions = 0,
            ViewResistances = 0, ViewLoads = 0, ViewMoment = 0, ViewShear = 0, ViewNormal = 0;

    // the loads dialog's copy of the combination sets, edited while it is open
    // and written back only when it is accepted (the copy of the current
    // combination is WorkingCurrentCombination)
    std::array<CombinationSet, 51> WorkingCombinationSets{};
    int16_t WorkingCombinationSetCount = 0;
    int16_t WorkingActiveCombinationSet = 0;
    int16_t WorkingCurrentCombination = 0;
    // the set on show in the dialog's factor editor
    int16_t EditedCombinationSet = 0;
};

}  // namespace brindlemar
