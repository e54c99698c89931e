#include "forms/SaveAsTarget.h"

#include <filesystem>

#include "files/Paths.h"
#include "runtime/Hooks.h"
#include "runtime/Text.h"

namespace brindlemar {

std::string SaveAsRefusal(const std::string& chosen, const std::string& defaultsFile, const std::string& settingsFile) {
    const std::string name = PathForMessage(chosen), elsewhere = " Save the wall under another name.";
    if (NamesSameFile(chosen, defaultsFile))
        return name + " holds the program's defaults and is written again after every file command." + elsewhere;
    if (NamesSameFile(chosen, settingsFile) || NamesSameFile(chosen, settingsFile + ".lock"))
        return name + " holds the program's settings and is written again when the program ends." + elsewhere;
    return "";
}

std::string ReplaceQuestion(const std::string& path, const FileStamp& left, const FileStamp& found, int& style) {
    // one Enter must not throw away what someone else saved
    style = vbYesNo + vbExclamation + vbDefaultButton2;
    if (left == FileStamp{} || found == left) return "";
    if (found.Device == left.Device && found.Inode == left.Inode)
        return PathForMessage(path) + " was changed by another program since it was opened. Replace it with this wall?";
    std::error_code ec;
    const std::filesystem::path leadsTo = std::filesystem::canonical(path, ec);
    // no link on the way: another program saved a new file under the name
    if (ec || leadsTo == std::filesystem::absolute(path, ec).lexically_normal())
        return PathForMessage(path) +
               " was replaced by another program since it was opened. Replace the file now there with this wall?";
    return PathForMessage(path) + " now leads to another file than the one opened: " +
           PathForMessage(leadsTo.string()) + ". Replace that file with this wall?";
}

bool MayReplaceChosen(const std::string& path, const FileStamp& asked, const FileStamp& found,
                      const std::string& saving, const std::string& command) {
    if (asked == FileStamp{}) {
        MsgBox(MadeMeanwhile(path, saving, command), vbExclamation, ProductName);
        return false;
    }
    if (found == asked) return true;
    return MsgBox(PathForMessage(path) +
                      " was changed by another program after you chose to replace it. Replace the file now there?",
                  vbYesNo + vbExclamation + vbDefaultButton2, ProductName) == vbYes;
}

std::string MadeMeanwhile(const std::string& path, const std::string& saving, const std::string& command) {
    return PathForMessage(path) + " was made by another program while " + saving +
           " being saved, and was left as it is. " + command + " again to replace it.";
}

}  // namespace brindlemar
