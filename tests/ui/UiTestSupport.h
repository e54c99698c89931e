#pragma once
// The application object and a private settings store for the window tests,
// and a main window started as the program starts it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTest>
#include <fstream>
#include <memory>
#include <string>

#include "model/Model.h"
#include "support/BuiltInWall.h"
#include "platform/FileDialogs.h"
#include "support/TempDir.h"
#include "ui/main/Form1.h"
#include "ui/main/Main.h"

namespace brindlemar::test {

// The application object lives from before the first test to after the
// last one, and goes before the program's static objects do.
class UiEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        settingsDir_ = std::make_unique<TempDir>();
        UseTestScreen();
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        // the tests never read or write the user's own settings
        const QString path = QString::fromStdString(settingsDir_->Path().string());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
        // no test waits on a real file dialog: unless a test answers, the
        // dialog is cancelled
        InstallFileDialogAnswerer([](const FileDialogRequest&) { return std::optional<std::string>(); });
    }
    void TearDown() override {
        app_.reset();
        settingsDir_.reset();
    }

private:
    // The offscreen platform's own screen is 800 x 600; the windows are tried
    // on a small laptop's instead, BRINDLEMAR_TEST_SCREEN ("1920x1080") on
    // another, and a desktop scale is QT_SCALE_FACTOR's.
    void UseTestScreen() const {
        if (qgetenv("QT_QPA_PLATFORM") != "offscreen") return;
        const QByteArray size = qEnvironmentVariable("BRINDLEMAR_TEST_SCREEN", "1280x800").toLatin1();
        const QList<QByteArray> sides = size.split('x');
        if (sides.size() != 2) return;
        const std::string config = settingsDir_->File("screen.json");
        std::ofstream(config) << R"({"screens": [{"name": "test", "x": 0, "y": 0, "width": )" << sides[0].toStdString()
                              << R"(, "height": )" << sides[1].toStdString()
                              << R"(, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QByteArray::fromStdString(config));
    }

    std::unique_ptr<QApplication> app_;
    std::unique_ptr<TempDir> settingsDir_;
};

// The focus taken by the keyboard: Tab from the stop before `w`.
inline void TabInto(QWidget* w) {
    QWidget* before = w->previousInFocusChain();
    while (!(before->focusPolicy() & Qt::TabFocus) || !before->isVisible() || !before->isEnabled()) before = before->previousInFocusChain();
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        m.ProgramDirectory = dir.Path().string();
        window.reset(Main(m, {}));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <typename T = QWidget>
    T* Find(const QString& name) {
        T* found = window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    // The status line as it reads on the screen.
    QString StatusLine() {
        QString line;
        for (QLabel* piece : window->Label6) line += piece->text();
        return line;
    }

    TempDir dir;
    Model m;
    std::unique_ptr<Form1> window;
};

}  // namespace brindlemar::test
