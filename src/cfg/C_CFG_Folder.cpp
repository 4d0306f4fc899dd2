#include "cfg/C_CFG_Folder.h"

#include "cfg/C_CFG_File.h"
#include "cfg/C_CFG_Parameter.h"
#include "cfg/OptionalLock.h"
#include "cfg/TextOut.h"

C_CFG_Folder::C_CFG_Folder(C_CFG_File* file, C_CFG_Folder* parent, std::string_view name,
                           std::string_view value, std::uint32_t blankLines,
                           std::optional<std::string_view> comment,
                           std::optional<std::string_view> inlineComment)
    : C_CFG_Item(file, parent, name, value, blankLines, comment, inlineComment) {}

C_CFG_Folder::~C_CFG_Folder() { DestroyOnce(); }

void C_CFG_Folder::Destroy() {
  DestroyChildren();
  C_CFG_Item::Destroy();
}

void C_CFG_Folder::DestroyChildren() {
  // Detach first: a child's destructor must not find itself in the array.
  std::vector<C_CFG_Item*> children;
  children.swap(children_);
  for (C_CFG_Item* child : children) delete child;
}

void C_CFG_Folder::Forget(const C_CFG_Item* child) {
  for (auto it = children_.begin(); it != children_.end(); ++it) {
    if (*it == child) {
      children_.erase(it);
      if (C_CFG_File* file = GetOwnerFile()) file->SetModified(true);
      return;
    }
  }
}

bool C_CFG_Folder::Write(std::FILE* stream) {
  if (!WriteLeader(stream)) return false;
  if (!cfg::PutText(stream, "[") || !cfg::PutText(stream, GetName()) || !cfg::PutText(stream, "]")) return false;
  return WriteLineEnd(stream) && WriteChildren(stream);
}

bool C_CFG_Folder::WriteChildren(std::FILE* stream) {
  for (C_CFG_Item* child : children_) {
    if (!child->Write(stream)) return false;
  }
  return true;
}

bool C_CFG_Folder::IsFolder() const { return true; }

std::uint32_t C_CFG_Folder::GetCount() const { return static_cast<std::uint32_t>(children_.size()); }

void C_CFG_Folder::RemoveAll(bool lock) {
  cfg::OptionalLock guard(*this, lock);
  if (!guard.Ok()) return;
  DestroyChildren();
  if (C_CFG_File* file = GetOwnerFile()) file->SetModified(true);
}

bool C_CFG_Folder::Add(C_CFG_Item* item) {
  if (item == nullptr) return false;
  children_.push_back(item);
  // The folder that holds an item is its parent, however it came there.
  item->parent_ = this;
  if (C_CFG_File* file = GetOwnerFile()) file->SetModified(true);
  return true;
}

bool C_CFG_Folder::RemoveAt(std::uint32_t index) {
  if (index >= children_.size()) return false;
  C_CFG_Item* child = children_[index];
  children_.erase(children_.begin() + index);
  delete child;
  if (C_CFG_File* file = GetOwnerFile()) file->SetModified(true);
  return true;
}

C_CFG_Item* C_CFG_Folder::GetAt(std::uint32_t index) const {
  return index < children_.size() ? children_[index] : nullptr;
}

bool C_CFG_Folder::SetAt(C_CFG_Item* item, std::uint32_t index) {
  if (index >= children_.size()) return false;
  // A null item would leave a hole that every walk would trip on.
  if (item == nullptr) return false;
  C_CFG_Item* old = children_[index];
  if (old != item && old->parent_ == this) old->parent_ = nullptr;
  children_[index] = item;
  item->parent_ = this;
  if (C_CFG_File* file = GetOwnerFile()) file->SetModified(true);
  return true;
}

long C_CFG_Folder::Find(std::string_view name, std::uint32_t start) const {
  for (std::size_t i = start; i < children_.size(); ++i) {
    if (children_[i]->GetName() == name) return static_cast<long>(i);
  }
  return -1;
}

C_CFG_Folder* C_CFG_Folder::FindFolder(std::string_view name, bool lock) {
  cfg::OptionalLock guard(*this, lock);
  if (!guard.Ok()) return nullptr;
  for (C_CFG_Item* child : children_) {
    if (child->IsFolder() && child->GetName() == name) return static_cast<C_CFG_Folder*>(child);
  }
  return nullptr;
}

C_CFG_Parameter* C_CFG_Folder::FindParameter(std::string_view name, bool lock) {
  cfg::OptionalLock guard(*this, lock);
  if (!guard.Ok()) return nullptr;
  for (C_CFG_Item* child : children_) {
    if (!child->IsFolder() && child->GetName() == name) return static_cast<C_CFG_Parameter*>(child);
  }
  return nullptr;
}
