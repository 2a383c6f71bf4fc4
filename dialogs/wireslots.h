// The per-wire working state of the coupling-device, shunt and series
// impedance dialogs: one record and one flag per wire of the element.
// "Ввести" stores the current wire's record and sets its flag, "Удалить"
// clears the flag, and OK rebuilds the element's list from the flagged
// records in ascending wire order, each carrying its wire number.
#pragma once

#include "model/modelglobals.h"

#include <cstdint>
#include <vector>

template <class Record, std::uint8_t Record::*Wire>
class WireSlots {
public:
    // wires: the element's wire positions (at most 40).
    explicit WireSlots(int wires = 0) : m_wires(wires < 0 ? 0 : wires > kMaxWires ? kMaxWires : wires) {}

    int Wires() const { return m_wires; }
    bool IsSet(int wire) const { return Valid(wire) && m_flags[wire]; }
    const Record& At(int wire) const { return m_records[Valid(wire) ? wire : 0]; }
    Record& At(int wire) { return m_records[Valid(wire) ? wire : 0]; }

    // Takes a stored list: each record goes to the slot of its wire number;
    // a record whose wire lies outside the element is skipped.
    void Load(const std::vector<Record>& stored)
    {
        for (const Record& r : stored) {
            const int wire = r.*Wire;
            if (Valid(wire)) {
                m_records[wire] = r;
                m_flags[wire] = 1;
            }
        }
    }
    void Set(int wire, const Record& record)
    {
        if (!Valid(wire))
            return;
        m_records[wire] = record;
        m_records[wire].*Wire = std::uint8_t(wire);
        m_flags[wire] = 1;
    }
    void Clear(int wire)
    {
        if (Valid(wire))
            m_flags[wire] = 0;
    }
    int FlaggedCount() const
    {
        int n = 0;
        for (int w = 0; w < m_wires; ++w)
            n += m_flags[w];
        return n;
    }
    // The wire after this one, wrapping round.
    int Next(int wire) const { return m_wires ? (wire + 1) % m_wires : 0; }
    // The flagged records in ascending wire order, each with its wire number.
    std::vector<Record> Rebuild() const
    {
        std::vector<Record> list;
        for (int w = 0; w < m_wires; ++w)
            if (m_flags[w]) {
                list.push_back(m_records[w]);
                list.back().*Wire = std::uint8_t(w);
            }
        return list;
    }

private:
    bool Valid(int wire) const { return wire >= 0 && wire < m_wires; }

    int m_wires;
    Record m_records[kMaxWires] = {};
    std::uint8_t m_flags[kMaxWires] = {};
};
