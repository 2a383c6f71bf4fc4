// The window of CPovtorDlg: the repeated item's name, editable, and the
// answers "Заменить", "Добавить", "Пропустить" and "Отменить".
#pragma once

#include <QDialog>

class CPovtorDlg;
class QLineEdit;
class QPushButton;

class PovtorDialog : public QDialog {
    Q_OBJECT
public:
    PovtorDialog(CPovtorDlg& model, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return m_name; }
    QPushButton* ReplaceButton() const { return m_replace; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* SkipButton() const { return m_skip; }

private:
    void UpdateButtons();

    CPovtorDlg& m_model;
    QLineEdit* m_name;
    QPushButton* m_replace;
    QPushButton* m_add;
    QPushButton* m_skip;
};
