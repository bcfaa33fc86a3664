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
# to the library for negative arguments (and loops of square roots vectorise); the values
# are the same. -fno-fast-math turns errno back on, so -fno-math-errno must follow it on the
# command line: it comes from a library linked after volfilter_flags, whose options CMake
# places after volfilter_flags' own.
add_library(volfilter_no_math_errno INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(volfilter_no_math_errno INTERFACE -fno-math-errno)
endif()
add_library(volfilter_kernel_flags INTERFACE)
target_link_libraries(volfilter_kernel_flags INTERFACE volfilter_flags volfilter_no_math_errno)
