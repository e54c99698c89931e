#pragma once
// The application object and a private settings store for the window tests,
// and a main window started as the program starts it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <memory>
#include <string>

#include "model/Model.h"
#include "support/TempDir.h"
#include "ui/main/Form1.h"
#include "ui/main/Main.h"

namespace brindlemar::test {

inline void EnsureUiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    // the tests never read or write the user's own settings
    static TempDir settingsDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(settingsDir.Path().string()));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(settingsDir.Path().string()));
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureUiApplication();
        m.ProgramDirectory = dir.Path().string();
        window.reset(Main(m, ""));
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
