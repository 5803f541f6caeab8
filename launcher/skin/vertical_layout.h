#pragma once

#include "skin/control.h"

namespace skin {

// Stacks its non-floating children from top to bottom at full width; children
// with a fixed height keep it, the others share the rest equally.
class VerticalLayout : public Control {
  protected:
    void ArrangeChildren() override;
};

}  // namespace skin
