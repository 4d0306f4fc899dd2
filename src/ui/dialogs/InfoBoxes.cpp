#include "ui/dialogs/InfoBoxes.h"

#include <sys/utsname.h>

#include <QFile>
#include <QMessageBox>

#include "ui/icons/Icons.h"
#include "ui/text/QtText.h"

namespace ui {

namespace {

const char kAppTitle[] = "Veltrane32 REMOTE CONSOLE";

std::unique_ptr<QMessageBox> NewBox(QWidget* parent, const QString& title, QMessageBox::Icon icon) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setWindowTitle(title);
  box->setIcon(icon);
  box->setStandardButtons(QMessageBox::Ok);
  box->setWindowModality(Qt::ApplicationModal);
  return box;
}

QString KernelDescription() {
  utsname name{};
  if (uname(&name) != 0) return {};
  return QStringLiteral("%1 %2 %3 %4")
      .arg(QString::fromLocal8Bit(name.sysname), QString::fromLocal8Bit(name.release),
           QString::fromLocal8Bit(name.version), QString::fromLocal8Bit(name.machine));
}

QByteArray ReadOsRelease() {
  for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
    QFile file(QString::fromLatin1(path));
    if (file.open(QIODevice::ReadOnly)) return file.readAll();
  }
  return {};
}

}  // namespace

std::unique_ptr<QMessageBox> BuildAboutBox(QWidget* parent) {
  auto box = NewBox(parent, QString::fromUtf8("О программе"), QMessageBox::NoIcon);
  box->setIconPixmap(AppIcon().pixmap(32, 32));
  box->setTextFormat(Qt::RichText);
  box->setText(QStringLiteral("<b>Veltrane32 remote configuration</b><br>%1 %2")
                   .arg(QString::fromUtf8("Версия"), QStringLiteral(VT_VERSION_TEXT)));
  return box;
}

void ShowAboutBox(QWidget* parent) { BuildAboutBox(parent)->exec(); }

QString OsDescription(std::string_view osReleaseText, const QString& kernel) {
  QString pretty;
  for (const QString& line : QString::fromUtf8(osReleaseText.data(), qsizetype(osReleaseText.size())).split('\n')) {
    if (!line.startsWith(QLatin1String("PRETTY_NAME="))) continue;
    pretty = line.mid(12).trimmed();
    if (pretty.size() >= 2 && (pretty.front() == '"' || pretty.front() == '\'') && pretty.back() == pretty.front())
      pretty = pretty.mid(1, pretty.size() - 2);
    break;
  }
  QStringList parts;
  if (!pretty.isEmpty()) parts << pretty;
  if (!kernel.isEmpty()) parts << kernel;
  return parts.join(QLatin1Char('\n'));
}

QString OsDescription() {
  const QByteArray release = ReadOsRelease();
  return OsDescription(std::string_view(release.constData(), size_t(release.size())), KernelDescription());
}

std::unique_ptr<QMessageBox> BuildOsInformationBox(QWidget* parent) {
  auto box = NewBox(parent, QString::fromUtf8("О системе ..."), QMessageBox::Information);
  box->setTextFormat(Qt::RichText);
  box->setText(QStringLiteral("<b>%1</b><br>%2")
                   .arg(QString::fromUtf8("Сведения об операционной системе:"),
                        OsDescription().toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"))));
  return box;
}

void ShowOsInformation(QWidget* parent) { BuildOsInformationBox(parent)->exec(); }

std::unique_ptr<QMessageBox> BuildComputerIdentificationBox(QWidget* parent, const std::string& identityCp1251) {
  auto box = NewBox(parent, QString::fromLatin1(kAppTitle), QMessageBox::Information);
  box->setTextFormat(Qt::PlainText);
  box->setText(QString::fromUtf8("Идентификация этого компьютера\nв сети:\n") + FromCp(identityCp1251));
  return box;
}

void ShowComputerIdentification(QWidget* parent, const std::string& identityCp1251) {
  BuildComputerIdentificationBox(parent, identityCp1251)->exec();
}

}  // namespace ui
