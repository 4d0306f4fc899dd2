#include "cfg/C_CFG_Item.h"

#include "cfg/C_CFG_File.h"
#include "cfg/C_CFG_Folder.h"
#include "cfg/OptionalLock.h"
#include "cfg/TextOut.h"

C_CFG_Item::C_CFG_Item(C_CFG_File* file, C_CFG_Folder* parent, std::string_view name,
                       std::string_view value, std::uint32_t blankLines,
                       std::optional<std::string_view> comment,
                       std::optional<std::string_view> inlineComment)
    : CRefLockObject(file), file_(file), name_(name), value_(value), blankLines_(blankLines) {
  if (comment) comment_.emplace(*comment);
  if (inlineComment) inlineComment_.emplace(*inlineComment);
  if (parent != nullptr) parent->Add(this);
}

C_CFG_Item::~C_CFG_Item() { DestroyOnce(); }

bool C_CFG_Item::IsBad() const { return file_ == nullptr || name_.empty(); }

void C_CFG_Item::Destroy() {
  // An item deleted directly leaves no dangling pointer in its folder.
  if (parent_ != nullptr) {
    parent_->Forget(this);
    parent_ = nullptr;
  }
  name_.clear();
  value_.clear();
  comment_.reset();
  inlineComment_.reset();
  CRefLockObject::Destroy();
}

C_CFG_File* C_CFG_Item::GetOwnerFile() const { return file_; }

C_CFG_Folder* C_CFG_Item::GetParent() const { return parent_; }

const std::string& C_CFG_Item::GetName() const { return name_; }

const std::string& C_CFG_Item::GetValue() const { return value_; }

const std::string& C_CFG_Item::GetComment() const {
  static const std::string kNone;
  return comment_ ? *comment_ : kNone;
}

const std::string& C_CFG_Item::GetInlineComment() const {
  static const std::string kNone;
  return inlineComment_ ? *inlineComment_ : kNone;
}

bool C_CFG_Item::SetNameValue(std::optional<std::string_view> name,
                              std::optional<std::string_view> value, bool lock) {
  if (!name && !value) return true;
  cfg::OptionalLock guard(*this, lock);
  if (!guard.Ok()) return false;
  bool changed = false;
  if (name && name_ != *name) {
    name_.assign(*name);
    changed = true;
  }
  if (value && value_ != *value) {
    value_.assign(*value);
    changed = true;
  }
  if (changed && file_ != nullptr) file_->SetModified(true);
  return true;
}

std::uint32_t C_CFG_Item::GetBlankLines() const { return blankLines_; }

void C_CFG_Item::SetBlankLines(std::uint32_t count) { blankLines_ = count; }

namespace {

bool Put(std::FILE* stream, std::string_view bytes) { return cfg::PutText(stream, bytes); }

}  // namespace

bool C_CFG_Item::WriteLeader(std::FILE* stream) const {
  for (std::uint32_t i = 0; i < blankLines_; ++i) {
    if (!Put(stream, "\r\n")) return false;
  }
  // A comment block is written whenever the item has one, even an empty one,
  // so that a lone ";" line at the head of a block survives a rewrite.
  if (!comment_) return true;
  if (!Put(stream, ";")) return false;
  std::string_view rest = *comment_;
  for (std::size_t lf = rest.find('\n'); lf != std::string_view::npos; lf = rest.find('\n')) {
    if (!Put(stream, rest.substr(0, lf + 1)) || !Put(stream, ";")) return false;
    rest.remove_prefix(lf + 1);
  }
  return Put(stream, rest) && Put(stream, "\r\n");
}

bool C_CFG_Item::WriteLineEnd(std::FILE* stream) const {
  // Like the comment block, an inline comment that is present but empty keeps its ";".
  if (inlineComment_ && (!Put(stream, ";") || !Put(stream, *inlineComment_))) return false;
  return Put(stream, "\r\n");
}
