// Load and Save of a 20 MB configuration file next to a plain read and a
// plain write (with fsync, as Save does) of the same bytes, in the same run.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "cfg/C_CFG_File.h"
#include "cfg/C_CFG_RootFolder.h"

namespace {

constexpr std::size_t kTargetBytes = 20u * 1024 * 1024;

// A console file grown to 20 MB: sections of parameters with comments, blank
// lines and inline comments, in CR LF.
std::string GenerateText() {
  std::string text;
  text.reserve(kTargetBytes + 4096);
  for (int section = 0; text.size() < kTargetBytes; ++section) {
    text += "\r\n; Group " + std::to_string(section) + " of directions\r\n;\r\n";
    text += "[Section" + std::to_string(section) + "]\r\n";
    for (int key = 0; key < 40; ++key) {
      text += "DIRECTION_" + std::to_string(key) + " = /C=RU/ADMD=VELT/PRMD=NODE" + std::to_string(section) +
              "/O=ORG/OU=UNIT" + std::to_string(key);
      if (key % 5 == 0) text += " ; checked every 30 s";
      text += "\r\n";
    }
  }
  return text;
}

struct Fixture {
  Fixture() {
    char pattern[] = "/tmp/vtcfg-bench-XXXXXX";
    folder = ::mkdtemp(pattern);
    path = folder + "/big.cfg";
    plainPath = folder + "/plain.cfg";
    text = GenerateText();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
  }
  ~Fixture() {
    for (const char* name : {"/big.cfg", "/big.cfg.BAK", "/plain.cfg"}) ::unlink((folder + name).c_str());
    ::rmdir(folder.c_str());
  }
  std::string folder;
  std::string path;
  std::string plainPath;
  std::string text;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_PlainRead(benchmark::State& state) {
  Fixture& f = Shared();
  std::string buffer(f.text.size() + 1, '\0');
  for (auto _ : state) {
    std::FILE* in = std::fopen(f.path.c_str(), "rb");
    const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), in);
    std::fclose(in);
    benchmark::DoNotOptimize(n);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.text.size()));
}

void BM_Load(benchmark::State& state) {
  Fixture& f = Shared();
  C_CFG_File file(f.path);
  for (auto _ : state) {
    state.PauseTiming();
    file.Clear(true);
    state.ResumeTiming();
    if (!file.Load(true)) state.SkipWithError("Load failed");
  }
  state.counters["items"] = static_cast<double>(file.GetRoot()->GetCount());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.text.size()));
}

void BM_PlainWriteFsync(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    const int fd = ::open(f.plainPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    std::size_t done = 0;
    while (done < f.text.size()) {
      const ssize_t n = ::write(fd, f.text.data() + done, f.text.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::fsync(fd);
    ::close(fd);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.text.size()));
}

void BM_Save(benchmark::State& state) {
  Fixture& f = Shared();
  C_CFG_File file(f.path);
  for (auto _ : state) {
    if (!file.Save(true)) state.SkipWithError("Save failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.text.size()));
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainWriteFsync)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
