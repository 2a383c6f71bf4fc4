#include "results/comparebuffer.h"

#include "model/document.h"
#include "model/modelglobals.h"
#include "platform/archive.h"
#include "platform/filestamp.h"
#include "platform/format.h"
#include "platform/messages.h"
#include "results/resulttext.h"

#include <algorithm>

namespace {

const char* const kAddCaption = "Дополнение буфера сравнения";

// A group's key: the real path of the task's file, so that one file opened or
// added under other names (".", "..", links) fills one group.
std::string KeyOf(const std::string& pathName)
{
    return pathName.empty() ? pathName : RealPathOf(pathName);
}

bool HasBufferableResult(const CKestrinDoc& doc)
{
    return std::any_of(doc.responseResults.begin(), doc.responseResults.end(),
                       [](const auto& r) { return IsBufferableResult(*r); });
}

// Conductor names read the DC flag of the current document and the numbers of
// circuits and ground wires named so far.  A task read from a file is named
// with its own: a DC task added while an AC task is open shows "+" and "-".
class TaskNamingScope {
public:
    explicit TaskNamingScope(const CKestrinDoc& task)
        : m_doc(g_pDoc), m_dc(g_bDC), m_circuits(g_nLabelCircuits), m_ground(g_nLabelGround)
    {
        g_pDoc = nullptr;
        g_bDC = task.dc;
        g_nLabelCircuits = task.circuits;
        g_nLabelGround = task.groundWires;
    }
    ~TaskNamingScope()
    {
        g_pDoc = m_doc;
        g_bDC = m_dc;
        g_nLabelCircuits = m_circuits;
        g_nLabelGround = m_ground;
    }
    TaskNamingScope(const TaskNamingScope&) = delete;
    TaskNamingScope& operator=(const TaskNamingScope&) = delete;

private:
    CKestrinDoc* m_doc;
    std::uint8_t m_dc, m_circuits, m_ground;
};

bool EndsWithKtf(const std::string& s)
{
    static const char ext[] = ".ktf";
    if (s.size() < 4)
        return false;
    for (std::size_t i = 0; i < 4; ++i) {
        char c = s[s.size() - 4 + i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != ext[i])
            return false;
    }
    return true;
}

}  // namespace

bool IsBufferableResult(const CRezGra& result)
{
    return result.PointCount() >= 2;
}

std::string BufferGroupTitle(const std::string& docTitle)
{
    // Only the extension goes: an imported or new task has none, and cutting
    // four bytes blindly could split a Cyrillic letter.
    return EndsWithKtf(docTitle) ? docTitle.substr(0, docTitle.size() - 4) : docTitle;
}

std::string BufferFileTitle(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/");
    return BufferGroupTitle(slash == std::string::npos ? path : path.substr(slash + 1));
}

// ---- groups -----------------------------------------------------------------

std::unique_ptr<CBufZad> CBufZad::Clone() const
{
    auto copy = std::make_unique<CBufZad>();
    copy->key = key;
    copy->title = title;
    copy->taskIdentity = taskIdentity;
    copy->curves.reserve(curves.size());
    for (const auto& c : curves) {
        auto curve = std::make_unique<CBufGra>();
        curve->selected = c->selected;
        curve->result.Copy(c->result);
        copy->curves.push_back(std::move(curve));
    }
    return copy;
}

void CBufZad::Fill(const CKestrinDoc& doc)
{
    curves.clear();
    for (const auto& r : doc.responseResults) {
        if (!IsBufferableResult(*r))
            continue;
        auto curve = std::make_unique<CBufGra>();
        curve->result.Copy(*r);
        curve->result.label = ResultConnectionLabel(r->mode, ResultConnectionNames(*r, doc), r->resistance);
        curves.push_back(std::move(curve));
    }
}

bool CBufZad::Holds(const std::string& pathName, std::uint64_t identity) const
{
    return key == pathName && (!key.empty() || taskIdentity == identity);
}

int CBufZad::SelectedCount() const
{
    return int(std::count_if(curves.begin(), curves.end(), [](const auto& c) { return c->selected != 0; }));
}

// ---- the buffer ---------------------------------------------------------------

void CompareBuffer::CopyFrom(const CompareBuffer& other)
{
    if (this == &other)
        return;
    std::vector<std::unique_ptr<CBufZad>> copy;
    copy.reserve(other.groups.size());
    for (const auto& g : other.groups)
        copy.push_back(g->Clone());
    groups = std::move(copy);
}

CBufZad* CompareBuffer::Find(const std::string& pathName, std::uint64_t identity) const
{
    return FindByKey(KeyOf(pathName), identity);
}

CBufZad* CompareBuffer::FindByKey(const std::string& key, std::uint64_t identity) const
{
    for (const auto& g : groups)
        if (g->Holds(key, identity))
            return g.get();
    return nullptr;
}

bool CompareBuffer::CanPutTask(const CKestrinDoc& doc)
{
    return std::any_of(doc.responseResults.begin(), doc.responseResults.end(),
                       [](const auto& r) { return r->PointCount() > 2; });
}

void CompareBuffer::PutTask(const CKestrinDoc& doc, const std::string& pathName, const std::string& docTitle)
{
    PutGroup(doc, pathName, BufferGroupTitle(docTitle));
}

void CompareBuffer::PutGroup(const CKestrinDoc& doc, const std::string& pathName, const std::string& title)
{
    const std::string key = KeyOf(pathName);
    if (CBufZad* group = FindByKey(key, doc.identity)) {
        group->Fill(doc);
        return;
    }
    auto group = std::make_unique<CBufZad>();
    group->key = key;
    group->title = title;
    group->taskIdentity = key.empty() ? doc.identity : 0;
    group->Fill(doc);
    groups.push_back(std::move(group));
}

void CompareBuffer::RefreshTask(const CKestrinDoc& doc, const std::string& pathName)
{
    if (doc.responseResults.empty())
        return;
    if (CBufZad* group = Find(pathName, doc.identity))
        group->Fill(doc);
}

void CompareBuffer::RefillTask(const CKestrinDoc& doc, const std::string& pathName)
{
    const std::string key = KeyOf(pathName);
    for (const auto& g : groups)
        if (g->Holds(key, doc.identity))
            g->Fill(doc);
}

bool CompareBuffer::AddTaskFile(const std::string& path)
{
    CKestrinDoc task;
    try {
        ArchiveReader ar = ArchiveReader::FromFile(path);
        task.ReadTemporary(ar, false);
    } catch (const ArchiveError&) {
        // An unreadable or damaged file leaves the task empty: it has no
        // results to add, which the message below says.
    }
    return AddTask(task, path);
}

bool CompareBuffer::AddTask(const CKestrinDoc& task, const std::string& path)
{
    if (!HasBufferableResult(task)) {
        ShowMessage(StrFormat("Задача\n%s\nне имеет результатов расчета тракта,\nпредставимых в графическом виде",
                              path.c_str()),
                    kAddCaption, MsgIcon::Stop);
        return false;
    }
    TaskNamingScope naming(task);
    PutGroup(task, path, BufferFileTitle(path));
    return true;
}
