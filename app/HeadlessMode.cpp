#include "HeadlessMode.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "HeadlessMonitor.h"
#include "HeadlessPorts.h"
#include "core/CTarvikApp.h"
#include "core/ConfigPath.h"
#include "core/DefaultConfigText.h"
#include "ports/Clock.h"
#include "text/Cp1251.h"

namespace app {

namespace {

void Error(const std::string& message) {
  std::fprintf(stderr, "vtconsole: %s\n", message.c_str());
  std::fflush(stderr);
}

}  // namespace

int CreateConfigFile(const std::string& path, bool force) {
  // O_EXCL: the test for an existing file and the creation are one step.
  const int flags = O_WRONLY | O_CREAT | (force ? O_TRUNC : O_EXCL);
  const int fd = open(path.c_str(), flags, 0644);
  if (fd < 0) {
    if (errno == EEXIST)
      Error("\"" + path + "\" already exists; add --force to overwrite it");
    else
      Error("cannot create \"" + path + "\": " + std::strerror(errno));
    return exitcode::kCreateFailed;
  }
  const std::string& content = core::DefaultConfigText();
  size_t done = 0;
  while (done < content.size()) {
    const ssize_t n = write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  const int writeErrno = errno;
  const bool closed = close(fd) == 0;
  if (done != content.size() || !closed) {
    Error("cannot write \"" + path + "\": " + std::strerror(done != content.size() ? writeErrno : errno));
    return exitcode::kCreateFailed;
  }
  std::fprintf(stdout, "vtconsole: wrote the default configuration to \"%s\" (%zu bytes)\n", path.c_str(),
               content.size());
  return exitcode::kOk;
}

int RunHeadless(const Options& options) {
  const std::string given = options.config ? *options.config
                            : options.positional.empty() ? std::string()
                                                         : options.positional[0];
  // The same path rule as the desktop program's command line.
  const std::string path = core::ConfigPathFromCommandLine(given, "");
  if (core::KindOfPath(path) != core::PathKind::Missing && !core::IsExistingRegularFile(path)) {
    Error("configuration file \"" + path + "\" " + core::PathKindProblem(path));
    return exitcode::kConfigMissing;
  }
  if (!core::IsExistingRegularFile(path)) {
    // Asked first, so that the missing-file questions never come up headless.
    Error("configuration file \"" + path + "\" not found; create it with: vtconsole --headless --create-config " +
          path);
    return exitcode::kConfigMissing;
  }

  return RunMonitor(options, path);
}

}  // namespace app
