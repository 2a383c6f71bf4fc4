#include "results/quantities.h"

#include "model/results.h"

#include <cmath>

double DelayAngularStep(double startHz, double endHz, int count)
{
    if (count < 2)
        return 0.0;
    return (endHz - startHz) / (count - 1) * kPhaseTurn * 0.001;
}

double UnwrappedPhaseStep(double phase, double nextPhase)
{
    double d = nextPhase - phase;
    if (std::fabs(d) > 0.5 * kPhaseTurn)
        d += d > 0.0 ? -kPhaseTurn : kPhaseTurn;
    return d;
}

bool GroupDelayMs(double phase, double nextPhase, double angularStep, double& delayMs)
{
    if (angularStep == 0.0 || !std::isfinite(angularStep))
        return false;
    delayMs = UnwrappedPhaseStep(phase, nextPhase) / angularStep;
    return true;
}

double MismatchAttenuation(const CComplex& z, double r)
{
    CComplex diff = z - r;
    CComplex sum = z + r;
    if (Abs(diff) <= 1e-40)
        return 1e30;
    if (Abs(sum) <= 1e-40)
        return -1e30;
    return 20.0 * std::log10(Abs(sum / diff));
}

double ResultAngularStep(const CRezGra& result)
{
    return DelayAngularStep(result.startFreq, result.endFreq, static_cast<int>(result.PointCount()));
}

bool ResultGroupDelayMs(const CRezGra& result, std::size_t i, double& delayMs)
{
    if (i + 1 >= result.PointCount())
        return false;
    return GroupDelayMs(result.points[i].transfer.im, result.points[i + 1].transfer.im,
                        ResultAngularStep(result), delayMs);
}

double ResultMismatchLeft(const CRezGra& result, std::size_t i)
{
    return MismatchAttenuation(result.points[i].zLeft, result.zEndLeft);
}

double ResultMismatchRight(const CRezGra& result, std::size_t i)
{
    return MismatchAttenuation(result.points[i].zRight, result.zEndRight);
}
