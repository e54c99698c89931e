#pragma once
// What Save and Save as may not write the wall over, and what they ask first.

#include <string>

#include "model/ModelApp.h"

namespace brindlemar {

// The message that refuses Save as at `chosen` when it names, whatever the
// spelling (a link, ".."), a file the program writes again itself: the
// defaults file after every file command, the settings file and the lock
// beside it when the program ends. "" when the wall may go there.
std::string SaveAsRefusal(const std::string& chosen, const std::string& defaultsFile, const std::string& settingsFile);

// The question Save asks before it replaces the file at `path`, found as
// `found` while the save holds its lock, when that is not the file as this
// wall last read or wrote it (`left`); "" when there is nothing to ask. A
// file saved there anew is told as replaced, a link put at the name by
// where it now leads; the question defaults to No (`style`).
std::string ReplaceQuestion(const std::string& path, const FileStamp& left, const FileStamp& found, int& style);

// What Save as (or `command`) tells when a file was made at `path`, which
// the file dialog found free, while the wall (or what `saving` says) was
// being saved: it is never replaced.
std::string MadeMeanwhile(const std::string& path, const std::string& saving = "the wall was",
                          const std::string& command = "Save as");

// Whether a save onto `path`, chosen in the Save dialog, replaces the file
// `found` there while it holds the file's lock. The dialog asked about
// `asked` (an empty stamp: it found the name free). The user's yes holds
// for that file as it was then; a file made at a free name meanwhile is
// never replaced (told as MadeMeanwhile says); one changed or put there
// since the question is replaced only when the user says yes again, by
// default no.
bool MayReplaceChosen(const std::string& path, const FileStamp& asked, const FileStamp& found,
                      const std::string& saving = "the wall was", const std::string& command = "Save as");

}  // namespace brindlemar
