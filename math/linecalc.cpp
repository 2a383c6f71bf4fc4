#include "math/linecalc.h"

thread_local LineCalcRecord* g_pCurLineRec = nullptr;
thread_local int g_bModalMode = 0;
thread_local CComplex g_jOmega;

void ResetLineCalcGlobals()
{
    g_pCurLineRec = nullptr;
    g_bModalMode = 0;
    g_jOmega = CComplex();
}
