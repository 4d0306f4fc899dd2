#pragma once
// The address an abonent gives the address-book server: whether it is
// complete enough to be sent, and the address text the request dialog builds
// from its six level fields. Text is CP1251.

#include <string>

#include "model/item/OrAddress.h"
#include "model/item/VxItemBase.h"

namespace model {

enum class BookAddressCheck { kNotAsked, kEmpty, kNoRouting, kInvalid, kCorrect };

// In this order: the check box is off (kNotAsked); the field is blank
// (kEmpty); the entry has no routing address at any level, so there is
// nothing to check the address against (kNoRouting); the field is not a
// complete address (kInvalid); else kCorrect. "Complete" means all six
// groups in level order (a strict parse) with a non-empty PN: the book server
// files the abonent under that PN.
BookAddressCheck CheckBookAddress(bool completeAsked, const std::string& field, const RoutingLists& routing);

// The message for a result and its box title; empty for kNotAsked.
std::string BookAddressCheckText(BookAddressCheck result);
std::string BookAddressCheckTitle(BookAddressCheck result);

// A strict parse succeeds and PN is not empty.
bool IsCompleteOrAddress(const std::string& address);

// "C:%s" then "/ADMD:%s" ... through the last non-empty level; the levels
// before it are written even when empty ("C:RU/ADMD:/PRMD:B"), because the
// parser reads groups by position and a left-out level would shift the
// others. All six empty gives "". Values are written as given.
std::string BuildRequestAddress(const LevelValues& values);

}  // namespace model
