#include <QApplication>

#include "model/Model.h"
#include "platform/QtUiHooks.h"
#include "ui/main/Form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    brindlemar::InstallQtUiHooks();
    brindlemar::Model model;
    brindlemar::Form1 window(model);
    window.show();
    return app.exec();
}
