// The window of page "Провода" of the overhead line sheet.
#pragma once

#include <QWidget>

class CVLPage2;
class DrawingWidget;
class ListStepper;
class NumericEdit;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTreeWidget;

class VLPage2Widget : public QWidget {
    Q_OBJECT
public:
    explicit VLPage2Widget(CVLPage2& model, QWidget* parent = nullptr);

    // The page becomes current: the model refreshes itself and the controls follow.
    void Show();
    // Controls into the model; a field without a number marks them invalid.
    bool Read();

    QComboBox* WireCombo() const { return m_wireType; }
    QSpinBox* BundleSpin() const { return m_bundle; }
    NumericEdit* StepEdit() const { return m_step; }
    NumericEdit* SagEdit() const { return m_sag; }
    QPushButton* EnterButton() const { return m_enter; }
    QPushButton* DrawingButton() const { return m_drawingButton; }
    QTreeWidget* List() const { return m_list; }
    DrawingWidget* Drawing() const { return m_drawing; }
    ListStepper* Stepper() const { return m_stepper; }
    QGroupBox* WireGroup() const { return m_group; }
    QLabel* HeightLabel() const { return m_height; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FillWires();
    void ShowWire();
    void ShowStates();
    void ShowRows();
    void SetColumnWidths();

    CVLPage2& m_model;
    QGroupBox* m_group;
    QComboBox* m_wireType;
    QPushButton* m_newWire;
    QPushButton* m_wireParams;
    QSpinBox* m_bundle;
    QLabel* m_stepLabel;
    NumericEdit* m_step;
    NumericEdit* m_sag;
    QGroupBox* m_iceGroup;
    NumericEdit* m_iceWall;
    NumericEdit* m_iceDensity;
    QLabel* m_height;
    QPushButton* m_enter;
    QPushButton* m_drawingButton;
    QStackedWidget* m_stack;
    QTreeWidget* m_list;
    DrawingWidget* m_drawing;
    ListStepper* m_stepper;
};
