// Which sanitizers this build of the tests has built in, known when
// compiling: g++ defines __SANITIZE_ADDRESS__ with -fsanitize=address and
// gives no sign of -fsanitize=undefined; clang answers __has_feature for
// both. The debug preset builds with both, so g++ sees it by the first.
#pragma once

namespace veldmarsh::testing {

#if defined(__SANITIZE_ADDRESS__)
#define VELDMARSH_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELDMARSH_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(__has_feature)
#if __has_feature(undefined_behavior_sanitizer)
#define VELDMARSH_UNDEFINED_SANITIZER 1
#endif
#endif

#ifdef VELDMARSH_ADDRESS_SANITIZER
inline constexpr bool address_sanitizer = true;
#else
inline constexpr bool address_sanitizer = false;
#endif

// A sanitizer that writes its reports to standard error is built in.
#if defined(VELDMARSH_ADDRESS_SANITIZER) || defined(VELDMARSH_UNDEFINED_SANITIZER)
inline constexpr bool sanitizer_built_in = true;
#else
inline constexpr bool sanitizer_built_in = false;
#endif

}  // namespace veldmarsh::testing
