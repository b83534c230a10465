// The mating-candidate files (see the header).
#include "inbreeding/write_mating_files.h"

#include <cassert>
#include <vector>

#include "common/fixed_format.h"
#include "common/output_channel.h"
#include "common/stops.h"

namespace veldmarsh {

namespace {

void open_or_stop(run_context& ctx, output_channel& channel, const std::string& name) {
  if (!open_output_file(channel, name)) fail_diagnostic(ctx, "cannot open for writing", channel.label, name);
}

void close_or_stop(run_context& ctx, output_channel& channel) {
  if (!close_channel(channel)) fail_diagnostic(ctx, "write failed", channel.label, channel.file_name);
}

}  // namespace

mating_file_names make_mating_file_names(std::string_view base_name) {
  std::string_view stem = trim_both(base_name);
  stem = stem.substr(0, stem.size() >= 4 ? stem.size() - 4 : 0);
  const std::string s(stem);
  return {s + "paring", s + "vader", s + "moeder"};
}

void write_mating_files(run_context& ctx, const fixed_text<100>& base_name, std::int32_t n,
                        std::span<const std::int32_t> candidates, std::span<const float> relationship,
                        const animal_table& animal) {
  const std::int64_t n_candidates = n > 0 ? n : 0;
  assert(static_cast<std::int64_t>(candidates.size()) >= n_candidates);
  assert(static_cast<std::int64_t>(relationship.size()) >= n_candidates * n_candidates);

  // The first position of every animal among the candidates (-1: none), so
  // that each animal is looked up once instead of searching the list.
  const std::int64_t n_animals = animal.size();
  std::vector<std::int32_t> first_position(static_cast<std::size_t>(n_animals) + 1, -1);
  for (std::int64_t p = n_candidates - 1; p >= 0; --p) {
    const std::int32_t nr = candidates[static_cast<std::size_t>(p)];
    if (nr >= 1 && nr <= n_animals) first_position[static_cast<std::size_t>(nr)] = static_cast<std::int32_t>(p);
  }

  const mating_file_names names = make_mating_file_names(base_name.view());
  output_channel mating_file{"mating-candidate file"};
  output_channel sire_list_file{"list of sires for matings"};
  output_channel dam_list_file{"list of dams for matings"};
  open_or_stop(ctx, mating_file, names.mating_file);
  open_or_stop(ctx, sire_list_file, names.sire_list_file);
  open_or_stop(ctx, dam_list_file, names.dam_list_file);

  for (std::int64_t i = 1; i <= n_animals; ++i) {
    const animal_record& a = animal[i];
    float mean_relationship = -1.0f;
    const std::int32_t p = first_position[static_cast<std::size_t>(i)];
    if (p >= 0) {
      // The row summed in double and rounded once: a long row in single
      // precision would lose its small terms.
      const float* row = relationship.data() + static_cast<std::int64_t>(p) * n_candidates;
      double sum = 0.0;
      for (std::int64_t m = 0; m < n_candidates; ++m) sum += row[m];
      mean_relationship = static_cast<float>(sum / static_cast<double>(n_candidates));
    }
    const fixed_text<50> herdbook_nr = text_of(animal, a.herdbook_nr);
    write_fixed_line(mating_file, "(I8,A1,I8,A1,A20,A1,A50,A1,I1,A1,I3,A1,I2,A1,I4,A1,I4,A1,F9.6,A1,F9.6)",
                     {a.sire_nr, ";", a.dam_nr, ";", herdbook_nr, ";", text_of(animal, a.name), ";", a.sex, ";",
                      a.birth_day, ";", a.birth_month, ";", a.birth_year, ";", a.complete_generations, ";",
                      a.inbreeding, ";", mean_relationship});
    write_fixed_line(a.sex == 1 ? sire_list_file : dam_list_file, "(A20)", {herdbook_nr});
  }

  close_or_stop(ctx, mating_file);
  close_or_stop(ctx, sire_list_file);
  close_or_stop(ctx, dam_list_file);
}

}  // namespace veldmarsh
