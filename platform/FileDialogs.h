#pragma once
// The Open and Save file dialogs, as the file commands ask for them. Tests
// install an answerer in place of the window.

#include <functional>
#include <optional>
#include <string>

#include "model/ModelApp.h"

class QWidget;

namespace brindlemar { struct Model; }

namespace brindlemar {

struct FileDialogRequest {
    bool Save = false;           // the Save dialog, else the Open dialog
    std::string Title;
    // "Description|pattern|Description|pattern", e.g.
    // "Input files (*.bmi)|*.bmi|All files (*.*)|*.*"
    std::string Filter;
    int FilterIndex = 1;         // 1-based
    std::string FileName;        // the name proposed in the name box
    std::string InitialDirectory;
    std::string DefaultExtension;  // added to a name typed without one, without the dot
};

// Shows the dialog modally over `owner`; the chosen path, or nothing when
// the user cancelled. Title and filter are in the program's Windows-1252
// form; paths in the file system's own, so that any file can be opened. The
// Save dialog asks before it takes a name that is taken; `askedAbout` gets
// the file its question described (an empty stamp for a name found free),
// for the user's yes holds for that file alone.
std::optional<std::string> ShowFileDialog(QWidget* owner, const FileDialogRequest& request,
                                          FileStamp* askedAbout = nullptr);

using FileDialogAnswerer = std::function<std::optional<std::string>(const FileDialogRequest&)>;

// Makes ShowFileDialog answer through `answerer` instead of opening a window
// (an empty one restores the window); returns the answerer installed before.
FileDialogAnswerer InstallFileDialogAnswerer(FileDialogAnswerer answerer);

// Asks for the file to print into when the current printer is the PDF file,
// offering the project's name in the project's folder; nothing when the
// user cancelled.
std::optional<std::string> AskPdfPath(const Model& m, QWidget* owner);

// The filter in Qt's form: "Input files (*.bmi);;All files (*.*)".
std::string QtFileFilter(const std::string& filter);

}  // namespace brindlemar
