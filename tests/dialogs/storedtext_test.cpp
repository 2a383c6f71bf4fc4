// Names and titles typed into the element and task dialogs: the task file
// keeps them in CP1251, so a character outside it is refused at OK, named,
// with the dialog kept open and nothing written; the rest is kept as typed.
#include "dialogs/dialogglobals.h"
#include "dialogs/endmoddlg.h"
#include "dialogs/klinedlg.h"
#include "dialogs/nagrotvdlg.h"
#include "dialogs/nagruzdlg.h"
#include "dialogs/obhodsheet.h"
#include "dialogs/otvetdlg.h"
#include "dialogs/poslsoprdlg.h"
#include "dialogs/prisoeddlg.h"
#include "dialogs/razvetvdlg.h"
#include "dialogs/shuntdlg.h"
#include "dialogs/transpdlg.h"
#include "dialogs/vlinesheet.h"
#include "dialogs/zadachadlg.h"
#include "dialogs/zadachadopdlg.h"
#include "model/branches.h"
#include "model/coupling.h"
#include "model/document.h"
#include "model/lines.h"
#include "model/shunts.h"
#include "platform/archive.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "wiredelement.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// A dialog opened on its object: the text of its name (title) edit, its OK
// (IDOK, or 0 when it stays open), the name the object holds and the whole
// object as the file keeps it.
struct OpenDialog {
    std::vector<std::shared_ptr<void>> objects;
    std::string* field;
    std::function<int()> ok;
    std::function<std::string()> name, file;
};

template <class Dialog>
OpenDialog Element(std::shared_ptr<CElement> e, std::shared_ptr<Dialog> d, std::string& field,
                   std::shared_ptr<void> more = nullptr)
{
    auto file = [e] {
        ArchiveWriter ar;
        e->Store(ar);
        return std::string(ar.bytes().begin(), ar.bytes().end());
    };
    return {{e, d, more}, &field, [d] { return int(d->OnOK()); }, [e] { return e->name; }, file};
}

template <class Dialog>
OpenDialog Task(std::shared_ptr<Dialog> d)
{
    d->m_nConductors = 4;
    d->m_strTitle = "ВЛ 110 кВ";
    d->OnInitDialog();
    return {{d}, &d->m_strTitleEdit, [d] { return int(d->OnOK()); }, [d] { return d->m_strTitle; }, [d] {
                return StrFormat("%s %d %d %d %d", d->m_strTitle.c_str(), d->m_bDC, d->m_nCircuits,
                                 d->m_nGroundWires, d->m_nConductors);
            }};
}

std::shared_ptr<CElement> Wired(int type, int circuits, int ground)
{
    return std::make_shared<CElement>(WiredElement(type, circuits, ground));
}

// The overhead line and bypass sheets on an element of the given name.
OpenDialog VLineSheet(bool editing, const std::string& name = "")
{
    auto e = Wired(kOverheadLine, 1, 0);
    e->conductors = 3;
    e->name = name;
    COpora& tower = PrepareVLineData(*e, false).tower;
    tower.name = "П110";
    tower.count = 3;
    tower.x = {-4, 0, 4}, tower.y = {20, 24, 20};
    auto doc = std::make_shared<CKestrinDoc>();
    auto sheet = std::make_shared<CVLineSheet>(*e, *doc, 0, editing);
    sheet->Start();
    return Element(e, sheet, sheet->m_page1.m_strName, doc);
}

OpenDialog BypassSheet(bool editing, const std::string& name = "")
{
    auto e = Wired(kBypass, 1, 1);
    e->Data<CEObhod>()->n = e->wirePositions;
    e->name = name;
    auto sheet = std::make_shared<CObhodSheet>(*e, 0, nullptr, editing);
    sheet->Start();  // "Заградители", the page with the name
    return Element(e, sheet, sheet->m_zag.m_strName);
}

struct Row {
    const char* dialog;
    const char* field;
    const char* caption;
    std::function<OpenDialog()> open;
};

const Row kRows[] = {
    {"CZadachaDlg", kTaskTitleField, kAppName, [] { return Task(std::make_shared<CZadachaDlg>()); }},
    {"CZadachaDopDlg", kTaskTitleField, kAppName, [] { return Task(std::make_shared<CZadachaDopDlg>()); }},
    {"CVLineSheet", kNameField, kAppName, [] { return VLineSheet(true); }},
    {"CKLineDlg", kNameField, kAppName, [] {
         auto e = Wired(kCableLine, 1, 0);
         CKLine& k = *e->Data<CKLine>();
         k.circuits = 1, k.length = 1000, k.rho = 100;
         k.solidCable.name = "АПвП";
         k.solidCable.outerRadius = 0.25;
         for (int i = 0; i < 3; ++i)
             k.x[i] = i - 1, k.y[i] = 1;
         auto d = std::make_shared<CKLineDlg>();
         d->m_pElement = e.get();
         d->OnInitDialog();
         return Element(e, d, d->m_strName);
     }},
    {"CPrisoedDlg", kNameField, kAppName, [] {
         auto e = Wired(kCouplingDevice, 1, 1);
         auto d = std::make_shared<CPrisoedDlg>();
         d->m_pElement = e.get(), d->m_pUpr = e->Data<CUpr>();
         d->OnInitDialog();
         return Element(e, d, d->m_strName);
     }},
    {"CShuntDlg", kNameField, kAppName, [] {
         auto e = Wired(kShuntImpedance, 1, 1);
         e->Data<CEShunt>()->branches.push_back(CShunt{0, 1, 10.0, 0.0, 0.0, {}});
         auto d = std::make_shared<CShuntDlg>();
         d->m_pElement = e.get(), d->m_pEShunt = e->Data<CEShunt>();
         d->OnInitDialog();
         return Element(e, d, d->m_strName);
     }},
    {"CPoslSoprDlg", kNameField, kAppName, [] {
         auto e = Wired(kSeriesImpedance, 1, 1);
         auto d = std::make_shared<CPoslSoprDlg>();
         d->m_pElement = e.get(), d->m_pEShunt = e->Data<CEShunt>();
         d->OnInitDialog();
         return Element(e, d, d->m_strName);
     }},
    {"COtvetDlg", kNameField, "Выбор", [] {
         auto e = Wired(kTap, 1, 1);
         auto d = std::make_shared<COtvetDlg>();
         d->m_pElement = e.get();
         d->OnInitDialog();
         return Element(e, d, d->m_strName);
     }},
    {"CRazvetvDlg", kNameField, "Выбор", [] {
         auto e = Wired(kBranchingStart, 3, 1);
         auto d = std::make_shared<CRazvetvDlg>();
         d->m_pElement = e.get();
         d->OnInitDialog();
         return Element(e, d, d->m_strName);
     }},
    {"CTranspDlg", kNameField, kAppName, [] {
         auto e = Wired(kTransposition, 2, 0);
         auto d = std::make_shared<CTranspDlg>();
         d->element = e.get(), d->transp = e->Data<CTransp>();
         d->OnInitDialog();
         return Element(e, d, d->name);
     }},
    {"CNagruzDlg", kNameField, kAppName, [] {
         auto e = Wired(kEndLoad, 1, 0);
         auto d = std::make_shared<CNagruzDlg>();
         d->element = e.get();
         d->OnInitDialog();
         return Element(e, d, d->name);
     }},
    {"CNagrOtvDlg", kNameField, kAppName, [] {
         auto e = Wired(kTapLoad, 1, 0);
         auto d = std::make_shared<CNagrOtvDlg>();
         d->element = e.get(), d->data = e->Data<CNagrOtv>();
         d->OnInitDialog();
         return Element(e, d, d->name);
     }},
    {"CEndModDlg", kNameField, kAppName, [] {
         auto e = Wired(kAttachedEnd, 0, 3);
         auto d = std::make_shared<CEndModDlg>();
         d->element = e.get(), d->data = e->Data<CEndMod>();
         d->OnInitDialog();
         return Element(e, d, d->name);
     }},
    {"CObhodSheet", kNameField, kAppName, [] { return BypassSheet(true); }},
};

TEST(StoredText, EveryDialogRefusesANameTheFileCannotHoldAndStoresOneItCan)
{
    const std::string unstorable = "ВЛ 110 кВ ×2, провод 240 мм²", storable = "№ 1 «А» 20°";
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.dialog);
        ResetModelGlobals();
        ResetDialogGlobals();
        ScriptedMessages messages;
        OpenDialog d = row.open();
        const std::string before = d.file();
        *d.field = unstorable;
        EXPECT_EQ(d.ok(), 0);
        ASSERT_EQ(messages.messages().size(), 1u);
        const ScriptedMessages::Message& refusal = messages.messages()[0];
        EXPECT_EQ(refusal.text.rfind("Поле «" + std::string(row.field) + "» содержит символы «×» (U+00D7), «²» (U+00B2)", 0), 0u)
            << refusal.text;
        EXPECT_EQ(refusal.caption, row.caption);
        EXPECT_EQ(refusal.icon, MsgIcon::Stop);
        EXPECT_EQ(d.file(), before);
        EXPECT_EQ(*d.field, unstorable);

        *d.field = storable;
        EXPECT_EQ(d.ok(), IDOK);
        EXPECT_EQ(d.name(), storable);
    }
    ResetModelGlobals();
    ResetDialogGlobals();
}

// A name the file cannot hold may come with the data (a DOS-era catalog
// brought it in): where the dialog cannot change it, OK closes the dialog as
// always, so the user is never locked in.
TEST(StoredText, ADialogThatCannotChangeTheNameClosesWithOKOnOneTheFileCannotHold)
{
    const std::string imported = "Опора ╬1";
    const struct {
        const char* dialog;
        std::function<OpenDialog()> open;
    } rows[] = {
        {"CZadachaDlg, title read-only",
         [&] {
             auto d = std::make_shared<CZadachaDlg>();
             d->m_bEditable = 0;
             OpenDialog o = Task(d);
             d->m_strTitle = d->m_strTitleEdit = imported;
             return o;
         }},
        {"CVLineSheet, view only", [&] { return VLineSheet(false, imported); }},
        {"CObhodSheet, view only", [&] { return BypassSheet(false, imported); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.dialog);
        ResetModelGlobals();
        ResetDialogGlobals();
        ScriptedMessages messages;
        OpenDialog d = row.open();
        ASSERT_EQ(*d.field, imported);
        EXPECT_NE(d.ok(), 0);
        for (const auto& m : messages.messages())  // a note of incomplete data may come, no refusal
            EXPECT_EQ(m.text.find("нельзя сохранить"), std::string::npos) << m.text;
        EXPECT_EQ(d.name(), imported);
    }
    ResetModelGlobals();
    ResetDialogGlobals();
}

} // namespace
