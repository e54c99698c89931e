#include "forms/SaveAsTarget.h"

#include "files/Paths.h"
#include "runtime/Text.h"

namespace brindlemar {

std::string SaveAsRefusal(const std::string& chosen, const std::string& defaultsFile, const std::string& settingsFile) {
    const std::string name = Utf8ToCp1252(chosen), elsewhere = " Save the wall under another name.";
    if (NamesSameFile(chosen, defaultsFile))
        return name + " holds the program's defaults and is written again after every file command." + elsewhere;
    if (NamesSameFile(chosen, settingsFile) || NamesSameFile(chosen, settingsFile + ".lock"))
        return name + " holds the program's settings and is written again when the program ends." + elsewhere;
    return "";
}

}  // namespace brindlemar
