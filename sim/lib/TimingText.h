#pragma once
// Schedule frames (72 bytes: eighteen little-endian 32-bit words) and their text
// form "mode,interval,r1,r2&s,m,h,wd,d,mon,y&s,m,h,wd,d,mon,y&", as the
// fixtures write them and the request log shows them.

#include <optional>
#include <string>
#include <string_view>

namespace sim {

// One frame's text; the four header words unsigned, the points signed.
std::string FrameText(std::string_view frame72);
// Every frame of a schedule as "[frame frame ...]"; a partial frame at the end
// is shown as "+N bytes".
std::string TimingsText(std::string_view frames);
// The 72 bytes of a frame text: eighteen integers separated by ',' and '&'
// (blanks allowed), ending with '&'. Empty when the text is not such a frame.
std::optional<std::string> ParseFrameText(std::string_view text);

}  // namespace sim
