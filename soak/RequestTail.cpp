#include "RequestTail.h"

#include <fstream>

namespace soak {

void RequestTail::Poll(double now, std::vector<StampedLine>& out) {
  std::ifstream in(path_, std::ios::binary);
  if (!in) return;
  in.seekg(static_cast<std::streamoff>(offset_));
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    const auto got = static_cast<size_t>(in.gcount());
    offset_ += got;
    partial_.append(buffer, got);
  }
  size_t start = 0;
  for (size_t end; (end = partial_.find('\n', start)) != std::string::npos; start = end + 1)
    out.push_back({now, partial_.substr(start, end - start)});
  partial_.erase(0, start);
}

}  // namespace soak
