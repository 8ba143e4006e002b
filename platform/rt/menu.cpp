#include "rt/menu.h"

#include "rt/form.h"

namespace rt {

MenuItem::MenuItem(Form* form, MenuItem* parent, std::string name, int index, std::string caption)
    : form_(form), parent_(parent), name_(std::move(name)), index_(index), caption_(std::move(caption)) {}

void MenuItem::changed() {
  if (form_) form_->menusChanged();
}

void MenuItem::setCaption(const std::string& c) {
  if (caption_ == c) return;
  caption_ = c;
  changed();
}
void MenuItem::setChecked(bool c) {
  if (checked_ == c) return;
  checked_ = c;
  changed();
}
void MenuItem::setEnabled(bool e) {
  if (enabled_ == e) return;
  enabled_ = e;
  changed();
}
void MenuItem::setVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  changed();
}
void MenuItem::setShortcut(const std::string& s) {
  shortcut_ = s;
  changed();
}

bool MenuItem::effectivelyEnabled() const {
  for (const MenuItem* m = this; m; m = m->parent_)
    if (!m->enabled_ || !m->visible_) return false;
  return true;
}

MenuItem& MenuItem::add(const std::string& name, const std::string& caption, int index) {
  items_.push_back(std::make_unique<MenuItem>(form_, this, name, index, caption));
  changed();
  return *items_.back();
}

MenuItem* MenuItem::loadItem(const std::string& name, int index) {
  MenuItem* first = nullptr;
  size_t lastPos = 0;
  for (size_t i = 0; i < items_.size(); ++i) {
    MenuItem* m = items_[i].get();
    if (m->name_ != name) continue;
    if (m->index_ == index) return nullptr;  // exists already
    if (!first || m->index_ < first->index_) first = m;
    lastPos = i;
  }
  if (!first) return nullptr;
  auto copy = std::make_unique<MenuItem>(form_, this, name, index, first->caption_);
  copy->checked_ = first->checked_;
  copy->enabled_ = first->enabled_;
  copy->visible_ = first->visible_;
  copy->Click = first->Click;
  copy->ClickIndexed = first->ClickIndexed;
  MenuItem* raw = copy.get();
  items_.insert(items_.begin() + static_cast<long>(lastPos) + 1, std::move(copy));
  changed();
  return raw;
}

MenuItem* MenuItem::find(const std::string& name, int index) {
  for (auto& m : items_) {
    if (m->name_ == name && (index < 0 || m->index_ == index)) return m.get();
    if (MenuItem* r = m->find(name, index)) return r;
  }
  return nullptr;
}

void MenuItem::fireClick() {
  if (ClickIndexed)
    ClickIndexed(index_);
  else if (Click)
    Click();
}

}  // namespace rt
