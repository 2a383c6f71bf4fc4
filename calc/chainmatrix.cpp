#include "calc/chainmatrix.h"

#include "math/linecalc.h"

#include <cmath>

ChainMatrix ChainUnit()
{
    return {CComplex(1, 0), CComplex(), CComplex(), CComplex(1, 0)};
}

ChainMatrix ChainSeries(const CComplex& Z)
{
    return {CComplex(1, 0), Z, CComplex(), CComplex(1, 0)};
}

ChainMatrix ChainShunt(const CComplex& Y)
{
    return {CComplex(1, 0), CComplex(), Y, CComplex(1, 0)};
}

ChainMatrix ChainTransformer(double k)
{
    return {CComplex(k, 0), CComplex(), CComplex(), CComplex(1.0 / k, 0)};
}

ChainMatrix ChainCoupledCoils(double La, double Lb, double k)
{
    double M = k * std::sqrt(La * Lb);
    return {CComplex(La / M, 0), g_jOmega * (La * Lb * (1.0 - k * k) / M), 1.0 / (g_jOmega * M),
            CComplex(Lb / M, 0)};
}

ChainMatrix operator*(const ChainMatrix& X, const ChainMatrix& Y)
{
    return {X.A * Y.A + X.B * Y.C, X.A * Y.B + X.B * Y.D, X.C * Y.A + X.D * Y.C, X.C * Y.B + X.D * Y.D};
}

ChainMatrix operator*(double s, const ChainMatrix& X)
{
    return {s * X.A, s * X.B, s * X.C, s * X.D};
}

CComplex Det(const ChainMatrix& X)
{
    return X.A * X.D - X.B * X.C;
}

ChainMatrix ChainReversed(const ChainMatrix& X)
{
    return {X.D, X.B, X.C, X.A};
}

ChainAdmittance ChainToAdmittance(const ChainMatrix& X)
{
    return {X.D / X.B, -(1.0 / X.B), -(X.A / X.B)};
}
