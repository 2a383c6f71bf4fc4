// The main window's logic: editing mode with its backup copy, view modes and
// zoom, the catalog commands and the window title.  The Qt main window shows
// it and implements FrameHost; tests drive it directly.
#pragma once

#include "app/commandstate.h"
#include "app/structstate.h"
#include "model/element.h"
#include "results/comparebuffer.h"

#include <string>

class CBase;
class CKestrinDoc;
class SecFrameState;

class FrameHost {
public:
    virtual ~FrameHost() = default;
    virtual void SetFrameTitle(const std::string& title) = 0;
    virtual void ShowElementBar(bool show) = 0;
    virtual void RedrawFrame() = 0;
    // Closes the results window and the comparison-buffer window when open.
    virtual void DestroyResultWindows() = 0;
    // The open results window's choice, or null when none is open.
    virtual SecFrameState* ResultsFrameState() { return nullptr; }
    // Opens the results window when none is open; returns its choice.
    virtual SecFrameState* CreateResultsFrame() { return nullptr; }
    // The results window rebuilds its view from its choice (and takes the
    // focus when asked).
    virtual void RebuildResults(bool /*focus*/) {}
    // The comparison-buffer window takes the focus; false when none is open.
    virtual bool FocusBufferFrame() { return false; }
    // Opens the comparison-buffer window with a quantity and the count of
    // marked curves.
    virtual void CreateBufferFrame(int /*quantity*/, int /*selectedCount*/) {}
    // Whether the comparison-buffer window is open.
    virtual bool BufferFrameOpen() { return false; }
    // The comparison buffer changed: an open comparison window shows it anew.
    virtual void BufferChanged() {}
};

class CMainFrame {
public:
    // Loads the most recent catalog (through the application) when the recent
    // catalog list names one.
    CMainFrame();
    ~CMainFrame();
    CMainFrame(const CMainFrame&) = delete;
    CMainFrame& operator=(const CMainFrame&) = delete;

    // Window creation: the editing state reset, the element template emptied,
    // the host attached.  Returns 0.
    int OnCreate(FrameHost* host);
    FrameHost* Host() const { return m_pHost; }
    // The window is going away.
    void DetachHost() { m_pHost = nullptr; }

    // Runs a command of the frame; false when the frame has no handler for it.
    bool OnCommand(int id);
    // What the command rules read.
    ShellState GetShellState() const;

    // Editing mode.
    void ResetEditState();
    void OnTaskEdit();
    void OnTaskBaseData();
    void OnCancelEdit();
    void OnSaveIntermediate();
    void OnFinishEdit();
    void OnToggleElementBar();
    void OnToggleWarnings();
    // The structure replay: rebuilds the structure state at the chain end and
    // every element's wire maps from the stored chain.  report: for a
    // command (entering editing, a change of the chain), which may show the
    // structure messages; enable rules never do.
    void RecalcStructure(bool report = false);
    // The reduced structure state after the element at index; false when the
    // index is outside the chain or the chain is broken there.
    bool GetStructState(unsigned short index, CStructState& st);
    // Whether element e may be appended at the chain end now.
    bool CanContinue(const CElement& e) const;
    // The rules of the element commands read this.
    void FillElementRules(ElementRuleContext& c) const;

    // Element commands.
    void OnInsertVLine();
    void OnInsertKLine();
    void OnInsertShunt();
    void OnInsertSeriesZ();
    void OnInsertTapLoad();
    void OnInsertTransp();
    void OnInsertCoupling();
    void OnInsertBypass();
    void OnInsertTap();
    void OnInsertWireChange();
    void OnInsertDoubling();
    void OnInsertCircuitEnd();
    void OnBranchStart();
    void OnBranchEnd();
    void OnInsertEndLoad();
    // The end load's update: a visible element toolbar is shown while
    // editing and hidden otherwise.
    void OnUpdateInsertEndLoad();
    // The element template to no type.
    void ResetTemplate();

    // View modes and zoom.
    void SetViewMode(int mode);
    void OnViewScheme() { SetViewMode(0); }
    void OnViewText() { SetViewMode(1); }
    void OnViewTaskBase() { SetViewMode(2); }
    void OnViewCurrentBase() { SetViewMode(3); }
    void OnZoomNormal();
    void OnZoomFit();
    void OnViewTaskBaseData();
    // Selects one element of the chain (or none): its index, or 0xFFFF when
    // it is none or not in the chain.
    unsigned short SelectElement(const CElement* e);
    // The frame became active: the scheme view gets the focus.
    void OnActivate();

    // Catalog commands.
    bool LoadBase(CBase& base, std::string& path, const std::string& name, bool startup);
    void OnBaseSelect();
    void OnBaseEdit();
    void OnBaseSaveAs();
    int OnSaveBaseMsg();
    void UpdateTitle();

    // "Результаты расчетов...": the result-choice dialog on the results
    // window's choice, then the window opened or rebuilt as the answer says.
    void OnViewResults();
    // The task's result lists changed under an open results window: it fits
    // its choice to them and rebuilds.
    void RefitResultsWindow();
    // "Буфер сравнения результатов": the open comparison-buffer window gets
    // the focus; otherwise its choice dialog runs and on "Просмотр" opens it.
    void OnViewCompareBuffer();

    // Calculation, comparison buffer, completion and import.
    void OnCalcTract();
    void OnAddToBuffer();
    void OnCompleteData();
    void OnFileImport();

    // Whether the window may close: while editing, asks whether to finish and
    // save the task, to discard the edit, or to stay.
    bool QueryClose();

    int m_nViewMode = 0; // 0 scheme, 1 task listing, 2 task catalog, 3 current catalog
    int m_bEditing = 0;
    int m_bWarnings = 1;
    int m_bRange = 0;
    int m_bSelected = 0;
    int m_bElementBar = 0;
    unsigned short m_nSelected = 0xFFFF;
    unsigned short m_nRangeEnd = 0xFFFF;
    // The element the next click places (type 22: none chosen).
    CElement m_Template;
    // The structure state at the chain end, with the last placed element.
    StructureState m_Struct;
    // Copies of the results of several tasks for the comparison window; it
    // outlives every task change.
    CompareBuffer compareBuffer;

private:
    // Chooses an element type on the toolbar: the template, no selection,
    // and the cells offered for it.
    void ChooseElement(int type);
    bool OnElementCommand(int id);

    FrameHost* m_pHost = nullptr;
};

extern CMainFrame* g_pMainFrame;
// The backup copy of the task while it is being edited.
extern CKestrinDoc g_BackupDoc;
