#include "math/vectorpath.h"

#include <cstdlib>
#include <cstring>

namespace {

bool PortableForced()
{
    const char* v = std::getenv("KESTRIN_PORTABLE");
    return v && *v && std::strcmp(v, "0") != 0;
}

} // namespace

bool UseVectorKernels()
{
    static const bool use = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") && !PortableForced();
    }();
    return use;
}
