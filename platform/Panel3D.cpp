#include "platform/Panel3D.h"

namespace brindlemar {

Panel3D::Panel3D(QWidget* parent, int bevel) : QFrame(parent) { SetBevelOuter(bevel); }

void Panel3D::SetBevelOuter(int bevel) {
    bevel_ = bevel;
    switch (bevel) {
        case Inset: setFrameStyle(QFrame::Panel | QFrame::Sunken); break;
        case Raised: setFrameStyle(QFrame::Panel | QFrame::Raised); break;
        default: setFrameStyle(QFrame::NoFrame); break;
    }
    setLineWidth(1);
}

}  // namespace brindlemar
