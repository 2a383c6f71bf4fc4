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
