// Export of the sorted pedigree for the planning of matings: one line per
// animal with its parents' numbers, identification, name, sex, birth date,
// complete generations, inbreeding coefficient and, for the animals of a
// candidate group, their mean relationship to that group; and the lists of
// the identifications of the males and of the other animals. A ready export
// for a caller that has a candidate group and its relationship table; the
// run itself does not call it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "common/animal_record.h"
#include "common/fixed_text.h"
#include "common/run_context.h"

namespace veldmarsh {

// The names of the three files: the base name without its leading and
// trailing blanks, less its last four characters (normally a dot and an
// extension), with the suffix "paring", "vader" or "moeder".
struct mating_file_names {
  std::string mating_file;
  std::string sire_list_file;
  std::string dam_list_file;
};
mating_file_names make_mating_file_names(std::string_view base_name);

// Writes the three files, replacing files of those names. `candidates`
// holds `n` animal numbers; `relationship` is n x n, row after row (row k,
// column m: candidate k with candidate m, the diagonal each candidate with
// itself). Animal i, the line i of the mating file, shows the mean of the
// row of its first position among the candidates (the mean relationship
// with the whole group, itself included), or -1 when it is no candidate;
// numbers outside the table are no animal. A file that cannot be written
// ends the run with a diagnostic.
void write_mating_files(run_context& ctx, const fixed_text<100>& base_name, std::int32_t n,
                        std::span<const std::int32_t> candidates, std::span<const float> relationship,
                        const animal_table& animal);

}  // namespace veldmarsh
