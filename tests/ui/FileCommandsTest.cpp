#include <QAction>
#include <QLineEdit>
#include <chrono>
#include <deque>
#include <filesystem>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <unistd.h>

#include "UiTestSupport.h"
#include "files/Paths.h"
#include "files/ProjectFile.h"
#include "forms/DimensionEdit.h"
#include "forms/RecentFiles.h"
#include "forms/SaveAsTarget.h"
#include "platform/WindowPlacement.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

namespace fs = std::filesystem;

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Answers the file dialogs with the scripted paths (nullopt: Cancel) and
// records what each asked.
class DialogAnswers {
public:
    explicit DialogAnswers(std::deque<std::optional<std::string>> answers) : answers_(std::move(answers)) {
        previous_ = InstallFileDialogAnswerer([this](const FileDialogRequest& r) {
            Requests.push_back(r);
            if (answers_.empty()) {
                ADD_FAILURE() << "a file dialog more than scripted: " << r.Title;
                return std::optional<std::string>();
            }
            auto answer = answers_.front();
            answers_.pop_front();
            return answer;
        });
    }
    ~DialogAnswers() {
        InstallFileDialogAnswerer(previous_);
        if (!answers_.empty()) ADD_FAILURE() << "a scripted file dialog never opened";
    }
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    std::vector<FileDialogRequest> Requests;

private:
    std::deque<std::optional<std::string>> answers_;
    FileDialogAnswerer previous_;
};

class FileCommandsTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        walls = dir.Path() / "Walls";
        fs::create_directories(walls);
    }

    std::string Wall(const std::string& name) const { return (walls / name).string(); }

    // Saves the open project under `path` through Save as.
    void SaveAs(const std::string& path) {
        DialogAnswers answers({path});
        window->mnuFileSaveAs->trigger();
    }

    void Open(const std::string& path) {
        DialogAnswers answers({path});
        window->mnuFileOpen->trigger();
    }

    void Edit(int label, float value) {
        StoreDimension(m, label, value);
        window->RedrawView();
    }

    QStringList RecentMenu() const {
        QStringList items;
        for (int i = 1; i <= 4; ++i)
            if (window->mnuFileList[i]->isVisible()) items << window->mnuFileList[i]->text();
        return items;
    }

    QString Caption(int label) const { return window->lblDim[label]->text(); }

    // The menu item of a file in `walls`.
    QString Item(int index, const std::string& name) const {
        const std::string path = Wall(name);
        return QString::fromStdString(
            RecentFileCaption(index, GetFileDirectory(path), GetFileBaseName(path), GetFileExtension(path)));
    }

    fs::path walls;
};

TEST_F(FileCommandsTest, NewAfterEditsAsksAndResets) {
    test::MessageRecorder rec;
    Edit(ToeLengthLabel, 3);
    m.ProjectModified = True;

    rec.Answer(vbCancel);
    window->mnuFileNew->trigger();
    ASSERT_EQ(rec.Messages.size(), 1u);
    EXPECT_EQ(rec.Messages[0].Text, "[Unnamed] is not saved.  Do you want to save it now?");
    EXPECT_EQ(rec.Messages[0].Style, vbYesNoCancel + vbExclamation);
    EXPECT_EQ(rec.Messages[0].Title, "Brindlemar");
    EXPECT_FLOAT_EQ(m.ToeLength, 3) << "Cancel keeps the project";

    rec.Answer(vbNo);
    window->imgTool_Click(0);
    EXPECT_FLOAT_EQ(m.ToeLength, 2);
    EXPECT_EQ(Caption(ToeLengthLabel), "2.00");
    EXPECT_EQ(m.ProjectModified, False);
    EXPECT_EQ(m.ProjectFilePath, "");
    EXPECT_EQ(window->windowTitle(), "Brindlemar 2.60 - [Unnamed]");
    EXPECT_TRUE(fs::exists(m.DefaultsFilePath)) << "New writes the defaults file";
}

TEST_F(FileCommandsTest, SaveAsSaveAndOpenBringTheWallBack) {
    test::MessageRecorder rec;
    Edit(HeelLengthLabel, 4.5f);
    window->Text1->setText("Quay wall");
    {
        DialogAnswers answers({Wall("Quay Wall.bmi")});
        window->mnuFileSave->trigger();  // unnamed: Save runs Save as
        ASSERT_EQ(answers.Requests.size(), 1u);
        const FileDialogRequest& r = answers.Requests[0];
        EXPECT_TRUE(r.Save);
        EXPECT_EQ(r.Title, "Brindlemar: Save as");
        EXPECT_EQ(r.Filter, "Input files (*.bmi)|*.bmi|All files (*.*)|*.*");
        EXPECT_EQ(r.DefaultExtension, "bmi");
        EXPECT_EQ(r.FileName, "");
    }
    EXPECT_TRUE(fs::exists(Wall("Quay Wall.bmi")));
    EXPECT_EQ(m.ProjectFilePath, Wall("Quay Wall.bmi"));
    EXPECT_EQ(m.ProjectModified, False);
    EXPECT_EQ(m.SaveSucceeded, True);
    EXPECT_EQ(m.StartDirectory, walls.string());
    EXPECT_EQ(window->windowTitle(), "Brindlemar 2.60 - quay wall.bmi");
    EXPECT_TRUE(window->mnuFileX3->isVisible());
    EXPECT_EQ(RecentMenu(), QStringList{Item(1, "Quay Wall.bmi")});

    // Save of a named project asks nothing and leaves caption and list alone
    Edit(HeelLengthLabel, 5);
    {
        DialogAnswers none({});
        window->imgTool_Click(2);
        EXPECT_TRUE(none.Requests.empty());
    }
    EXPECT_EQ(m.ProjectModified, False);
    EXPECT_EQ(window->windowTitle(), "Brindlemar 2.60 - quay wall.bmi");
    EXPECT_EQ(RecentMenu().size(), 1);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(walls)) names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"Quay Wall.bmi"}) << "no lower-case twin, no backup left";

    // Save as proposes the file's own name in its own folder
    {
        DialogAnswers cancel({std::nullopt});
        window->mnuFileSaveAs->trigger();
        ASSERT_EQ(cancel.Requests.size(), 1u);
        EXPECT_EQ(cancel.Requests[0].FileName, "Quay Wall.bmi");
        EXPECT_EQ(cancel.Requests[0].InitialDirectory, walls.string());
    }

    window->mnuFileNew->trigger();
    EXPECT_FLOAT_EQ(m.HeelLength, 3.37f);
    {
        DialogAnswers answers({Wall("Quay Wall.bmi")});
        window->imgTool_Click(1);
        ASSERT_EQ(answers.Requests.size(), 1u);
        const FileDialogRequest& r = answers.Requests[0];
        EXPECT_FALSE(r.Save);
        EXPECT_EQ(r.Title, "Brindlemar: Open file");
        EXPECT_EQ(r.FilterIndex, 1);
        EXPECT_EQ(r.InitialDirectory, walls.string());
    }
    EXPECT_FLOAT_EQ(m.HeelLength, 5);
    EXPECT_FLOAT_EQ(m.BaseWidth, 8.83f);
    EXPECT_EQ(Caption(HeelLengthLabel), "5.00");
    EXPECT_EQ(window->Text1->text(), "Quay wall");
    EXPECT_EQ(m.ProjectModified, False);
    EXPECT_EQ(window->windowTitle(), "Brindlemar 2.60 - quay wall.bmi");
    EXPECT_TRUE(rec.Messages.empty()) << rec.Messages[0].Text;
}

TEST_F(FileCommandsTest, RecentListKeepsFourNewestFirst) {
    test::MessageRecorder rec;
    for (const char* name : {"a.bmi", "b.bmi", "c.bmi", "d.bmi", "e.bmi"}) SaveAs(Wall(name));
    const auto item = [this](int i, const char* name) { return Item(i, name); };
    EXPECT_EQ(RecentMenu(), (QStringList{item(1, "e.bmi"), item(2, "d.bmi"), item(3, "c.bmi"), item(4, "b.bmi")}));

    // opening a listed file moves it to the top without a second entry
    Edit(ToeLengthLabel, 2.5f);  // unsaved: the prompt comes first
    rec.Answer(vbNo);
    window->mnuFileList[3]->trigger();
    EXPECT_EQ(m.ProjectFilePath, Wall("c.bmi"));
    EXPECT_FLOAT_EQ(m.ToeLength, 2);
    EXPECT_EQ(RecentMenu(), (QStringList{item(1, "c.bmi"), item(2, "e.bmi"), item(3, "d.bmi"), item(4, "b.bmi")}));

    // a listed file deleted since: "File not found", the project stays
    fs::remove(Wall("d.bmi"));
    Edit(ToeLengthLabel, 2.5f);
    rec.Answer(vbNo);
    window->mnuFileList[3]->trigger();
    ASSERT_EQ(rec.Messages.size(), 3u) << "two prompts, then the message";
    EXPECT_EQ(rec.Messages[2].Text, "File not found");
    EXPECT_EQ(rec.Messages[2].Style, vbExclamation);
    EXPECT_EQ(m.ProjectFilePath, Wall("c.bmi"));
    EXPECT_FLOAT_EQ(m.ToeLength, 2.5f);
    EXPECT_EQ(m.ProjectModified, True);
}

TEST_F(FileCommandsTest, RecentCaptionsShortenLongFoldersInLowerCase) {
    const fs::path deep = walls / "Retaining" / "North Quay Stage Two";
    fs::create_directories(deep);
    const std::string path = (deep / "Wall.BMI").string();
    SaveAs(path);
    const std::string folder = GetFileDirectory(path);
    ASSERT_GE(folder.size(), 32u);
    EXPECT_EQ(RecentMenu(), QStringList{QString::fromStdString("&1 ..." + folder.substr(folder.size() - 30) + "/wall.bmi")});
    EXPECT_EQ(folder.substr(folder.size() - 20), "north quay stage two");
    EXPECT_TRUE(fs::exists(path)) << "the file keeps its capitals";
}

TEST_F(FileCommandsTest, MissingOrCorruptFileLeavesTheProjectAsItWas) {
    test::MessageRecorder rec;
    SaveAs(Wall("good.bmi"));
    Edit(ToeLengthLabel, 2.5f);
    m.ProjectModified = True;
    {
        std::ofstream bad(Wall("bad.bmi"), std::ios::binary);
        bad << std::string("\0\0\0\0\x19\0garbage", 12);
    }
    fs::create_directory(Wall("folder.bmi"));
    for (const std::string& path : {Wall("missing.bmi"), Wall("bad.bmi"), Wall("folder.bmi")}) {
        SCOPED_TRACE(path);
        rec.Messages.clear();
        rec.Answer(vbNo);
        window->OpenProjectFile(path);
        ASSERT_EQ(rec.Messages.size(), 2u) << "the prompt, then the reader's message";
        EXPECT_EQ(rec.Messages[1].Style & vbExclamation, vbExclamation);
        EXPECT_NE(rec.Messages[1].Text.find(path), std::string::npos) << rec.Messages[1].Text;
        EXPECT_FLOAT_EQ(m.ToeLength, 2.5f);
        EXPECT_EQ(m.ProjectModified, True);
        EXPECT_EQ(m.ProjectFilePath, Wall("good.bmi"));
        EXPECT_EQ(RecentMenu().size(), 1);
        EXPECT_EQ(window->windowTitle(), "Brindlemar 2.60 - good.bmi");
    }
}

// The program writes the defaults, the settings and their lock again itself:
// Save as puts the wall in none of them, under any spelling of the path.
TEST_F(FileCommandsTest, SaveAsRefusesTheFilesTheProgramWritesItself) {
    test::MessageRecorder rec;
    window->mnuFileNew->trigger();
    const std::string defaults = m.DefaultsFilePath, before = Contents(defaults);
    const fs::path settings = OpenProgramSettings()->fileName().toStdString();
    ASSERT_FALSE(before.empty());
    fs::create_symlink(defaults, Wall("link.bmi"));
    Edit(ToeLengthLabel, 3);
    const std::string ofDefaults = " holds the program's defaults and is written again after every file command.",
                      ofSettings = " holds the program's settings and is written again when the program ends.";
    const std::pair<std::string, std::string> cases[] = {
        {defaults, ofDefaults}, {Wall("link.bmi"), ofDefaults}, {settings.string() + ".lock", ofSettings},
        {(settings.parent_path() / ".." / settings.parent_path().filename() / "Brindlemar.conf").string(), ofSettings}};
    for (const auto& [path, text] : cases) {
        SCOPED_TRACE(path);
        rec.Messages.clear();
        SaveAs(path);
        ASSERT_EQ(rec.Messages.size(), 1u);
        EXPECT_EQ(rec.Messages[0].Text, path + text + " Save the wall under another name.");
        EXPECT_EQ(m.SaveSucceeded, False);
        EXPECT_EQ(m.ProjectModified, True);
        EXPECT_EQ(m.ProjectFilePath, "");
        EXPECT_EQ(Contents(defaults), before);
    }
}

TEST_F(FileCommandsTest, ASaveThatFailsKeepsTheProjectModifiedAndUnnamed) {
    test::MessageRecorder rec;
    { std::ofstream file(Wall("not a folder")); }
    const std::string unwritable = Wall("not a folder") + "/wall.bmi";
    Edit(ToeLengthLabel, 3);
    SaveAs(unwritable);
    ASSERT_EQ(rec.Messages.size(), 1u) << "the writer says why";
    EXPECT_EQ(m.ProjectModified, True);
    EXPECT_EQ(m.SaveSucceeded, False);
    EXPECT_EQ(m.ProjectFilePath, "");
    EXPECT_TRUE(RecentMenu().isEmpty());

    // a named project whose file was made write-protected: Save says so and
    // keeps the file, the modified state and the caption
    SaveAs(Wall("kept.bmi"));
    const std::string kept = Contents(Wall("kept.bmi"));
    fs::permissions(Wall("kept.bmi"), fs::perms(0444));
    Edit(ToeLengthLabel, 3.5f);
    m.ProjectModified = True;
    rec.Messages.clear();
    window->mnuFileSave->trigger();
    ASSERT_EQ(rec.Messages.size(), 1u);
    EXPECT_EQ(rec.Messages[0].Text, "Cannot write " + Wall("kept.bmi") + ": the file is write-protected");
    EXPECT_EQ(Contents(Wall("kept.bmi")), kept);
    EXPECT_EQ(m.ProjectModified, True);
    EXPECT_EQ(window->windowTitle(), "Brindlemar 2.60 - kept.bmi");
    Edit(ToeLengthLabel, 3);

    // "Yes" in the prompt with a save that fails ends New: nothing is lost
    m.ProjectFilePath = unwritable;
    rec.Answer(vbYes);
    window->mnuFileNew->trigger();
    EXPECT_FLOAT_EQ(m.ToeLength, 3);
    EXPECT_EQ(m.ProjectModified, True);

    // and "Yes" for an unnamed project whose Save-as dialog is cancelled ends Open
    m.ProjectFilePath.clear();
    rec.Answer(vbYes);
    {
        DialogAnswers answers({std::nullopt});
        window->mnuFileOpen->trigger();
        ASSERT_EQ(answers.Requests.size(), 1u);
        EXPECT_TRUE(answers.Requests[0].Save) << "only the Save-as dialog opened";
    }
    EXPECT_FLOAT_EQ(m.ToeLength, 3);
    EXPECT_EQ(m.ProjectModified, True);
}

// What another program does to a saved project file: writes it over within
// the same second (a nanosecond later), or saves through a new file renamed
// over it that bears the same time.
void RewriteInPlace(const std::string& path) {
    const auto time = fs::last_write_time(path);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "theirs";
    fs::last_write_time(path, time + std::chrono::nanoseconds(1));
}
void ReplaceWithTheSameTime(const std::string& path) {
    std::ofstream(path + ".new", std::ios::binary) << "theirs";
    fs::last_write_time(path + ".new", fs::last_write_time(path));
    fs::rename(path + ".new", path);
}

void PutLinkToAnotherFile(const std::string& path) {
    std::ofstream(path + ".private", std::ios::binary) << "theirs";
    fs::remove(path);
    fs::create_symlink(path + ".private", path);
}

// A file someone else saved since this wall was read or saved is replaced
// only when the user says so, asked while the save holds the file's lock;
// No saves nothing and keeps the wall modified, and is the default. A name
// that now leads to another file says where. A file as this
// wall left it saves without a question, and so does Save as onto another
// file.
TEST_F(FileCommandsTest, SaveAsksBeforeReplacingAFileSavedSinceByAnotherProgram) {
    struct Case {
        const char* what;
        void (*change)(const std::string& path);
        bool throughNew;  // saved from New's prompt rather than by Save
        int answer;
        bool elsewhere;  // the name leads to another file now
    };
    const Case cases[] = {
        {"written over in place, kept", RewriteInPlace, false, vbNo, false},
        {"written over in place, replaced", RewriteInPlace, false, vbYes, false},
        {"replaced by a file of the same time, kept", ReplaceWithTheSameTime, false, vbNo, true},
        {"kept when New offers to save first", RewriteInPlace, true, vbNo, false},
        {"a link to another file put at its name, kept", PutLinkToAnotherFile, false, vbNo, true},
    };
    const std::string path = Wall("quay.bmi");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::MessageRecorder rec;
        SaveAs(path);
        Edit(ToeLengthLabel, 3);
        m.ProjectModified = True;
        c.change(path);

        if (c.throughNew) rec.Answer(vbYes);
        rec.Answer(c.answer);
        bool lockedWhileAsked = false;
        rec.OnMessage = [&](const test::RecordedMessage&) {
            const int fd = ::open(path.c_str(), O_RDONLY);
            lockedWhileAsked = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
            ::close(fd);
        };
        (c.throughNew ? window->mnuFileNew : window->mnuFileSave)->trigger();
        ASSERT_EQ(rec.Messages.size(), c.throughNew ? 2u : 1u);
        const test::RecordedMessage& asked = rec.Messages.back();
        EXPECT_TRUE(lockedWhileAsked);
        const std::string leadsTo = fs::canonical(path).string();
        EXPECT_EQ(asked.Text, c.change == PutLinkToAnotherFile
                                  ? path + " now leads to another file than the one opened: " + leadsTo +
                                        ". Replace that file with this wall?"
                                  : path + (c.elsewhere ? " was replaced" : " was changed") +
                                        " by another program since it was opened. Replace " +
                                        (c.elsewhere ? "the file now there" : "it") + " with this wall?");
        EXPECT_EQ(asked.Style, vbYesNo + vbExclamation + vbDefaultButton2);
        EXPECT_EQ(asked.Title, "Brindlemar");
        const bool replaced = c.answer == vbYes;
        EXPECT_EQ(Contents(path) == "theirs", !replaced);
        EXPECT_EQ(m.ProjectModified, replaced ? False : True);
        EXPECT_EQ(m.SaveSucceeded, replaced ? True : False);
        EXPECT_FLOAT_EQ(m.ToeLength, 3) << "the wall stays open";
        EXPECT_EQ(m.ProjectFilePath, path);
        fs::remove(path);
    }

    // as this wall left it, after a save or an open: no question
    test::MessageRecorder rec;
    SaveAs(path);
    Edit(ToeLengthLabel, 2.5f);
    window->mnuFileSave->trigger();
    window->mnuFileNew->trigger();
    Open(path);
    Edit(ToeLengthLabel, 2);
    window->mnuFileSave->trigger();
    EXPECT_EQ(m.SaveSucceeded, True);
    // Save as onto a file another program wrote: the dialog has asked
    std::ofstream(Wall("other.bmi"), std::ios::binary) << "theirs";
    SaveAs(Wall("other.bmi"));
    EXPECT_EQ(m.SaveSucceeded, True);
    EXPECT_TRUE(rec.Messages.empty()) << rec.Messages[0].Text;
    // as the save begins, another program writes over the file the dialog
    // asked about (asked again: No by default), or takes a name it found free
    // (kept, and told)
    const UiHooks recorded = InstallUiHooks({});
    for (const std::string name : {"other.bmi", "new.bmi"}) {
        UiHooks meanwhile = recorded;
        bool written = false;
        meanwhile.SetBusyPointer = [&](bool busy) {
            if (busy && !std::exchange(written, true)) std::ofstream(Wall(name), std::ios::binary) << "theirs";
            recorded.SetBusyPointer(busy);
        };
        InstallUiHooks(meanwhile);
        SaveAs(Wall(name));
        InstallUiHooks(recorded);
        EXPECT_TRUE(Contents(Wall(name)) == "theirs") << name;
    }
    ASSERT_EQ(rec.Messages.size(), 2u);
    EXPECT_EQ(rec.Messages[0].Text, Wall("other.bmi") + " was changed by another program after you chose to replace it. Replace the file now there?");
    EXPECT_EQ(rec.Messages[1].Text, MadeMeanwhile(Wall("new.bmi")));
    EXPECT_EQ(m.ProjectFilePath, Wall("other.bmi"));
}

// On Linux a backslash is a character of a name: the file chosen is the file
// written, shown and opened again (from the command line too: see below).
TEST_F(FileCommandsTest, ABackslashBelongsToTheName) {
    test::MessageRecorder rec;
    fs::create_directory(walls / "we");
    const std::string path = Wall("We\\ird.bmi");
    Edit(StemTopThicknessLabel, 1.2f);
    SaveAs(path);
    EXPECT_TRUE(fs::is_regular_file(path));
    EXPECT_TRUE(fs::is_empty(walls / "we")) << "nothing written into the folder \"we\"";
    EXPECT_EQ(window->windowTitle(), "Brindlemar 2.60 - we\\ird.bmi");
    EXPECT_EQ(RecentMenu(), QStringList{Item(1, "We\\ird.bmi")});
    {
        DialogAnswers cancel({std::nullopt});
        window->mnuFileSaveAs->trigger();
        EXPECT_EQ(cancel.Requests.at(0).FileName, "We\\ird.bmi");
        EXPECT_EQ(cancel.Requests.at(0).InitialDirectory, walls.string());
    }

    window->mnuFileNew->trigger();
    Open(path);
    EXPECT_FLOAT_EQ(m.StemTopThickness, 1.2f);
    window->mnuFileNew->trigger();
    window->mnuFileList[1]->trigger();
    EXPECT_FLOAT_EQ(m.StemTopThickness, 1.2f);
    EXPECT_TRUE(rec.Messages.empty()) << rec.Messages[0].Text;
}

TEST_F(FileCommandsTest, CommandLineOpensTheFileWithOrWithoutQuotes) {
    const fs::path spaced = walls / "North Quay";
    fs::create_directories(spaced);
    const std::string path = (spaced / "Wall 1.bmi").string();
    Edit(StemTopThicknessLabel, 1.1f);
    SaveAs(path);
    // an old name in Latin-1, which is no UTF-8: the bytes reach the file
    const std::string latin1 = (spaced / "Qu\xE9 2.bmi").string();
    ASSERT_TRUE(WriteProjectFile(m, latin1));
    // a backslash is a character of the name, not a folder
    fs::create_directory(spaced / "we");
    const std::string backslash = (spaced / "We\\ird.bmi").string();
    ASSERT_TRUE(WriteProjectFile(m, backslash));

    struct Case {
        std::vector<std::string> line;
        std::string opened;
    };
    const Case cases[] = {
        {{"\"" + path + "\""}, path}, {{path}, path}, {{"--", path}, path}, {{path, Wall("second.bmi")}, path},
        {{"--", latin1, path}, latin1}, {{backslash}, backslash},
    };
    for (const auto& [line, opened] : cases) {
        SCOPED_TRACE(opened);
        test::MessageRecorder rec;
        Model started;
        started.ProgramDirectory = dir.Path().string();
        std::unique_ptr<Form1> second(Main(started, line));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(second.get()));
        EXPECT_TRUE(rec.Messages.empty()) << "nothing said of the rest: " << rec.Messages[0].Text;
        EXPECT_FLOAT_EQ(started.StemTopThickness, 1.1f);
        EXPECT_EQ(second->lblDim[StemTopThicknessLabel]->text(), "1.10");
        EXPECT_EQ(started.ProjectFilePath, opened);
        EXPECT_EQ(started.ProjectModified, False);
        EXPECT_EQ(started.RecentFileCount, 1);
        EXPECT_TRUE(second->mnuFileList[1]->isVisible());
        // the title names the file as the Open command does, in small letters
        EXPECT_EQ(second->windowTitle().compare(
                      QString::fromStdString("Brindlemar 2.60 - " + fs::path(opened).filename().string()), Qt::CaseInsensitive),
                  0)
            << second->windowTitle().toStdString();
    }
}

// A defaults file that cannot be written is told at the first file command
// that writes it, not at every one.
TEST_F(FileCommandsTest, ADefaultsFileThatCannotBeWrittenIsToldOnce) {
    fs::create_directory(m.DefaultsFilePath);
    test::MessageRecorder rec;
    window->mnuFileNew->trigger();
    SaveAs(Wall("quay.bmi"));
    window->mnuFileSave->trigger();
    Open(Wall("quay.bmi"));
    window->mnuFileList[1]->trigger();
    window->mnuFileNew->trigger();
    EXPECT_TRUE(window->close());
    ASSERT_EQ(rec.Messages.size(), 1u);
    EXPECT_EQ(rec.Messages[0].Text, "Cannot write " + m.DefaultsFilePath + ": it is a folder");
    EXPECT_TRUE(fs::is_regular_file(Wall("quay.bmi")));
}

}  // namespace
}  // namespace brindlemar
