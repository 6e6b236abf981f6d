// The port dialog: twenty buttons "COM1".."COM20", enabled for the ports that can be opened.
#pragma once

#include "link/qt/PortList.h"

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zorva {

class TfSetPort : public QDialog {
    Q_OBJECT

public:
    static constexpr int kButtons = 20;
    using PortLister = std::function<std::vector<ListedPort>()>;

    // `lister` gives the ports; by default the system's, numbered through SysInfo.Ini.
    explicit TfSetPort(QWidget* parent = nullptr, PortLister lister = {});

    QRadioButton* PortButton(int number) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void btnOkClick();
    void btnCancelClick();

    PortLister lister_;
    QGroupBox* cxPort_ = nullptr;
    std::array<QRadioButton*, kButtons> cxPortN_{};
    QLabel* lbName_ = nullptr;
    QListWidget* cxCom_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace zorva
