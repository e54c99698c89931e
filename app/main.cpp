#include <QApplication>
#include <QStringList>

#include "model/Model.h"
#include "platform/QtUiHooks.h"
#include "ui/main/Form1.h"
#include "ui/main/Main.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName("Brindlemar");
    app.setOrganizationName("Brindlemar");
    brindlemar::InstallQtUiHooks();

    // the command line as one text: the shell has split a path with blanks
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    brindlemar::Model model;
    model.ProgramDirectory = QApplication::applicationDirPath().toStdString();
    std::unique_ptr<brindlemar::Form1> window(brindlemar::Main(model, arguments.join(' ').toStdString()));
    return app.exec();
}
