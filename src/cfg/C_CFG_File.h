#pragma once
// The sectioned configuration file: the file's own recursive lock, its path,
// and the tree of sections and parameters read from it. The constructor loads
// the file at once; test IsBad and IsLoaded before use.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cfg/CInternalLockObject.h"
#include "cfg/CfgTextReader.h"

class C_CFG_Folder;
class C_CFG_Parameter;
class C_CFG_RootFolder;

class C_CFG_File : public CInternalLockObject {
 public:
  static constexpr std::uint8_t kModified = 0x01;
  static constexpr std::uint8_t kLoaded = 0x02;

  explicit C_CFG_File(std::string_view path);
  ~C_CFG_File() override;

  bool IsBad() const override;
  void Destroy() override;  // the tree, the path and the flags, then the lock

  // Reads the file at the path into the tree, after whatever the tree holds
  // (a reload calls Clear first). False when the file cannot be opened or a
  // read fails (the items of this read are then taken out again).
  virtual bool Load(bool lock);
  // Writes the tree to the path: a ".BAK" copy of the old file first, then a
  // temporary file in the same folder renamed over the target. A path that is
  // a symbolic link is saved through it: its final target is replaced and
  // the link stays. A file without any write permission bit, a folder or a
  // device is refused before anything is written. On failure the old file
  // stays as it was and LastSaveError tells why. The modified flag is left
  // unchanged.
  virtual bool Save(bool lock);
  virtual bool IsLoaded() const;
  virtual bool IsModified() const;
  virtual void SetModified(bool modified);
  // Whether the file on disk (through links) has no write permission bit at
  // all, so that Save refuses it. A missing file is not read-only.
  virtual bool IsReadOnly() const;
  virtual const std::string& GetPath() const;
  // Under the lock; the tree is not reloaded.
  virtual void SetPath(std::string_view path);
  virtual C_CFG_RootFolder* GetRoot() const;
  virtual C_CFG_Folder* GetSection(std::string_view name, bool lock);
  virtual C_CFG_Parameter* GetParameter(std::string_view section, std::string_view name, bool lock);
  // Empties the tree; the file becomes modified.
  virtual void Clear(bool lock);

  // Load from a stream opened by the caller (binary mode); the stream stays
  // open. Sets the loaded flag like Load.
  bool LoadFrom(std::FILE* stream, bool lock);
  // Writes the whole tree's text to an open stream; false when a write fails.
  bool WriteTo(std::FILE* stream, bool lock);

  // Why the last Save failed, in plain words (code page 1251): the step and
  // the system's error text. Empty after a Save that succeeded. A Save that
  // could not take the lock leaves it unchanged.
  const std::string& LastSaveError() const { return saveError_; }
  // The lines of the last Load (or LoadFrom) longer than cfg::kMaxLine bytes:
  // each was read as several lines and is written back so. Text order.
  const std::vector<cfg::SplitLine>& SplitLines() const { return splitLines_; }

 private:
  std::unique_ptr<C_CFG_RootFolder> root_;
  std::string path_;
  std::uint8_t state_ = 0;
  std::string saveError_;
  std::vector<cfg::SplitLine> splitLines_;
};
