#include "app/commandids.h"
#include "dialogs/zadachadlg.h"
#include "shellfixture.h"

#include <gtest/gtest.h>

namespace {

std::string CatalogProfile(const TempFolder& dir)
{
    WriteCatalog(dir.File("main.kdb"), "АС-70");
    return "[Base File List]\nFile1=" + dir.File("main.kdb") + "\n";
}

// Answers the base-data dialog: OK with 2 circuits and 1 ground wire, or Cancel.
struct BaseDataAnswer {
    explicit BaseDataAnswer(bool ok)
        : scope([this, ok](CZadachaDlg& d) {
              seen.push_back(d);
              if (!ok)
                  return IDCANCEL;
              d.OnInitDialog();
              d.m_strTitleEdit = "Тракт ПС-1";
              if (d.m_bCountsEditable) {
                  d.m_nCircuitsEdit = 2;
                  d.m_nGroundEdit = 1;
                  d.OnCountChanged();
              }
              return d.OnOK() ? IDOK : IDCANCEL;
          })
    {
    }
    std::vector<CZadachaDlg> seen;
    ScopedModalRunner<CZadachaDlg> scope;
};

TEST(EditSession, NewTaskStartsWithItsBaseData)
{
    TempFolder catalogs;
    AppSession s(CatalogProfile(catalogs));
    ASSERT_TRUE(s.started);
    EXPECT_EQ(GetCommandState(cmd::ID_TASK_EDIT, s.Frame().GetShellState()).text, "Формирование");
    {
        BaseDataAnswer cancel(false);
        s.Frame().OnTaskEdit();
        EXPECT_FALSE(s.Frame().m_bEditing);
        EXPECT_FALSE(s.host.frame.elementBar);
        ASSERT_EQ(cancel.seen.size(), 1u);
        EXPECT_EQ(cancel.seen[0].m_bEditable, 1);
        EXPECT_EQ(cancel.seen[0].m_nElements, 0);
    }
    BaseDataAnswer ok(true);
    s.Frame().OnTaskEdit();
    EXPECT_TRUE(s.Frame().m_bEditing);
    EXPECT_TRUE(s.Frame().m_bElementBar);
    EXPECT_TRUE(s.host.frame.elementBar);
    EXPECT_EQ(s.Doc().title, "Тракт ПС-1");
    EXPECT_EQ(s.Doc().circuits, 2);
    EXPECT_EQ(s.Doc().groundWires, 1);
    EXPECT_EQ(s.Doc().conductorCount, 7);
    EXPECT_EQ(s.Doc().basePath, catalogs.File("main.kdb"));
    EXPECT_EQ(g_nConductors, 7);
    EXPECT_EQ(g_nCurCircuits, 2);
    EXPECT_EQ(g_nCurGround, 1);
    EXPECT_EQ(g_BackupDoc.conductorCount, 7);
    // While editing, the file, view and catalog commands are off.
    ShellState st = s.Frame().GetShellState();
    for (int id : {cmd::ID_FILE_NEW, cmd::ID_FILE_OPEN, cmd::ID_FILE_SAVE, cmd::ID_BASE_SELECT, cmd::ID_TASK_EDIT})
        EXPECT_FALSE(GetCommandState(id, st).enabled) << id;
    // A recent task is refused silently.
    s.app.m_pRecentFileList->Add(catalogs.File("x.ktf"));
    ScriptedMessages msgs;
    EXPECT_FALSE(s.app.OnOpenRecentFile(cmd::ID_FILE_MRU_FIRST));
    EXPECT_TRUE(msgs.messages().empty());
}

TEST(EditSession, CancelAfterAnIntermediateSaveRestoresThatStateWithoutResults)
{
    TempFolder catalogs;
    AppSession s(CatalogProfile(catalogs));
    CKestrinDoc& doc = s.Doc();
    doc.conductorCount = 3;
    doc.AppendElement(MakeElement(kCouplingDevice, 1, 3));
    doc.AddResponseResult(MakeResult(5));
    s.Frame().OnTaskEdit(); // a task with elements: no dialog
    EXPECT_TRUE(s.Frame().m_bEditing);
    EXPECT_EQ(GetCommandState(cmd::ID_FINISH_EDIT, s.Frame().GetShellState()).enabled, true);

    doc.AppendElement(MakeElement(kOverheadLine, 2, 3));
    s.Frame().OnSaveIntermediate();
    doc.AppendElement(MakeElement(kEndLoad, 3, 3));
    ASSERT_EQ(doc.elements.size(), 3u);

    s.Frame().OnCancelEdit();
    EXPECT_FALSE(s.Frame().m_bEditing);
    EXPECT_FALSE(s.host.frame.elementBar);
    ASSERT_EQ(doc.elements.size(), 2u);
    EXPECT_EQ(doc.elements[1]->type, kOverheadLine);
    EXPECT_TRUE(doc.responseResults.empty());
    EXPECT_FALSE(g_DocFile.modified);
}

// A task of one element with a result of 3 points, being edited.
struct EditedTask {
    EditedTask() : s(CatalogProfile(catalogs)), doc(s.Doc())
    {
        doc.AppendElement(MakeElement(kCouplingDevice));
        doc.AddResponseResult(MakeResult(3));
        s.Frame().OnTaskEdit();
    }
    TempFolder catalogs;
    AppSession s;
    CKestrinDoc& doc;
};

TEST(EditSession, CancelWithoutIntermediateSaveRestoresTheTaskAsItWas)
{
    EditedTask t;
    AppSession& s = t.s;
    CKestrinDoc& doc = t.doc;
    doc.elements.clear();
    s.Frame().OnCancelEdit();
    EXPECT_EQ(doc.elements.size(), 1u);
    EXPECT_EQ(doc.responseResults.size(), 1u); // the results of before the edit stay
    EXPECT_TRUE(g_TaskBase.IsEmpty());
}

TEST(EditSession, FinishingClearsResultsEvenWithoutChangesAndMarksTheTaskModified)
{
    EditedTask t;
    AppSession& s = t.s;
    CKestrinDoc& doc = t.doc;
    EXPECT_TRUE(s.Frame().m_bEditing);
    s.Frame().OnFinishEdit();
    EXPECT_FALSE(s.Frame().m_bEditing);
    EXPECT_FALSE(s.Frame().m_bElementBar);
    EXPECT_FALSE(s.host.frame.elementBar);
    EXPECT_TRUE(doc.responseResults.empty());
    EXPECT_EQ(doc.elements.size(), 1u);
    EXPECT_TRUE(g_DocFile.modified);
    EXPECT_TRUE(g_TaskBase.IsEmpty());
    EXPECT_EQ(s.Frame().m_Template.type, kNoType);
}

TEST(EditSession, BaseDataOfATaskWithElementsChangesOnlyTheTitle)
{
    TempFolder catalogs;
    AppSession s(CatalogProfile(catalogs));
    CKestrinDoc& doc = s.Doc();
    doc.conductorCount = 3;
    doc.basePath = "/old.kdb";
    doc.AppendElement(MakeElement(kCouplingDevice));
    s.Frame().OnTaskEdit();
    BaseDataAnswer ok(true);
    s.Frame().OnTaskBaseData();
    ASSERT_EQ(ok.seen.size(), 1u);
    EXPECT_EQ(ok.seen[0].m_nElements, 1);
    EXPECT_EQ(doc.title, "Тракт ПС-1");
    EXPECT_EQ(doc.circuits, 1);
    EXPECT_EQ(doc.conductorCount, 3);
    EXPECT_EQ(doc.basePath, "/old.kdb");
}

TEST(EditSession, ViewingTheBaseDataChangesNothing)
{
    TempFolder catalogs;
    AppSession s(CatalogProfile(catalogs));
    CKestrinDoc& doc = s.Doc();
    doc.title = "Старое";
    doc.AppendElement(MakeElement(kCouplingDevice));
    EXPECT_TRUE(GetCommandState(cmd::ID_VIEW_TASK_BASE_DATA, s.Frame().GetShellState()).enabled);
    BaseDataAnswer ok(true);
    s.Frame().OnViewTaskBaseData();
    ASSERT_EQ(ok.seen.size(), 1u);
    EXPECT_EQ(ok.seen[0].m_bEditable, 0);
    EXPECT_EQ(doc.title, "Старое");
    EXPECT_FALSE(s.Frame().m_bEditing);
}

TEST(EditSession, SelectingAnElementOutsideTheChainDeselectsAll)
{
    TempFolder catalogs;
    AppSession s(CatalogProfile(catalogs));
    CKestrinDoc& doc = s.Doc();
    doc.AppendElement(MakeElement(kCouplingDevice, 1, 3));
    doc.AppendElement(MakeElement(kOverheadLine, 2, 3));
    CElement* second = doc.elements[1].get();
    EXPECT_EQ(s.Frame().SelectElement(second), 1);
    EXPECT_TRUE(s.Frame().m_bSelected);
    EXPECT_EQ(second->selected, 1);
    CElement stranger;
    EXPECT_EQ(s.Frame().SelectElement(&stranger), 0xFFFF);
    EXPECT_FALSE(s.Frame().m_bSelected);
    EXPECT_EQ(second->selected, 0);
    EXPECT_EQ(s.Frame().SelectElement(nullptr), 0xFFFF);
}

TEST(EditSession, ClosingWhileEditingAsks)
{
    TempFolder catalogs;
    AppSession s(CatalogProfile(catalogs));
    CKestrinDoc& doc = s.Doc();
    doc.conductorCount = 3;
    doc.AppendElement(MakeElement(kCouplingDevice));
    ScriptedMessages msgs;
    ScriptedFileDialogs files;

    // Stay.
    s.Frame().OnTaskEdit();
    msgs.queue(MsgAnswer::Cancel);
    EXPECT_FALSE(s.Frame().QueryClose());
    EXPECT_TRUE(s.Frame().m_bEditing);
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(msgs.messages()[0].icon, MsgIcon::Question);

    // Discard: the edit is cancelled, the unmodified task closes.
    doc.AppendElement(MakeElement(kEndLoad, 2, 3));
    msgs.clear();
    msgs.queue(MsgAnswer::No);
    EXPECT_TRUE(s.Frame().QueryClose());
    EXPECT_FALSE(s.Frame().m_bEditing);
    EXPECT_EQ(doc.elements.size(), 1u);

    // Finish and save: the task is written where the user says.
    s.Frame().OnTaskEdit();
    doc.AppendElement(MakeElement(kEndLoad, 2, 3));
    msgs.clear();
    msgs.queue(MsgAnswer::Yes);
    files.answers = {s.dir.File("kept.ktf")};
    EXPECT_TRUE(s.Frame().QueryClose());
    EXPECT_FALSE(s.Frame().m_bEditing);
    EXPECT_FALSE(g_DocFile.modified);
    EXPECT_EQ(g_DocFile.pathName, s.dir.File("kept.ktf"));
    CKestrinDoc back;
    std::string error;
    ASSERT_TRUE(std::filesystem::exists(s.dir.File("kept.ktf")));

    // A save dialog that is cancelled keeps the window open.
    s.Frame().OnTaskEdit();
    g_DocFile.pathName.clear();
    msgs.clear();
    msgs.queue(MsgAnswer::Yes);
    files.answers = {""};
    EXPECT_FALSE(s.Frame().QueryClose());
}

TEST(EditSession, ClosingWhileFormingAnEmptyTaskOffersOnlyDiscardOrStay)
{
    TempFolder catalogs;
    AppSession s(CatalogProfile(catalogs));
    BaseDataAnswer ok(true);
    s.Frame().OnTaskEdit();
    ScriptedMessages msgs;
    msgs.queue(MsgAnswer::No);
    EXPECT_FALSE(s.Frame().QueryClose());
    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.messages()[0].buttons, MsgButtons::YesNo);
    EXPECT_TRUE(s.Frame().m_bEditing);
    msgs.queue(MsgAnswer::Yes);
    EXPECT_TRUE(s.Frame().QueryClose());
    EXPECT_FALSE(s.Frame().m_bEditing);
}

TEST(EditSession, EditingNeedsACatalogAndACompleteTask)
{
    TempFolder catalogs;
    AppSession s; // no catalog
    ShellState st = s.Frame().GetShellState();
    EXPECT_FALSE(GetCommandState(cmd::ID_TASK_EDIT, st).enabled);
    s.Doc().AppendElement(MakeElement(kCouplingDevice));
    g_bBaseLoaded = 1;
    g_nTaskCompletion = 1;
    st = s.Frame().GetShellState();
    EXPECT_FALSE(GetCommandState(cmd::ID_TASK_EDIT, st).enabled);
    EXPECT_EQ(GetCommandState(cmd::ID_TASK_EDIT, st).text, "Редактирование");
    EXPECT_FALSE(GetCommandState(cmd::ID_FILE_SAVE, st).enabled);
    g_nTaskCompletion = 0;
    EXPECT_TRUE(GetCommandState(cmd::ID_TASK_EDIT, s.Frame().GetShellState()).enabled);
}

} // namespace
