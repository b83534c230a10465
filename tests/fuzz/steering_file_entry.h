// The entry point of the steering-file fuzz target, shared with the test
// that replays its seed corpus. The input is written to a scratch file in the
// working folder, read as a steering file and removed. A diagnostic (a missing or unreadable line that
// must be there) leaves by an exception instead of ending the process;
// otherwise the settings must be consistent.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/run_context.h"
#include "common/stops.h"
#include "run/assign_columns.h"
#include "run/data_fields.h"
#include "run/species_words.h"
#include "run/steering_file.h"

namespace veldmarsh_fuzz {

struct diagnostic_raised {};

inline void throw_diagnostic(std::string_view) { throw diagnostic_raised{}; }

inline void require_steering(bool condition) {
  if (!condition) std::abort();
}

inline int fuzz_steering_file(const std::uint8_t* data, std::size_t size) {
  using namespace veldmarsh;
  static const std::string name = "veldmarsh-fuzz-steering-" + std::to_string(::getpid()) + ".ini";
  static std::FILE* null_file = std::fopen("/dev/null", "wb");
  std::FILE* f = std::fopen(name.c_str(), "wb");
  if (f == nullptr) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  run_context ctx;
  ctx.console.file = null_file;
  ctx.log.file = null_file;
  diagnostic_hook = throw_diagnostic;
  bool raised = false;
  try {
    read_steering_file_named(ctx, make_species_names(), name);
  } catch (const diagnostic_raised&) {
    raised = true;
  }
  diagnostic_hook = nullptr;
  std::remove(name.c_str());
  if (raised) return 0;
  const settings& cfg = ctx.cfg;
  require_steering(cfg.species_index >= 1 && cfg.species_index <= 16);
  require_steering(cfg.n_subpop >= 0 && static_cast<std::size_t>(cfg.n_subpop) == cfg.subpop_codes.size());
  require_steering(cfg.n_colour_classes >= 2 &&
                   static_cast<std::size_t>(cfg.n_colour_classes) == cfg.colour_codes.size());
  require_steering(trim_right(cfg.colour_codes[cfg.n_colour_classes - 1].view()) == "niet erkend");
  // The settings must give a usable line layout.
  data_line_layout layout = make_data_line_layout(cfg);
  require_steering(layout.last_column >= 0 && layout.last_column <= max_columns);
  (void)data_file_has_header_line(cfg);
  return 0;
}

}  // namespace veldmarsh_fuzz
