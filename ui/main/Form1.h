#pragma once
// The main window.

#include <QMainWindow>

#include "model/Model.h"

namespace brindlemar {

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(Model& m, QWidget* parent = nullptr);

private:
    Model& m_;
};

}  // namespace brindlemar
