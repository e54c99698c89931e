#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "SurfaceTestApplication.h"
#include "platform/Fonts.h"
#include "platform/QtUiHooks.h"
#include "platform/Shell.h"
#include "runtime/Hooks.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

struct StyleCase {
    int style;
    std::vector<QMessageBox::StandardButton> buttons;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton defaultButton;
};

TEST(MessageBox, StylesGiveTheirButtonsIconAndDefault) {
    test::EnsureQtApplication();
    const StyleCase cases[] = {
        {vbOKOnly, {QMessageBox::Ok}, QMessageBox::NoIcon, QMessageBox::Ok},
        {vbYesNo, {QMessageBox::Yes, QMessageBox::No}, QMessageBox::NoIcon, QMessageBox::Yes},
        {vbExclamation, {QMessageBox::Ok}, QMessageBox::Warning, QMessageBox::Ok},
        {vbYesNoCancel + vbExclamation, {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel}, QMessageBox::Warning,
         QMessageBox::Yes},
        {vbYesNo + vbDefaultButton2, {QMessageBox::Yes, QMessageBox::No}, QMessageBox::NoIcon, QMessageBox::No},
    };
    for (const StyleCase& c : cases) {
        QMessageBox box;
        PrepareMessageBox(box, "Text <b>not</b> markup \xBD", c.style, "Brindlemar");
        EXPECT_EQ(box.windowTitle(), "Brindlemar") << c.style;
        EXPECT_EQ(box.text(), QString::fromUtf8("Text <b>not</b> markup \u00BD")) << c.style;
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.icon(), c.icon) << c.style;
        ASSERT_EQ(box.buttons().size(), static_cast<qsizetype>(c.buttons.size())) << c.style;
        for (auto b : c.buttons) EXPECT_NE(box.button(b), nullptr) << c.style;
        EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), box.button(c.defaultButton)) << c.style;
    }
}

TEST(MessageBox, ClosingWithoutAButtonNeverGoesAhead) {
    const int noButton = QMessageBox::NoButton;
    EXPECT_EQ(MessageBoxAnswer(vbYesNoCancel + vbExclamation, noButton), vbCancel);
    EXPECT_EQ(MessageBoxAnswer(vbYesNo, noButton), vbNo);
    EXPECT_EQ(MessageBoxAnswer(vbOKOnly, noButton), vbOK);
    EXPECT_EQ(MessageBoxAnswer(vbYesNoCancel, QMessageBox::No), vbNo);
    EXPECT_EQ(MessageBoxAnswer(vbYesNo, QMessageBox::Yes), vbYes);
}

TEST(MessageBox, TheInstalledHookShowsTheBoxAndReturnsTheButtonPressed) {
    test::EnsureQtApplication();
    InstallQtUiHooks();
    QString shownText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shownText = box->text();
        box->button(QMessageBox::No)->click();
    });
    const int answer = MsgBox("[Unnamed] is not saved.  Do you want to save it now?", 51, "Brindlemar");
    InstallUiHooks({});
    EXPECT_EQ(answer, vbNo);
    EXPECT_EQ(shownText, "[Unnamed] is not saved.  Do you want to save it now?");
}

TEST(BusyPointer, IsAStateThatOneCallEnds) {
    test::EnsureQtApplication();
    SetQtBusyPointer(true);
    SetQtBusyPointer(true);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    SetQtBusyPointer(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(QtBusyPointerShown());
    SetQtBusyPointer(false);  // already normal: nothing to undo
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Records the addresses handed to the desktop instead of starting a browser.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() {
        for (const char* scheme : {"https", "mailto", "file"}) QDesktopServices::setUrlHandler(scheme, this, "Open");
    }
    ~UrlRecorder() override {
        for (const char* scheme : {"https", "mailto", "file"}) QDesktopServices::unsetUrlHandler(scheme);
    }
    std::vector<QUrl> Opened;
public slots:
    void Open(const QUrl& url) { Opened.push_back(url); }
};

TEST(Shell, OpensWebMailAndFileAddresses) {
    test::EnsureQtApplication();
    UrlRecorder urls;
    EXPECT_TRUE(ShellOpen("https://www.brindlemar.example/"));
    EXPECT_TRUE(ShellOpen("mailto:support@brindlemar.example"));
    EXPECT_TRUE(ShellOpen("/tmp/some folder/page.html"));
    EXPECT_FALSE(ShellOpen(""));
    ASSERT_EQ(urls.Opened.size(), 3u);
    EXPECT_EQ(urls.Opened[0].host(), "www.brindlemar.example");
    EXPECT_EQ(urls.Opened[1].scheme(), "mailto");
    EXPECT_EQ(urls.Opened[1].path(), "support@brindlemar.example");
    EXPECT_EQ(urls.Opened[2].toLocalFile(), "/tmp/some folder/page.html");
}

TEST(Shell, HelpOpensThePageBesideTheProgramOrSaysItIsMissing) {
    test::EnsureQtApplication();
    UrlRecorder urls;
    test::MessageRecorder messages;
    const bool installed = QFileInfo::exists(QString::fromStdString(HelpFilePath()));
    EXPECT_EQ(ShowHelp(), installed);
    ASSERT_EQ(urls.Opened.size(), installed ? 1u : 0u);
    if (installed) {
        EXPECT_TRUE(urls.Opened[0].toLocalFile().endsWith("/Brindlemar.html"));
        EXPECT_TRUE(messages.Messages.empty());
    } else {
        ASSERT_EQ(messages.Messages.size(), 1u);
        EXPECT_EQ(messages.Messages[0].Text, "The help page is missing: " + HelpFilePath());
    }
}

TEST(Fonts, MetricCompatibleFacesStandForTheWindowsNames) {
    test::EnsureQtApplication();
    // Debian's Liberation faces carry the metrics of the three Windows faces
    const std::vector<std::string> installed = {"Liberation Sans", "DejaVu Sans"};
    const auto offered = OfferedFontNames({"Arial", "arial", "Times New Roman", "Courier New", "Wingdings"}, installed);
    const bool liberation = ResolvedFontFamily("Arial") == "Liberation Sans";
    if (liberation) {
        EXPECT_EQ(offered, (std::vector<std::string>{"Arial", "Times New Roman", "Courier New"}));
    }
    // a name in other letter case, or a face with no stand-in, is not offered
    for (const std::string& name : offered) {
        EXPECT_NE(name, "arial");
        EXPECT_NE(name, "Wingdings");
    }
    EXPECT_EQ(OfferedFontNames({"DejaVu Sans", "dejavu sans"}, installed), std::vector<std::string>{"DejaVu Sans"});
}

}  // namespace
}  // namespace brindlemar

#include "DesktopServicesTest.moc"
