#include "model/modelglobals.h"

#include <algorithm>
#include <iterator>

CKestrinDoc* g_pDoc = nullptr;

std::uint8_t g_nTaskVersion = 6;
std::uint8_t g_nConductors = 0;
std::uint8_t g_bDC = 0;
int g_nSplitConductor = -1;
std::uint8_t g_nTaskCompletion = 0;
std::uint8_t g_nLoadWires = 0;
std::uint8_t g_nLabelCircuits = 0;
std::uint8_t g_nLabelGround = 0;
std::uint8_t g_nCurCircuits = 0;
std::uint8_t g_nCurGround = 0;
int* g_pCurWireMap = nullptr;
thread_local std::int8_t g_SymWires[kMaxWires] = {};
std::uint8_t g_ImportWireOrder[kMaxWires] = {127, 127, 127, 127, 127, 127, 127, 127, 127, 127,
                                             127, 127, 127, 127, 127, 127, 127, 127, 127, 127,
                                             127, 127, 127, 127, 127, 127, 127, 127, 127, 127,
                                             127, 127, 127, 127, 127, 127, 127, 127, 127, 127};

void ResetModelGlobals()
{
    g_pDoc = nullptr;
    g_nTaskVersion = 6;
    g_nConductors = 0;
    g_bDC = 0;
    g_nSplitConductor = -1;
    g_nTaskCompletion = 0;
    g_nLoadWires = 0;
    g_nLabelCircuits = 0;
    g_nLabelGround = 0;
    g_nCurCircuits = 0;
    g_nCurGround = 0;
    g_pCurWireMap = nullptr;
    std::fill(std::begin(g_SymWires), std::end(g_SymWires), std::int8_t(0));
    std::fill(std::begin(g_ImportWireOrder), std::end(g_ImportWireOrder), std::uint8_t(127));
}

ModelGlobalsGuard::ModelGlobalsGuard()
    : m_taskVersion(g_nTaskVersion), m_conductors(g_nConductors), m_dc(g_bDC),
      m_taskCompletion(g_nTaskCompletion), m_loadWires(g_nLoadWires), m_split(g_nSplitConductor),
      m_labelCircuits(g_nLabelCircuits), m_labelGround(g_nLabelGround), m_curCircuits(g_nCurCircuits),
      m_curGround(g_nCurGround), m_curWireMap(g_pCurWireMap)
{
    std::copy(std::begin(g_SymWires), std::end(g_SymWires), m_symWires);
    std::copy(std::begin(g_ImportWireOrder), std::end(g_ImportWireOrder), m_importOrder);
}

ModelGlobalsGuard::~ModelGlobalsGuard()
{
    if (m_commit)
        return;
    g_nTaskVersion = m_taskVersion;
    g_nConductors = m_conductors;
    g_bDC = m_dc;
    g_nTaskCompletion = m_taskCompletion;
    g_nLoadWires = m_loadWires;
    g_nSplitConductor = m_split;
    g_nLabelCircuits = m_labelCircuits;
    g_nLabelGround = m_labelGround;
    g_nCurCircuits = m_curCircuits;
    g_nCurGround = m_curGround;
    g_pCurWireMap = m_curWireMap;
    std::copy(std::begin(m_symWires), std::end(m_symWires), g_SymWires);
    std::copy(std::begin(m_importOrder), std::end(m_importOrder), g_ImportWireOrder);
}
