#include "ui/main/Form1.h"

namespace brindlemar {

Form1::Form1(Model& m, QWidget* parent) : QMainWindow(parent), m_(m) {
    setObjectName("Form1");
    setWindowTitle("Brindlemar");
    resize(1024, 700);
}

}  // namespace brindlemar
