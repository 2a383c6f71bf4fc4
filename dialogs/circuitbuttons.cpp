#include "dialogs/circuitbuttons.h"

#include "model/modelglobals.h"
#include "platform/format.h"

namespace {

int LineCodeOf(int conductorCode)
{
    return 2 * (conductorCode / 4) + (conductorCode % 4 == 3 ? 1 : 0);
}

std::string Label(bool ground, int k, CircuitButtons::Numbering numbering)
{
    const char* word = ground ? "Трос" : "Цепь";
    if (numbering == CircuitButtons::Numbering::Wrapped64)
        return StrFormat("%s %d%s", word, k % 64 + 1, k >= 64 ? "a" : "");
    return StrFormat("%s %d", word, k + 1);
}

} // namespace

void CircuitButtons::Build(const int* inMap, int wires, Numbering numbering)
{
    buttons.clear();
    for (int i = 0; i < wires && i < kMaxWires; ++i) {
        const int code = inMap[i];
        if (code < 0)
            continue;
        const int lineCode = LineCodeOf(code);
        if (ButtonOfCode(code) >= 0)
            continue;
        CircuitButton b;
        b.lineCode = lineCode;
        b.label = Label(b.IsGround(), lineCode / 2, numbering);
        buttons.push_back(b);
    }
}

bool CircuitButtons::CodeInButton(int conductorCode, int lineCode)
{
    return conductorCode >= 0 && LineCodeOf(conductorCode) == lineCode;
}

int CircuitButtons::ButtonOfCode(int conductorCode) const
{
    if (conductorCode < 0)
        return -1;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].lineCode == LineCodeOf(conductorCode))
            return int(i);
    return -1;
}

int CircuitButtons::Count(bool ground) const
{
    int n = 0;
    for (const CircuitButton& b : buttons)
        n += b.IsGround() == ground;
    return n;
}

int CircuitButtons::CheckedCount(bool ground) const
{
    int n = 0;
    for (const CircuitButton& b : buttons)
        n += b.IsGround() == ground && b.checked;
    return n;
}

void CircuitButtons::KeepCount(int k)
{
    const int n = int(buttons.size());
    if (k < 0 || k >= n)
        return;
    const bool state = buttons[std::size_t(k)].checked;
    const bool ground = buttons[std::size_t(k)].IsGround();
    for (int step = 1; step < n; ++step) {
        CircuitButton& other = buttons[std::size_t((k + step) % n)];
        if (other.IsGround() == ground && other.checked == state) {
            other.checked = !state;
            return;
        }
    }
}

void CircuitButtons::CheckFromFlags(const int* inMap, const std::uint8_t* flags, int wires)
{
    for (CircuitButton& b : buttons)
        b.checked = false;
    for (int i = 0; i < wires && i < kMaxWires; ++i)
        if (flags[i]) {
            const int k = ButtonOfCode(inMap[i]);
            if (k >= 0)
                buttons[std::size_t(k)].checked = true;
        }
}

int CircuitButtons::FlagsFromChecked(const int* inMap, std::uint8_t* flags, int wires) const
{
    int flagged = 0;
    for (int i = 0; i < kMaxWires; ++i)
        flags[i] = 0;
    for (int i = 0; i < wires && i < kMaxWires; ++i) {
        const int k = ButtonOfCode(inMap[i]);
        if (k >= 0 && buttons[std::size_t(k)].checked) {
            flags[i] = 1;
            ++flagged;
        }
    }
    return flagged;
}
