#pragma once
// Helpers of the configuration tests: a scratch folder, whole-file reads and
// writes, and loading a tree from text without a file on disk.

#include <dirent.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cfg/C_CFG_File.h"
#include "cfg/C_CFG_Folder.h"
#include "cfg/C_CFG_RootFolder.h"

namespace cfgtest {

// A fresh folder under /tmp, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir() {
    char pattern[] = "/tmp/vtcfg-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    path_ = made != nullptr ? made : "";
  }
  ~ScratchDir() { RemoveTree(path_); }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

  // The names in the folder, sorted.
  std::vector<std::string> List() const { return ListOf(path_); }

  static std::vector<std::string> ListOf(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* d = ::opendir(folder.c_str())) {
      while (dirent* e = ::readdir(d)) {
        const std::string n = e->d_name;
        if (n != "." && n != "..") names.push_back(n);
      }
      ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  static void RemoveTree(const std::string& path) {
    if (path.empty()) return;
    ::chmod(path.c_str(), 0700);
    if (DIR* d = ::opendir(path.c_str())) {
      while (dirent* e = ::readdir(d)) {
        const std::string n = e->d_name;
        if (n == "." || n == "..") continue;
        const std::string child = path + "/" + n;
        struct stat st {};
        if (::lstat(child.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
          RemoveTree(child);
        } else {
          ::unlink(child.c_str());
        }
      }
      ::closedir(d);
    }
    ::rmdir(path.c_str());
  }

 private:
  std::string path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A file object whose path does not exist, loaded from `text` in memory.
inline std::unique_ptr<C_CFG_File> LoadText(const std::string& text) {
  auto file = std::make_unique<C_CFG_File>("/nonexistent-vtcfg/mem.cfg");
  std::string copy = text;
  // fmemopen refuses an empty buffer: an empty text is read from /dev/null.
  std::FILE* stream = text.empty() ? std::fopen("/dev/null", "rb") : ::fmemopen(copy.data(), copy.size(), "rb");
  file->LoadFrom(stream, true);
  if (stream != nullptr) std::fclose(stream);
  return file;
}

// The tree's text as Save would write it.
inline std::string WriteText(C_CFG_File& file) {
  char* buffer = nullptr;
  std::size_t size = 0;
  std::FILE* stream = ::open_memstream(&buffer, &size);
  file.WriteTo(stream, true);
  std::fclose(stream);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

// One line per item, children indented: "[name]" for a section, "name=value"
// for a parameter, then "+N" blank lines, " ;{comment}" and " ;;{inline}"
// when present (line feeds in a comment shown as "|").
inline void DumpInto(const C_CFG_Folder& folder, const std::string& indent, std::string& out) {
  for (std::uint32_t i = 0; i < folder.GetCount(); ++i) {
    const C_CFG_Item* item = folder.GetAt(i);
    out += indent;
    out += item->IsFolder() ? "[" + item->GetName() + "]" : item->GetName() + "=" + item->GetValue();
    if (item->GetBlankLines() != 0) out += " +" + std::to_string(item->GetBlankLines());
    if (item->HasComment()) {
      std::string c = item->GetComment();
      std::replace(c.begin(), c.end(), '\n', '|');
      out += " ;{" + c + "}";
    }
    if (item->HasInlineComment()) out += " ;;{" + item->GetInlineComment() + "}";
    out += "\n";
    if (item->IsFolder()) DumpInto(*static_cast<const C_CFG_Folder*>(item), indent + "  ", out);
  }
}

inline std::string Dump(const C_CFG_File& file) {
  std::string out;
  if (file.GetRoot() != nullptr) DumpInto(*file.GetRoot(), "", out);
  return out;
}

}  // namespace cfgtest
