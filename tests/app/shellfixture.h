// A main frame and an application object without windows: a recording frame
// host, a temporary folder and scripted file dialogs.
#pragma once

#include "app/currentbase.h"
#include "app/kestrinapp.h"
#include "app/kestrinview.h"
#include "app/mainframe.h"
#include "model/base.h"
#include "platform/filedialog.h"
#include "platform/messages.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

class RecordingFrameHost : public FrameHost {
public:
    void SetFrameTitle(const std::string& t) override { title = t; }
    void ShowElementBar(bool show) override { elementBar = show; }
    void RedrawFrame() override { ++redraws; }
    void DestroyResultWindows() override { ++resultWindowsClosed; }

    std::string title;
    bool elementBar = false;
    int redraws = 0;
    int resultWindowsClosed = 0;
};

class RecordingAppHost : public AppHost {
public:
    FrameHost* CreateMainWindow(CMainFrame&, CKestrinView&) override { return &frame; }
    void ShowMainWindow() override { shown = true; }
    RecordingFrameHost frame;
    bool shown = false;
};

class TempFolder {
public:
    TempFolder()
    {
        char tmpl[] = "/tmp/kestrin-app-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path, ec);
    }
    std::string File(const std::string& name) const { return path + "/" + name; }
    std::string path;
};

inline std::vector<std::uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A catalog with one phase wire of the given name, written to path.
inline void WriteCatalog(const std::string& path, const std::string& wireName)
{
    CBase base;
    auto w = std::make_unique<CProvod>();
    w->name = wireName;
    w->radius = 0.005;
    base.phaseWires.push_back(std::move(w));
    std::string error;
    if (!SaveBaseFile(path, base, error))
        throw std::runtime_error(error);
}

// Answers file dialogs from a queue of paths ("" = Cancel) and records their titles.
class ScriptedFileDialogs {
public:
    ScriptedFileDialogs()
        : m_scope([this](FileDialog& d) {
              titles.push_back(d.m_strTitle);
              if (answers.empty() || answers.front().empty()) {
                  if (!answers.empty())
                      answers.pop_front();
                  return IDCANCEL;
              }
              d.m_strPathName = answers.front();
              answers.pop_front();
              return IDOK;
          })
    {
    }
    std::deque<std::string> answers;
    std::vector<std::string> titles;

private:
    ScopedModalRunner<FileDialog> m_scope;
};

// The globals of the current catalog back to "nothing loaded".
inline void ResetCurrentBase()
{
    g_CurBase.RemoveAll();
    g_strBasePath.clear();
    g_bBaseLoaded = 0;
}

#include "app/docfile.h"
#include "model/document.h"
#include "model/modelglobals.h"

// A whole application without windows: profile in a temporary folder, the
// recorded main window, scripted file dialogs; started with InitInstance.
struct AppSession {
    explicit AppSession(const std::string& profile = "", std::vector<std::string> args = {})
    {
        ResetCurrentBase();
        ResetModelGlobals();
        std::ofstream(dir.File("kestrin.ini")) << profile;
        app.m_strProfilePath = dir.File("kestrin.ini");
        started = app.InitInstance(args, host);
    }
    ~AppSession() { g_TaskBase.RemoveAll(); }
    CMainFrame& Frame() { return *app.MainFrame(); }
    CKestrinDoc& Doc() { return *app.Document(); }

    TempFolder dir;
    RecordingAppHost host;
    CKestrinApp app;
    bool started = false;
};

// An element of a type, placed at a cell, parameters entered.
inline std::unique_ptr<CElement> MakeElement(int type, int x = 1, int y = 3)
{
    auto e = std::make_unique<CElement>();
    e->SetType(type);
    e->cellX = x;
    e->cellY = y;
    e->entered = 1;
    return e;
}

// A result of n points for the document's result list.
inline std::unique_ptr<CRezGra> MakeResult(int n)
{
    auto r = std::make_unique<CRezGra>();
    r->name = "01.02.24 10:00";
    r->points.resize(static_cast<std::size_t>(n));
    return r;
}

// Writes a task of two elements (a coupling device and an end load) to path.
inline void WriteTask(const std::string& path, const std::string& title)
{
    CKestrinDoc doc;
    doc.title = title;
    doc.conductorCount = 3;
    doc.AppendElement(MakeElement(kCouplingDevice, 1, 3));
    doc.AppendElement(MakeElement(kEndLoad, 2, 3));
    std::string error;
    ModelGlobalsGuard keep;
    if (!doc.SaveTaskFile(path, error))
        throw std::runtime_error(error);
}
