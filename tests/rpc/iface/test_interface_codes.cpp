// Interface identity and the codes the operations carry.

#include <gtest/gtest.h>

#include "rpc/iface/Interface.h"
#include "text/Cp1251.h"

namespace rpc::test {
namespace {

TEST(InterfaceCodes, IdentityOnTheWire) {
  EXPECT_EQ("fc59484f-9410-4bdd-8e7d-5ffdd42fdf6f", kInterfaceUuid.Text());
  EXPECT_EQ("8a885d04-1ceb-11c9-9fe8-08002b104860", kNdrTransferSyntax.Text());
  const std::array<uint8_t, 16> wire = {0x4f, 0x48, 0x59, 0xfc, 0x10, 0x94, 0xdd, 0x4b,
                                        0x8e, 0x7d, 0x5f, 0xfd, 0xd4, 0x2f, 0xdf, 0x6f};
  EXPECT_EQ(wire, kInterfaceUuid.LittleEndianBytes());
  EXPECT_EQ(1, kInterfaceVersionMajor);
  EXPECT_EQ(2, kInterfaceVersionMinor);
  EXPECT_EQ(2u, kNdrTransferSyntaxVersion);
}

TEST(InterfaceCodes, Levels) {
  const char* names[] = {"C", "ADMD", "PRMD", "ORG", "OU", "PN"};
  for (int32_t level = 0; level < 6; ++level) EXPECT_EQ(names[level], LevelName(level));
  EXPECT_EQ("", LevelName(6));
  EXPECT_EQ("", LevelName(-1));
  EXPECT_EQ("", LevelName(111));
  EXPECT_EQ(0x80, DeleteLevel(0));
  EXPECT_EQ(0x85, DeleteLevel(5));
  EXPECT_EQ(111, DeleteLevel(level::kAbonent));
}

TEST(InterfaceCodes, TaskStateTexts) {
  const std::pair<int32_t, const char*> cases[] = {
      {-1, "Внеплановый останов"}, {0, "Останов"}, {1, "Работает"}, {2, "Стартует"},
      {3, "Останавливается"}, {4, "Таймаут останова"}, {5, "Нет задачи"},
      {-2, ""}, {6, ""}, {7, ""},
  };
  for (const auto& [code, utf8] : cases) EXPECT_EQ(text::Cp(utf8), TaskStateText(code)) << code;
}

TEST(InterfaceCodes, TaskCommandWords) {
  const std::pair<const char*, int32_t> cases[] = {
      {"Запустить", 1}, {"Остановить", 2}, {"Прервать", 3}, {"Перезапустить", 4},
      {"Показать", 5}, {"Спрятать", 6}, {"Запустить ", 0}, {"запустить", 0}, {"", 0},
  };
  for (const auto& [utf8, code] : cases) EXPECT_EQ(code, TaskCommandCode(text::Cp(utf8))) << code;
  // UTF-8 is not what travels: the words are compared in CP1251.
  EXPECT_EQ(0, TaskCommandCode("Запустить"));
  for (int32_t code = 1; code <= 6; ++code) EXPECT_EQ(code, TaskCommandCode(TaskCommandWord(code)));
  EXPECT_EQ("", TaskCommandWord(0));
}

}  // namespace
}  // namespace rpc::test
