// The window of page "Основные параметры" of the overhead line sheet.
#pragma once

#include <QWidget>

class CVLPage1;
class NumericEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class VLPage1Widget : public QWidget {
    Q_OBJECT
public:
    explicit VLPage1Widget(CVLPage1& model, QWidget* parent = nullptr);

    // Model into the controls (the page becomes current).
    void Show();
    // Controls into the model (before the page is left); a field without a
    // number marks the page's controls invalid.
    void Read();

    QLineEdit* NameEdit() const { return m_name; }
    NumericEdit* LengthEdit() const { return m_length; }
    QComboBox* TowerCombo() const { return m_tower; }
    QPushButton* NewTowerButton() const { return m_newTower; }
    QPushButton* TowerParamsButton() const { return m_towerParams; }
    QRadioButton* CarsonRadio() const { return m_carson; }
    QRadioButton* RefinedRadio() const { return m_refined; }
    QRadioButton* TwoLayersRadio() const { return m_twoLayers; }
    NumericEdit* Rho1Edit() const { return m_rho1; }
    NumericEdit* Rho2Edit() const { return m_rho2; }
    QCheckBox* IceCheck() const { return m_ice; }

private:
    void FillTowers();
    void ShowStates();

    CVLPage1& m_model;
    QLineEdit* m_name;
    QLabel* m_countLabel;
    QLineEdit* m_circuits;
    QLineEdit* m_groundWires;
    NumericEdit* m_length;
    QComboBox* m_tower;
    QPushButton* m_newTower;
    QPushButton* m_towerParams;
    QRadioButton* m_carson;
    QRadioButton* m_refined;
    QRadioButton* m_oneLayer;
    QRadioButton* m_twoLayers;
    QLabel* m_epsTitle;
    QLabel* m_depthTitle;
    QLabel* m_layer2Title;
    NumericEdit* m_rho1;
    NumericEdit* m_eps1;
    NumericEdit* m_depth;
    NumericEdit* m_rho2;
    NumericEdit* m_eps2;
    QCheckBox* m_ice;
    QLabel* m_iceTempLabel;
    QLabel* m_iceKLabel;
    NumericEdit* m_iceTemp;
    NumericEdit* m_iceK;
};
