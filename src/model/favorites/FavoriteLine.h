#pragma once
// The "FAVORIT" value of [Favorites]: group, mail server and item, each quoted.

#include <optional>
#include <string>
#include <string_view>

namespace model {

struct FavoriteLine {
  std::string groupName;
  std::string serverName;
  std::string itemName;
};

// Three quoted texts, each trimmed; nothing when a quote is missing.
std::optional<FavoriteLine> ReadFavoriteValue(std::string_view value);
std::string FormatFavoriteValue(const FavoriteLine& line);

}  // namespace model
