#pragma once
// The About dialog, which holds the user instructions.
#include <string>

#include "platform/qt/dialog.h"
#include "ui/link_static.h"

namespace gradova::ui {

class CAboutDlg : public platform::Dialog {
 public:
  explicit CAboutDlg(QWidget* owner = nullptr);

 protected:
  void DoDataExchange(platform::DataExchange& dx) override;
  bool OnInitDialog() override;

 private:
  std::string m_helpText;
  CLinkStatic m_homeLink;
};

}  // namespace gradova::ui
