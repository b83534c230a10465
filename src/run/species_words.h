// Species names and the words for a male, a female and a young animal.
#pragma once

#include <array>

#include "common/fixed_text.h"
#include "common/settings.h"

namespace veldmarsh {

// The 16 species names: Dutch 1 to 8, English 9 to 16 (index 0 unused).
using species_name_table = std::array<fixed_text<8>, 17>;
species_name_table make_species_names();

// The row of `word` among entries 1 to 15 (all 8 characters, case-sensitive); 16 when none.
int find_species_index(const species_name_table& names, const fixed_text<8>& word);

// Sets the six species words of `cfg` from the word tables.
void set_species_sex_words(settings& cfg, int species_index);

// `c` with A-Z and a-z exchanged; any other byte unchanged.
char swap_case_char(char c);

}  // namespace veldmarsh
