#include <QDesktopServices>
#include <filesystem>
#include <fstream>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QWindow>

#include "UiTestSupport.h"
#include "platform/ScreenFit.h"
#include "files/DefaultsFile.h"
#include "files/ProjectFile.h"
#include "files/Paths.h"
#include "support/MessageRecorder.h"
#include "support/ScopedEnvironment.h"
#include "ui/main/frmAbout.h"

namespace brindlemar {
namespace {

using test::MainWindowTest;

// Takes the addresses handed to the desktop instead of starting a browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() {
        for (const char* scheme : {"https", "mailto"}) QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
    ~UrlRecorder() override {
        for (const char* scheme : {"https", "mailto"}) QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl& url) { Opened << url; }
};

// Closing the window or choosing Exit asks to save a modified project; only
// No (or nothing to save) ends the program, and keeps the defaults for the
// next start.
TEST_F(MainWindowTest, ClosingAsksToSaveAModifiedProjectAndOnlyNoEndsTheProgram) {
    struct Case {
        const char* what;
        bool modified;
        const char* path;
        int answer;
        bool byExit;
        const char* prompt;  // nullptr: nothing asked
        bool ends;
    };
    const Case cases[] = {
        {"unchanged", false, "", vbNo, false, nullptr, true},
        {"Cancel", true, "", vbCancel, false, "[Unnamed] is not saved.  Do you want to save it now?", false},
        {"Yes without a save", true, "", vbYes, false, "[Unnamed] is not saved.  Do you want to save it now?", false},
        {"No, from Exit, names the file", true, "/home/eng/Quay Wall.bmi", vbNo, true,
         "/home/eng/Quay Wall.bmi is not saved.  Do you want to save it now?", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(m.DefaultsFilePath);
        window->show();
        test::MessageRecorder rec;
        m.ProjectModified = c.modified ? True : False;
        m.ProjectFilePath = c.path;
        if (c.prompt) rec.Answer(c.answer);
        if (c.byExit) {
            window->mnuFileExit->trigger();
        } else {
            EXPECT_EQ(window->close(), c.ends);
        }
        if (c.prompt == nullptr) {
            EXPECT_TRUE(rec.Messages.empty());
        } else {
            ASSERT_EQ(rec.Messages.size(), 1u);
            EXPECT_EQ(rec.Messages[0].Text, c.prompt);
            EXPECT_EQ(rec.Messages[0].Style, vbYesNoCancel + vbExclamation);
            EXPECT_EQ(rec.Messages[0].Title, "Brindlemar");
        }
        EXPECT_EQ(window->isVisible(), !c.ends);
        if (c.answer != vbYes) {
            EXPECT_EQ(FileExists(m.DefaultsFilePath), c.ends ? True : 0) << "the defaults are kept for the next start";
        }
        if (!c.ends) {
            EXPECT_EQ(m.ProjectModified, True);
        }
    }
}

TEST_F(MainWindowTest, TheNextStartBeginsWithTheDefaultsKeptAtShutdown) {
    test::MessageRecorder rec;
    window->mnuUnitBritish->trigger();
    rec.Answer(vbNo);
    ASSERT_TRUE(window->close());
    window.reset();

    Model next;
    next.ProgramDirectory = dir.Path().string();
    std::unique_ptr<Form1> again(Main(next, {}));
    EXPECT_EQ(next.CurrentUnitSystem, British);
    EXPECT_EQ(again->Combo1a->currentIndex(), British);
    EXPECT_TRUE(again->mnuUnitBritish->isChecked());
    EXPECT_EQ(next.ProjectModified, False);
}

// An installed program keeps its defaults in the configuration folder; one
// it cannot read is told once at start-up, with its path, however many
// times the model is reset, and the program starts with the built-in values.
TEST_F(MainWindowTest, AnUnreadableConfigurationFolderIsToldOnceByItsPath) {
    const std::string project = dir.File("quay.bmi");
    ASSERT_TRUE(WriteProjectFile(m, project));
    { std::ofstream(dir.File("blocked")) << "a file where the folder should be"; }
    const test::ScopedEnvironment config("XDG_CONFIG_HOME", dir.File("blocked"));

    test::MessageRecorder rec;
    Model installed;
    installed.ProgramDirectory = dir.File("not writable");
    installed.ConfigurationDirectory = UserConfigDirectory();
    std::unique_ptr<Form1> started(Main(installed, {project}));
    ASSERT_EQ(rec.Messages.size(), 1u);
    EXPECT_EQ(rec.Messages[0].Text, "Cannot read " + dir.File("blocked") +
                                        "/Brindlemar: Not a directory\nThe built-in settings are used.");
    EXPECT_EQ(installed.ProjectFilePath, project);
    installed.ProjectModified = False;
    started->mnuFileNew->trigger();
    EXPECT_TRUE(started->close());
    EXPECT_EQ(rec.Messages.size(), 1u) << "nothing more at the next reset nor at shutdown";
}

TEST_F(MainWindowTest, ResizedToTheMinimumEveryControlStaysInsideAndApart) {
    window->resize(1, 1);
    const QSize minimum = window->minimumSize();
    EXPECT_EQ(window->size(), minimum);
    // the loads view keeps its values apart, and the window fits a 1280 x 800 screen, or a smaller one's room
    const QSize room = ClientRoom(window.get()).size();
    EXPECT_GE(minimum.width(), std::min(1000, room.width()));
    EXPECT_GE(minimum.height(), std::min(700, room.height()));
    EXPECT_LE(minimum.width(), std::min(1280 - 20, room.width()));
    EXPECT_LE(minimum.height(), std::min(800 - 60, room.height()));
    // resized from outside, as a display without a window manager lets a tool do, it snaps back
    window->show();
    window->windowHandle()->resize(400, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(window->size(), minimum);

    for (const QSize size : {minimum, QSize(1280, 800), QSize(1920, 1080)}) {
        window->resize(size);
        const QRect inside = window->rect();
        const QWidget* client = window->centralWidget();
        const QWidget* column = window->ColumnArea->widget();
        std::vector<std::pair<const QWidget*, QRect>> placed;
        for (const QWidget* w : client->findChildren<QWidget*>()) {
            if (!w->isVisible()) continue;
            const QRect r(w->mapTo(window.get(), QPoint(0, 0)), w->size());
            EXPECT_TRUE(inside.contains(r)) << w->objectName().toStdString() << " at " << size.width() << "x"
                                            << size.height();
            if ((w->parentWidget() == client || w->parentWidget() == column) && !w->objectName().startsWith("Line"))
                placed.emplace_back(w, r);
        }
        // the controls laid side by side and one under the other never overlap (the column's lie in its scroll area)
        for (size_t i = 0; i < placed.size(); ++i)
            for (size_t j = i + 1; j < placed.size(); ++j)
                EXPECT_FALSE(placed[i].second.intersects(placed[j].second) &&
                             !placed[i].first->isAncestorOf(placed[j].first) && !placed[j].first->isAncestorOf(placed[i].first))
                    << placed[i].first->objectName().toStdString() << " and " << placed[j].first->objectName().toStdString()
                    << " at " << size.width() << "x" << size.height();
        // the status line fits in its panel
        for (const QLabel* piece : window->Label6)
            EXPECT_TRUE(window->Picture4->rect().contains(piece->geometry())) << piece->objectName().toStdString();
        // "Loads and Resistances" is never narrower than 1815 twips, and no caption is cut
        EXPECT_GE(window->Command3->width(), 121);
        for (const QPushButton* b : {window->Command2, window->Command3, window->Command6, window->Command4,
                                     window->Command5})
            EXPECT_GE(b->width(), b->sizeHint().width()) << b->objectName().toStdString();
    }
}

TEST_F(MainWindowTest, AboutShowsTheProgramsVersionAndFollowsItsLinks) {
    m.ProjectFilePath = "/tmp/other.bmi";
    frmAbout about(m, window.get());
    EXPECT_EQ(about.windowTitle(), "About Brindlemar");
    EXPECT_EQ(about.lblAbout[2]->text(), "Version 2.60 dated June 2011");
    EXPECT_EQ(about.cmdAbout->text(), "Close");

    QLabel* web = about.lblAbout[4];
    about.lblAbout_MouseMove(4);
    EXPECT_TRUE(web->font().bold());
    EXPECT_TRUE(web->font().underline());
    EXPECT_EQ(web->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    about.Form_MouseMove();
    EXPECT_TRUE(web->font().bold());
    EXPECT_FALSE(web->font().underline());
    EXPECT_EQ(web->palette().color(QPalette::WindowText), QColor(0, 0, 0));

    about.lblAbout_MouseMove(2);  // not a link
    EXPECT_FALSE(about.lblAbout[2]->font().underline());

    UrlRecorder urls;
    about.lblAbout_Click(4);
    about.lblAbout_Click(3);
    about.lblAbout_Click(1);
    ASSERT_EQ(urls.Opened.size(), 2);
    EXPECT_EQ(urls.Opened[0].toString(), frmAbout::WebAddress);
    EXPECT_EQ(urls.Opened[1].toString(), QString("mailto:") + frmAbout::MailAddress);
    EXPECT_EQ(web->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    // a followed link hovered again turns blue, and black when left
    about.lblAbout_MouseMove(4);
    EXPECT_EQ(web->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    about.Form_MouseMove();
    EXPECT_EQ(web->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

TEST_F(MainWindowTest, AboutOpensFromTheHelpMenuAndCloses) {
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* about = window->findChild<frmAbout*>("frmAbout");
        ASSERT_NE(about, nullptr);
        shown = about->isVisible();
        about->cmdAbout->click();
    });
    window->mnuAbout->trigger();
    EXPECT_TRUE(shown);
    EXPECT_EQ(window->findChild<frmAbout*>("frmAbout"), nullptr);
}

}  // namespace
}  // namespace brindlemar

#include "WindowLifeTest.moc"
