#pragma once
// Menu items keep their own caption, check mark and enabled state; a click never toggles a mark.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rt {

class Form;

class MenuItem {
 public:
  MenuItem(Form* form, MenuItem* parent, std::string name, int index, std::string caption);

  const std::string& Name() const { return name_; }
  int Index() const { return index_; }
  MenuItem* parent() const { return parent_; }
  const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }

  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& c);
  bool Checked() const { return checked_; }
  void setChecked(bool c);
  bool Enabled() const { return enabled_; }
  void setEnabled(bool e);
  bool Visible() const { return visible_; }
  void setVisible(bool v);
  bool isSeparator() const { return caption_ == "-"; }
  const std::string& Shortcut() const { return shortcut_; }  // "Ctrl+B"
  void setShortcut(const std::string& s);
  bool effectivelyEnabled() const;  // it and every parent menu enabled and visible

  MenuItem& add(const std::string& name, const std::string& caption, int index = -1);
  // Menu arrays among this menu's items: loads item `index` of array `name` as a copy of its
  // lowest item, placed after the array's last item. Fails quietly (null) when it exists.
  MenuItem* loadItem(const std::string& name, int index);
  MenuItem* find(const std::string& name, int index = -1);

  // The handler; for menu arrays one handler with the item's index.
  std::function<void()> Click;
  std::function<void(int)> ClickIndexed;
  void fireClick();

 private:
  void changed();
  Form* form_;
  MenuItem* parent_;
  std::string name_;
  int index_;
  std::string caption_;
  bool checked_ = false, enabled_ = true, visible_ = true;
  std::string shortcut_;
  std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace rt
