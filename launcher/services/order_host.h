// The window that placed the most recent order and receives its result.
#pragma once

#include <string>

class OrderHost {
  public:
    // Runs the page's result function with text; called on the UI thread.
    virtual void SendOrderResult(const std::wstring& text) = 0;

  protected:
    ~OrderHost() = default;
};
