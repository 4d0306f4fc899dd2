#include "cfg/C_CFG_File.h"

#include <sys/stat.h>

#include "cfg/C_CFG_Folder.h"
#include "cfg/C_CFG_Parameter.h"
#include "cfg/C_CFG_RootFolder.h"
#include "cfg/CfgTextReader.h"
#include "cfg/OptionalLock.h"
#include "cfg/SafeReplace.h"
#include "text/Cp1251.h"

namespace {

// The lock's name: the path with every backslash and '/' turned into '@'.
std::string LockTextOf(std::string_view path) {
  std::string text(path);
  for (char& c : text) {
    if (c == '\\' || c == '/') c = '@';
  }
  return text;
}

}  // namespace

C_CFG_File::C_CFG_File(std::string_view path)
    : CInternalLockObject(LockTextOf(path)), root_(std::make_unique<C_CFG_RootFolder>(this)), path_(path) {
  // A lock that could not be made (a path of 1017 bytes or more) leaves the
  // object bad, and nothing is read.
  if (IsCreated()) Load(true);
}

C_CFG_File::~C_CFG_File() { DestroyOnce(); }

bool C_CFG_File::IsBad() const {
  return !IsCreated() || root_ == nullptr || root_->IsBad();
}

void C_CFG_File::Destroy() {
  path_.clear();
  root_.reset();
  state_ = 0;
  CInternalLockObject::Destroy();
}

bool C_CFG_File::Load(bool lock) {
  cfg::OptionalLock guard(*this, lock);
  if (!guard.Ok()) return false;
  if (root_ == nullptr) {
    SetModified(false);
    return false;
  }
  splitLines_.clear();
  std::FILE* stream = std::fopen(path_.c_str(), "rb");
  if (stream == nullptr) {
    SetModified(false);
    return false;
  }
  const bool ok = LoadFrom(stream, false);
  std::fclose(stream);
  return ok;
}

bool C_CFG_File::LoadFrom(std::FILE* stream, bool lock) {
  cfg::OptionalLock guard(*this, lock);
  if (!guard.Ok()) return false;
  if (root_ == nullptr || stream == nullptr) {
    SetModified(false);
    return false;
  }
  const std::uint32_t before = root_->GetCount();
  splitLines_.clear();
  if (!cfg::ReadTreeText(stream, *this, *root_, &splitLines_)) {
    // A text cut short by a read error (a folder in place of the file, a
    // failing disk) is not loaded: a later Save must not write it back half.
    // Every item read went after `before` in the root.
    while (root_->GetCount() > before) root_->RemoveAt(root_->GetCount() - 1);
    SetModified(false);
    return false;
  }
  state_ |= kLoaded;
  SetModified(false);
  return true;
}

bool C_CFG_File::WriteTo(std::FILE* stream, bool lock) {
  cfg::OptionalLock guard(*this, lock);
  if (!guard.Ok() || root_ == nullptr || stream == nullptr) return false;
  return root_->Write(stream);
}

bool C_CFG_File::Save(bool lock) {
  cfg::OptionalLock guard(*this, lock);
  if (!guard.Ok()) return false;
  saveError_.clear();
  if (root_ == nullptr) {
    saveError_ = text::Cp("объект файла уже разрушен");
    return false;
  }
  // Through a symbolic link the file saved is the link's final target. Its
  // backup goes beside it too, not beside the link: the save needs that
  // folder anyway, and every link to one file shares one backup.
  std::string target;
  if (!cfg::ResolveLinks(path_, target, &saveError_)) return false;
  // A refused save writes nothing at all, not even the backup.
  saveError_ = cfg::RefusalToReplace(target);
  if (!saveError_.empty()) return false;
  cfg::CopyToBackup(target);  // a failed copy does not stop the save
  return cfg::ReplaceFileAtomically(target, [this](std::FILE* stream) { return root_->Write(stream); },
                                    &saveError_);
}

bool C_CFG_File::IsLoaded() const { return (state_ & kLoaded) != 0; }

bool C_CFG_File::IsModified() const { return (state_ & kModified) != 0; }

void C_CFG_File::SetModified(bool modified) {
  if (modified) {
    state_ |= kModified;
  } else {
    state_ &= static_cast<std::uint8_t>(~kModified);
  }
}

bool C_CFG_File::IsReadOnly() const {
  struct stat st {};
  return ::stat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0;
}

const std::string& C_CFG_File::GetPath() const { return path_; }

void C_CFG_File::SetPath(std::string_view path) {
  cfg::OptionalLock guard(*this, true);
  if (!guard.Ok()) return;
  path_.assign(path);
}

C_CFG_RootFolder* C_CFG_File::GetRoot() const { return root_.get(); }

C_CFG_Folder* C_CFG_File::GetSection(std::string_view name, bool lock) {
  return root_ != nullptr ? root_->FindFolder(name, lock) : nullptr;
}

C_CFG_Parameter* C_CFG_File::GetParameter(std::string_view section, std::string_view name, bool lock) {
  C_CFG_Folder* folder = GetSection(section, lock);
  return folder != nullptr ? folder->FindParameter(name, lock) : nullptr;
}

void C_CFG_File::Clear(bool lock) {
  if (root_ != nullptr) root_->RemoveAll(lock);
}
