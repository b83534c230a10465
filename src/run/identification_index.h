// The first record that carries each identification: the key by which
// parents are found. Identifications are numbered among the table's texts,
// so the look-up of a parent is one entry of an array.
#pragma once

#include <cstdint>
#include <vector>

#include "common/animal_record.h"

namespace veldmarsh {

// By the number of every identification of the table's texts: the first
// record (in table order) whose `herdbook_nr` it is, 0 when none is.
std::vector<std::int32_t> first_record_of_identifications(const animal_table& animal);

}  // namespace veldmarsh
