#pragma once
// A section of the configuration text, owning its children in file order.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "cfg/C_CFG_Item.h"

class C_CFG_Parameter;

class C_CFG_Folder : public C_CFG_Item {
 public:
  C_CFG_Folder(C_CFG_File* file, C_CFG_Folder* parent, std::string_view name,
               std::string_view value = {}, std::uint32_t blankLines = 0,
               std::optional<std::string_view> comment = std::nullopt,
               std::optional<std::string_view> inlineComment = std::nullopt);
  ~C_CFG_Folder() override;

  void Destroy() override;  // removes every child, then the item's texts
  bool Write(std::FILE* stream) override;
  bool IsFolder() const override;

  virtual std::uint32_t GetCount() const;
  virtual void RemoveAll(bool lock);
  // Appends and takes ownership; false for a null item.
  virtual bool Add(C_CFG_Item* item);
  // Destroys the child at index; false when index >= count.
  virtual bool RemoveAt(std::uint32_t index);
  virtual C_CFG_Item* GetAt(std::uint32_t index) const;
  // Puts `item` in place of the child at index (false when index >= count).
  // The child that stood there is not destroyed: it goes back to the caller.
  virtual bool SetAt(C_CFG_Item* item, std::uint32_t index);
  // The first child at or after `start` named `name`; -1 when none.
  virtual long Find(std::string_view name, std::uint32_t start) const;
  virtual C_CFG_Folder* FindFolder(std::string_view name, bool lock);
  virtual C_CFG_Parameter* FindParameter(std::string_view name, bool lock);

 protected:
  // Writes the children in order, stopping at the first that fails.
  bool WriteChildren(std::FILE* stream);

 private:
  friend class C_CFG_Item;

  void DestroyChildren();
  // Takes a child that is being destroyed out of the array.
  void Forget(const C_CFG_Item* child);

  std::vector<C_CFG_Item*> children_;
};
