#pragma once
// The configuration file as coloured text: the path, the editor, a recolour
// button and "Save". The file is read whole on opening; Save writes the
// editor's bytes back in one step (a temporary file renamed over it), so a
// failed save leaves the old file as it was. Closing without Save writes
// nothing. A path that names no readable file opens nothing: Run() returns
// Rejected at once.
//
// Texts: caption "Configuration file", button "Save"; on a failed save the
// box "Ошибка записи файла \"%s\"" (caption "Ошибка", critical icon).

#include <QDialog>

#include <string>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace ui {

class CTWScriptEdit;

class CCfgFileEditDlg : public QDialog {
  Q_OBJECT

 public:
  // Where the size and position are kept in the program's profile.
  static constexpr const char* kProfileGroup = "CoolResizableDialogs";
  static constexpr const char* kProfileKey = "CfgFileEditDlg";
  // The size of a first opening, in dialog units.
  static constexpr int kWidthUnits = 324;
  static constexpr int kHeightUnits = 215;

  // `path` in the bytes given (CP1251 or UTF-8 alike).
  explicit CCfgFileEditDlg(std::string path, QWidget* parent = nullptr);

  // The file was read; when false, Run() and exec() return at once.
  bool Loaded() const { return loaded_; }
  // Modal; Accepted after a Save (whether it wrote or not), else Rejected.
  int Run();
  int exec() override;
  CTWScriptEdit* Editor() const { return editor_; }

  // Dialog units to pixels for `font`: a horizontal unit is a quarter of the
  // font's average character width (of "A".."Z" and "a".."z", rounded), a
  // vertical one an eighth of its height.
  static QSize DialogUnitsToPixels(const QSize& units, const QFont& font);

 public slots:
  void done(int result) override;

 private:
  bool Load();
  void ConfigureEditor();
  void Save();
  void Recolour();

  std::string path_;
  bool loaded_ = false;
  QLineEdit* pathField_;
  CTWScriptEdit* editor_;
  QToolButton* recolour_;
  QPushButton* save_;
};

}  // namespace ui
