#include "skin/vertical_layout.h"

namespace skin {

void VerticalLayout::ArrangeChildren() {
    int fixedTotal = 0;
    int flexible = 0;
    for (auto& child : children_) {
        if (child->floating_ || !child->visible_) continue;
        if (child->fixedHeight_ > 0) {
            fixedTotal += child->fixedHeight_;
        } else {
            ++flexible;
        }
    }
    int height = rect_.bottom - rect_.top;
    int share = flexible > 0 && height > fixedTotal ? (height - fixedTotal) / flexible : 0;
    LONG top = rect_.top;
    for (auto& child : children_) {
        if (child->floating_) {
            child->Arrange(FloatingRect(*child));
            continue;
        }
        if (!child->visible_) continue;
        int h = child->fixedHeight_ > 0 ? child->fixedHeight_ : share;
        LONG right = child->fixedWidth_ > 0 ? rect_.left + child->fixedWidth_ : rect_.right;
        child->Arrange(RECT{rect_.left, top, right, top + h});
        top += h;
    }
}

}  // namespace skin
