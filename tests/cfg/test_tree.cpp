// The tree's operations: lookups, changes and the modified flag, ownership,
// and the file's lock shared by every item.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "CfgTestSupport.h"
#include "cfg/C_CFG_Folder.h"
#include "cfg/C_CFG_Parameter.h"
#include "cfg/C_CFG_RootFolder.h"

namespace {

using cfgtest::Dump;
using cfgtest::LoadText;

class Tree : public ::testing::Test {
 protected:
  std::unique_ptr<C_CFG_File> file_ = LoadText("TOP=0\n[COMMON]\nA=1\nB=2\nA=3\n[Hosts]\nCOMMON=x\n[COMMON]\nC=4\n");
  C_CFG_RootFolder& root_ = *file_->GetRoot();
};

TEST_F(Tree, LookupsAreCaseSensitiveAndTakeTheFirst) {
  EXPECT_EQ(file_->GetSection("common", true), nullptr);
  C_CFG_Folder* common = file_->GetSection("COMMON", true);
  ASSERT_NE(common, nullptr);
  EXPECT_EQ(common, root_.GetAt(1));
  EXPECT_EQ(file_->GetParameter("COMMON", "A", true)->GetValue(), "1");
  EXPECT_EQ(file_->GetParameter("COMMON", "C", true), nullptr);  // in the second [COMMON]
  EXPECT_EQ(file_->GetParameter("Nope", "A", true), nullptr);
  EXPECT_EQ(common->Find("A", 0), 0);
  EXPECT_EQ(common->Find("A", 1), 2);
  EXPECT_EQ(common->Find("A", 3), -1);
  // A section lookup skips parameters of the same name, and the other way round.
  EXPECT_EQ(file_->GetSection("TOP", true), nullptr);
  EXPECT_EQ(root_.FindParameter("COMMON", true), nullptr);
  EXPECT_EQ(root_.FindParameter("TOP", true)->GetValue(), "0");
}

TEST_F(Tree, ChangesMarkTheFileModified) {
  C_CFG_Parameter* a = file_->GetParameter("COMMON", "A", true);
  EXPECT_TRUE(a->SetNameValue(std::nullopt, std::nullopt, true));
  EXPECT_TRUE(a->SetNameValue("A", "1", true));  // the same texts: no change
  EXPECT_FALSE(file_->IsModified());
  a->SetBlankLines(4);
  EXPECT_FALSE(file_->IsModified());
  EXPECT_TRUE(a->SetValue("9", true));
  EXPECT_TRUE(file_->IsModified());
  EXPECT_EQ(a->GetValue(), "9");
  file_->SetModified(false);
  EXPECT_TRUE(a->SetNameValue("Z", std::nullopt, false));
  EXPECT_EQ(a->GetName(), "Z");
  EXPECT_EQ(a->GetValue(), "9");
  EXPECT_TRUE(file_->IsModified());
}

TEST_F(Tree, AddRemoveAndReplaceChildren) {
  C_CFG_Folder* hosts = file_->GetSection("Hosts", true);
  // A new item links itself at the end of its parent.
  auto* added = new C_CFG_Parameter(file_.get(), hosts, "NEW", "v", 1, "note");
  EXPECT_TRUE(file_->IsModified());
  EXPECT_EQ(hosts->GetCount(), 2u);
  EXPECT_EQ(hosts->GetAt(1), added);
  EXPECT_EQ(added->GetParent(), hosts);
  EXPECT_EQ(added->GetOwnerFile(), file_.get());
  EXPECT_EQ(hosts->GetAt(2), nullptr);

  EXPECT_FALSE(hosts->Add(nullptr));
  C_CFG_Parameter* loose = new C_CFG_Parameter(file_.get(), nullptr, "LOOSE", "1");
  EXPECT_FALSE(hosts->SetAt(loose, 2));  // index = count
  std::unique_ptr<C_CFG_Item> replaced(hosts->GetAt(0));  // comes back to us
  ASSERT_TRUE(hosts->SetAt(loose, 0));
  EXPECT_EQ(loose->GetParent(), hosts);
  EXPECT_EQ(hosts->Find("COMMON", 0), -1);
  EXPECT_EQ(hosts->Find("LOOSE", 0), 0);

  EXPECT_FALSE(hosts->RemoveAt(2));
  EXPECT_TRUE(hosts->RemoveAt(1));
  EXPECT_EQ(hosts->GetCount(), 1u);
  EXPECT_EQ(cfgtest::WriteText(*file_).find("NEW"), std::string::npos);
}

TEST_F(Tree, SetAtGivesTheReplacedChildBackToTheCaller) {
  C_CFG_Folder* hosts = file_->GetSection("Hosts", true);
  C_CFG_Item* old = hosts->GetAt(0);
  ASSERT_TRUE(hosts->SetAt(new C_CFG_Parameter(file_.get(), nullptr, "R", "1"), 0));
  EXPECT_EQ(old->GetParent(), nullptr);
  delete old;  // ours now; the folder must not destroy it a second time
  EXPECT_EQ(Dump(*file_), "TOP=0\n[COMMON]\n  A=1\n  B=2\n  A=3\n[Hosts]\n  R=1\n[COMMON]\n  C=4\n");
}

TEST_F(Tree, AnItemDeletedDirectlyLeavesItsFolder) {
  C_CFG_Folder* common = file_->GetSection("COMMON", true);
  delete common->GetAt(1);
  EXPECT_EQ(common->GetCount(), 2u);
  EXPECT_TRUE(file_->IsModified());
  EXPECT_EQ(cfgtest::WriteText(*file_), "TOP=0\r\n[COMMON]\r\nA=1\r\nA=3\r\n[Hosts]\r\nCOMMON=x\r\n[COMMON]\r\nC=4\r\n");
}

TEST_F(Tree, ClearEmptiesTheTree) {
  file_->Clear(true);
  EXPECT_EQ(root_.GetCount(), 0u);
  EXPECT_TRUE(file_->IsModified());
  EXPECT_EQ(cfgtest::WriteText(*file_), "");
  EXPECT_FALSE(file_->IsBad());
}

TEST_F(Tree, BadItems) {
  EXPECT_FALSE(root_.IsBad());
  EXPECT_EQ(root_.GetName(), "/");
  EXPECT_EQ(root_.GetParent(), nullptr);
  C_CFG_Parameter noName(file_.get(), nullptr, "");
  EXPECT_TRUE(noName.IsBad());
  C_CFG_Parameter noFile(nullptr, nullptr, "K");
  EXPECT_TRUE(noFile.IsBad());
}

TEST_F(Tree, EveryItemLocksTheFile) {
  C_CFG_Parameter* a = file_->GetParameter("COMMON", "A", true);
  EXPECT_TRUE(file_->RefersTo(a));
  EXPECT_TRUE(file_->RefersTo(&root_));
  EXPECT_FALSE(a->RefersTo(file_.get()));
  ASSERT_TRUE(a->Lock());
  EXPECT_TRUE(file_->IsWriteLocked());
  a->Unlock();
}

TEST_F(Tree, OperationsWithTheLockNestInsideTheCallersLock) {
  ASSERT_TRUE(file_->Lock());
  // Recursive for this thread: none of these may wait for ourselves.
  EXPECT_NE(file_->GetParameter("COMMON", "A", true), nullptr);
  EXPECT_TRUE(file_->GetParameter("COMMON", "A", true)->SetValue("5", true));
  file_->Clear(true);
  file_->Unlock();
  EXPECT_FALSE(file_->IsLocked());
}

TEST_F(Tree, AnotherThreadWaitsForTheHolder) {
  ASSERT_TRUE(file_->Lock());
  std::atomic<bool> cleared{false};
  std::thread other([&] {
    file_->Clear(true);
    cleared = true;
  });
  // While this thread holds the lock the other cannot have emptied the tree.
  new C_CFG_Parameter(file_.get(), &root_, "LATE", "1");
  EXPECT_FALSE(cleared.load());
  EXPECT_EQ(root_.GetAt(root_.GetCount() - 1)->GetName(), "LATE");
  file_->Unlock();
  other.join();
  EXPECT_TRUE(cleared.load());
  EXPECT_EQ(root_.GetCount(), 0u);
}

TEST(TreeLock, AFileWhoseLockWasNotMadeRefusesEveryLockedOperation) {
  C_CFG_File file(std::string(1017, 'p'));
  ASSERT_TRUE(file.IsBad());
  EXPECT_FALSE(file.Load(true));
  EXPECT_FALSE(file.Save(true));
  EXPECT_EQ(file.GetSection("S", true), nullptr);
  C_CFG_Parameter item(&file, nullptr, "K");
  EXPECT_FALSE(item.SetValue("v", true));
  EXPECT_EQ(item.GetValue(), "");
}

}  // namespace
