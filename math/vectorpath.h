// The run-time choice between the portable build of the hot kernels and their
// AVX2 build.
//
// A kernel is written once, as an always-inline body, and compiled twice: as
// the portable function (the processor baseline, SSE2) and as a function with
// the AVX2 instruction set, where the compiler keeps two complex numbers in a
// register.  Both builds add and multiply in the same order with the same IEEE
// operations, so their results are the same bit for bit.  Fused multiply-add
// is never enabled: it rounds once where the portable code rounds twice, and
// the build checks that no such instruction is in the libraries (target
// check_no_fma).
#pragma once

// True when the processor has AVX2 and the environment does not force the
// portable path (KESTRIN_PORTABLE set to anything but "" or "0").  Decided
// once per process.
bool UseVectorKernels();

// The instruction set of the vector build: AVX2 with no FMA.
#define KESTRIN_VECTOR_TARGET gnu::target("avx2")

// Defines NamePortable and NameVector, the two builds of the inline function
// NameBody, with the given return type, parameter list and argument list.
#define KESTRIN_TWO_BUILDS(Ret, Name, Params, Args)                        \
    [[gnu::noinline]] Ret Name##Portable Params { return Name##Body Args; } \
    [[gnu::noinline, KESTRIN_VECTOR_TARGET]] Ret Name##Vector Params { return Name##Body Args; }

// Calls the build of the kernel Name that this process uses.
#define KESTRIN_DISPATCH(Name, Args) (UseVectorKernels() ? Name##Vector Args : Name##Portable Args)
