// The widget of the bypass's line-trap page (CObhZag): the element's name and
// one group per side with its wire, trap choice, entry buttons and list.
#pragma once

#include "dialogs/obhzag.h"

#include <QWidget>

class PropertySheetDialog;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

class ObhZagPage : public QWidget {
    Q_OBJECT
public:
    struct Side {
        QGroupBox* group;
        QComboBox* wire;
        QComboBox* trap;
        QPushButton* newTrap;
        QPushButton* params;
        QPushButton* enter;
        QPushButton* remove;
        QTableWidget* list;
    };

    explicit ObhZagPage(CObhZag& model, QWidget* parent = nullptr);
    // Adds the page to a sheet whose model holds the page model at this position.
    void AddTo(PropertySheetDialog& sheet);

    const Side& SideControls(int s) const { return m_side[s]; }
    QLineEdit* NameEdit() const { return m_name; }

    // From the model (each time the page is shown) and back (before it is left).
    void Refresh();
    void ReadControls();

private:
    void BuildSide(int s);
    void ShowSide(int s);

    CObhZag& m_model;
    QLineEdit* m_name;
    Side m_side[2];
};
