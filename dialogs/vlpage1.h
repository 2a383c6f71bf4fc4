// Page "Основные параметры" of the overhead line sheet: the line's name and
// length, its tower from the catalog, the earth model and the ice load.  Its
// OK step checks the whole sheet and marks the element entered or not.
// Leaving the page (another tab or OK) refuses, in editing mode, a name the
// task file cannot hold: the page and the sheet stay open.
//
// The model holds the control values and states; the page widget shows them,
// reads the edits back before calling a handler, and calls the handlers.
#pragma once

#include "dialogs/catalogcombo.h"
#include "dialogs/vlpagebase.h"
#include "model/base.h"

#include <cstdint>
#include <string>

class COpora;

class CVLPage1 : public CVLPageBase {
public:
    std::string m_strCountLabel;  // "Число полюсов" on a DC task, else "Число цепей"
    float m_fIceK = 0;            // "Кзагр"
    float m_fIceTemp = 0;         // "Т,град.С"
    float m_fEps1 = 0, m_fEps2 = 0;
    float m_fLayer1Depth = 0;     // m
    int m_nLayers = 0;            // 0 one layer, 1 two layers
    float m_fRho1 = 0, m_fRho2 = 0;  // ohm*m
    int m_nEarthModel = 0;        // 0 Carson, 1 refined
    std::string m_strName;
    int m_bIce = 0;
    float m_fLength = 0;          // km
    std::uint8_t m_nCircuits = 0, m_nGroundWires = 0;
    CBase m_OtherBase;            // the other catalog file of "Выбрать из другой базы"
    std::string m_strOtherBasePath;
    std::uint8_t m_nConductors = 0;  // circuits x (1 on DC, else 3) + ground wires

    // Control states.
    CatalogCombo m_towerCombo;
    int m_nTowerChoice = -1;      // entry of the tower combo, -1 none
    bool m_bNewTowerEnabled = false;
    bool m_bTowerParamsEnabled = false;
    bool m_bCarsonEnabled = true, m_bRefinedEnabled = true;
    bool m_bOneLayerEnabled = false, m_bTwoLayersEnabled = false;
    bool m_bEps1Shown = false;    // refined model
    bool m_bLayer2Shown = false;  // refined model with two layers: depth, Ro and Eps of layer 2
    bool m_bIceShown = false;

    std::string Caption() const override { return "Основные параметры"; }
    void OnInitPage() override;
    bool OnKillActive() override;
    void OnOK() override;

    void UpdateEarthControls();
    void OnEarthModel(int model);
    void OnLayers(int layers);
    void OnIceToggled();

    void FillTowerCombo();
    // entry: the chosen entry of the combo, -1 no selection.
    void OnSelchangeTower(int entry);
    void OnNewTower();
    void OnTowerParams();
    void EditTower(COpora tower);

private:
    void SelectLineTower();
    void TakeTower(const COpora& tower, bool spread);
};
