#pragma once
// What a reader of a picture needs of its values, checked on what a view
// drew on the recording surface: each value told what it labels (its anchor)
// stands within two of its heights of it or is joined to it by a leader
// line, no anchor of another value in the same colour lies nearer to it, and
// it touches no other text (side by side two read as one), no line and no
// area kept clear (the factor table), in type no smaller than a least.
// As a reader reads (AsReader): the nearest thing drawn is its own or a
// leader crossing no other line joins them, a short one or one that keeps
// clear of other things; on its axis's side, among no other's values.

#include <optional>
#include <string>
#include <vector>

#include "drawing/TextPlacement.h"
#include "support/RecordingSurface.h"

namespace brindlemar::test {

struct LabelRules {
    std::vector<TextBox> KeepClear;   // areas no value may enter; the texts inside one are its own
    bool EveryNumberAnchored = true;  // a printed number told nothing of what it labels is a fault
    std::vector<std::string>* AsReader = nullptr;  // the faults a reader finds (below) go here, when given
    std::optional<TextBox> Frame;     // the picture, which every value keeps within, uncut
    double LeastType = 0;             // the smallest type a value may be printed in, points
    bool ThingsApart = false;         // no line of one thing crosses another's (two diagrams never share hatching)
};

// One line per fault, naming the value and where it stands; `checked` counts the values judged.
std::vector<std::string> LabelFaults(const std::vector<SurfaceCall>& calls, const LabelRules& rules = {}, int* checked = nullptr);

}  // namespace brindlemar::test
