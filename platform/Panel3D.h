#pragma once
// A panel with a bevel: none, inset or raised. The tool bar, its buttons, the
// title, drawing and status panels are made of it.

#include <QFrame>

namespace brindlemar {

class Panel3D : public QFrame {
    Q_OBJECT
public:
    enum Bevel { None = 0, Inset = 1, Raised = 2 };
    explicit Panel3D(QWidget* parent = nullptr, int bevel = Raised);

    int BevelOuter() const { return bevel_; }
    void SetBevelOuter(int bevel);

private:
    int bevel_ = Raised;
};

}  // namespace brindlemar
