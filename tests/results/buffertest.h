// Helpers of the comparison-buffer and result-choice tests: small tasks with
// end loads at both ends, their results, and task files written to a scratch
// folder.
#pragma once

#include "model/document.h"
#include "model/modelglobals.h"
#include "model/branches.h"
#include "platform/messages.h"
#include "results/comparebuffer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

// A result of n points from 24 kHz in steps of 1 kHz: the left wires 0 and 1,
// the right wires 1 and 2.
inline std::unique_ptr<CRezGra> TaskResult(int n, int mode = 1, const std::string& name = "05.03.24 14:30")
{
    auto r = std::make_unique<CRezGra>();
    r->name = name;
    r->startFreq = 24000.0;
    r->endFreq = 24000.0 + 1000.0 * (n > 1 ? n - 1 : 0);
    r->txWire1 = 0;
    r->txWire2 = 1;
    r->rxWire1 = 1;
    r->rxWire2 = 2;
    r->mode = std::uint8_t(mode);
    r->resistance = mode == 3 ? 75.0 : 0.0;
    for (int i = 0; i < n; ++i) {
        CRezGraPoint p;
        p.freq = r->startFreq + 1000.0 * i;
        p.transfer = CComplex(10.0 + i, -0.1 * i);
        p.zLeft = CComplex(300.0, 10.0);
        p.zRight = CComplex(280.0, -5.0);
        r->points.push_back(p);
    }
    return r;
}

// An end load over the conductors of a task.
inline std::unique_ptr<CElement> EndLoad(const CKestrinDoc& task)
{
    auto e = std::make_unique<CElement>();
    e->SetType(kEndLoad);
    e->circuits = e->circuitsAfter = task.circuits;
    e->groundWires = e->groundWiresAfter = task.groundWires;
    e->conductors = task.conductorCount;
    e->wirePositions = task.conductorCount;
    int codes[kMaxWires];
    int n = 0;
    for (int k = 0; k < task.circuits; ++k)
        for (int p = 0; p < (task.dc ? 1 : 3); ++p)
            codes[n++] = task.dc ? k : 4 * k + p;  // a DC line's poles are codes 0 and 1
    for (int j = 0; j < task.groundWires; ++j)
        codes[n++] = 4 * j + 3;
    for (int i = 0; i < kMaxWires; ++i)
        e->inMap[i] = e->outMap[i] = i < n ? codes[i] : -1;
    auto load = std::make_unique<CNagruz>();
    load->values.assign(task.conductorCount, 75.0);
    load->count = task.conductorCount;
    e->data = std::move(load);
    e->entered = 1;
    return e;
}

// An AC task of one circuit and one ground wire (A, B, C, T), or a DC line of
// two poles (+, -), with end loads at both ends and no results.
inline void MakeTask(CKestrinDoc& task, bool dc = false)
{
    task.ClearAll();
    task.title = dc ? "Полюса" : "Тракт";
    task.dc = dc ? 1 : 0;
    task.circuits = dc ? 2 : 1;
    task.groundWires = dc ? 0 : 1;
    task.conductorCount = dc ? 2 : 4;
    task.AppendElement(EndLoad(task));
    task.AppendElement(EndLoad(task));
}

// A scratch folder of the test, removed with it.
class ScratchFolder {
public:
    ScratchFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("kestrin-buffer-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path); }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// Writes a task file; the globals are left as they were.
inline std::string SaveTask(CKestrinDoc& task, const std::string& path)
{
    ModelGlobalsGuard keep;
    std::string error;
    EXPECT_TRUE(task.SaveTaskFile(path, error)) << error;
    return path;
}

inline std::string WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// Every field of a buffer that the dialogs and the buffer window read, as one
// text, to compare buffers.
inline std::string Dump(const CompareBuffer& buffer)
{
    std::string s;
    for (const auto& g : buffer.groups) {
        s.append(g->key).append("|").append(g->title).append("|").append(std::to_string(g->taskIdentity));
        for (const auto& c : g->curves)
            s.append(" ").append(std::to_string(c->selected)).append(":").append(c->result.label).append(":")
                .append(c->result.name).append(":").append(std::to_string(c->result.PointCount()));
        s += "\n";
    }
    return s;
}

// The globals of the open task that reading another task file must not touch.
struct OpenTaskGlobals {
    CKestrinDoc* doc = g_pDoc;
    std::uint8_t completion = g_nTaskCompletion, dc = g_bDC, conductors = g_nConductors, version = g_nTaskVersion;
    std::uint8_t labelCircuits = g_nLabelCircuits, labelGround = g_nLabelGround;
    int split = g_nSplitConductor;

    bool operator==(const OpenTaskGlobals&) const = default;
};
