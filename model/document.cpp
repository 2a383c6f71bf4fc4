#include "model/document.h"

#include "model/branches.h"
#include "model/lines.h"
#include "model/shellhooks.h"
#include "platform/archive.h"
#include "platform/codepage.h"
#include "platform/filestamp.h"
#include "platform/messages.h"
#include "platform/savefile.h"
#include "platform/storedtext.h"
#include "platform/syserror.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <iterator>
#include <new>

namespace {

const char* const kOldVersionMessage =
    "Исходные данные задачи\nбыли сформированы предыдущей версией программы.\n"
    "Настоятельно рекомендуется дополнить данные\nдо последующего их использования или редактирования\n"
    "(Меню \"Задача / Дополнить данные\")";

constexpr std::size_t kMinElementBytes = 1 + 1 + 8 + 4;

// Sets a global for the length of a scope.
template <class T>
class ScopedValue {
public:
    ScopedValue(T& var, T value) : m_var(var), m_old(var) { m_var = value; }
    ~ScopedValue() { m_var = m_old; }
    ScopedValue(const ScopedValue&) = delete;
    ScopedValue& operator=(const ScopedValue&) = delete;

private:
    T& m_var;
    T m_old;
};

// The catalog path as the task file at taskFile keeps it.  The file holds its
// strings in CP1251, so a full path with a character outside it would come
// back with "?" in its place and name no catalog.  Where the catalog lies in
// the task's folder or below, the path from that folder is kept instead
// (opening takes a relative path from the folder the task's file lies in),
// when the file can hold that; otherwise the full path, which is reported.
std::string CatalogPathForFile(const std::string& basePath, const std::string& taskFile)
{
    namespace fs = std::filesystem;
    if (CharsOutsideCp1251(basePath).empty() || !fs::path(basePath).is_absolute())
        return basePath;
    const fs::path folder = fs::path(RealPathOf(taskFile)).parent_path();
    const fs::path relative = fs::path(FullPathOf(basePath)).lexically_relative(folder);
    if (relative.empty() || *relative.begin() == ".." || !CharsOutsideCp1251(relative.string()).empty())
        return basePath;
    return relative.string();
}

std::uint64_t NewDocumentIdentity()
{
    static std::uint64_t last = 0;
    return ++last;
}

}  // namespace

bool IsDCTask()
{
    return g_pDoc ? g_pDoc->dc != 0 : g_bDC != 0;
}

CKestrinDoc::CKestrinDoc() : identity(NewDocumentIdentity())
{
    std::fill(std::begin(phasing), std::end(phasing), -1);
}

CKestrinDoc::~CKestrinDoc() = default;

void CKestrinDoc::ClearAll()
{
    g_nTaskCompletion = 0;
    while (!elements.empty())
        elements.pop_back();
    ClearResults();
    title.clear();
    elementCount = 0;
    dc = 0;
    groundWires = 0;
    circuits = 1;
    conductorCount = 0;
    std::fill(std::begin(phasing), std::end(phasing), -1);
    splitConductor = -1;
}

void CKestrinDoc::ClearResults()
{
    modalResults.clear();
    responseResults.clear();
    modalCount = 0;
    responseCount = 0;
}

CElement* CKestrinDoc::GetElement(int index)
{
    elementCount = std::uint16_t(std::min<std::size_t>(elements.size(), 0xFFFF));
    if (index < 0 || index >= int(elementCount))
        return nullptr;
    return elements[std::size_t(index)].get();
}

void CKestrinDoc::CopyFrom(const CKestrinDoc& other)
{
    if (this == &other)
        return;
    ClearAll();
    elementCount = std::uint16_t(std::min<std::size_t>(other.elements.size(), 0xFFFF));
    title = other.title;
    circuits = other.circuits;
    groundWires = other.groundWires;
    dc = other.dc;
    splitConductor = other.splitConductor;
    conductorCount = other.conductorCount;
    for (const auto& e : other.elements)
        elements.push_back(std::make_unique<CElement>(*e));
    modalCount = other.modalCount;
    for (const auto& r : other.modalResults) {
        auto copy = std::make_unique<CRezMod>();
        copy->Copy(*r);
        modalResults.push_back(std::move(copy));
    }
    responseCount = other.responseCount;
    for (const auto& r : other.responseResults) {
        auto copy = std::make_unique<CRezGra>();
        copy->Copy(*r);
        responseResults.push_back(std::move(copy));
    }
}

void CKestrinDoc::AppendElement(std::unique_ptr<CElement> e)
{
    elements.push_back(std::move(e));
    elementCount = std::uint16_t(std::min<std::size_t>(elements.size(), 0xFFFF));
}

void CKestrinDoc::AddModalResult(std::unique_ptr<CRezMod> r)
{
    modalResults.push_back(std::move(r));
    modalCount = std::uint16_t(modalResults.size());
}

void CKestrinDoc::AddResponseResult(std::unique_ptr<CRezGra> r)
{
    responseResults.push_back(std::move(r));
    responseCount = std::uint16_t(responseResults.size());
}

int CKestrinDoc::PhasingCount() const
{
    return (dc ? circuits : 3 * circuits) + groundWires;
}

void CKestrinDoc::CalcRezGraImpedances(CRezGra& r) const
{
    r.zEndLeft = r.zEndRight = 0.0;
    if (elements.empty())
        return;
    const CElement& first = *elements.front();
    if (first.type == kCouplingDevice) {
        double z = 0.0;
        if (r.mode == 0)
            z = 75.0;
        else if (r.mode == 2)
            z = 37.5;
        else if (r.mode == 1 || r.mode == 3)
            z = 150.0;
        r.zEndLeft = r.zEndRight = z;
        return;
    }
    // End loads at both ends; a side without its load values has no nominal impedance.
    auto side = [&r](const CElement& e, int w1, int w2) {
        const CNagruz* load = e.type == kEndLoad ? e.Data<CNagruz>() : nullptr;
        int n = load ? int(std::min<std::size_t>(load->count, load->values.size())) : 0;
        if (w1 >= n || (r.mode != 0 && w2 >= n))
            return 0.0;
        double a = load->values[std::size_t(w1)];
        if (r.mode == 0)
            return a;
        double b = load->values[std::size_t(w2)];
        if (r.mode == 2)
            return 1.0 / (1.0 / a + 1.0 / b);
        if (r.mode == 1 || r.mode == 3)
            return a + b;
        return 0.0;
    };
    r.zEndLeft = side(first, r.txWire1, r.txWire2);
    r.zEndRight = side(*elements.back(), r.rxWire1, r.rxWire2);
}

bool CKestrinDoc::OnNewDocument()
{
    ClearAll();
    identity = NewDocumentIdentity();
    fileStamp = FileStamp();
    ShellResetEditState();
    return true;
}

void CKestrinDoc::Swap(CKestrinDoc& o)
{
    std::swap(title, o.title);
    std::swap(basePath, o.basePath);
    std::swap(elementCount, o.elementCount);
    std::swap(modalCount, o.modalCount);
    std::swap(responseCount, o.responseCount);
    std::swap(conductorCount, o.conductorCount);
    std::swap(circuits, o.circuits);
    std::swap(groundWires, o.groundWires);
    std::swap(dc, o.dc);
    std::swap(splitConductor, o.splitConductor);
    std::swap(phasing, o.phasing);
    std::swap(identity, o.identity);
    std::swap(fileStamp, o.fileStamp);
    elements.swap(o.elements);
    modalResults.swap(o.modalResults);
    responseResults.swap(o.responseResults);
}

// ---- task file --------------------------------------------------------------

void CKestrinDoc::ReadTask(ArchiveReader& ar, bool showMessages)
{
    ClearAll();
    basePath = ar.readString("путь к базе данных");
    title = ar.readString("заголовок задачи");
    conductorCount = ar.readByte("число проводов");
    CheckWireCount(ar, conductorCount, "число проводов");
    std::uint16_t word = ar.readWord("число элементов");
    std::uint16_t count = word & 0x7FFF;
    g_nTaskVersion = (word & 0x8000) ? ar.readByte("версия файла задачи") : 0;
    if (g_nTaskVersion > kTaskVersion)
        ar.fail("версия файла задачи " + std::to_string(g_nTaskVersion) + " новее этой программы");

    if (g_nTaskVersion < 5) {
        circuits = std::uint8_t(conductorCount / 3);
        groundWires = std::uint8_t(conductorCount % 3);
    } else {
        circuits = ar.readByte("цепи");
        groundWires = ar.readByte("грозотросы");
        dc = ar.readByte("признак постоянного тока");
        splitConductor = ar.readInt("расщепленный провод");
        if (splitConductor < -1 || splitConductor >= kMaxWires)
            ar.fail("расщепленный провод " + std::to_string(splitConductor) + " вне 40 проводов");
        int k = PhasingCount();
        CheckWireCount(ar, k, "коды фазировки");
        for (int i = 0; i < k; ++i)
            phasing[i] = ar.readInt("код фазировки");
    }
    g_bDC = dc;
    g_nConductors = conductorCount;
    g_nSplitConductor = splitConductor;

    ar.checkCount(count, kMinElementBytes, "элементы");
    elements.reserve(count);
    for (std::uint16_t i = 0; i < count; ++i) {
        auto e = std::make_unique<CElement>();
        e->Load(ar);
        elements.push_back(std::move(e));
    }
    elementCount = count;

    std::uint16_t modal = ar.readWord("число модальных результатов");
    std::uint16_t response = ar.readWord("число частотных характеристик");
    ar.checkCount(std::uint64_t(modal) + response, 1 + 2 + 8 + 1, "результаты");
    for (std::uint16_t i = 0; i < modal; ++i) {
        auto r = std::make_unique<CRezMod>();
        r->Load(ar);
        AddModalResult(std::move(r));
    }
    for (std::uint16_t i = 0; i < response; ++i) {
        auto r = std::make_unique<CRezGra>();
        r->Load(ar);
        CalcRezGraImpedances(*r);
        AddResponseResult(std::move(r));
    }

    if (g_nTaskVersion < 5)
        MigrateOldTask(showMessages);
}

void CKestrinDoc::MigrateOldTask(bool showMessages)
{
    g_nTaskCompletion = 1;
    if (showMessages)
        ShowMessage(kOldVersionMessage, kAppName, MsgIcon::Exclamation, MsgButtons::Ok);
    if (elements.size() < 2)
        return;
    // A cable task: some cable line carries another wire count than the
    // conductors running along the chain.
    std::uint8_t w = conductorCount;
    int attached = 0;
    const CVarMod* lastChange = nullptr;
    bool cableTask = false;
    for (std::size_t i = 1; i < elements.size() && !cableTask; ++i) {
        const CElement& e = *elements[i];
        switch (e.type) {
        case kWireCountChange:
            if (const CVarMod* change = e.Data<CVarMod>()) {
                w = std::uint8_t(std::abs(int(change->wiresBefore) - int(change->wiresAfter)));
                lastChange = change;
            }
            ++attached;
            break;
        case kDoubling:
            w = std::uint8_t(2 * w);
            break;
        case kAttachedEnd:
            if (attached == 0) {
                w = conductorCount;
            } else if (attached == 1) {
                if (lastChange)
                    w = lastChange->wiresAfter;
            } else if (attached == 2) {
                attached = 0;
                w = conductorCount;
            }
            break;
        case kCableLine:
            if (const CKLine* cable = e.Data<CKLine>())
                cableTask = cable->elementWires != w;
            break;
        default:
            break;
        }
    }
    if (cableTask) {
        // Each cable circuit has three cores and three screens.
        circuits = std::uint8_t(conductorCount / 6);
        groundWires = std::uint8_t(conductorCount - 3 * (conductorCount / 6));
    }
}

void CKestrinDoc::Serialize(ArchiveReader& ar)
{
    ModelGlobalsGuard guard;
    CKestrinDoc fresh;
    fresh.ReadTask(ar, true);
    Swap(fresh);
    guard.Commit();
    ShellResetEditState();
    ShellUpdateTitle();
}

void CKestrinDoc::ReadTemporary(ArchiveReader& ar, bool showMessages)
{
    ModelGlobalsGuard guard;
    CKestrinDoc fresh;
    fresh.ReadTask(ar, showMessages);
    Swap(fresh);
}

void CKestrinDoc::Serialize(ArchiveWriter& ar)
{
    if (elements.size() > std::size_t(kMaxElements))
        throw ArchiveError("задачу больше чем из 32767 элементов не записать");
    if (modalResults.size() > 0xFFFF || responseResults.size() > 0xFFFF)
        throw ArchiveError("больше 65535 результатов не записать");
    int k = PhasingCount();
    if (k > kMaxWires || conductorCount > kMaxWires)
        throw ArchiveError("задачу больше чем из 40 проводов не записать");

    elementCount = std::uint16_t(elements.size());
    g_nTaskVersion = kTaskVersion;
    // The element records carry as many map pairs as the reader will expect
    // from this document's DC flag.
    ScopedValue<std::uint8_t> dcForRecords(g_bDC, dc);

    ar.writeString(basePath);
    ar.writeString(title);
    ar.writeByte(conductorCount);
    ar.writeWord(std::uint16_t(elementCount | 0x8000));
    ar.writeByte(kTaskVersion);
    ar.writeByte(circuits);
    ar.writeByte(groundWires);
    ar.writeByte(dc);
    ar.writeInt(splitConductor);
    for (int i = 0; i < k; ++i)
        ar.writeInt(phasing[i]);
    for (const auto& e : elements)
        e->Store(ar);
    modalCount = std::uint16_t(modalResults.size());
    responseCount = std::uint16_t(responseResults.size());
    ar.writeWord(modalCount);
    ar.writeWord(responseCount);
    for (const auto& r : modalResults)
        r->Store(ar);
    for (const auto& r : responseResults)
        r->Store(ar);
    ShellUpdateTitle();
}

bool CKestrinDoc::OpenTaskFile(const std::string& path, std::string& error, std::string* reason)
{
    FileStamp stamp;
    try {
        ArchiveReader ar = ArchiveReader::FromFile(path, &stamp);
        Serialize(ar);
    } catch (const FileReadError& e) {
        error = e.what();
        if (reason)
            *reason = e.reason();
        return false;
    } catch (const ArchiveError& e) {
        error = e.what();
        if (reason)
            *reason = error;
        return false;
    } catch (const std::bad_alloc&) {
        error = "не удалось прочитать файл " + path + ": " + SystemErrorText(ENOMEM);
        if (reason)
            *reason = SystemErrorText(ENOMEM);
        return false;
    }
    fileStamp = std::move(stamp);
    return true;
}

bool CKestrinDoc::SaveTaskFile(const std::string& path, std::string& error)
{
    ArchiveWriter ar;
    try {
        // Only the file takes the relative form: the open task keeps naming
        // its catalog by the full path.
        ScopedValue<std::string> stored(basePath, CatalogPathForFile(basePath, path));
        Serialize(ar);
    } catch (const ArchiveError& e) {
        error = e.what();
        return false;
    }
    FileStamp written;
    if (!SaveFileAtomic(path, ar.bytes(), error, &written))
        return false;
    fileStamp = std::move(written);
    ReportAlteredTexts(path, ar.alteredTexts());
    ShellUpdateTitle();
    return true;
}
