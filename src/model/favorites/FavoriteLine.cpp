#include "model/favorites/FavoriteLine.h"

#include "text/Strings.h"

namespace model {
namespace {

// The text between the next two double quotes from `pos`; moves past the second.
std::optional<std::string> NextQuoted(std::string_view value, size_t& pos) {
  const size_t open = value.find('"', pos);
  if (open == std::string_view::npos) return std::nullopt;
  const size_t close = value.find('"', open + 1);
  if (close == std::string_view::npos) return std::nullopt;
  pos = close + 1;
  return text::Trim(value.substr(open + 1, close - open - 1));
}

}  // namespace

std::optional<FavoriteLine> ReadFavoriteValue(std::string_view value) {
  size_t pos = 0;
  auto group = NextQuoted(value, pos);
  if (!group) return std::nullopt;
  auto server = NextQuoted(value, pos);
  if (!server) return std::nullopt;
  auto item = NextQuoted(value, pos);
  if (!item) return std::nullopt;
  return FavoriteLine{std::move(*group), std::move(*server), std::move(*item)};
}

std::string FormatFavoriteValue(const FavoriteLine& line) {
  return "\"" + line.groupName + "\",\"" + line.serverName + "\",\"" + line.itemName + "\"";
}

}  // namespace model
