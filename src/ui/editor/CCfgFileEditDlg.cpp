#include "ui/editor/CCfgFileEditDlg.h"

#include <sys/stat.h>

#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdio>

#include "cfg/SafeReplace.h"
#include "core/ConfigTextProblems.h"
#include "text/Cp1251.h"
#include "text/Strings.h"
#include "ui/editor/CTWScriptEdit.h"
#include "ui/icons/IconShapes.h"
#include "ui/icons/Icons.h"
#include "ui/main/CMainFrame.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

// Coloured lines of text under a round arrow: colour the text again.
QIcon RecolourIcon() {
  return shapes::Big([](QPainter& p) {
    p.fillRect(QRectF(1, 2, 14, 12), QColor(0, 0, 80));
    const QColor lines[] = {QColor(64, 64, 255), QColor(0, 196, 196), QColor(64, 255, 64)};
    for (int i = 0; i < 3; ++i) {
      shapes::Pen(p, lines[i], 1.6);
      p.drawLine(QPointF(3, 5 + 3 * i), QPointF(9 - i, 5 + 3 * i));
    }
    shapes::Pen(p, QColor(255, 255, 64), 1.4);
    p.drawArc(QRectF(8.5, 6.5, 5, 5), 90 * 16, 270 * 16);
    p.drawLine(QPointF(11, 6.5), QPointF(12.6, 5.2));
    p.drawLine(QPointF(11, 6.5), QPointF(12.6, 7.8));
  });
}

// The whole file in binary; false on any failure (missing, a folder,
// unreadable, changed length while read).
bool ReadWhole(const std::string& path, std::string& bytes) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bool ok = std::fseek(file, 0, SEEK_END) == 0;
  const long length = ok ? std::ftell(file) : -1;
  ok = ok && length >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    bytes.assign(static_cast<std::size_t>(length), '\0');
    ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  }
  std::fclose(file);
  return ok;
}

std::vector<TextMark> ConfigMarks(const std::string& text) {
  std::vector<TextMark> marks;
  for (const core::ConfigProblem& problem : core::FindConfigProblems(text))
    marks.push_back({problem.offset, problem.length, FromCp(problem.tooltip)});
  return marks;
}

QSettings Profile() { return QSettings(CMainFrame::kProfileName, CMainFrame::kProfileName); }

}  // namespace

CCfgFileEditDlg::CCfgFileEditDlg(std::string path, QWidget* parent)
    : QDialog(parent),
      path_(std::move(path)),
      pathField_(new QLineEdit(this)),
      editor_(new CTWScriptEdit(this)),
      recolour_(new QToolButton(this)),
      save_(new QPushButton(QStringLiteral("Save"), this)) {
  setWindowTitle(QStringLiteral("Configuration file"));
  setWindowIcon(AppIcon());
  setSizeGripEnabled(true);
  pathField_->setObjectName(QStringLiteral("path"));
  pathField_->setReadOnly(true);
  editor_->setObjectName(QStringLiteral("editor"));
  recolour_->setObjectName(QStringLiteral("recolour"));
  recolour_->setIcon(RecolourIcon());
  recolour_->setAutoRaise(false);
  save_->setObjectName(QStringLiteral("save"));
  save_->setAutoDefault(false);

  // The path across the top, the editor taking every extra pixel, the two
  // buttons below it at the corners.
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pathField_);
  layout->addWidget(editor_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(recolour_);
  buttons->addStretch(1);
  buttons->addWidget(save_);
  layout->addLayout(buttons);

  connect(save_, &QPushButton::clicked, this, &CCfgFileEditDlg::Save);
  connect(recolour_, &QToolButton::clicked, this, &CCfgFileEditDlg::Recolour);

  resize(DialogUnitsToPixels(QSize(kWidthUnits, kHeightUnits), font()));
  QSettings profile = Profile();
  profile.beginGroup(kProfileGroup);
  const QByteArray geometry = profile.value(kProfileKey).toByteArray();
  if (!geometry.isEmpty()) restoreGeometry(geometry);

  loaded_ = Load();
}

QSize CCfgFileEditDlg::DialogUnitsToPixels(const QSize& units, const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters =
      metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  const int average = (letters + 26) / 52;
  return QSize(units.width() * average / 4, units.height() * metrics.height() / 8);
}

bool CCfgFileEditDlg::Load() {
  std::string bytes;
  if (!ReadWhole(path_, bytes)) return false;
  pathField_->setText(FromCp(path_));
  ConfigureEditor();
  editor_->SetBytes(bytes);
  editor_->SetMarkFinder(ConfigMarks);
  editor_->setFocus();
  return true;
}

void CCfgFileEditDlg::ConfigureEditor() {
  editor_->SetCaseSensitive(true);
  editor_->SetStringDelimiters(QStringLiteral("\""));
  editor_->SetCommentChars(QLatin1Char(';'));
  editor_->SetCommentWord(QStringLiteral(";"));
  editor_->SetSections(QStringLiteral(" COMMON Remote interfaces Hosts Links Favorites "));
  editor_->SetConstants(QStringLiteral(" TRUE true True FALSE false False ON on On OFF off Off "));
  editor_->SetKeywordsA(QStringLiteral(" PERIOD_VERIFY SPLASH_WINDOW_TTL SPLASH_WINDOW_DISABLE USE_DOCKING_WINDOWS "
                                       "ENABLE_SPLASH_EFFECTS GROUP PRAGMA "));
  editor_->SetKeywordsD(QStringLiteral(" FAVORIT LINK FV_DEFAULT_SETINGS ERROR_SOUND ERROR_APP "));
}

int CCfgFileEditDlg::Run() { return exec(); }

int CCfgFileEditDlg::exec() {
  if (!loaded_) {
    setResult(QDialog::Rejected);
    return QDialog::Rejected;
  }
  return QDialog::exec();
}

void CCfgFileEditDlg::done(int result) {
  QSettings profile = Profile();
  profile.beginGroup(kProfileGroup);
  profile.setValue(kProfileKey, saveGeometry());
  QDialog::done(result);
}

void CCfgFileEditDlg::Save() {
  const std::string bytes = editor_->Bytes();
  const bool written = cfg::ReplaceFileAtomically(path_, [&](std::FILE* file) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  });
  if (!written) {
    QMessageBox box(QMessageBox::Critical, FromCp(text::Cp("Ошибка")),
                    FromCp(text::Format(text::Cp("Ошибка записи файла \"%s\"").c_str(), path_.c_str())),
                    QMessageBox::Ok, this);
    box.exec();
  }
  accept();
}

void CCfgFileEditDlg::Recolour() {
  editor_->ColourAll();
  editor_->setFocus();
}

}  // namespace ui
