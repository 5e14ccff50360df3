#include "KernelBodies.h"

namespace kernels {

const KernelSet kBaseline = kThisSet;

}  // namespace kernels
