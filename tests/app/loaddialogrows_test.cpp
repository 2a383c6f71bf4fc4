// "Параметры" opens the coupling-device and load dialogs from the table and
// writes their OK back into the chain.
#include "app/elemparams.h"
#include "dialogs/endmoddlg.h"
#include "dialogs/nagrotvdlg.h"
#include "dialogs/nagruzdlg.h"
#include "dialogs/prisoeddlg.h"
#include "model/branches.h"
#include "model/document.h"
#include "model/shunts.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

TEST(LoadDialogRows, EachTypeOpensItsDialogAndOkIsWrittenBack)
{
    ResetModelGlobals();
    ScriptedMessages msgs;
    CKestrinDoc doc;
    for (int type : {kCouplingDevice, kOverheadLine, kTap, kTapLoad, kAttachedEnd, kEndLoad}) {
        auto e = std::make_unique<CElement>();
        e->SetType(type);
        e->wirePositions = 3;
        e->circuits = 1;
        for (int i = 0; i < 3; ++i)
            e->inMap[i] = e->outMap[i] = i;
        e->data = CreateElementData(type);
        doc.AppendElement(std::move(e));
    }
    doc.elements[4]->Data<CEndMod>()->kind = 2;
    ScopedModalRunner<CPrisoedDlg> prisoed([](CPrisoedDlg& d) {
        d.OnInitDialog();
        d.m_strName = "УП";
        return d.OnOK();
    });
    ScopedModalRunner<CNagrOtvDlg> nagrOtv([](CNagrOtvDlg& d) {
        d.OnInitDialog();
        d.OnMode(1);
        return d.OnOK();
    });
    ScopedModalRunner<CEndModDlg> endMod([](CEndModDlg& d) {
        d.OnInitDialog();
        d.OnMode(1);
        return d.OnOK();
    });
    ScopedModalRunner<CNagruzDlg> nagruz([](CNagruzDlg& d) {
        d.OnInitDialog();
        d.valueText = "600";
        d.OnEnter();
        return d.OnOK();
    });
    for (int index : {0, 3, 4, 5}) {
        bool replay = false;
        EXPECT_TRUE(RunElemParams(doc, index, true, replay)) << index;
        EXPECT_EQ(doc.elements[std::size_t(index)]->entered, 1) << index;
    }
    EXPECT_EQ(doc.elements[0]->name, "УП");
    EXPECT_EQ(doc.elements[0]->Data<CUpr>()->wires, 3);
    EXPECT_EQ(doc.elements[3]->Data<CNagrOtv>()->mode, 1);
    EXPECT_EQ(doc.elements[4]->Data<CEndMod>()->kind, 3);
    EXPECT_EQ(doc.elements[5]->Data<CNagruz>()->values[0], 600.0);
    EXPECT_TRUE(msgs.messages().empty());
    ResetModelGlobals();
}

} // namespace
