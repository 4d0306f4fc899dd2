#pragma once
// The abstract item of a configuration tree: a key or a section, with the
// comment block and empty lines that stood in front of it and the comment on
// its own line. Every item locks through its file's single lock.

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "cfg/CRefLockObject.h"

class C_CFG_File;
class C_CFG_Folder;

class C_CFG_Item : public CRefLockObject {
 public:
  ~C_CFG_Item() override;

  bool IsBad() const override;  // no file, or an empty name
  void Destroy() override;

  // Writes the item's text; false when the stream refuses a write.
  virtual bool Write(std::FILE* stream) = 0;
  virtual bool IsFolder() const = 0;
  virtual C_CFG_File* GetOwnerFile() const;
  virtual C_CFG_Folder* GetParent() const;
  virtual const std::string& GetName() const;
  virtual const std::string& GetValue() const;
  virtual const std::string& GetComment() const;        // "" when there is none
  virtual const std::string& GetInlineComment() const;  // "" when there is none
  // Replaces the texts given (nullopt leaves one as it is); marks the file
  // modified when anything changed. False only when the lock cannot be taken.
  virtual bool SetNameValue(std::optional<std::string_view> name,
                            std::optional<std::string_view> value, bool lock);
  virtual std::uint32_t GetBlankLines() const;
  virtual void SetBlankLines(std::uint32_t count);  // does not mark the file modified

  // Shorthand for SetNameValue(nullopt, value, lock).
  bool SetValue(std::string_view value, bool lock) { return SetNameValue(std::nullopt, value, lock); }
  bool HasComment() const { return comment_.has_value(); }
  bool HasInlineComment() const { return inlineComment_.has_value(); }

 protected:
  // Links the item into `parent` (when not null) through its Add, which gives
  // the parent the ownership and marks the file modified.
  C_CFG_Item(C_CFG_File* file, C_CFG_Folder* parent, std::string_view name,
             std::string_view value, std::uint32_t blankLines,
             std::optional<std::string_view> comment,
             std::optional<std::string_view> inlineComment);

  // The blank lines and the comment block in front of the item.
  bool WriteLeader(std::FILE* stream) const;
  // ";" and the inline comment when there is one, then "\r\n".
  bool WriteLineEnd(std::FILE* stream) const;

 private:
  friend class C_CFG_Folder;

  C_CFG_File* file_ = nullptr;
  C_CFG_Folder* parent_ = nullptr;
  std::string name_;
  std::string value_;
  std::uint32_t blankLines_ = 0;
  std::optional<std::string> comment_;
  std::optional<std::string> inlineComment_;
};
