#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace zorvek::ui {

// The About box, About: name, version, what the program does and its notice.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    static QString versionText();
    static QString descriptionText();

private:
    QLabel* m_image = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_disclaimer = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace zorvek::ui
