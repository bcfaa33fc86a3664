# Compiler settings shared by every target.
#
# Reproducible arithmetic: no floating-point contraction (a fused multiply-add rounds once
# where the kernels round twice) whatever the target architecture, and no fast-math.

add_library(volfilter_flags INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(volfilter_flags INTERFACE -ffp-contract=off -fno-fast-math
                                                   -Wall -Wextra -Wpedantic -Wconversion
                                                   -Wsign-conversion -Wshadow)
  if(VOLFILTER_WERROR)
    target_compile_options(volfilter_flags INTERFACE -Werror)
  endif()
elseif(MSVC)
  target_compile_options(volfilter_flags INTERFACE /fp:precise /W4)
  if(VOLFILTER_WERROR)
    target_compile_options(volfilter_flags INTERFACE /WX)
  endif()
endif()

# Flags of the numerical kernels, and of anything measured or compared against them.
# Without errno a square root is one instruction rather than an instruction plus a branch
# to the library for negative arguments; the values are the same.
add_library(volfilter_kernel_flags INTERFACE)
target_link_libraries(volfilter_kernel_flags INTERFACE volfilter_flags)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(volfilter_kernel_flags INTERFACE -fno-math-errno)
endif()
