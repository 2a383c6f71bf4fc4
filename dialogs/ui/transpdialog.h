// The window of CTranspDlg ("Транспозиция"): the order list and a drawing
// of the wires' lines from their place before the transposition (left) to
// their place after it (right).
#pragma once

#include "dialogs/transpdlg.h"

#include <QDialog>

class DrawingWidget;
class QComboBox;
class QLineEdit;
class QPainter;
class QPushButton;
class QTableWidget;
struct PixelRect;

class TranspDialog : public QDialog {
    Q_OBJECT
public:
    explicit TranspDialog(CTranspDlg& model, QWidget* parent = nullptr);

    QLineEdit* NameEdit() const { return m_name; }
    QComboBox* WireCombo() const { return m_wire; }
    QComboBox* PositionCombo() const { return m_position; }
    QTableWidget* List() const { return m_list; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    void accept() override;

private:
    void ShowChoice();
    void ShowRows();
    void Draw(QPainter& p, const PixelRect& area);

    CTranspDlg& m_model;
    QLineEdit* m_name;
    QComboBox* m_wire;
    QComboBox* m_position;
    QTableWidget* m_list;
    DrawingWidget* m_drawing;
    QPushButton* m_cancel;
};

void RegisterTranspDialog();
