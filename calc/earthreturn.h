// Earth return of an overhead line: the term every distinct conductor pair
// (height sum H, horizontal distance d) adds to the series impedance because
// the return current flows in a lossy earth.  The terms are dimensionless: the
// line model adds them to the logarithmic geometric terms and the section
// solver scales the whole matrix by jw*mu0/(2*pi).
//
// Carson's closed series and asymptotic form serve the model "По Карсону"; the
// refined earth-return integral (one or two earth layers, displacement currents
// included) serves the refined models.  Both read the pair table and the earth
// constants of calc/calcglobals.h.
#pragma once

#include "math/complex.h"

// Carson's term (2Q, -2P) of one pair: r = sqrt((d^2 + H^2)/rho * f * 7.895683e-06)
// the distance in skin depths of the earth, theta = atan(d/H).
CComplex CalcCarson(const double& r, const double& theta);
// cos(k*pi/2) and sin(k*pi/2) from the table {1, 0, -1, 0}.
int CarsonCosSign(int k);
int CarsonSinSign(int k);

// Earth constants for angular frequency omega (rad/s), written to the globals
// read by the kernels.
void SetEarthConstants1(double omega, double eps1, double rho1);
void SetEarthConstants2(double omega, double eps1, double eps2, double rho1, double rho2,
                        double h1);

// The integrands of the refined earth return (lambda >= 0).  The "Low" forms
// give the same values without the cancellation of the plain forms at small
// lambda.
CComplex EarthKernel1(const double& lambda);
CComplex EarthKernel1Low(const double& lambda);
CComplex EarthKernel2(const double& lambda);
CComplex EarthKernel2Low(const double& lambda);

// The kernel pair of one earth model.  lowAtZero: the low part takes the low
// kernel's value at lambda = 0 (two layers); otherwise that value is 0.
struct EarthKernelSet {
    CComplex (*plain)(const double&);
    CComplex (*low)(const double&);
    bool lowAtZero;
};

// The term of every pair of the pair table into terms[0..count-1]: twice the
// integral over lambda of F(lambda)*exp(-lambda*H)*cos(lambda*d), F the kernel
// of the one-layer earth, or of the two-layer earth when *twoLayer is non-zero.
void CalcEarthIntegral(CComplex* terms, const unsigned char* twoLayer);
// The same with any kernel pair.
void CalcEarthIntegralWith(CComplex* terms, const EarthKernelSet& kernels);

// The integral keeps the frequency-independent weights of every pair table it
// meets, so that the points of a run evaluate only the kernel; this frees them
// (the run does when it ends).
void ReleaseEarthWeights();
