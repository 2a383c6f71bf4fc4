// The widget of the bypass's schemes page (CObhObh): per side the wire,
// coupling filter, HF cable, cable length and winding polarity; the carrier
// equipment; "Ввести", "Удалить" and the list of lines (three rows each).
#pragma once

#include "dialogs/obhobh.h"

#include <QWidget>

class PropertySheetDialog;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class ObhObhPage : public QWidget {
    Q_OBJECT
public:
    struct Side {
        QGroupBox* group;
        QComboBox* wire;
        QComboBox* filter;
        QPushButton* newFilter;
        QPushButton* filterParams;
        QGroupBox* cableGroup;
        QComboBox* cable;
        QPushButton* newCable;
        QPushButton* cableParams;
        QLabel* lengthLabel;
        QLineEdit* length;
        QCheckBox* polarity;
    };

    explicit ObhObhPage(CObhObh& model, QWidget* parent = nullptr);
    void AddTo(PropertySheetDialog& sheet);
    void Refresh();
    void ReadControls();

    const Side& SideControls(int s) const { return m_side[s]; }
    QGroupBox* EquipmentGroup() const { return m_equipmentGroup; }
    QCheckBox* EquipmentBox() const { return m_equipment; }
    QLineEdit* REdit() const { return m_r; }
    QLineEdit* LEdit() const { return m_l; }
    QLineEdit* CEdit() const { return m_c; }
    QPushButton* EnterButton() const { return m_enter; }
    QPushButton* DeleteButton() const { return m_delete; }
    QTableWidget* List() const { return m_list; }

private:
    void BuildSide(int s);
    void ShowControls();
    void ShowRows();

    CObhObh& m_model;
    Side m_side[2];
    QGroupBox* m_equipmentGroup;
    QCheckBox* m_equipment;
    QLineEdit* m_r;
    QLineEdit* m_l;
    QLineEdit* m_c;
    QPushButton* m_enter;
    QPushButton* m_delete;
    QTableWidget* m_list;
};
