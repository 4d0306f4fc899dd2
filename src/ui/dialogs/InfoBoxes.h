#pragma once
// The small information boxes of the main window: about, operating system and
// computer identification. Each Build... returns the box not yet shown (for
// screenshots and tests); each Show... shows it modally.

#include <QString>

#include <memory>
#include <string>
#include <string_view>

class QMessageBox;
class QWidget;

namespace ui {

std::unique_ptr<QMessageBox> BuildAboutBox(QWidget* parent);
void ShowAboutBox(QWidget* parent);

// The PRETTY_NAME of an os-release text (quotes removed), then the kernel as
// "sysname release version machine". Either part may be missing.
QString OsDescription(std::string_view osReleaseText, const QString& kernel);
// The same for this machine: /etc/os-release (or /usr/lib/os-release) and uname.
QString OsDescription();

std::unique_ptr<QMessageBox> BuildOsInformationBox(QWidget* parent);
void ShowOsInformation(QWidget* parent);

std::unique_ptr<QMessageBox> BuildComputerIdentificationBox(QWidget* parent, const std::string& identityCp1251);
void ShowComputerIdentification(QWidget* parent, const std::string& identityCp1251);

}  // namespace ui
