#pragma once

// Costs are printed to the last bit, so a build whose compiler may rewrite
// floating-point arithmetic must not compile. What a macro or a constant can
// tell is refused here; what they cannot (contraction into fused
// multiply-adds, Clang's reassociation) the evaluator's known answers catch
// when it starts.

#include <cfloat>
#include <limits>

#if defined(__FAST_MATH__)
#error "Tql25Mirvasta must not be built with -ffast-math or -Ofast: costs would change."
#endif
#if defined(__ASSOCIATIVE_MATH__) || defined(__RECIPROCAL_MATH__) || defined(__NO_SIGNED_ZEROS__)
#error \
    "Tql25Mirvasta must not be built with -fassociative-math, -freciprocal-math, -fno-signed-zeros or -funsafe-math-optimizations: costs would change."
#endif
#if defined(__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__
#error \
    "Tql25Mirvasta must not be built with -ffinite-math-only: the checks that refuse NaN would vanish."
#endif

static_assert(std::numeric_limits<double>::is_iec559,
              "Tql25Mirvasta needs IEEE-754 binary64 doubles.");
static_assert(0.1 != static_cast<double>(0.1f),
              "Tql25Mirvasta needs floating-point constants in double precision, not "
              "-fsingle-precision-constant.");
#if !defined(FLT_EVAL_METHOD) || FLT_EVAL_METHOD != 0
#error \
    "Tql25Mirvasta needs doubles evaluated in double precision (FLT_EVAL_METHOD 0), not in x87 extended precision: build for SSE2, 64-bit, or with -mfpmath=sse."
#endif
