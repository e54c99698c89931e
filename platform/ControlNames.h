#pragma once
// Controls carry the program's names for them, which tests look them up by.

#include <QString>

namespace brindlemar {

template <typename W>
W* Named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace brindlemar
