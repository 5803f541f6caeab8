#include "menu_model.h"

#include <vector>

namespace cef_standin {
namespace {

class MenuModelImpl : public CefMenuModel {
  public:
    bool Clear() override {
        items_.clear();
        return true;
    }
    size_t GetCount() override { return items_.size(); }
    bool AddSeparator() override {
        items_.push_back({MENUITEMTYPE_SEPARATOR, -1, CefString()});
        return true;
    }
    bool AddItem(int command_id, const CefString& label) override {
        items_.push_back({MENUITEMTYPE_COMMAND, command_id, label});
        return true;
    }
    bool Remove(int command_id) override {
        for (auto it = items_.begin(); it != items_.end(); ++it) {
            if (it->type != MENUITEMTYPE_SEPARATOR && it->command_id == command_id) {
                items_.erase(it);
                return true;
            }
        }
        return false;
    }
    int GetCommandIdAt(size_t index) override {
        return index < items_.size() ? items_[index].command_id : -1;
    }
    CefString GetLabelAt(size_t index) override {
        return index < items_.size() ? items_[index].label : CefString();
    }
    CefMenuItemType GetTypeAt(size_t index) override {
        return index < items_.size() ? items_[index].type : MENUITEMTYPE_NONE;
    }

  private:
    struct Item {
        CefMenuItemType type;
        int command_id;
        CefString label;
    };
    std::vector<Item> items_;
    IMPLEMENT_REFCOUNTING(MenuModelImpl);
};

}  // namespace

CefRefPtr<CefMenuModel> CreateMenuModel() { return new MenuModelImpl(); }

}  // namespace cef_standin
