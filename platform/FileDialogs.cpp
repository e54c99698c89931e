#include "platform/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

#include "files/FileAccess.h"
#include "files/Paths.h"
#include "model/Model.h"
#include "platform/QtText.h"
#include "runtime/Hooks.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace {

FileDialogAnswerer& Answerer() {
    static FileDialogAnswerer answerer;
    return answerer;
}

}  // namespace

std::string QtFileFilter(const std::string& filter) {
    const QStringList parts = ToQString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        // Qt reads the patterns from the parentheses of the description
        filters << (description.contains("(" + pattern + ")") ? description
                                                               : description + " (" + pattern + ")");
    }
    return FromQString(filters.join(";;"));
}

std::optional<std::string> ShowFileDialog(QWidget* owner, const FileDialogRequest& request, FileStamp* askedAbout) {
    FileStamp asked;
    if (askedAbout == nullptr) askedAbout = &asked;
    *askedAbout = FileStamp{};
    // a scripted answer stands for a dialog that asked about what is there now
    if (Answerer()) {
        std::optional<std::string> path = Answerer()(request);
        if (path) *askedAbout = FileStampOf(*path);
        return path;
    }

    QFileDialog dialog(owner, ToQString(request.Title));
    dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = ToQString(QtFileFilter(request.Filter)).split(";;", Qt::SkipEmptyParts);
    dialog.setNameFilters(filters);
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    if (!request.DefaultExtension.empty()) dialog.setDefaultSuffix(ToQString(request.DefaultExtension));
    const QString folder = QString::fromStdString(request.InitialDirectory);
    if (!folder.isEmpty() && QDir(folder).exists()) dialog.setDirectory(folder);
    if (!request.FileName.empty()) dialog.selectFile(QString::fromStdString(request.FileName));
    // the dialog's own test follows links, and takes a link that the system
    // refuses to follow for a free name: a name is taken unless it is surely free
    dialog.setOption(QFileDialog::DontConfirmOverwrite);

    for (;;) {
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        const QStringList chosen = dialog.selectedFiles();
        if (chosen.isEmpty()) return std::nullopt;
        const std::string path = QDir::toNativeSeparators(chosen.front()).toStdString();
        if (!request.Save || FileExists(path) == 0) return path;
        const FileStamp described = FileStampOf(path);
        if (MsgBox(PathForMessage(path) + " already exists.\nDo you want to replace it?",
                   vbYesNo + vbExclamation + vbDefaultButton2, ProductName) == vbYes) {
            *askedAbout = described;
            return path;
        }
    }
}

FileDialogAnswerer InstallFileDialogAnswerer(FileDialogAnswerer answerer) {
    FileDialogAnswerer previous = std::move(Answerer());
    Answerer() = std::move(answerer);
    return previous;
}

std::optional<std::string> AskPdfPath(const Model& m, QWidget* owner) {
    FileDialogRequest request;
    request.Save = true;
    request.Title = "Print to PDF file";
    request.Filter = "PDF files (*.pdf)|*.pdf|All files (*.*)|*.*";
    request.DefaultExtension = "pdf";
    const std::string project = m.ProjectFilePath.empty() ? "report" : GetFileBaseName(m.ProjectFilePath);
    request.FileName = project + ".pdf";
    request.InitialDirectory = m.ProjectFilePath.empty() ? m.StartDirectory : FolderOf(m.ProjectFilePath);
    return ShowFileDialog(owner, request);
}

}  // namespace brindlemar
