#include "platform/Fonts.h"

#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <algorithm>
#include <map>

namespace brindlemar {

namespace {

// Faces made to the metrics of the common Windows fonts.
const std::map<std::string, std::vector<std::string>>& MetricCompatibleFaces() {
    static const std::map<std::string, std::vector<std::string>> faces = {
        {"Arial", {"Liberation Sans", "Arimo"}},
        {"Times New Roman", {"Liberation Serif", "Tinos"}},
        {"Courier New", {"Liberation Mono", "Cousine"}},
        {"Symbol", {"Standard Symbols PS", "Standard Symbols L"}},
    };
    return faces;
}

bool IsOffered(const std::string& name, const std::vector<std::string>& installed) {
    // the comparison is exact: a name in other letter case is another name
    if (std::find(installed.begin(), installed.end(), name) != installed.end()) return true;
    const auto stand_ins = MetricCompatibleFaces().find(name);
    if (stand_ins == MetricCompatibleFaces().end()) return false;
    const std::string resolved = ResolvedFontFamily(name);
    return std::find(stand_ins->second.begin(), stand_ins->second.end(), resolved) != stand_ins->second.end();
}

}  // namespace

std::string ResolvedFontFamily(const std::string& name) {
    QFont font(QString::fromStdString(name));
    font.setStyleHint(QFont::AnyStyle, QFont::PreferMatch);
    return QFontInfo(font).family().toStdString();
}

std::vector<std::string> OfferedFontNames(const std::vector<std::string>& wanted,
                                          const std::vector<std::string>& installed) {
    std::vector<std::string> offered;
    for (const std::string& name : wanted)
        if (IsOffered(name, installed)) offered.push_back(name);
    return offered;
}

std::string CurrentFontName() { return QGuiApplication::font().family().toStdString(); }

}  // namespace brindlemar
