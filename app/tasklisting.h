// The text listing of a task (view mode 1): the task's heading, then every
// element of the chain with its number, type and parameters, as UTF-8 lines.
// Numbers go through the locale-free formatter; loops over data read from a
// file are bounded by the arrays they read, never by a count stored beside them.
#pragma once

#include <string>
#include <vector>

class CElement;
class CKLine;
class CKestrinDoc;

class TaskListing {
public:
    // title: the task's title; filePath: the task file ("" for a new task).
    // An empty task gives no lines.
    static std::vector<std::string> Build(const CKestrinDoc& doc, const std::string& title,
                                          const std::string& filePath);

    // The type names of the element headings, for types 0 to 14 ("" otherwise).
    static const char* TypeName(int type);

private:
    explicit TaskListing(std::vector<std::string>& out) : m_out(out) {}

    void Add(std::string line) { m_out.push_back(std::move(line)); }
    void AddF(const char* fmt, ...) __attribute__((format(printf, 2, 3)));

    void Heading(const CKestrinDoc& doc, const std::string& title, const std::string& filePath);
    void Element(const CKestrinDoc& doc, std::size_t index, int number);
    void OverheadLine(const CElement& e);
    void CableLine(const CElement& e, const CKLine& k);
    void Impedance(const CElement& e, bool series);
    void TapLoad(const CElement& e, const CElement* previous);
    void Transposition(const CElement& e);
    void Coupling(const CElement& e);
    void Bypass(const CElement& e, int number);
    void TapOrDoubling(const CElement& e);
    void WireChange(const CElement& e);
    void CircuitEnd(const CElement& e, const CElement* previous);
    void EndLoad(const CElement& e);
    // "%d (%s)": a wire's number from 1 and its conductor's name.
    static std::string WireLabel(const CElement& e, int wire);
    // " цепь 1, цепь 2, трос 1": the circuits, then the ground wires, of the
    // wires whose flag equals want.
    static std::string CircuitList(const CElement& e, const unsigned char* flags, unsigned char want);

    std::vector<std::string>& m_out;
    int m_branching = 0;                     // 1 after a start of branching, 2 after its first end
    const CElement* m_branchStart = nullptr; // the latest start of branching
};
