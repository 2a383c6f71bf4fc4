#include "math/linecalc.h"

LineCalcRecord* g_pCurLineRec = nullptr;
int g_bModalMode = 0;
CComplex g_jOmega;

void ResetLineCalcGlobals()
{
    g_pCurLineRec = nullptr;
    g_bModalMode = 0;
    g_jOmega = CComplex();
}
