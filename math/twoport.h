// Three-block admittance form of a reciprocal multi-conductor two-port:
//   I1 = Y0*V1 + Y1*V2        (near-port currents flow into the two-port)
//   I2 = -Y1^T*V1 + Y2*V2     (far-port currents flow on out of it)
// so Y0 = Y11, Y1 = Y12, Y2 = -Y22.  The record does not own its matrices.
#pragma once

#include "math/complex.h"

#include <vector>

struct TwoPortBlocks {
    CComplex* Y0 = nullptr;
    CComplex* Y1 = nullptr;
    CComplex* Y2 = nullptr;
};

// Storage of three n x n blocks (zeroed), with a TwoPortBlocks view on it.
class TwoPortStorage {
public:
    TwoPortStorage() = default;
    explicit TwoPortStorage(int n) { resize(n); }
    void resize(int n);
    int order() const { return m_n; }
    TwoPortBlocks blocks() { return {m_y0.data(), m_y1.data(), m_y2.data()}; }

private:
    int m_n = 0;
    std::vector<CComplex> m_y0, m_y1, m_y2;
};

// C = A followed by B.  C may be A or B.  A pivot of the joint below 1e-46 sets
// g_MatError = 2 and leaves C unwritten.
void MatCascade(const TwoPortBlocks& A, const TwoPortBlocks& B, const TwoPortBlocks& C, int n);
void TwoPortShuntNear(const CComplex* Y, const TwoPortBlocks& T, const TwoPortBlocks& out, int n);
void TwoPortShuntFar(const TwoPortBlocks& T, const CComplex* Y, const TwoPortBlocks& out, int n);
void TwoPortConnectNear(const int* P, const TwoPortBlocks& T, const TwoPortBlocks& out, int n);
void TwoPortConnectFar(const TwoPortBlocks& T, const int* P, const TwoPortBlocks& out, int n);
// Reduces T of order r + s to its first r conductors.  Codes per side: 0 the
// other conductors are closed by the load admittance matrix (s x s), 1 they are
// grounded, anything else they are open.
void TwoPortReduce(const TwoPortBlocks& T, const CComplex* YLnear, const CComplex* YLfar,
                   const TwoPortBlocks& out, unsigned char codeNear, unsigned char codeFar, int r, int s);
// out = Y0 + Y1*(Y2 - YL)^-1*Y1^T: the near-port admittance with the far port closed by YL.
void TwoPortInputMatrix(const TwoPortBlocks& T, const CComplex* YL, CComplex* out, int n);
