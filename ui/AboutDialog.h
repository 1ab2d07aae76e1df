// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class AboutDialog;
}

namespace zorvek::ui {

// The About box, About: name, version, what the program does and its notice.
// Its controls are a Designer form (AboutDialog.ui).
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    static QString versionText();
    static QString descriptionText();

private:
    std::unique_ptr<Ui::AboutDialog> m_form;
};

} // namespace zorvek::ui
