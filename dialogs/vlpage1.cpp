#include "dialogs/vlpage1.h"

#include "dialogs/catalogitemstore.h"
#include "dialogs/catalogrequests.h"
#include "dialogs/vlinevalidation.h"
#include "model/catalogstore.h"
#include "model/document.h"
#include "model/element.h"
#include "model/lines.h"
#include "platform/messages.h"
#include "platform/storedtext.h"

void CVLPage1::OnInitPage()
{
    const CVLine& line = *m_pVLine;
    m_strCountLabel = IsDC() ? "Число полюсов" : "Число цепей";
    m_fLength = static_cast<float>(line.length * 0.001);
    m_fIceK = static_cast<float>(line.iceFactor);
    m_fIceTemp = static_cast<float>(line.iceTemperature);
    m_fEps1 = static_cast<float>(line.earthEps1);
    m_fEps2 = static_cast<float>(line.earthEps2);
    m_fLayer1Depth = static_cast<float>(line.layerDepth);
    m_fRho1 = static_cast<float>(line.earthRho1);
    m_fRho2 = static_cast<float>(line.earthRho2);
    m_bIce = line.ice ? 1 : 0;
    m_nCircuits = m_pElement->circuits;
    m_nGroundWires = m_pElement->groundWires;
    m_nLayers = (line.earthModel & 2) ? 1 : 0;
    m_nEarthModel = (line.earthModel & 1) ? 0 : 1;
    m_strName = m_pElement->name;
    m_nConductors = static_cast<std::uint8_t>(PhaseWires() + m_nGroundWires);
    FillTowerCombo();
    m_bNewTowerEnabled = m_policy.NewButtonsEnabled() && HasItemEditor(kCatTowers);
    m_bIceShown = m_bIce != 0;
    UpdateEarthControls();
}

void CVLPage1::UpdateEarthControls()
{
    const bool refined = m_nEarthModel == 1;
    m_bCarsonEnabled = m_policy.RadioEnabled(m_nEarthModel == 0);
    m_bRefinedEnabled = m_policy.RadioEnabled(refined);
    m_bOneLayerEnabled = refined && m_policy.RadioEnabled(m_nLayers == 0);
    m_bTwoLayersEnabled = refined && m_policy.RadioEnabled(m_nLayers == 1);
    m_bEps1Shown = refined;
    m_bLayer2Shown = refined && m_nLayers == 1;
}

void CVLPage1::OnEarthModel(int model)
{
    m_nEarthModel = model;
    UpdateEarthControls();
}

void CVLPage1::OnLayers(int layers)
{
    m_nLayers = layers;
    UpdateEarthControls();
}

void CVLPage1::OnIceToggled()
{
    m_bIceShown = m_bIce != 0;
}

void CVLPage1::FillTowerCombo()
{
    const int points = m_nConductors;
    m_towerCombo.Fill<COpora>(g_TaskBase.towers, g_CurBase.towers,
                              [points](const COpora& t) { return t.count == points; });
    m_towerCombo.Sort();
    SelectLineTower();
}

// The line's tower selected by its name; "Параметры" enabled exactly while the
// line has a tower (and an editor can show it).
void CVLPage1::SelectLineTower()
{
    const std::string& name = m_pVLine->tower.name;
    m_nTowerChoice = name.empty() ? -1 : m_towerCombo.Find(name);
    m_bTowerParamsEnabled = !name.empty() && HasItemEditor(kCatTowers);
}

void CVLPage1::TakeTower(const COpora& tower, bool spread)
{
    m_pVLine->tower.Copy(tower);
    if (spread) {
        StoreCatalogItem(tower);
        FillTowerCombo();
        if (m_pDoc)
            SpreadTower(m_pDoc->elements, tower, m_nElementIndex);
    }
    SelectLineTower();
}

void CVLPage1::OnSelchangeTower(int entry)
{
    if (entry < 0 || entry >= static_cast<int>(m_towerCombo.entries.size())) {
        m_pVLine->tower.Clear();
        m_nTowerChoice = -1;
        m_bTowerParamsEnabled = false;
        return;
    }
    const int data = m_towerCombo.entries[static_cast<std::size_t>(entry)].data;
    if (DecodeItemData(data).source != ComboChoice::OtherBase) {
        if (const COpora* tower = ChosenItem(g_TaskBase.towers, g_CurBase.towers, data))
            TakeTower(*tower, false);
        return;
    }
    COtherCatalogRequest road(kCatTowers, m_OtherBase, m_strOtherBasePath, m_nConductors);
    road.DoModal();
    const COpora* picked = road.outcome == COtherCatalogRequest::Picked ? road.PickedTower() : nullptr;
    // Only a tower with a point for every conductor fits the line.
    if (picked && picked->count == m_nConductors) {
        const COpora tower = *picked;
        TakeTower(tower, true);
    } else {
        SelectLineTower();
    }
}

void CVLPage1::OnNewTower()
{
    EditTower(COpora());
}

void CVLPage1::OnTowerParams()
{
    COpora tower;
    tower.Copy(m_pVLine->tower);
    EditTower(tower);
}

void CVLPage1::EditTower(COpora tower)
{
    tower.count = m_nConductors;
    CItemEditRequest request;
    request.category = kCatTowers;
    request.item = &tower;
    request.mode = static_cast<std::uint8_t>(m_policy.ItemEditorMode(3, 2));
    // A view-only editor changes nothing, whatever it answers.
    if (request.DoModal() == IDOK && m_policy.Editing())
        TakeTower(tower, true);
}

bool CVLPage1::OnKillActive()
{
    if (m_bControlsInvalid)
        return false;
    // Outside editing mode the name is read-only and the sheet's copy is not written back.
    if (m_policy.Editing() && !CheckStoredText(m_strName, kNameField, kAppName))
        return false;
    CVLine& line = *m_pVLine;
    if (line.tower.name.empty()) {
        ShowMessage("Вы забыли задать опору!", "Неполные данные", MsgIcon::Stop);
        return false;
    }
    line.length = static_cast<double>(m_fLength) * 1000;
    line.earthEps1 = m_fEps1;
    line.earthEps2 = m_fEps2;
    line.earthRho1 = m_fRho1;
    line.earthRho2 = m_fRho2;
    line.layerDepth = m_fLayer1Depth;
    line.ice = m_bIce ? 1 : 0;
    line.iceFactor = m_fIceK;
    line.iceTemperature = m_fIceTemp;
    line.earthModel = static_cast<std::uint8_t>((m_nEarthModel == 0 ? 1 : 0) + 2 * (m_nLayers ? 1 : 0));
    m_pElement->name = m_strName;
    return true;
}

void CVLPage1::OnOK()
{
    ValidateVLineSheet(*m_pElement, *m_pVLine);
}
