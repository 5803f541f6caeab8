// The items of a context menu, which handlers may change before it shows.
#ifndef CEF_INCLUDE_CEF_MENU_MODEL_H_
#define CEF_INCLUDE_CEF_MENU_MODEL_H_

#include "include/cef_base.h"

typedef cef_menu_item_type_t CefMenuItemType;

class CefMenuModel : public virtual CefBaseRefCounted {
  public:
    virtual bool Clear() = 0;
    virtual size_t GetCount() = 0;
    virtual bool AddSeparator() = 0;
    virtual bool AddItem(int command_id, const CefString& label) = 0;
    // Removes the item of |command_id|; false when there is none.
    virtual bool Remove(int command_id) = 0;
    // -1 when there is no such item.
    virtual int GetCommandIdAt(size_t index) = 0;
    virtual CefString GetLabelAt(size_t index) = 0;
    virtual CefMenuItemType GetTypeAt(size_t index) = 0;
};

#endif  // CEF_INCLUDE_CEF_MENU_MODEL_H_
