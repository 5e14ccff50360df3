// Compiled with AVX2 and without FMA (engine/CMakeLists.txt); runs only where HasAvx2().
#include "KernelBodies.h"

namespace kernels {

const KernelSet kAvx2 = kThisSet;

}  // namespace kernels
