// CObhVib ("Выбор цепи"): the bypass sheet's page that shows the bypass kind
// and its selective flag and lets the engineer move the bypass between
// circuits and ground wires without changing how many of each it takes.
#pragma once

#include "dialogs/circuitbuttons.h"
#include "dialogs/propertysheet.h"

class CElement;
class CEObhod;

class CObhVib : public PropertyPageModel {
public:
    // Sets g_nBypassPageToken to 1.
    CObhVib();

    // Set by the sheet's owner.
    CElement* m_pElement = nullptr;
    CEObhod* m_pEObhod = nullptr;
    bool editing = true;
    // The page's OK validates the bypass when it holds the token; the bypass
    // sheet validates once itself and clears this.
    bool validateOnOK = true;

    int m_nKind = -1;
    int m_nSelective = -1;
    CircuitButtons buttons;

    std::string Caption() const override { return "Выбор цепи"; }
    void OnInitPage() override;
    bool OnKillActive() override;
    void OnOK() override;

    // A click on box k (its new state already in the model) moves a tick within its class.
    void OnClick(int k);
    bool KindEnabled(int kind) const { return kind == m_nKind; }
    bool SelectiveEnabled(int selective) const { return selective == m_nSelective; }
};
