#pragma once
// Page 1 of the entry view, "Главные параметры": the mailbox name, the kind
// (abonent or direction), the lock, and the local folder the entry may work
// through instead of a link.
//
// The name can be typed only while the entry is new; a click on the name of a
// stored entry explains how to rename. Turning a stored abonent into a
// direction asks first (its address-book data goes away on the server).
// kindChanged tells the view to re-lay its pages; it is not emitted by
// ShowEntry, whose caller knows the entry's kind.

#include <string>

#include "ui/wizard/CWizPage.h"

class QCheckBox;
class QLineEdit;

namespace ui {

class CWizMain : public CWizPage {
  Q_OBJECT

 public:
  explicit CWizMain(WizContext& context, QWidget* parent = nullptr);

  bool ShownFor(bool) const override { return true; }
  void ShowEntry(const model::_VxItemBase& entry) override;
  void GatherInto(model::_VxItemBase& entry) override;

  QLineEdit* MailboxNameEdit() const { return name_; }
  QCheckBox* AbonentMode() const { return abonent_; }
  QCheckBox* Locked() const { return locked_; }
  QCheckBox* ViaLocalFolder() const { return viaFolder_; }
  QLineEdit* LocalFolderPath() const { return folderPath_; }

  // The path field's text taken from a link parameter text: what follows a
  // leading "#Folder=" (any case), else the whole text.
  static std::string FolderFromLinkText(const std::string& linkParameters);

 signals:
  void kindChanged(bool abonent);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AbonentToggled(bool abonent);
  void FolderToggled(bool on);
  // Puts prefix + name into the path field when it is empty or lies outside
  // the node's folder for local links.
  void FillFolderPath();

  QLineEdit* name_;
  QCheckBox* abonent_;
  QCheckBox* locked_;
  QCheckBox* viaFolder_;
  QLineEdit* folderPath_;
  bool storedAbonent_ = false;  // kindOnServer 1 and not new
};

}  // namespace ui
