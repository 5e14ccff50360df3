#pragma once
// What the processor offers beyond baseline x86-64, for the loops built a second time for it.

namespace kernels {

// Whether this processor (and its system) runs AVX2 code.
bool HasAvx2();

}  // namespace kernels
