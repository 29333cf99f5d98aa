#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>

class QLocalServer;

namespace zeph {

// "Zephlora2MainWindow <user> <md5 of the lower-cased application folder>":
// one running copy per user and installation.
std::string InstanceName(const std::string& user_name, const std::string& application_folder);

// The single running instance, as a local socket named after the instance
// name: the first copy listens; a later one connects, asks it to come to
// the front ("Zephlora2Activate") and ends.
class TSingleInstance final : public QObject {
  Q_OBJECT
 public:
  explicit TSingleInstance(std::string instance_name);
  ~TSingleInstance() override;

  // True when this is the first copy; false after the running copy was
  // asked to come to the front.
  bool Acquire();
  // Called in the first copy when a later one asks it to come forward.
  std::function<void()> on_activate;

 private:
  std::string name_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace zeph
