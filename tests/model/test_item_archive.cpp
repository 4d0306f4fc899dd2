// The archive form of a directory entry: the exact bytes, the round trip, and
// archives that are short or whose lengths and counts lie.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/item/ItemArchive.h"
#include "model/item/VxItemBase.h"

namespace model::test {
namespace {

using Bytes = std::vector<uint8_t>;

void PutWord(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void PutText(Bytes& b, const std::string& s) {
  b.push_back(static_cast<uint8_t>(s.size()));
  b.insert(b.end(), s.begin(), s.end());
}

_VxItemBase FullEntry() {
  _VxItemBase item;
  item.Init("NODE", "BOX", "MQUEUE1", "ROUTER1", "C:RU/ADMD:A", true);
  item.priority = 7;
  item.active = 1;
  item.callAtInterval = 1;
  item.noCallOnArrival = 0;
  item.extraOption = -5;
  item.viaLocalFolder = 1;
  item.linkParameters = "C:\\MAIL";
  item.passwordSet = 1;
  item.passwordHash = 0xdeadbeef;
  item.forcedConnection = 1;
  item.password = "pw";
  item.optionsChanged = 1;
  item.mailboxAddress = "C:RU/ADMD:A/PN:BOX";
  item.parameters = {{"#USERID", "box"}, {"#COMMENT", std::string(300, 'c')}, {"", ""}};
  item.schedule.resize(2);
  item.schedule[0].mode = 3;
  item.schedule[0].interval = 900;
  item.schedule[1].reserved2 = 0xabcdef;
  item.hideFromAddressBook = 1;
  item.note = std::string(70000, 'n');
  item.routingAddresses[0] = {"RU"};
  item.routingAddresses[5] = {"BOX", "*"};
  item.addressBookRecord = "box\n;";
  item.absAddress = "C:RU/PN:BOX";
  for (size_t i = 0; i < item.queueCounters.size(); ++i) item.queueCounters[i] = static_cast<uint32_t>(100 + i);
  return item;
}

void ExpectSameArchivedFields(const _VxItemBase& a, const _VxItemBase& b) {
  EXPECT_EQ(a.ToArchive(), b.ToArchive());
  EXPECT_EQ(a.parameters, b.parameters);
  EXPECT_EQ(a.schedule, b.schedule);
  EXPECT_EQ(a.routingAddresses, b.routingAddresses);
  EXPECT_EQ(a.queueCounters, b.queueCounters);
  EXPECT_EQ(a.note, b.note);
}

TEST(ItemArchiveForm, BytesOfASmallEntryInFieldOrder) {
  _VxItemBase item;
  item.Init("N", "B", "Q", "R", "", false);
  item.routingAddresses[3] = {"ORG"};
  item.queueCounters[0] = 1;

  Bytes expected;
  PutWord(expected, 1);  // loaded
  PutWord(expected, 0);  // skipQueueRefresh
  PutText(expected, "Q");
  PutText(expected, "R");
  PutText(expected, "N");
  PutWord(expected, 0);  // kindOnServer
  PutWord(expected, 0);  // kind
  PutText(expected, "B");
  for (uint32_t w : {0u, 0u, 0u, 1u, 0u, 0u}) PutWord(expected, w);  // priority .. viaLocalFolder
  PutText(expected, "");
  for (uint32_t w : {0u, 13u, 0u}) PutWord(expected, w);  // passwordSet, hash, forced
  PutText(expected, "");
  PutWord(expected, 0);  // isNew
  PutWord(expected, 0);  // optionsChanged
  PutText(expected, "");
  PutText(expected, "");
  PutWord(expected, 0);  // parameters
  PutWord(expected, 0);  // frames
  PutWord(expected, 0);  // hideFromAddressBook
  PutText(expected, "");
  for (int level = 0; level < 6; ++level) {
    PutWord(expected, level == 3 ? 1 : 0);
    if (level == 3) PutText(expected, "ORG");
  }
  PutText(expected, "");
  PutText(expected, "");
  for (int i = 0; i < 11; ++i) PutWord(expected, i == 0 ? 1 : 0);
  EXPECT_EQ(item.ToArchive(), expected);
}

TEST(ItemArchiveForm, TextLengthPrefixes) {
  const struct {
    size_t length;
    Bytes prefix;
  } cases[] = {
      {0, {0}},
      {254, {254}},
      {255, {255, 255, 0}},
      {65533, {255, 0xfd, 0xff}},
      {65534, {255, 0xff, 0xff, 0xfe, 0xff, 0, 0}},
      {70000, {255, 0xff, 0xff, 0x70, 0x11, 0x01, 0}},
  };
  for (const auto& c : cases) {
    ItemArchive out = ItemArchive::ForStoring();
    std::string text(c.length, 'x');
    out.Text(text);
    const Bytes& data = out.Data();
    ASSERT_EQ(data.size(), c.prefix.size() + c.length) << c.length;
    EXPECT_EQ(Bytes(data.begin(), data.begin() + static_cast<long>(c.prefix.size())), c.prefix) << c.length;

    ItemArchive in = ItemArchive::ForLoading(data);
    std::string back;
    ASSERT_TRUE(in.Text(back)) << c.length;
    EXPECT_EQ(back, text);
    EXPECT_EQ(in.Remaining(), 0u);
  }
}

TEST(ItemArchiveForm, RoundTripKeepsEveryArchivedField) {
  const _VxItemBase item = FullEntry();
  _VxItemBase back;
  back.stateWord = 9;
  back.routingAddressesAsRead[1] = {"SNAP"};
  ASSERT_TRUE(back.FromArchive(item.ToArchive()));
  ExpectSameArchivedFields(back, item);
  EXPECT_EQ(back.stateWord, 0);
  EXPECT_EQ(back.passwordHash, 0xdeadbeefu);
  EXPECT_EQ(back.extraOption, -5);
  EXPECT_EQ(back.password, "pw");
  // The snapshot is not part of the archive and stays the loader's own.
  EXPECT_EQ(back.routingAddressesAsRead[1], std::vector<std::string>{"SNAP"});
}

TEST(ItemArchiveForm, EveryShortArchiveFailsAndLeavesTheEntryAsItWas) {
  const Bytes full = FullEntry().ToArchive();
  _VxItemBase previous;
  previous.Init("OLD", "OLDBOX", "Q", "R", "", false);
  previous.parameters = {{"KEEP", "1"}};
  previous.stateWord = 4;
  const Bytes before = previous.ToArchive();
  // Every cut point would take minutes under the sanitizers with the 70000-byte note; a
  // dense sweep over the head and the tail covers every field boundary.
  for (size_t cut = 0; cut < full.size(); cut += (cut < 2000 || cut > full.size() - 400) ? 1 : 997) {
    _VxItemBase item(previous);
    ASSERT_FALSE(item.FromArchive({full.data(), cut})) << cut;
    ASSERT_EQ(item.ToArchive(), before) << cut;
    ASSERT_EQ(item.stateWord, 4) << cut;
  }
}

TEST(ItemArchiveForm, LyingCountsAndLengthsFail) {
  _VxItemBase small;
  small.Init("N", "B", "Q", "R", "", false);
  const Bytes base = small.ToArchive();
  // Offsets in the small entry's archive (see the byte layout test).
  const size_t parameterCount = 4 + 4 + 2 + 2 + 2 + 4 + 4 + 2 + 6 * 4 + 1 + 3 * 4 + 1 + 4 + 4 + 1 + 1;
  const size_t frameCount = parameterCount + 4;

  const struct {
    const char* name;
    size_t offset;
    Bytes patch;
  } cases[] = {
      {"huge parameter count", parameterCount, {0xff, 0xff, 0xff, 0x7f}},
      {"parameter count one too many", parameterCount, {1, 0, 0, 0}},
      {"frame count beyond the bytes", frameCount, {1, 0, 0, 0}},
      {"huge frame count", frameCount, {0xff, 0xff, 0xff, 0xff}},
      {"text length beyond the bytes", 8, {200}},
      {"32-bit text length beyond the bytes", 8, {255, 0xff, 0xff, 0xff, 0xff, 0xff, 0x7f}},
      {"wide text mark", 8, {255, 0xfe, 0xff}},
  };
  for (const auto& c : cases) {
    Bytes bytes = base;
    ASSERT_LE(c.offset + c.patch.size(), bytes.size());
    std::copy(c.patch.begin(), c.patch.end(), bytes.begin() + static_cast<long>(c.offset));
    _VxItemBase item;
    EXPECT_FALSE(item.FromArchive(bytes)) << c.name;
    EXPECT_FALSE(item.IsLoaded()) << c.name;
  }
}

}  // namespace
}  // namespace model::test
