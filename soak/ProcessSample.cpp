#include "ProcessSample.h"

#include <dirent.h>

#include <fstream>
#include <string>

namespace soak {

Sample SampleThisProcess(double now) {
  Sample sample;
  sample.t = now;
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) sample.rssKb = std::stol(line.substr(6));
    if (line.rfind("Threads:", 0) == 0) sample.threads = std::stoi(line.substr(8));
  }
  // The listing's own descriptor is not counted.
  if (DIR* fds = opendir("/proc/self/fd")) {
    while (const dirent* entry = readdir(fds))
      if (entry->d_name[0] != '.') ++sample.descriptors;
    closedir(fds);
    --sample.descriptors;
  }
  return sample;
}

}  // namespace soak
