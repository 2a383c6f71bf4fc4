#include "calc/linetrap.h"

#include "math/linecalc.h"

namespace {

bool IsZero(const CComplex& z)
{
    return Abs(z) <= 0;
}

// The parallel circuit of the tuning device by scheme.
CComplex ParallelCircuitAdmittance(const CZagrad& t)
{
    const CComplex& jw = g_jOmega;
    const bool resistor = TrapHasResistorBranch(t);
    CComplex yp;
    switch (t.scheme) {
    case 0:
        // C3 || L3 || R.
        yp = jw * t.C3;
        if (t.L3 > 0)
            yp += 1.0 / (jw * t.L3);
        if (resistor)
            yp += 1.0 / t.R;
        break;
    case 1:
        // (R in series with C3) || L3.  Without C3 the branch is R alone.
        if (resistor)
            yp = t.C3 > 0 ? 1.0 / (t.R + 1.0 / (jw * t.C3)) : CComplex(1.0 / t.R, 0);
        if (t.L3 > 0)
            yp += 1.0 / (jw * t.L3);
        break;
    case 2:
        // (R in series with L4) || C3 || L3.
        if (resistor)
            yp = 1.0 / (t.R + jw * t.L4);
        yp += jw * t.C3;
        if (t.L3 > 0)
            yp += 1.0 / (jw * t.L3);
        break;
    default:
        break;
    }
    return yp;
}

} // namespace

bool TrapHasResistorBranch(const CZagrad& t)
{
    switch (t.scheme) {
    case 0:
        return t.R > 0;
    case 1:
        return t.C3 > 0 || t.R > 0;
    case 2:
        return t.R != 0 || t.L4 != 0;
    default:
        return false;
    }
}

CComplex CalcTrapAdmittance(const CZagrad& trap)
{
    const CComplex& jw = g_jOmega;
    CComplex yp = ParallelCircuitAdmittance(trap);
    CComplex zp = IsZero(yp) ? CComplex() : 1.0 / yp;
    CComplex zs = zp + jw * trap.L2;
    if (trap.C2 > 0)
        zs += 1.0 / (jw * trap.C2);
    CComplex y = IsZero(zs) ? CComplex() : 1.0 / zs;
    y += jw * trap.C1;
    if (trap.L1 > 0)
        y += 1.0 / (jw * trap.L1);
    return y;
}
