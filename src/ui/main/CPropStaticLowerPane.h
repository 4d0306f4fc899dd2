#pragma once
// The object properties pane: a header of three lines with the selected
// mail server, computer and task, and the property grid below, filled by
// the property view that matches the selected row of the navigation tree.

#include <QWidget>

#include <memory>
#include <string>

#include "services/ConsoleSnapshot.h"
#include "services/PropertyRows.h"

class QLabel;

namespace ui {

class CPropGridCtrl;

// The property views: each knows its object and turns it into rows.
class CPropView {
 public:
  virtual ~CPropView() = default;
  virtual std::vector<services::PropertyRow> Rows() const = 0;
};

class CPropViewConnection : public CPropView {
 public:
  explicit CPropViewConnection(services::ComputerSnapshot computer) : computer_(std::move(computer)) {}
  std::vector<services::PropertyRow> Rows() const override { return services::ConnectionProperties(computer_); }

 private:
  services::ComputerSnapshot computer_;
};

class CPropViewHost : public CPropView {
 public:
  explicit CPropViewHost(services::MailServerSnapshot server) : server_(std::move(server)) {}
  std::vector<services::PropertyRow> Rows() const override { return services::HostProperties(server_); }

 private:
  services::MailServerSnapshot server_;
};

// The task's entries are read from the computer (on the worker); the view
// holds what came back.
class CPropViewTask : public CPropView {
 public:
  explicit CPropViewTask(std::vector<services::PropertyRow> rows) : rows_(std::move(rows)) {}
  std::vector<services::PropertyRow> Rows() const override { return rows_; }

 private:
  std::vector<services::PropertyRow> rows_;
};

class CPropStaticLowerPane : public QWidget {
  Q_OBJECT

 public:
  explicit CPropStaticLowerPane(QWidget* parent = nullptr);

  // The header's three names (CP1251) and the view that fills the grid.
  void Show(const std::string& mailServer, const std::string& computer, const std::string& task,
            std::unique_ptr<CPropView> view);
  const std::string& MailServer() const { return server_; }
  const std::string& Computer() const { return computer_; }
  const std::string& Task() const { return task_; }
  CPropGridCtrl* Grid() const { return grid_; }
  const CPropView* View() const { return view_.get(); }

 signals:
  void openRequested(services::OpenTarget target, const std::string& mailServer, const std::string& computer);

 private:
  QLabel* serverLine_;
  QLabel* computerLine_;
  QLabel* taskLine_;
  CPropGridCtrl* grid_;
  std::unique_ptr<CPropView> view_;
  std::string server_;
  std::string computer_;
  std::string task_;
};

}  // namespace ui
