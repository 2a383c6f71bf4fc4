// The Qt dialog of the tower editor ("Опора") over the model COporaDlg.
#pragma once

#include "catalog/oporadlg.h"
#include "catalog/ui/itemeditordialog.h"

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

class OporaDialog : public ItemEditorDialog {
    Q_OBJECT
public:
    explicit OporaDialog(COporaDlg& model, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return m_name; }
    QSpinBox* CountSpin() const { return m_count; }
    QSpinBox* PointSpin() const { return m_point; }
    QLineEdit* XEdit() const { return m_x; }
    QLineEdit* HEdit() const { return m_h; }
    QPushButton* EnterButton() const { return m_enter; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* InsertButton() const { return m_insert; }
    QTableWidget* List() const { return m_list; }

protected:
    int ReadAndCheck() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ReadControls();
    void ShowModel();

    COporaDlg& m_model;
    QLineEdit* m_name;
    QSpinBox* m_count;
    QSpinBox* m_point;
    QLineEdit* m_x;
    QLineEdit* m_h;
    QPushButton* m_enter;
    QPushButton* m_delete;
    QPushButton* m_insert;
    QTableWidget* m_list;
};
