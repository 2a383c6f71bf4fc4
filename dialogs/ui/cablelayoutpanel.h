// The widgets both cable dialogs share: the kind of laying, the cable type
// with "Новый" and "Параметры", the soil or pipe data, the length, the number
// of circuits, and the cables as a table or a drawing with the coordinate
// edits and "Ввести".  The cable line dialog picks the current cable by its
// number (a spin box), the bypass page by a combo with an up-down.
#pragma once

#include "dialogs/cablelayout.h"

#include <QWidget>

#include <functional>

class DrawingWidget;
class ListStepper;
class NumericEdit;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTreeWidget;

// What the panel asks of its dialog's model.
struct CablePanelHooks {
    CableLayout* cables = nullptr;
    std::function<void(int)> onLayout;                  // a radio: 0 solid, 1 pipe
    std::function<bool(int)> radioEnabled;              // layout -> its radio enabled
    std::function<bool()> onToggleView;                 // false: the drawing was refused
    std::function<bool()> drawingShown;
    std::function<CableDrawing(const PixelRect&)> drawing;
    std::function<void(int)> onStep;                    // the combo selector's up-down
    ElementChain* chain = nullptr;
    int skipIndex = -1;
    CBase* otherBase = nullptr;
    std::string* otherPath = nullptr;
};

class CableLayoutPanel : public QWidget {
    Q_OBJECT
public:
    enum class Selector { Number, Combo };
    CableLayoutPanel(CablePanelHooks hooks, Selector selector, QWidget* parent = nullptr);

    // Model into widgets.
    void Refresh();
    // Numeric edits into the model; false after a refusal ("Введите число.").
    bool ReadControls();

    QRadioButton* SolidRadio() const { return m_solid; }
    QRadioButton* PipeRadio() const { return m_pipe; }
    QComboBox* TypeCombo() const { return m_type; }
    QPushButton* NewButton() const { return m_new; }
    QPushButton* ParamsButton() const { return m_params; }
    NumericEdit* DiameterEdit() const { return m_diameter; }
    NumericEdit* ResistivityEdit() const { return m_resistivity; }
    NumericEdit* PermeabilityEdit() const { return m_permeability; }
    NumericEdit* LengthEdit() const { return m_length; }
    NumericEdit* Coord1Edit() const { return m_coord1; }
    NumericEdit* Coord2Edit() const { return m_coord2; }
    QSpinBox* CableNumber() const { return m_number; }
    QComboBox* CableCombo() const { return m_cableCombo; }
    ListStepper* Stepper() const { return m_stepper; }
    QTreeWidget* List() const { return m_list; }
    DrawingWidget* Drawing() const { return m_drawingWidget; }
    QPushButton* EnterButton() const { return m_enter; }
    QPushButton* ViewButton() const { return m_view; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Paint(class QPainter& p, const PixelRect& area) const;
    void SetColumnWidths();
    void SelectCable(int index);
    void FillList();

    CablePanelHooks m_hooks;
    Selector m_selector;
    bool m_refreshing = false;
    QRadioButton* m_solid;
    QRadioButton* m_pipe;
    QComboBox* m_type;
    QPushButton* m_new;
    QPushButton* m_params;
    QLabel* m_diameterLabel;
    NumericEdit* m_diameter;
    QLabel* m_resistivityLabel;
    QLabel* m_power;
    NumericEdit* m_resistivity;
    QLabel* m_permeabilityLabel;
    NumericEdit* m_permeability;
    NumericEdit* m_length;
    QLabel* m_circuits;
    QGroupBox* m_group;
    QSpinBox* m_number = nullptr;
    QComboBox* m_cableCombo = nullptr;
    ListStepper* m_stepper = nullptr;
    NumericEdit* m_coord1;
    NumericEdit* m_coord2;
    QStackedWidget* m_stack;
    QTreeWidget* m_list;
    DrawingWidget* m_drawingWidget;
    QPushButton* m_enter;
    QPushButton* m_view;
};
